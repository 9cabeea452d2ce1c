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
    index_.clear();
    order_.clear();
    count_ = 0;
    endResetModel();
}

void RecordsetModel::load(const db::Recordset& rs, int limit) {
    beginResetModel();
    index_.clear();
    for (const auto& f : fields_)
        index_ << rs.FieldIndex(f);
    rows_ = rs.Rows();
    const int n = int(rows_.size());
    count_ = limit >= 0 ? std::min(limit, n) : n;
    order_.clear();
    endResetModel();
}

void RecordsetModel::clear() {
    beginResetModel();
    rows_.clear();
    order_.clear();
    count_ = 0;
    endResetModel();
}

QString RecordsetModel::text(int row, int column) const {
    const int i = index_.value(column, -1);
    return i >= 0 ? db::valueText(source(row).at(i)) : QString();
}

QStringList RecordsetModel::row(int r) const {
    QStringList texts;
    texts.reserve(headers_.size());
    for (int c = 0; c < headers_.size(); ++c)
        texts << text(r, c);
    return texts;
}

void RecordsetModel::setHeaderIcon(int column, const QIcon& icon) {
    icons_[column] = icon;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return text(index.row(), index.column());
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
    // A stable sort of the rows as shown, by their texts in that column.
    QVector<int> shown(count_);
    QVector<QString> keys(count_);
    for (int r = 0; r < count_; ++r) {
        shown[r] = order_.isEmpty() ? r : order_.at(r);
        keys[r] = text(r, column);
    }
    QVector<int> places(count_);
    for (int r = 0; r < count_; ++r)
        places[r] = r;
    std::stable_sort(places.begin(), places.end(), [&](int a, int b) {
        return order == Qt::AscendingOrder ? keys.at(a) < keys.at(b) : keys.at(b) < keys.at(a);
    });
    QVector<int> sorted(count_);
    for (int r = 0; r < count_; ++r)
        sorted[r] = shown.at(places.at(r));
    order_ = std::move(sorted);
    emit layoutChanged();
}

} // namespace ui
