// Saving the intake sheet: the two checks, the values each call takes, and the print.
#include "frmIntakeSurveySheet.h"

#include "db/connection.h"
#include "intakesave.h"
#include "reports/ui/operations.h"
#include "ui/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

namespace {

const QString kTitle = QStringLiteral("Message");
const QString kDateFormat = QStringLiteral("MM/dd/yyyy");

int ticked(const QAbstractButton* b) {
    return b->isChecked() ? 1 : 0;
}

} // namespace

bool frmIntakeSurveySheet::checkCaseNumber() {
    conflict_ = false;
    if (!conn_)
        return false;
    try {
        const db::Recordset rs =
            conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetExistsZEPNumber"),
                        {txtCaseNo->text().trimmed(), txtHospitalNo->text().trimmed()});
        if (!rs.Eof() &&
            rs.Text(QStringLiteral("HospNum")).trimmed() != txtHospitalNo->text().trimmed()) {
            ui::Messages::plain(QStringLiteral("The CaseNumber already exists and is owned by ") +
                                    rs.Text(QStringLiteral("PatientName")),
                                kTitle);
            txtCaseNo->clear();
            txtCaseNo->setEnabled(true);
            conflict_ = true;
        }
    } catch (const db::Error& e) {
        // A check that could not run clears nothing but lets nothing be saved on it.
        ui::Messages::critical(e.Description(), kTitle);
        conflict_ = true;
    }
    return !conflict_;
}

bool frmIntakeSurveySheet::save() {
    saved_ = false;
    if (!conn_)
        return false;
    const QString interview = DTDateInterviewed->date().toString(kDateFormat);
    if (txtCaseNo->text().isEmpty()) {
        ui::Messages::info(QStringLiteral("Can't save incomplete data Case Number is Missing."),
                           kTitle);
        txtCaseNo->setEnabled(true);
        return false;
    }
    if (!checkCaseNumber())
        return false;
    int civil = -1;
    for (int i = 0; i < 4; ++i)
        if (optCS[i]->isChecked())
            civil = i;
    if (civil < 0) {
        ui::Messages::exclamation(QStringLiteral("Civil Status is Missing."), kTitle);
        return false;
    }
    // A text typed into a lookup combo and never left still gives its code.
    for (QComboBox* c : {cmbCategory, cbostatus, cboReferringParty})
        lookupTag(c);

    const QString sex =
        optSexFemale->isChecked() ? QStringLiteral("Female") : QStringLiteral("Male");
    const QString expiry = txtExpiry->date().toString(kDateFormat);
    intake::IntakeSave s;
    s.hospNum = hospNum_;
    s.sheet = {hospNum_,
               interview,
               txtClassification->text(),
               cmbCategory->currentText(),
               txtSalary->text(),
               txtEducation->text(),
               txtWard->text(),
               txtLastName->text(),
               txtFirstName->text(),
               txtMiddle->text(),
               txtHouseStreet->text(),
               txtBarangay->text(),
               txtZipCode->text(),
               txtProvince->text(),
               sex,
               txtBirthdate->text(),
               intake::civilStatusText(civil),
               txtOccupation->text(),
               txtAge->text(),
               txtTelNo->text(),
               txtSSSMember->text(),
               txtBirthPlace->text(),
               txtReligion->text(),
               txtEmployer->text(),
               txtEmploymentAd->text(),
               idNum_,
               txtAdmissionDate->text(),
               statusTag_,
               interview,
               expiry,
               txtCaseNo->text(),
               ticked(chkSeniorCitizen)};
    s.other = {hospNum_,
               txtReferredBy->text(),
               DTDateReferred->date().toString(kDateFormat),
               txtRefferAd->text(),
               txtDocDSWD->text(),
               txtDocAOCert->text(),
               txtDocCertEmploy->text(),
               txtDocMayorOff->text(),
               txtDocBrgyClear->text(),
               txtDocOthers->text(),
               txtTreatment->text(),
               txtMDOtherInfo->text(),
               txtOtherResources->text(),
               txtExpenses->text(),
               ticked(chkFinancialProb),
               ticked(chkDifficultyProb),
               ticked(chkAggressiveProb),
               ticked(chkRefusalProb),
               ticked(optIrregular),
               txtOtherProb->text(),
               txtGoalPlan->text(),
               txtActionTaken->text(),
               txtPhilhealth->text(),
               txtSourceInfo->text(),
               txtStatus->text(),
               txtDiagnostic->text(),
               cboReferringParty->currentText()};
    s.patient = {hospNum_,
                 idNum_,
                 txtCaseNo->text(),
                 cboClassCode->currentText(),
                 cmbCategory->currentText(),
                 categoryTag_,
                 interview,
                 expiry,
                 txtZEPW->text(),
                 partyTag_,
                 statusTag_,
                 chkActive->isChecked() ? QStringLiteral("Y") : QStringLiteral("N")};
    for (int r = 0; r < FCFlexGrid->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < 8; ++c)
            row << cell(r, c);
        s.family << row;
    }
    computeTotal();
    s.totalIncome = familyTotal();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        intake::send(*conn_, s);
    } catch (const db::Error& e) {
        QApplication::restoreOverrideCursor();
        ui::Messages::critical(QStringLiteral("Data Not Successfully Saved.\n") + e.Description(),
                               kTitle);
        return false;
    }
    QApplication::restoreOverrideCursor();
    saved_ = true;
    sheetExists_ = true;
    loadedSnapshot_ = snapshot();
    ui::Messages::plain(QStringLiteral("Record of ") + txtLastName->text() + QStringLiteral(", ") +
                            txtFirstName->text() + QStringLiteral("Saved."),
                        kTitle);
    return true;
}

void frmIntakeSurveySheet::cmdSave_Click() {
    save();
}

void frmIntakeSurveySheet::cmdSavePrint_Click() {
    if (!save())
        return;
    const QString hosp = txtHospitalNo->text().trimmed();
    if (reports::OpenReport(reportFolder_, QStringLiteral("IntakeSheet-Final.rpt"),
                            {departmentTitle_.toUpper(), hospitalAddress_, hosp, hosp}))
        reports::ShowReport(false, QStringLiteral("Intake Sheet Data"), false);
}
