#include "frmEmployeeListing.h"

#include "db/connection.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QAbstractTableModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

// The grid shows the first two columns of the search's recordset, as it came back.
class frmEmployeeListing::Model : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void bind(const db::Recordset& rs) {
        beginResetModel();
        rows_.clear();
        rows_.reserve(rs.RecordCount());
        for (const QVector<QVariant>& r : rs.Rows())
            rows_.append({db::valueText(r.value(0)), db::valueText(r.value(1))});
        endResetModel();
    }
    void clear() {
        beginResetModel();
        rows_.clear();
        endResetModel();
    }
    QString text(int row, int column) const { return rows_.at(row).at(column); }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return rows_.at(index.row()).at(index.column());
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole)
            return {};
        if (o == Qt::Vertical)
            return QString(); // the narrow row-header column stays blank
        return section == 0 ? QStringLiteral("EmployeeID") : QStringLiteral("Employee Name");
    }

private:
    QVector<QVector<QString>> rows_;
};

frmEmployeeListing::frmEmployeeListing(QWidget* parent) : QDialog(parent), model_(new Model(this)) {
    setObjectName(QStringLiteral("frmEmployeeListing"));
    setModal(true);

    lblHeading = new QLabel(QStringLiteral("List of ZEP Employees"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont headingFont = lblHeading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    lblHeading->setFont(headingFont);

    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->installEventFilter(this);
    btnSearch = new QPushButton(QStringLiteral("Search"), this);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    auto* searchLabel = new QLabel(QStringLiteral("Search Text :"), this);
    searchLabel->setBuddy(txtSearch);

    GridListWorkers = new QTableView(this);
    GridListWorkers->setObjectName(QStringLiteral("GridListWorkers"));
    GridListWorkers->setModel(model_);
    GridListWorkers->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridListWorkers->setSelectionMode(QAbstractItemView::SingleSelection);
    GridListWorkers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridListWorkers->verticalHeader()->setFixedWidth(ui::twips(100));
    GridListWorkers->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    GridListWorkers->horizontalHeader()->setHighlightSections(false);
    GridListWorkers->setColumnWidth(0, ui::twips(1100));
    GridListWorkers->setColumnWidth(1, ui::twips(3000));
    GridListWorkers->setMinimumWidth(ui::twips(100 + 1100 + 3000) + 24);

    fraResults = new QGroupBox(QStringLiteral("Search Results"), this);
    fraResults->setObjectName(QStringLiteral("fraResults"));
    auto* resultsLayout = new QVBoxLayout(fraResults);
    resultsLayout->addWidget(GridListWorkers);

    txtRecCount = new QLineEdit(this);
    txtRecCount->setObjectName(QStringLiteral("txtRecCount"));
    txtRecCount->setReadOnly(true);
    auto* countLabel = new QLabel(QStringLiteral("No. of Records Listed :"), this);
    countLabel->setBuddy(txtRecCount);

    cmdSelect = new QPushButton(QStringLiteral("&Select"), this);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    // Enter in the search box is a search key, not a press of some button.
    for (QPushButton* b : {btnSearch, cmdSelect, cmdClose})
        b->setAutoDefault(false);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(txtSearch, 1);
    searchRow->addWidget(btnSearch);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(countLabel);
    bottomRow->addWidget(txtRecCount);
    bottomRow->addStretch(1);
    bottomRow->addWidget(cmdSelect);
    bottomRow->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHeading);
    layout->addLayout(searchRow);
    layout->addWidget(fraResults, 1);
    layout->addLayout(bottomRow);

    connect(btnSearch, &QPushButton::clicked, this, &frmEmployeeListing::search);
    connect(cmdSelect, &QPushButton::clicked, this, &frmEmployeeListing::selectCurrent);
    connect(GridListWorkers, &QTableView::doubleClicked, this, &frmEmployeeListing::selectCurrent);
    // A click on the headings makes the heading row current, where Select does nothing.
    connect(GridListWorkers->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] {
        GridListWorkers->selectionModel()->clearCurrentIndex();
        GridListWorkers->clearSelection();
    });
    connect(GridListWorkers->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            &frmEmployeeListing::selectCurrent);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

frmEmployeeListing::~frmEmployeeListing() = default;

void frmEmployeeListing::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous())
        return; // the window coming back from minimised is not a new opening
    setWindowTitle(ui::Messages::applicationTitle());
    selected_ = false;
    txtSearch->clear();
    model_->clear();
    searchFor(QString());
    txtSearch->setFocus();
}

bool frmEmployeeListing::eventFilter(QObject* watched, QEvent* e) {
    // Every key that types into the box searches, with the text as it was before the key.
    if (watched == txtSearch && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (!k->text().isEmpty() && k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab)
            searchFor(txtSearch->text());
    }
    return QDialog::eventFilter(watched, e);
}

void frmEmployeeListing::search() {
    searchFor(txtSearch->text());
}

void frmEmployeeListing::searchFor(const QString& text) {
    if (!conn_)
        return;
    try {
        const db::Recordset rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetEmployees"), {text});
        // A search that finds nobody leaves the last list standing.
        if (rs.RecordCount() > 0) {
            model_->bind(rs);
            GridListWorkers->setCurrentIndex(model_->index(0, 0));
        }
    } catch (const db::Error& err) {
        ui::Messages::critical(err.Description());
    }
    const QModelIndex current = GridListWorkers->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : 0;
    txtRecCount->setText(QString::number(row) + QStringLiteral(" of ") +
                         QString::number(model_->rowCount()));
}

void frmEmployeeListing::selectCurrent() {
    const QModelIndex current = GridListWorkers->currentIndex();
    if (!current.isValid())
        return; // the heading row
    workerCode_ = model_->text(current.row(), 0).trimmed();
    selected_ = true;
    accept();
}

std::optional<QString> pickedWorkerName(db::Connection& conn, const QString& code,
                                        const QString& errorTitle) {
    try {
        const db::Recordset rs = conn.Call(QStringLiteral("ZEP..sp_ZEP_GetEmployeeName"), {code});
        if (!rs.Eof())
            return rs.Text(QStringLiteral("EmployeeName"));
        ui::Messages::exclamation(QStringLiteral("Employee No Longer Exists."),
                                  QStringLiteral("MESSAGE"));
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), errorTitle);
    }
    return std::nullopt;
}
