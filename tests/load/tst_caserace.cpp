// Two workstations give one new case number to two different patients at the same moment.
// The first holds the number in a transaction not yet committed; the second saves the
// intake sheet or the referral report of another patient with the same number meanwhile.
// When the first commits, the second gets the refusal its screen shows for a number
// another patient holds, and nothing of its save stays; when the first rolls back, the
// second's save goes through.
#include "referralseed.h"
#include "testdb.h"

#include "intake/intakesave.h"
#include "referral/arrsave.h"

#include <QTest>
#include <thread>

using namespace referralseed;

namespace {

referral::ArrSave h4Report(const QString& caseNo) {
    referral::ArrSave s;
    s.hospNum = s.shownHospNum = u"H4"_s;
    s.idNum = s.shownIdNum = u"1004"_s;
    s.caseNumber = caseNo;
    s.classCode = u"C1"_s;
    s.categoryName = u"Medical"_s;
    s.categoryId = u"01"_s;
    s.referringParty = u"1"_s;
    s.remarks = u"second workstation"_s;
    s.intakeDate = u"12/01/2026"_s;
    s.expiryDate = u"11/30/2027"_s;
    s.workerCode = u"E100"_s;
    s.userCode = u"E100"_s;
    s.counterpart = u"0"_s;
    s.active = true;
    s.statusCode = u"N"_s;
    s.documentationFlags = u"1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|"_s;
    return s;
}

intake::IntakeSave h4Sheet(const QString& caseNo) {
    intake::IntakeSave s;
    s.hospNum = u"H4"_s;
    s.sheet = {u"H4"_s, u"12/01/2026"_s, u"Class One"_s, u"Medical"_s, QString(), QString(),
               QString(), u"LIM"_s, u"TOMAS"_s, QString(), QString(), QString(), QString(),
               QString(), u"Male"_s, QString(), u"Single"_s, QString(), QString(), QString(),
               QString(), QString(), QString(), QString(), QString(), u"1004"_s,
               u"12/03/2026"_s, u"N"_s, u"12/01/2026"_s, u"11/30/2027"_s, caseNo, 0};
    s.other = {u"H4"_s, QString(), u"12/01/2026"_s, QString(), QString(), QString(), QString(),
               QString(), QString(), QString(), QString(), QString(), QString(), QString(), 0,
               0, 0, 0, 0, QString(), u"second workstation"_s, QString(), QString(), QString(),
               QString(), QString(), QString()};
    s.patient = {u"H4"_s, u"1004"_s, caseNo, u"C1"_s, u"Medical"_s, u"01"_s,
                 u"12/01/2026"_s, u"11/30/2027"_s, QString(), u"1"_s, u"N"_s, u"Y"_s};
    return s;
}

} // namespace

class tst_caserace : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

    QString one(db::Connection& on, const QString& sql) {
        const db::Recordset rs = on.Query(sql);
        return rs.Eof() ? u"<no row>"_s : rs.Text(rs.FieldNames().value(0));
    }

private slots:
    void init() {
        TESTDB_REQUIRE_BACKEND();
        c = testdb::fresh();
        seed(*c);
    }
    void cleanup() { c.reset(); }

    void sameNumberAtOnce_data() {
        QTest::addColumn<bool>("intakeSheet");
        QTest::addColumn<bool>("firstCommits");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("h4Number");
        QTest::addColumn<QString>("sheetGoals");
        QTest::addColumn<QString>("h4Reports");
        QTest::newRow("referral report, the first commits")
            << false << true << u"owned by GARCIA, ROSA"_s << u""_s << u"<no row>"_s << u"0"_s;
        QTest::newRow("intake sheet, the first commits")
            << true << true
            << u"The case number Z-0900 is already owned by GARCIA, ROSA (hospital number H3)."_s
            << u""_s << u"<no row>"_s << u"0"_s;
        QTest::newRow("referral report, the first rolls back")
            << false << false << u"saved"_s << u"Z-0900"_s << u"<no row>"_s << u"1"_s;
        QTest::newRow("intake sheet, the first rolls back")
            << true << false << u"saved"_s << u"Z-0900"_s << u"second workstation"_s << u"0"_s;
    }
    void sameNumberAtOnce() {
        QFETCH(bool, intakeSheet);
        QFETCH(bool, firstCommits);
        QFETCH(QString, said);
        QFETCH(QString, h4Number);
        QFETCH(QString, sheetGoals);
        QFETCH(QString, h4Reports);
        auto other = testdb::reopen(*c);
        c->BeginTrans();
        c->Execute(u"UPDATE PATIENT_DATA.tbMaster SET ZEPNum = 'Z-0900' WHERE HospNum = 'H3'"_s);
        QString outcome;
        std::thread second([&] {
            try {
                if (intakeSheet) {
                    intake::send(*other, h4Sheet(u"Z-0900"_s));
                    outcome = u"saved"_s;
                } else {
                    const referral::SaveOutcome out = referral::send(*other, h4Report(u"Z-0900"_s));
                    outcome = out.saved ? u"saved"_s : u"owned by "_s + out.owner;
                }
            } catch (const db::Error& e) {
                outcome = e.Description();
            }
        });
        QTest::qWait(400); // the second save is under way, waiting for the number
        if (firstCommits)
            c->CommitTrans();
        else
            c->RollbackTrans();
        second.join();
        QCOMPARE(outcome, said);
        QVERIFY(!other->inTransaction());
        QCOMPARE(one(*c, u"SELECT COALESCE(ZEPNum, '') FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H4'"_s),
                 h4Number);
        QCOMPARE(one(*c, u"SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE ZEPNum = 'Z-0900'"_s),
                 u"1"_s);
        QCOMPARE(one(*c, u"SELECT HelpingGoals FROM ZEP.tbZEPIntakeSheet WHERE HospNum = 'H4'"_s),
                 sheetGoals);
        QCOMPARE(one(*c, u"SELECT COUNT(*) FROM ZEP.tbZEPTransaction WHERE HospNum = 'H4'"_s),
                 h4Reports);
        QCOMPARE(one(*c, u"SELECT COUNT(*) FROM ZEP.tbZEPAssessment WHERE IdNum = '1004'"_s),
                 h4Reports);
    }
};

QTEST_MAIN(tst_caserace)
#include "tst_caserace.moc"
