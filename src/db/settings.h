#pragma once
// Where the database lives: an embedded SQLite folder, or a PostgreSQL server.
#include <QString>

namespace db {

enum class Backend { SQLite, PostgreSQL };

struct ConnectionSettings {
    Backend backend = Backend::SQLite;
    // SQLite: the folder that holds main.db and the five database files.
    QString folder;
    // PostgreSQL
    QString host = QStringLiteral("localhost");
    int port = 5432;
    QString database = QStringLiteral("zep");
    QString user;
    QString password; // kept in memory only; never written to settings or logs
    // Create the database when it does not exist (zep-admin init, tests). The workstation
    // itself never creates one by accident: a mistyped folder is an error.
    bool create = false;

    // "sqlite:/path/to/folder" or "postgresql://user@host:port/database" (no password).
    QString toUrl() const;
    // Parses the forms toUrl() writes; a bare path means a SQLite folder. An empty
    // or unreadable text gives a settings object whose isValid() is false.
    static ConnectionSettings fromUrl(const QString& url);
    bool isValid() const;
};

// The password of a connection, kept in this process's memory only, so that an outside
// component given just a connection string (which never holds a password) can open its
// own connection to the same server. The log-in component remembers it after connecting.
void rememberPassword(const ConnectionSettings& s);
QString rememberedPassword(const QString& url);

} // namespace db
