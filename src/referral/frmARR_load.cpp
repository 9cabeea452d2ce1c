// The referral report's opening: the pick lists, the patient's case number, the path of a
// patient without one (with the pay-to-service conversion), the assessment record, the case
// history, the services and activities, and whether the fund button blinks.
#include "frmARR.h"

#include "db/connection.h"
#include "db/dates.h"
#include "patient/patienthelpers.h"
#include "paytoservice.h"
#include "rules/codeditem.h"
#include "rules/codelist.h"
#include "ui/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString kDateFormat = QStringLiteral("MM/dd/yyyy");


// The date as mm/dd/yyyy, or today when the column is empty.
QString dateOrToday(const QVariant& v) {
    const QDate d = db::dateValue(v);
    return (d.isValid() ? d : QDate::currentDate()).toString(kDateFormat);
}

QString today() {
    return QDate::currentDate().toString(kDateFormat);
}

bool flag(const db::Recordset& rs, const QString& name) {
    const QString t = rs.Text(name).trimmed();
    return t == QLatin1String("1") || t == QLatin1String("-1") ||
           t.compare(u"true", Qt::CaseInsensitive) == 0;
}

// Selects, in a list that allows several, every item whose code is `id`; walking from the
// first item, so that the first category can be pre-selected as well as the others.
void selectById(QListWidget* list, const QString& id) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(Qt::UserRole).toString() == id)
            list->item(i)->setSelected(true);
}

void selectByCode(QComboBox* combo, const QString& code) {
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemData(i).toString() == code)
            combo->setCurrentIndex(i); // the last such item stays selected
}

} // namespace

void frmARR::Form_Load() {
    tmrCDF->stop();
    if (!conn_)
        return;
    try {
        fillLists();
        const db::Recordset m = conn_->Query(
            QStringLiteral("SELECT ZEPNum, ZEPDiscountValidity FROM PATIENT_DATA.tbMaster "
                           "WHERE HospNum = ?"),
            {hospNum_.trimmed()});
        if (!m.Eof()) {
            if (m.Text(QStringLiteral("ZEPNum")).trimmed().isEmpty() &&
                m.Text(QStringLiteral("ZEPDiscountValidity")).trimmed().isEmpty()) {
                if (noCaseNumber() == Outcome::Failed) {
                    ui::Messages::info(
                        QStringLiteral("Change to Patient type to service before classifiying"),
                        QStringLiteral("Message"));
                    return;
                }
            } else {
                loadAssessment();
            }
        }
        if (patient::CheckCompany(*conn_, txtIDNum->text().trimmed()))
            tmrCDF->start();
        else
            tmrCDF->stop();
    } catch (const db::Error& e) {
        QApplication::restoreOverrideCursor();
        ui::Messages::critical(e.Description(), QStringLiteral("Message"));
    }
}

// The lists come first: the record's codes are then chosen among their items. Each item
// carries its code as data, so nothing is read back from its text.
void frmARR::fillLists() {
    // A combo of coded items: the text shown, the code carried as the item's data.
    const auto fillCombo = [this](QComboBox* combo, const QString& sql, bool codeShown,
                                  const QString& textCol) {
        combo->clear();
        for (db::Recordset rs = conn_->Query(sql); !rs.Eof(); rs.MoveNext()) {
            const QString code = rs.Text(QStringLiteral("Code"));
            combo->addItem(codeShown ? code + QStringLiteral(" -") + rs.Text(textCol)
                                     : rs.Text(textCol),
                           code.trimmed());
        }
        combo->setCurrentIndex(-1);
    };
    fillCombo(cboClassification,
              QStringLiteral("SELECT COALESCE(Code, '') AS Code, COALESCE(Classification, '') "
                             "AS Classification FROM ZEP.tbZEPClassificationScheme ORDER BY Code"),
              true, QStringLiteral("Classification"));
    fillCombo(cboReferring,
              QStringLiteral("SELECT COALESCE(Code, '') AS Code, COALESCE(ReferringParty, '') "
                             "AS ReferringParty FROM ZEP.tbZEPReferringParty ORDER BY Code"),
              true, QStringLiteral("ReferringParty"));
    fillCombo(cboactive,
              QStringLiteral("SELECT COALESCE(Code, '') AS Code, COALESCE(CaseStatus, '') AS "
                             "CaseStatus FROM ZEP.tbZEPActive ORDER BY Code"),
              false, QStringLiteral("CaseStatus"));

    const auto fill = [this](QListWidget* list, const QString& sql, const QString& textCol,
                             const QString& idCol) {
        list->clear();
        for (db::Recordset rs = conn_->Query(sql); !rs.Eof(); rs.MoveNext()) {
            const QString id = rs.Text(idCol).trimmed();
            auto* item = new QListWidgetItem(
                rules::makeCodedItem(rs.Text(textCol), id, rules::kCategoryItem));
            item->setData(Qt::UserRole, id);
            item->setToolTip(rs.Text(textCol));
            list->addItem(item);
        }
    };
    fill(lstParentCategory,
         QStringLiteral("SELECT ParentCategory, ParentCategoryID FROM ZEP.tbZEPParentCategory "
                        "WHERE Status = 'A' ORDER BY ParentCategoryID"),
         QStringLiteral("ParentCategory"), QStringLiteral("ParentCategoryID"));
    fill(lstCategory,
         QStringLiteral("SELECT Category, CategoryID FROM ZEP.tbZEPCaseCategory "
                        "WHERE Status = 'A' ORDER BY CategoryID"),
         QStringLiteral("Category"), QStringLiteral("CategoryID"));
}

// A patient with neither case number nor date of intake: a service visit gets the intake
// message, a pay visit may be turned into a service visit first; both then show the visit's
// patient with the case number open for typing.
frmARR::Outcome frmARR::noCaseNumber() {
    const db::Recordset cls =
        conn_->Call(QStringLiteral("RADIOLOGY..spRadio_CheckPatientClass"), {visitNumber()});
    const QString visitClass =
        cls.Eof() ? QString() : cls.Text(QStringLiteral("PatientClass")).trimmed();
    if (visitClass != QLatin1String("P")) {
        const db::Recordset m = conn_->Query(
            QStringLiteral("SELECT ZEPDiscountExpiry FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"),
            {hospNum_.trimmed()});
        // A classification on file (an expiry) is a report to load like any other; telling
        // the worker to change the patient type here was wrong, and skipped the fund check.
        if (!m.Eof() && !m.Text(QStringLiteral("ZEPDiscountExpiry")).trimmed().isEmpty()) {
            loadAssessment();
            return Outcome::Loaded;
        }
        ui::Messages::info(QStringLiteral("Patient does not have an intake sheet."),
                           QStringLiteral("Notification"));
        lblStatus->setText(QStringLiteral("No ZEP Number and Classification."));
    } else {
        const ui::Answer a = ui::Messages::question(
            QStringLiteral("PAY PATIENT: Does not have an intake sheet. ") +
                QStringLiteral("\r\n") +
                QStringLiteral("Would you like to update patient type to SERVICE? "),
            QStringLiteral("Notification"));
        if (a != ui::Answer::Yes)
            return Outcome::Failed;
        if (!payToService())
            return Outcome::Failed;
        lblStatus->setText(
            QStringLiteral("Pay to Service Patient. Enter New ZEP Number and ZEP Classfication."));
    }
    fillWithoutIntake();
    // The report saved later needs both dates; today is what the worker would enter.
    mskIntake->setText(today());
    mskRange1->setText(today());
    return Outcome::Continue;
}

// True when the visit is a service visit now; on failure nothing of the change stays and
// the worker is told why.
bool frmARR::payToService() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        referral::convertPayToService(*conn_, visitNumber(), userCode_);
    } catch (const db::Error& e) {
        QApplication::restoreOverrideCursor();
        ui::Messages::critical(QStringLiteral("Data Not Successfully Saved.") + e.Description(),
                               QStringLiteral("Message"));
        return false;
    }
    QApplication::restoreOverrideCursor();
    return true;
}

void frmARR::fillWithoutIntake() {
    const db::Recordset rs =
        conn_->Call(QStringLiteral("ZEP..sp_ZEP_PayPatientInfo"), {visitNumber()});
    if (rs.Eof())
        return;
    txtLastName->setText(rs.Text(QStringLiteral("LastName")));
    txtFirstName->setText(rs.Text(QStringLiteral("FirstName")));
    txtMiddleName->setText(rs.Text(QStringLiteral("MiddleName")));
    txtHospNum->setText(rs.Text(QStringLiteral("HospNum")));
    txtIDNum->setText(rs.Text(QStringLiteral("IDNum")));
    txtDoctor->setText(rs.Text(QStringLiteral("DoctorName")));
    txtRoomID->setText(rs.Text(QStringLiteral("RoomID")));
    txtZEPNum->setReadOnly(false);
    txtZEPNum->setEnabled(true);
    // The colour that tells the worker a new case number goes here.
    QPalette p = txtZEPNum->palette();
    p.setColor(QPalette::Base, QColor(222, 227, 248));
    txtZEPNum->setPalette(p);
}

void frmARR::loadAssessment() {
    const db::Recordset rs =
        conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetAssessmentRecord"), {visitNumber()});
    if (rs.Eof()) {
        ui::Messages::info(
            QStringLiteral("Patient is not existing in the database.Try to search again."),
            QStringLiteral("Message"));
        return;
    }
    txtLastName->setText(rs.Text(QStringLiteral("LastName")));
    txtFirstName->setText(rs.Text(QStringLiteral("FirstName")));
    txtMiddleName->setText(rs.Text(QStringLiteral("MiddleName")));
    txtHospNum->setText(rs.Text(QStringLiteral("HospNum")));
    txtIDNum->setText(rs.Text(QStringLiteral("IDNum")));
    txtZEPNum->setText(rs.Text(QStringLiteral("ZEPNum")));
    txtDoctor->setText(rs.Text(QStringLiteral("DoctorName")));
    txtRoomID->setText(rs.Text(QStringLiteral("RoomID")));
    const QVariant validity = rs.Value(QStringLiteral("ZEPDiscountValidity"));
    mskIntake->setText(dateOrToday(validity));
    const QDate v = db::dateValue(validity);
    txtValidityDate->setText(v.isValid() ? v.toString(kDateFormat) : QString());
    txtZEPW->setText(rs.Text(QStringLiteral("ZEPWName")));
    txtNC->setText(rs.Text(QStringLiteral("NC")));
    txtRemarks->setText(rs.Text(QStringLiteral("Remarks")));
    lblCode->setText(rs.Text(QStringLiteral("Code")));
    mskRange1->setText(dateOrToday(rs.Value(QStringLiteral("ZEPDiscountExpiry"))));

    loadedWorker_ = rs.Text(QStringLiteral("ZEPW")).trimmed();
    workerName_ = rs.Text(QStringLiteral("ZEPWName"));
    sponsor_ = flag(rs, QStringLiteral("IsCDF"));
    special_ = flag(rs, QStringLiteral("IsSpecial"));
    pcso_ = flag(rs, QStringLiteral("IsPCSO"));
    categoryLoaded_ = rs.Text(QStringLiteral("CaseCategory")).trimmed();
    parentLoaded_ = rs.Text(QStringLiteral("parentcategory")).trimmed();
    referringLoaded_ = rs.Text(QStringLiteral("ReferringPartyID")).trimmed();
    serviceCodes_ = rs.Text(QStringLiteral("serviceid"));

    if (rs.Text(QStringLiteral("Code")).isEmpty() && !txtZEPNum->text().isEmpty())
        lblStatus->setText(QStringLiteral("Classification has expired last vesk here "));

    const QString type = rs.Text(QStringLiteral("pcsotype")).trimmed();
    const int option = type == QLatin1String("E")   ? 0
                       : type == QLatin1String("G") ? 1
                       : type == QLatin1String("C") ? 2
                                                    : -1;
    for (int k = 0; k < 3; ++k) {
        optPCSO[k]->setAutoExclusive(false);
        optPCSO[k]->setChecked(k == option);
        optPCSO[k]->setAutoExclusive(true);
    }

    selectByCode(cboClassification, lblCode->text().trimmed());
    if (!categoryLoaded_.isEmpty())
        selectById(lstCategory, categoryLoaded_);
    if (!parentLoaded_.isEmpty())
        selectById(lstParentCategory, parentLoaded_);
    if (!referringLoaded_.isEmpty())
        selectByCode(cboReferring, referringLoaded_);
    chkSponsor->setChecked(sponsor_);
    chkPCSO->setChecked(pcso_);
    chkSpecial->setChecked(special_);
    if (txtZEPNum->text().trimmed().isEmpty()) {
        txtZEPNum->setReadOnly(false);
        txtZEPNum->setEnabled(true);
    }
    loadCaseHistory();
    showServices();
    showActivities();
}

void frmARR::loadCaseHistory() {
    const db::Recordset rs = conn_->Call(QStringLiteral("Zep..sp_LoadPatCaseHistory"),
                                         {hospNum_.trimmed(), visitNumber()});
    if (rs.Eof())
        return;
    // One value per box in box order; boxes the text does not reach stay unticked.
    const QStringList docs = rs.Text(QStringLiteral("docs")).split(QLatin1Char('|'));
    for (int k = 0; k < int(chkdoc.size()); ++k)
        chkdoc[k]->setChecked(k < docs.size() && docs.at(k).trimmed() == QLatin1String("1"));
    statusTag_ = rs.Text(QStringLiteral("casestatus")).trimmed();
    cboactive->setCurrentText(rs.Text(QStringLiteral("casedesc")));
    activityCodes_ = rs.Text(QStringLiteral("activityid"));
    chkActive->setChecked(rs.Text(QStringLiteral("active")).trimmed() == QLatin1String("Y"));
}

namespace {

// Rebuilds a shown list from a code list, in its order; codes the catalogue does not hold
// are skipped. One statement for the whole list.
void showCodes(db::Connection* conn, QListWidget* list, const QString& table,
               const QString& codes) {
    list->clear();
    const QStringList wanted = rules::splitCodeList(codes);
    if (!conn || wanted.isEmpty())
        return;
    QStringList marks;
    QVariantList values;
    for (const QString& code : wanted) {
        marks << QStringLiteral("?");
        values << code;
    }
    QHash<QString, QString> found;
    for (db::Recordset rs = conn->Query(QStringLiteral("SELECT Code, Description FROM %1 WHERE "
                                                       "Code IN (%2)")
                                            .arg(table, marks.join(QStringLiteral(", "))),
                                        values);
         !rs.Eof(); rs.MoveNext())
        found.insert(rs.Text(QStringLiteral("Code")).trimmed(),
                     rs.Text(QStringLiteral("Description")));
    for (const QString& code : wanted) {
        const auto it = found.constFind(code);
        if (it == found.constEnd())
            continue;
        auto* item = new QListWidgetItem(rules::makeCodedItem(*it, code, rules::kServiceListItem));
        item->setData(Qt::UserRole, code);
        item->setToolTip(code + QStringLiteral("  ") + *it);
        list->addItem(item);
    }
}

} // namespace

void frmARR::showServices() {
    showCodes(conn_, lstServices, QStringLiteral("ZEP.tbZEPServiceCategory"), serviceCodes_);
    fmeService->setVisible(true);
}

void frmARR::showActivities() {
    showCodes(conn_, lstactivity, QStringLiteral("ZEP.tbZEPActivity"), activityCodes_);
    frmactivity->setVisible(true);
}
