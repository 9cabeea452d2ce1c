// The move of an embedded database to a shared server: every row of every table arrives
// (counts and checksums compared), the server's numbering goes on after the copied rows,
// a server database that holds anything or stands at another schema version is refused
// with nothing changed, and the checksums see through what the engines store differently
// but not through a changed value.
//
// The copy always needs a PostgreSQL server: the PostgreSQL run has one (ZEP_TEST_PG); the
// embedded run checks the refusals that come before any server is asked.
#include "db/connection.h"
#include "server/server.h"
#include "testdb.h"
#include "tools/copy.h"
#include "tools/demo.h"

#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const db::Error& e) {
        return e.Description();
    }
    return QStringLiteral("(no error)");
}

QStringList sums(db::Connection& c, bool withVersionTable = false) {
    QStringList out;
    for (const tools::TableSum& s : tools::tableSums(c))
        if (withVersionTable || s.table.compare(QLatin1String("tbZEPSchemaVersion"), Qt::CaseInsensitive) != 0)
            out << QStringLiteral("%1.%2 %3 %4").arg(s.database, s.table.toLower()).arg(s.rows).arg(s.checksum);
    return out;
}

long long count(db::Connection& c, const QString& sql) {
    const db::Recordset rs = c.Query(sql);
    return qint64(rs.Number(rs.FieldNames().first()));
}

} // namespace

class TestCopy : public QObject {
    Q_OBJECT

    QTemporaryDir folders;
    int made = 0;
    QString log;
    QTextStream logStream{&log};

    // A new embedded database, with the schema unless told otherwise.
    std::unique_ptr<db::Connection> embedded(bool schema = true) {
        db::ConnectionSettings s;
        s.backend = db::Backend::SQLite;
        s.folder = folders.filePath(QStringLiteral("db%1").arg(++made));
        s.create = true;
        auto c = db::Connection::open(s);
        if (schema)
            server::migrate(*c);
        return c;
    }
    // A new database on the test server, not yet made.
    QString serverUrl() const {
        db::ConnectionSettings s = db::ConnectionSettings::fromUrl(qEnvironmentVariable("ZEP_TEST_PG"));
        s.database = QStringLiteral("zc_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        return s.toUrl();
    }
    void needServer() {
        if (!testdb::isPg())
            QSKIP("the copy itself is checked in the PostgreSQL run");
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        server::registerProcedures();
    }

    void refusedBeforeAnyServer_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("source on a server")
            << u"postgresql://zep@127.0.0.1:1/a"_s << u"postgresql://zep@127.0.0.1:1/b"_s
            << u"The copy reads an embedded database: name it as sqlite:FOLDER."_s;
        QTest::newRow("target a folder")
            << u"sqlite:/tmp/a"_s << u"sqlite:/tmp/b"_s
            << u"The copy writes to a shared server: name it as postgresql://user@host:port/name."_s;
        QTest::newRow("nothing named") << u""_s << u""_s << u"The copy reads an embedded database: name it as sqlite:FOLDER."_s;
        QTest::newRow("no database in the folder")
            << u"sqlite:"_s + folders.filePath(QStringLiteral("none")) << u"postgresql://zep@127.0.0.1:1/b"_s
            << u"The database folder "_s + folders.filePath(QStringLiteral("none")) + u" does not exist."_s;
    }

    void refusedBeforeAnyServer() {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QString, message);
        QCOMPARE(errorOf([&] { tools::copyDatabase(source, target, logStream); }), message);
    }

    void olderSourceIsRefused() {
        auto old = embedded(false);
        server::schemaVersion(*old); // the version table, at version 0
        QCOMPARE(errorOf([&] { tools::copyDatabase(old->ConnectionString(), QStringLiteral("postgresql://zep@127.0.0.1:1/b"), logStream); }),
                 QStringLiteral("The embedded database is at schema version 0; this program copies version %1. "
                                "Bring it up to date with zep-admin init first.")
                     .arg(server::latestSchemaVersion()));
    }

    void demoHospitalArrivesWhole() {
        needServer();
        auto source = embedded();
        QString users;
        QTextStream s(&users);
        tools::createDemo(*source, s);
        const QString target = serverUrl();
        log.clear();
        tools::copyDatabase(source->ConnectionString(), target, logStream);
        QVERIFY2(log.contains(QLatin1String("every table's count and checksum match")), qPrintable(log));
        QVERIFY2(log.contains(QLatin1String("PATIENT_DATA.tbMaster: 320 rows")), qPrintable(log));

        auto server = db::Connection::open(db::ConnectionSettings::fromUrl(target));
        QCOMPARE(server::schemaVersion(*server), server::latestSchemaVersion());
        QCOMPARE(count(*server, QStringLiteral("SELECT count(*) AS n FROM PATIENT_DATA.tbMaster")), 320LL);
        QCOMPARE(sums(*server), sums(*source));

        // The server's numbering goes on after the rows that came: a new row does not take
        // the number of a copied one.
        const long long before = count(*server, QStringLiteral("SELECT COALESCE(MAX(Id), 0) AS n FROM ZEP.tbZEPTransaction"));
        QVERIFY(before > 0);
        server->Execute(QStringLiteral("INSERT INTO ZEP.tbZEPTransaction (HospNum, IdNum, TransDate) VALUES ('H', 'I', '2026-01-01 00:00:00')"));
        QCOMPARE(server->lastInsertId(), before + 1);

        // The triggers are on again: a new visit becomes the patient's latest.
        const QString hosp = server->Query(QStringLiteral("SELECT MIN(HospNum) AS h FROM PATIENT_DATA.tbMaster")).Text(QStringLiteral("h"));
        server->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) VALUES ('COPY1B', ?, '2099-01-01 08:00:00')"), {hosp});
        QCOMPARE(server->Query(QStringLiteral("SELECT LastVisitIdNum AS v FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"), {hosp}).Text(QStringLiteral("v")),
                 QStringLiteral("COPY1B"));

        // A second copy into the same database is refused and changes nothing.
        const QStringList after = sums(*server, true);
        const QString e = errorOf([&] { tools::copyDatabase(source->ConnectionString(), target, logStream); });
        QVERIFY2(e.startsWith(target + QStringLiteral(" already holds data (")), qPrintable(e));
        QVERIFY2(e.endsWith(QLatin1String("The copy goes only into a new, empty database; nothing was changed.")), qPrintable(e));
        QCOMPARE(sums(*server, true), after);
    }

    void otherVersionIsRefused() {
        needServer();
        auto source = embedded();
        const QString target = serverUrl();
        {
            db::ConnectionSettings s = db::ConnectionSettings::fromUrl(target);
            s.create = true;
            auto c = db::Connection::open(s);
            server::migrate(*c);
            c->Execute(QStringLiteral("INSERT INTO ZEP.tbZEPSchemaVersion (Version, AppliedAt) VALUES (?, '2030-01-01 00:00:00')"),
                       {server::latestSchemaVersion() + 1});
        }
        QCOMPARE(errorOf([&] { tools::copyDatabase(source->ConnectionString(), target, logStream); }),
                 QStringLiteral("The server database is at schema version %1, the embedded one at %2; both must be at the same version.")
                     .arg(server::latestSchemaVersion() + 1)
                     .arg(server::latestSchemaVersion()));
    }

    // One row of rooms on both engines: the same values stored as each engine stores them
    // give the same checksum; any changed value gives another.
    void checksumsAcrossEngines_data() {
        QTest::addColumn<QString>("serverRate");
        QTest::addColumn<QString>("serverClass");
        QTest::addColumn<QString>("serverStation");
        QTest::addColumn<bool>("same");
        QTest::newRow("the same row") << u"12.50"_s << u"A"_s << u"Ward 3"_s << true;
        QTest::newRow("rate a cent off") << u"12.51"_s << u"A"_s << u"Ward 3"_s << false;
        QTest::newRow("other class") << u"12.50"_s << u"B"_s << u"Ward 3"_s << false;
        QTest::newRow("blank at the end") << u"12.50"_s << u"A"_s << u"Ward 3 "_s << false;
        QTest::newRow("other case") << u"12.50"_s << u"A"_s << u"ward 3"_s << false;
    }

    void checksumsAcrossEngines() {
        needServer();
        QFETCH(QString, serverRate);
        QFETCH(QString, serverClass);
        QFETCH(QString, serverStation);
        QFETCH(bool, same);
        auto local = embedded();
        local->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate) VALUES ('R1', 'Ward 3', 'A', 12.5)"));
        local->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, BirthDate) VALUES ('H1', 'CRUZ', '1970-05-06')"));
        local->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) VALUES ('1B', 'H1', '2026-02-03 04:05:06')"));
        db::ConnectionSettings s = db::ConnectionSettings::fromUrl(serverUrl());
        s.create = true;
        auto remote = db::Connection::open(s);
        server::migrate(*remote);
        remote->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate) VALUES ('R1', ?, ?, ?)"),
                        {serverStation, serverClass, serverRate});
        remote->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, BirthDate) VALUES ('H1', 'CRUZ', '1970-05-06')"));
        remote->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) VALUES ('1B', 'H1', '2026-02-03 04:05:06')"));
        const auto find = [](const QStringList& all, const QString& table) {
            for (const QString& line : all)
                if (line.startsWith(table + QLatin1Char(' ')))
                    return line;
            return QString();
        };
        const QStringList a = sums(*local), b = sums(*remote);
        QCOMPARE(find(a, QStringLiteral("PATIENT_DATA.tbroom")) == find(b, QStringLiteral("PATIENT_DATA.tbroom")), same);
        QVERIFY(find(a, QStringLiteral("PATIENT_DATA.tbroom")).startsWith(QLatin1String("PATIENT_DATA.tbroom 1 ")));
        // The master and visit rows went in the same on both and must sum the same (the
        // trigger filled the latest visit on each engine).
        QCOMPARE(find(b, QStringLiteral("PATIENT_DATA.tbmaster")), find(a, QStringLiteral("PATIENT_DATA.tbmaster")));
        QCOMPARE(find(b, QStringLiteral("PATIENT_DATA.tboutpatient")), find(a, QStringLiteral("PATIENT_DATA.tboutpatient")));
    }
};

QTEST_GUILESS_MAIN(TestCopy)
#include "tst_copy.moc"
