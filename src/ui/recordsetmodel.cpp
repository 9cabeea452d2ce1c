#include "recordsetmodel.h"

#include <algorithm>

namespace ui {

RecordsetModel::RecordsetModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordsetModel::setColumns(const QStringList& headers, const QStringList& fields) {
    beginResetModel();
    headers_ = headers;
    fields_ = fields;
    icons_ = QVector<QIcon>(headers.size());
    rows_.clear();
    endResetModel();
}

void RecordsetModel::load(const db::Recordset& rs, int limit) {
    beginResetModel();
    rows_.clear();
    QVector<int> index;
    for (const auto& f : fields_)
        index << rs.FieldIndex(f);
    const auto& data = rs.Rows();
    const int n = limit >= 0 ? std::min<int>(limit, int(data.size())) : int(data.size());
    rows_.reserve(n);
    for (int r = 0; r < n; ++r) {
        QStringList row;
        row.reserve(index.size());
        for (int i : index)
            row << (i >= 0 ? db::valueText(data.at(r).at(i)) : QString());
        rows_ << row;
    }
    endResetModel();
}

void RecordsetModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void RecordsetModel::setHeaderIcon(int column, const QIcon& icon) {
    icons_[column] = icon;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return rows_.at(index.row()).at(index.column());
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section < 0 || section >= headers_.size())
        return QAbstractTableModel::headerData(section, o, role);
    if (role == Qt::DisplayRole)
        return headers_.at(section);
    if (role == Qt::DecorationRole && !icons_.at(section).isNull())
        return icons_.at(section);
    return {};
}

void RecordsetModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= headers_.size())
        return;
    emit layoutAboutToBeChanged();
    std::stable_sort(rows_.begin(), rows_.end(), [&](const QStringList& a, const QStringList& b) {
        return order == Qt::AscendingOrder ? a.at(column) < b.at(column)
                                           : b.at(column) < a.at(column);
    });
    emit layoutChanged();
}

} // namespace ui
