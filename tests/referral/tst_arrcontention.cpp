// Two workstations saving referral reports at the same moment with the same new case number
// for two different patients, each on its own connection and thread: exactly one report is
// saved, the other workstation is told who owns the number, and nothing of its report
// reaches the database. Run over many rounds, both with the two saves held until both have
// passed the case-number check and left to race freely.
#include "referralseed.h"
#include "testdb.h"

#include "referral/arrsave.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <atomic>
#include <latch>
#include <thread>

using namespace referralseed;

namespace {

struct Result {
    bool saved = false;
    QString owner;
    QString error;
};

referral::ArrSave report(const QString& hosp, const QString& visit, const QString& caseNo) {
    referral::ArrSave s;
    s.hospNum = s.shownHospNum = hosp;
    s.idNum = s.shownIdNum = visit;
    s.caseNumber = caseNo;
    s.classCode = u"C1"_s;
    s.categoryName = u"Medical"_s;
    s.categoryId = u"01"_s;
    s.parentCategoryId = u"01"_s;
    s.referringParty = u"1"_s;
    s.remarks = u"first report"_s;
    s.intakeDate = u"12/01/2026"_s;
    s.expiryDate = u"12/31/2027"_s;
    s.workerCode = u"E100"_s;
    s.userCode = u"E100"_s;
    s.counterpart = u"100"_s;
    s.active = true;
    s.statusCode = u"N"_s;
    s.serviceCodes = u"1.1|"_s;
    s.documentationFlags = u"1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|"_s;
    s.activityCodes = u"1.1|"_s;
    return s;
}

Result saveOn(db::Connection& conn, const referral::ArrSave& s) {
    Result r;
    try {
        const referral::SaveOutcome out = referral::send(conn, s);
        r.saved = out.saved;
        r.owner = out.owner;
    } catch (const db::Error& e) {
        r.error = e.Description();
    }
    return r;
}

} // namespace

class tst_arrcontention : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

    QString one(const QString& sql, const QVariantList& values = {}) {
        const db::Recordset rs = c->Query(sql, values);
        return rs.Eof() ? u"<no row>"_s : rs.Text(rs.FieldNames().value(0));
    }

    // What the save of one visit leaves behind, as one text.
    QString traces(const QString& hosp, const QString& visit) {
        return QStringList{
            one(u"SELECT COALESCE(ZEPNum, '') FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"_s, {hosp}),
            one(u"SELECT COUNT(*) FROM ZEP.tbZEPAssessment WHERE IdNum = ?"_s, {visit}),
            one(u"SELECT COUNT(*) FROM ZEP.tbZEPAssessmentService WHERE IdNum = ?"_s, {visit}),
            one(u"SELECT COUNT(*) FROM ZEP.tbZEPAssessmentActivity WHERE IdNum = ?"_s, {visit}),
            one(u"SELECT COUNT(*) FROM ZEP.tbZEPTransaction WHERE IdNum = ?"_s, {visit}),
            one(u"SELECT COUNT(*) FROM BILLING.tbBillDailyBill WHERE IdNum = ? AND RevenueID = 'QF'"_s,
                {visit})}
            .join(u'/');
    }

    // Two new patients with an admission each, and the department's pending charge on both
    // under the case number they are about to be given.
    void admit(const QString& tag, const QString& caseNo) {
        for (const QString& side : {u"A"_s, u"B"_s}) {
            const QString hosp = tag + side;
            c->Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName) "
                       "VALUES (?, ?, 'PAT')"_s,
                       {hosp, u"SIDE"_s + side + tag});
            c->Execute(u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, "
                       "PatientClass) VALUES (?, ?, '2026-12-01 08:00:00', 'S')"_s,
                       {visitOf(tag, side), hosp});
            c->Execute(u"INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Amount, "
                       "TransDate, RefNum) VALUES (?, 'QF', 300, '2026-12-01 10:00:00', ?)"_s,
                       {visitOf(tag, side), caseNo});
        }
    }
    static QString visitOf(const QString& tag, const QString& side) {
        return u"8"_s + tag.mid(1) + (side == u"A" ? u"1"_s : u"2"_s);
    }

    // One round: both saves start together; with `held`, a third workstation holds them
    // up until both have passed the check (the embedded engine: at the start of their
    // transactions, where it takes one writer at a time).
    void round(int n, bool held) {
        const QString tag = QStringLiteral("R%1").arg(n, 3, 10, QLatin1Char('0'));
        const QString caseNo = u"ZC-"_s + tag;
        admit(tag, caseNo);
        auto first = testdb::reopen(*c);
        auto second = testdb::reopen(*c);
        auto holder = testdb::reopen(*c);
        if (held) {
            holder->BeginTrans();
            if (testdb::isPg())
                holder->Execute(u"LOCK TABLE ZEP.tbZEPTransaction IN EXCLUSIVE MODE"_s);
        }
        Result ra, rb;
        std::latch start(3);
        std::thread ta([&] {
            start.arrive_and_wait();
            ra = saveOn(*first, report(tag + u"A"_s, visitOf(tag, u"A"_s), caseNo));
        });
        std::thread tb([&] {
            start.arrive_and_wait();
            rb = saveOn(*second, report(tag + u"B"_s, visitOf(tag, u"B"_s), caseNo));
        });
        start.arrive_and_wait();
        if (held) {
            // On the server both wait once each has passed the check: one on the log's
            // lock, the other on the first's case number in the unique index.
            if (testdb::isPg()) {
                QElapsedTimer t;
                t.start();
                while (t.elapsed() < 10000 &&
                       holder->Query(u"SELECT COUNT(*) AS n FROM pg_stat_activity WHERE "
                                     "datname = current_database() AND wait_event_type = 'Lock'"_s)
                               .Value(u"n"_s)
                               .toInt() < 2)
                    QThread::msleep(5);
            } else {
                QThread::msleep(30);
            }
            holder->RollbackTrans();
        }
        ta.join();
        tb.join();
        QVERIFY2(ra.error.isEmpty() && rb.error.isEmpty(),
                 qPrintable(tag + u": "_s + ra.error + u" | "_s + rb.error));
        QVERIFY2(ra.saved != rb.saved, qPrintable(tag + u": both or neither saved"_s));
        const QString winner = ra.saved ? u"A"_s : u"B"_s, loser = ra.saved ? u"B"_s : u"A"_s;
        const Result& lost = ra.saved ? rb : ra;
        QCOMPARE(lost.owner, u"SIDE"_s + winner + tag + u", PAT"_s);
        QCOMPARE(traces(tag + winner, visitOf(tag, winner)), caseNo + u"/1/1/1/1/0"_s);
        QCOMPARE(traces(tag + loser, visitOf(tag, loser)), u"/0/0/0/0/1"_s);
        QCOMPARE(one(u"SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE ZEPNum = ?"_s, {caseNo}),
                 u"1"_s);
        QVERIFY(!first->inTransaction() && !second->inTransaction());
    }

private slots:
    void initTestCase() { TESTDB_REQUIRE_BACKEND(); }

    void init() {
        c = testdb::fresh();
        seed(*c);
    }
    void cleanup() { c.reset(); }

    void heldUntilBothChecked() {
        for (int n = 1; n <= 25; ++n) {
            round(n, true);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void freeRace() {
        for (int n = 101; n <= 160; ++n) {
            round(n, false);
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_MAIN(tst_arrcontention)
#include "tst_arrcontention.moc"
