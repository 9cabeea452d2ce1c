#pragma once
// The deterministic demo hospital that `zep-admin demo` writes into a new database.
class QTextStream;
namespace db {
class Connection;
}

namespace tools {
// Fills a migrated, empty database with the demo hospital in one transaction and writes
// the demo users' names and passwords to `users`, one "NAME / PASSWORD (role)" a line.
// Refuses (db::Error) when the database already holds patients.
void createDemo(db::Connection& conn, QTextStream& users);
} // namespace tools
