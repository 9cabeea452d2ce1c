// Connections used from worker threads, one thread per connection, as a second workstation
// is simulated in the concurrency tests: every kind of text column reads back whole on each
// connection while the others read and write at the same time.
#include "testdb.h"

#include "db/connection.h"

#include <QTest>

#include <atomic>
#include <latch>
#include <thread>

using namespace Qt::StringLiterals;

class tst_threads : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        c = testdb::fresh();
        c->Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, "
                   "ZEPNum, ZEPDiscountValidity) VALUES ('T1', 'DELA CRUZ', 'JOSÉ', '', 'Z-77', "
                   "'2026-03-04')"_s);
        c->Execute(u"INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('PCSO', "
                   "'Philippine Charity Sweepstakes Office')"_s);
    }
    void cleanupTestCase() { c.reset(); }

    // Each worker reads the same row on its own connection many times, through a plain
    // query, a query with bound values and a procedure, while one more worker writes.
    void textColumnsInWorkerThreads_data() {
        QTest::addColumn<int>("workers");
        QTest::addColumn<int>("rounds");
        QTest::newRow("one worker") << 1 << 200;
        QTest::newRow("three workers and a writer") << 3 << 150;
    }
    void textColumnsInWorkerThreads() {
        QFETCH(int, workers);
        QFETCH(int, rounds);
        std::vector<std::unique_ptr<db::Connection>> conns;
        for (int i = 0; i <= workers; ++i)
            conns.push_back(testdb::reopen(*c));
        std::vector<QStringList> wrong(workers + 1);
        std::atomic<bool> stop{false};
        std::latch start(workers + 2);
        std::vector<std::thread> threads;
        for (int k = 0; k < workers; ++k)
            threads.emplace_back([&, k] {
                db::Connection& my = *conns[k];
                start.arrive_and_wait();
                for (int r = 0; r < rounds; ++r) {
                    try {
                        const db::Recordset m = my.Query(
                            u"SELECT LastName, FirstName, MiddleName, ZEPNum, "
                            "ZEPDiscountValidity, LastName || ', ' || FirstName AS Name "
                            "FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"_s,
                            {u"T1"_s});
                        const QString got =
                            m.Eof() ? u"<no row>"_s
                                    : QStringList{m.Text(u"LastName"_s), m.Text(u"FirstName"_s),
                                                  m.Text(u"MiddleName"_s), m.Text(u"ZEPNum"_s),
                                                  m.Text(u"ZEPDiscountValidity"_s).left(10),
                                                  m.Text(u"Name"_s)}
                                          .join(u'|');
                        if (got != u"DELA CRUZ|JOSÉ||Z-77|2026-03-04|DELA CRUZ, JOSÉ"_s)
                            wrong[k] << got;
                        const db::Recordset co =
                            my.Query(u"SELECT Company FROM BILLING.tbBillCompany"_s);
                        if (co.Eof() ||
                            co.Text(u"Company"_s) != u"Philippine Charity Sweepstakes Office"_s)
                            wrong[k] << u"company: "_s + (co.Eof() ? u"<no row>"_s : co.Text(u"Company"_s));
                        const db::Recordset e = my.Call(u"ZEP..sp_ZEP_GetExistsZEPNumber"_s,
                                                        {u"Z-77"_s, u"X"_s});
                        if (e.Eof() || e.Text(u"HospNum"_s) != u"T1"_s ||
                            e.Text(u"PatientName"_s).isEmpty())
                            wrong[k] << u"owner: "_s + (e.Eof() ? u"<no row>"_s : e.Text(u"HospNum"_s));
                    } catch (const db::Error& err) {
                        wrong[k] << err.Description();
                    }
                }
            });
        threads.emplace_back([&] {
            db::Connection& my = *conns[workers];
            start.arrive_and_wait();
            int n = 0;
            while (!stop) {
                try {
                    my.Execute(u"UPDATE BILLING.tbBillCompany SET Address = ? WHERE CompanyID = 'PCSO'"_s,
                               {QStringLiteral("Street %1").arg(++n)});
                    // A workstation's pace: the embedded engine lets readers in between
                    // writes, not under a writer that never stops.
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                } catch (const db::Error& err) {
                    wrong[workers] << err.Description();
                    return;
                }
            }
        });
        start.arrive_and_wait();
        for (int k = 0; k < workers; ++k)
            threads[k].join();
        stop = true;
        threads.back().join();
        for (int k = 0; k <= workers; ++k)
            QVERIFY2(wrong[k].isEmpty(), qPrintable(QStringLiteral("connection %1: ").arg(k) +
                                                    wrong[k].mid(0, 3).join(u" / "_s)));
    }
};

QTEST_MAIN(tst_threads)
#include "tst_threads.moc"
