#include "frmBuildFile.h"

#include "db/connection.h"
#include "db/numbers.h"
#include "reports/ui/operations.h"
#include "rules/numeric.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace filemaint {

double leadingNumber(const QString& text) {
    int i = 0;
    const int n = int(text.size());
    while (i < n && text.at(i).isSpace())
        ++i;
    const int start = i;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch >= u'0' && ch <= u'9')
            digits = true;
        else if (ch == u'.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

std::optional<double> readQFSPercent(const QString& typed) {
    const std::optional<double> v = rules::readNumber(typed);
    if (!v || *v < 0 || *v > 100)
        return std::nullopt;
    // The item master keeps the fraction with four decimals, so a percent with a third
    // decimal would be stored other than the user typed it.
    const double hundredths = *v * 100.0;
    if (std::abs(hundredths - std::round(hundredths)) > 1e-6)
        return std::nullopt;
    return std::round(hundredths) / 100.0;
}

int qfsTypeIndex(const QString& stored) {
    const QString t = stored.trimmed();
    if (t.size() == 1 && t.at(0) >= u'0' && t.at(0) <= u'3')
        return t.at(0).unicode() - u'0';
    return 1;
}

NameSearch nameSearchFor(const QString& dept) {
    static const struct {
        const char *dept, *stem;
    } stems[] = {{"LB", "Lab"}, {"XR", "Xray"}, {"US", "Ultra"}, {"CT", "CT"},
                 {"NU", "Nuc"}, {"PT", "PT"},   {"PA", "RTS"},   {"HS", "HS"}};
    const QString d = dept.trimmed();
    for (const auto& s : stems)
        if (d.compare(QLatin1String(s.dept), Qt::CaseInsensitive) == 0) {
            const QString stem = QString::fromLatin1(s.stem);
            const QString code = stem + QStringLiteral("ExamID");
            const QString name = stem + QStringLiteral("Exam");
            return {QStringLiteral("SELECT %1 FROM BUILD_FILE.tbCo%3 WHERE UPPER(%2) LIKE ? ESCAPE '\\' "
                                   "AND RecordStatus = 'A' ORDER BY UPPER(%2), %1 LIMIT 1")
                        .arg(code, name, name),
                    code, false};
        }
    // The other revenue centres share one table, told apart by the centre's code in
    // OtherSectionID; the typed text is matched against the item code there.
    return {QStringLiteral("SELECT OtherRevenueID FROM BUILD_FILE.tbCoOtherRevenue "
                           "WHERE UPPER(OtherRevenueID) LIKE ? ESCAPE '\\' AND OtherSectionID = ? "
                           "AND RecordStatus = 'A' ORDER BY OtherRevenueID LIMIT 1"),
            QStringLiteral("OtherRevenueID"), true};
}

} // namespace filemaint

namespace {

const QString kTitle = QStringLiteral("Message");

struct Column {
    const char* header;
    const char* field;
    int twips;
    bool money;
};
// " | RevenueID | Description | With Items | Status "; "With Items" is hidden.
constexpr Column kDepartmentColumns[] = {
    {"", nullptr, 80, false},
    {"RevenueID", "RevenueID", 1200, false},
    {"Description", "ItemName", 3000, false},
    {"With Items", "Rwith", 0, false},
    {"Status", "RecordStatus", 1000, false},
};
// " dumm | Exam Description | Exam Code | NucSectionID | Rate A | Rate B | Rate C| Rate D |
// Rate E | FixRate | Status "; the zero-width columns are hidden. Column 2 is the item code.
constexpr Column kExamColumns[] = {
    {"dumm", nullptr, 0, false},       {"Exam Description", "ItemName", 3500, false},
    {"Exam Code", "ItemID", 900, false}, {"NucSectionID", "SectionID", 0, false},
    {"Rate A", "RateA", 1200, true},   {"Rate B", "RateB", 1200, true},
    {"Rate C", "RateC", 1200, true},   {"Rate D", "RateD", 1200, true},
    {"Rate E", "RateE", 1200, true},   {"FixRate", "FixRate", 0, false},
    {"Status", "RecordStatus", 1100, false},
};

// The department's code and name columns in the item details.
struct ItemColumns {
    QString code, name;
};
ItemColumns detailColumns(const QString& dept) {
    const filemaint::NameSearch s = filemaint::nameSearchFor(dept);
    if (s.bindsDepartment)
        return {QStringLiteral("OtherRevenueiD"), QStringLiteral("OtherRevenue")};
    const QString stem = s.codeColumn.left(s.codeColumn.size() - 2); // "XrayExam"
    return {s.codeColumn, stem};
}

// LIKE's own characters in typed text are meant literally.
QString likePrefix(const QString& typed) {
    QString out;
    for (const QChar ch : typed) {
        if (ch == u'\\' || ch == u'%' || ch == u'_')
            out += u'\\';
        out += ch;
    }
    return out.toUpper() + u'%';
}

template <std::size_t N>
void formatGrid(QTableView* grid, QStandardItemModel* model, const Column (&cols)[N]) {
    QStringList headers;
    for (const Column& c : cols)
        headers << QString::fromLatin1(c.header);
    model->setHorizontalHeaderLabels(headers);
    for (int c = 0; c < int(N); ++c) {
        grid->setColumnHidden(c, cols[c].twips == 0);
        // The laid-out width, or the header's own when it is wider: "Exam Code" does not
        // fit its 900 twips in today's fonts, and a cut header reads as a fault.
        if (cols[c].twips > 0)
            grid->setColumnWidth(c, std::max(ui::twips(cols[c].twips),
                                             grid->horizontalHeader()->sectionSizeHint(c)));
    }
}

template <std::size_t N>
void bindRows(QStandardItemModel* model, db::Recordset rs, const Column (&cols)[N]) {
    model->removeRows(0, model->rowCount());
    for (; !rs.Eof(); rs.MoveNext()) {
        QList<QStandardItem*> row;
        for (const Column& c : cols) {
            QString text;
            if (c.field) {
                const QString f = QString::fromLatin1(c.field);
                // Money with its centavos, the same on every engine.
                text = !c.money ? rs.Text(f)
                       : rs.IsNull(f) ? QString()
                                      : QString::number(rs.Number(f), 'f', 2);
            }
            auto* it = new QStandardItem(text);
            if (c.money)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            row << it;
        }
        model->appendRow(row);
    }
}

QTableView* makeGrid(QWidget* parent, const char* name, QStandardItemModel* model) {
    auto* g = new QTableView(parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setModel(model);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(20);
    g->setWordWrap(false);
    g->horizontalHeader()->setMinimumSectionSize(1);
    g->horizontalHeader()->setStretchLastSection(false);
    return g;
}

QLineEdit* makeBox(QWidget* parent, const char* name, bool shownOnly) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(shownOnly);
    return e;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmBuildFile::frmBuildFile(QWidget* parent)
    : QDialog(parent), departments_(new QStandardItemModel(this)), exams_(new QStandardItemModel(this)),
      qfsGroup_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("frmBuildFile"));
    setWindowTitle(QStringLiteral("QFS"));

    lblHeading = new QLabel(QStringLiteral("Edit QFS Discounts (per item)"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont big = lblHeading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lblHeading->setFont(big);

    // The department: code or the start of its name, Enter searches.
    auto* lblDept = new QLabel(QStringLiteral("Search Department :"), this);
    txtDeptCode = makeBox(this, "txtDeptCode", false);
    txtDeptCode->setMaxLength(100);
    txtDeptCode->setFixedWidth(ui::twips(1500));
    txtDepartment = makeBox(this, "txtDepartment", true);
    txtDepartment->setFocusPolicy(Qt::NoFocus);
    lblDept->setBuddy(txtDeptCode);

    fmeDepartment = new QGroupBox(this);
    fmeDepartment->setObjectName(QStringLiteral("fmeDepartment"));
    grdDepartment = makeGrid(fmeDepartment, "grdDepartment", departments_);
    grdDepartment->setFixedHeight(ui::twips(2400));
    (new QVBoxLayout(fmeDepartment))->addWidget(grdDepartment);
    fmeDepartment->hide();

    fraExams = new QGroupBox(QStringLiteral("List of Exams"), this);
    fraExams->setObjectName(QStringLiteral("fraExams"));
    grdExams = makeGrid(fraExams, "grdExams", exams_);
    (new QVBoxLayout(fraExams))->addWidget(grdExams);
    int examsWidth = 0;
    for (const Column& c : kExamColumns)
        examsWidth += ui::twips(c.twips);
    grdExams->setMinimumWidth(examsWidth + 24);
    formatGrid(grdExams, exams_, kExamColumns);

    fraSearch = new QGroupBox(QStringLiteral("Search Exams"), this);
    fraSearch->setObjectName(QStringLiteral("fraSearch"));
    cmbSearch = new QComboBox(fraSearch);
    cmbSearch->setObjectName(QStringLiteral("cmbSearch"));
    cmbSearch->addItems({QStringLiteral("Decription"), QStringLiteral("Code")});
    txtSearch = makeBox(fraSearch, "txtSearch", false);
    txtSearch->setMaxLength(100);
    auto* searchLay = new QGridLayout(fraSearch);
    searchLay->addWidget(new QLabel(QStringLiteral("Search by :"), fraSearch), 0, 0);
    searchLay->addWidget(cmbSearch, 0, 1);
    searchLay->addWidget(txtSearch, 1, 0, 1, 2);

    fmeExamInfo = new QGroupBox(QStringLiteral("Exam Information"), this);
    fmeExamInfo->setObjectName(QStringLiteral("fmeExamInfo"));
    txtCode = makeBox(fmeExamInfo, "txtCode", true);
    txtDecription = makeBox(fmeExamInfo, "txtDecription", true);
    auto* infoLay = new QGridLayout(fmeExamInfo);
    infoLay->addWidget(new QLabel(QStringLiteral("Code :"), fmeExamInfo), 0, 0);
    infoLay->addWidget(txtCode, 0, 1);
    infoLay->addWidget(new QLabel(QStringLiteral("Desciption :"), fmeExamInfo), 1, 0);
    infoLay->addWidget(txtDecription, 1, 1);

    fraRates = new QGroupBox(QStringLiteral("Rates"), fmeExamInfo);
    fraRates->setObjectName(QStringLiteral("fraRates"));
    auto* ratesLay = new QGridLayout(fraRates);
    const char* rateLabels[] = {"(A) OPD ", "(B) Ward", "(C) Private ", "(D) Suite ", "(E) Suite "};
    const char* rateNames[] = {"txtRateA", "txtRateB", "txtRateC", "txtRateD", "txtRateE"};
    QLineEdit** rateBoxes[] = {&txtRateA, &txtRateB, &txtRateC, &txtRateD, &txtRateE};
    for (int k = 0; k < 5; ++k) {
        *rateBoxes[k] = makeBox(fraRates, rateNames[k], true);
        (*rateBoxes[k])->setAlignment(Qt::AlignRight);
        ratesLay->addWidget(new QLabel(QString::fromLatin1(rateLabels[k]), fraRates), k, 0);
        ratesLay->addWidget(*rateBoxes[k], k, 1);
    }
    infoLay->addWidget(fraRates, 2, 0, 1, 2);

    fmeProperties = new QGroupBox(QStringLiteral("QFS Discount Properties"), fmeExamInfo);
    fmeProperties->setObjectName(QStringLiteral("fmeProperties"));
    auto* propLay = new QGridLayout(fmeProperties);
    const char* typeCaptions[] = {"No Discount", "Use Classification", "Fixed 20% Discount",
                                  "Specified Discount "};
    for (int k = 0; k < 4; ++k) {
        optQFSType[k] = new QRadioButton(QString::fromLatin1(typeCaptions[k]), fmeProperties);
        optQFSType[k]->setObjectName(QStringLiteral("optQFSType_%1").arg(k));
        qfsGroup_->addButton(optQFSType[k], k);
        propLay->addWidget(optQFSType[k], k, 0, 1, 3);
    }
    txtQFSRate = makeBox(fmeProperties, "txtQFSRate", true);
    txtQFSRate->setAlignment(Qt::AlignRight);
    txtQFSRate->setMaxLength(10);
    txtQFSRate->setFixedWidth(ui::twips(900));
    propLay->addWidget(txtQFSRate, 4, 1);
    propLay->addWidget(new QLabel(QStringLiteral("percent"), fmeProperties), 4, 2);
    propLay->setColumnMinimumWidth(0, 20);
    propLay->setColumnStretch(3, 1);
    infoLay->addWidget(fmeProperties, 3, 0, 1, 2);

    btnNew = makeButton(this, "btnNew", "F8=New");
    btnEdit = makeButton(this, "btnEdit", "F7=Edit");
    btnRefresh = makeButton(this, "btnRefresh", "F5=Refresh");
    btnPrint = makeButton(this, "btnPrint", "F9=Print");
    btnSave = makeButton(this, "btnSave", "&Save");
    btnCancel = makeButton(this, "btnCancel", "&Cancel");
    btnExit = makeButton(this, "btnExit", "E&xit");
    lblStatus = new QLabel(QStringLiteral("Status : "), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setFrameShape(QFrame::StyledPanel);
    lblStatus->setMinimumWidth(ui::twips(3000));

    auto* deptRow = new QHBoxLayout;
    deptRow->addWidget(lblDept);
    deptRow->addWidget(txtDeptCode);
    deptRow->addWidget(txtDepartment, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(deptRow);
    left->addWidget(fmeDepartment);
    left->addWidget(fraExams, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(fraSearch);
    right->addWidget(fmeExamInfo);
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblStatus, 1);
    for (QPushButton* b : {btnNew, btnEdit, btnRefresh, btnPrint, btnSave, btnCancel, btnExit})
        buttons->addWidget(b);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(lblHeading);
    lay->addLayout(body, 1);
    lay->addLayout(buttons);
    resize(ui::twips(18500), ui::twips(8800));

    connect(btnEdit, &QPushButton::clicked, this, &frmBuildFile::btnEdit_Click);
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSave_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, &frmBuildFile::btnCancel_Click);
    connect(btnRefresh, &QPushButton::clicked, this, &frmBuildFile::btnRefresh_Click);
    connect(btnPrint, &QPushButton::clicked, this, &frmBuildFile::btnPrint_Click);
    connect(btnExit, &QPushButton::clicked, this, &QDialog::close);
    connect(txtDeptCode, &QLineEdit::returnPressed, this, [this] { findDepartments(); });
    connect(grdDepartment, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { chooseDepartment(i.row()); });
    connect(grdExams, &QTableView::clicked, this, [this] { showCurrentRow(); });
    connect(grdExams->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!quiet_)
            showCurrentRow();
    });
    connect(txtSearch, &QLineEdit::textChanged, this, &frmBuildFile::txtSearch_Change);
    connect(qfsGroup_, &QButtonGroup::idClicked, this, &frmBuildFile::optQFSType_Click);

    for (QLineEdit* box : {txtSearch, txtDecription, txtRateA, txtRateB, txtRateC, txtRateD, txtRateE,
                           txtQFSRate, txtDeptCode})
        box->installEventFilter(this);
    grdDepartment->installEventFilter(this);
    for (QWidget* wdg : std::initializer_list<QWidget*>{grdExams, btnEdit, btnSave, btnCancel,
                                                        btnRefresh, btnPrint})
        wdg->installEventFilter(this);

    // Opening.
    cmbSearch->setCurrentIndex(0);
    btnSave->hide();
    btnCancel->hide();
    lblStatus->setText(QStringLiteral("Nuclear Exams"));
    fmeExamInfo->setEnabled(false);
    txtDeptCode->setFocus();
}

void frmBuildFile::setHospital(const QString& name, const QString& address1) {
    hospitalName_ = name;
    hospitalAddress_ = address1;
}

bool frmBuildFile::editing() const {
    return fmeExamInfo->isEnabled();
}

int frmBuildFile::qfsType() const {
    return qfsGroup_->checkedId();
}

int frmBuildFile::departmentRowCount() const {
    return departments_->rowCount();
}

QString frmBuildFile::departmentCell(int row, int column) const {
    const QStandardItem* it = departments_->item(row, column);
    return it ? it->text() : QString();
}

int frmBuildFile::examRowCount() const {
    return exams_->rowCount();
}

QString frmBuildFile::examCell(int row, int column) const {
    const QStandardItem* it = exams_->item(row, column);
    return it ? it->text() : QString();
}

int frmBuildFile::currentExamRow() const {
    const QModelIndex i = grdExams->currentIndex();
    return i.isValid() ? i.row() : -1;
}

bool frmBuildFile::findDepartments() {
    if (!conn_)
        return false;
    db::Recordset rs;
    try {
        rs = conn_->Query(QStringLiteral("SELECT RevenueID, ItemName, Rwith, RecordStatus "
                                         "FROM BUILD_FILE.tbCoRevenueCode "
                                         "WHERE UPPER(RevenueID) = ? OR UPPER(ItemName) LIKE ? ESCAPE '\\' "
                                         "ORDER BY ItemName, RevenueID"),
                          {txtDeptCode->text().trimmed().toUpper(), likePrefix(txtDeptCode->text())});
    } catch (const db::Error& e) {
        ui::Messages::critical(QStringLiteral("The departments could not be read.\n") + e.Description(),
                               kTitle);
        return false;
    }
    if (rs.Eof())
        return false;
    fmeDepartment->show();
    bindRows(departments_, rs, kDepartmentColumns);
    formatGrid(grdDepartment, departments_, kDepartmentColumns);
    grdDepartment->setCurrentIndex(departments_->index(0, 1));
    return true;
}

void frmBuildFile::chooseDepartment(int row) {
    if (row < 0 || row >= departments_->rowCount())
        return;
    txtDepartment->setText(departmentCell(row, 2));
    txtDeptCode->setText(departmentCell(row, 1));
    loadItems(departmentCell(row, 1).trimmed());
    fmeDepartment->hide();
    grdExams->setFocus();
}

void frmBuildFile::loadItems(const QString& dept) {
    if (!conn_)
        return;
    db::Recordset rs;
    try {
        rs = conn_->Call(QStringLiteral("BUILD_FILE..sp_Bui_Find_Revenue_Center_Items_Active"),
                         {dept.trimmed()});
    } catch (const db::Error& e) {
        ui::Messages::critical(QStringLiteral("The exams could not be read.\n") + e.Description(), kTitle);
        return;
    }
    // The grid always shows the department it is loaded for: one without active items
    // shows none, rather than another department's items under its name.
    loadedDept_ = dept.trimmed();
    quiet_ = true;
    bindRows(exams_, rs, kExamColumns);
    formatGrid(grdExams, exams_, kExamColumns);
    // The first row is the current one (F7 edits it), but no item is shown until the
    // worker clicks or moves in the grid.
    if (exams_->rowCount() > 0)
        grdExams->setCurrentIndex(exams_->index(0, 1));
    quiet_ = false;
}

bool frmBuildFile::showItem(const QString& code) {
    if (!conn_ || loadedDept_.isEmpty())
        return false;
    db::Recordset rs;
    try {
        rs = conn_->Call(QStringLiteral("BUILD_fILE..sp_Bui_Show_Item_Details"),
                         {loadedDept_, code.trimmed()});
    } catch (const db::Error& e) {
        ui::Messages::critical(QStringLiteral("The exam could not be read.\n") + e.Description(), kTitle);
        return false;
    }
    if (rs.Eof())
        return false;
    const ItemColumns cols = detailColumns(loadedDept_);
    txtCode->setText(rs.TextOr(cols.code));
    txtDecription->setText(rs.TextOr(cols.name));
    txtDecription->setCursorPosition(0); // a long name shows from its start
    QLineEdit* rates[] = {txtRateA, txtRateB, txtRateC, txtRateD, txtRateE};
    const char* fields[] = {"RateA", "RateB", "RateC", "RateD", "RateE"};
    for (int k = 0; k < 5; ++k)
        rates[k]->setText(
            db::numberToText(filemaint::leadingNumber(rs.TextOr(QString::fromLatin1(fields[k])))));
    // The option first (it sets the box to 0), then the stored rate: a non-zero rate shows
    // even under a type that does not use it.
    chooseQFSType(filemaint::qfsTypeIndex(rs.TextOr(QStringLiteral("QFSType"))));
    txtQFSRate->setText(
        db::numberToText(filemaint::leadingNumber(rs.TextOr(QStringLiteral("QFSRate"))) * 100.0));
    return true;
}

void frmBuildFile::showCurrentRow() {
    const int row = currentExamRow();
    if (row >= 0 && !editing())
        showItem(examCell(row, 2));
}

void frmBuildFile::selectExam(const QString& code) {
    const QString want = code.trimmed();
    for (int r = 0; r < exams_->rowCount(); ++r) {
        if (examCell(r, 2).trimmed() != want)
            continue;
        quiet_ = true;
        grdExams->setCurrentIndex(exams_->index(r, 1));
        grdExams->selectRow(r);
        quiet_ = false;
        grdExams->scrollTo(exams_->index(r, 1), QAbstractItemView::PositionAtTop);
        return;
    }
}

void frmBuildFile::chooseQFSType(int index) {
    if (index < 0 || index > 3)
        return;
    optQFSType[index]->setChecked(true);
    optQFSType_Click(index);
}

void frmBuildFile::optQFSType_Click(int index) {
    if (index == 3) {
        txtQFSRate->setReadOnly(false);
        return;
    }
    txtQFSRate->setText(QStringLiteral("0"));
    txtQFSRate->setReadOnly(true);
}

void frmBuildFile::setEditing(bool on, QWidget* focus) {
    // The side that takes the focus is enabled and focused first: a focused button that is
    // disabled hands the focus down the chain, and each button on the way would name
    // itself in the status label.
    QList<QWidget*> editSide{fmeExamInfo, btnSave, btnCancel};
    QList<QWidget*> browseSide{btnEdit, btnNew, btnRefresh, btnPrint, grdExams, fraSearch, txtDeptCode};
    if (!on)
        std::swap(editSide, browseSide);
    for (QWidget* wdg : editSide)
        wdg->setEnabled(true);
    btnSave->setVisible(on);
    btnCancel->setVisible(on);
    if (focus)
        focus->setFocus();
    // While an item is edited only Save and Cancel lead anywhere: another row, department
    // or search would put a different item under the fields being edited.
    for (QWidget* wdg : browseSide)
        if (wdg != btnSave && wdg != btnCancel)
            wdg->setEnabled(false);
    if (on)
        fmeDepartment->hide();
}

void frmBuildFile::clearItemFields() {
    for (QLineEdit* e : {txtCode, txtDecription, txtRateA, txtRateB, txtRateC, txtRateD, txtRateE})
        e->clear();
}

void frmBuildFile::btnEdit_Click() {
    const int row = currentExamRow();
    if (row < 0 || !showItem(examCell(row, 2))) {
        ui::Messages::exclamation(QStringLiteral("Choose an exam in the list to edit first."), kTitle);
        return;
    }
    const int type = qfsType();
    setEditing(true, type == 3 ? static_cast<QWidget*>(txtQFSRate) : optQFSType[type < 0 ? 1 : type]);
    if (type == 3)
        txtQFSRate->selectAll();
}

bool frmBuildFile::btnSave_Click() {
    if (!editing() || !conn_)
        return false;
    const QString code = txtCode->text().trimmed();
    const int type = qfsType();
    const std::optional<double> percent = filemaint::readQFSPercent(txtQFSRate->text());
    if (!percent) {
        ui::Messages::exclamation(
            QStringLiteral("Enter the discount as a percent from 0 to 100, with at most two decimals."),
            kTitle);
        txtQFSRate->setFocus();
        txtQFSRate->selectAll();
        return false;
    }
    long long written = 0;
    if (!code.isEmpty()) {
        try {
            const db::Recordset rs = conn_->Call(
                QStringLiteral("BUILD_FILE..sp_Bui_UpdateQFSDiscount"),
                {loadedDept_, code, type >= 0 ? QString::number(type) : QString(),
                 db::numberToText(*percent / 100.0)});
            written = rs.Eof() ? 0 : rs.Text(QStringLiteral("Updated")).toLongLong();
        } catch (const db::Error& e) {
            ui::Messages::critical(QStringLiteral("The QFS discount could not be saved.\n") +
                                       e.Description(),
                                   kTitle);
            return false;
        }
    }
    if (written > 0) {
        ui::Messages::info(QStringLiteral("Record Updated."), kTitle);
    } else if (code.isEmpty()) {
        ui::Messages::exclamation(
            QStringLiteral("No exam is shown; nothing was saved. The list is read again."), kTitle);
    } else {
        // The item went away (or left the department) since the list was read.
        ui::Messages::exclamation(QStringLiteral("The exam ") + code +
                                      QStringLiteral(" is no longer on file; nothing was saved. "
                                                     "The list is read again."),
                                  kTitle);
    }
    btnRefresh_Click();
    setEditing(false, grdExams);
    selectExam(code);
    return written > 0;
}

void frmBuildFile::btnCancel_Click() {
    setEditing(false, grdExams);
    lblStatus->setText(QStringLiteral("Cancel Nuclear Exams"));
}

void frmBuildFile::btnRefresh_Click() {
    const QString current = currentExamRow() >= 0 ? examCell(currentExamRow(), 2) : QString();
    loadItems(loadedDept_);
    clearItemFields();
    if (!current.isEmpty())
        selectExam(current);
}

void frmBuildFile::btnPrint_Click() {
    // The screen steps aside while the list is made, then comes back; the viewer that
    // opens is raised over it.
    const QWidgetList before = QApplication::topLevelWidgets();
    hide();
    if (reports::OpenReport(reportFolder_, QStringLiteral("DiscountExams.RPT"),
                            {hospitalName_, hospitalAddress_}))
        reports::ShowReport(false, QStringLiteral("List of procedures (With their corresponding QFS Discount)"),
                            false);
    show();
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t != this && t->isVisible() && !before.contains(t)) {
            t->raise();
            t->activateWindow();
        }
}

void frmBuildFile::txtSearch_Change() {
    if (!conn_ || loadedDept_.isEmpty() || editing())
        return;
    const QString typed = txtSearch->text();
    if (cmbSearch->currentIndex() == 1) {
        showItem(typed.trimmed());
        selectExam(typed.trimmed());
        return;
    }
    if (typed.isEmpty())
        return;
    const filemaint::NameSearch s = filemaint::nameSearchFor(loadedDept_);
    QVariantList values{likePrefix(typed)};
    if (s.bindsDepartment)
        values << loadedDept_;
    QString code;
    try {
        const db::Recordset rs = conn_->Query(s.sql, values);
        if (rs.Eof())
            return;
        code = rs.Text(s.codeColumn);
    } catch (const db::Error& e) {
        ui::Messages::critical(QStringLiteral("The exams could not be searched.\n") + e.Description(),
                               kTitle);
        return;
    }
    showItem(code);
    selectExam(code);
}

bool frmBuildFile::upperKey(QLineEdit* box, QKeyEvent* k) {
    const QString t = k->text();
    if (box == txtSearch && t == QStringLiteral("'")) {
        // The apostrophe would end a quoted text in the hospital's statements; the
        // department's screens have always typed a backquote for it.
        box->insert(QStringLiteral("`"));
        return true;
    }
    if (t.size() == 1 && t.at(0).isLower() && !box->isReadOnly()) {
        box->insert(t.toUpper());
        return true;
    }
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        if (box == txtSearch) {
            grdExams->setFocus();
        } else {
            txtRateA->setFocus();
            btnSave->setEnabled(true);
        }
        return true;
    }
    return false;
}

bool frmBuildFile::rateKey(QLineEdit* box, QKeyEvent* k) {
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        QLineEdit* next[] = {txtRateB, txtRateC, txtRateD, txtRateE};
        QLineEdit* from[] = {txtRateA, txtRateB, txtRateC, txtRateD};
        for (int i = 0; i < 4; ++i)
            if (box == from[i])
                next[i]->setFocus();
        if (box == txtQFSRate)
            btnSave->setFocus();
        return true;
    }
    const QString t = k->text();
    if (t.size() != 1)
        return false;
    const QChar ch = t.at(0);
    // Letters and every other character after "9", and the comma, slash and apostrophe,
    // rub out the character before the cursor instead of being typed.
    if (ch.unicode() > u'9' || ch == u',' || ch == u'/' || ch == u'\'') {
        if (!box->isReadOnly())
            box->backspace();
        return true;
    }
    return false;
}

bool frmBuildFile::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if (type == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (watched == txtSearch || watched == txtDecription)
            return upperKey(static_cast<QLineEdit*>(watched), k);
        if (watched == txtRateA || watched == txtRateB || watched == txtRateC || watched == txtRateD ||
            watched == txtRateE || watched == txtQFSRate)
            return rateKey(static_cast<QLineEdit*>(watched), k);
        if (watched == txtDeptCode && fmeDepartment->isVisible()) {
            if (k->key() == Qt::Key_Down) {
                grdDepartment->setFocus();
                return true;
            }
            if (k->key() == Qt::Key_Escape) { // closes the pop-up, not the screen
                fmeDepartment->hide();
                return true;
            }
        }
        if (watched == grdDepartment) {
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                chooseDepartment(grdDepartment->currentIndex().row());
                return true;
            }
            if (k->key() == Qt::Key_Escape) {
                fmeDepartment->hide();
                txtDeptCode->setFocus();
                return true;
            }
        }
        return false;
    }
    // What the pointer or the focus is on is named in the status label.
    if (type == QEvent::Enter || type == QEvent::FocusIn) {
        if (watched == grdExams || watched == btnEdit)
            lblStatus->setText(QStringLiteral("Search Exams"));
        else if (watched == btnSave)
            lblStatus->setText(QStringLiteral("Edit QFS"));
        else if (watched == btnRefresh)
            lblStatus->setText(QStringLiteral("Nuclear Exams"));
        else if (watched == btnPrint)
            lblStatus->setText(QStringLiteral("Print Nuclear Exams"));
        else if (watched == btnCancel)
            lblStatus->setText(QStringLiteral("Cancel Nuclear Exams"));
    } else if (type == QEvent::FocusOut && watched == btnCancel) {
        lblStatus->setText(QStringLiteral("Nuclear Exams"));
    }
    return false;
}

void frmBuildFile::keyPressEvent(QKeyEvent* e) {
    // The function keys the buttons are captioned with, from wherever the focus is (the
    // boxes and the grid pass them on); a key does what its button does only while that
    // button can be pressed. F8 has no action.
    QPushButton* b = nullptr;
    switch (e->key()) {
    case Qt::Key_F5: b = btnRefresh; break;
    case Qt::Key_F7: b = btnEdit; break;
    case Qt::Key_F8: b = btnNew; break;
    case Qt::Key_F9: b = btnPrint; break;
    default: QDialog::keyPressEvent(e); return;
    }
    if (b->isVisible() && b->isEnabled())
        b->click();
    e->accept();
}

bool frmBuildFile::event(QEvent* e) {
    // Back on the screen from another window: the label says where the worker is. The
    // first activation is the opening's own, which keeps the opening's text.
    if (e->type() == QEvent::WindowActivate) {
        if (activatedOnce_)
            lblStatus->setText(QStringLiteral("Exams"));
        activatedOnce_ = true;
    }
    return QDialog::event(e);
}
