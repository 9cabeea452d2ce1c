#pragma once
// Start-up and the shared operations of the workstation.
#include <QString>
#include <functional>

namespace login {
class clsCurrentUser;
}

namespace app {

class mdiZEP;

// Where a test steps in: instead of the modal log-in dialog, and right after a log-in.
struct StartupHooks {
    std::function<void(login::clsCurrentUser&)> showLogin;
    std::function<void()> afterLogIn;
};

// What start-up came to.
enum class StartupResult {
    MainWindowShown,
    LogInCancelled,      // nothing shown, nothing said
    HospitalInfoMissing, // told the user; no window
    PatientComponentFailed, // "Unable to stablish a connection..." was shown; no window
    SchemaMismatch,      // the database is older or newer than the program; told; no window
};

class modMain {
public:
    // Runs start-up from the top: log-in, connection, hospital identity, components, the
    // connection check and the main window.
    static StartupResult StartUp();
    // The toolbar's Close: closes the main window and every screen, closes the connection
    // when it is open, and runs start-up again.
    static StartupResult LogOffAndOn();
    // The main window, while one is shown.
    static mdiZEP* mainWindow();

    static void setHooks(StartupHooks h);
    // The folder the templates are read from: the application folder + "REPORTS" + the
    // separator, so a template's file name can be appended as it is.
    static QString reportFolderFor(const QString& applicationFolder);
};

} // namespace app
