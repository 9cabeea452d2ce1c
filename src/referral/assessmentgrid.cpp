#include "assessmentgrid.h"

#include "ui/twips.h"

#include <QHeaderView>
#include <QTableView>

namespace referral {

AssessmentGrid::AssessmentGrid(QTableView* view, QStringList headings, QVector<int> widths)
    : ui::RecordsetModel(view), view_(view), headings_(std::move(headings)),
      widths_(std::move(widths)) {
    view_->setModel(this);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line a row, as the old grids: a long value is cut short and shown whole in its
    // tool tip, rather than making the rows grow.
    view_->setWordWrap(false);
    view_->verticalHeader()->setFixedWidth(ui::twips(widths_.value(0)));
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->horizontalHeader()->setHighlightSections(false);
    int total = 0;
    for (int w : widths_)
        total += ui::twips(w);
    view_->setMinimumWidth(total + 24);
    format();
}

void AssessmentGrid::format() {
    setColumns(headings_, {});
    applyWidths();
}

void AssessmentGrid::bind(const db::Recordset& rs) {
    setColumns(headings_, rs.FieldNames().mid(0, headings_.size()));
    load(rs);
    applyWidths();
}

// Setting the columns resets the model, and with it the view's widths and hidden columns.
void AssessmentGrid::applyWidths() {
    for (int c = 0; c < headings_.size(); ++c) {
        const int w = widths_.value(c + 1);
        view_->setColumnHidden(c, w == 0);
        if (w > 0)
            view_->setColumnWidth(c, ui::twips(w));
    }
}

QVariant AssessmentGrid::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Vertical && role == Qt::DisplayRole)
        return QString(); // the row-heading column stays blank
    return ui::RecordsetModel::headerData(section, o, role);
}

} // namespace referral
