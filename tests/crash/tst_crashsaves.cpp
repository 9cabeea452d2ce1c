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
#include <QUuid>
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
    State stateOf(const db::ConnectionSettings& s, QString* integrity) {
        auto c = db::Connection::open(s);
        if (!testdb::isPg() && integrity) {
            integrity->clear();
            for (const QString& name : QStringList{u"main"_s} + db::databaseNames()) {
                const QString r = c->Query(u"PRAGMA %1.integrity_check"_s.arg(name)).Text(0);
                if (r != u"ok"_s)
                    *integrity += name + u": "_s + r + u'\n';
            }
        }
        return snapshot(*c);
    }

    enum Outcome { Before, After, Half };

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
        QTest::newRow("discharge clearance")
            << u"discharge-clearance"_s << QStringList{u"zep.tbzepdischargenotice"_s};
    }

    void killedSave() {
        QFETCH(QString, save);
        QFETCH(QStringList, changes);
        QElapsedTimer clock;
        clock.start();

        // The save run whole once: the state every kill must leave, if not the one before.
        const db::ConnectionSettings whole = copyOfSeed();
        const ChildRun ref = runChild({u"run"_s, whole.toUrl(), save});
        QVERIFY2(!ref.killed && ref.exitCode == 0, qPrintable(ref.err));
        const int statements = printed(ref.out, u"statements"_s);
        const int io = printed(ref.out, u"io"_s);
        QVERIFY2(statements >= 1, qPrintable(ref.out));
        const State afterState = stateOf(whole, nullptr);
        const Snapshot& after = afterState.masked;
        dropCopy(whole);
        // The engine's own bookkeeping (SQLite's sqlite_sequence) is compared with the rest
        // but is not one of the save's tables.
        QStringList changed;
        for (const QString& t : differing(before_, afterState.exact))
            if (!t.endsWith(u".sqlite_sequence"_s))
                changed << t;
        changed.sort();
        QStringList expected = changes;
        expected.sort();
        for (QString& t : expected)
            t = t.toLower();
        QCOMPARE(changed.join(u", "_s), expected.join(u", "_s));

        // Each kind of kill point in turn, until the save runs to its end unkilled.
        QStringList kinds{u"--kill-statement"_s};
        if (!testdb::isPg())
            kinds << u"--kill-io"_s;
        QStringList halves;
        QStringList counts;
        for (const QString& kind : kinds) {
            int tried = 0, asBefore = 0, asAfter = 0;
            for (int n = 1;; ++n) {
                QVERIFY2(n < 5000, "the save never ran to its end");
                const db::ConnectionSettings s = copyOfSeed();
                const ChildRun r =
                    runChild({u"run"_s, s.toUrl(), save, kind, QString::number(n)});
                if (!r.killed) {
                    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
                    QString integrity;
                    const State got = stateOf(s, &integrity);
                    QVERIFY2(integrity.isEmpty(), qPrintable(integrity));
                    QVERIFY2(differing(got.masked, after).isEmpty(),
                             "a save not killed saved otherwise");
                    dropCopy(s);
                    break;
                }
                QCOMPARE(r.exitCode, int(SIGKILL));
                ++tried;
                QString integrity;
                const State got = stateOf(s, &integrity);
                const Snapshot& exact = got.exact;
                const Snapshot& masked = got.masked;
                dropCopy(s);
                if (!integrity.isEmpty())
                    halves << u"%1 %2: integrity check: %3"_s.arg(kind).arg(n).arg(integrity);
                if (differing(exact, before_).isEmpty()) {
                    ++asBefore;
                } else if (differing(masked, after).isEmpty()) {
                    ++asAfter;
                } else {
                    QString detail;
                    for (const QString& t : differing(masked, after))
                        detail += t + u" (against after):\n"_s + diffText(after, masked, t);
                    halves << u"%1 %2: half-saved\n%3"_s.arg(kind).arg(n).arg(detail);
                }
            }
            // The statement kills are as many as the statements the whole save ran.
            if (kind == u"--kill-statement"_s)
                QCOMPARE(tried, statements);
            else
                QCOMPARE(tried, io);
            // Killed before its commit the save must leave nothing; killed at least once
            // after the commit it must leave everything.
            // (A save of one statement has nothing between the two.)
            QVERIFY(asBefore > 0 || tried == 1);
            QVERIFY(asAfter > 0);
            counts << u"%1 %2 (before %3, after %4)"_s.arg(kind.mid(7)).arg(tried).arg(asBefore).arg(asAfter);
        }
        figures_ << u"%1 %2: %3; half-saves %4; %5 s"_s.arg(testdb::isPg() ? u"pg"_s : u"sqlite"_s,
                                                             save, counts.join(u", "_s))
                        .arg(halves.size())
                        .arg(clock.elapsed() / 1000.0, 0, 'f', 1);
        QVERIFY2(halves.isEmpty(), qPrintable(halves.join(u'\n')));
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
