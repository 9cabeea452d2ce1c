#pragma once
// A client-side recordset: every row is fetched when the query runs, so RecordCount is
// exact and the cursor can move both ways. Fields are found by name, case-insensitively
// (PostgreSQL folds unquoted names to lower case, SQLite keeps them as written).
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace db {

class Connection;

class Recordset {
public:
    Recordset() = default;
    Recordset(QStringList columns, QVector<QVector<QVariant>> rows);

    // 1 while open, 0 after Close() (or for a recordset that was never opened).
    int State() const { return open_ ? 1 : 0; }
    void Close();

    // EOF and BOF are macros of the C library, hence the spelling.
    bool Eof() const { return !open_ || pos_ >= rows_.size(); }
    bool Bof() const { return !open_ || pos_ < 0 || rows_.isEmpty(); }
    int RecordCount() const { return open_ ? int(rows_.size()) : 0; }
    int AbsolutePosition() const { return pos_; }

    void MoveFirst() { pos_ = 0; }
    void MoveLast() { pos_ = int(rows_.size()) - 1; }
    void MoveNext() { if (pos_ < rows_.size()) ++pos_; }
    void MovePrevious() { if (pos_ >= 0) --pos_; }
    void Move(int row) { pos_ = row; }

    int FieldCount() const { return int(columns_.size()); }
    const QStringList& FieldNames() const { return columns_; }
    // Index of a column by name, case-insensitive; -1 when the result has no such column.
    int FieldIndex(const QString& name) const;
    bool HasField(const QString& name) const { return FieldIndex(name) >= 0; }

    // The current row's value. A missing column or a read past the ends throws db::Error.
    QVariant Value(const QString& name) const;
    QVariant Value(int column) const;
    bool IsNull(const QString& name) const { return Value(name).isNull(); }
    // The value as text: empty when NULL, numbers by the shared number-to-text rule,
    // not trimmed. The screens' usual read is Text(name).trimmed().
    QString Text(const QString& name) const;
    QString Text(int column) const;
    // Like Text(), but a missing column reads as empty instead of throwing.
    QString TextOr(const QString& name, const QString& fallback = {}) const;
    double Number(const QString& name) const;

    // Direct access for models that show the whole result.
    const QVector<QVector<QVariant>>& Rows() const { return rows_; }

    // Edits in place: mark the recordset updatable against one table and its key columns,
    // set fields of the current row, then Update() writes the changed fields back with
    // bound values (WHERE key = the value read). Throws when not updatable.
    void MakeUpdatable(Connection* conn, QString table, QStringList keyColumns);
    bool IsUpdatable() const { return conn_ != nullptr; }
    void SetValue(const QString& name, const QVariant& value);
    void Update();

private:
    int need(const QString& name) const;
    void needRow() const;

    QStringList columns_;
    QVector<QVector<QVariant>> rows_;
    int pos_ = 0;
    bool open_ = false;
    // updatable recordsets
    Connection* conn_ = nullptr;
    QString table_;
    QStringList keys_;
    QVector<QVector<QVariant>> original_; // key values as read, per row
    QVector<QVector<bool>> dirty_;
};

// Renders a value as the screens see it (empty for NULL; numbers without trailing zeros).
QString valueText(const QVariant& v);

} // namespace db
