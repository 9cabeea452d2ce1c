#include "backup.h"

#include "db/connection.h"
#include "server/server.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace tools {
namespace {

const QByteArray kMagic = "ZEP BACKUP 1\n";
const QByteArray kPgMagic = "PGDMP"; // how pg_dump's custom format begins

[[noreturn]] void fail(const QString& text) {
    throw db::Error({3709, QStringLiteral("zep-admin"), text, {}});
}

// The six files of an embedded database, main.db first.
QStringList embeddedFiles() {
    QStringList files{QStringLiteral("main.db")};
    for (const QString& n : db::databaseNames())
        files.append(n + QStringLiteral(".db"));
    return files;
}

// A plain SQLite handle, closed on every way out.
struct Handle {
    sqlite3* db = nullptr;
    ~Handle() {
        if (db)
            sqlite3_close_v2(db);
    }
    void check(int rc, const QString& what) const {
        if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
            fail(QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(db))));
    }
    void exec(const QString& sql) const {
        check(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), sql);
    }
};

void open(Handle& h, const QString& path, int flags) {
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &h.db, flags, nullptr);
    if (rc != SQLITE_OK)
        fail(QStringLiteral("%1 cannot be opened: %2")
                 .arg(path, QString::fromUtf8(h.db ? sqlite3_errmsg(h.db) : "out of memory")));
}

QByteArray sha256OfFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail(QStringLiteral("%1 cannot be read: %2").arg(path, f.errorString()));
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result().toHex();
}

void copyBytes(QIODevice& from, QIODevice& to, qint64 size, QCryptographicHash* hash,
               const QString& what) {
    QByteArray buffer;
    while (size > 0) {
        buffer = from.read(qMin<qint64>(size, 1 << 20));
        if (buffer.isEmpty())
            fail(QStringLiteral("The backup ends in the middle of %1.").arg(what));
        if (hash)
            hash->addData(buffer);
        if (to.write(buffer) != buffer.size())
            fail(QStringLiteral("%1 cannot be written: %2").arg(what, to.errorString()));
        size -= buffer.size();
    }
}

// ---- embedded ---------------------------------------------------------------------------

// main.db of `folder` with the five databases attached under their names, as the
// workstation opens them (views name tables as DATABASE.table, so a file alone is not
// a whole database).
void openAttached(Handle& h, const QDir& folder) {
    open(h, folder.filePath(QStringLiteral("main.db")), SQLITE_OPEN_READWRITE);
    sqlite3_busy_timeout(h.db, 10000);
    for (const QString& n : db::databaseNames()) {
        sqlite3_stmt* st = nullptr;
        h.check(sqlite3_prepare_v2(h.db, ("ATTACH DATABASE ? AS " + n.toUtf8()).constData(), -1,
                                   &st, nullptr),
                QStringLiteral("ATTACH ") + n);
        const QByteArray path = folder.filePath(n + QStringLiteral(".db")).toUtf8();
        sqlite3_bind_text(st, 1, path.constData(), int(path.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(st);
        sqlite3_finalize(st);
        h.check(rc, QStringLiteral("ATTACH ") + n);
    }
}

// SQLite's quick check of each of the six files; the first file that fails is named.
void checkCopies(const QDir& folder) {
    Handle h;
    openAttached(h, folder);
    QStringList schemas{QStringLiteral("main")};
    schemas += db::databaseNames();
    const QStringList files = embeddedFiles();
    for (int i = 0; i < schemas.size(); ++i) {
        sqlite3_stmt* st = nullptr;
        h.check(sqlite3_prepare_v2(h.db, ("PRAGMA " + schemas.at(i).toUtf8() + ".quick_check").constData(),
                                   -1, &st, nullptr),
                QStringLiteral("Check of %1").arg(files.at(i)));
        const bool ok = sqlite3_step(st) == SQLITE_ROW &&
                        qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ok") == 0;
        sqlite3_finalize(st);
        if (!ok)
            fail(QStringLiteral("The copy of %1 does not pass SQLite's check; the database "
                                "itself may be damaged.")
                     .arg(files.at(i)));
    }
}

void backupEmbedded(const db::ConnectionSettings& s, const QString& file, QTextStream& log) {
    const QDir folder(s.folder);
    const QString mainPath = folder.filePath(QStringLiteral("main.db"));
    if (!QFileInfo::exists(mainPath))
        fail(QStringLiteral("No ZEP database was found in %1.").arg(s.folder));
    Handle src;
    // Read-write, so that a journal left by a workstation that died mid-save is rolled back
    // before anything is copied, as a workstation opening the folder would.
    openAttached(src, folder);

    // One read transaction over all six files: its shared locks hold every workstation's
    // commit back until the copies are done, so the backup is one moment of the database
    // even for a save that wrote to several files. Workstations wait up to their busy
    // timeout; a department's database copies in well under that.
    QElapsedTimer held;
    held.start();
    src.exec(QStringLiteral("BEGIN"));
    int version = 0;
    {
        QStringList schemas{QStringLiteral("main")};
        schemas += db::databaseNames();
        for (const QString& n : schemas)
            src.exec(QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(n));
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(src.db, "SELECT MAX(Version) FROM ZEP.tbZEPSchemaVersion", -1,
                               &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            version = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
    }

    QTemporaryDir scratch(QFileInfo(file).absolutePath() + QStringLiteral("/.zep-backup-XXXXXX"));
    if (!scratch.isValid())
        fail(QStringLiteral("No room for the backup's working files beside %1.").arg(file));
    const QStringList files = embeddedFiles();
    QStringList schemaOf{QStringLiteral("main")};
    schemaOf += db::databaseNames();
    QByteArray header = kMagic;
    header += "engine sqlite\nschema " + QByteArray::number(version) + "\n";
    for (int i = 0; i < files.size(); ++i) {
        const QString part = scratch.filePath(files.at(i));
        {
            Handle dst;
            open(dst, part, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            sqlite3_backup* b = sqlite3_backup_init(dst.db, "main", src.db,
                                                    schemaOf.at(i).toUtf8().constData());
            if (!b)
                dst.check(SQLITE_ERROR, QStringLiteral("Backup of %1").arg(files.at(i)));
            const int rc = sqlite3_backup_step(b, -1);
            sqlite3_backup_finish(b);
            if (rc != SQLITE_DONE)
                fail(QStringLiteral("Backup of %1: %2").arg(files.at(i), QString::fromUtf8(sqlite3_errstr(rc))));
        }
    }
    // The workstations may commit again: the copies are whole, and what follows reads
    // only them.
    src.exec(QStringLiteral("COMMIT"));
    const qint64 heldMs = held.elapsed();
    checkCopies(QDir(scratch.path()));
    for (int i = 0; i < files.size(); ++i) {
        const QString part = scratch.filePath(files.at(i));
        header += "part " + files.at(i).toUtf8() + ' ' +
                  QByteArray::number(QFileInfo(part).size()) + ' ' + sha256OfFile(part) + '\n';
    }
    header += "end\n";

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        fail(QStringLiteral("%1 cannot be written: %2").arg(file, out.errorString()));
    out.write(header);
    for (const QString& name : files) {
        QFile part(scratch.filePath(name));
        if (!part.open(QIODevice::ReadOnly))
            fail(QStringLiteral("%1 cannot be read: %2").arg(part.fileName(), part.errorString()));
        copyBytes(part, out, part.size(), nullptr, file);
    }
    if (!out.commit())
        fail(QStringLiteral("%1 cannot be written: %2").arg(file, out.errorString()));
    log << "Backup of " << s.toUrl() << " (schema version " << version << ", "
        << files.size() << " files) written to " << file << " ("
        << QFileInfo(file).size() << " bytes); saves waited at most " << heldMs
        << " ms while it was taken.\n";
}

struct Part {
    QString name;
    qint64 size = 0;
    QByteArray sha256;
};

// Reads the header of an embedded backup; the device is left at the first part's bytes.
BackupInfo readHeader(QIODevice& in, QList<Part>* parts, const QString& file) {
    BackupInfo info;
    info.kind = QStringLiteral("sqlite");
    if (in.readLine() != kMagic)
        fail(QStringLiteral("%1 is not a ZEP backup.").arg(file));
    const QStringList expected = embeddedFiles();
    for (;;) {
        const QByteArray line = in.readLine(4096).trimmed();
        if (line.isEmpty())
            fail(QStringLiteral("The backup %1 is cut short in its header.").arg(file));
        if (line == "end")
            break;
        const QList<QByteArray> f = line.split(' ');
        if (f.size() == 2 && f.at(0) == "engine" && f.at(1) == "sqlite")
            continue;
        if (f.size() == 2 && f.at(0) == "schema") {
            info.schemaVersion = f.at(1).toInt();
            continue;
        }
        bool ok = false;
        if (f.size() == 4 && f.at(0) == "part") {
            Part p{QString::fromUtf8(f.at(1)), f.at(2).toLongLong(&ok), f.at(3)};
            if (ok && p.size >= 0 && p.sha256.size() == 64 &&
                expected.value(int(parts->size())) == p.name) {
                parts->append(p);
                info.parts.append(p.name);
                continue;
            }
        }
        fail(QStringLiteral("The backup %1 has a header line this program does not know: %2")
                 .arg(file, QString::fromUtf8(line.left(80))));
    }
    if (parts->size() != expected.size())
        fail(QStringLiteral("The backup %1 does not hold all six database files.").arg(file));
    return info;
}

void restoreEmbedded(const QString& file, const db::ConnectionSettings& s, QTextStream& log) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        fail(QStringLiteral("%1 cannot be read: %2").arg(file, in.errorString()));
    QList<Part> parts;
    const BackupInfo info = readHeader(in, &parts, file);
    if (info.schemaVersion > server::latestSchemaVersion())
        fail(QStringLiteral("The backup is at schema version %1, but this program knows only up "
                            "to version %2. Use a newer ZEP program.")
                 .arg(info.schemaVersion)
                 .arg(server::latestSchemaVersion()));

    QDir folder(s.folder);
    if (!folder.exists() && !QDir().mkpath(s.folder))
        fail(QStringLiteral("The folder %1 cannot be made.").arg(s.folder));
    for (const Part& p : parts)
        if (QFileInfo::exists(folder.filePath(p.name)))
            fail(QStringLiteral("%1 already holds a database (%2). A restore never writes over "
                                "one: restore into a new folder, or move the old one aside first.")
                     .arg(s.folder, p.name));

    // Every part is written under a working name and checked; only when all six are whole
    // do they take their real names.
    QStringList written;
    const auto cleanUp = [&] {
        for (const QString& w : std::as_const(written))
            QFile::remove(w);
    };
    try {
        for (const Part& p : parts) {
            const QString working = folder.filePath(p.name + QStringLiteral(".restoring"));
            QFile out(working);
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
                fail(QStringLiteral("%1 cannot be written: %2").arg(working, out.errorString()));
            written.append(working);
            QCryptographicHash h(QCryptographicHash::Sha256);
            copyBytes(in, out, p.size, &h, p.name);
            if (!out.flush() || h.result().toHex() != p.sha256)
                fail(QStringLiteral("The backup's copy of %1 is damaged (its checksum does not "
                                    "match); nothing was restored.")
                         .arg(p.name));
        }
        if (!in.atEnd())
            fail(QStringLiteral("The backup %1 has bytes after its last part; nothing was restored.")
                     .arg(file));
        for (const Part& p : parts) {
            if (!QFile::rename(folder.filePath(p.name + QStringLiteral(".restoring")),
                               folder.filePath(p.name)))
                fail(QStringLiteral("%1 cannot be put in place in %2.").arg(p.name, s.folder));
        }
        written.clear();
    } catch (...) {
        cleanUp();
        throw;
    }
    // It must open as a database the workstations can use.
    db::ConnectionSettings check = s;
    check.create = false;
    auto c = db::Connection::open(check);
    const int version = server::schemaVersion(*c);
    log << "Restored " << file << " into " << s.toUrl() << " (schema version " << version
        << ").\n";
}

// ---- PostgreSQL -------------------------------------------------------------------------

QString program(const char* name) {
    const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (found.isEmpty())
        fail(QStringLiteral("%1 was not found; install PostgreSQL's client programs "
                            "(Debian: postgresql-client).")
                 .arg(QString::fromLatin1(name)));
    return found;
}

void runProgram(const QString& path, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(path, args);
    if (!p.waitForStarted())
        fail(QStringLiteral("%1 cannot be started: %2").arg(path, p.errorString()));
    p.closeWriteChannel();
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        fail(QStringLiteral("%1 failed: %2")
                 .arg(QFileInfo(path).fileName(),
                      QString::fromLocal8Bit(p.readAllStandardError()).trimmed()));
}

QStringList schemaOptions() {
    QStringList o;
    for (const QString& n : db::databaseNames())
        o << QStringLiteral("--schema=") + n.toLower();
    return o;
}

void backupPg(const db::ConnectionSettings& s, const QString& file, QTextStream& log) {
    int version = 0;
    {
        auto c = db::Connection::open(s); // a clear message when the server is not there
        version = server::schemaVersion(*c);
    }
    if (version == 0)
        fail(QStringLiteral("%1 holds no ZEP database.").arg(s.toUrl()));
    const QString working = file + QStringLiteral(".part");
    QFile::remove(working);
    // pg_dump reads one snapshot of the database; workstations go on working meanwhile.
    QStringList args{QStringLiteral("--format=custom"), QStringLiteral("--no-owner"),
                     QStringLiteral("--no-privileges"), QStringLiteral("--file=") + working};
    args += schemaOptions();
    args << QStringLiteral("--dbname=") + s.toUrl();
    try {
        runProgram(program("pg_dump"), args);
    } catch (...) {
        QFile::remove(working);
        throw;
    }
    QFile::remove(file);
    if (!QFile::rename(working, file))
        fail(QStringLiteral("%1 cannot be written.").arg(file));
    log << "Backup of " << s.toUrl() << " (schema version " << version
        << ", pg_dump custom format) written to " << file << " (" << QFileInfo(file).size()
        << " bytes).\n";
}

void restorePg(const QString& file, db::ConnectionSettings s, QTextStream& log) {
    s.create = true;
    {
        auto c = db::Connection::open(s); // makes the database when it is new
        const db::Recordset rs = c->Query(QStringLiteral(
            "SELECT count(*) AS n FROM pg_class k JOIN pg_namespace n ON n.oid = k.relnamespace "
            "WHERE n.nspname IN ('zep','patient_data','billing','build_file','radiology')"));
        if (rs.Number(QStringLiteral("n")) > 0)
            fail(QStringLiteral("%1 already holds a database. A restore never writes over one: "
                                "restore into a new database.")
                     .arg(s.toUrl()));
        // The connection made the five schemas empty; the backup brings its own.
        for (const QString& n : db::databaseNames())
            c->Execute(QStringLiteral("DROP SCHEMA ") + n.toLower());
    }
    // One transaction: a failed restore leaves the database as empty as it was.
    runProgram(program("pg_restore"),
               {QStringLiteral("--no-owner"), QStringLiteral("--no-privileges"),
                QStringLiteral("--exit-on-error"), QStringLiteral("--single-transaction"),
                QStringLiteral("--dbname=") + s.toUrl(), file});
    s.create = false;
    auto c = db::Connection::open(s);
    log << "Restored " << file << " into " << s.toUrl() << " (schema version "
        << server::schemaVersion(*c) << ").\n";
}

QByteArray firstBytes(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        fail(QStringLiteral("%1 cannot be read: %2").arg(file, f.errorString()));
    return f.read(kMagic.size());
}

db::ConnectionSettings settingsOf(const QString& url) {
    const db::ConnectionSettings s = db::ConnectionSettings::fromUrl(url);
    if (!s.isValid())
        fail(QStringLiteral("%1 names no database (sqlite:/folder or "
                            "postgresql://user@host:port/name).")
                 .arg(url));
    return s;
}

} // namespace

void backupDatabase(const QString& url, const QString& file, QTextStream& log) {
    const db::ConnectionSettings s = settingsOf(url);
    if (s.backend == db::Backend::SQLite)
        backupEmbedded(s, file, log);
    else
        backupPg(s, file, log);
}

BackupInfo inspectBackup(const QString& file) {
    const QByteArray start = firstBytes(file);
    if (start.startsWith(kPgMagic))
        return BackupInfo{QStringLiteral("postgresql"), 0, {}};
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        fail(QStringLiteral("%1 cannot be read: %2").arg(file, in.errorString()));
    QList<Part> parts;
    BackupInfo info = readHeader(in, &parts, file);
    for (const Part& p : std::as_const(parts)) {
        QCryptographicHash h(QCryptographicHash::Sha256);
        qint64 left = p.size;
        while (left > 0) {
            const QByteArray b = in.read(qMin<qint64>(left, 1 << 20));
            if (b.isEmpty())
                fail(QStringLiteral("The backup ends in the middle of %1.").arg(p.name));
            h.addData(b);
            left -= b.size();
        }
        if (h.result().toHex() != p.sha256)
            fail(QStringLiteral("The backup's copy of %1 is damaged (its checksum does not match).")
                     .arg(p.name));
    }
    return info;
}

void restoreDatabase(const QString& file, const QString& url, QTextStream& log) {
    const db::ConnectionSettings s = settingsOf(url);
    const QByteArray start = firstBytes(file);
    const bool pgDump = start.startsWith(kPgMagic);
    if (!pgDump && start != kMagic)
        fail(QStringLiteral("%1 is not a ZEP backup.").arg(file));
    if (s.backend == db::Backend::SQLite && pgDump)
        fail(QStringLiteral("%1 is a backup of a shared (PostgreSQL) database; restore it into a "
                            "postgresql:// database.")
                 .arg(file));
    if (s.backend == db::Backend::PostgreSQL && !pgDump)
        fail(QStringLiteral("%1 is a backup of an embedded database; restore it into a folder "
                            "(sqlite:/folder), then move it with zep-admin copy.")
                 .arg(file));
    if (pgDump)
        restorePg(file, s, log);
    else
        restoreEmbedded(file, s, log);
}

} // namespace tools
