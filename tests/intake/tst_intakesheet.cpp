// The intake sheet screen on a real database: opening for each kind of visit, the Enter
// chain, the family grid driven by keys, a save read back by a new screen, the refusals
// and a failed save that leaves the database and the screen as they were.
#include "components/codesearch/clsCodeSearch.h"
#include "components/patient/clsPatientMaster.h"
#include "db/settings.h"
#include "intake/frmIntakeSurveySheet.h"
#include "intake/intakesave.h"
#include "patient/clsPatientSearch.h"
#include "patient/frmEmployeeListing.h"
#include "reports/ui/operations.h"
#include "testdb.h"
#include "ui/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using ui::Messages;

namespace {

void seed(db::Connection& c) {
    const auto run = [&](const QString& sql) { c.Execute(sql); };
    run(u"INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification) VALUES "
        "('A1', 'C1', 'Class One'), ('A2', 'C2', 'Class Two')"_s);
    run(u"INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES "
        "('01', 'Medical'), ('02', 'Surgical')"_s);
    run(u"INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES "
        "('R1', 'Barangay'), ('R2', 'Walk-in')"_s);
    run(u"INSERT INTO ZEP.tbZEPActive (Code, CaseStatus) VALUES ('N', 'New'), ('O', 'Old')"_s);
    run(u"INSERT INTO BUILD_FILE.tbCoZipCode (ZipCode, Town, Province) VALUES "
        "('3001', 'Paombong', 'Bulacan')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station) VALUES ('R301', 'NS3')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, "
        "BirthDate, BirthPlace, CivilStatus, Occupation, HouseStreet, Barangay, Town, Province, "
        "ZipCode, TelNumber, SSSGSIS) VALUES "
        "('H1', 'O''BRIEN', 'MARY', 'DE LA PAZ', 'F', '1980-07-04', 'Hagonoy', '3', 'Vendor', "
        "'12 Mabini St.', 'San Jose', 'Malolos', 'Bulacan', '3000', '044-1234', 'SSS-1'), "
        "('H2', 'SANTOS', 'PEDRO', '', 'M', '1990-01-02', 'Manila', '1', 'Driver', '5 Rizal', "
        "'Poblacion', 'Hagonoy', 'Bulacan', '3002', '', ''), "
        "('H3', 'REYES', 'ANA', '', 'F', NULL, '', NULL, '', '', '', '', '', '', '', '')"_s);
    run(u"UPDATE PATIENT_DATA.tbMaster SET ZEPNum = 'Z-300' WHERE HospNum = 'H3'"_s);
    run(u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, RoomID, "
        "ReferringDoctor, NewAdmission, ChiefComplaint, AdmittingDiagnosis, AdmittingImpression, "
        "Procedures, Remarks) VALUES ('1001', 'H1', '2026-03-14 08:00:00', 'R301', 'Dr. Cruz', 0, "
        "'Cough', 'Pneumonia', 'Pneumonia, severe', 'Nebulised', 'Stable')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, Complaint) VALUES "
        "('5001B', 'H2', '2026-03-12 09:30:00', 'Check-up')"_s);
}

// Every row of the tables a save touches, as text.
QStringList snapshot(db::Connection& c) {
    QStringList out;
    for (const auto& sql : {u"SELECT * FROM ZEP.tbZEPIntakeSheet ORDER BY HospNum"_s,
                            u"SELECT * FROM ZEP.tbZEPFamilyMember ORDER BY HospNum, MemberNo"_s,
                            u"SELECT * FROM PATIENT_DATA.tbMaster ORDER BY HospNum"_s}) {
        for (auto rs = c.Query(sql); !rs.Eof(); rs.MoveNext()) {
            QStringList row;
            for (int i = 0; i < rs.FieldCount(); ++i)
                row << rs.Text(i);
            out << row.join(u'|');
        }
    }
    return out;
}

void press(QWidget* w, int key = Qt::Key_Return) {
    QTest::keyClick(w, Qt::Key(key));
}

} // namespace

class TestIntakeSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opening_data();
    void opening();
    void enterChain();
    void zipCodeEnter();
    void classCodeAndEdit();
    void workerLookup();
    void familyGridByKeys();
    void totalIsTheSum();
    void saveAndReopen();
    void refusals_data();
    void refusals();
    void caseNumberOfAnotherPatient();
    void failedSaveKeepsEverything();
    void savePrintHandsTheReport();

private:
    std::unique_ptr<frmIntakeSurveySheet> open(const QString& hosp, const QString& id,
                                               const QString& type);
    void fillForSave(frmIntakeSurveySheet& f);
    void clickCell(frmIntakeSurveySheet& f, int row, int col);

    std::unique_ptr<db::Connection> conn_;
    db::Connection* global_ = nullptr;
    patient::clsPatientSearch service_;
};

void TestIntakeSheet::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::fresh();
    seed(*conn_);
    db::rememberPassword(conn_->settings());
    global_ = conn_.get();
    QVERIFY(service_.InitConnection(conn_->ConnectionString(), QString(), global_));
    Messages::startScript();
    Messages::setApplicationTitle(u"ZEP - SOCIAL SERVICE"_s);
}

void TestIntakeSheet::init() {
    Messages::clearShown();
}

void TestIntakeSheet::cleanup() {
    conn_->faults().disarm();
    QCOMPARE(Messages::unusedAnswers(), 0);
}

std::unique_ptr<frmIntakeSurveySheet> TestIntakeSheet::open(const QString& hosp, const QString& id,
                                                            const QString& type) {
    auto f = std::make_unique<frmIntakeSurveySheet>();
    f->setConnection(conn_.get());
    f->setPatientService(&service_);
    f->setDepartmentTitle(u"ZEP - Social Service"_s);
    f->setHospitalAddress(u"1 Test Street"_s);
    f->setReportFolder(qEnvironmentVariable("ZEP_SOURCE_DIR") + u"/reports/"_s);
    f->setHospNum(hosp);
    f->setIDNUM(id);
    f->setPatientType(type);
    f->show();
    f->activateWindow();
    if (!QTest::qWaitForWindowActive(f.get()))
        qWarning("the sheet did not become active");
    return f;
}

void TestIntakeSheet::opening_data() {
    QTest::addColumn<QString>("hosp");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("lastName");
    QTest::addColumn<QString>("ward");
    QTest::addColumn<QString>("admitted");
    QTest::addColumn<QString>("chief");
    QTest::addColumn<int>("civil");
    QTest::newRow("in-patient") << u"H1"_s << u"1001"_s << u"0"_s << u"O'BRIEN"_s << u"R301"_s
                                << u"03/14/2026"_s << u"Cough"_s << 2;
    QTest::newRow("all patients, admission") << u"H1"_s << u"1001"_s << u"2"_s << u"O'BRIEN"_s
                                             << u"R301"_s << u"03/14/2026"_s << u"Cough"_s << 2;
    QTest::newRow("out-patient") << u"H2"_s << u"5001B"_s << u"1"_s << u"SANTOS"_s << u"OPD"_s
                                 << u"03/12/2026"_s << QString() << 0;
    QTest::newRow("all patients, id ending in b") << u"H2"_s << u"5001b"_s << u"2"_s << u"SANTOS"_s
                                                  << u"OPD"_s << u"03/12/2026"_s << QString() << 0;
    QTest::newRow("ER list, id ending in B") << u"H2"_s << u"5001B"_s << u"3"_s << u"SANTOS"_s
                                             << u"OPD"_s << u"03/12/2026"_s << QString() << 0;
    QTest::newRow("department's own: no patient load")
        << u"H2"_s << u"5001B"_s << u"5"_s << QString() << QString() << QString() << QString()
        << -1;
}

void TestIntakeSheet::opening() {
    QFETCH(QString, hosp);
    QFETCH(QString, id);
    QFETCH(QString, type);
    QFETCH(QString, lastName);
    QFETCH(QString, ward);
    QFETCH(QString, admitted);
    QFETCH(QString, chief);
    QFETCH(int, civil);
    auto f = open(hosp, id, type);
    QCOMPARE(f->txtHospitalNo->text(), hosp);
    QCOMPARE(f->txtLastName->text(), lastName);
    QCOMPARE(f->txtWard->text(), ward);
    QCOMPARE(f->txtAdmissionDate->text(), admitted);
    QCOMPARE(f->txtChiefComp->text(), chief);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(f->optCS[i]->isChecked(), i == civil);
    QCOMPARE(f->DTDateInterviewed->date(), QDate::currentDate());
    QVERIFY(!f->sheetExists());
    // The lists come from the catalogues and do not overwrite what was loaded.
    QCOMPARE(f->cmbCategory->count(), 2);
    QCOMPARE(f->cboClassCode->count(), 2);
    QCOMPARE(f->cbostatus->itemText(1), u"Old"_s);
    QCOMPARE(f->cboReferringParty->itemText(0), u"Barangay"_s);
    QCOMPARE(f->cmbCategory->currentText(), QString());
    QCOMPARE(f->FCFlexGrid->rowCount(), 1);
    QVERIFY(f->cmdAdd->isEnabled());
    if (hosp == u"H1"_s && civil >= 0) {
        QVERIFY(f->optSexFemale->isChecked());
        QCOMPARE(f->txtProvince->text(), u"Malolos, Bulacan"_s);
        QCOMPARE(f->txtBirthdate->text(), u"07/04/1980"_s);
        QCOMPARE(f->txtPhilhealth->text(), u"SSS-1"_s);
        QCOMPARE(f->txtReferredBy->text(), u"Dr. Cruz"_s);
        QCOMPARE(f->txtDiagnostic->text(), u"Pneumonia, severe"_s);
        QVERIFY(f->optOld->isChecked());
    }
    QCOMPARE(Messages::shownTexts(), QStringList());
}

void TestIntakeSheet::enterChain() {
    auto f = open(u"H1"_s, u"1001"_s, u"0"_s);
    const QList<QWidget*> chain{f->txtLastName,    f->txtFirstName,
                                f->txtMiddle,      f->txtAge,
                                f->optSexMale,     nullptr,
                                f->txtBirthdate,   f->txtBirthPlace,
                                f->txtHouseStreet, f->txtBarangay,
                                nullptr,           f->txtTelNo,
                                f->txtEducation,   f->txtOccupation,
                                f->txtReligion,    f->txtEmployer,
                                f->txtStatus,      f->txtEmploymentAd,
                                f->txtSalary,      f->txtSSSMember,
                                f->txtPhilhealth,  f->txtSourceInfo,
                                f->txtReferredBy,  f->DTDateReferred,
                                f->txtRefferAd,    f->txtDocDSWD,
                                f->txtDocAOCert,   f->txtDocCertEmploy,
                                f->txtDocMayorOff, f->txtDocBrgyClear,
                                f->txtDocOthers,   f->txtFlx,
                                nullptr,           f->txtChiefComp,
                                f->txtDiagnosis,   f->txtTreatment,
                                f->txtMDOtherInfo, f->txtOtherResources,
                                f->txtExpenses,    f->chkFinancialProb,
                                nullptr,           f->txtOtherProb,
                                f->txtDiagnostic,  f->txtGoalPlan,
                                f->txtActionTaken, f->cmdSave};
    QStringList before;
    for (QWidget* w : chain)
        if (auto* e = qobject_cast<QLineEdit*>(w))
            before << e->text();
    for (int i = 0; i + 1 < chain.size(); ++i) {
        QWidget* from = chain.at(i);
        QWidget* to = chain.at(i + 1);
        if (!from || !to)
            continue;
        if (from == f->txtOtherProb || from == f->txtChiefComp)
            f->SSTab1->setCurrentIndex(from == f->txtOtherProb ? 2 : 1);
        if (from == f->txtBirthdate || from == f->txtTelNo)
            f->SSTab1->setCurrentIndex(0);
        from->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), from);
        press(from);
        QVERIFY2(QApplication::focusWidget() == to,
                 qPrintable(from->objectName() + u" -> "_s +
                            (QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                         : u"nothing"_s)));
    }
    // The Enter that moved the focus reached no field: every text is as loaded.
    QStringList after;
    for (QWidget* w : chain)
        if (auto* e = qobject_cast<QLineEdit*>(w))
            after << e->text();
    QCOMPARE(after, before);
    QCOMPARE(f->FCFlexGrid->currentRow(), 0);
    QCOMPARE(f->FCFlexGrid->currentColumn(), 0);
}

void TestIntakeSheet::zipCodeEnter() {
    auto f = open(u"H1"_s, u"1001"_s, u"0"_s);
    // Without a pick the zip code and town stay and the focus moves on.
    f->txtZipCode->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), f->txtZipCode);
    press(f->txtZipCode);
    QCOMPARE(QApplication::focusWidget(), f->txtTelNo);
    QCOMPARE(f->txtZipCode->text(), u"3000"_s);
    QCOMPARE(f->txtProvince->text(), u"Malolos, Bulacan"_s);

    codesearch::clsCodeSearch search;
    search.setConnection(conn_.get());
    search.setSearchMode(false); // takes the typed code without showing the picker
    f->setCodeSearch(&search);
    for (const QString& code : {u"9999"_s, u"3001"_s}) {
        f->txtZipCode->setText(code);
        f->txtZipCode->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f->txtZipCode);
        press(f->txtZipCode);
        QCOMPARE(QApplication::focusWidget(), f->txtTelNo);
    }
    QCOMPARE(f->txtZipCode->text(), u"3001"_s);
    QCOMPARE(f->txtProvince->text(), u"Paombong, Bulacan"_s);
    QCOMPARE(Messages::shownTexts(), QStringList());
}

void TestIntakeSheet::classCodeAndEdit() {
    auto f = open(u"H1"_s, u"1001"_s, u"0"_s);
    // Picking a code shows the name at the same list position.
    const int two = f->cboClassCode->findText(u"C2"_s);
    QVERIFY(two >= 0);
    f->cboClassCode->setCurrentIndex(two);
    emit f->cboClassCode->activated(two);
    QCOMPARE(f->txtClassification->text(), u"Class Two"_s);
    // A status chosen from the list gives its code; a typed unknown text keeps it.
    f->cbostatus->setCurrentIndex(f->cbostatus->findText(u"New"_s));
    emit f->cbostatus->activated(f->cbostatus->currentIndex());
    QCOMPARE(f->statusCode(), u"N"_s);
    f->cbostatus->setCurrentText(u"Unheard of"_s);
    emit f->cbostatus->lineEdit()->editingFinished();
    QCOMPARE(f->statusCode(), u"N"_s);

    // A fresh sheet is empty and closed to entry until Edit.
    f->clearSheet();
    QCOMPARE(f->txtLastName->text(), QString());
    QCOMPARE(f->txtCaseNo->text(), QString());
    QVERIFY(!f->optCS[2]->isChecked());
    QVERIFY(!f->txtLastName->isEnabled());
    QVERIFY(!f->chkFinancialProb->isEnabled());
    QTest::mouseClick(f->cmdEdit, Qt::LeftButton);
    QVERIFY(f->txtLastName->isEnabled());
    QVERIFY(f->txtCaseNo->isEnabled());
    QVERIFY(f->DTDateReferred->isEnabled());
    QTest::mouseClick(f->cmdCancel, Qt::LeftButton);
    QVERIFY(!f->isVisible());
}

// Enter in an empty worker box opens the worker list; the choice gives the worker's name.
void TestIntakeSheet::workerLookup() {
    conn_->Execute(u"INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName) VALUES "
                   "('E1', 'DELA CRUZ', 'JUANA')"_s);
    auto f = open(u"H1"_s, u"1001"_s, u"0"_s);
    // In the list: `beforeSelect` runs with the list loaded, then Select (or Close).
    const auto answer = [](bool select, std::function<void()> beforeSelect = {}) {
        QTimer::singleShot(0, [=] {
            auto* list = qobject_cast<frmEmployeeListing*>(QApplication::activeModalWidget());
            QVERIFY(list);
            if (beforeSelect)
                beforeSelect();
            QTest::mouseClick(select ? list->cmdSelect : list->cmdClose, Qt::LeftButton);
        });
    };
    f->txtZEPW->setFocus();
    answer(false);
    press(f->txtZEPW);
    QCOMPARE(f->txtZEPW->text(), QString());
    answer(true);
    press(f->txtZEPW);
    QCOMPARE(f->txtZEPW->text(), u"DELA CRUZ, JUANA"_s);
    QCOMPARE(f->workerCode(), u"E1"_s);
    // A box already holding a worker keeps him on Enter.
    press(f->txtZEPW);
    QCOMPARE(f->txtZEPW->text(), u"DELA CRUZ, JUANA"_s);
    // The worker left the department while the list was open.
    answer(true,
           [this] { conn_->Execute(u"DELETE FROM ZEP.tbZEPEmployee WHERE EmployeeID = 'E1'"_s); });
    QTest::mouseClick(f->cmdAll, Qt::LeftButton);
    QCOMPARE(Messages::shownTexts(), QStringList{u"Employee No Longer Exists."_s});
    QCOMPARE(Messages::shown().first().title, u"MESSAGE"_s);
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Exclamation);
}

void TestIntakeSheet::clickCell(frmIntakeSurveySheet& f, int row, int col) {
    QTableWidget* g = f.FCFlexGrid;
    const QRect r = g->visualRect(g->model()->index(row, col));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
}

void TestIntakeSheet::familyGridByKeys() {
    auto f = open(u"H2"_s, u"5001B"_s, u"1"_s);
    f->SSTab1->setCurrentIndex(1);
    clickCell(*f, 0, 0);
    QVERIFY(f->txtFlx->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), f->txtFlx);
    QTest::keyClicks(f->txtFlx, u"ANA"_s);
    QCOMPARE(f->FCFlexGrid->item(0, 0)->text(), u"ANA"_s); // written as each key is typed
    press(f->txtFlx);
    QCOMPARE(f->FCFlexGrid->currentColumn(), 1);
    QTest::keyClicks(f->txtFlx, u"Daughter"_s);
    press(f->txtFlx);
    QTest::keyClicks(f->txtFlx, u"20"_s);
    press(f->txtFlx);
    // Civil status takes the combo.
    QVERIFY(f->cmbFlx->isVisible());
    QVERIFY(!f->txtFlx->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), f->cmbFlx);
    f->cmbFlx->setCurrentText(u"SINGLE"_s);
    press(f->cmbFlx);
    QCOMPARE(f->FCFlexGrid->item(0, 3)->text(), u"SINGLE"_s);
    QCOMPARE(f->FCFlexGrid->currentColumn(), 4);
    QVERIFY(!f->cmbFlx->isVisible());
    for (const QString& t : {u"College"_s, u"Same"_s, u"Clerk"_s}) {
        QTest::keyClicks(f->txtFlx, t);
        press(f->txtFlx);
    }
    // Left and Right move across; Right in the income column and Left in column 0 do not.
    press(f->txtFlx, Qt::Key_Right);
    QCOMPARE(f->FCFlexGrid->currentColumn(), 7);
    press(f->txtFlx, Qt::Key_Left);
    QCOMPARE(f->FCFlexGrid->currentColumn(), 6);
    QCOMPARE(f->txtFlx->text(), u"Clerk"_s); // the editor shows the cell it moved to
    press(f->txtFlx, Qt::Key_Right);
    QTest::keyClicks(f->txtFlx, u"8000.50"_s);
    press(f->txtFlx);
    QCOMPARE(f->FCFlexGrid->rowCount(), 2);
    QCOMPARE(f->FCFlexGrid->currentRow(), 1);
    QCOMPARE(f->FCFlexGrid->currentColumn(), 0);
    QCOMPARE(f->txtTotFamIncome->text(), u"8000.5"_s);
    press(f->txtFlx, Qt::Key_Left);
    QCOMPARE(f->FCFlexGrid->currentColumn(), 0);
    press(f->txtFlx, Qt::Key_Down); // the last row
    QCOMPARE(f->FCFlexGrid->currentRow(), 1);
    press(f->txtFlx, Qt::Key_Up);
    QCOMPARE(f->FCFlexGrid->currentRow(), 0);
    QCOMPARE(f->txtFlx->text(), u"ANA"_s);
    press(f->txtFlx, Qt::Key_Up);
    QCOMPARE(f->FCFlexGrid->currentRow(), 0);

    // Letters in the income column: the message, an empty income and still a new row.
    press(f->txtFlx, Qt::Key_Down);
    for (int c = 0; c < 7; ++c)
        press(f->txtFlx, Qt::Key_Right);
    QCOMPARE(f->FCFlexGrid->currentColumn(), 7);
    QTest::keyClicks(f->txtFlx, u"much"_s);
    press(f->txtFlx);
    QCOMPARE(Messages::shownTexts(), QStringList{u"Please Enter Numeric Values"_s});
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Information);
    QCOMPARE(Messages::shown().first().title, u"ZEP - SOCIAL SERVICE"_s);
    QCOMPARE(f->FCFlexGrid->item(1, 7)->text(), QString());
    QCOMPARE(f->FCFlexGrid->rowCount(), 3);
    QCOMPARE(f->txtTotFamIncome->text(), u"8000.5"_s);
}

void TestIntakeSheet::totalIsTheSum() {
    QCOMPARE(intake::totalIncome({u"1000"_s, u" 250.25 "_s, u""_s, u"abc"_s, u"-50"_s}), 1200.25);
    QVERIFY(!intake::readsAsNumber(QString()));
    QCOMPARE(intake::numberOr0(u"1,000"_s), 1000.0); // as the worker writes thousands
    QCOMPARE(intake::numberOr0(u"12 pesos"_s), 0.0);
    QVERIFY(intake::readsAsNumber(u"1e3"_s));
    QCOMPARE(intake::familyRowsToSave({{u""_s, u" "_s}, {u"A"_s, u""_s}}).size(), 1);
}

void TestIntakeSheet::fillForSave(frmIntakeSurveySheet& f) {
    f.txtCaseNo->setText(u"Z-100"_s);
    f.cboClassCode->setCurrentText(u"C1"_s);
    f.txtClassification->setText(u"Class One"_s);
    f.cmbCategory->setCurrentText(u"Surgical"_s);
    f.cbostatus->setCurrentText(u"Old"_s);
    f.cboReferringParty->setCurrentText(u"Walk-in"_s);
    f.chkActive->setChecked(true);
    f.chkSeniorCitizen->setChecked(true);
    f.DTDateInterviewed->setDate(QDate(2026, 3, 15));
    f.txtExpiry->setDate(QDate(2027, 3, 15));
    f.DTDateReferred->setDate(QDate(2026, 3, 10));
    f.txtEducation->setText(u"College; 2nd yr"_s);
    f.txtSalary->setText(u"12,000 'monthly'"_s);
    f.txtSourceInfo->setText(u"Daughter"_s);
    f.txtZEPW->setText(u"SW. JUANA"_s);
    f.txtRefferAd->setText(u"Sitio Uno"_s);
    f.txtDocDSWD->setText(u"DSWD-1"_s);
    f.txtDocOthers->setText(u"Other 6"_s);
    f.txtOtherResources->setText(u"Pension"_s);
    f.txtExpenses->setText(u"Rent"_s);
    f.chkFinancialProb->setChecked(true);
    f.chkRefusalProb->setChecked(true);
    f.txtOtherProb->setText(u"Other prob"_s);
    f.txtGoalPlan->setText(u"Goals');--"_s);
    f.txtActionTaken->setText(u"Action"_s);
    f.optCS[1]->setChecked(true);
    const QList<QStringList> rows{
        {u"ANA"_s, u"Daughter"_s, u"20"_s, u"SINGLE"_s, u"College"_s, u"Same"_s, u"Clerk"_s,
         u"8000.5"_s},
        {u"LITO"_s, u"Son"_s, u"17"_s, u"SINGLE"_s, u"HS"_s, u"Same"_s, u"Student"_s, u"500"_s}};
    f.FCFlexGrid->setRowCount(rows.size() + 1); // and the empty row a last Enter adds
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 8; ++c)
            f.FCFlexGrid->setItem(r, c, new QTableWidgetItem(rows.at(r).at(c)));
}

void TestIntakeSheet::saveAndReopen() {
    {
        auto f = open(u"H1"_s, u"1001"_s, u"0"_s);
        fillForSave(*f);
        QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        QCOMPARE(Messages::shownTexts(), QStringList{u"Record of O'BRIEN, MARYSaved."_s});
        QCOMPARE(Messages::shown().first().title, u"Message"_s);
        QVERIFY(f->saved());
        QCOMPARE(f->txtCaseNo->text(), u"Z-100"_s); // nothing is cleared after a save
    }
    Messages::clearShown();
    auto f = open(u"H1"_s, u"1001"_s, u"0"_s);
    QVERIFY(f->sheetExists());
    QCOMPARE(f->txtCaseNo->text(), u"Z-100"_s);
    QCOMPARE(f->cboClassCode->currentText(), u"C1"_s);
    QCOMPARE(f->txtClassification->text(), u"Class One"_s);
    QCOMPARE(f->cmbCategory->currentText(), u"Surgical"_s);
    QCOMPARE(f->categoryId(), u"02"_s);
    QCOMPARE(f->cbostatus->currentText(), u"Old"_s);
    QCOMPARE(f->statusCode(), u"O"_s);
    QCOMPARE(f->cboReferringParty->currentText(), u"Walk-in"_s);
    QCOMPARE(f->referringPartyCode(), u"R2"_s);
    QVERIFY(f->chkActive->isChecked());
    QVERIFY(f->chkSeniorCitizen->isChecked());
    QCOMPARE(f->DTDateInterviewed->date(), QDate(2026, 3, 15));
    QCOMPARE(f->txtExpiry->date(), QDate(2027, 3, 15));
    QCOMPARE(f->DTDateReferred->date(), QDate(2026, 3, 10));
    QCOMPARE(f->txtEducation->text(), u"College; 2nd yr"_s);
    QCOMPARE(f->txtSalary->text(), u"12,000 'monthly'"_s);
    QCOMPARE(f->txtSourceInfo->text(), u"Daughter"_s);
    QCOMPARE(f->txtZEPW->text(), u"SW. JUANA"_s);
    QCOMPARE(f->txtReferredBy->text(), u"Dr. Cruz"_s);
    QCOMPARE(f->txtRefferAd->text(), u"Sitio Uno"_s);
    QCOMPARE(f->txtDocDSWD->text(), u"DSWD-1"_s);
    QCOMPARE(f->txtDocOthers->text(), u"Other 6"_s);
    QCOMPARE(f->txtTreatment->text(), u"Nebulised"_s);
    QCOMPARE(f->txtMDOtherInfo->text(), u"Stable"_s);
    QCOMPARE(f->txtOtherResources->text(), u"Pension"_s);
    QCOMPARE(f->txtExpenses->text(), u"Rent"_s);
    QVERIFY(f->chkFinancialProb->isChecked());
    QVERIFY(f->chkRefusalProb->isChecked());
    QVERIFY(!f->chkDifficultyProb->isChecked());
    QVERIFY(!f->chkAggressiveProb->isChecked());
    QVERIFY(!f->optIrregular->isChecked());
    QCOMPARE(f->txtOtherProb->text(), u"Other prob"_s);
    QCOMPARE(f->txtGoalPlan->text(), u"Goals');--"_s);
    QCOMPARE(f->txtActionTaken->text(), u"Action"_s);
    // The family: two rows, the total the sum of both incomes, no adding by the button.
    QCOMPARE(f->FCFlexGrid->rowCount(), 2);
    QCOMPARE(f->FCFlexGrid->item(1, 0)->text(), u"LITO"_s);
    QCOMPARE(f->FCFlexGrid->item(1, 6)->text(), u"Student"_s);
    QCOMPARE(f->FCFlexGrid->item(0, 7)->text(), u"8000.5"_s);
    QCOMPARE(f->FCFlexGrid->horizontalHeaderItem(1)->text(), u"Rel. to Patient"_s);
    QCOMPARE(f->txtTotFamIncome->text(), u"8500.5"_s);
    QVERIFY(!f->cmdAdd->isEnabled());
    // The master record carries the case number, class and dates the rest of the system reads.
    auto rs = conn_->Query(u"SELECT ZEPNum, ZEPClassification, ZEPDiscountExpiry FROM "
                           "PATIENT_DATA.tbMaster WHERE HospNum = 'H1'"_s);
    QCOMPARE(rs.Text(u"ZEPNum"_s), u"Z-100"_s);
    QCOMPARE(rs.Text(u"ZEPClassification"_s), u"C1"_s);
    QVERIFY(rs.Text(u"ZEPDiscountExpiry"_s).startsWith(u"2027-03-15"_s));
    rs = conn_->Query(u"SELECT Sex, CivilStatus, TotalFamilyIncome FROM ZEP.tbZEPIntakeSheet "
                      "WHERE HospNum = 'H1'"_s);
    QCOMPARE(rs.Text(u"Sex"_s), u"Female"_s);
    QCOMPARE(rs.Text(u"CivilStatus"_s), u"Separated"_s);
    QCOMPARE(rs.Number(u"TotalFamilyIncome"_s), 8500.5);
    QCOMPARE(Messages::shownTexts(), QStringList());
}

void TestIntakeSheet::refusals_data() {
    QTest::addColumn<QString>("caseNo");
    QTest::addColumn<int>("civil");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::newRow("no case number")
        << QString() << 0 << u"Can't save incomplete data Case Number is Missing."_s
        << int(ui::Icon::Information);
    QTest::newRow("divorced") << u"Z-200"_s << 4 << u"Civil Status is Missing."_s
                              << int(ui::Icon::Exclamation);
    QTest::newRow("no civil status")
        << u"Z-200"_s << -1 << u"Civil Status is Missing."_s << int(ui::Icon::Exclamation);
}

void TestIntakeSheet::refusals() {
    QFETCH(QString, caseNo);
    QFETCH(int, civil);
    QFETCH(QString, message);
    QFETCH(int, icon);
    auto f = open(u"H2"_s, u"5001B"_s, u"1"_s);
    fillForSave(*f);
    f->txtCaseNo->setText(caseNo);
    for (QRadioButton* o : f->optCS) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
    if (civil >= 0)
        f->optCS[civil]->setChecked(true);
    const QStringList before = snapshot(*conn_);
    reports::startRecording();
    reports::clearShownReports();
    QTest::mouseClick(f->cmdSavePrint, Qt::LeftButton);
    QCOMPARE(Messages::shownTexts(), QStringList{message});
    QCOMPARE(int(Messages::shown().first().icon), icon);
    QCOMPARE(Messages::shown().first().title, u"Message"_s);
    QVERIFY(reports::shownReports().isEmpty());
    reports::stopRecording();
    QCOMPARE(snapshot(*conn_), before);
    QVERIFY(!f->saved());
    QCOMPARE(f->txtEducation->text(), u"College; 2nd yr"_s);
}

void TestIntakeSheet::caseNumberOfAnotherPatient() {
    auto f = open(u"H2"_s, u"5001B"_s, u"1"_s);
    fillForSave(*f);
    f->txtCaseNo->setText(u"Z-300"_s);
    const QStringList before = snapshot(*conn_);
    QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    QCOMPARE(Messages::shownTexts(),
             QStringList{u"The CaseNumber already exists and is owned by REYES, ANA"_s});
    QCOMPARE(Messages::shown().first().title, u"Message"_s);
    QCOMPARE(f->txtCaseNo->text(), QString());
    QCOMPARE(snapshot(*conn_), before);

    // Enter in the case number runs the same check.
    Messages::clearShown();
    f->txtCaseNo->setText(u"Z-300"_s);
    f->txtCaseNo->setFocus();
    press(f->txtCaseNo);
    QCOMPARE(Messages::shownTexts().size(), 1);
    QCOMPARE(f->txtCaseNo->text(), QString());
    // A number nobody holds stays.
    Messages::clearShown();
    f->txtCaseNo->setText(u"Z-201"_s);
    press(f->txtCaseNo);
    QCOMPARE(Messages::shownTexts(), QStringList());
    QCOMPARE(f->txtCaseNo->text(), u"Z-201"_s);
    // A check that cannot run says why, keeps the number and saves nothing.
    const QStringList before2 = snapshot(*conn_);
    conn_->faults().failCall(1);
    QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    conn_->faults().disarm();
    QCOMPARE(Messages::shown().size(), 1);
    QVERIFY(Messages::shownTexts().first().startsWith(u"Injected fault"_s));
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Critical);
    QCOMPARE(f->txtCaseNo->text(), u"Z-201"_s);
    QCOMPARE(snapshot(*conn_), before2);
    QVERIFY(!f->saved());
}

void TestIntakeSheet::failedSaveKeepsEverything() {
    auto f = open(u"H2"_s, u"5001B"_s, u"1"_s);
    fillForSave(*f);
    f->txtCaseNo->setText(u"Z-200"_s);
    const QStringList before = snapshot(*conn_);
    conn_->faults().failCall(3); // the check, the sheet, then the other information fails
    QTest::mouseClick(f->cmdSave, Qt::LeftButton);
    conn_->faults().disarm();
    QCOMPARE(Messages::shown().size(), 1);
    const ui::Shown shown = Messages::shown().first();
    QVERIFY2(shown.text.startsWith(u"Data Not Successfully Saved.\nInjected fault"_s),
             qPrintable(shown.text));
    QCOMPARE(shown.icon, ui::Icon::Critical);
    QCOMPARE(shown.title, u"Message"_s);
    QCOMPARE(snapshot(*conn_), before);
    QVERIFY(!conn_->inTransaction());
    QVERIFY(!f->saved());
    QCOMPARE(f->txtCaseNo->text(), u"Z-200"_s);
    QCOMPARE(f->txtGoalPlan->text(), u"Goals');--"_s);
    QCOMPARE(f->FCFlexGrid->item(1, 0)->text(), u"LITO"_s);
    QVERIFY(f->chkFinancialProb->isChecked());

    // The same screen saves once the fault is gone (Enter on the button presses it).
    Messages::clearShown();
    f->cmdSave->setFocus();
    press(f->cmdSave);
    QCOMPARE(Messages::shownTexts(), QStringList{u"Record of SANTOS, PEDROSaved."_s});
    QCOMPARE(conn_->Call(u"ZEP..sp_ZEP_LoadExistFamilyComposition"_s, {u"H2"_s}).RecordCount(), 2);
}

void TestIntakeSheet::savePrintHandsTheReport() {
    const QString folder = qEnvironmentVariable("ZEP_SOURCE_DIR") + u"/reports/"_s;
    if (!QFile::exists(folder + u"IntakeSheet-Final.rpt"_s))
        QSKIP("the intake sheet template is not in the report folder");
    reports::setConnection(conn_.get());
    reports::setHospitalName(u"ZEP TEST HOSPITAL"_s);
    reports::startRecording();
    reports::clearShownReports();
    auto f = open(u"H2"_s, u"5001B"_s, u"1"_s);
    fillForSave(*f);
    f->txtCaseNo->setText(u"Z-200"_s);
    QTest::mouseClick(f->cmdSavePrint, Qt::LeftButton);
    QCOMPARE(Messages::shownTexts().first(), u"Record of SANTOS, PEDROSaved."_s);
    QCOMPARE(reports::shownReports().size(), 1);
    const reports::ShownReport shown = reports::shownReports().first();
    reports::stopRecording();
    QCOMPARE(shown.title, u"Intake Sheet Data"_s);
    QVERIFY(shown.fileName.endsWith(u"IntakeSheet-Final.rpt"_s));
    QCOMPARE(shown.parameters.size(), 4);
    QVERIFY(shown.parameters.at(0).endsWith(u"=ZEP - SOCIAL SERVICE"_s));
    QVERIFY(shown.parameters.at(1).endsWith(u"=1 Test Street"_s));
    QVERIFY(shown.parameters.at(2).endsWith(u"=H2"_s));
    QVERIFY(shown.parameters.at(3).endsWith(u"=H2"_s));
}

QTEST_MAIN(TestIntakeSheet)
#include "tst_intakesheet.moc"
