#pragma once
// Test databases on the backend the environment names: ZEP_TEST_BACKEND=sqlite (default)
// or pg, with ZEP_TEST_PG a libpq URL of a server where the user may create databases.
#include "db/connection.h"

#include <memory>

namespace testdb {

bool isPg();
// Settings for a new, empty database of the test backend (nothing created yet beyond the
// folder or the server database). Each call names a different database.
db::ConnectionSettings newSettings();
// A new database with the five databases present but no tables.
std::unique_ptr<db::Connection> empty();
// A new database with the whole schema and every procedure registered.
std::unique_ptr<db::Connection> fresh();
// Another connection to the same database as `c` (a second workstation).
std::unique_ptr<db::Connection> reopen(const db::Connection& c);

} // namespace testdb

// Skips a pg test run when no server was named and skipping is allowed; use first in
// initTestCase().
#define TESTDB_REQUIRE_BACKEND()                                                             \
    do {                                                                                     \
        if (testdb::isPg() && qEnvironmentVariableIsEmpty("ZEP_TEST_PG")) {                   \
            if (qEnvironmentVariableIsSet("ZEP_TEST_ALLOW_NO_PG"))                           \
                QSKIP("ZEP_TEST_PG is not set");                                            \
            QFAIL("ZEP_TEST_PG is not set: the PostgreSQL run needs a server");             \
        }                                                                                    \
    } while (0)
