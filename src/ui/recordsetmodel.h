#pragma once
// A read-only table of texts taken from a recordset in one go, for the grids and list views
// that show query results. Columns are chosen by name; a column the result lacks shows
// empty cells. Sorting compares the cell texts.
#include "db/recordset.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <QVector>

namespace ui {

class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordsetModel(QObject* parent = nullptr);

    // The headers shown and, for each, the result column it is filled from.
    void setColumns(const QStringList& headers, const QStringList& fields);
    // Replaces the rows with those of `rs` (from its first row on), at most `limit` rows
    // when limit >= 0. Each value is read as text, empty when NULL.
    void load(const db::Recordset& rs, int limit = -1);
    void clear();

    QString text(int row, int column) const { return rows_.at(row).at(column); }
    const QStringList& row(int r) const { return rows_.at(r); }
    // An icon in a column's header (the sort arrows).
    void setHeaderIcon(int column, const QIcon& icon);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QStringList headers_;
    QStringList fields_;
    QVector<QIcon> icons_;
    QVector<QStringList> rows_;
};

} // namespace ui
