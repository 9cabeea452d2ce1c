// Every save that writes more than one row, killed with SIGKILL after each of its statements
// in turn (BEGIN and COMMIT among them) and, on SQLite, after each write, sync and deletion
// of the engine's files during the commit: afterwards the database must be exactly as before the save or
// exactly as after it, every table compared whole, and on SQLite the files must pass the
// engine's integrity check. The kill points are counted by trying them until the save
// completes, so a save that grows a statement is tried at it too.
#include "testdb.h"

#include "db/connection.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <libpq-fe.h>
#include <map>

using namespace Qt::StringLiterals;

namespace {

// Every table of the five databases: name -> its rows, each row's values as one text,
// sorted.
using Snapshot = std::map<QString, QStringList>;

// Columns filled from the engine's clock or from a per-connection key: two runs of one save
// give them different values, so against the state after the save only whether they are
// set is compared.
bool volatileColumn(const QString& name) {
    static const QStringList names{u"updatedat"_s, u"assessdate"_s, u"transdate"_s,
                                   u"changedat"_s, u"deletedat"_s,  u"cleardate"_s,
                                   u"computedat"_s, u"startedat"_s, u"sessionid"_s};
    return names.contains(name.toLower());
}

QStringList tablesOf(db::Connection& c) {
    QStringList out;
    if (testdb::isPg()) {
        for (db::Recordset rs = c.Query(
                 u"SELECT table_schema, table_name FROM information_schema.tables WHERE "
                 "table_type = 'BASE TABLE' AND table_schema IN ('zep', 'patient_data', "
                 "'billing', 'build_file', 'radiology') ORDER BY 1, 2"_s);
             !rs.Eof(); rs.MoveNext())
            out << rs.Text(0) + u"."_s + rs.Text(1);
        return out;
    }
    for (const QString& dbName : db::databaseNames())
        for (db::Recordset rs = c.Query(u"SELECT name FROM %1.sqlite_master WHERE type = "
                                        "'table' ORDER BY name"_s.arg(dbName));
             !rs.Eof(); rs.MoveNext())
            out << dbName + u"."_s + rs.Text(0);
    return out;
}

// The database as it is, and as it is with the volatile columns reduced to set or not.
struct State {
    Snapshot exact, masked;
};

State snapshot(db::Connection& c) {
    State s;
    for (const QString& table : tablesOf(c)) {
        db::Recordset rs = c.Query(u"SELECT * FROM "_s + table);
        const QStringList cols = rs.FieldNames();
        QVector<bool> volatileAt;
        for (const QString& col : cols)
            volatileAt << volatileColumn(col);
        QStringList exact, masked;
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList cells, maskedCells;
            for (int i = 0; i < cols.size(); ++i) {
                const QVariant v = rs.Value(i);
                cells << (v.isNull() ? u"<null>"_s : rs.Text(i));
                maskedCells << (!v.isNull() && volatileAt.at(i) ? u"<set>"_s : cells.last());
            }
            exact << cells.join(u'\x1f');
            masked << maskedCells.join(u'\x1f');
        }
        exact.sort();
        masked.sort();
        s.exact[table.toLower()] = exact;
        s.masked[table.toLower()] = masked;
    }
    return s;
}

// The tables whose rows differ between two snapshots.
QStringList differing(const Snapshot& a, const Snapshot& b) {
    QStringList out;
    for (const auto& [table, rows] : a) {
        const auto it = b.find(table);
        if (it == b.end() || it->second != rows)
            out << table;
    }
    for (const auto& [table, rows] : b)
        if (!a.count(table))
            out << table;
    return out;
}

// One table's difference, for the failure message.
QString diffText(const Snapshot& a, const Snapshot& b, const QString& table) {
    const QStringList ra = a.count(table) ? a.at(table) : QStringList();
    const QStringList rb = b.count(table) ? b.at(table) : QStringList();
    QString out;
    for (const QString& r : ra)
        if (!rb.contains(r))
            out += u"  - "_s + QString(r).replace(u'\x1f', u" | "_s) + u'\n';
    for (const QString& r : rb)
        if (!ra.contains(r))
            out += u"  + "_s + QString(r).replace(u'\x1f', u" | "_s) + u'\n';
    return out;
}

QString childPath() {
    return QStringLiteral(CRASHSAVE_PATH);
}

struct ChildRun {
    bool killed = false;
    int exitCode = 0;
    QString out, err;
};

ChildRun runChild(const QStringList& args) {
    QProcess p;
    p.start(childPath(), args);
    ChildRun r;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        r.exitCode = -1;
        r.err = u"the child did not finish in two minutes"_s;
        return r;
    }
    r.killed = p.exitStatus() == QProcess::CrashExit;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

int printed(const QString& out, const QString& key) {
    for (const QString& line : out.split(u'\n'))
        if (line.startsWith(key + u' '))
            return line.mid(key.size() + 1).toInt();
    return -1;
}

// PostgreSQL: databases are made from the seed as a template and dropped, on the server
// the tests are given.
bool pgCommand(const QByteArray& sql, QString* error) {
    PGconn* c = PQconnectdb(qEnvironmentVariable("ZEP_TEST_PG").toUtf8().constData());
    bool ok = PQstatus(c) == CONNECTION_OK;
    if (ok) {
        PGresult* r = PQexec(c, sql.constData());
        ok = PQresultStatus(r) == PGRES_COMMAND_OK;
        if (!ok && error)
            *error = QString::fromUtf8(PQresultErrorMessage(r));
        PQclear(r);
    } else if (error) {
        *error = QString::fromUtf8(PQerrorMessage(c));
    }
    PQfinish(c);
    return ok;
}

bool copyFolder(const QString& from, const QString& to) {
    if (!QDir().mkpath(to))
        return false;
    for (const QString& f : QDir(from).entryList(QDir::Files))
        if (!QFile::copy(from + u'/' + f, to + u'/' + f))
            return false;
    return true;
}

} // namespace

class tst_crashsaves : public QObject {
    Q_OBJECT
    db::ConnectionSettings seed_;
    // Memory-backed where there is such a folder: the engine's syncs cost nothing there,
    // and a killed process loses nothing it wrote either way.
    QTemporaryDir work_{QDir(u"/dev/shm"_s).exists() ? u"/dev/shm/zep-crash-XXXXXX"_s
                                                      : QDir::tempPath() + u"/zep-crash-XXXXXX"_s};
    Snapshot before_;
    int copies_ = 0;
    QStringList figures_;

    // A database in the seed's state, for one run of the child.
    db::ConnectionSettings copyOfSeed() {
        db::ConnectionSettings s = seed_;
        s.create = false;
        ++copies_;
        if (testdb::isPg()) {
            s.database = seed_.database + u"_k"_s + QString::number(copies_);
            QString error;
            if (!pgCommand("CREATE DATABASE \"" + s.database.toUtf8() + "\" TEMPLATE \"" +
                               seed_.database.toUtf8() + '"',
                           &error))
                qFatal("CREATE DATABASE failed: %s", qPrintable(error));
        } else {
            s.folder = work_.path() + u"/run"_s + QString::number(copies_);
            if (!copyFolder(seed_.folder, s.folder))
                qFatal("the seed folder could not be copied");
        }
        return s;
    }

    void dropCopy(const db::ConnectionSettings& s) {
        if (testdb::isPg())
            pgCommand("DROP DATABASE IF EXISTS \"" + s.database.toUtf8() + "\" WITH (FORCE)",
                      nullptr);
        else
            QDir(s.folder).removeRecursively();
    }

    // What is in a database after the child ran on it; on SQLite the files are checked
    // first (opening them rolls back a journal the dead process left).
    // A database that cannot be opened or read comes back empty, with the reason as a
    // failed check.
    State stateOf(const db::ConnectionSettings& s, QString* integrity) {
        if (integrity)
            integrity->clear();
        try {
            auto c = db::Connection::open(s);
            if (!testdb::isPg() && integrity) {
                for (const QString& name : QStringList{u"main"_s} + db::databaseNames()) {
                    const QString r =
                        c->Query(u"PRAGMA %1.integrity_check"_s.arg(name)).Text(0);
                    if (r != u"ok"_s)
                        *integrity += name + u": "_s + r + u'\n';
                }
            }
            return snapshot(*c);
        } catch (const db::Error& e) {
            if (integrity)
                *integrity += u"the database could not be read: "_s + e.Description();
            return {};
        }
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        QVERIFY(QFile::exists(childPath()));
        QVERIFY(work_.isValid());
        seed_ = testdb::newSettings();
        if (!testdb::isPg())
            seed_.folder = work_.path() + u"/seed"_s;
        const ChildRun r = runChild({u"seed"_s, seed_.toUrl()});
        QVERIFY2(!r.killed && r.exitCode == 0, qPrintable(r.err));
        seed_.create = false;
        auto c = db::Connection::open(seed_);
        before_ = snapshot(*c).exact;
        QVERIFY(before_.size() > 20);
    }

    void cleanupTestCase() {
        if (testdb::isPg() && !seed_.database.isEmpty())
            pgCommand("DROP DATABASE IF EXISTS \"" + seed_.database.toUtf8() + "\" WITH (FORCE)",
                      nullptr);
        for (const QString& f : figures_)
            qInfo("%s", qPrintable(f));
    }

    void killedSave_data() {
        QTest::addColumn<QString>("save");
        QTest::addColumn<QStringList>("changes"); // the tables a completed save changes
        QTest::newRow("intake sheet")
            << u"intake"_s
            << QStringList{u"patient_data.tbmaster"_s, u"zep.tbzepfamilymember"_s,
                           u"zep.tbzepintakesheet"_s};
        QTest::newRow("referral report")
            << u"referral"_s
            << QStringList{u"billing.tbbilldailybill"_s, u"patient_data.tbmaster"_s,
                           u"zep.tbzepassessment"_s,
                           u"zep.tbzepassessmentactivity"_s, u"zep.tbzepassessmentservice"_s,
                           u"zep.tbzeptransaction"_s};
        QTest::newRow("pay to service, admission")
            << u"paytoservice-admission"_s
            << QStringList{u"patient_data.tbpatient2"_s, u"zep.tbzeppatclasshistory"_s};
        QTest::newRow("pay to service, out-patient")
            << u"paytoservice-outpatient"_s
            << QStringList{u"patient_data.tboutpatient"_s, u"zep.tbzeppatclasshistory"_s};
        QTest::newRow("class edit")
            << u"classedit"_s
            << QStringList{u"patient_data.tbpatient2"_s, u"zep.tbzeppatclasshistory"_s};
        QTest::newRow("class-history deletion")
            << u"classhistory-deletion"_s
            << QStringList{u"zep.tbzeppatclasshistory"_s, u"zep.tbzeppatclasshistorydeletion"_s};
        QTest::newRow("case-number edit")
            << u"casenumber-edit"_s
            << QStringList{u"patient_data.tbmaster"_s, u"zep.tbzepcasenumberchange"_s};
        QTest::newRow("case-number deletion")
            << u"casenumber-deletion"_s
            << QStringList{u"patient_data.tbmaster"_s, u"zep.tbzepcasenumberchange"_s};
        QTest::newRow("global update")
            << u"globalupdate"_s
            << QStringList{u"patient_data.tbmaster"_s, u"zep.tbzepassessment"_s};
        QTest::newRow("discount computation")
            << u"discount-compute"_s << QStringList{u"billing.tbbillcomputeddiscount"_s};
        QTest::newRow("discount recompute")
            << u"discount-recompute"_s << QStringList{u"billing.tbbillcomputeddiscount"_s};
        QTest::newRow("discount recompute, special arrangement")
            << u"discount-recompute-special"_s
            << QStringList{u"billing.tbbillcomputeddiscount"_s};
        QTest::newRow("discharge clearance")
            << u"discharge-clearance"_s << QStringList{u"zep.tbzepdischargenotice"_s};
    }

private:
    // The save run whole once, from the seed: the state every kill must leave, if not the
    // one before, and what the child counted.
    struct Whole {
        Snapshot after; // masked
        QStringList changed;
        int statements = -1, io = -1;
        QString error;
    };
    Whole runWhole(const QString& save) {
        Whole w;
        const db::ConnectionSettings s = copyOfSeed();
        const ChildRun ref = runChild({u"run"_s, s.toUrl(), save});
        if (ref.killed || ref.exitCode != 0) {
            w.error = u"the save failed: "_s + ref.err;
            dropCopy(s);
            return w;
        }
        w.statements = printed(ref.out, u"statements"_s);
        w.io = printed(ref.out, u"io"_s);
        const State st = stateOf(s, nullptr);
        dropCopy(s);
        w.after = st.masked;
        // The engine's own bookkeeping (SQLite's sqlite_sequence) is compared with the rest
        // but is not one of the save's tables.
        for (const QString& t : differing(before_, st.exact))
            if (!t.endsWith(u".sqlite_sequence"_s))
                w.changed << t;
        w.changed.sort();
        return w;
    }

    // One kind of kill point tried in turn until the save runs to its end unkilled.
    struct Kills {
        int tried = 0, asBefore = 0, asAfter = 0;
        QList<int> halfAt;  // the kill points that left a half-save
        QStringList faults; // what each of those (or a failed integrity check) left
        QString error;      // the loop could not go on
    };
    Kills killEach(const QString& save, const QString& kind, const Snapshot& after) {
        Kills k;
        for (int n = 1;; ++n) {
            if (n >= 5000) {
                k.error = u"the save never ran to its end"_s;
                return k;
            }
            const db::ConnectionSettings s = copyOfSeed();
            const ChildRun r = runChild({u"run"_s, s.toUrl(), save, kind, QString::number(n)});
            QString integrity;
            const State got = stateOf(s, &integrity);
            dropCopy(s);
            if (!integrity.isEmpty())
                k.faults << u"%1 %2: integrity check: %3"_s.arg(kind).arg(n).arg(integrity);
            if (!r.killed) {
                if (r.exitCode != 0)
                    k.error = u"the save failed at %1 %2: %3"_s.arg(kind).arg(n).arg(r.err);
                else if (!differing(got.masked, after).isEmpty())
                    k.error = u"a save not killed saved otherwise"_s;
                return k;
            }
            if (r.exitCode != int(SIGKILL)) {
                k.error = u"the child died of signal %1"_s.arg(r.exitCode);
                return k;
            }
            ++k.tried;
            if (differing(got.exact, before_).isEmpty()) {
                ++k.asBefore;
            } else if (differing(got.masked, after).isEmpty()) {
                ++k.asAfter;
            } else {
                k.halfAt << n;
                QString detail;
                for (const QString& t : differing(got.masked, after))
                    detail += t + u" (against after):\n"_s + diffText(after, got.masked, t);
                k.faults << u"%1 %2: half-saved\n%3"_s.arg(kind).arg(n).arg(detail);
            }
        }
    }

    QStringList kinds() const {
        QStringList k{u"--kill-statement"_s};
        if (!testdb::isPg())
            k << u"--kill-io"_s;
        return k;
    }

private slots:
    void killedSave() {
        QFETCH(QString, save);
        QFETCH(QStringList, changes);
        QElapsedTimer clock;
        clock.start();
        const Whole whole = runWhole(save);
        QVERIFY2(whole.error.isEmpty(), qPrintable(whole.error));
        QVERIFY(whole.statements >= 1);
        QCOMPARE(whole.changed.join(u", "_s), changes.join(u", "_s));

        QStringList faults, counts;
        for (const QString& kind : kinds()) {
            const Kills k = killEach(save, kind, whole.after);
            QVERIFY2(k.error.isEmpty(), qPrintable(k.error));
            // As many kill points as the whole save ran statements (or commit operations).
            QCOMPARE(k.tried, kind == u"--kill-statement"_s ? whole.statements : whole.io);
            // Killed before its commit the save must leave nothing, and killed after it,
            // everything. (A save of one statement has nothing between the two.)
            QVERIFY(k.asBefore > 0 || k.tried == 1);
            QVERIFY(k.asAfter > 0);
            faults << k.faults;
            counts << u"%1 %2 (before %3, after %4)"_s.arg(kind.mid(7))
                          .arg(k.tried)
                          .arg(k.asBefore)
                          .arg(k.asAfter);
        }
        figures_ << u"%1 %2: %3; half-saves %4; %5 s"_s
                        .arg(testdb::isPg() ? u"pg"_s : u"sqlite"_s, save, counts.join(u", "_s))
                        .arg(faults.size())
                        .arg(clock.elapsed() / 1000.0, 0, 'f', 1);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // The comparison itself: two case-number changes sent one after the other, each in its
    // own transaction, as a careless save would. Each call runs BEGIN, the patient's number,
    // the number's holder, the UPDATE, the log INSERT and COMMIT; killed after the first
    // COMMIT and before the second, the database holds the first change only.
    void halfSaveIsFound() {
        const Whole whole = runWhole(u"control-two-transactions"_s);
        QVERIFY2(whole.error.isEmpty(), qPrintable(whole.error));
        QCOMPARE(whole.statements, 12);
        QCOMPARE(whole.changed.join(u", "_s),
                 u"patient_data.tbmaster, zep.tbzepcasenumberchange"_s);
        const Kills byStatement = killEach(u"control-two-transactions"_s, u"--kill-statement"_s,
                                           whole.after);
        QVERIFY2(byStatement.error.isEmpty(), qPrintable(byStatement.error));
        QCOMPARE(byStatement.tried, 12);
        QCOMPARE(byStatement.halfAt, (QList<int>{6, 7, 8, 9, 10, 11}));
        QCOMPARE(byStatement.asBefore, 5);
        QCOMPARE(byStatement.asAfter, 1);
        figures_ << u"%1 control (two transactions): statement 12, half-saved at 6 to 11"_s.arg(
            testdb::isPg() ? u"pg"_s : u"sqlite"_s);
        if (testdb::isPg())
            return;
        // Inside the commits: the first one's journal deleted, the change is there alone.
        const Kills byIo = killEach(u"control-two-transactions"_s, u"--kill-io"_s, whole.after);
        QVERIFY2(byIo.error.isEmpty(), qPrintable(byIo.error));
        QCOMPARE(byIo.tried, whole.io);
        QVERIFY(!byIo.halfAt.isEmpty());
        QVERIFY(byIo.asBefore > 0);
        QVERIFY(byIo.asAfter > 0);
        figures_ << u"sqlite control (two transactions): io %1, half-saved at %2 of them"_s
                        .arg(byIo.tried)
                        .arg(byIo.halfAt.size());
    }
};

// Every kill point is a process of its own: the rows of one test function together take
// longer than QtTest's default five minutes on a busy machine (CTest still stops the suite
// at its own limit).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "1800000");
    QCoreApplication app(argc, argv);
    tst_crashsaves t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_crashsaves.moc"
