#include "frmComputeDiscount.h"

#include "db/connection.h"
#include "db/numbers.h"
#include "patient/patienthelpers.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

using discount::DiscountRow;

namespace {

// The wait cursor while the billing side works, put back however the work ends.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

QLineEdit* readOnlyBox(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

QLabel* amountLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(discount::amountText(0), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

bool truthy(const QString& t) {
    const QString s = t.trimmed();
    return s == QLatin1String("1") || s == QLatin1String("-1") ||
           s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// The widths of the grid's columns in twips; the first two are hidden.
constexpr int kWidths[] = {0, 0, 3100, 1400, 1050, 1400};
// The height the special-arrangement button enlarges the window to.
constexpr int kSpecialHeight = 7290;

} // namespace

frmComputeDiscount::frmComputeDiscount(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmComputeDiscount"));
    setWindowTitle(QStringLiteral("Computation of Discount"));

    auto* patient = new QGridLayout;
    txtCode = readOnlyBox("txtCode", this);
    txtIDNum = readOnlyBox("txtIDNum", this);
    txtPatientName = readOnlyBox("txtPatientName", this);
    txtHospNum = readOnlyBox("txtHospNum", this);
    txtZEPNum = readOnlyBox("txtZEPNum", this);
    txtRoomID = readOnlyBox("txtRoomID", this);
    const auto put = [&](int row, int col, const QString& caption, QLineEdit* box) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(box);
        patient->addWidget(l, row, col, Qt::AlignRight);
        patient->addWidget(box, row, col + 1);
    };
    put(0, 0, QStringLiteral("Patient Name :"), txtPatientName);
    patient->removeWidget(txtPatientName);
    patient->addWidget(txtPatientName, 0, 1, 1, 3);
    put(1, 0, QStringLiteral("Hospital No. :"), txtHospNum);
    put(1, 2, QStringLiteral("Adm. No. :"), txtIDNum);
    put(2, 0, QStringLiteral("ZEP No. :"), txtZEPNum);
    put(2, 2, QStringLiteral("Room No. :"), txtRoomID);
    put(3, 0, QStringLiteral("Classification :"), txtCode);
    patient->setColumnStretch(1, 1);
    patient->setColumnStretch(3, 1);

    frameCovered = new QGroupBox(QStringLiteral("Breakdown for the Computation of Discount"), this);
    frameCovered->setObjectName(QStringLiteral("frameCovered"));
    mshDiscount = new QTableWidget(0, 6, frameCovered);
    mshDiscount->setObjectName(QStringLiteral("mshDiscount"));
    mshDiscount->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mshDiscount->setSelectionBehavior(QAbstractItemView::SelectRows);
    mshDiscount->verticalHeader()->hide();
    mshDiscount->setHorizontalHeaderLabels({QString(), QString(), QStringLiteral("Department"),
                                            QStringLiteral("Actual Charges"),
                                            QStringLiteral("Medicare"), QStringLiteral("Discount")});
    for (int c = ColActual; c <= ColDiscount; ++c)
        mshDiscount->horizontalHeaderItem(c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The widths were set for a smaller font than today's screens use: an amount column is
    // at least as wide as a hospital bill in the millions, so no amount is ever cut short.
    const int amountWidth =
        mshDiscount->fontMetrics().horizontalAdvance(QStringLiteral("99,999,999.99")) + 14;
    int gridWidth = 0; // the visible columns
    for (int c = 0; c < 6; ++c) {
        const int w = c >= ColActual ? std::max(ui::twips(kWidths[c]), amountWidth)
                                     : ui::twips(kWidths[c]);
        mshDiscount->setColumnWidth(c, w);
        gridWidth += w;
    }
    mshDiscount->setColumnHidden(ColFixed, true);
    mshDiscount->setColumnHidden(ColCode, true);
    // The grid is as wide as its columns; the totals sit under the amount columns.
    mshDiscount->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mshDiscount->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mshDiscount->setFixedWidth(gridWidth + 2 * mshDiscount->frameWidth() +
                               mshDiscount->verticalScrollBar()->sizeHint().width());
    mshDiscount->setMinimumHeight(ui::twips(2400));

    lblTotal = amountLabel("lblTotal", frameCovered);
    lblMedicareTotal = amountLabel("lblMedicareTotal", frameCovered);
    lblTotalCovered = amountLabel("lblTotalCovered", frameCovered);
    lblQFS = amountLabel("lblQFS", frameCovered);
    lblTotal->setFixedWidth(mshDiscount->columnWidth(ColActual));
    lblMedicareTotal->setFixedWidth(mshDiscount->columnWidth(ColMedicare));
    lblTotalCovered->setFixedWidth(mshDiscount->columnWidth(ColDiscount));
    lblQFS->setFixedWidth(mshDiscount->columnWidth(ColDiscount));
    auto* totals = new QGridLayout;
    totals->setHorizontalSpacing(0);
    totals->setContentsMargins(mshDiscount->frameWidth(), 0, 0, 0);
    auto* totalCaption = new QLabel(QStringLiteral("Total : "), frameCovered);
    totalCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totalCaption->setFixedWidth(ui::twips(kWidths[ColDepartment]));
    totals->addWidget(totalCaption, 0, 0);
    totals->addWidget(lblTotal, 0, 1);
    totals->addWidget(lblMedicareTotal, 0, 2);
    totals->addWidget(lblTotalCovered, 0, 3);
    auto* payCaption = new QLabel(QStringLiteral("To Pay : "), frameCovered);
    payCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totals->addWidget(payCaption, 1, 0, 1, 3);
    totals->addWidget(lblQFS, 1, 3);
    totals->setColumnStretch(4, 1);
    auto* covered = new QVBoxLayout(frameCovered);
    covered->addWidget(mshDiscount, 1);
    covered->addLayout(totals);
    frameCovered->setEnabled(false);

    frameSpecial = new QGroupBox(QStringLiteral("Special Arrangement"), this);
    frameSpecial->setObjectName(QStringLiteral("frameSpecial"));
    txtNC = readOnlyBox("txtNC", frameSpecial);
    txtQFSSpecial = readOnlyBox("txtQFSSpecial", frameSpecial);
    auto* special = new QHBoxLayout(frameSpecial);
    special->addWidget(new QLabel(QStringLiteral("NC :"), frameSpecial));
    special->addWidget(txtNC);
    special->addWidget(new QLabel(QStringLiteral("QFS:"), frameSpecial));
    special->addWidget(txtQFSSpecial);
    frameSpecial->hide();

    cmdIsSpecial = new QPushButton(QStringLiteral("Special Arrangement"), this);
    cmdIsSpecial->setObjectName(QStringLiteral("cmdIsSpecial"));
    cmdIsSpecial->hide();
    cmdRecompute = new QPushButton(QStringLiteral("&Recompute"), this);
    cmdRecompute->setObjectName(QStringLiteral("cmdRecompute"));
    cmdRecompute->setEnabled(false);
    cmdExit = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdIsSpecial);
    buttons->addStretch(1);
    buttons->addWidget(cmdRecompute);
    buttons->addWidget(cmdExit);

    // The screen keeps its own width in a wide window, at the left as it was laid out.
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("body"));
    auto* all = new QVBoxLayout(body);
    all->setContentsMargins(0, 0, 0, 0);
    all->addLayout(patient);
    all->addWidget(frameCovered, 1);
    all->addWidget(frameSpecial);
    all->addLayout(buttons);
    body->setMaximumWidth(mshDiscount->width() + 60);
    auto* outer = new QHBoxLayout(this);
    outer->addWidget(body, 1);
    outer->addStretch(0);

    connect(cmdIsSpecial, &QPushButton::clicked, this, &frmComputeDiscount::cmdIsSpecial_Click);
    connect(cmdRecompute, &QPushButton::clicked, this, &frmComputeDiscount::cmdRecompute_Click);
    // In the main window the screen lives in a sub-window, which is what Cancel closes.
    connect(cmdExit, &QPushButton::clicked, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });
}

void frmComputeDiscount::setSelection(const QString& hospNum, const QString& idNum) {
    selHospNum_ = hospNum.trimmed();
    selIdNum_ = idNum.trimmed();
}

void frmComputeDiscount::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!opened_) {
        opened_ = true;
        Load();
    }
}

void frmComputeDiscount::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    if (e->isAccepted() && onUnload_) {
        auto f = std::move(onUnload_);
        onUnload_ = nullptr;
        f();
    }
}

void frmComputeDiscount::showError(const QString& description) {
    ui::Messages::critical(QStringLiteral("Discount Not Successfully Computed.\n") + description,
                           QStringLiteral("Message"));
}

void frmComputeDiscount::Load() {
    opened_ = true;
    if (!conn_)
        return;
    try {
        fillPatient();
        readAssessment();
        readFractions();
        matching_ = discount::isAdmissionNumber(txtIDNum->text())
                        ? patient::MatchingOPDNumber(*conn_, txtIDNum->text().trimmed())
                        : QString();
    } catch (const db::Error& e) {
        showError(e.Description());
        return;
    }
    cmdRecompute->setEnabled(true);
    QVector<DiscountRow> rows;
    try {
        rows = discount::existingComputation(*conn_, txtIDNum->text().trimmed());
    } catch (const db::Error& e) {
        showError(e.Description());
        return;
    }
    if (rows.isEmpty()) {
        compute(false);
        return;
    }
    frameCovered->setEnabled(true);
    showRows(rows);
    showTotals(discount::totalsOf(rows));
}

void frmComputeDiscount::fillPatient() {
    db::Recordset rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetPatientInfo"),
                                   {selHospNum_, selIdNum_});
    if (rs.Eof())
        rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetPatientInfoforARR"), {selIdNum_});
    txtIDNum->setText(selIdNum_);
    if (rs.Eof()) {
        txtHospNum->setText(selHospNum_);
        return;
    }
    txtCode->setText(rs.Text(QStringLiteral("Code")).trimmed());
    txtPatientName->setText(rs.Text(QStringLiteral("Name")).trimmed());
    txtHospNum->setText(rs.Text(QStringLiteral("HospNum")).trimmed());
    txtZEPNum->setText(rs.Text(QStringLiteral("ZEPNumber")).trimmed());
    txtRoomID->setText(rs.Text(QStringLiteral("RoomID")).trimmed());
}

void frmComputeDiscount::readAssessment() {
    special_ = false;
    nc_ = 0;
    db::Recordset rs = conn_->Query(
        QStringLiteral("SELECT * FROM ZEP..tbZEPAssessment WHERE IdNum = ?"),
        {txtIDNum->text().trimmed()});
    if (!rs.Eof() && truthy(rs.Text(QStringLiteral("IsSpecial")))) {
        special_ = true;
        nc_ = rs.Number(QStringLiteral("NC"));
    }
    cmdIsSpecial->setVisible(special_);
}

void frmComputeDiscount::readFractions() {
    fractions_ = {};
    const QString code = txtCode->text().trimmed();
    if (code.isEmpty())
        return;
    // The scheme keys its rows by Type ("A1" ...) while patients carry the class Code; a
    // row under either is the patient's class, the key first. A code the scheme does not
    // hold leaves every fraction 0.
    db::Recordset rs = conn_->Query(
        QStringLiteral("SELECT * FROM ZEP..tbZEPClassification WHERE Type = ? OR Code = ? "
                       "ORDER BY CASE WHEN Type = ? THEN 0 ELSE 1 END"),
        {code, code, code});
    if (rs.Eof())
        return;
    if (txtRoomID->text().trimmed() != QLatin1String("OPD")) {
        fractions_.procedures = rs.Number(QStringLiteral("Procedures"));
        fractions_.supplies = rs.Number(QStringLiteral("Supplies"));
        fractions_.medicines = rs.Number(QStringLiteral("Medicines"));
        fractions_.room = rs.Number(QStringLiteral("Room"));
    } else {
        fractions_.procedures = rs.Number(QStringLiteral("Procedures2"));
        fractions_.supplies = rs.Number(QStringLiteral("Supplies2"));
        fractions_.medicines = rs.Number(QStringLiteral("Medicines2"));
    }
}

void frmComputeDiscount::compute(bool recompute) {
    discount::ComputeResult r;
    {
        WaitCursor wait;
        try {
            const discount::VisitNumbers v{txtIDNum->text().trimmed(), matching_};
            r = recompute ? discount::recomputeDiscount(*conn_, v)
                          : discount::computeDiscount(*conn_, v);
        } catch (const db::Error& e) {
            // Nothing was stored and nothing removed: the grid still shows what is on file.
            showError(e.Description());
            if (recompute)
                cmdRecompute->setEnabled(true);
            return;
        }
    }
    if (r.billIsZero) {
        ui::Messages::info(
            QStringLiteral("Total Hospital Bill is zero (0) therefore no more discount is needed."),
            QStringLiteral("Information"));
        return;
    }
    if (special_)
        discount::applySpecialAssessment(r.rows, fractions_);
    // A visit without charges has no rows: the grid keeps what it showed.
    if (!r.rows.isEmpty())
        showRows(r.rows);
    const discount::Totals t = discount::totalsOf(r.rows);
    showTotals(t);
    txtQFSSpecial->setText(db::numberToText(t.actual - nc_));
    frameCovered->setEnabled(true);
}

void frmComputeDiscount::showRows(const QVector<DiscountRow>& rows) {
    mshDiscount->clearContents();
    mshDiscount->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const DiscountRow& r = rows.at(i);
        const auto set = [&](int col, const QString& text, bool right) {
            auto* item = new QTableWidgetItem(text);
            if (right)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            mshDiscount->setItem(i, col, item);
        };
        set(ColFixed, QString(), false);
        set(ColCode, r.revenueId, false);
        set(ColDepartment, r.department, false);
        set(ColActual, discount::amountText(r.actual), true);
        set(ColMedicare, discount::amountText(r.medicare), true);
        set(ColDiscount, discount::amountText(r.discount), true);
    }
}

void frmComputeDiscount::showTotals(const discount::Totals& t) {
    lblTotal->setText(discount::amountText(t.actual));
    lblMedicareTotal->setText(discount::amountText(t.medicare));
    lblTotalCovered->setText(discount::amountText(t.discount));
    lblQFS->setText(discount::amountText(t.actual - t.discount));
}

void frmComputeDiscount::cmdIsSpecial_Click() {
    frameSpecial->show();
    txtNC->setText(db::numberToText(nc_));
    QWidget* w = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : window();
    w->resize(w->width(), std::max(w->height(), ui::twips(kSpecialHeight)));
}

void frmComputeDiscount::cmdRecompute_Click() {
    if (ui::Messages::question(QStringLiteral("All previous computed discount will be deleted.\n"
                                              "Do you wish to continue?"),
                               QStringLiteral("Warning!"), ui::Buttons::YesNo,
                               ui::Icon::Critical) != ui::Answer::Yes)
        return;
    cmdRecompute->setEnabled(false);
    compute(true);
}
