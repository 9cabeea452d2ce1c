#pragma once
// The workstation as a worker meets it: a test database with the demo hospital's identity,
// two users (a supervisor with right "A" and a worker without it), logged in through
// start-up so that the screens open from the main window's own items.
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "app/modmain.h"
#include "components/login/accounts.h"
#include "components/login/clscurrentuser.h"
#include "patient/frmListPatient.h"
#include "ui/messages.h"
#include "ui/singletons.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>

struct CaseFixture {
    db::ConnectionSettings settings;
    const QString password = QStringLiteral("Right-Horse-7");

    // The database with the hospital and the two users; returns the set-up connection.
    std::unique_ptr<db::Connection> create() {
        auto c = testdb::fresh();
        c->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1, "
                                  "Title, TinNo, MTSServerName) VALUES (?,?,?,?,?)"),
                   {QStringLiteral("St. Test General Hospital"), QStringLiteral("1 Test Street"),
                    QStringLiteral("Medical Center"), QStringLiteral("000-111"),
                    QStringLiteral("APPSRV")});
        login::Employee e;
        e.employeeId = QStringLiteral("E100");
        e.lastName = QStringLiteral("Santos");
        e.firstName = QStringLiteral("Maria");
        e.deptCode = QStringLiteral("ZEP");
        login::addEmployee(*c, e);
        e.employeeId = QStringLiteral("E200");
        e.lastName = QStringLiteral("Cruz");
        e.firstName = QStringLiteral("Juan");
        login::addEmployee(*c, e);
        login::addUser(*c, QStringLiteral("msantos"), QStringLiteral("E100"), password,
                       QStringLiteral("ZEP"), QStringLiteral("A"));
        login::addUser(*c, QStringLiteral("jcruz"), QStringLiteral("E200"), password,
                       QStringLiteral("ZEP"));
        settings = c->settings();
        settings.create = false;
        return c;
    }

    // Logs `user` in through start-up and returns the main window.
    app::mdiZEP* start(const QString& user = QStringLiteral("msantos")) {
        const QString pw = password;
        const db::ConnectionSettings s = settings;
        app::modMain::setHooks({[user, pw, s](login::clsCurrentUser& u) {
                                    u.setConnectionSettings(s);
                                    u.logIn(user, pw);
                                },
                                {}});
        if (app::modMain::StartUp() != app::StartupResult::MainWindowShown)
            return nullptr;
        return app::modMain::mainWindow();
    }

    void stop() {
        if (auto* w = app::modMain::mainWindow()) {
            w->closeForLogOff();
            delete w;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::dropAllSingles();
        app::g().release();
    }

    // A picture of a screen for a person to look at, when ZEP_SHOT_DIR names a folder.
    static void shot(QWidget* w, const QString& name) {
        const QString dir = qEnvironmentVariable("ZEP_SHOT_DIR");
        if (!dir.isEmpty())
            w->grab().save(dir + u'/' + name + QStringLiteral(".png"));
    }

    static db::Connection& conn() { return *app::g().gConnection; }

    // Chooses the patient on the patient list, as a click on the found row does.
    static frmListPatient* select(app::mdiZEP* w, const QString& hospNum) {
        frmListPatient* list = w->showPatientList();
        list->search(hospNum, {}, {}, {}, {});
        return list;
    }
};
