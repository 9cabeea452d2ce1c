#include "frmSearchService.h"

#include "db/connection.h"
#include "rules/codeditem.h"
#include "rules/codelist.h"
#include "ui/messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kKeyLetter = QStringLiteral("A");

// Tree keys are "A" + code; a code is its key without that first letter.
QString keyOf(const QString& code) {
    return kKeyLetter + code;
}
QString codeOfKey(const QString& key) {
    return key.mid(1).trimmed();
}

constexpr int kKeyRole = Qt::UserRole;
constexpr int kCodeRole = Qt::UserRole;

// The nodes whose children the picker shows from the start, in this order (later keys can
// be children loaded by earlier ones).
const char* const kPreloaded[] = {"A1.1", "A1.2", "A1.2.3", "A1.3", "A1.3.2", "A1.3.5", "A1.4",
                                  "A1.5", "A1.6", "A1.7",   "A1.8", "A1.8.1", "A1.8.2", "A1.8.3"};

} // namespace

frmCataloguePicker::frmCataloguePicker(const char* name, const QString& caption,
                                       const QString& procedure, const QString& table,
                                       const char* listName, QWidget* parent)
    : QDialog(parent), procedure_(procedure), table_(table) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    top_ = outer;
    auto* body = new QHBoxLayout;
    tvServices = new QTreeWidget;
    tvServices->setObjectName(QStringLiteral("tvServices"));
    tvServices->setHeaderHidden(true);
    tvServices->setExpandsOnDoubleClick(false); // the double-click does it, and loads
    tvServices->setMinimumSize(380, 360);
    body->addWidget(tvServices, 3);

    auto* chosen = new QGroupBox(QStringLiteral("Selected Services"));
    chosen->setObjectName(QStringLiteral("fraSelected"));
    auto* cl = new QVBoxLayout(chosen);
    list = new QListWidget;
    list->setObjectName(QString::fromLatin1(listName));
    list->setMinimumWidth(280);
    cl->addWidget(list);
    cl->addWidget(new QLabel(QStringLiteral("Double-click item to remove selected item.")));
    body->addWidget(chosen, 2);
    outer->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    cmdOK = new QPushButton(QStringLiteral("&OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {cmdOK, cmdCancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);

    connect(tvServices, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* n) { nodeDoubleClicked(n); });
    // Opening a node by its arrow shows its children, as the double-click does.
    connect(tvServices, &QTreeWidget::itemExpanded, this, &frmCataloguePicker::loadChildren);
    connect(list, &QListWidget::itemDoubleClicked, this, &frmCataloguePicker::listDoubleClicked);
    connect(cmdOK, &QPushButton::clicked, this, &frmCataloguePicker::cmdOK_Click);
    // Cancel leaves ResultCode and Selected as they were.
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(760, 480);
}

void frmCataloguePicker::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        Form_Load();
}

// Each opening rebuilds the tree from the catalogue and the list from ResultCode.
void frmCataloguePicker::Form_Load() {
    selected_ = false;
    tvServices->clear();
    nodes_.clear();
    list->clear();
    if (!conn_)
        return;
    try {
        QTreeWidgetItem* last = nullptr;
        for (db::Recordset rs = conn_->Call(procedure_, {QStringLiteral("0")}); !rs.Eof();
             rs.MoveNext()) {
            if (QTreeWidgetItem* n = addNode(nullptr, rs.Text(QStringLiteral("Code")).trimmed(),
                                             rs.Text(QStringLiteral("Description"))))
                last = n;
        }
        if (last)
            last->setExpanded(true);
        for (const char* key : kPreloaded)
            loadChildren(node(QString::fromLatin1(key)));
        for (const QString& code : rules::splitCodeList(resultCode_)) {
            const db::Recordset rs = conn_->Query(
                QStringLiteral("SELECT Code, Description FROM %1 WHERE Code = ?").arg(table_),
                {code});
            if (!rs.Eof()) // a code the catalogue no longer holds drops out
                addListed(rs.Text(QStringLiteral("Description")),
                          rs.Text(QStringLiteral("Code")).trimmed());
        }
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), QStringLiteral("Message"));
    }
}

QTreeWidgetItem* frmCataloguePicker::addNode(QTreeWidgetItem* parent, const QString& code,
                                             const QString& description) {
    const QString key = keyOf(code);
    if (code.isEmpty() || nodes_.contains(key))
        return nullptr;
    auto* n = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tvServices);
    n->setText(0, description);
    n->setData(0, kKeyRole, key);
    n->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    // Until its children are read, a node offers to open.
    n->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    nodes_.insert(key, n);
    return n;
}

void frmCataloguePicker::loadChildren(QTreeWidgetItem* n) {
    if (!n || !conn_ || !nodes_.value(n->data(0, kKeyRole).toString()))
        return;
    try {
        for (db::Recordset rs =
                 conn_->Call(procedure_, {codeOfKey(n->data(0, kKeyRole).toString())});
             !rs.Eof(); rs.MoveNext())
            addNode(n, rs.Text(QStringLiteral("Code")).trimmed(),
                    rs.Text(QStringLiteral("Description")));
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), QStringLiteral("Message"));
        return;
    }
    n->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void frmCataloguePicker::nodeDoubleClicked(QTreeWidgetItem* n) {
    if (!n)
        return;
    const QString key = n->data(0, kKeyRole).toString();
    if (key.size() > 1) {
        n->setExpanded(!n->isExpanded());
        loadChildren(n);
    }
    chosenCode_ = codeOfKey(key);
    chosenText_ = n->text(0);
    if (listedCodes().contains(chosenCode_)) {
        ui::Messages::info(QStringLiteral("Item is already added in the list."));
        return;
    }
    addListed(chosenText_, chosenCode_);
}

void frmCataloguePicker::addListed(const QString& description, const QString& code) {
    auto* item = new QListWidgetItem(rules::makeCodedItem(description, code, rules::kPickerItem));
    item->setData(kCodeRole, code);
    item->setToolTip(code + QStringLiteral("  ") + description);
    list->addItem(item);
}

QStringList frmCataloguePicker::listedCodes() const {
    QStringList codes;
    for (int i = 0; i < list->count(); ++i)
        codes << list->item(i)->data(kCodeRole).toString();
    return codes;
}

void frmCataloguePicker::listDoubleClicked(QListWidgetItem* item) {
    if (!item)
        return;
    const QString code = item->data(kCodeRole).toString();
    for (int i = list->count() - 1; i >= 0; --i)
        if (list->item(i)->data(kCodeRole).toString() == code)
            delete list->takeItem(i);
}

void frmCataloguePicker::cmdOK_Click() {
    resultCode_ = rules::joinCodeList(listedCodes());
    selected_ = true;
    accept();
}

// ---- the two pickers ------------------------------------------------------------------

frmSearchService::frmSearchService(QWidget* parent)
    : frmCataloguePicker("frmSearchService", QStringLiteral("Select Service"),
                         QStringLiteral("ZEP..sp_ZEP_GetService"),
                         QStringLiteral("ZEP.tbZEPServiceCategory"), "lstServices", parent) {
    lblTitle = new QLabel;
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont f = lblTitle->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    lblTitle->setFont(f);
    auto* search = new QGroupBox(QStringLiteral("Search Service"));
    search->setObjectName(QStringLiteral("fraSearch"));
    auto* sl = new QHBoxLayout(search);
    txtService = new QLineEdit;
    txtService->setObjectName(QStringLiteral("txtService"));
    cmdFind = new QPushButton(QStringLiteral("..."));
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    cmdFind->setAutoDefault(false);
    sl->addWidget(txtService, 1);
    sl->addWidget(cmdFind);
    auto* outer = static_cast<QVBoxLayout*>(top_);
    outer->insertWidget(0, lblTitle);
    outer->insertWidget(1, search);
    // The search box finds the next shown node whose text holds what was typed.
    connect(cmdFind, &QPushButton::clicked, this, &frmSearchService::find);
    connect(txtService, &QLineEdit::returnPressed, this, &frmSearchService::find);
}

void frmSearchService::setDepartmentTitle(const QString& title) {
    lblTitle->setText(title);
}

void frmSearchService::find() {
    const QString text = txtService->text().trimmed();
    if (text.isEmpty())
        return;
    const auto found = tvServices->findItems(text, Qt::MatchContains | Qt::MatchRecursive);
    if (found.isEmpty())
        return;
    const int at = found.indexOf(tvServices->currentItem());
    QTreeWidgetItem* next = found.at((at + 1) % found.size());
    tvServices->setCurrentItem(next);
    tvServices->scrollToItem(next);
}

frmSearchActivity::frmSearchActivity(QWidget* parent)
    : frmCataloguePicker("frmSearchActivity", QStringLiteral("Servies"),
                         QStringLiteral("ZEP..sp_ZEP_GetActivity"),
                         QStringLiteral("ZEP.tbZEPActivity"), "lstactivity", parent) {}
