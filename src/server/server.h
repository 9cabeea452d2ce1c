#pragma once
// The database side: the schema of the five databases and the stored procedures.
namespace db {
class Connection;
}

namespace server {

// Fills db::Procedures with every procedure of the system. Safe to call more than once.
void registerProcedures();

// Creates the schema in an empty database, or upgrades an older one, in one transaction
// per step. Never drops data. Throws db::Error on failure (the database is left as it was).
void migrate(db::Connection& conn);
// The version the database is at (0 for an empty database) and the version this build has.
int schemaVersion(db::Connection& conn);
int latestSchemaVersion();

} // namespace server
