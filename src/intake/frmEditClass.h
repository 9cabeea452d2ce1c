#pragma once
// Changing the pay/service class of the selected patient's visit, with the history of such
// changes and the guarded deletion of a history entry.
#include <QDate>
#include <QDialog>
#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;
class QTableView;

namespace db {
class Connection;
}
namespace login {
class clsCurrentUser;
}
namespace ui {
class RecordsetModel;
}

class frmEditClass : public QDialog {
    Q_OBJECT

public:
    // The widths of the narrow and the widened screen, in twips.
    static constexpr int kNarrowTwips = 4815;
    static constexpr int kWideTwips = 9870;

    explicit frmEditClass(QWidget* parent = nullptr);

    void setConnection(db::Connection* c) { conn_ = c; }
    // The user whose code goes with each change, and who must confirm a deletion.
    void setUser(const login::clsCurrentUser* user) { user_ = user; }
    // The selection of the patient list; reads the visit's current class.
    void setPatient(const QString& hospNum, const QString& name, const QString& idNum,
                    const QString& zepId);
    // The day the expiry is compared with (today unless a test says otherwise).
    void setToday(const QDate& d) { today_ = d; }
    // What confirms a deletion: the delete-password dialog unless replaced.
    void setConfirmDeletion(std::function<bool(QWidget*)> confirm) { confirm_ = std::move(confirm); }

    // The visit's class as read on opening: "P", "S" or empty.
    QString currentClass() const { return currentClass_; }
    bool widened() const { return widened_; }

    QLabel* lblHeading;
    QLabel* lblHistoryHeading;
    QLineEdit* txtHospNo;
    QLineEdit* txtName;
    QLineEdit* txtIDNum;
    QLineEdit* txtZEPno;
    QGroupBox* fraEditClass;
    std::array<QRadioButton*, 2> optClass{};
    QPushButton* cmdSave;
    QPushButton* cmdPrev;
    QPushButton* cmdBack;
    QGroupBox* fraHistory;
    QTableView* grdClassHistory;
    QMenu* mnuFileDelete;
    QAction* mnuDelete;

public slots:
    // True when the change was saved (the screen then closes).
    bool cmdSave_Click();
    void cmdPrev_Click();
    void cmdBack_Click();
    // Deletes the history entry of the chosen grid row; true when one was deleted.
    bool mnuDelete_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void loadHistory();
    void popUp(const QPoint& global);

    db::Connection* conn_ = nullptr;
    const login::clsCurrentUser* user_ = nullptr;
    ui::RecordsetModel* model_;
    std::function<bool(QWidget*)> confirm_;
    QDate today_;
    QString currentClass_;
    bool widened_ = false;
};
