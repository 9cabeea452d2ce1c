#pragma once
// The workstation's one top-level window: the multiple-document frame with the menu bar,
// the toolbar, the status bar with the user and the clock.
#include "components/agent/agent.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMdiArea;
class QTimer;
class QToolButton;
class frmListPatient;

namespace app {

class mdiZEP : public QMainWindow {
    Q_OBJECT
public:
    explicit mdiZEP(QWidget* parent = nullptr);
    ~mdiZEP() override;

    QMdiArea* mdiArea() const { return mdi_; }
    // The two status panels: the current user, and the date and time.
    QLabel* statusPanel(int index) const;
    QTimer* tmrShowDateTime() const { return clock_; }
    QTimer* tmrDischargeNotice() const { return dischargeNotice_; }

    // A menu item or sub-menu of the tree by its name ("mnuIntakeSheet", "mnuReports").
    QAction* item(const QString& name) const;
    QMenu* menu(const QString& name) const;
    QToolButton* button(const QString& name) const;
    // What an item does. An item without a handler says in an information box that it is
    // not available yet.
    void setHandler(const QString& name, std::function<void()> handler);
    // Whether some area has already given the item a handler.
    bool hasHandler(const QString& name) const { return handlers_.contains(name); }

    // The shared patient search list, made and shown as a child window when there is none.
    frmListPatient* showPatientList();
    // The list when one is open, else nullptr.
    frmListPatient* patientList() const;
    // The toolbar's Listing: closes every screen and opens the list again, searched by the
    // numbers its boxes held.
    void btnListing_Click();

    // The announcing character's control, and the character the window refers to (none is
    // ever loaded by the workstation itself).
    agent::Agent& Agent1() { return agent_; }
    void setCharacter(agent::Character* c) { character_ = c; }
    // One tick of the discharge-notice poll: when notices wait, the character announces
    // them. The timer that would call it is never switched on.
    void tmrDischargeNotice_Timer();

    // The clock's text for a moment: "(DD MMMM YYYY)  hh:mm ".
    static QString clockText(const QDateTime& t);
    // Closes every screen and the window without ending the workstation (log off).
    void closeForLogOff();

protected:
    void closeEvent(QCloseEvent* e) override;

private slots:
    void tmrShowDateTime_Timer();
    void btnClose_Click();

private:
    void buildMenus();
    void buildToolbar();
    void onItem(const QString& name);
    void wireItems();
    frmListPatient* addPatientList(const std::function<void(frmListPatient&)>& preset);

    QHash<QString, QAction*> items_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QToolButton*> buttons_;
    QHash<QString, std::function<void()>> handlers_;
    agent::Agent agent_;
    agent::Character* character_ = nullptr;
    QMdiArea* mdi_;
    QLabel* panel1_;
    QLabel* panel2_;
    QTimer* clock_;
    QTimer* dischargeNotice_;
    QToolButton* btnClose_;
    bool loggingOff_ = false;
};

} // namespace app
