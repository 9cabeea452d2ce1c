// Backups and restores on the engine under test: a restore holds every row of the database
// that was backed up; a backup taken while a workstation keeps saving holds each save whole
// or not at all; a restore never writes over a database and keeps nothing of a damaged
// backup; and files that are no backup are named as such.
#include "db/connection.h"
#include "server/server.h"
#include "testdb.h"
#include "tools/backup.h"
#include "tools/copy.h"
#include "tools/demo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

long long count(db::Connection& c, const QString& sql) {
    const db::Recordset rs = c.Query(sql);
    return qint64(rs.Number(rs.FieldNames().first()));
}

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const db::Error& e) {
        return e.Description();
    }
    return QStringLiteral("(no error)");
}

// Every table's count and checksum, the schema version table's included.
QStringList sums(db::Connection& c) {
    QStringList out;
    for (const tools::TableSum& s : tools::tableSums(c))
        out << QStringLiteral("%1.%2 %3 %4").arg(s.database, s.table).arg(s.rows).arg(s.checksum);
    return out;
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

    std::unique_ptr<db::Connection> demo;
    QTemporaryDir files;
    QString demoBackup;
    QString log;
    QTextStream logStream{&log};

    QString url(const db::Connection& c) const { return c.settings().toUrl(); }
    QString newUrl() const { return testdb::newSettings().toUrl(); }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        demo = testdb::fresh();
        QString users;
        QTextStream s(&users);
        tools::createDemo(*demo, s);
        demoBackup = files.filePath(QStringLiteral("demo.zepbackup"));
        tools::backupDatabase(url(*demo), demoBackup, logStream);
    }

    void restoreHoldsEveryRow() {
        const tools::BackupInfo info = tools::inspectBackup(demoBackup);
        QCOMPARE(info.kind, testdb::isPg() ? QStringLiteral("postgresql") : QStringLiteral("sqlite"));
        if (!testdb::isPg()) {
            QCOMPARE(info.parts, (QStringList{u"main.db"_s, u"ZEP.db"_s, u"PATIENT_DATA.db"_s, u"BILLING.db"_s,
                                              u"BUILD_FILE.db"_s, u"RADIOLOGY.db"_s}));
            QCOMPARE(info.schemaVersion, server::latestSchemaVersion());
        }
        const QString target = newUrl();
        tools::restoreDatabase(demoBackup, target, logStream);
        auto restored = db::Connection::open(db::ConnectionSettings::fromUrl(target));
        QCOMPARE(server::schemaVersion(*restored), server::latestSchemaVersion());
        QCOMPARE(count(*restored, QStringLiteral("SELECT count(*) AS n FROM PATIENT_DATA.tbMaster")),
                 320LL);
        QCOMPARE(sums(*restored), sums(*demo));
        // The restored database is a working one: the triggers that keep a patient's latest
        // visit came back with it.
        restored->Execute(QStringLiteral(
            "INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName) VALUES ('R-1', 'RESTORE', 'TEST')"));
        restored->Execute(QStringLiteral(
            "INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) VALUES ('R-1B', 'R-1', '2026-03-04 10:00:00')"));
        const db::Recordset rs = restored->Query(QStringLiteral(
            "SELECT LastVisitIdNum FROM PATIENT_DATA.tbMaster WHERE HospNum = 'R-1'"));
        QCOMPARE(rs.Text(QStringLiteral("LastVisitIdNum")), QStringLiteral("R-1B"));
    }

    // A workstation saves pairs of rows in two databases (two files on the embedded engine)
    // in one transaction while backups are taken: every backup holds as many of one as of
    // the other.
    void backupWhileSaving() {
        auto writer = testdb::reopen(*demo);
        std::atomic<bool> stop{false};
        std::atomic<int> saved{0};
        QString writerError; // read only after the join
        std::atomic<bool> writerFailed{false};
        std::thread t([&] {
            try {
                for (int i = 0; !stop && i < 100000; ++i) {
                    db::Transaction tx(*writer);
                    writer->Execute(QStringLiteral("INSERT INTO ZEP.tbZEPActive (Code, CaseStatus) VALUES (?, ?)"),
                                    {QStringLiteral("W%1").arg(i), QStringLiteral("Backup pair %1").arg(i)});
                    writer->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbDoctor (DoctorID, LastName) VALUES (?, ?)"),
                                    {QStringLiteral("W%1").arg(i), QStringLiteral("PAIR")});
                    tx.commit();
                    ++saved;
                    // A pause between saves, as between a person's clicks, lets the
                    // backup in between them.
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                }
            } catch (const db::Error& e) {
                writerError = e.Description();
                writerFailed = true;
            }
        });
        // The backups start once the workstation is saving and it goes on until they end.
        while (saved < 20 && !writerFailed)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        QList<long long> pairs;
        for (int b = 0; b < 4; ++b) {
            const QString file = files.filePath(QStringLiteral("live%1.zepbackup").arg(b));
            tools::backupDatabase(url(*demo), file, logStream);
            const QString target = newUrl();
            tools::restoreDatabase(file, target, logStream);
            auto r = db::Connection::open(db::ConnectionSettings::fromUrl(target));
            const long long a = count(*r, QStringLiteral("SELECT count(*) AS n FROM ZEP.tbZEPActive WHERE Code LIKE 'W%'"));
            const long long d = count(*r, QStringLiteral("SELECT count(*) AS n FROM PATIENT_DATA.tbDoctor WHERE DoctorID LIKE 'W%'"));
            QCOMPARE(a, d);
            pairs << a;
        }
        stop = true;
        t.join();
        qInfo("saves in the four backups: %lld %lld %lld %lld of %d", pairs.at(0), pairs.at(1),
              pairs.at(2), pairs.at(3), int(saved));
        QCOMPARE(writerError, QString()); // the workstation was never refused while a backup ran
        // Each backup holds the saves made before it began, and later backups never fewer.
        QVERIFY(pairs.first() >= 20);
        QVERIFY(pairs.last() <= saved);
        for (int i = 1; i < pairs.size(); ++i)
            QVERIFY(pairs.at(i) >= pairs.at(i - 1));
    }

    void refusals_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message");
        QTest::newRow("into a database") << u"occupied"_s << u"already holds a database"_s;
        QTest::newRow("not a backup") << u"text"_s << u"is not a ZEP backup"_s;
        QTest::newRow("empty file") << u"empty"_s << u"is not a ZEP backup"_s;
        if (!testdb::isPg()) {
            QTest::newRow("byte changed") << u"flip"_s << u"is damaged (its checksum does not match); nothing was restored"_s;
            QTest::newRow("cut short") << u"cut"_s << u"The backup ends in the middle of"_s;
            QTest::newRow("header cut") << u"header"_s << u"is cut short in its header"_s;
            QTest::newRow("bytes after") << u"append"_s << u"has bytes after its last part"_s;
        }
    }

    void refusals() {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        QFile original(demoBackup);
        QVERIFY(original.open(QIODevice::ReadOnly));
        QByteArray bytes = original.readAll();
        const QString file = files.filePath(QStringLiteral("bad-") + damage);
        QString target = newUrl();
        if (damage == QLatin1String("occupied"))
            target = url(*demo);
        else if (damage == QLatin1String("text"))
            bytes = "PATIENT LIST\nnot a backup\n";
        else if (damage == QLatin1String("empty"))
            bytes.clear();
        else if (damage == QLatin1String("flip"))
            bytes[bytes.size() - 100] = char(bytes.at(bytes.size() - 100) ^ 0x20);
        else if (damage == QLatin1String("cut"))
            bytes.chop(1000);
        else if (damage == QLatin1String("header"))
            bytes = bytes.left(bytes.indexOf("part "));
        else if (damage == QLatin1String("append"))
            bytes += "trailing";
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const QList<QStringList> before{sums(*demo)};
        const QString e = errorOf([&] { tools::restoreDatabase(file, target, logStream); });
        QVERIFY2(e.contains(message), qPrintable(e));
        // Nothing written over, nothing half-restored.
        QCOMPARE(QList<QStringList>{sums(*demo)}, before);
        if (!testdb::isPg() && damage != QLatin1String("occupied")) {
            const QDir folder(db::ConnectionSettings::fromUrl(target).folder);
            QCOMPARE(folder.entryList(QDir::Files), QStringList());
        }
    }

    void wrongEngine() {
        const QString e = errorOf([&] {
            tools::restoreDatabase(demoBackup, testdb::isPg() ? QStringLiteral("sqlite:") + files.filePath(QStringLiteral("x"))
                                                               : QStringLiteral("postgresql://zep@127.0.0.1:1/x"),
                                   logStream);
        });
        QCOMPARE(e, testdb::isPg()
                        ? QStringLiteral("%1 is a backup of a shared (PostgreSQL) database; restore it into a postgresql:// database.").arg(demoBackup)
                        : QStringLiteral("%1 is a backup of an embedded database; restore it into a folder (sqlite:/folder), then move it with zep-admin copy.").arg(demoBackup));
    }

    // A failed backup leaves the last good one where it was.
    void failedBackupKeepsTheOldFile() {
        const QString file = files.filePath(QStringLiteral("kept.zepbackup"));
        tools::backupDatabase(url(*demo), file, logStream);
        const qint64 size = QFileInfo(file).size();
        const QString missing = testdb::isPg() ? QStringLiteral("postgresql://zep@127.0.0.1:1/none")
                                               : QStringLiteral("sqlite:") + files.filePath(QStringLiteral("none"));
        const QString e = errorOf([&] { tools::backupDatabase(missing, file, logStream); });
        QVERIFY2(e != QLatin1String("(no error)"), qPrintable(e));
        QCOMPARE(QFileInfo(file).size(), size);
        QCOMPARE(tools::inspectBackup(file).kind, testdb::isPg() ? QStringLiteral("postgresql") : QStringLiteral("sqlite"));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
