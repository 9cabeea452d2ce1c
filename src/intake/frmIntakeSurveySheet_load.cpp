// The intake sheet's opening: the visit's class and case number, the patient master and the
// visit, the sheet saved before, the lookup lists.
#include "frmIntakeSurveySheet.h"

#include "components/patient/clsAdmission.h"
#include "components/patient/clsPatientMaster.h"
#include "db/connection.h"
#include "db/dates.h"
#include "patient/clsPatientSearch.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace {

const QString kDateFormat = QStringLiteral("MM/dd/yyyy");


// A saved check box: 1 (or true), or the box's caption as earlier versions stored it.
bool savedFlag(const QString& value, const QString& caption) {
    const QString t = value.trimmed();
    return t == QLatin1String("1") || t == QLatin1String("-1") ||
           t.compare(u"true", Qt::CaseInsensitive) == 0 ||
           t.compare(caption, Qt::CaseInsensitive) == 0;
}

void check(QAbstractButton* b, bool on) {
    const bool exclusive = b->autoExclusive();
    if (!on)
        b->setAutoExclusive(false);
    b->setChecked(on);
    b->setAutoExclusive(exclusive);
}

} // namespace

void frmIntakeSurveySheet::loadSheet() {
    if (!conn_) {
        loadedSnapshot_ = snapshot();
        return;
    }
    // The sheet belongs to the hospital number even when the master cannot be read.
    txtHospitalNo->setText(hospNum_.trimmed());
    DTDateInterviewed->setDate(QDate::currentDate());
    try {
        runCategorySearch();
        formatGrid();
        const QString type = patientType_.trimmed();
        const bool outPatientId = idNum_.trimmed().endsWith(u'B', Qt::CaseInsensitive);
        if (type == QLatin1String("0"))
            loadInPatient();
        else if (type == QLatin1String("1"))
            loadOutPatient();
        else if (type == QLatin1String("2") || type == QLatin1String("3"))
            outPatientId ? loadOutPatient() : loadInPatient();
        fillLists();
        readSavedSheet();
        loadFamily();
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), QStringLiteral("Message"));
    }
    loadedSnapshot_ = snapshot();
}

void frmIntakeSurveySheet::runCategorySearch() {
    const db::Recordset rs =
        conn_->Call(QStringLiteral("sp_SearchCategoryandClassification"), {idNum_});
    if (rs.Eof())
        return;
    txtClassification->setText(rs.Text(QStringLiteral("Classification")));
    cboClassCode->setCurrentText(rs.Text(QStringLiteral("classificationid")));
    cmbCategory->setCurrentText(rs.Text(QStringLiteral("category")));
    const QString id = rs.Text(QStringLiteral("categoryid"));
    categoryTag_ = id.isEmpty() ? QStringLiteral("0") : id;
    txtCaseNo->setText(rs.Text(QStringLiteral("ZEP")));
}

bool frmIntakeSurveySheet::loadMaster() {
    if (!patients_)
        return false;
    patient::clsPatientMaster& m = patients_->PatientMaster();
    if (!m.LoadPatient(hospNum_))
        return false;
    txtHospitalNo->setText(m.HospitalNumber);
    txtLastName->setText(m.LastName);
    txtFirstName->setText(m.FirstName);
    txtMiddle->setText(m.MiddleName);
    txtAge->setText(m.Age);
    if (m.Sex == QLatin1String("M"))
        optSexMale->setChecked(true);
    else if (m.Sex == QLatin1String("F"))
        optSexFemale->setChecked(true);
    const int cs = m.CivilStatus.toInt(); // "1" single ... "4" widow/er, else divorced
    optCS[cs >= 1 && cs <= 4 ? cs - 1 : 4]->setChecked(true);
    txtReligion->setText(m.Religion.Description);
    txtOccupation->setText(m.Occupation);
    txtBirthdate->setText(m.BirthDate.isValid() ? m.BirthDate.toString(kDateFormat) : QString());
    txtBirthPlace->setText(m.BirthPlace);
    txtHouseStreet->setText(m.Address.Housestreet);
    txtBarangay->setText(m.Address.Barangay);
    txtProvince->setText(m.Address.Town + QStringLiteral(", ") + m.Address.Province);
    txtZipCode->setText(m.Address.Zipcode);
    txtTelNo->setText(m.TelNumber);
    txtStatus->setText(m.PatientStatus);
    txtEmployer->setText(m.Employer.EmployerName);
    txtEmploymentAd->setText(m.Employer.EmployerAddress);
    txtSSSMember->setText(m.SSSGSIS);
    txtPhilhealth->setText(m.SSSGSIS);
    DTDateInterviewed->setDate(QDate::currentDate());
    return true;
}

void frmIntakeSurveySheet::loadInPatient() {
    loadMaster();
    if (!patients_ || !patients_->ValidateAdmission(idNum_))
        return;
    patient::clsAdmission& a = patients_->Admission();
    if (!a.Opened())
        return;
    txtAdmissionDate->setText(a.AdmissionDate.date().toString(kDateFormat));
    txtWard->setText(a.Room.RoomID);
    txtChiefComp->setText(a.History.ChiefComplaint);
    txtMDOtherInfo->setText(a.Remarks);
    txtReferredBy->setText(a.ReferringDoctor);
    txtDiagnosis->setText(a.History.AdmittingDiagnosis);
    txtTreatment->setText(a.History.Procedures);
    txtDiagnostic->setText(a.History.AdmittingImpression);
    txtGoalPlan->clear();
    txtActionTaken->clear();
    (a.NewAdmission ? optNew : optOld)->setChecked(true);
}

void frmIntakeSurveySheet::loadOutPatient() {
    loadMaster();
    const db::Recordset rs =
        conn_->Call(QStringLiteral("Radiology..spGlobal_RegisteredOPD"), {QString(), 1, idNum_});
    if (!rs.Eof()) {
        const QDate d = db::dateValue(rs.Value(QStringLiteral("AdmDate")));
        txtAdmissionDate->setText(d.isValid() ? d.toString(kDateFormat) : QString());
    }
    txtWard->setText(QStringLiteral("OPD"));
}

// The lists come first so that choosing their first item never overwrites a loaded text.
void frmIntakeSurveySheet::fillLists() {
    const auto keepText = [](QComboBox* c, const auto& fill) {
        const QString text = c->currentText();
        c->clear();
        fill();
        c->setCurrentText(text);
    };
    keepText(cmbCategory, [&] {
        for (db::Recordset rs = conn_->Query(QStringLiteral(
                 "SELECT Category AS category FROM ZEP.tbZEPCaseCategory ORDER BY CategoryID"));
             !rs.Eof(); rs.MoveNext())
            cmbCategory->addItem(rs.Text(QStringLiteral("category")));
    });
    keepText(cboClassCode, [&] {
        classNames_.clear();
        for (db::Recordset rs = conn_->Query(QStringLiteral(
                 "SELECT COALESCE(Code, '') AS Code, COALESCE(Classification, '') AS "
                 "Classification FROM ZEP.tbZEPClassificationScheme ORDER BY Code"));
             !rs.Eof(); rs.MoveNext()) {
            cboClassCode->addItem(rs.Text(QStringLiteral("Code")));
            classNames_ << rs.Text(QStringLiteral("Classification"));
        }
    });
    keepText(cbostatus, [&] {
        for (db::Recordset rs = conn_->Query(
                 QStringLiteral("SELECT COALESCE(Code, '') AS Code, COALESCE(CaseStatus, '') AS "
                                "CaseStatus FROM ZEP.tbZEPActive ORDER BY Code"));
             !rs.Eof(); rs.MoveNext())
            cbostatus->addItem(rs.Text(QStringLiteral("CaseStatus")));
    });
    keepText(cboReferringParty, [&] {
        for (db::Recordset rs = conn_->Query(QStringLiteral(
                 "SELECT COALESCE(Code, '') AS Code, COALESCE(ReferringParty, '') AS "
                 "ReferringParty FROM ZEP.tbZEPReferringParty ORDER BY Code"));
             !rs.Eof(); rs.MoveNext())
            cboReferringParty->addItem(rs.Text(QStringLiteral("ReferringParty")));
    });
}

void frmIntakeSurveySheet::readSavedSheet() {
    const db::Recordset rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_LoadExistIntakeSheet"),
                                         {txtHospitalNo->text().trimmed()});
    sheetExists_ = !rs.Eof();
    if (!sheetExists_)
        return;
    const auto text = [&](const char* col) { return rs.Text(QString::fromLatin1(col)); };
    const auto setDate = [&](QDateEdit* d, const char* col) {
        const QDate v = db::dateValue(rs.Value(QString::fromLatin1(col)));
        if (v.isValid())
            d->setDate(v);
    };
    setDate(txtExpiry, "ExpiryDate");
    partyTag_ = text("refpartyid");
    cboReferringParty->setCurrentText(text("ReferringParty"));
    statusTag_ = text("casestatus");
    cbostatus->setCurrentText(text("Status"));
    cmbCategory->setCurrentText(text("category"));
    categoryTag_ = text("CategoryNum");
    chkActive->setChecked(text("activestatus").trimmed() == QLatin1String("Y"));

    txtCaseNo->setText(text("ZEPNumber"));
    setDate(DTDateInterviewed, "InterviewDate");
    cboClassCode->setCurrentText(text("Code"));
    txtClassification->setText(text("Classification"));
    chkSeniorCitizen->setChecked(savedFlag(text("SeniorCitizen"), QString()));
    txtEducation->setText(text("Education"));
    txtStatus->setText(text("WorkStatus"));
    txtSalary->setText(text("Salary"));
    txtSourceInfo->setText(text("InfoSource"));
    txtZEPW->setText(text("ZEPW"));
    txtReferredBy->setText(text("ReferredBy"));
    setDate(DTDateReferred, "DateReferred");
    txtRefferAd->setText(text("ReferralAddress"));
    txtDocDSWD->setText(text("DSWDSCSR"));
    txtDocAOCert->setText(text("AOCert"));
    txtDocCertEmploy->setText(text("CertOfEmployment"));
    txtDocMayorOff->setText(text("TreasurerMayorOffice"));
    txtDocBrgyClear->setText(text("BrgyClearance"));
    txtDocOthers->setText(text("Others"));
    txtChiefComp->setText(text("ChiefComplaint"));
    txtDiagnosis->setText(text("Diagnosis"));
    txtTreatment->setText(text("Treatment"));
    txtMDOtherInfo->setText(text("OtherMDInfo"));
    txtOtherResources->setText(text("Resources"));
    txtExpenses->setText(text("Expenses"));
    check(chkFinancialProb, savedFlag(text("FinancialProb"), QStringLiteral("Financial Problem")));
    check(chkDifficultyProb,
          savedFlag(text("Difficulty"), QStringLiteral("Difficulty in coping with stress")));
    check(chkAggressiveProb,
          savedFlag(text("Aggressiveness"),
                    QStringLiteral("Aggressiveness/Stubborness/Demanding Traits")));
    check(chkRefusalProb,
          savedFlag(text("Refusal"), QStringLiteral("Refusal to Accept Treatment")));
    check(optIrregular, savedFlag(text("IrregularCheckUp"), QStringLiteral("Irregular Check-up")));
    txtOtherProb->setText(text("OtherProblem"));
    txtDiagnostic->setText(text("DiagnosticImpress"));
    txtGoalPlan->setText(text("HelpingGoals"));
    txtActionTaken->setText(text("ActionTaken"));
}

// A text chosen or typed into a lookup combo gives its code when the catalogue knows it;
// otherwise the code chosen before stays.
void frmIntakeSurveySheet::lookupTag(QComboBox* combo) {
    if (!conn_)
        return;
    QString sql, column;
    QString* tag = nullptr;
    if (combo == cboReferringParty) {
        sql = QStringLiteral("SELECT Code FROM ZEP.tbZEPReferringParty WHERE ReferringParty = ?");
        column = QStringLiteral("Code");
        tag = &partyTag_;
    } else if (combo == cbostatus) {
        sql = QStringLiteral("SELECT Code FROM ZEP.tbZEPActive WHERE CaseStatus = ?");
        column = QStringLiteral("Code");
        tag = &statusTag_;
    } else if (combo == cmbCategory) {
        sql = QStringLiteral(
            "SELECT CategoryID AS categoryid FROM ZEP.tbZEPCaseCategory WHERE Category = ?");
        column = QStringLiteral("categoryid");
        tag = &categoryTag_;
    } else {
        return;
    }
    try {
        const db::Recordset rs = conn_->Query(sql, {combo->currentText()});
        if (!rs.Eof())
            *tag = rs.Text(column);
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), QStringLiteral("Message"));
    }
}

// A code typed that the list does not hold has no class name: the name is cleared rather
// than left naming another class.
void frmIntakeSurveySheet::classCodeChosen(int index) {
    txtClassification->setText(index >= 0 && index < classNames_.size() &&
                                       cboClassCode->itemText(index) == cboClassCode->currentText()
                                   ? classNames_.at(index)
                                   : QString());
}
