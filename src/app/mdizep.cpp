#include "mdizep.h"

#include "globals.h"
#include "modmain.h"

#include "components/login/clscurrentuser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
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

    auto* toolbar = new QToolBar(QStringLiteral("Picture1"), this);
    toolbar->setObjectName(QStringLiteral("Picture1"));
    toolbar->setMovable(false);
    toolbar->setOrientation(Qt::Vertical);
    addToolBar(Qt::LeftToolBarArea, toolbar);
    btnClose_ = new QToolButton(toolbar);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    btnClose_->setAutoRaise(true);
    btnClose_->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    btnClose_->setToolTip(QStringLiteral("Change Active User"));
    toolbar->addWidget(btnClose_);
    connect(btnClose_, &QToolButton::clicked, this, &mdiZEP::btnClose_Click);

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

    resize(1100, 760);
}

mdiZEP::~mdiZEP() = default;

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
