// The referral report's Save: the expiry checks and the confirmation, then the save of the
// whole report in one transaction; and the edits that guard what the save sends (the
// worker pick, the counterpart, the case status code).
#include "frmARR.h"

#include "arrsave.h"
#include "db/connection.h"
#include "patient/frmEmployeeListing.h"
#include "reports/ui/operations.h"
#include "rules/codeditem.h"
#include "rules/numeric.h"
#include "ui/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kDateFormat = QStringLiteral("MM/dd/yyyy");

QDate dateOf(const QString& text) {
    return QDate::fromString(text.trimmed(), kDateFormat);
}

// The hourglass for the length of a save, whichever way it ends.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

QString frmARR::categoryName() const {
    QString name;
    for (int i = 0; i < lstCategory->count(); ++i)
        if (lstCategory->item(i)->isSelected())
            name = rules::codedItemText(lstCategory->item(i)->text(), rules::kCategoryItem);
    if (!name.isEmpty())
        return name;
    // The hidden options of the old screen; their names are not their captions.
    static const char* const kNames[12] = {"Pedia-Nephro",
                                           "Hemodialysis",
                                           "Post-Transplant",
                                           "Donor work-up",
                                           "PD",
                                           "IM",
                                           "Urology",
                                           "Vascular",
                                           "Donor Nephrectomy",
                                           "Renal Transplant Recipient",
                                           "GS",
                                           "Nephrology"};
    for (int k = 0; k < 12; ++k)
        if (optCategory[k]->isChecked())
            return QString::fromLatin1(kNames[k]);
    return {};
}

referral::ArrSave frmARR::saveValues() {
    if (pickedWorker_.isEmpty())
        pickedWorker_ = loadedWorker_;
    referral::ArrSave s;
    s.hospNum = hospNum_;
    s.idNum = idNum_;
    s.shownHospNum = txtHospNum->text();
    s.shownIdNum = txtIDNum->text();
    s.caseNumber = txtZEPNum->text();
    s.classCode = classificationCode();
    s.categoryName = categoryName();
    s.categoryId = categoryId();
    s.parentCategoryId = parentCategoryId();
    s.referringParty = referringPartyCode();
    s.remarks = txtRemarks->text();
    const QDate intake = dateOf(mskIntake->text()), expiry = dateOf(mskRange1->text());
    s.intakeDate = intake.isValid() ? intake.toString(kDateFormat) : mskIntake->text();
    s.expiryDate = expiry.isValid() ? expiry.toString(kDateFormat) : mskRange1->text();
    s.workerCode = pickedWorker_;
    s.userCode = userCode_;
    s.pcso = chkPCSO->isChecked();
    s.sponsor = chkSponsor->isChecked();
    s.special = chkSpecial->isChecked();
    static const char* const kTypes[3] = {"E", "G", "C"};
    for (int k = 0; k < 3; ++k)
        if (optPCSO[k]->isChecked())
            s.pcsoType = QString::fromLatin1(kTypes[k]);
    s.counterpart = txtNC->text();
    s.active = chkActive->isChecked();
    s.statusCode = statusTag_;
    s.serviceCodes = serviceCodes_;
    s.documentationFlags = documentationFlags();
    s.activityCodes = activityCodes_;
    return s;
}

// The expiry is checked first; a far-future one is never saved from here, whatever the
// answer, so that a mistyped year cannot slip through on a hurried Yes.
frmARR::Confirmed frmARR::confirmSave(const QString& heading) {
    const QString typed = mskRange1->text();
    const QDate expiry = dateOf(typed);
    if (!expiry.isValid()) {
        ui::Messages::critical(QStringLiteral("You have entered an invalid date ") + typed +
                               QStringLiteral("."));
        mskRange1->setFocus();
        return Confirmed::Stopped;
    }
    if (expiry.year() > QDate::currentDate().year() + 2) {
        ui::Messages::question(QStringLiteral("The date you have entered is 2 years ahead of the "
                                              "current date or previous date.") +
                               QStringLiteral("\n") + QStringLiteral("Is that valid?"));
        mskRange1->setFocus();
        return Confirmed::Stopped;
    }
    const QString text = heading + QStringLiteral("\n") + QStringLiteral(" ") +
                         QStringLiteral("\n") + QStringLiteral("  PATIENT NAME: ") +
                         txtLastName->text() + QStringLiteral(", ") + txtFirstName->text() +
                         QStringLiteral(" ") + txtMiddleName->text() + QStringLiteral("\n") +
                         QStringLiteral("  HOSP. NO. : ") + txtHospNum->text() +
                         QStringLiteral("\n") + QStringLiteral("  ZEP NO.: ") + txtZEPNum->text() +
                         QStringLiteral("   CLASSIFICATION: ") + cboClassification->currentText() +
                         QStringLiteral("\n") + QStringLiteral("  EXPIRY DATE: ") + typed +
                         QStringLiteral("\n") + QStringLiteral("Is that a valid information?");
    return ui::Messages::question(text) == ui::Answer::Yes ? Confirmed::Yes : Confirmed::No;
}

void frmARR::cmdSave_Click() {
    if (confirmSave(QStringLiteral("***VERIFICATION***")) == Confirmed::Yes)
        saveReport();
}

// Save/Print prints when the report has been saved, by this save or an earlier one while the
// screen is open: a No to the question after an earlier save still prints.
void frmARR::cmdPrint_Click() {
    const Confirmed answer = confirmSave(QStringLiteral("*VERIFICATION*"));
    if (answer == Confirmed::Stopped)
        return;
    if (answer == Confirmed::Yes)
        saveReport();
    if (saved_)
        printReport(QStringLiteral("Assessment and Referal report"));
}

void frmARR::cmdRePrint_Click() {
    printReport(QStringLiteral("Reprint Assessment and Referal report"));
}

// The screen closes before the viewer opens, so the worker comes back to the main window.
void frmARR::printReport(const QString& title) {
    if (!reports::OpenReport(reportFolder_, QStringLiteral("ARR_New.rpt"),
                             {txtHospNum->text().trimmed(), txtIDNum->text().trimmed(), printedBy_,
                              licenseNumber_, txtDoctor->text()}))
        return;
    close();
    reports::ShowReport(false, title, false);
}

// True when the report was saved. On any failure nothing of it stays in the database and
// the screen keeps everything typed.
bool frmARR::saveReport() {
    saved_ = false;
    if (!conn_)
        return false;
    if (cboClassification->currentText().isEmpty()) {
        ui::Messages::info(QStringLiteral("Please enter classification before saving."),
                           QStringLiteral("Message"));
        return false;
    }
    referral::SaveOutcome out;
    try {
        WaitCursor wait;
        // A status typed and not yet left still counts: the save sends what is shown. A
        // look-up that fails here says nothing: the save meets the same failure and says it
        // once.
        updateStatusTag(false);
        out = referral::send(*conn_, saveValues());
    } catch (const db::Error& e) {
        ui::Messages::critical(QStringLiteral("Data Not Successfully Saved.") + e.Description(),
                               QStringLiteral("Message"));
        return false;
    }
    if (!out.saved) {
        ui::Messages::plain(QStringLiteral("The CaseNumber already exists. ") +
                                QStringLiteral("\n") + QStringLiteral("It is owned by ") +
                                out.owner,
                            QStringLiteral("Message"));
        txtZEPNum->clear();
        txtZEPNum->setReadOnly(false);
        txtZEPNum->setEnabled(true);
        conflict_ = true;
        return false;
    }
    saved_ = true;
    conflict_ = false;
    ui::Messages::info(
        QStringLiteral("Clasification for ") + txtLastName->text() + QStringLiteral(", ") +
            txtFirstName->text() + QStringLiteral(" saved.") + QStringLiteral("\n") +
            QStringLiteral("    HospNum : ") + txtHospNum->text() + QStringLiteral("\n") +
            QStringLiteral("    Expriy Date : ") + dateOf(mskRange1->text()).toString(kDateFormat) +
            QStringLiteral(" 11:59 PM"),
        QStringLiteral("Message"));
    return true;
}

// A bad character anywhere in the amount takes the amount back to what it was before the
// edit, with one message; the old rule of cutting the last character off corrupted the
// amount when the bad one was elsewhere, and repeated its message as it went.
void frmARR::txtNC_Edited(const QString& text) {
    if (!text.trimmed().isEmpty() && rules::readNumber(text))
        return;
    if (!text.isEmpty()) {
        const QString before = ncBefore_;
        txtNC->setText(before);
    }
    ui::Messages::info(QStringLiteral("Can't accept non-numeric values."),
                       QStringLiteral("Message"));
}

void frmARR::cboactive_Update() {
    updateStatusTag(true);
}

void frmARR::updateStatusTag(bool tell) {
    if (!conn_)
        return;
    try {
        const db::Recordset rs =
            conn_->Query(QStringLiteral("SELECT Code FROM ZEP.tbZEPActive WHERE CaseStatus = ?"),
                         {cboactive->currentText()});
        if (!rs.Eof())
            statusTag_ = rs.Text(QStringLiteral("Code")).trimmed();
    } catch (const db::Error& e) {
        if (tell)
            ui::Messages::critical(e.Description(), QStringLiteral("Message"));
    }
}

void frmARR::cmdSearch_Click() {
    auto* picker = new frmEmployeeListing(this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->setConnection(conn_);
    connect(picker, &QDialog::finished, this, [this, picker] {
        if (picker->Selected())
            takeWorker(picker->WorkerCode());
    });
    picker->open();
}

// A code the employee file no longer knows is refused: the screen goes on showing the
// previous worker, and the save sends that worker's code, not the unknown one.
void frmARR::takeWorker(const QString& code) {
    if (!conn_)
        return;
    db::Recordset rs;
    try {
        rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetEmployeeName"), {code});
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), QStringLiteral("MESSAGE"));
        return;
    }
    if (rs.Eof()) {
        ui::Messages::exclamation(QStringLiteral("Employee No Longer Exists."),
                                  QStringLiteral("MESSAGE"));
        return;
    }
    pickedWorker_ = code;
    txtZEPW->setText(rs.Text(QStringLiteral("EmployeeName")));
    workerName_ = txtZEPW->text();
    licenseNumber_ = rs.Text(QStringLiteral("licensenumber"));
    loadedWorker_ = code;
}
