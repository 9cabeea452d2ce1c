// The ZEP workstation.
#include "globals.h"
#include "modmain.h"

#include "server/server.h"
#include "ui/messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

// Without a display the run script asks for a picture of the log-in dialog: take it once
// the dialog is up, then cancel the log-in, which ends the program as a cancel does.
QElapsedTimer& sinceStart() {
    static QElapsedTimer t;
    return t;
}

void screenshotLoginDialog(const QString& path) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, path] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        timer->stop();
        // How long start-up took to bring the dialog up, for the record of the run.
        QTextStream(stderr) << "Log-in dialog shown " << sinceStart().elapsed()
                            << " ms after the program started.\n";
        QTimer::singleShot(500, dialog, [dialog, path] {
            dialog->grab().save(path);
            dialog->close();
        });
    });
    timer->start(5);
}

} // namespace

int main(int argc, char** argv) {
    sinceStart().start();
    // For the installer's and IT's checks: answers without a display or a database.
    if (argc == 2 && qstrcmp(argv[1], "--version") == 0) {
        std::fputs("ZEP workstation " ZEP_VERSION "\n", stdout);
        return 0;
    }
    QApplication a(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ZEP"));
    QApplication::setApplicationName(QStringLiteral("Workstation"));
    // No display name: the window system would append it to every caption, and the main
    // window's caption already is the department's title. Untitled boxes get it from the
    // message service instead.
    // The window goes away on log off while the log-in dialog comes back; the system ends
    // only when the main window is closed or a log-in is cancelled.
    a.setQuitOnLastWindowClosed(false);
    ui::Messages::setApplicationTitle(app::departmentTitle());
    server::registerProcedures();

    if (const QString shot = qEnvironmentVariable("ZEP_SCREENSHOT"); !shot.isEmpty())
        screenshotLoginDialog(shot);

    switch (app::modMain::StartUp()) {
    case app::StartupResult::MainWindowShown:
        return a.exec();
    case app::StartupResult::LogInCancelled:
        return 0;
    default:
        return 1;
    }
}
