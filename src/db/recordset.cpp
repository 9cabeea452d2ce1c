#include "recordset.h"

#include "connection.h"
#include "numbers.h"

#include <QDate>
#include <QDateTime>

namespace db {

QString valueText(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numberToText(v.toDouble());
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QByteArray:
        return QString::fromUtf8(v.toByteArray());
    default:
        return v.toString();
    }
}

Recordset::Recordset(QStringList columns, QVector<QVector<QVariant>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)), open_(true) {}

void Recordset::Close() {
    open_ = false;
    rows_.clear();
    columns_.clear();
    pos_ = 0;
}

int Recordset::FieldIndex(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Recordset::need(const QString& name) const {
    const int i = FieldIndex(name);
    if (i < 0)
        throw Error({3265, QStringLiteral("Recordset"),
                     QStringLiteral("Item cannot be found in the collection corresponding to "
                                    "the requested name or ordinal: %1")
                         .arg(name)});
    return i;
}

void Recordset::needRow() const {
    if (Eof() || pos_ < 0)
        throw Error({3021, QStringLiteral("Recordset"),
                     QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                    "deleted.")});
}

QVariant Recordset::Value(const QString& name) const { return Value(need(name)); }

QVariant Recordset::Value(int column) const {
    needRow();
    if (column < 0 || column >= columns_.size())
        throw Error({3265, QStringLiteral("Recordset"),
                     QStringLiteral("Column %1 is out of range.").arg(column)});
    return rows_.at(pos_).at(column);
}

QString Recordset::Text(const QString& name) const { return valueText(Value(name)); }
QString Recordset::Text(int column) const { return valueText(Value(column)); }

QString Recordset::TextOr(const QString& name, const QString& fallback) const {
    const int i = FieldIndex(name);
    if (i < 0 || Eof() || pos_ < 0)
        return fallback;
    return valueText(rows_.at(pos_).at(i));
}

double Recordset::Number(const QString& name) const {
    const QVariant v = Value(name);
    if (v.isNull())
        return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0;
}

void Recordset::MakeUpdatable(Connection* conn, QString table, QStringList keyColumns) {
    conn_ = conn;
    table_ = std::move(table);
    keys_ = std::move(keyColumns);
    original_.clear();
    dirty_.clear();
    for (const auto& row : rows_) {
        QVector<QVariant> k;
        for (const auto& key : keys_)
            k.append(row.at(need(key)));
        original_.append(k);
        dirty_.append(QVector<bool>(columns_.size(), false));
    }
}

void Recordset::SetValue(const QString& name, const QVariant& value) {
    if (!conn_)
        throw Error({3251, QStringLiteral("Recordset"),
                     QStringLiteral("Current Recordset does not support updating.")});
    needRow();
    const int i = need(name);
    rows_[pos_][i] = value;
    dirty_[pos_][i] = true;
}

void Recordset::Update() {
    if (!conn_)
        throw Error({3251, QStringLiteral("Recordset"),
                     QStringLiteral("Current Recordset does not support updating.")});
    needRow();
    QStringList sets;
    QVariantList values;
    for (int i = 0; i < columns_.size(); ++i) {
        if (!dirty_[pos_][i])
            continue;
        sets.append(columns_.at(i) + QStringLiteral(" = ?"));
        values.append(rows_.at(pos_).at(i));
    }
    if (sets.isEmpty())
        return;
    QStringList where;
    for (int k = 0; k < keys_.size(); ++k) {
        where.append(keys_.at(k) + QStringLiteral(" = ?"));
        values.append(original_.at(pos_).at(k));
    }
    // Table and column names come from our own code, never from what a user typed.
    conn_->Execute(QStringLiteral("UPDATE ") + table_ + QStringLiteral(" SET ") +
                       sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                       where.join(QStringLiteral(" AND ")),
                   values);
    for (int k = 0; k < keys_.size(); ++k)
        original_[pos_][k] = rows_.at(pos_).at(need(keys_.at(k)));
    dirty_[pos_].fill(false);
}

} // namespace db
