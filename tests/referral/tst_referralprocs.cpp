// The referral report's procedures on a real engine, and the pay-to-service conversion with
// a failure at each of its statements.
#include "referralseed.h"
#include "testdb.h"

#include "referral/paytoservice.h"

#include <QDate>
#include <QTest>

using namespace referralseed;

class tst_referralprocs : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

    // One column of the first row, or "<no row>".
    QString first(const db::Recordset& rs, const QString& column) {
        return rs.Eof() ? u"<no row>"_s : rs.Text(column);
    }

private slots:
    void init() {
        TESTDB_REQUIRE_BACKEND();
        c = testdb::fresh();
        seed(*c);
    }
    void cleanup() { c.reset(); }

    void patientClassOfVisit_data() {
        QTest::addColumn<QString>("visit");
        QTest::addColumn<QString>("cls");
        QTest::newRow("admission") << u"1003"_s << u"P"_s;
        QTest::newRow("service admission") << u"1004"_s << u"S"_s;
        QTest::newRow("out-patient, lower case") << u"6001b"_s << u"P"_s;
        QTest::newRow("ER") << u"7001E"_s << u"P"_s;
        QTest::newRow("unknown") << u"9999"_s << u"<no row>"_s;
    }
    void patientClassOfVisit() {
        QFETCH(QString, visit);
        QFETCH(QString, cls);
        QCOMPARE(
            first(c->Call(u"RADIOLOGY..spRadio_CheckPatientClass"_s, {visit}), u"PatientClass"_s),
            cls);
    }

    void payPatientInfo() {
        const db::Recordset rs = c->Call(u"ZEP..sp_ZEP_PayPatientInfo"_s, {u"1003"_s});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(u"LastName"_s), u"GARCIA"_s);
        QCOMPARE(rs.Text(u"FirstName"_s), u"ROSA"_s);
        QCOMPARE(rs.Text(u"HospNum"_s), u"H3"_s);
        QCOMPARE(rs.Text(u"IDNum"_s), u"1003"_s);
        QCOMPARE(rs.Text(u"DoctorName"_s), u"REYES, JOSE"_s);
        QCOMPARE(rs.Text(u"RoomID"_s), u"R101"_s);
        QCOMPARE(c->Call(u"ZEP..sp_ZEP_PayPatientInfo"_s, {u"7001E"_s}).Text(u"RoomID"_s),
                 QString());
        QVERIFY(c->Call(u"ZEP..sp_ZEP_PayPatientInfo"_s, {u"404"_s}).Eof());
    }

    // Every visit on file has a record; the report's columns are empty until one is saved.
    void assessmentRecord_data() {
        QTest::addColumn<QString>("visit");
        QTest::addColumn<QStringList>("expected"); // column=value pairs
        QTest::newRow("saved report") << u"1001"_s
                                      << QStringList{u"LastName=DELA CRUZ"_s,
                                                     u"MiddleName=PEREZ"_s,
                                                     u"HospNum=H1"_s,
                                                     u"IDNum=1001"_s,
                                                     u"ZEPNum=Z-0001"_s,
                                                     u"DoctorName=REYES, JOSE"_s,
                                                     u"RoomID=R101"_s,
                                                     u"Code=C2"_s,
                                                     u"ZEPW=E100"_s,
                                                     u"ZEPWName=Santos, Maria"_s,
                                                     u"NC=1500.5"_s,
                                                     u"Remarks=Follow up the sponsor"_s,
                                                     u"IsCDF=1"_s,
                                                     u"IsSpecial=0"_s,
                                                     u"IsPCSO=1"_s,
                                                     u"pcsotype=G"_s,
                                                     u"CaseCategory=02"_s,
                                                     u"parentcategory=01"_s,
                                                     u"ReferringPartyID=2"_s,
                                                     u"serviceid=1.2|1.1.1|"_s};
        QTest::newRow("expired class, no report yet")
            << u"1002"_s << QStringList{u"LastName=BAUTISTA"_s,
                                        u"IDNum=1002"_s,
                                        u"ZEPNum=Z-0002"_s,
                                        u"Code="_s,
                                        u"ZEPW="_s,
                                        u"ZEPWName="_s,
                                        u"NC="_s,
                                        u"IsCDF="_s,
                                        u"pcsotype="_s,
                                        u"CaseCategory="_s,
                                        u"serviceid="_s};
        QTest::newRow("only an expiry on file")
            << u"1005"_s << QStringList{u"HospNum=H5"_s, u"ZEPNum="_s, u"Code=C1"_s};
        QTest::newRow("ER visit") << u"7001e"_s
                                  << QStringList{u"HospNum=H7"_s, u"IDNum=7001E"_s,
                                                 u"DoctorName="_s, u"RoomID="_s};
    }
    void assessmentRecord() {
        QFETCH(QString, visit);
        QFETCH(QStringList, expected);
        const db::Recordset rs = c->Call(u"ZEP..sp_ZEP_GetAssessmentRecord"_s, {visit});
        QCOMPARE(rs.RecordCount(), 1);
        for (const QString& pair : expected) {
            const QString column = pair.section(u'=', 0, 0);
            QCOMPARE(column + u'=' + rs.Text(column), pair);
        }
    }

    void assessmentRecordDates() {
        const db::Recordset rs = c->Call(u"ZEP..sp_ZEP_GetAssessmentRecord"_s, {u"1001"_s});
        QCOMPARE(rs.Text(u"ZEPDiscountValidity"_s).left(10), u"2026-01-15"_s);
        QCOMPARE(rs.Text(u"ZEPDiscountExpiry"_s).left(10), u"2099-12-31"_s);
        QVERIFY(c->Call(u"ZEP..sp_ZEP_GetAssessmentRecord"_s, {u"404"_s}).Eof());
    }

    void caseHistory() {
        db::Recordset rs = c->Call(u"Zep..sp_LoadPatCaseHistory"_s, {u"H1"_s, u"1001"_s});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(u"docs"_s), u"1|0|0|1|0|0|0|0|0|0|0|1|0|0|0|0|0|1|"_s);
        QCOMPARE(rs.Text(u"casestatus"_s), u"O"_s);
        QCOMPARE(rs.Text(u"casedesc"_s), u"Old"_s);
        QCOMPARE(rs.Text(u"activityid"_s), u"1.2|1.1|"_s);
        QCOMPARE(rs.Text(u"active"_s), u"Y"_s);
        // another patient's number with this visit, and a visit without a report
        QVERIFY(c->Call(u"Zep..sp_LoadPatCaseHistory"_s, {u"H2"_s, u"1001"_s}).Eof());
        QVERIFY(c->Call(u"Zep..sp_LoadPatCaseHistory"_s, {u"H2"_s, u"1002"_s}).Eof());
    }

    void catalogueLevels_data() {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("service top")
            << u"ZEP..sp_ZEP_GetService"_s << u"0"_s << QStringList{u"1"_s};
        // 1.10 after 1.9: dotted codes in their natural order
        QTest::newRow("service children") << u"ZEP..sp_ZEP_GetService"_s << u"1"_s
                                          << QStringList{u"1.1"_s, u"1.2"_s, u"1.9"_s, u"1.10"_s};
        QTest::newRow("leaf") << u"ZEP..sp_ZEP_GetService"_s << u"1.9.1"_s << QStringList{};
        QTest::newRow("activity children")
            << u"ZEP..sp_ZEP_GetActivity"_s << u"1"_s << QStringList{u"1.1"_s, u"1.2"_s};
    }
    void catalogueLevels() {
        QFETCH(QString, procedure);
        QFETCH(QString, parent);
        QFETCH(QStringList, codes);
        QStringList got;
        for (db::Recordset rs = c->Call(procedure, {parent}); !rs.Eof(); rs.MoveNext())
            got << rs.Text(u"Code"_s);
        QCOMPARE(got, codes);
    }

    void classChangeIsRecorded() {
        c->Call(u"ZEP..sp_ZEP_UpdatePatientClass"_s, {u"1004"_s, u"P"_s, u"E100"_s});
        QCOMPARE(visitClass(*c, u"1004"_s), u"P"_s);
        const db::Recordset h = c->Query(
            u"SELECT PatientClass, UserID FROM ZEP.tbZEPPatClassHistory WHERE IdNum = '1004'"_s);
        QCOMPARE(h.RecordCount(), 1);
        QCOMPARE(h.Text(u"PatientClass"_s), u"P"_s);
        QCOMPARE(h.Text(u"UserID"_s), u"E100"_s);
    }

    void classChangeRefused_data() {
        QTest::addColumn<QString>("visit");
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown visit") << u"404"_s << u"S"_s << u"Visit 404 is not on file."_s;
        QTest::newRow("bad letter")
            << u"1003"_s << u"X"_s << u"'X' is not a patient class (P or S)."_s;
    }
    void classChangeRefused() {
        QFETCH(QString, visit);
        QFETCH(QString, cls);
        QFETCH(QString, message);
        try {
            c->Call(u"ZEP..sp_ZEP_UpdatePatientClass"_s, {visit, cls, u"E100"_s});
            QFAIL("the change was taken");
        } catch (const db::Error& e) {
            QCOMPARE(e.Description(), message);
        }
        QCOMPARE(classChanges(*c, visit), 0);
        QCOMPARE(visitClass(*c, u"1003"_s), u"P"_s);
    }

    void conversion_data() {
        QTest::addColumn<QString>("visit");
        QTest::newRow("admission") << u"1003"_s;
        QTest::newRow("out-patient") << u"6001B"_s;
        QTest::newRow("ER") << u"7001E"_s;
    }
    // A failure at any statement leaves the visit exactly as it was; with no failure the
    // visit is a service visit with one change on record.
    void conversion() {
        QFETCH(QString, visit);
        int failures = 0;
        for (int nth = 1;; ++nth) {
            c->faults().failStatement(nth);
            try {
                referral::convertPayToService(*c, visit, u"E100"_s);
            } catch (const db::Error& e) {
                ++failures;
                c->faults().disarm();
                QCOMPARE(e.Source(), u"FaultInjection"_s);
                QVERIFY(!c->inTransaction());
                QCOMPARE(visitClass(*c, visit), u"P"_s);
                QCOMPARE(classChanges(*c, visit), 0);
                continue;
            }
            break;
        }
        c->faults().disarm();
        // begin, read, write, the procedure's updates and history, commit at the least
        QVERIFY2(failures >= 7, qPrintable(QString::number(failures)));
        QCOMPARE(visitClass(*c, visit), u"S"_s);
        QCOMPARE(classChanges(*c, visit), 1);
    }

    void conversionFailingCall() {
        c->faults().failCall(1);
        QVERIFY_THROWS_EXCEPTION(db::Error,
                                 referral::convertPayToService(*c, u"1003"_s, u"E100"_s));
        c->faults().disarm();
        QCOMPARE(visitClass(*c, u"1003"_s), u"P"_s);
        QCOMPARE(classChanges(*c, u"1003"_s), 0);
    }

    void admissionNumbers_data() {
        QTest::addColumn<QString>("visit");
        QTest::addColumn<bool>("admission");
        QTest::newRow("digits") << u" 1003 "_s << true;
        QTest::newRow("out-patient") << u"6001B"_s << false;
        QTest::newRow("empty") << QString() << false;
    }
    void admissionNumbers() {
        QFETCH(QString, visit);
        QFETCH(bool, admission);
        QCOMPARE(referral::isAdmissionNumber(visit), admission);
    }
};

QTEST_GUILESS_MAIN(tst_referralprocs)
#include "tst_referralprocs.moc"
