// The patient validation service and the start-up module's two look-ups, on a real
// database: the connection check, the admission check with what it sends, and when the
// admission object is opened again.
#include "../components/patient/patientseed.h"
#include "components/patient/clsAdmission.h"
#include "components/patient/clsPatient.h"
#include "components/patient/clsPatientMaster.h"
#include "patient/clsPatientSearch.h"
#include "patient/patienthelpers.h"
#include "testdb.h"
#include "ui/messages.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPatientSearch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void oneSharedInstance();
    void initConnectionFails_data();
    void initConnectionFails();
    void initConnectionOpensGlobalWhenNotOpen_data();
    void initConnectionOpensGlobalWhenNotOpen();
    void boundGlobalIsReadWhenUsed();

    void validateAdmission_data();
    void validateAdmission();
    void validateAdmissionSendsTrimmedNumberAndEmptyStation();
    void failedCheckClearsFound();
    void admissionReopensOnlyWhenNumberChanged();
    void patientMasterIsTheComponentsOwn();

    void matchingOPDNumber_data();
    void matchingOPDNumber();
    void checkCompany_data();
    void checkCompany();

private:
    // A service connected to the test database, with the test connection as its global.
    void connectService(patient::clsPatientSearch& s);
    int componentStatements(patient::clsPatientSearch& s);

    std::unique_ptr<db::Connection> conn_;
    db::Connection* global_ = nullptr;
};

void TestPatientSearch::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::fresh();
    patientseed::seed(*conn_);
    db::rememberPassword(conn_->settings());
    ui::Messages::startScript();
}

void TestPatientSearch::init() {
    ui::Messages::clearShown();
    conn_->log().clear();
    global_ = conn_.get();
}

void TestPatientSearch::cleanup() {
    conn_->faults().disarm();
}

void TestPatientSearch::connectService(patient::clsPatientSearch& s) {
    QVERIFY(s.InitConnection(conn_->ConnectionString(), u"APPSERVER"_s, global_));
    QCOMPARE(s.GlobalConnection(), conn_.get());
    QCOMPARE(ui::Messages::shownTexts(), QStringList());
}

int TestPatientSearch::componentStatements(patient::clsPatientSearch& s) {
    return int(s.Component().ActiveConnection()->log().entries().size());
}

void TestPatientSearch::oneSharedInstance() {
    QCOMPARE(&patient::clsPatientSearch::instance(), &patient::clsPatientSearch::instance());
}

void TestPatientSearch::initConnectionFails_data() {
    QTest::addColumn<QString>("connectionString");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << u"  "_s;
    QTest::newRow("missing folder") << u"sqlite:/nonexistent/zep-search-test/db"_s;
    QTest::newRow("no server") << u"postgresql://zep@127.0.0.1:1/zep"_s;
}

void TestPatientSearch::initConnectionFails() {
    QFETCH(QString, connectionString);
    patient::clsPatientSearch s;
    connectService(s);
    QVERIFY(s.ValidateAdmission(u"2001"_s));

    db::Connection* global = nullptr;
    QVERIFY(!s.InitConnection(connectionString, u"APPSERVER"_s, global));
    QCOMPARE(ui::Messages::shown().size(), 1);
    const ui::Shown& box = ui::Messages::shown().first();
    QCOMPARE(box.text, u"Unable to stablish a connection..."_s);
    QCOMPARE(box.icon, ui::Icon::None);
    QCOMPARE(box.buttons, ui::Buttons::Ok);
    // Nothing was opened in its place, and nothing of the earlier session is left.
    QVERIFY(!global);
    QVERIFY(!s.Found());
    QVERIFY(!s.Component().ActiveConnection());
    QVERIFY(!s.PatientMaster().LoadPatient(u"H001"_s));
}

void TestPatientSearch::initConnectionOpensGlobalWhenNotOpen_data() {
    QTest::addColumn<bool>("closedGlobal");
    QTest::newRow("no global yet") << false;
    QTest::newRow("global closed") << true;
}

void TestPatientSearch::initConnectionOpensGlobalWhenNotOpen() {
    QFETCH(bool, closedGlobal);
    std::unique_ptr<db::Connection> closed;
    db::Connection* global = nullptr;
    if (closedGlobal) {
        closed = testdb::reopen(*conn_);
        closed->Close();
        global = closed.get();
    }
    patient::clsPatientSearch s;
    QVERIFY(s.InitConnection(conn_->ConnectionString(), QString(), global));
    QCOMPARE(ui::Messages::shownTexts(), QStringList());
    QVERIFY(global);
    QVERIFY(global != closed.get());
    QVERIFY(global != s.Component().ActiveConnection());
    QCOMPARE(global->State(), 1);
    QCOMPARE(s.GlobalConnection(), global);
    // The check runs on the global connection it opened, against the same database.
    QVERIFY(s.ValidateAdmission(u"2002"_s));
    QCOMPARE(global->log().callNames(), QStringList{u"Patient_Data..sp_Adm_LoadInPatient"_s});
}

void TestPatientSearch::boundGlobalIsReadWhenUsed() {
    // Start-up binds its global, checks the component, and only then points the global at
    // the user's connection: the check must follow it there.
    db::Connection* global = nullptr;
    patient::clsPatientSearch s;
    s.bindGlobalConnection(global);
    QVERIFY(s.InitConnection(conn_->ConnectionString(), u"APPSERVER"_s));
    QVERIFY(global);
    QVERIFY(global != conn_.get());
    global = conn_.get();
    QVERIFY(s.ValidateAdmission(u"2001"_s));
    QCOMPARE(conn_->log().callNames(), QStringList{u"Patient_Data..sp_Adm_LoadInPatient"_s});
    // Log-off drops the global; the check then finds nothing rather than a stale connection.
    global = nullptr;
    QVERIFY(!s.ValidateAdmission(u"2001"_s));
    // The next start-up opens one again into the same place.
    QVERIFY(s.InitConnection(conn_->ConnectionString(), u"APPSERVER"_s));
    QVERIFY(global && global->State() == 1);
    QVERIFY(s.ValidateAdmission(u"2001"_s));
}

void TestPatientSearch::validateAdmission_data() {
    QTest::addColumn<QString>("idNumber");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("called");
    QTest::newRow("empty") << u""_s << false << false;
    QTest::newRow("blanks") << u"   "_s << false << false;
    QTest::newRow("unknown") << u"9999"_s << false << true;
    QTest::newRow("admission") << u"2001"_s << true << true;
    QTest::newRow("admission in blanks") << u" 2002  "_s << true << true;
    QTest::newRow("ER visit") << u"3001E"_s << true << true;
    QTest::newRow("out-patient visit") << u"1001B"_s << false << true;
    QTest::newRow("apostrophe") << u"2001'--"_s << false << true;
}

void TestPatientSearch::validateAdmission() {
    QFETCH(QString, idNumber);
    QFETCH(bool, valid);
    QFETCH(bool, called);
    patient::clsPatientSearch s;
    connectService(s);
    conn_->log().clear();
    QCOMPARE(s.ValidateAdmission(idNumber, u"STATION 9"_s), valid);
    QCOMPARE(s.Found(), valid);
    QCOMPARE(s.LastValidated(), valid ? idNumber.trimmed() : QString());
    QCOMPARE(conn_->log().calls().size(), called ? 1 : 0);
}

void TestPatientSearch::validateAdmissionSendsTrimmedNumberAndEmptyStation() {
    patient::clsPatientSearch s;
    connectService(s);
    conn_->log().clear();
    QVERIFY(s.ValidateAdmission(u"  2001 "_s, u"STATION 3"_s));
    const auto calls = conn_->log().calls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().text, u"Patient_Data..sp_Adm_LoadInPatient"_s);
    QCOMPARE(calls.first().values, (QStringList{u"2001"_s, u""_s}));
}

void TestPatientSearch::failedCheckClearsFound() {
    patient::clsPatientSearch s;
    connectService(s);
    QVERIFY(s.ValidateAdmission(u"2001"_s));
    QVERIFY(!s.ValidateAdmission(u"9999"_s));
    QVERIFY(!s.Found());
    QVERIFY(s.ValidateAdmission(u"2001"_s));
    // A failing call is a failed check, not an error for the caller.
    conn_->faults().failCall(1);
    QVERIFY(!s.ValidateAdmission(u"2001"_s));
    QVERIFY(!s.Found());
    QCOMPARE(ui::Messages::shownTexts(), QStringList());
}

void TestPatientSearch::admissionReopensOnlyWhenNumberChanged() {
    patient::clsPatientSearch s;
    connectService(s);
    // Nothing validated yet: nothing to open.
    QVERIFY(!s.Admission().Opened());
    QCOMPARE(componentStatements(s), 0);

    QVERIFY(s.ValidateAdmission(u"2001"_s));
    QCOMPARE(s.Admission().IdNum, u"2001"_s);
    QCOMPARE(s.Admission().History.ChiefComplaint, u"FEVER"_s);
    QCOMPARE(componentStatements(s), 1);
    QCOMPARE(&s.Admission(), s.Component().clsAdmission());
    QCOMPARE(componentStatements(s), 1);

    // The same number validated again is not opened again.
    QVERIFY(s.ValidateAdmission(u" 2001 "_s));
    s.Admission();
    QCOMPARE(componentStatements(s), 1);

    QVERIFY(s.ValidateAdmission(u"3001E"_s));
    QCOMPARE(s.Admission().IdNum, u"3001E"_s);
    QCOMPARE(s.Admission().History.ChiefComplaint, u"CHEST PAIN"_s);
    QCOMPARE(s.Admission().Room.RoomID, QString());
    QCOMPARE(componentStatements(s), 2);

    QVERIFY(s.ValidateAdmission(u"2001"_s));
    QCOMPARE(s.Admission().IdNum, u"2001"_s);
    QCOMPARE(componentStatements(s), 3);
}

void TestPatientSearch::patientMasterIsTheComponentsOwn() {
    patient::clsPatientSearch s;
    connectService(s);
    patient::clsPatientMaster& m = s.PatientMaster();
    QCOMPARE(&m, s.Component().clsPatientMaster());
    QCOMPARE(&s.PatientMaster(), &m);
    QVERIFY(m.LoadPatient(u"H001"_s));
    QCOMPARE(m.Address.Town + u", "_s + m.Address.Province, u"CALAMBA, LAGUNA"_s);
    // It reads over the component's connection, never the global one.
    QCOMPARE(conn_->log().entries().size(), 0);
}

void TestPatientSearch::matchingOPDNumber_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("matching");
    QTest::newRow("admission from the OPD") << u"2001"_s << u"2001"_s << u"1001B"_s;
    QTest::newRow("in blanks") << u"  2001 "_s << u"2001"_s << u"1001B"_s;
    QTest::newRow("admission without") << u"2002"_s << u"2002"_s << QString();
    QTest::newRow("unknown") << u"9999"_s << u"9999"_s << QString();
    QTest::newRow("out-patient visit") << u"1001B"_s << u"1001B"_s << QString();
    QTest::newRow("empty") << u""_s << u""_s << QString();
}

void TestPatientSearch::matchingOPDNumber() {
    QFETCH(QString, number);
    QFETCH(QString, sent);
    QFETCH(QString, matching);
    QCOMPARE(patient::MatchingOPDNumber(*conn_, number), matching);
    const auto calls = conn_->log().calls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().text, u"BILLING..sp_Billing_Search_Matching_OPDNumber_At_TbPatient"_s);
    QCOMPARE(calls.first().values, QStringList{sent});
}

void TestPatientSearch::checkCompany_data() {
    QTest::addColumn<QString>("visit");
    QTest::addColumn<bool>("company");
    QTest::newRow("fund for the admission") << u"2001"_s << true;
    QTest::newRow("charge against a fund") << u"1002B"_s << true;
    QTest::newRow("charges without a fund") << u"1001B"_s << false;
    QTest::newRow("no charges") << u"2002"_s << false;
    QTest::newRow("unknown") << u"9999"_s << false;
    QTest::newRow("empty") << u""_s << false;
}

void TestPatientSearch::checkCompany() {
    QFETCH(QString, visit);
    QFETCH(bool, company);
    QCOMPARE(patient::CheckCompany(*conn_, visit), company);
    QCOMPARE(conn_->log().callNames(), QStringList{u"Billing..sp_Pars_CheckCompany"_s});
    // A failing call reaches the caller's own error path.
    conn_->faults().failCall(1);
    QVERIFY_THROWS_EXCEPTION(db::Error, patient::CheckCompany(*conn_, visit));
}

QTEST_MAIN(TestPatientSearch)
#include "tst_patientsearch.moc"
