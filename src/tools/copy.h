#pragma once
// Moving a department's embedded database to a shared server whole, and the table
// checksums that prove a copy (or a restore) holds every row it should.
#include <QList>
#include <QString>
#include <QTextStream>

namespace db {
class Connection;
}

namespace tools {

// One table's rows summed up: how many, and a SHA-256 over every row that does not depend
// on the engine, the order of the rows or the order of the columns. Values are compared as
// the workstation reads them: numbers as numbers, dates as dates, CHAR(n) without the
// blanks the server pads them with.
struct TableSum {
    QString database; // ZEP, PATIENT_DATA, ...
    QString table;    // as the schema names it
    long long rows = 0;
    QString checksum; // hex
};

// Every table of the five databases (the schema version table too), by database and then
// table name, compared case-insensitively. Runs in the caller's transaction when there is one.
QList<TableSum> tableSums(db::Connection& c);

// Copies every row of every table of the embedded database at `sourceUrl` (sqlite:FOLDER)
// into the shared database at `targetUrl` (postgresql://...), in one transaction that is
// committed only when every table's count and checksum match the source's. The target must
// be new or empty, and both must be at this program's schema version (an empty target is
// given the schema first). Throws db::Error with a message for the person running it;
// nothing is left in the target then.
void copyDatabase(const QString& sourceUrl, const QString& targetUrl, QTextStream& log);

} // namespace tools
