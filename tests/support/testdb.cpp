#include "testdb.h"

#if __has_include("server/server.h") && defined(ZEP_HAVE_SERVER)
#include "server/server.h"
#define TESTDB_SERVER 1
#endif

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUuid>
#include <list>

namespace testdb {
namespace {

std::list<QTemporaryDir>& folders() {
    static std::list<QTemporaryDir> f; // removed when the test process ends
    return f;
}

} // namespace

bool isPg() { return qEnvironmentVariable("ZEP_TEST_BACKEND") == QLatin1String("pg"); }

db::ConnectionSettings newSettings() {
    db::ConnectionSettings s;
    if (isPg()) {
        s = db::ConnectionSettings::fromUrl(qEnvironmentVariable("ZEP_TEST_PG"));
        s.database = QStringLiteral("zt_") +
                     QUuid::createUuid().toString(QUuid::Id128).left(16);
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
