#pragma once
// The service and activity pickers: a catalogue tree (dotted codes, "1", "1.2", "1.2.3") and
// the list of what is chosen. The caller sets ResultCode (the codes already chosen, each
// followed by "|"), opens the picker and, when Selected() is true after it closed, takes
// ResultCode back.
#include <QDialog>
#include <QHash>
#include <QString>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace db {
class Connection;
}

class frmCataloguePicker : public QDialog {
    Q_OBJECT

public:
    void setConnection(db::Connection* conn) { conn_ = conn; }

    QString ResultCode() const { return resultCode_; }
    void setResultCode(const QString& codes) { resultCode_ = codes; }
    bool Selected() const { return selected_; }

    // The tree node of a key ("A1.2"), or nullptr when it is not in the tree.
    QTreeWidgetItem* node(const QString& key) const { return nodes_.value(key); }
    // The codes of the selection list, in order.
    QStringList listedCodes() const;

    QTreeWidget* tvServices;
    QListWidget* list;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    // Loads a node's children once; keys already in the tree are not added again.
    void loadChildren(QTreeWidgetItem* node);
    void nodeDoubleClicked(QTreeWidgetItem* node);
    void listDoubleClicked(QListWidgetItem* item);
    void cmdOK_Click();

protected:
    frmCataloguePicker(const char* name, const QString& caption, const QString& procedure,
                       const QString& table, const char* listName, QWidget* parent);
    void showEvent(QShowEvent* e) override;
    // The last node double-clicked, for the subclass's own property names.
    QString chosenText_;
    QString chosenCode_;
    QLayout* top_ = nullptr;

private:
    void Form_Load();
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& code,
                             const QString& description);
    void addListed(const QString& description, const QString& code);

    db::Connection* conn_ = nullptr;
    QString procedure_;
    QString table_;
    QString resultCode_;
    bool selected_ = false;
    QHash<QString, QTreeWidgetItem*> nodes_;
};

// "Select Service": the services rendered.
class frmSearchService : public frmCataloguePicker {
    Q_OBJECT
public:
    explicit frmSearchService(QWidget* parent = nullptr);
    void setDepartmentTitle(const QString& title);
    QString Service() const { return chosenText_; }
    QString ServiceCode() const { return chosenCode_; }
    QListWidget* lstServices() const { return list; }

    QLineEdit* txtService;
    QPushButton* cmdFind;

private:
    void find();
    class QLabel* lblTitle;
};

// "Servies": the activities done.
class frmSearchActivity : public frmCataloguePicker {
    Q_OBJECT
public:
    explicit frmSearchActivity(QWidget* parent = nullptr);
    QString Activity() const { return chosenText_; }
    QString ActivityCode() const { return chosenCode_; }
    QListWidget* lstactivity() const { return list; }
};
