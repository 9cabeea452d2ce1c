// The procedures of the class edit and the case-number screens, on a real database: what
// each one writes, what it refuses, and that running the global update twice changes
// nothing more. (The history deletion of a chosen entry is driven through its screen in
// tst_casescreens.)
#include "testdb.h"

#include "db/connection.h"

#include <QTest>

class tst_casesprocs : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

    QString one(const QString& sql, const QVariantList& v = {}) {
        const db::Recordset rs = c->Query(sql, v);
        return rs.Eof() ? QStringLiteral("<none>") : rs.Text(0);
    }
    QString masterNum(const QString& hosp) {
        return one(QStringLiteral("SELECT COALESCE(ZEPNum, '<null>') FROM PATIENT_DATA.tbMaster "
                                  "WHERE HospNum = ?"),
                   {hosp});
    }
    int count(const QString& table) {
        return one(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        c = testdb::fresh();
    }

    void init() {
        for (const char* t : {"ZEP.tbZEPCaseNumberChange", "ZEP.tbZEPPatClassHistory",
                              "ZEP.tbZEPPatClassHistoryDeletion", "ZEP.tbZEPAssessment",
                              "ZEP.tbZEPClassification", "PATIENT_DATA.tbERMaster",
                              "PATIENT_DATA.tbPatient2", "PATIENT_DATA.tbOutPatient",
                              "PATIENT_DATA.tbMaster"})
            c->Execute(QStringLiteral("DELETE FROM ") + QString::fromLatin1(t));
        c->Execute(QStringLiteral(
            "INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, ZEPNum, ZEPClassification, "
            "ZEPDiscountExpiry) VALUES ('H1', 'UNO', 'Z-1', NULL, NULL), "
            "('H2', 'DOS', 'Z-2', 'C1', '2027-01-31'), ('H3', 'TRES', NULL, NULL, NULL)"));
        c->Execute(QStringLiteral(
            "INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, PatientClass) VALUES "
            "('5001', 'H1', '2026-12-01 08:00:00', 'P')"));
        c->Execute(QStringLiteral(
            "INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES "
            "('7001B', 'H1', '2026-12-02 08:00:00', 'P')"));
        c->Execute(QStringLiteral(
            "INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, PatientClassification) "
            "VALUES ('9001E', 'H1', '2026-12-03 08:00:00', 'P')"));
    }

    void updateZEPNumber_data() {
        QTest::addColumn<QString>("hosp");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("after");   // the patient's number afterwards
        QTest::addColumn<int>("logged");      // change rows written
        QTest::newRow("a free number") << "H1" << "Z-9" << false << "Z-9" << 1;
        QTest::newRow("a first number") << "H3" << "Z-3" << false << "Z-3" << 1;
        QTest::newRow("another patient's number") << "H1" << "Z-2" << true << "Z-1" << 0;
        QTest::newRow("empty") << "H1" << "  " << true << "Z-1" << 0;
        QTest::newRow("the number it has") << "H1" << "Z-1" << false << "Z-1" << 0;
        QTest::newRow("unknown patient") << "H404" << "Z-8" << true << "<none>" << 0;
    }
    void updateZEPNumber() {
        QFETCH(QString, hosp);
        QFETCH(QString, number);
        QFETCH(bool, refused);
        QFETCH(QString, after);
        QFETCH(int, logged);
        bool threw = false;
        try {
            c->Call(QStringLiteral("ZEP..sp_ZEP_UpdateZEPNumber"), {hosp, number, QStringLiteral("E100")});
        } catch (const db::Error&) {
            threw = true;
        }
        QCOMPARE(threw, refused);
        QCOMPARE(masterNum(hosp), after);
        QCOMPARE(masterNum(QStringLiteral("H2")), QStringLiteral("Z-2"));
        QCOMPARE(count(QStringLiteral("ZEP.tbZEPCaseNumberChange")), logged);
        if (logged)
            QCOMPARE(one(QStringLiteral("SELECT HospNum || '|' || COALESCE(OldZEPNum, '<null>') || '|' || "
                                        "NewZEPNum || '|' || ChangedBy FROM ZEP.tbZEPCaseNumberChange")),
                     hosp + (hosp == QLatin1String("H1") ? QStringLiteral("|Z-1|") : QStringLiteral("|<null>|")) +
                         number + QStringLiteral("|E100"));
    }

    void changeZEPNumber_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("h1");
        QTest::addColumn<QString>("h2");
        QTest::addColumn<int>("logged");
        QTest::newRow("no classification") << "Z-1" << false << "<null>" << "Z-2" << 1;
        QTest::newRow("classified holder") << "Z-2" << true << "Z-1" << "Z-2" << 0;
        QTest::newRow("nobody's number") << "Z-77" << false << "Z-1" << "Z-2" << 0;
        QTest::newRow("empty") << "" << false << "Z-1" << "Z-2" << 0;
    }
    void changeZEPNumber() {
        QFETCH(QString, number);
        QFETCH(bool, refused);
        QFETCH(QString, h1);
        QFETCH(QString, h2);
        QFETCH(int, logged);
        bool threw = false;
        try {
            c->Call(QStringLiteral("ZEP..sp_ZEP_ChangeZEPNumber"), {number, QStringLiteral("E100")});
        } catch (const db::Error&) {
            threw = true;
        }
        QCOMPARE(threw, refused);
        QCOMPARE(masterNum(QStringLiteral("H1")), h1);
        QCOMPARE(masterNum(QStringLiteral("H2")), h2);
        QCOMPARE(count(QStringLiteral("ZEP.tbZEPCaseNumberChange")), logged);
        if (logged)
            QCOMPARE(one(QStringLiteral("SELECT OldZEPNum || '|' || COALESCE(NewZEPNum, '<null>') "
                                        "FROM ZEP.tbZEPCaseNumberChange")),
                     QStringLiteral("Z-1|<null>"));
    }

    void updatePatientClass_data() {
        QTest::addColumn<QString>("idNum");
        QTest::addColumn<QString>("cls");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("read"); // the class read back from the visit's table
        QTest::newRow("admission to service") << "5001" << "S" << false
            << "SELECT PatientClass FROM PATIENT_DATA.tbPatient2 WHERE IdNum = '5001'";
        QTest::newRow("out-patient to service") << "7001B" << "s" << false
            << "SELECT PatientType FROM PATIENT_DATA.tbOutPatient WHERE IdNum = '7001B'";
        QTest::newRow("ER to service") << "9001E" << "S" << false
            << "SELECT PatientClassification FROM PATIENT_DATA.tbERMaster WHERE IdNum = '9001E'";
        QTest::newRow("empty class") << "5001" << "" << true
            << "SELECT PatientClass FROM PATIENT_DATA.tbPatient2 WHERE IdNum = '5001'";
        QTest::newRow("unknown visit") << "5999" << "S" << true
            << "SELECT COUNT(*) FROM PATIENT_DATA.tbPatient2 WHERE IdNum = '5999'";
    }
    void updatePatientClass() {
        QFETCH(QString, idNum);
        QFETCH(QString, cls);
        QFETCH(bool, refused);
        QFETCH(QString, read);
        bool threw = false;
        try {
            c->Call(QStringLiteral("ZEP..sp_ZEP_UpdatePatientClass"), {idNum, cls, QStringLiteral("E100")});
        } catch (const db::Error&) {
            threw = true;
        }
        QCOMPARE(threw, refused);
        QCOMPARE(one(read), refused ? (idNum == QLatin1String("5999") ? QStringLiteral("0") : QStringLiteral("P"))
                                    : QStringLiteral("S"));
        QCOMPARE(count(QStringLiteral("ZEP.tbZEPPatClassHistory")), refused ? 0 : 1);
        if (!refused)
            QCOMPARE(one(QStringLiteral("SELECT IdNum || '|' || PatientClass || '|' || UserID FROM "
                                        "ZEP.tbZEPPatClassHistory")),
                     idNum + QStringLiteral("|S|E100"));
    }

    void deletionOfNothingIsRefused() {
        bool threw = false;
        try {
            c->Call(QStringLiteral("sp_ZEP_SavePatClassHistory_Deletion"),
                    {QStringLiteral("5001"), QString(), QStringLiteral("no row at all"), QString(),
                     QString(), QStringLiteral("E100")});
        } catch (const db::Error&) {
            threw = true;
        }
        QVERIFY(threw);
        QCOMPARE(count(QStringLiteral("ZEP.tbZEPPatClassHistoryDeletion")), 0);
    }

    // Classes the scheme holds in another spelling take the scheme's; a patient whose class
    // the scheme dropped takes the latest valid assessment's, or none. A second run changes
    // nothing.
    void globalUpdate() {
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbZEPClassification (Type, Code) VALUES "
                                  "('A1', 'A'), ('B1', 'C1'), ('C1', 'D')"));
        c->Execute(QStringLiteral(
            "INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, ExpiryDate, AssessDate) VALUES "
            "('5001', 'H1', ' c1', '2027-03-31', '2026-12-01 09:00:00'), "
            "('7001B', 'H1', 'X9', '2027-06-30', '2026-12-05 09:00:00'), "
            "('8001', 'H3', 'd', '2027-02-28', '2026-11-01 09:00:00')"));
        c->Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = 'X9', "
                                  "ZEPDiscountExpiry = '2027-06-30' WHERE HospNum = 'H1'"));
        c->Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = 'a', "
                                  "ZEPDiscountExpiry = '2027-01-15' WHERE HospNum = 'H3'"));
        c->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, "
                                  "ZEPClassification, ZEPDiscountExpiry) VALUES ('H4', 'CUATRO', 'Q', '2027-01-01')"));
        const QString state = QStringLiteral(
            "SELECT (SELECT Code FROM ZEP.tbZEPAssessment WHERE IdNum = '5001') || '|' || "
            "(SELECT Code FROM ZEP.tbZEPAssessment WHERE IdNum = '7001B') || '|' || "
            "(SELECT Code FROM ZEP.tbZEPAssessment WHERE IdNum = '8001') || '|' || "
            "(SELECT COALESCE(ZEPClassification, '-') || ' ' || COALESCE(CAST(ZEPDiscountExpiry AS VARCHAR(10)), '-') "
            "FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H1') || '|' || "
            "(SELECT COALESCE(ZEPClassification, '-') || ' ' || COALESCE(CAST(ZEPDiscountExpiry AS VARCHAR(10)), '-') "
            "FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H2') || '|' || "
            "(SELECT COALESCE(ZEPClassification, '-') || ' ' || COALESCE(CAST(ZEPDiscountExpiry AS VARCHAR(10)), '-') "
            "FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H3') || '|' || "
            "(SELECT COALESCE(ZEPClassification, '-') || ' ' || COALESCE(CAST(ZEPDiscountExpiry AS VARCHAR(10)), '-') "
            "FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H4')");
        const QString expected = QStringLiteral(
            "C1|X9|D|C1 2027-03-31|C1 2027-01-31|A 2027-01-15|- -");
        for (int run = 0; run < 2; ++run) {
            c->Call(QStringLiteral("ZEP..sp_ZEP_GlobalClassificationUpdate"));
            c->Call(QStringLiteral("ZEP..sp_ZEP_GlobalMasterUpdate"));
            QCOMPARE(one(state), expected);
        }
    }
};

QTEST_GUILESS_MAIN(tst_casesprocs)
#include "tst_casesprocs.moc"
