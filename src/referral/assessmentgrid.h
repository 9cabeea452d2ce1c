#pragma once
// The grids of the reprint screen and the previous-assessment list: read-only rows taken
// from a recordset in the order of its columns, under fixed headings, with the narrow blank
// row-heading column and the column widths (twips) of the old screens. A width of 0 hides
// its column.
#include "db/recordset.h"
#include "ui/recordsetmodel.h"

#include <QStringList>
#include <QVector>

class QTableView;

namespace referral {

class AssessmentGrid : public ui::RecordsetModel {
    Q_OBJECT
public:
    AssessmentGrid(QTableView* view, QStringList headings, QVector<int> widths);

    // Clears the rows and sets the headings and widths again.
    void format();
    // Clears and formats, then shows the rows of `rs`, its columns in their order.
    void bind(const db::Recordset& rs);

    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    void applyWidths();

    QTableView* view_;
    QStringList headings_;
    QVector<int> widths_; // the row-heading column first
};

} // namespace referral
