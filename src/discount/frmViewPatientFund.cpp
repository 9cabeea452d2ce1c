#include "frmViewPatientFund.h"

#include "db/connection.h"
#include "db/dates.h"
#include "db/numbers.h"
#include "db/recordset.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

const QString frmViewPatientFund::kFundFormat = QStringLiteral(
    " | AccountNum | RefNum | CompanyID| Company | Amount | TransDate | Validity | UserID ");
const QString frmViewPatientFund::kMonitoringFormat = QStringLiteral(
    " | Dept.Code | ItemID | Description | TransDate | ChargeSlip | Amount | CompanyID | RoomID "
    "| RefNum | CDFAccountNum | Company | UserID");

namespace {

constexpr int kFundWidths[] = {100, 1100, 1100, 1000, 2000, 1200, 2000, 2000, 1000};
// Width 0 hides CompanyID, CDFAccountNum and Company.
constexpr int kMonitoringWidths[] = {100, 950, 1000, 1800, 1500, 1200, 1100, 0, 1000, 1300, 0, 0, 1000};

// The columns that hold dates: shown the way a bound grid shows a date, the date alone at
// midnight, else date and time.
bool isDateColumn(const QString& name) {
    return name.compare(QLatin1String("TransDate"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("Validity"), Qt::CaseInsensitive) == 0;
}

QString generalDate(const QVariant& v) {
    if (v.isNull())
        return {};
    QDateTime at;
    if (v.typeId() == QMetaType::QDateTime)
        at = v.toDateTime();
    else if (v.typeId() == QMetaType::QDate)
        at = QDateTime(v.toDate(), QTime(0, 0));
    else {
        const QString t = v.toString().trimmed().left(19).replace(u'T', u' ');
        for (const QString& f : {QStringLiteral("yyyy-MM-dd HH:mm:ss"),
                                 QStringLiteral("yyyy-MM-dd HH:mm")}) {
            at = QDateTime::fromString(t, f);
            if (at.isValid())
                break;
        }
        if (!at.isValid()) {
            const QDate d = db::dateValue(v);
            if (!d.isValid())
                return v.toString();
            at = QDateTime(d, QTime(0, 0));
        }
    }
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    if (at.time() == QTime(0, 0))
        return us.toString(at.date(), QStringLiteral("M/d/yyyy"));
    return us.toString(at, QStringLiteral("M/d/yyyy h:mm:ss AP"));
}

QLineEdit* readOnlyBox(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

QTableWidget* grid(const char* name, QWidget* parent) {
    auto* g = new QTableWidget(parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->hide();
    g->setWordWrap(false);
    g->horizontalHeader()->setStretchLastSection(false);
    // The row-marker column is as narrow as it was laid out.
    g->horizontalHeader()->setMinimumSectionSize(0);
    return g;
}

// Lays a grid out by its header row and widths (twips; 0 hides a column).
template <size_t N>
void layOut(QTableWidget* g, const QString& format, const int (&widths)[N]) {
    const QStringList heads = format.split(u'|');
    g->setColumnCount(int(N));
    QStringList labels;
    for (size_t c = 0; c < N; ++c)
        labels << (int(c) < heads.size() ? heads.at(int(c)).trimmed() : QString());
    g->setHorizontalHeaderLabels(labels);
    for (size_t c = 0; c < N; ++c) {
        g->setColumnHidden(int(c), widths[c] == 0);
        if (widths[c] > 0)
            g->setColumnWidth(int(c), ui::twips(widths[c]));
    }
}

// Binds a recordset's rows whole: its columns in order from the second grid column on.
void bind(QTableWidget* g, const db::Recordset& rs) {
    const QVector<QVector<QVariant>>& rows = rs.Rows();
    g->setRowCount(int(rows.size()));
    const int cols = std::min(rs.FieldCount(), g->columnCount() - 1);
    for (int r = 0; r < rows.size(); ++r) {
        g->setItem(r, 0, new QTableWidgetItem);
        for (int c = 0; c < cols; ++c) {
            const QVariant& v = rows.at(r).at(c);
            const QString text =
                isDateColumn(rs.FieldNames().at(c)) ? generalDate(v) : db::valueText(v);
            g->setItem(r, c + 1, new QTableWidgetItem(text));
        }
    }
}

QString cell(const QTableWidget* g, int row, int col) {
    const QTableWidgetItem* it = g->item(row, col);
    return it ? it->text() : QString();
}

// An amount cell; "0.00" when empty, as the grid's own reading did.
double amountOf(const QString& text) {
    const QString t = text.trimmed().isEmpty() ? QStringLiteral("0.00") : text.trimmed();
    return QString(t).remove(u',').toDouble();
}

void showError(const QString& description) {
    ui::Messages::critical(QStringLiteral("Unable to read the patient's funds.\n") + description,
                           QStringLiteral("Message"));
}

} // namespace

frmViewPatientFund::frmViewPatientFund(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmViewPatientFund"));
    setWindowTitle(QStringLiteral("View Patient Fund Allocation"));
    setModal(true);

    txtPatientName = readOnlyBox("txtPatientName", this);
    txtHospNum = readOnlyBox("txtHospNum", this);
    txtPhysician = readOnlyBox("txtPhysician", this);
    txtZEPNum = readOnlyBox("txtZEPNum", this);
    txtClassification = readOnlyBox("txtClassification", this);
    txtRoomID = readOnlyBox("txtRoomID", this);
    auto* patient = new QGridLayout;
    const auto put = [&](int row, int col, const QString& caption, QLineEdit* box, int span = 1) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(box);
        patient->addWidget(l, row, col, Qt::AlignRight);
        patient->addWidget(box, row, col + 1, 1, span);
    };
    put(0, 0, QStringLiteral("Patient Name :"), txtPatientName, 3);
    put(1, 0, QStringLiteral("Hospital No. :"), txtHospNum);
    put(1, 2, QStringLiteral("ZEP No. :"), txtZEPNum);
    put(2, 0, QStringLiteral("Attending Physician :"), txtPhysician);
    put(2, 2, QStringLiteral("Room No. :"), txtRoomID);
    put(3, 0, QStringLiteral("Classification :"), txtClassification, 3);
    patient->setColumnStretch(1, 1);
    patient->setColumnStretch(3, 1);

    auto* fundFrame = new QGroupBox(QStringLiteral("List of Sponsors"), this);
    fundFrame->setObjectName(QStringLiteral("fraFund"));
    GridFund = grid("GridFund", fundFrame);
    layOut(GridFund, kFundFormat, kFundWidths);
    GridFund->setMinimumHeight(ui::twips(1800));
    (new QVBoxLayout(fundFrame))->addWidget(GridFund);

    auto* monitoringFrame = new QGroupBox(QStringLiteral("CDF Monitoring "), this);
    monitoringFrame->setObjectName(QStringLiteral("fraMonitoring"));
    lblSponsorName = new QLabel(QStringLiteral("SponsorName"), monitoringFrame);
    lblSponsorName->setObjectName(QStringLiteral("lblSponsorName"));
    QFont bold = lblSponsorName->font();
    bold.setBold(true);
    lblSponsorName->setFont(bold);
    GridMonitoring = grid("GridMonitoring", monitoringFrame);
    layOut(GridMonitoring, kMonitoringFormat, kMonitoringWidths);
    GridMonitoring->setMinimumHeight(ui::twips(2400));
    txtConsumed = readOnlyBox("txtConsumed", monitoringFrame);
    txtFundLeft = readOnlyBox("txtFundLeft", monitoringFrame);
    for (QLineEdit* e : {txtConsumed, txtFundLeft})
        e->setAlignment(Qt::AlignRight);
    auto* totals = new QHBoxLayout;
    totals->addStretch(1);
    totals->addWidget(new QLabel(QStringLiteral("Total Amount Consumed :"), monitoringFrame));
    totals->addWidget(txtConsumed);
    totals->addSpacing(16);
    totals->addWidget(new QLabel(QStringLiteral("Fund Left :"), monitoringFrame));
    totals->addWidget(txtFundLeft);
    auto* mon = new QVBoxLayout(monitoringFrame);
    mon->addWidget(lblSponsorName);
    mon->addWidget(GridMonitoring, 1);
    mon->addLayout(totals);

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto* all = new QVBoxLayout(this);
    all->addLayout(patient);
    all->addWidget(fundFrame, 2);
    all->addWidget(monitoringFrame, 3);
    all->addLayout(buttons);

    connect(GridFund, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { GridFund_DblClick(row); });

    // As wide as the fund grid's columns, the wider of the two; no taller than a laptop's
    // window.
    int width = 0;
    for (int w : kFundWidths)
        width += ui::twips(w);
    resize(width + 80, 600);
}

void frmViewPatientFund::setSelection(const QString& hospNum, const QString& idNum) {
    selHospNum_ = hospNum;
    selIdNum_ = idNum;
}

void frmViewPatientFund::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!loaded_) {
        loaded_ = true;
        Load();
    }
}

void frmViewPatientFund::Load() {
    loaded_ = true;
    hospNum_ = selHospNum_.trimmed();
    idNum_ = selIdNum_.trimmed();
    if (!conn_)
        return;
    try {
        db::Recordset rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetPatientInfo"),
                                       {hospNum_, idNum_});
        if (rs.Eof()) {
            ui::Messages::exclamation(
                QStringLiteral("Record not Found. Check if the patient is assessed or classified."),
                QStringLiteral("Message"));
        } else {
            txtHospNum->setText(hospNum_);
            txtZEPNum->setText(rs.TextOr(QStringLiteral("ZEPNumber")).trimmed());
            txtPatientName->setText(rs.TextOr(QStringLiteral("Name")).trimmed());
            txtClassification->setText(rs.TextOr(QStringLiteral("Code")).trimmed() +
                                       QStringLiteral("- ") +
                                       rs.TextOr(QStringLiteral("Classification")).trimmed());
            txtRoomID->setText(rs.TextOr(QStringLiteral("RoomID")).trimmed());
        }
        rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetSponsor"), {hospNum_});
        if (rs.Eof()) {
            ui::Messages::info(
                QStringLiteral("Patient has no Sponsor yet. Please notify Credit and Collection."),
                QStringLiteral("Message"));
            return;
        }
        bind(GridFund, rs);
    } catch (const db::Error& e) {
        showError(e.Description());
    }
}

void frmViewPatientFund::GridFund_DblClick(int row) {
    if (!conn_ || row < 0 || row >= GridFund->rowCount())
        return;
    const QString account = cell(GridFund, row, 1).trimmed();
    fund_ = amountOf(cell(GridFund, row, 5));
    try {
        const db::Recordset rs =
            conn_->Call(QStringLiteral("ZEP..sp_ZEP_CDFMonitoring"), {hospNum_, account});
        if (rs.Eof()) {
            ui::Messages::info(QStringLiteral("No Transactions were made for this particular sponsor."),
                               QStringLiteral("Message"));
            return;
        }
        lblSponsorName->setText(rs.TextOr(QStringLiteral("Company")));
        bind(GridMonitoring, rs);
        double consumed = 0;
        for (int r = 0; r < GridMonitoring->rowCount(); ++r)
            consumed += amountOf(cell(GridMonitoring, r, 6));
        // Whole centavos: the sum of two-decimal amounts in doubles can land a hair off.
        consumed = std::round(consumed * 100.0) / 100.0;
        txtConsumed->setText(db::numberToText(consumed));
        txtFundLeft->setText(db::numberToText(std::round((fund_ - consumed) * 100.0) / 100.0));
    } catch (const db::Error& e) {
        showError(e.Description());
    }
}
