#pragma once
// A read-only table over a recordset's rows, for the grids and list views that show query
// results. Columns are chosen by name; a column the result lacks shows empty cells. Each
// cell reads as its value's text (empty when NULL). Sorting compares the cell texts.
//
// The model shares the recordset's rows instead of copying them (they are implicitly shared)
// and turns a value into text only when it is asked for: a search of two thousand rows
// shows some thirty, and copying every value as text cost the list as much again as the
// search's own conversion.
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
    // when limit >= 0. Each value reads as text, empty when NULL.
    void load(const db::Recordset& rs, int limit = -1);
    void clear();

    QString text(int row, int column) const;
    // The texts of one row, in the columns' order.
    QStringList row(int r) const;
    // An icon in a column's header (the sort arrows).
    void setHeaderIcon(int column, const QIcon& icon);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    // The recordset's row behind a shown row.
    const QVector<QVariant>& source(int row) const {
        return rows_.at(order_.isEmpty() ? row : order_.at(row));
    }

    QStringList headers_;
    QStringList fields_;
    QVector<QIcon> icons_;
    QVector<QVector<QVariant>> rows_; // shared with the recordset loaded
    QVector<int> index_;              // per column, its value's place in a row; -1 when absent
    int count_ = 0;                   // the rows shown (at most the limit loaded with)
    QVector<int> order_;              // after a sort, the row shown at each place; else empty
};

} // namespace ui
