#include "modmain.h"

#include "globals.h"
#include "mdizep.h"

#include "components/billing/billing.h"
#include "components/codesearch/clsCodeSearch.h"
#include "components/keypress/keypress.h"
#include "components/login/clscurrentuser.h"
#include "components/patient/clsPatient.h"
#include "db/connection.h"
#include "patient/clsPatientSearch.h"
#include "reports/ui/operations.h"
#include "server/server.h"
#include "ui/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>

namespace app {
namespace {

StartupHooks& hooks() {
    static StartupHooks h;
    return h;
}

QPointer<mdiZEP>& window() {
    static QPointer<mdiZEP> w;
    return w;
}

// Step 5: the hospital's identity. False when the table has no row: every report and the
// code search need it, so the workstation cannot go on without it.
bool readHospitalInfo(db::Connection& c, Globals& gl) {
    auto rs = c.Query(QStringLiteral("Select * from PATIENT_DATA..tbHospitalInfo"));
    if (rs.Eof())
        return false;
    gl.hospitalName = rs.Text(QStringLiteral("Company")).trimmed();
    gl.hospitalAddress = rs.Text(QStringLiteral("Address1")).trimmed();
    gl.hospitalTitle = rs.Text(QStringLiteral("Title")).trimmed();
    gl.hospitalTinNo = rs.Text(QStringLiteral("TinNo")).trimmed();
    gl.appServer = rs.Text(QStringLiteral("MTSServerName")).trimmed();
    rs.Close();
    return true;
}

// The database must be at the schema this program was built for: an older one fails later
// in the middle of a screen ("no such column"), and a newer one must not be written to by a
// program that does not know its rules. False after telling the user.
bool schemaMatches(db::Connection& c) {
    int version = 0;
    try {
        auto rs = c.Query(QStringLiteral("SELECT MAX(Version) AS Version FROM ZEP.tbZEPSchemaVersion"));
        if (!rs.Eof() && !rs.IsNull(QStringLiteral("Version")))
            version = int(rs.Number(QStringLiteral("Version")));
    } catch (const db::Error&) {
        version = 0; // no version table: a database made before versions were kept
    }
    const int known = server::latestSchemaVersion();
    if (version == known)
        return true;
    if (version < known)
        ui::Messages::exclamation(
            QStringLiteral("This database is at schema version %1, older than this program "
                           "needs (version %2).\nPlease ask the system administrator to "
                           "upgrade it with:\n\n    zep-admin init %3")
                .arg(version)
                .arg(known)
                .arg(c.settings().toUrl()));
    else
        ui::Messages::exclamation(
            QStringLiteral("This database is at schema version %1, newer than this program "
                           "knows (version %2).\nPlease use the newer ZEP program: this one "
                           "must not change the database.")
                .arg(version)
                .arg(known));
    return false;
}

} // namespace

void modMain::setHooks(StartupHooks h) { hooks() = std::move(h); }

mdiZEP* modMain::mainWindow() { return window().data(); }

QString modMain::reportFolderFor(const QString& applicationFolder) {
    QString f = QDir::toNativeSeparators(applicationFolder);
    if (!f.endsWith(QDir::separator()))
        f += QDir::separator();
    return f + QStringLiteral("REPORTS") + QDir::separator();
}

StartupResult modMain::StartUp() {
    Globals& gl = g();
    // 1. The report folder.
    gl.reportFolder = reportFolderFor(QCoreApplication::applicationDirPath());

    // 2. The log-in component and its dialog.
    gl.currentUser = std::make_unique<login::clsCurrentUser>();
    gl.currentUser->setPasswordDeptCode(QStringLiteral("ZEP"));
    if (hooks().showLogin)
        hooks().showLogin(*gl.currentUser);
    else
        gl.currentUser->ShowMain();

    // 3. Cancelled or refused: the component has said what there was to say.
    if (!gl.currentUser->Connected()) {
        gl.userCode = gl.currentUser->employeecode();
        return StartupResult::LogInCancelled;
    }
    if (hooks().afterLogIn)
        hooks().afterLogIn();
    db::Connection& conn = *gl.currentUser->sqlconnection();

    // 4. Names without a database resolve in ZEP.
    conn.setDefaultDatabase(QStringLiteral("ZEP"));
    if (!schemaMatches(conn)) {
        gl.userCode = gl.currentUser->employeecode();
        return StartupResult::SchemaMismatch;
    }

    // 5. The hospital's identity.
    try {
        if (!readHospitalInfo(conn, gl)) {
            ui::Messages::exclamation(
                QStringLiteral("The hospital's information (PATIENT_DATA..tbHospitalInfo) is "
                               "missing. Please ask the system administrator to enter it."));
            return StartupResult::HospitalInfoMissing;
        }
    } catch (const db::Error& e) {
        ui::Messages::critical(QStringLiteral("Unable to read the hospital's information.\n") +
                               e.Description());
        return StartupResult::HospitalInfoMissing;
    }

    // 6. The outside components. They all live in this process; the three that would be
    // created on the application server only remember its name.
    gl.keyPress = std::make_unique<keypress::KeyPress>();
    gl.patientComponent = std::make_unique<patient::clsPatient>();
    gl.codeSearch = std::make_unique<codesearch::clsCodeSearch>();
    gl.billingConnection = std::make_unique<billing::clsOpenConnection>();
    gl.billingConnection->setServerName(gl.appServer);
    gl.billingConnection->setConnection(&conn);
    gl.soa = std::make_unique<billing::clssoa>();
    gl.soa->setBillingConnection(gl.billingConnection.get());
    gl.soa->setReportFolder(gl.reportFolder);

    // 7. The code search.
    gl.codeSearch->setMTS_Server(gl.appServer);
    gl.codeSearch->setSearchMode(true);
    gl.codeSearch->Initialize_Classes();
    gl.codeSearch->setCompanyName(gl.hospitalName);
    gl.codeSearch->setSearchTitle(departmentTitle());
    gl.codeSearch->setConnection(&conn);

    // 8. Can the patient component be reached? It shows its own message when not.
    // The service validates admissions on the global connection, whatever it holds later.
    patient::clsPatientSearch::instance().bindGlobalConnection(gl.gConnection);
    if (!patient::clsPatientSearch::instance().InitConnection(conn.ConnectionString(),
                                                              gl.appServer)) {
        gl.userCode = gl.currentUser->employeecode();
        return StartupResult::PatientComponentFailed;
    }

    // 9. The global connection is the user's connection, with client-side cursors.
    gl.gConnection = &conn;
    gl.cursorLocation = 3;
    patient::clsPatientSearch::instance().releaseOpenedGlobal();
    // The report engine reads on the same connection and prints the hospital's name; it is
    // handed the log-on values as the old engine was.
    reports::setConnection(gl.gConnection);
    reports::setHospitalName(gl.hospitalName);
    reports::setLogOn(gl.currentUser->ServerName(), gl.currentUser->Database(),
                      conn.settings().user, gl.currentUser->ServerPassword());

    // 10. The patient component's own connection and its two sub-objects.
    gl.patientComponent->OpenConnection(gl.gConnection->ConnectionString());
    gl.admission = gl.patientComponent->clsAdmission();
    gl.patientMaster = gl.patientComponent->clsPatientMaster();

    // 11. The main window, modeless.
    window() = new mdiZEP();
    window()->showMaximized();

    // 12.
    gl.userCode = gl.currentUser->employeecode();
    return StartupResult::MainWindowShown;
}

StartupResult modMain::LogOffAndOn() {
    Globals& gl = g();
    if (window()) {
        window()->closeForLogOff();
        delete window().data();
    }
    if (gl.currentUser && gl.currentUser->sqlconnection() &&
        gl.currentUser->sqlconnection()->State() != 0)
        gl.currentUser->sqlconnection()->Close();
    reports::releaseCurrentReport();
    reports::setConnection(nullptr);
    gl.release();
    return StartUp();
}

} // namespace app
