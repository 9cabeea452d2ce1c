#include "mdizep.h"

#include "globals.h"
#include "items.h"
#include "menutree.h"
#include "modmain.h"

#include "components/login/clscurrentuser.h"
#include "db/connection.h"
#include "components/codesearch/clsCodeSearch.h"
#include "intake/frmClassificationScheme.h"
#include "intake/frmIntakeSurveySheet.h"
#include "patient/clsPatientSearch.h"
#include "patient/frmListPatient.h"
#include "reports/ui/operations.h"
#include "ui/messages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QMenuBar>
#include <QSet>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace app {

mdiZEP::mdiZEP(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("mdiZEP"));
    setWindowTitle(departmentTitle());
    setAttribute(Qt::WA_DeleteOnClose, false);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);

    buildMenus();
    buildToolbar();
    wireItems();

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(bar);
    panel1_ = new QLabel(bar);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel2_ = new QLabel(bar);
    panel2_->setObjectName(QStringLiteral("Panel2"));
    bar->addWidget(panel1_, 1);
    bar->addPermanentWidget(panel2_);

    const auto* user = g().currentUser.get();
    // Two blanks between the colon and the parenthesis, as the department has always had it.
    panel1_->setText(QStringLiteral("CurrentUser Name: ") + QStringLiteral(" (") +
                     (user ? user->employeecode() : QString()) + QStringLiteral(")  ") +
                     (user ? user->EmployeeName() : QString()));

    clock_ = new QTimer(this);
    clock_->setObjectName(QStringLiteral("tmrShowDateTime"));
    clock_->setInterval(60);
    connect(clock_, &QTimer::timeout, this, &mdiZEP::tmrShowDateTime_Timer);
    clock_->start();
    tmrShowDateTime_Timer();

    // Created switched off and never switched on: discharge notices are reached through the
    // Viewing menu and the toolbar.
    dischargeNotice_ = new QTimer(this);
    dischargeNotice_->setObjectName(QStringLiteral("tmrDischargeNotice"));
    dischargeNotice_->setInterval(65000);
    connect(dischargeNotice_, &QTimer::timeout, this, &mdiZEP::tmrDischargeNotice_Timer);

    resize(1100, 760);
}

mdiZEP::~mdiZEP() = default;

void mdiZEP::buildMenus() {
    const auto& tree = menuTree();
    QSet<QString> parents;
    for (const auto& m : tree)
        if (m.parent)
            parents.insert(QString::fromLatin1(m.parent));
    for (const auto& m : tree) {
        const QString name = QString::fromLatin1(m.name);
        const QString caption = QString::fromLatin1(m.caption);
        QMenu* owner = m.parent ? menus_.value(QString::fromLatin1(m.parent)) : nullptr;
        if (name == QLatin1String("-")) {
            owner->addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (parents.contains(name) || !m.parent) {
            QMenu* menu = owner ? owner->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menus_.insert(name, menu);
            action = menu->menuAction();
        } else {
            action = owner->addAction(caption);
            connect(action, &QAction::triggered, this, [this, name] { onItem(name); });
        }
        action->setObjectName(name);
        action->setVisible(!m.hidden);
        action->setEnabled(!m.disabled);
        items_.insert(name, action);
    }
}

void mdiZEP::buildToolbar() {
    auto* toolbar = new QToolBar(QStringLiteral("Picture1"), this);
    toolbar->setObjectName(QStringLiteral("Picture1"));
    toolbar->setMovable(false);
    toolbar->setOrientation(Qt::Vertical);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addToolBar(Qt::LeftToolBarArea, toolbar);
    auto add = [&](const char* name, const QString& caption, QStyle::StandardPixmap icon,
                   const QString& tip) {
        auto* b = new QToolButton(toolbar);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoRaise(true); // flat
        b->setIcon(style()->standardIcon(icon));
        b->setText(caption);
        b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly
                                                : Qt::ToolButtonTextBesideIcon);
        b->setToolTip(tip);
        b->setMinimumWidth(150);
        toolbar->addWidget(b);
        buttons_.insert(b->objectName(), b);
        return b;
    };
    // The blanks leave room for the icon, as on the department's old toolbar.
    const QString room = QStringLiteral("  ");
    auto popup = [this](const char* menu) {
        return [this, menu] { menus_.value(QString::fromLatin1(menu))->popup(QCursor::pos()); };
    };
    connect(add("btnDataEntry", room + QStringLiteral("Data Entry"), QStyle::SP_FileDialogDetailedView, {}),
            &QToolButton::clicked, this, popup("mnuFile"));
    connect(add("btnViewing", room + QStringLiteral("Viewing"), QStyle::SP_FileDialogContentsView, {}),
            &QToolButton::clicked, this, popup("mnuViewing"));
    connect(add("btnFileMaintenance", room + QStringLiteral("File Maintenance"), QStyle::SP_DirIcon, {}),
            &QToolButton::clicked, this, popup("mnuFileMaintenance"));
    connect(add("btnReports", room + QStringLiteral("Reports"), QStyle::SP_FileIcon, {}),
            &QToolButton::clicked, this, popup("mnuReports"));
    connect(add("btnListing", {}, QStyle::SP_FileDialogListView, {}), &QToolButton::clicked, this,
            &mdiZEP::btnListing_Click);
    btnClose_ = add("btnClose", {}, QStyle::SP_DialogCloseButton, QStringLiteral("Change Active User"));
    connect(btnClose_, &QToolButton::clicked, this, &mdiZEP::btnClose_Click);
    connect(add("btnDischargeNotice", {}, QStyle::SP_MessageBoxInformation, {}), &QToolButton::clicked,
            this, [this] { onItem(QStringLiteral("btnDischargeNotice")); });
}

void mdiZEP::wireItems() {
    // A patient screen opens for the selected patient; with none selected the list comes up
    // instead so the worker can choose one.
    setHandler(QStringLiteral("mnuIntakeSheet"), [this] {
        frmListPatient* list = patientList();
        if (!list || list->HospNum().isEmpty()) {
            showPatientList();
            return;
        }
        // One sheet at a time. The open one comes to the front when it is the selected
        // visit's; another patient's sheet gives way to a fresh one, so that what is typed
        // next is never saved under the patient shown before.
        for (QMdiSubWindow* w : mdi_->subWindowList()) {
            auto* open = qobject_cast<frmIntakeSurveySheet*>(w->widget());
            if (!open)
                continue;
            if (open->HospNum().trimmed() == list->HospNum().trimmed() &&
                open->IDNUM().trimmed() == list->IDNUM().trimmed()) {
                mdi_->setActiveSubWindow(w);
                return;
            }
            if (open->hasUnsavedChanges() &&
                ui::Messages::question(
                    QStringLiteral("The intake sheet of hospital number %1 has changes that are "
                                   "not saved.\nDiscard them and open the intake sheet of %2?")
                        .arg(open->HospNum().trimmed(), list->PatientName().trimmed()),
                    QStringLiteral("Intake Sheet Entry")) != ui::Answer::Yes) {
                mdi_->setActiveSubWindow(w);
                return;
            }
            w->close();
            if (mdi_->subWindowList().contains(w))
                return; // the sheet would not close
        }
        auto* sheet = new frmIntakeSurveySheet;
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        sheet->setConnection(g().gConnection);
        sheet->setPatientService(&patient::clsPatientSearch::instance());
        sheet->setCodeSearch(g().codeSearch.get());
        sheet->setDepartmentTitle(departmentTitle());
        sheet->setHospitalAddress(g().hospitalAddress);
        sheet->setReportFolder(g().reportFolder);
        sheet->setHospNum(list->HospNum());
        sheet->setIDNUM(list->IDNUM());
        sheet->setPatientType(list->PatientType());
        QMdiSubWindow* sub = mdi_->addSubWindow(sheet);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // Maximized, as the list is: the sheet then uses the whole window, its body scrolls
        // and its buttons stay in view. The first show runs the opening sequence.
        sub->showMaximized();
    });
    // Edit Classification Scheme (hidden): the scheme screen, modal.
    setHandler(QStringLiteral("mnuClassificationScheme"), [this] {
        frmClassificationScheme f(this);
        f.setConnection(g().gConnection);
        f.setHospitalName(g().hospitalName);
        f.exec();
    });
    // Reports > Classification Scheme (hidden).
    setHandler(QStringLiteral("mnuPrintClassificationScheme"), [] {
        if (reports::OpenReport(g().reportFolder, QStringLiteral("ClassificationScheme.rpt"),
                                {g().hospitalName.toUpper(), departmentTitle().toUpper(),
                                 g().hospitalAddress}))
            reports::ShowReport(false, QStringLiteral("Classification Scheme"), false);
    });
    // Each area wires its own items (items.h); they come last so that an area may take over
    // an item wired above.
    wireReferralItems(*this);
    wireCaseItems(*this);
    wireDiscountItems(*this);
    wireReportItems(*this);
    wireFileMaintenanceItems(*this);
    wireSoaItems(*this);
}

frmListPatient* mdiZEP::patientList() const {
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* l = qobject_cast<frmListPatient*>(w->widget()))
            return l;
    return nullptr;
}

frmListPatient* mdiZEP::showPatientList() {
    if (frmListPatient* l = patientList()) {
        mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(l->parentWidget()));
        l->show();
        return l;
    }
    return addPatientList(nullptr);
}

frmListPatient* mdiZEP::addPatientList(const std::function<void(frmListPatient&)>& preset) {
    auto* list = new frmListPatient;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setConnections(g().gConnection,
                         g().currentUser ? g().currentUser->sqlconnection() : nullptr);
    list->setFileMenu(menu(QStringLiteral("mnuFile")));
    QPointer<QAction> datasheet = item(QStringLiteral("mnuViewPatientDatasheet"));
    list->setDatasheetEnabler([datasheet](bool on) {
        if (datasheet)
            datasheet->setEnabled(on);
    });
    if (preset)
        preset(*list);
    QMdiSubWindow* sub = mdi_->addSubWindow(list);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->showMaximized();
    return list;
}

void mdiZEP::btnListing_Click() {
    QString hosp, adm, last;
    if (frmListPatient* l = patientList()) {
        hosp = l->findChild<QLineEdit*>(QStringLiteral("txtHospNum"))->text();
        adm = l->findChild<QLineEdit*>(QStringLiteral("txtIDNum"))->text();
        last = l->findChild<QLineEdit*>(QStringLiteral("txtLastName"))->text();
    }
    // Every screen closes, as when the window itself was closed and opened again.
    mdi_->closeAllSubWindows();
    if (!mdi_->subWindowList().isEmpty())
        return; // a screen kept itself open
    addPatientList([&](frmListPatient& list) {
        list.setHospNum(hosp);
        list.setIDNUM(adm);
        list.setPatientName(last);
        list.setBoxes(hosp, adm, last);
    });
}

QAction* mdiZEP::item(const QString& name) const { return items_.value(name); }
QMenu* mdiZEP::menu(const QString& name) const { return menus_.value(name); }
QToolButton* mdiZEP::button(const QString& name) const { return buttons_.value(name); }

void mdiZEP::setHandler(const QString& name, std::function<void()> handler) {
    handlers_.insert(name, std::move(handler));
}

void mdiZEP::onItem(const QString& name) {
    if (const auto h = handlers_.value(name)) {
        h();
        return;
    }
    // A worker must be able to tell an item whose screen is not there yet from one that
    // failed silently.
    QString caption = name;
    if (const QAction* a = items_.value(name))
        caption = a->text().remove(QLatin1Char('&'));
    else if (const QToolButton* b = buttons_.value(name))
        caption = b->toolTip().isEmpty() ? name : b->toolTip();
    ui::Messages::info(QStringLiteral("\"%1\" is not available yet.").arg(caption.trimmed()));
}

QLabel* mdiZEP::statusPanel(int index) const { return index == 1 ? panel1_ : panel2_; }

QString mdiZEP::clockText(const QDateTime& t) {
    // English month names whatever the workstation's locale.
    return QLocale(QLocale::English).toString(t, QStringLiteral("(dd MMMM yyyy)  HH:mm "));
}

void mdiZEP::tmrShowDateTime_Timer() {
    const QString text = clockText(QDateTime::currentDateTime());
    if (panel2_->text() != text)
        panel2_->setText(text);
}

void mdiZEP::tmrDischargeNotice_Timer() {
    db::Connection* c = g().gConnection;
    if (!c || !character_)
        return; // no character to announce with
    int count = 0;
    try {
        auto rs = c->Call(QStringLiteral("ZEP..sp_ZEP_LoadDischargeNoticeCount"));
        if (!rs.Eof())
            count = rs.Value(QStringLiteral("recCount")).toInt();
    } catch (const db::Error&) {
        return; // a poll that fails waits for the next tick
    }
    if (count <= 0)
        return;
    character_->MoveTo(640, 100);
    character_->Show();
    character_->Play(QStringLiteral("Announce"));
    for (int i = 0; i < 3; ++i)
        character_->Speak(QStringLiteral("You Have Received a Discharge Notice."));
    character_->MoveTo(650, 450);
    character_->Play(QStringLiteral("Announce"));
    for (int i = 0; i < 2; ++i)
        character_->Speak(QStringLiteral("You Have Received a Discharge Notice!"));
    character_->setIdleOn(true);
}

void mdiZEP::closeForLogOff() {
    loggingOff_ = true;
    mdi_->closeAllSubWindows();
    close();
}

void mdiZEP::closeEvent(QCloseEvent* e) {
    mdi_->closeAllSubWindows();
    if (!mdi_->subWindowList().isEmpty()) {
        e->ignore(); // a screen refused to close (unsaved work it asked about)
        return;
    }
    e->accept();
    if (!loggingOff_)
        QTimer::singleShot(0, qApp, &QCoreApplication::quit); // closing the window ends the system
}

void mdiZEP::btnClose_Click() {
    // Log off and on after this click has returned: the window goes away under it.
    QTimer::singleShot(0, qApp, [] {
        if (modMain::LogOffAndOn() != StartupResult::MainWindowShown)
            QCoreApplication::quit();
    });
}

} // namespace app
