#include "testdb.h"

#if __has_include("server/server.h") && defined(ZEP_HAVE_SERVER)
#include "server/server.h"
#define TESTDB_SERVER 1
#endif

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdlib>
#include <list>
#include <mutex>
#include <unistd.h>

#include <libpq-fe.h>

namespace testdb {
namespace {

std::list<QTemporaryDir>& folders() {
    static std::list<QTemporaryDir> f; // removed when the test process ends
    return f;
}

// Server databases this process made. A full run makes hundreds of them, several megabytes
// each; left behind they fill the disk of a developer who keeps one test server running.
// They are dropped when the process ends, as the folders above are; ZEP_TEST_KEEP_DB=1
// keeps them for a look after a failure. Only the process that made a database drops it:
// a child started by a test to be killed must not take its parent's databases with it.
struct ServerDatabases {
    std::mutex lock;
    QStringList names;
    pid_t owner = 0;
};

ServerDatabases& serverDatabases() {
    static ServerDatabases* d = new ServerDatabases; // outlives every static destructor
    return *d;
}

void dropServerDatabases() {
    ServerDatabases& d = serverDatabases();
    std::lock_guard<std::mutex> g(d.lock);
    if (d.owner != getpid() || d.names.isEmpty() || qEnvironmentVariableIsSet("ZEP_TEST_KEEP_DB"))
        return;
    // The same server URL the crash suite connects with; it names a database to connect to.
    PGconn* c = PQconnectdb(qEnvironmentVariable("ZEP_TEST_PG").toUtf8().constData());
    if (PQstatus(c) == CONNECTION_OK) {
        for (const QString& name : std::as_const(d.names)) {
            const QByteArray n = name.toUtf8();
            char* ident = PQescapeIdentifier(c, n.constData(), size_t(n.size()));
            // FORCE: connections this process still holds in statics are ended with it.
            const QByteArray sql = QByteArray("DROP DATABASE IF EXISTS ") + ident + " WITH (FORCE)";
            PQfreemem(ident);
            PQclear(PQexec(c, sql.constData()));
        }
    }
    PQfinish(c);
    d.names.clear();
}

void rememberServerDatabase(const QString& name) {
    ServerDatabases& d = serverDatabases();
    std::lock_guard<std::mutex> g(d.lock);
    if (d.owner != getpid()) {
        // First database of this process (or of a child that inherited the list).
        d.names.clear();
        if (d.owner == 0)
            std::atexit(dropServerDatabases);
        d.owner = getpid();
    }
    d.names.append(name);
}

} // namespace

bool isPg() { return qEnvironmentVariable("ZEP_TEST_BACKEND") == QLatin1String("pg"); }

db::ConnectionSettings newSettings() {
    db::ConnectionSettings s;
    if (isPg()) {
        s = db::ConnectionSettings::fromUrl(qEnvironmentVariable("ZEP_TEST_PG"));
        s.database = QStringLiteral("zt_") +
                     QUuid::createUuid().toString(QUuid::Id128).left(16);
        rememberServerDatabase(s.database);
    } else {
        folders().emplace_back();
        s.backend = db::Backend::SQLite;
        s.folder = folders().back().path() + QStringLiteral("/db");
    }
    s.create = true;
    return s;
}

std::unique_ptr<db::Connection> empty() { return db::Connection::open(newSettings()); }

std::unique_ptr<db::Connection> fresh() {
    auto c = empty();
#ifdef TESTDB_SERVER
    server::registerProcedures();
    server::migrate(*c);
#endif
    return c;
}

std::unique_ptr<db::Connection> reopen(const db::Connection& c) {
    db::ConnectionSettings s = c.settings();
    s.create = false;
    return db::Connection::open(s);
}

} // namespace testdb
