// The embedded engine: main.db plus one file per database, attached under its name, with
// a rollback journal so that one commit over several files is atomic.
#include "connection.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <sqlite3.h>

namespace db {
namespace {

QString sqlStateOf(int extended) {
    switch (extended) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return QStringLiteral("23505");
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return QStringLiteral("23503");
    case SQLITE_CONSTRAINT_NOTNULL:
        return QStringLiteral("23502");
    case SQLITE_CONSTRAINT_CHECK:
        return QStringLiteral("23514");
    default:
        return (extended & 0xff) == SQLITE_CONSTRAINT ? QStringLiteral("23000") : QString();
    }
}

class SqliteConnection final : public Connection {
public:
    SqliteConnection(const ConnectionSettings& s)
        : Connection(s, Dialect::make(Backend::SQLite)) {
        const QDir dir(s.folder);
        if (!dir.exists()) {
            if (!s.create || !QDir().mkpath(s.folder))
                throw Error({3704, QStringLiteral("SQLite"),
                             QStringLiteral("The database folder %1 does not exist.").arg(s.folder),
                             {}});
        }
        const QString mainPath = dir.filePath(QStringLiteral("main.db"));
        if (!s.create && !QFileInfo::exists(mainPath))
            throw Error({3704, QStringLiteral("SQLite"),
                         QStringLiteral("No ZEP database was found in %1.").arg(s.folder), {}});
        const int rc = sqlite3_open_v2(mainPath.toUtf8().constData(), &db_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                                           SQLITE_OPEN_NOMUTEX,
                                       nullptr);
        if (rc != SQLITE_OK) {
            const QString msg = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : "out of memory");
            sqlite3_close(db_);
            db_ = nullptr;
            throw Error({rc, QStringLiteral("SQLite"), msg, {}});
        }
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, 10000);
        open_ = true;
        try {
            configure(dir);
        } catch (...) {
            backendClose();
            throw;
        }
    }

    void configure(const QDir& dir) {
        run(QStringLiteral("PRAGMA foreign_keys = ON"), {}, nullptr, nullptr);
        run(QStringLiteral("PRAGMA journal_mode = DELETE"), {}, nullptr, nullptr);
        for (const QString& name : databaseNames()) {
            run(QStringLiteral("ATTACH DATABASE ? AS ") + name,
                {dir.filePath(name + QStringLiteral(".db"))}, nullptr, nullptr);
            run(QStringLiteral("PRAGMA ") + name + QStringLiteral(".journal_mode = DELETE"), {},
                nullptr, nullptr);
            run(QStringLiteral("PRAGMA ") + name + QStringLiteral(".cache_size = -32768"), {},
                nullptr, nullptr);
        }
    }

    ~SqliteConnection() override { backendClose(); }

protected:
    long long run(const QString& sql, const QVariantList& values, QStringList* columns,
                  QVector<QVector<QVariant>>* rows) override {
        sqlite3_stmt* st = statement(sql);
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        const int want = sqlite3_bind_parameter_count(st);
        if (want != values.size()) {
            release(sql, st);
            throw Error({SQLITE_RANGE, QStringLiteral("SQLite"),
                         QStringLiteral("The statement takes %1 values but %2 were given.")
                             .arg(want)
                             .arg(values.size()),
                         {}});
        }
        for (int i = 0; i < values.size(); ++i)
            bind(st, i + 1, values.at(i));
        const int ncol = sqlite3_column_count(st);
        if (columns) {
            columns->clear();
            for (int c = 0; c < ncol; ++c)
                columns->append(QString::fromUtf8(sqlite3_column_name(st, c)));
        }
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            if (!rows)
                continue;
            QVector<QVariant> row(ncol);
            for (int c = 0; c < ncol; ++c)
                row[c] = read(st, c);
            rows->append(std::move(row));
        }
        if (rc != SQLITE_DONE) {
            const int ext = sqlite3_extended_errcode(db_);
            const QString msg = QString::fromUtf8(sqlite3_errmsg(db_));
            sqlite3_reset(st);
            throw Error(described(ext, msg));
        }
        sqlite3_reset(st);
        return sqlite3_changes64(db_);
    }

    long long backendLastInsertId() override { return sqlite3_last_insert_rowid(db_); }

    void backendClose() override {
        for (sqlite3_stmt* st : std::as_const(cache_))
            sqlite3_finalize(st);
        cache_.clear();
        if (db_)
            sqlite3_close_v2(db_);
        db_ = nullptr;
    }

    void applyDefaultDatabase(const QString&) override {
        // Bare names find the ZEP file first because it is attached first; procedures
        // always name their tables with the database.
    }

private:
    // A full disk or a folder the workstation may not write to is said in words the worker
    // can act on; the engine's own text stays at the end for whoever looks into it. The
    // transaction the statement was part of is rolled back by the caller, so nothing of the
    // save stays half-written.
    ErrorItem described(int ext, const QString& msg) const {
        ErrorItem e{ext, QStringLiteral("SQLite"), msg, sqlStateOf(ext)};
        const QString folder = QDir::toNativeSeparators(settings_.folder);
        switch (ext & 0xff) {
        case SQLITE_FULL:
            e.SqlState = QStringLiteral("53100");
            e.Description = QStringLiteral("The disk that holds the database (%1) is full: "
                                           "nothing of this save was kept. Free some space on "
                                           "it, then try again. (%2)")
                                .arg(folder, msg);
            break;
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
            e.SqlState = QStringLiteral("25006");
            e.Description = QStringLiteral("The database folder %1 is read-only for this "
                                           "workstation: nothing of this save was kept. Ask "
                                           "for write access to it, then try again. (%2)")
                                .arg(folder, msg);
            break;
        default:
            break;
        }
        return e;
    }

    // Prepared statements are kept by text: the screens send the same few statements again
    // and again, and preparing is a good part of a small query's cost.
    sqlite3_stmt* statement(const QString& sql) {
        if (auto it = cache_.constFind(sql); it != cache_.constEnd())
            return it.value();
        sqlite3_stmt* st = nullptr;
        const QByteArray text = sql.toUtf8();
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v3(db_, text.constData(), int(text.size()),
                                          SQLITE_PREPARE_PERSISTENT, &st, &tail);
        if (rc != SQLITE_OK) {
            const int ext = sqlite3_extended_errcode(db_);
            throw Error({ext, QStringLiteral("SQLite"), QString::fromUtf8(sqlite3_errmsg(db_)),
                         sqlStateOf(ext)});
        }
        if (!st) // only blanks or a comment
            throw Error({SQLITE_MISUSE, QStringLiteral("SQLite"),
                         QStringLiteral("The command text is empty."), {}});
        if (tail && *tail) {
            const QString rest = QString::fromUtf8(tail).trimmed();
            if (!rest.isEmpty() && rest != QLatin1String(";")) {
                sqlite3_finalize(st);
                throw Error({SQLITE_MISUSE, QStringLiteral("SQLite"),
                             QStringLiteral("Only one statement may be sent at a time."), {}});
            }
        }
        if (cache_.size() > 200) {
            for (sqlite3_stmt* old : std::as_const(cache_))
                sqlite3_finalize(old);
            cache_.clear();
        }
        cache_.insert(sql, st);
        return st;
    }

    void release(const QString& sql, sqlite3_stmt* st) {
        cache_.remove(sql);
        sqlite3_finalize(st);
    }

    static void bind(sqlite3_stmt* st, int i, const QVariant& v) {
        if (v.isNull() || !v.isValid()) {
            sqlite3_bind_null(st, i);
            return;
        }
        switch (v.typeId()) {
        case QMetaType::Bool:
            sqlite3_bind_int(st, i, v.toBool() ? 1 : 0);
            return;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            sqlite3_bind_int64(st, i, v.toLongLong());
            return;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(st, i, v.toDouble());
            return;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            return;
        }
        default: {
            const QByteArray t = valueText(v).toUtf8();
            sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
        }
    }

    static QVariant read(sqlite3_stmt* st, int c) {
        switch (sqlite3_column_type(st, c)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(st, c)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(st, c));
        case SQLITE_NULL:
            return QVariant();
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(st, c)),
                                       sqlite3_column_bytes(st, c)));
        default:
            return QVariant(QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                sqlite3_column_bytes(st, c)));
        }
    }

    sqlite3* db_ = nullptr;
    QHash<QString, sqlite3_stmt*> cache_;
};

} // namespace

std::unique_ptr<Connection> openSqlite(const ConnectionSettings& s) {
    return std::make_unique<SqliteConnection>(s);
}

} // namespace db
