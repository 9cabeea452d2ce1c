// Numbered schema scripts, applied in order, each in one transaction with its version row.
#include "schemascript.h"
#include "server.h"

#include "db/connection.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

// Resources of a static library must be registered by name; harmless when already done.
static void initSchemaResources() {
    Q_INIT_RESOURCE(zep_schema);
}

namespace server {
namespace {

// Lives outside the numbered scripts: it must exist before the first of them runs.
const QString kVersionTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS ZEP.tbZEPSchemaVersion (Version INTEGER PRIMARY KEY, "
    "AppliedAt TIMESTAMP NOT NULL)");

[[noreturn]] void schemaError(const QString& text) {
    throw db::Error({3709, QStringLiteral("ZEP"), text, {}});
}

// Creating the (empty) version table when it is missing, instead of probing with a SELECT
// that may fail: a failed statement would spoil an open PostgreSQL transaction.
void ensureVersionTable(db::Connection& conn) {
    conn.Execute(conn.dialect().ddl(kVersionTable));
}

int readVersion(db::Connection& conn) {
    db::Recordset rs =
        conn.Query(QStringLiteral("SELECT MAX(Version) AS Version FROM ZEP.tbZEPSchemaVersion"));
    return rs.Eof() || rs.IsNull(QStringLiteral("Version"))
               ? 0
               : int(rs.Number(QStringLiteral("Version")));
}

// Runs inside the caller's transaction, which also holds the version row.
void applyStatements(db::Connection& conn, const SchemaScript& script) {
    const QStringList statements = splitSchemaScript(script.text);
    for (const QString& statement : statements) {
        const QString sql = conn.dialect().ddl(statement);
        if (sql.isEmpty())
            continue; // the other engine's
        try {
            conn.Execute(sql);
        } catch (const db::Error& e) {
            db::ErrorItem item = e.item();
            item.Description = QStringLiteral("Schema script %1 failed: %2")
                                   .arg(script.fileName, item.Description);
            throw db::Error(item);
        }
    }
    conn.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPSchemaVersion (Version, AppliedAt) "
                                "VALUES (?, ") +
                     conn.dialect().now() + QLatin1Char(')'),
                 {script.version});
}

} // namespace

QStringList splitSchemaScript(const QString& text) {
    static const QRegularExpression triggerStart(
        QStringLiteral(R"(^\s*(\{\w+\}\s*)?CREATE\s+TRIGGER\b)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression triggerBody(QStringLiteral(R"(\bBEGIN\b)"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression triggerEnd(QStringLiteral(R"(\bEND\s*;$)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QStringList statements;
    QStringList current;
    bool inDollarQuote = false; // inside a $$ ... $$ function body
    const auto flush = [&] {
        QString statement = current.join(QLatin1Char('\n')).trimmed();
        current.clear();
        if (statement.endsWith(QLatin1Char(';')))
            statement.chop(1);
        statement = statement.trimmed();
        if (!statement.isEmpty())
            statements.append(statement);
    };
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (!inDollarQuote && line.startsWith(QLatin1String("--")))
            continue;
        current.append(QString(raw).remove(QLatin1Char('\r')));
        if (line.count(QLatin1String("$$")) % 2 == 1)
            inDollarQuote = !inDollarQuote;
        if (inDollarQuote || !line.endsWith(QLatin1Char(';')))
            continue;
        // The statements inside a trigger's BEGIN ... END end in ";" themselves.
        const QString sofar = current.join(QLatin1Char('\n'));
        if (triggerStart.match(sofar).hasMatch() && triggerBody.match(sofar).hasMatch() &&
            !triggerEnd.match(line).hasMatch())
            continue;
        flush();
    }
    flush();
    return statements;
}

QList<SchemaScript> schemaScripts() {
    initSchemaResources();
    static const QRegularExpression numbered(QStringLiteral(R"(^(\d+)_\w+\.sql$)"));
    QList<SchemaScript> scripts;
    const QDir dir(QStringLiteral(":/schema"));
    const QStringList names = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QRegularExpressionMatch m = numbered.match(name);
        if (!m.hasMatch())
            schemaError(
                QStringLiteral("The schema script %1 is not named NNNN_name.sql.").arg(name));
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            schemaError(QStringLiteral("The schema script %1 cannot be read.").arg(name));
        SchemaScript s;
        s.version = m.captured(1).toInt();
        s.fileName = name;
        s.text = QString::fromUtf8(file.readAll());
        if (s.version <= 0 || (!scripts.isEmpty() && scripts.last().version >= s.version))
            schemaError(
                QStringLiteral("The schema script %1 repeats or misorders a version.").arg(name));
        scripts.append(s);
    }
    if (scripts.isEmpty())
        schemaError(QStringLiteral("This program was built without its schema scripts."));
    return scripts;
}

int latestSchemaVersion() {
    return schemaScripts().last().version;
}

int schemaVersion(db::Connection& conn) {
    ensureVersionTable(conn);
    return readVersion(conn);
}

void migrate(db::Connection& conn) {
    const QList<SchemaScript> scripts = schemaScripts();
    const int latest = scripts.last().version;
    // One transaction per script; the version is read again inside each, so that a
    // failure leaves the database at the last whole version (an empty database stays
    // empty, without even the version table).
    for (;;) {
        db::Transaction t(conn);
        ensureVersionTable(conn);
        const int current = readVersion(conn);
        if (current > latest)
            schemaError(QStringLiteral("The database is at schema version %1, but this program "
                                       "knows only up to version %2. Use a newer ZEP program.")
                            .arg(current)
                            .arg(latest));
        const auto next = std::find_if(scripts.cbegin(), scripts.cend(),
                                       [&](const SchemaScript& s) { return s.version > current; });
        if (next == scripts.cend()) {
            t.commit();
            return;
        }
        applyStatements(conn, *next);
        t.commit();
    }
}

} // namespace server
