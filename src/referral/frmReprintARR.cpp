#include "frmReprintARR.h"

#include "assessmentgrid.h"
#include "db/connection.h"
#include "reports/ui/operations.h"
#include "ui/messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShowEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
// The grid's columns the print reads.
constexpr int kHospNum = 0, kIdNum = 1, kUserName = 8, kLicence = 9;
} // namespace

frmReprintARR::frmReprintARR(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmReprintARR"));
    setModal(true);

    lblHeading = new QLabel(QStringLiteral("Reprint Assessment and Referral "), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont headingFont = lblHeading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    lblHeading->setFont(headingFont);

    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->installEventFilter(this);
    auto* searchLabel = new QLabel(QStringLiteral("Search Text :"), this);
    searchLabel->setBuddy(txtSearch);

    GridAssessment = new QTableView(this);
    GridAssessment->setObjectName(QStringLiteral("GridAssessment"));
    GridAssessment->setMinimumHeight(260);
    model_ = new referral::AssessmentGrid(
        GridAssessment,
        {QStringLiteral("Hosp. Num"), QStringLiteral("Adm.Num."), QStringLiteral("ZEP Num."),
         QStringLiteral("Patient Name"), QStringLiteral("Classification"),
         QStringLiteral("Category"), QStringLiteral("AssessDate"), QStringLiteral("Remarks"),
         QStringLiteral("User Name"), QStringLiteral("LicenseNumber")},
        {100, 1100, 1100, 1100, 2500, 1200, 2000, 2500, 2200, 3000, 0});

    fraResults = new QGroupBox(QStringLiteral("Search Results :"), this);
    fraResults->setObjectName(QStringLiteral("fraResults"));
    auto* resultsLayout = new QVBoxLayout(fraResults);
    resultsLayout->addWidget(GridAssessment);

    btnPrint = new QPushButton(QStringLiteral("    &Print"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnClose = new QPushButton(QStringLiteral("    &Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    // Enter in the search box searches; it must not press a button as well.
    for (QPushButton* b : {btnPrint, btnClose})
        b->setAutoDefault(false);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(txtSearch, 1);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addStretch(1);
    bottomRow->addWidget(btnPrint);
    bottomRow->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHeading);
    layout->addLayout(searchRow);
    layout->addWidget(fraResults, 1);
    layout->addLayout(bottomRow);

    const auto take = [this](const QModelIndex& i) {
        if (i.isValid())
            chooseRow(i.row());
    };
    connect(GridAssessment, &QTableView::clicked, this, take);
    connect(GridAssessment, &QTableView::doubleClicked, this, take);
    connect(btnPrint, &QPushButton::clicked, this, &frmReprintARR::btnPrint_Click);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
}

frmReprintARR::~frmReprintARR() = default;

void frmReprintARR::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        txtSearch->setFocus(); // the worker types the search at once
}

bool frmReprintARR::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txtSearch && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            search();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

// A search that finds nothing leaves the last results standing, so a mistyped name does
// not throw away the list the worker was choosing from.
void frmReprintARR::search() {
    if (!conn_)
        return;
    try {
        const db::Recordset rs =
            conn_->Call(QStringLiteral("ZEP..sp_ZEP_ReprintARR"), {txtSearch->text().trimmed()});
        if (rs.RecordCount() > 0)
            model_->bind(rs);
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description());
    }
}

void frmReprintARR::chooseRow(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    hospNum_ = model_->text(row, kHospNum);
    idNum_ = model_->text(row, kIdNum);
    userName_ = model_->text(row, kUserName);
    licence_ = model_->text(row, kLicence);
}

QString frmReprintARR::cell(int row, int column) const {
    return model_->text(row, column);
}

int frmReprintARR::rowCount() const {
    return model_->rowCount();
}

// Without a row chosen the print is for the patient selected in the list, with no visit; with
// neither there is nothing to print, and an empty report would only look like a lost one.
void frmReprintARR::btnPrint_Click() {
    if (hospNum_.trimmed().isEmpty()) {
        ui::Messages::info(QStringLiteral("Please search for the report and choose it before "
                                          "printing."),
                           QStringLiteral("Message"));
        txtSearch->setFocus();
        return;
    }
    if (!reports::OpenReport(reportFolder_, QStringLiteral("ARR_New.rpt"),
                             {hospNum_.trimmed(), idNum_.trimmed(), userName_, licence_,
                              QString()}))
        return; // the operation said why; the screen stays for another try
    close();
    reports::ShowReport(false, QStringLiteral("Assessment and Referal report"), false);
}
