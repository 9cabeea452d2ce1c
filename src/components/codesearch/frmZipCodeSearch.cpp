#include "frmZipCodeSearch.h"

#include "db/connection.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace codesearch {

namespace {
enum Column { ColZip, ColTown, ColProvince, ColumnCount };
}

// Keeps the rows that hold every word typed, in any column; sorts by town, province, code.
class ZipCodeFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setWords(const QString& text) {
        words_ = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (words_.isEmpty())
            return true;
        QStringList cells;
        for (int col = 0; col < ColumnCount; ++col)
            cells << sourceModel()->index(row, col, parent).data().toString();
        for (const QString& w : words_) {
            bool found = false;
            for (const QString& cell : cells)
                found = found || cell.contains(w, Qt::CaseInsensitive);
            if (!found)
                return false;
        }
        return true;
    }

    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        for (int col : {ColTown, ColProvince, ColZip}) {
            const int c = QString::compare(sourceModel()->index(left.row(), col).data().toString(),
                                           sourceModel()->index(right.row(), col).data().toString(),
                                           Qt::CaseInsensitive);
            if (c != 0)
                return c < 0;
        }
        return false;
    }

private:
    QStringList words_;
};

frmZipCodeSearch::frmZipCodeSearch(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmZipCodeSearch"));
    setWindowTitle(QStringLiteral("Zip Codes"));

    lblCompany = new QLabel(this);
    lblCompany->setObjectName(QStringLiteral("lblCompany"));
    lblCompany->setVisible(false);

    auto* lblSearch = new QLabel(QStringLiteral("&Search (zip code, town or province):"), this);
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    lblSearch->setBuddy(txtSearch);

    model_ = new QStandardItemModel(0, ColumnCount, this);
    model_->setHorizontalHeaderLabels(
        {QStringLiteral("Zip Code"), QStringLiteral("Town"), QStringLiteral("Province")});
    filter_ = new ZipCodeFilter(this);
    filter_->setSourceModel(model_);

    lvwZipCodes = new QTreeView(this);
    lvwZipCodes->setObjectName(QStringLiteral("lvwZipCodes"));
    lvwZipCodes->setModel(filter_);
    lvwZipCodes->setRootIsDecorated(false);
    lvwZipCodes->setUniformRowHeights(true);
    lvwZipCodes->setAllColumnsShowFocus(true);
    lvwZipCodes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwZipCodes->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwZipCodes->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwZipCodes->header()->setStretchLastSection(true);
    lvwZipCodes->setColumnWidth(ColZip, 90);
    lvwZipCodes->setColumnWidth(ColTown, 220);

    auto* buttons = new QDialogButtonBox(this);
    cmdOK = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Enter is handled in eventFilter; a default button would accept an empty list too.
    cmdOK->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblCompany);
    layout->addWidget(lblSearch);
    layout->addWidget(txtSearch);
    layout->addWidget(lvwZipCodes, 1);
    layout->addWidget(buttons);
    resize(560, 420);

    connect(txtSearch, &QLineEdit::textChanged, this, &frmZipCodeSearch::refilter);
    connect(lvwZipCodes, &QAbstractItemView::doubleClicked, this, &frmZipCodeSearch::choose);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmZipCodeSearch::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    txtSearch->installEventFilter(this);
    lvwZipCodes->installEventFilter(this);
    txtSearch->setFocus();
}

frmZipCodeSearch::~frmZipCodeSearch() = default;

void frmZipCodeSearch::load(db::Connection& conn) {
    db::Recordset rs = conn.Query(QStringLiteral(
        "SELECT ZipCode, Town, Province FROM BUILD_FILE.tbCoZipCode ORDER BY ZipCode"));
    model_->removeRows(0, model_->rowCount());
    model_->setRowCount(rs.RecordCount());
    for (int row = 0; !rs.Eof(); rs.MoveNext(), ++row) {
        model_->setItem(row, ColZip,
                        new QStandardItem(rs.Text(QStringLiteral("ZipCode")).trimmed()));
        model_->setItem(row, ColTown, new QStandardItem(rs.Text(QStringLiteral("Town")).trimmed()));
        model_->setItem(row, ColProvince,
                        new QStandardItem(rs.Text(QStringLiteral("Province")).trimmed()));
    }
    filter_->sort(ColTown);
    refilter();
}

void frmZipCodeSearch::setCompanyName(const QString& name) {
    lblCompany->setText(name);
    lblCompany->setVisible(!name.isEmpty());
}

void frmZipCodeSearch::setFilterText(const QString& text) {
    if (txtSearch->text() == text)
        refilter();
    else
        txtSearch->setText(text); // refilters through textChanged
}

int frmZipCodeSearch::visibleCount() const {
    return filter_->rowCount();
}

AddressRecordInfo frmZipCodeSearch::chosen() const {
    const QModelIndex current = lvwZipCodes->currentIndex();
    if (!current.isValid())
        return {};
    const int row = current.row();
    return {filter_->index(row, ColZip).data().toString(),
            filter_->index(row, ColTown).data().toString(),
            filter_->index(row, ColProvince).data().toString()};
}

void frmZipCodeSearch::refilter() {
    const QString text = txtSearch->text().trimmed();
    filter_->setWords(text);
    QModelIndex pick;
    for (int row = 0; row < filter_->rowCount() && !pick.isValid(); ++row)
        if (filter_->index(row, ColZip).data().toString().compare(text, Qt::CaseInsensitive) == 0)
            pick = filter_->index(row, ColZip);
    if (!pick.isValid() && filter_->rowCount() > 0)
        pick = filter_->index(0, ColZip);
    lvwZipCodes->setCurrentIndex(pick);
    if (pick.isValid())
        lvwZipCodes->scrollTo(pick);
    cmdOK->setEnabled(pick.isValid());
}

void frmZipCodeSearch::choose() {
    if (lvwZipCodes->currentIndex().isValid())
        accept();
}

bool frmZipCodeSearch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched == txtSearch) {
            // Move in the list while the typing stays in the search box.
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
            QCoreApplication::sendEvent(lvwZipCodes, &copy);
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace codesearch
