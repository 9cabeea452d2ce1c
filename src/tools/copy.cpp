#include "copy.h"

#include "db/connection.h"
#include "server/server.h"

#include <QCryptographicHash>
#include <QMap>
#include <algorithm>
#include <limits>

namespace tools {
namespace {

[[noreturn]] void fail(const QString& text) {
    throw db::Error({3709, QStringLiteral("zep-admin"), text, {}});
}

// How a column's values are compared between the engines.
enum class Kind { Int, Real, Bool, Char, Text, Date, Timestamp, Blob };

Kind kindOfSqlite(const QString& declared) {
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("INT")))
        return Kind::Int;
    if (t.contains(QLatin1String("BOOL")))
        return Kind::Bool;
    if (t.startsWith(QLatin1String("CHAR")) || t.startsWith(QLatin1String("NCHAR")))
        return t.contains(QLatin1String("VARYING")) ? Kind::Text : Kind::Char;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT")) ||
        t.contains(QLatin1String("CLOB")))
        return Kind::Text;
    if (t.contains(QLatin1String("BLOB")))
        return Kind::Blob;
    if (t.contains(QLatin1String("TIMESTAMP")) || t.contains(QLatin1String("DATETIME")))
        return Kind::Timestamp;
    if (t.contains(QLatin1String("DATE")))
        return Kind::Date;
    if (t.contains(QLatin1String("NUM")) || t.contains(QLatin1String("DEC")) ||
        t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) ||
        t.contains(QLatin1String("DOUB")) || t.contains(QLatin1String("MONEY")))
        return Kind::Real;
    return Kind::Text;
}

Kind kindOfPg(const QString& dataType) {
    const QString t = dataType.toLower();
    if (t == QLatin1String("smallint") || t == QLatin1String("integer") || t == QLatin1String("bigint"))
        return Kind::Int;
    if (t == QLatin1String("boolean"))
        return Kind::Bool;
    if (t == QLatin1String("character"))
        return Kind::Char;
    if (t == QLatin1String("bytea"))
        return Kind::Blob;
    if (t.startsWith(QLatin1String("timestamp")))
        return Kind::Timestamp;
    if (t == QLatin1String("date"))
        return Kind::Date;
    if (t == QLatin1String("numeric") || t == QLatin1String("real") ||
        t == QLatin1String("double precision") || t == QLatin1String("money"))
        return Kind::Real;
    return Kind::Text;
}

// "2026-01-02", "2026-01-02T08:30" and "2026-01-02 08:30:00.000" are the same moment.
QString timestampText(QString t) {
    t.replace(QLatin1Char('T'), QLatin1Char(' '));
    if (t.size() == 10)
        t += QStringLiteral(" 00:00:00");
    else if (t.size() == 16)
        t += QStringLiteral(":00");
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0')))
            t.chop(1);
        if (t.endsWith(QLatin1Char('.')))
            t.chop(1);
    }
    return t;
}

QByteArray canonical(const QVariant& v, Kind k) {
    if (v.isNull() || !v.isValid())
        return QByteArrayLiteral("\x01");
    switch (k) {
    case Kind::Int:
        return QByteArray::number(v.toLongLong());
    case Kind::Real:
        return QByteArray::number(v.toDouble(), 'g', 15);
    case Kind::Bool:
        return v.toBool() ? "1" : "0";
    case Kind::Char: {
        QString s = v.toString();
        while (s.endsWith(QLatin1Char(' ')))
            s.chop(1);
        return s.toUtf8();
    }
    case Kind::Date:
        return v.toString().left(10).toUtf8();
    case Kind::Timestamp:
        return timestampText(v.toString()).toUtf8();
    case Kind::Blob:
        return v.toByteArray().toHex();
    case Kind::Text:
        break;
    }
    return v.toString().toUtf8();
}

struct Column {
    QString name;
    Kind kind = Kind::Text;
};

struct Table {
    QString database;
    QString name;
    QList<Column> columns; // sorted by name, case-insensitively: the same on both engines
    QStringList references; // tables of the same database this one's foreign keys point to
};

bool lessCi(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

void sortColumns(Table& t) {
    std::sort(t.columns.begin(), t.columns.end(),
              [](const Column& a, const Column& b) { return lessCi(a.name, b.name); });
}

QList<Table> describeSqlite(db::Connection& c) {
    QList<Table> tables;
    for (const QString& database : db::databaseNames()) {
        const db::Recordset names = c.Query(
            QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type = 'table' AND name NOT "
                           "LIKE 'sqlite_%' ORDER BY name")
                .arg(database));
        for (const auto& row : names.Rows()) {
            Table t{database, row.at(0).toString(), {}, {}};
            const db::Recordset cols =
                c.Query(QStringLiteral("PRAGMA %1.table_info(\"%2\")").arg(database, t.name));
            const int name = cols.FieldIndex(QStringLiteral("name"));
            const int type = cols.FieldIndex(QStringLiteral("type"));
            for (const auto& col : cols.Rows())
                t.columns.append({col.at(name).toString(), kindOfSqlite(col.at(type).toString())});
            const db::Recordset fks =
                c.Query(QStringLiteral("PRAGMA %1.foreign_key_list(\"%2\")").arg(database, t.name));
            const int ref = fks.FieldIndex(QStringLiteral("table"));
            for (const auto& fk : fks.Rows())
                if (!t.references.contains(fk.at(ref).toString(), Qt::CaseInsensitive))
                    t.references.append(fk.at(ref).toString());
            sortColumns(t);
            tables.append(t);
        }
    }
    return tables;
}

QList<Table> describePg(db::Connection& c) {
    QMap<QString, Table> byKey; // "database.table" in lower case
    const db::Recordset cols = c.Query(QStringLiteral(
        "SELECT c.table_schema, c.table_name, c.column_name, c.data_type "
        "FROM information_schema.columns c JOIN information_schema.tables t "
        "ON t.table_schema = c.table_schema AND t.table_name = c.table_name "
        "WHERE t.table_type = 'BASE TABLE' AND c.table_schema IN "
        "('zep','patient_data','billing','build_file','radiology')"));
    for (const auto& row : cols.Rows()) {
        const QString schema = row.at(0).toString();
        const QString key = schema + QLatin1Char('.') + row.at(1).toString();
        Table& t = byKey[key];
        if (t.name.isEmpty()) {
            t.name = row.at(1).toString();
            for (const QString& d : db::databaseNames())
                if (d.compare(schema, Qt::CaseInsensitive) == 0)
                    t.database = d;
        }
        t.columns.append({row.at(2).toString(), kindOfPg(row.at(3).toString())});
    }
    QList<Table> tables;
    for (const QString& database : db::databaseNames())
        for (Table t : std::as_const(byKey))
            if (t.database == database) {
                sortColumns(t);
                tables.append(t);
            }
    std::stable_sort(tables.begin(), tables.end(), [](const Table& a, const Table& b) {
        const int da = int(db::databaseNames().indexOf(a.database));
        const int db_ = int(db::databaseNames().indexOf(b.database));
        return da != db_ ? da < db_ : lessCi(a.name, b.name);
    });
    return tables;
}

QList<Table> describe(db::Connection& c) {
    return c.dialect().backend() == db::Backend::SQLite ? describeSqlite(c) : describePg(c);
}

QString columnList(const Table& t) {
    QStringList names;
    for (const Column& col : t.columns)
        names.append(col.name);
    return names.join(QStringLiteral(", "));
}

QString qualified(const Table& t) {
    return t.database + QLatin1Char('.') + t.name;
}

// Hands every row of the table to `each`, a batch at a time, so that a table of millions
// of rows never sits in memory whole. SQLite walks the rowid; PostgreSQL reads a cursor
// (inside a transaction, which the callers hold).
template <typename F>
void forEachRow(db::Connection& c, const Table& t, F each) {
    constexpr int batch = 2000;
    if (c.dialect().backend() == db::Backend::SQLite) {
        qlonglong after = std::numeric_limits<qlonglong>::min();
        for (;;) {
            const db::Recordset rs = c.Query(
                QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid > ? ORDER BY rowid LIMIT %3")
                    .arg(columnList(t), qualified(t))
                    .arg(batch),
                {after});
            for (const auto& row : rs.Rows())
                each(row.mid(1));
            if (rs.RecordCount() < batch)
                return;
            after = rs.Rows().last().at(0).toLongLong();
        }
    }
    c.Execute(QStringLiteral("DECLARE zep_rows NO SCROLL CURSOR FOR SELECT %1 FROM %2")
                  .arg(columnList(t), qualified(t)));
    for (;;) {
        const db::Recordset rs = c.Query(QStringLiteral("FETCH %1 FROM zep_rows").arg(batch));
        for (const auto& row : rs.Rows())
            each(row);
        if (rs.RecordCount() < batch)
            break;
    }
    c.Execute(QStringLiteral("CLOSE zep_rows"));
}

TableSum sumOf(db::Connection& c, const Table& t) {
    QList<QByteArray> hashes;
    forEachRow(c, t, [&](const QVector<QVariant>& row) {
        QCryptographicHash h(QCryptographicHash::Sha256);
        for (int i = 0; i < row.size(); ++i) {
            h.addData(canonical(row.at(i), t.columns.at(i).kind));
            h.addData(QByteArrayView("\x1f", 1));
        }
        hashes.append(h.result());
    });
    // Sorted, so that the order the engine gives the rows in does not count.
    std::sort(hashes.begin(), hashes.end());
    QCryptographicHash all(QCryptographicHash::Sha256);
    all.addData(columnList(t).toLower().toUtf8());
    for (const QByteArray& h : std::as_const(hashes))
        all.addData(h);
    return {t.database, t.name, hashes.size(), QString::fromLatin1(all.result().toHex())};
}

// Tables in an order that fills every referenced table before the tables pointing to it.
QList<Table> dependencyOrder(QList<Table> tables) {
    QList<Table> ordered;
    while (!tables.isEmpty()) {
        const qsizetype before = tables.size();
        for (qsizetype i = 0; i < tables.size();) {
            const Table& t = tables.at(i);
            const bool ready = std::all_of(t.references.cbegin(), t.references.cend(), [&](const QString& r) {
                if (r.compare(t.name, Qt::CaseInsensitive) == 0)
                    return true; // a table pointing to itself
                return std::none_of(tables.cbegin(), tables.cend(), [&](const Table& o) {
                    return o.database == t.database && o.name.compare(r, Qt::CaseInsensitive) == 0;
                });
            });
            if (ready)
                ordered.append(tables.takeAt(i));
            else
                ++i;
        }
        if (tables.size() == before) // a cycle: the server's checks will say what is wrong
            ordered += tables, tables.clear();
    }
    return ordered;
}

const Table* find(const QList<Table>& tables, const Table& like) {
    for (const Table& t : tables)
        if (t.database == like.database && t.name.compare(like.name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

bool isVersionTable(const Table& t) {
    return t.database == QLatin1String("ZEP") &&
           t.name.compare(QLatin1String("tbZEPSchemaVersion"), Qt::CaseInsensitive) == 0;
}

void copyTable(db::Connection& from, db::Connection& to, const Table& t) {
    // Many rows to one statement, well under the server's limit of bound values.
    const int perStatement = qMax(1, qMin(500, 20000 / int(qMax<qsizetype>(1, t.columns.size()))));
    const QString one = QLatin1Char('(') +
                        QStringList(t.columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) +
                        QLatin1Char(')');
    const QString head =
        QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(qualified(t), columnList(t));
    QVariantList values;
    int pending = 0;
    const auto flush = [&] {
        if (pending == 0)
            return;
        QStringList rows(pending, one);
        to.Execute(head + rows.join(QLatin1Char(',')), values);
        values.clear();
        pending = 0;
    };
    forEachRow(from, t, [&](const QVector<QVariant>& row) {
        for (const QVariant& v : row)
            values.append(v);
        if (++pending == perStatement)
            flush();
    });
    flush();
}

} // namespace

QList<TableSum> tableSums(db::Connection& c) {
    QList<TableSum> sums;
    db::Transaction t(c); // one moment of the database; only reads
    for (const Table& table : describe(c))
        sums.append(sumOf(c, table));
    t.rollback();
    return sums;
}

void copyDatabase(const QString& sourceUrl, const QString& targetUrl, QTextStream& log) {
    db::ConnectionSettings ss = db::ConnectionSettings::fromUrl(sourceUrl);
    db::ConnectionSettings ts = db::ConnectionSettings::fromUrl(targetUrl);
    if (!ss.isValid() || ss.backend != db::Backend::SQLite)
        fail(QStringLiteral("The copy reads an embedded database: name it as sqlite:FOLDER."));
    if (!ts.isValid() || ts.backend != db::Backend::PostgreSQL)
        fail(QStringLiteral("The copy writes to a shared server: name it as "
                            "postgresql://user@host:port/name."));
    const int latest = server::latestSchemaVersion();

    ss.create = false;
    auto source = db::Connection::open(ss);
    source->log().setEnabled(false);
    const int sourceVersion = server::schemaVersion(*source);
    if (sourceVersion != latest)
        fail(QStringLiteral("The embedded database is at schema version %1; this program copies "
                            "version %2. %3")
                 .arg(sourceVersion)
                 .arg(latest)
                 .arg(sourceVersion < latest
                          ? QStringLiteral("Bring it up to date with zep-admin init first.")
                          : QStringLiteral("Use a newer ZEP program.")));

    ts.create = true;
    auto target = db::Connection::open(ts);
    target->log().setEnabled(false);
    int targetVersion = server::schemaVersion(*target);
    if (targetVersion == 0) {
        if (!describe(*target).isEmpty() &&
            !(describe(*target).size() == 1 && isVersionTable(describe(*target).first())))
            fail(QStringLiteral("%1 holds tables that are not a ZEP database; copy into a new "
                                "database.")
                     .arg(ts.toUrl()));
        server::migrate(*target);
        targetVersion = server::schemaVersion(*target);
    }
    if (targetVersion != latest)
        fail(QStringLiteral("The server database is at schema version %1, the embedded one at "
                            "%2; both must be at the same version.")
                 .arg(targetVersion)
                 .arg(sourceVersion));

    // The source is held still (no workstation can save) while it is read.
    db::Transaction readLock(*source);
    const QList<Table> from = dependencyOrder(describe(*source));
    const QList<Table> into = describe(*target);

    db::Transaction write(*target);
    QStringList holding;
    for (const Table& t : into) {
        if (isVersionTable(t))
            continue;
        const db::Recordset rs =
            target->Query(QStringLiteral("SELECT 1 AS x FROM %1 LIMIT 1").arg(qualified(t)));
        if (!rs.Eof())
            holding.append(qualified(t));
    }
    if (!holding.isEmpty())
        fail(QStringLiteral("%1 already holds data (%2%3). The copy goes only into a new, empty "
                            "database; nothing was changed.")
                 .arg(ts.toUrl(), holding.mid(0, 3).join(QStringLiteral(", ")),
                      holding.size() > 3 ? QStringLiteral(", ...") : QString()));
    for (const Table& t : from) {
        const Table* other = find(into, t);
        if (!other)
            fail(QStringLiteral("The server database has no table %1.").arg(qualified(t)));
        if (columnList(*other).compare(columnList(t), Qt::CaseInsensitive) != 0)
            fail(QStringLiteral("The columns of %1 differ between the two databases.")
                     .arg(qualified(t)));
    }

    // The rows come with what the triggers would work out (a patient's latest visit):
    // they are copied as they are, with the triggers off until the copy is done.
    for (const Table& t : into)
        target->Execute(QStringLiteral("ALTER TABLE %1 DISABLE TRIGGER USER").arg(qualified(t)));
    long long rows = 0;
    for (const Table& t : from) {
        if (isVersionTable(t))
            continue; // the server has its own rows from its schema
        copyTable(*source, *target, t);
    }
    for (const Table& t : into)
        target->Execute(QStringLiteral("ALTER TABLE %1 ENABLE TRIGGER USER").arg(qualified(t)));

    // Identity columns go on after the highest number copied.
    const db::Recordset ids = target->Query(QStringLiteral(
        "SELECT table_schema, table_name, column_name FROM information_schema.columns "
        "WHERE is_identity = 'YES' AND table_schema IN "
        "('zep','patient_data','billing','build_file','radiology')"));
    for (const auto& row : ids.Rows()) {
        const QString table = row.at(0).toString() + QLatin1Char('.') + row.at(1).toString();
        const QString column = row.at(2).toString();
        target->Query(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, ?), "
                                     "(SELECT COALESCE(MAX(%1), 0) FROM %2) + 1, false) AS v")
                          .arg(column, table),
                      {table, column});
    }

    // Counted and summed on both sides before anything is committed.
    int tables = 0;
    for (const Table& t : from) {
        if (isVersionTable(t))
            continue;
        const TableSum a = sumOf(*source, t);
        const TableSum b = sumOf(*target, *find(into, t));
        if (a.rows != b.rows || a.checksum != b.checksum)
            fail(QStringLiteral("After the copy %1 has %2 rows on the server and %3 in the "
                                "embedded database%4; nothing was kept.")
                     .arg(qualified(t))
                     .arg(b.rows)
                     .arg(a.rows)
                     .arg(a.rows == b.rows ? QStringLiteral(", and their contents differ")
                                           : QString()));
        log << "  " << qualified(t) << ": " << a.rows << " rows, sha256 " << a.checksum.left(16)
            << "\n";
        rows += a.rows;
        ++tables;
    }
    write.commit();
    readLock.rollback();
    log << "Copied " << tables << " tables, " << rows << " rows, from " << ss.toUrl() << " to "
        << ts.toUrl() << " (schema version " << latest
        << "); every table's count and checksum match.\n";
}

} // namespace tools
