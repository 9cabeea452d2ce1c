// The patient component stand-in on a real database: its own connection, the master record
// and the admission or visit, and that nothing of one patient survives into the next.
#include "components/patient/clsAdmission.h"
#include "components/patient/clsPatient.h"
#include "components/patient/clsPatientMaster.h"
#include "patientseed.h"
#include "testdb.h"

#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;
using patient::VisitKind;

class TestPatientComponent : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void opensItsOwnConnection();
    void passwordComesFromTheLogIn();
    void openConnectionFails_data();
    void openConnectionFails();

    void loadPatientFillsEveryMember();
    void loadPatientLeavesNothingBehind_data();
    void loadPatientLeavesNothingBehind();
    void age_data();
    void age();

    void openInPatientAdmission();
    void openVisits_data();
    void openVisits();
    void openAdmissionLeavesNothingBehind_data();
    void openAdmissionLeavesNothingBehind();

    void withoutConnectionNothingIsFound();

private:
    std::unique_ptr<db::Connection> conn_;
    patient::clsPatient component_;
};

void TestPatientComponent::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::fresh();
    patientseed::seed(*conn_);
    // What the log-in does, so that a connection string without a password still opens.
    db::rememberPassword(conn_->settings());
    QVERIFY(component_.OpenConnection(conn_->ConnectionString()));
}

void TestPatientComponent::opensItsOwnConnection() {
    db::Connection* own = component_.ActiveConnection();
    QVERIFY(own);
    QVERIFY(own != conn_.get());
    QCOMPARE(own->State(), 1);
    QCOMPARE(component_.clsPatientMaster(), component_.clsPatientMaster());
    QCOMPARE(component_.clsAdmission(), component_.clsAdmission());
    // The sub-objects read over the component's connection, not the caller's.
    conn_->log().clear();
    own->log().clear();
    QVERIFY(component_.clsPatientMaster()->LoadPatient(u"H001"_s));
    QVERIFY(component_.clsAdmission()->OpenAdmission(u"2001"_s));
    QCOMPARE(conn_->log().entries().size(), 0);
    QCOMPARE(own->log().entries().size(), 2);
    for (const db::LoggedCommand& e : own->log().entries())
        QVERIFY2(!e.values.isEmpty(), qPrintable(e.text)); // the number went in bound
}

void TestPatientComponent::passwordComesFromTheLogIn() {
    db::ConnectionSettings s;
    s.backend = db::Backend::PostgreSQL;
    s.host = u"db.example"_s;
    s.port = 5433;
    s.user = u"ward"_s;
    s.database = u"hospital"_s;
    s.password = u"s3cret"_s;
    db::rememberPassword(s);
    const QString url = s.toUrl();
    QVERIFY(!url.contains(u"s3cret"_s));
    QCOMPARE(patient::clsPatient::settingsFor(url).password, u"s3cret"_s);
    QCOMPARE(patient::clsPatient::settingsFor(url).database, u"hospital"_s);
    // Another database on the same server is not given this one's password.
    s.database = u"other"_s;
    QCOMPARE(patient::clsPatient::settingsFor(s.toUrl()).password, QString());
}

void TestPatientComponent::openConnectionFails_data() {
    QTest::addColumn<QString>("connectionString");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << u"   "_s;
    QTest::newRow("missing folder") << u"sqlite:/nonexistent/zep-patient-test/db"_s;
    QTest::newRow("no server") << u"postgresql://zep@127.0.0.1:1/zep"_s;
}

void TestPatientComponent::openConnectionFails() {
    QFETCH(QString, connectionString);
    patient::clsPatient other;
    QVERIFY(other.OpenConnection(conn_->ConnectionString()));
    QVERIFY(other.clsPatientMaster()->LoadPatient(u"H001"_s));
    // A failed open leaves no connection behind, not even the one opened before.
    QVERIFY(!other.OpenConnection(connectionString));
    QVERIFY(!other.ActiveConnection());
    QVERIFY(!other.LastError().isEmpty());
    QVERIFY(!other.clsPatientMaster()->LoadPatient(u"H001"_s));
    // A missing folder is an error, never a new empty database.
    if (connectionString.startsWith(u"sqlite:"_s))
        QVERIFY(!QFileInfo::exists(connectionString.mid(7)));
}

void TestPatientComponent::loadPatientFillsEveryMember() {
    patient::clsPatientMaster& m = *component_.clsPatientMaster();
    QVERIFY(m.LoadPatient(u"  H001 "_s));
    QCOMPARE(m.HospitalNumber, u"H001"_s);
    QCOMPARE(m.LastName, u"DELA CRUZ"_s);
    QCOMPARE(m.FirstName, u"JUAN"_s);
    QCOMPARE(m.MiddleName, u"SANTOS"_s);
    QCOMPARE(m.Sex, u"M"_s);
    QCOMPARE(m.CivilStatus, u"3"_s);
    QCOMPARE(m.BirthDate, QDate(1980, 5, 17));
    QVERIFY(m.Age.toInt() >= 45);
    QCOMPARE(m.BirthPlace, u"MANILA"_s);
    QCOMPARE(m.Occupation, u"FARMER"_s);
    QCOMPARE(m.TelNumber, u"555-1234"_s);
    QCOMPARE(m.PatientStatus, u"EMPLOYED"_s);
    QCOMPARE(m.SSSGSIS, u"SSS-123"_s);
    QCOMPARE(m.Religion.Description, u"CATHOLIC"_s);
    QCOMPARE(m.Address.Housestreet, u"12 RIZAL ST"_s);
    QCOMPARE(m.Address.Barangay, u"BRGY 5"_s);
    QCOMPARE(m.Address.Town, u"CALAMBA"_s);
    QCOMPARE(m.Address.Province, u"LAGUNA"_s);
    QCOMPARE(m.Address.Zipcode, u"4027"_s);
    QCOMPARE(m.Employer.EmployerName, u"ACME CORP"_s);
    QCOMPARE(m.Employer.EmployerAddress, u"MAKATI CITY"_s);
    QCOMPARE(m.ZEPNum, u"Z-0001"_s);
    QCOMPARE(m.ZEPClassification, u"C1"_s);
    QCOMPARE(m.ZEPDiscountExpiry, QDate(2026, 12, 31));
    QVERIFY(m.Loaded());
}

void TestPatientComponent::loadPatientLeavesNothingBehind_data() {
    QTest::addColumn<QString>("hospNum");
    QTest::addColumn<bool>("found");
    QTest::newRow("unknown") << u"H999"_s << false;
    QTest::newRow("empty") << u""_s << false;
    QTest::newRow("apostrophe") << u"H001' OR '1'='1"_s << false;
    QTest::newRow("sparse record") << u"H002"_s << true;
}

void TestPatientComponent::loadPatientLeavesNothingBehind() {
    QFETCH(QString, hospNum);
    QFETCH(bool, found);
    patient::clsPatientMaster& m = *component_.clsPatientMaster();
    QVERIFY(m.LoadPatient(u"H001"_s));
    QCOMPARE(m.LoadPatient(hospNum), found);
    QCOMPARE(m.HospitalNumber, found ? hospNum : QString());
    QCOMPARE(m.LastName, found ? u"SANTOS"_s : QString());
    for (const QString& v : {m.FirstName,
                             m.MiddleName,
                             m.Sex,
                             m.CivilStatus,
                             m.Age,
                             m.BirthPlace,
                             m.Occupation,
                             m.TelNumber,
                             m.PatientStatus,
                             m.SSSGSIS,
                             m.Religion.Description,
                             m.Address.Housestreet,
                             m.Address.Barangay,
                             m.Address.Town,
                             m.Address.Province,
                             m.Address.Zipcode,
                             m.Employer.EmployerName,
                             m.Employer.EmployerAddress,
                             m.ZEPNum,
                             m.ZEPClassification})
        QCOMPARE(v, QString());
    QVERIFY(!m.BirthDate.isValid());
    QVERIFY(!m.ZEPDiscountExpiry.isValid());
}

void TestPatientComponent::age_data() {
    QTest::addColumn<QString>("hospNum");
    QTest::addColumn<QString>("age");
    QTest::newRow("birthday today") << u"H003"_s << u"30"_s;
    QTest::newRow("birthday tomorrow") << u"H004"_s << u"29"_s;
    QTest::newRow("no birth date") << u"H002"_s << QString();
}

void TestPatientComponent::age() {
    QFETCH(QString, hospNum);
    QFETCH(QString, age);
    QVERIFY(component_.clsPatientMaster()->LoadPatient(hospNum));
    QCOMPARE(component_.clsPatientMaster()->Age, age);
}

void TestPatientComponent::openInPatientAdmission() {
    patient::clsAdmission& a = *component_.clsAdmission();
    QVERIFY(a.OpenAdmission(u" 2001 "_s));
    QCOMPARE(a.IdNum, u"2001"_s);
    QCOMPARE(a.HospNum, u"H001"_s);
    QCOMPARE(a.Kind, VisitKind::InPatient);
    QCOMPARE(a.AdmissionDate, QDateTime(QDate(2026, 1, 12), QTime(9, 30)));
    QCOMPARE(a.DischargeDate, QDateTime(QDate(2026, 1, 20), QTime(14, 0)));
    QCOMPARE(a.NewAdmission, false);
    QCOMPARE(a.PatientClass, u"S"_s);
    QCOMPARE(a.Room.RoomID, u"301"_s);
    QCOMPARE(a.Room.Station, u"STATION 3"_s);
    QCOMPARE(a.Room.RateClass, u"B"_s);
    QCOMPARE(a.Room.RoomRate, 1500.5);
    QCOMPARE(a.AttendingDoctor.DoctorID, u"D01"_s);
    QCOMPARE(a.AttendingDoctor.Name, u"REYES, ANA MARI"_s);
    QCOMPARE(a.AttendingDoctor.Specialty, u"SURGERY"_s);
    QCOMPARE(a.ReferringDoctor, u"DR. LIM"_s);
    QCOMPARE(a.History.ChiefComplaint, u"FEVER"_s);
    QCOMPARE(a.History.AdmittingDiagnosis, u"DENGUE"_s);
    QCOMPARE(a.History.AdmittingImpression, u"R/O DENGUE"_s);
    QCOMPARE(a.History.Procedures, u"IV FLUIDS"_s);
    QCOMPARE(a.Remarks, u"WATCH PLATELETS"_s);
    QCOMPARE(a.Disposition, u"RECOVERED"_s);
    QCOMPARE(a.OPDIdNum, u"1001B"_s);

    // A new admission still in hospital, with no room, doctor or history.
    QVERIFY(a.OpenAdmission(u"2002"_s));
    QCOMPARE(a.HospNum, u"H002"_s);
    QCOMPARE(a.NewAdmission, true);
    QVERIFY(!a.DischargeDate.isValid());
    QCOMPARE(a.Room.RoomID, QString());
    QCOMPARE(a.Room.RoomRate, 0.0);
    QCOMPARE(a.AttendingDoctor.Name, QString());
    QCOMPARE(a.History.ChiefComplaint, QString());
    QCOMPARE(a.OPDIdNum, QString());
}

void TestPatientComponent::openVisits_data() {
    QTest::addColumn<QString>("idNum");
    QTest::addColumn<QString>("storedId");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDateTime>("admitted");
    QTest::addColumn<bool>("isNew");
    QTest::addColumn<QString>("patientClass");
    QTest::addColumn<QString>("complaint");
    QTest::addColumn<QString>("doctor");

    const auto opd = int(VisitKind::OutPatient);
    const auto er = int(VisitKind::Emergency);
    QTest::newRow("first out-patient visit")
        << u"1001B"_s << u"1001B"_s << opd << QDateTime(QDate(2026, 1, 10), QTime(8, 0)) << true
        << u"S"_s << u"HIGH FEVER"_s << u"REYES, ANA MARI"_s;
    QTest::newRow("lower-case letter")
        << u"1001b"_s << u"1001B"_s << opd << QDateTime(QDate(2026, 1, 10), QTime(8, 0)) << true
        << u"S"_s << u"HIGH FEVER"_s << u"REYES, ANA MARI"_s;
    QTest::newRow("later out-patient visit")
        << u"1002B"_s << u"1002B"_s << opd << QDateTime(QDate(2026, 3, 1), QTime(10, 0)) << false
        << u"P"_s << QString() << QString();
    QTest::newRow("first ER visit")
        << u"3001E"_s << u"3001E"_s << er << QDateTime(QDate(2025, 12, 1), QTime(22, 15)) << true
        << u"P"_s << u"CHEST PAIN"_s << QString();
    QTest::newRow("later ER visit")
        << u"3002e"_s << u"3002E"_s << er << QDateTime(QDate(2026, 2, 5), QTime(3, 0)) << false
        << u"S"_s << u"FALL"_s << QString();
}

void TestPatientComponent::openVisits() {
    QFETCH(QString, idNum);
    QFETCH(QString, storedId);
    QFETCH(int, kind);
    QFETCH(QDateTime, admitted);
    QFETCH(bool, isNew);
    QFETCH(QString, patientClass);
    QFETCH(QString, complaint);
    QFETCH(QString, doctor);
    patient::clsAdmission& a = *component_.clsAdmission();
    QVERIFY(a.OpenAdmission(u"2001"_s));
    QVERIFY(a.OpenAdmission(idNum));
    QCOMPARE(a.IdNum, storedId);
    QCOMPARE(a.HospNum, u"H001"_s);
    QCOMPARE(int(a.Kind), kind);
    QCOMPARE(a.AdmissionDate, admitted);
    QCOMPARE(a.NewAdmission, isNew);
    QCOMPARE(a.PatientClass, patientClass);
    QCOMPARE(a.History.ChiefComplaint, complaint);
    QCOMPARE(a.AttendingDoctor.Name, doctor);
    // Nothing of the admission opened before.
    QCOMPARE(a.Room.RoomID, QString());
    QCOMPARE(a.ReferringDoctor, QString());
    QCOMPARE(a.History.AdmittingDiagnosis, QString());
    QCOMPARE(a.OPDIdNum, QString());
}

void TestPatientComponent::openAdmissionLeavesNothingBehind_data() {
    QTest::addColumn<QString>("idNum");
    QTest::newRow("unknown admission") << u"9999"_s;
    QTest::newRow("unknown out-patient visit") << u"9999B"_s;
    QTest::newRow("unknown ER visit") << u"9999E"_s;
    QTest::newRow("empty") << u"  "_s;
    QTest::newRow("apostrophe") << u"2001' OR '1'='1"_s;
}

void TestPatientComponent::openAdmissionLeavesNothingBehind() {
    QFETCH(QString, idNum);
    patient::clsAdmission& a = *component_.clsAdmission();
    QVERIFY(a.OpenAdmission(u"2001"_s));
    QVERIFY(!a.OpenAdmission(idNum));
    QVERIFY(!a.Opened());
    QCOMPARE(a.IdNum, QString());
    QCOMPARE(a.HospNum, QString());
    QCOMPARE(a.Kind, VisitKind::None);
    QVERIFY(!a.AdmissionDate.isValid());
    QCOMPARE(a.Room.RoomID, QString());
    QCOMPARE(a.ReferringDoctor, QString());
    QCOMPARE(a.Remarks, QString());
    QCOMPARE(a.History.ChiefComplaint, QString());
    QCOMPARE(a.History.Procedures, QString());
    QCOMPARE(a.NewAdmission, false);
}

void TestPatientComponent::withoutConnectionNothingIsFound() {
    patient::clsPatient unopened;
    QVERIFY(!unopened.ActiveConnection());
    QVERIFY(!unopened.clsPatientMaster()->LoadPatient(u"H001"_s));
    QVERIFY(!unopened.clsAdmission()->OpenAdmission(u"2001"_s));

    // A closed connection counts as none.
    patient::clsPatient closed;
    QVERIFY(closed.OpenConnection(conn_->ConnectionString()));
    closed.ActiveConnection()->Close();
    QVERIFY(!closed.ActiveConnection());
    QVERIFY(!closed.clsPatientMaster()->LoadPatient(u"H001"_s));
}

QTEST_GUILESS_MAIN(TestPatientComponent)
#include "tst_patientcomponent.moc"
