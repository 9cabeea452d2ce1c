// The shared engine: one PostgreSQL database with a schema per logical database.
#include "connection.h"

#include <QByteArray>
#include <QVector>
#include <libpq-fe.h>
#include <poll.h>

namespace db {
namespace {

// Type OIDs from pg_type.h (not installed with libpq's headers).
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700,
              kFloat8 = 701, kNumeric = 1700, kBytea = 17;

ErrorItem errorOf(PGconn* c, const PGresult* r) {
    ErrorItem e;
    e.Source = QStringLiteral("PostgreSQL");
    if (r) {
        const char* primary = PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY);
        const char* state = PQresultErrorField(r, PG_DIAG_SQLSTATE);
        e.Description = QString::fromUtf8(primary ? primary : PQresultErrorMessage(r)).trimmed();
        e.SqlState = QString::fromLatin1(state ? state : "");
    } else {
        e.Description = QString::fromUtf8(PQerrorMessage(c)).trimmed();
    }
    bool ok = false;
    e.Number = e.SqlState.toLong(&ok);
    if (!ok)
        e.Number = 0;
    return e;
}

struct ResultGuard {
    PGresult* r;
    ~ResultGuard() { PQclear(r); }
};

class PgConnection final : public Connection {
public:
    explicit PgConnection(const ConnectionSettings& s)
        : Connection(s, Dialect::make(Backend::PostgreSQL)) {
        if (s.create)
            createDatabase(s);
        conn_ = connect(s, s.database);
        open_ = true;
        try {
            setUpSession();
            ensureSchemas();
            applyDefaultDatabase(QStringLiteral("ZEP"));
        } catch (...) {
            backendClose();
            throw;
        }
    }

    ~PgConnection() override { backendClose(); }

protected:
    long long run(const QString& sql, const QVariantList& values, QStringList* columns,
                  QVector<QVector<QVariant>>* rows) override {
        const bool ending = endsTransaction(sql);
        if (!inTransaction() && !ending)
            reconnectIfGone();
        const QByteArray text = sql.toUtf8();
        QVector<QByteArray> storage(values.size());
        QVector<const char*> params(values.size());
        for (int i = 0; i < values.size(); ++i) {
            const QVariant& v = values.at(i);
            if (v.isNull() || !v.isValid()) {
                params[i] = nullptr;
                continue;
            }
            storage[i] = v.typeId() == QMetaType::Bool ? QByteArray(v.toBool() ? "1" : "0")
                                                       : valueText(v).toUtf8();
            params[i] = storage[i].constData();
        }
        // Every value goes as text of unknown type: the server gives it the type of the
        // column or expression it meets, as it would a quoted literal.
        PGresult* r = PQexecParams(conn_, text.constData(), int(values.size()), nullptr,
                                   params.constData(), nullptr, nullptr, 0);
        ResultGuard guard{r};
        const ExecStatusType st = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
        if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK) {
            if (PQstatus(conn_) == CONNECTION_BAD)
                throw Error(lost(sql));
            throw Error(errorOf(conn_, r));
        }
        if (st == PGRES_TUPLES_OK) {
            const int ncol = PQnfields(r);
            const int nrow = PQntuples(r);
            if (columns) {
                columns->clear();
                for (int c = 0; c < ncol; ++c)
                    columns->append(QString::fromUtf8(PQfname(r, c)));
            }
            if (rows) {
                rows->reserve(nrow);
                QVector<Oid> types(ncol);
                for (int c = 0; c < ncol; ++c)
                    types[c] = PQftype(r, c);
                for (int i = 0; i < nrow; ++i) {
                    QVector<QVariant> row(ncol);
                    for (int c = 0; c < ncol; ++c)
                        if (!PQgetisnull(r, i, c))
                            row[c] = convert(types[c], PQgetvalue(r, i, c), PQgetlength(r, i, c));
                    rows->append(std::move(row));
                }
            }
            return nrow;
        }
        const char* n = PQcmdTuples(r);
        return (n && *n) ? QByteArray(n).toLongLong() : 0;
    }

    long long backendLastInsertId() override {
        QStringList c;
        QVector<QVector<QVariant>> r;
        run(QStringLiteral("SELECT lastval()"), {}, &c, &r);
        return r.isEmpty() ? 0 : r.first().first().toLongLong();
    }

    void backendClose() override {
        if (conn_)
            PQfinish(conn_);
        conn_ = nullptr;
    }

    void applyDefaultDatabase(const QString& name) override {
        // Bare names resolve in the default database's schema first.
        run(QStringLiteral("SET search_path TO ") + schemaName(name) + QStringLiteral(", public"),
            {}, nullptr, nullptr);
    }

private:
    void setUpSession() {
        run(QStringLiteral("SET client_min_messages = warning"), {}, nullptr, nullptr);
        run(QStringLiteral("SET DateStyle = ISO, MDY"), {}, nullptr, nullptr);
        // A workstation's statements are short: starting parallel workers costs a search
        // more than they save it, and the server's few workers are shared by every
        // workstation of the hospital.
        run(QStringLiteral("SET max_parallel_workers_per_gather = 0"), {}, nullptr, nullptr);
    }

    static bool endsTransaction(const QString& sql) {
        const QString t = sql.trimmed();
        return t.compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0 ||
               t.compare(QLatin1String("ROLLBACK"), Qt::CaseInsensitive) == 0;
    }

    // An idle connection has nothing to read (the workstation listens for no notifications):
    // when the socket is readable between statements, the server has said goodbye (a
    // restart, a shutdown, the session ended) or closed it. Its goodbye and the close come
    // one after the other, so anything readable counts as gone; a new session costs a
    // moment, outside any transaction.
    bool goneWhileIdle() {
        if (PQstatus(conn_) != CONNECTION_OK)
            return true;
        pollfd p{PQsocket(conn_), POLLIN, 0};
        if (p.fd < 0)
            return true;
        return ::poll(&p, 1, 0) != 0;
    }

    // Between transactions a lost connection is opened again with the same settings, so
    // that the worker's next action works once the server is back, without a new log-in.
    // Inside a transaction it never is: what the transaction had sent is gone with the old
    // session, and going on in a new one would save half of it.
    void reconnectIfGone() {
        if (!goneWhileIdle())
            return;
        PQreset(conn_);
        if (PQstatus(conn_) != CONNECTION_OK) {
            ErrorItem e;
            e.Source = QStringLiteral("PostgreSQL");
            e.Number = 8001;
            e.SqlState = QStringLiteral("08001");
            e.Description =
                QStringLiteral("The database server cannot be reached (%1). Nothing was "
                               "saved; try again when the server is back.")
                    .arg(QString::fromUtf8(PQerrorMessage(conn_))
                             .section(QLatin1Char('\n'), 0, 0)
                             .trimmed());
            throw Error(std::move(e));
        }
        PQsetClientEncoding(conn_, "UTF8");
        setUpSession();
        applyDefaultDatabase(DefaultDatabase());
    }

    // What a statement that lost its connection tells the worker. A commit may have reached
    // the server before the connection went, so that one is never said to have failed.
    ErrorItem lost(const QString& sql) const {
        ErrorItem e;
        e.Source = QStringLiteral("PostgreSQL");
        e.Number = 8006;
        e.SqlState = QStringLiteral("08006");
        // libpq's first line says what happened ("server closed the connection
        // unexpectedly", "terminating connection due to administrator command").
        QString detail =
            QString::fromUtf8(PQerrorMessage(conn_)).section(QLatin1Char('\n'), 0, 0).simplified();
        if (detail.startsWith(QLatin1String("FATAL:")))
            detail = detail.mid(6).trimmed();
        if (sql.trimmed().compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0)
            e.Description = QStringLiteral(
                "The connection to the database server was lost while the save was being "
                "committed: it may or may not have been saved. Look it up before saving again.");
        else if (inTransaction())
            e.Description = QStringLiteral(
                "The connection to the database server was lost: nothing of this save was "
                "kept. Try again when the server is back.");
        else
            e.Description = QStringLiteral(
                "The connection to the database server was lost before it answered. Try "
                "again when the server is back.");
        if (!detail.isEmpty())
            e.Description += QStringLiteral(" (") + detail + QLatin1Char(')');
        return e;
    }

    static QString schemaName(const QString& name) {
        for (const QString& n : databaseNames())
            if (n.compare(name, Qt::CaseInsensitive) == 0)
                return n.toLower();
        throw Error({911, QStringLiteral("ZEP"),
                     QStringLiteral("Database '%1' does not exist.").arg(name), {}});
    }

    static PGconn* connect(const ConnectionSettings& s, const QString& database) {
        const QByteArray host = s.host.toUtf8(), port = QByteArray::number(s.port),
                         db = database.toUtf8(), user = s.user.toUtf8(),
                         password = s.password.toUtf8();
        QVector<const char*> keys{"host", "port", "dbname", "connect_timeout", "application_name"};
        QVector<const char*> vals{host.constData(), port.constData(), db.constData(), "10",
                                  "ZEP workstation"};
        if (!s.user.isEmpty()) {
            keys.append("user");
            vals.append(user.constData());
        }
        if (!s.password.isEmpty()) {
            keys.append("password");
            vals.append(password.constData());
        }
        keys.append(nullptr);
        vals.append(nullptr);
        PGconn* c = PQconnectdbParams(keys.constData(), vals.constData(), 0);
        if (PQstatus(c) != CONNECTION_OK) {
            ErrorItem e = errorOf(c, nullptr);
            e.Number = 3709;
            PQfinish(c);
            throw Error(std::move(e));
        }
        PQsetClientEncoding(c, "UTF8");
        return c;
    }

    static void createDatabase(const ConnectionSettings& s) {
        PGconn* c = connect(s, QStringLiteral("postgres"));
        const QByteArray name = s.database.toUtf8();
        const char* p[] = {name.constData()};
        ResultGuard found{PQexecParams(c, "SELECT 1 FROM pg_database WHERE datname = $1", 1,
                                       nullptr, p, nullptr, nullptr, 0)};
        if (PQresultStatus(found.r) == PGRES_TUPLES_OK && PQntuples(found.r) == 0) {
            // CREATE DATABASE takes no bound values; the name is quoted as an identifier.
            char* ident = PQescapeIdentifier(c, name.constData(), size_t(name.size()));
            const QByteArray sql = QByteArray("CREATE DATABASE ") + ident;
            PQfreemem(ident);
            ResultGuard made{PQexec(c, sql.constData())};
            if (PQresultStatus(made.r) != PGRES_COMMAND_OK) {
                ErrorItem e = errorOf(c, made.r);
                PQfinish(c);
                throw Error(std::move(e));
            }
        }
        PQfinish(c);
    }

    void ensureSchemas() {
        QStringList c;
        QVector<QVector<QVariant>> r;
        run(QStringLiteral("SELECT count(*) FROM pg_namespace WHERE nspname IN "
                           "('zep','patient_data','billing','build_file','radiology')"),
            {}, &c, &r);
        if (!r.isEmpty() && r.first().first().toInt() == databaseNames().size())
            return;
        for (const QString& n : databaseNames())
            run(QStringLiteral("CREATE SCHEMA IF NOT EXISTS ") + n.toLower(), {}, nullptr,
                nullptr);
    }

    static QVariant convert(Oid type, const char* v, int len) {
        switch (type) {
        case kBool:
            return QVariant(v[0] == 't');
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
            return QVariant(QByteArray::fromRawData(v, len).toLongLong());
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return QVariant(QByteArray::fromRawData(v, len).toDouble());
        case kBytea:
            return QVariant(QByteArray(v, len));
        default:
            // Dates come as yyyy-mm-dd and timestamps as yyyy-mm-dd hh:mm:ss (DateStyle
            // ISO), the same texts the embedded engine stores.
            return QVariant(QString::fromUtf8(v, len));
        }
    }

    PGconn* conn_ = nullptr;
};

} // namespace

std::unique_ptr<Connection> openPostgres(const ConnectionSettings& s) {
    return std::make_unique<PgConnection>(s);
}

} // namespace db
