#pragma once
// Backups of a whole ZEP database, taken while workstations keep working, and their restore.
//
// Embedded (sqlite:FOLDER): the six files of the folder (main.db and the five attached
// databases) copied with SQLite's online backup under one read transaction, so that a save
// that wrote to several files is either whole in the backup or not there at all, and packed
// into one file with each part's size and SHA-256.
// Shared (postgresql://...): pg_dump's custom format of the five schemas, one snapshot.
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace tools {

// Writes the backup of the database at `url` to `file` (replaced only once the new backup
// is whole). Throws db::Error with a message for the person running it.
void backupDatabase(const QString& url, const QString& file, QTextStream& log);

// Restores `file` into the database at `url`, which must be new or empty: a restore never
// writes over a database that holds anything. Throws db::Error.
void restoreDatabase(const QString& file, const QString& url, QTextStream& log);

// What a backup file holds, without restoring it: "sqlite" or "postgresql", and for the
// embedded kind whether every part's checksum matches. Throws db::Error on a file that is
// not a ZEP backup.
struct BackupInfo {
    QString kind;
    int schemaVersion = 0; // embedded backups only
    QStringList parts;     // embedded backups only: file names in the order kept
};
BackupInfo inspectBackup(const QString& file);

} // namespace tools
