// Start-up from the log-in to the main window, log off and on, and the main window's menus,
// toolbar and status bar, on a real database.
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "app/menutree.h"
#include "app/modmain.h"
#include "components/login/accounts.h"
#include "components/login/clscurrentuser.h"
#include "db/connection.h"
#include "intake/frmIntakeSurveySheet.h"
#include "patient/frmListPatient.h"
#include "reports/ui/operations.h"
#include "ui/messages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using app::modMain;
using app::StartupResult;

class tst_startup : public QObject {
    Q_OBJECT
    db::ConnectionSettings settings;
    QString password = QStringLiteral("Right-Horse-7");
    int logIns = 0;

    // The log-in a user would type in the dialog, without the modal loop.
    void logInAs(const QString& user, const QString& pw) {
        modMain::setHooks({[this, user, pw](login::clsCurrentUser& u) {
                               ++logIns;
                               u.setConnectionSettings(settings);
                               u.logIn(user, pw);
                           },
                           {}});
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
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
        login::addUser(*c, QStringLiteral("msantos"), QStringLiteral("E100"), password,
                       QStringLiteral("ZEP"));
        // A second user for the refused log-in: a failure makes that user wait a moment.
        login::addUser(*c, QStringLiteral("other"), QStringLiteral("E100"), password,
                       QStringLiteral("ZEP"));
        settings = c->settings();
        settings.create = false;
        ui::Messages::startScript();
    }

    void init() { ui::Messages::clearShown(); }

    void cleanup() {
        if (auto* w = modMain::mainWindow()) {
            w->closeForLogOff();
            delete w;
        }
        app::g().release();
    }

    void cancelledLogInShowsNothing() {
        modMain::setHooks({[](login::clsCurrentUser&) { /* the user pressed Cancel */ }, {}});
        QCOMPARE(modMain::StartUp(), StartupResult::LogInCancelled);
        QVERIFY(!modMain::mainWindow());
        QVERIFY(ui::Messages::shown().isEmpty());
        QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(),
                             QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return w->isVisible(); }));
    }

    void refusedLogInEndsLikeCancel() {
        logInAs(QStringLiteral("other"), QStringLiteral("wrong"));
        QCOMPARE(modMain::StartUp(), StartupResult::LogInCancelled);
        QVERIFY(!modMain::mainWindow());
    }

    void logInOpensMainWindow() {
        logInAs(QStringLiteral("msantos"), password);
        QCOMPARE(modMain::StartUp(), StartupResult::MainWindowShown);
        auto* w = modMain::mainWindow();
        QVERIFY(w && w->isVisible());
        const auto& g = app::g();
        QCOMPARE(g.hospitalName, QStringLiteral("St. Test General Hospital"));
        QCOMPARE(g.hospitalAddress, QStringLiteral("1 Test Street"));
        QCOMPARE(g.appServer, QStringLiteral("APPSRV"));
        QCOMPARE(g.userCode, QStringLiteral("E100"));
        QCOMPARE(g.cursorLocation, 3);
        QVERIFY(g.gConnection && g.gConnection->State() == 1);
        QCOMPARE(g.gConnection->DefaultDatabase(), QStringLiteral("ZEP"));
        QVERIFY(g.reportFolder.endsWith(QDir::separator() + QStringLiteral("REPORTS") +
                                        QDir::separator()));
        QCOMPARE(w->statusPanel(1)->text(),
                 QStringLiteral("CurrentUser Name:  (E100)  Santos, Maria"));
        QVERIFY(ui::Messages::shown().isEmpty());
        // the typed password lives in memory only, never in the command log
        QVERIFY(!g.gConnection->log().dump().contains(password));
    }

    void menuTreeAsBuilt() {
        logInAs(QStringLiteral("msantos"), password);
        QCOMPARE(modMain::StartUp(), StartupResult::MainWindowShown);
        auto* w = modMain::mainWindow();
        int checked = 0;
        for (const auto& m : app::menuTree()) {
            if (QLatin1String(m.name) == QLatin1String("-"))
                continue;
            QAction* a = w->item(QString::fromLatin1(m.name));
            QVERIFY2(a, m.name);
            QCOMPARE(a->text(), QString::fromLatin1(m.caption));
            QCOMPARE(a->isVisible(), !m.hidden);
            // (Qt reports a hidden action as disabled too, so only shown items tell.)
            if (!m.hidden)
                QVERIFY2(a->isEnabled() == !m.disabled, m.name);
            ++checked;
        }
        QVERIFY(checked > 70);
        QVERIFY(!w->item(QStringLiteral("mnuViewPatientDatasheet"))->isEnabled());
        QVERIFY(!w->item(QStringLiteral("mnuServices"))->isVisible());
        QCOMPARE(w->menu(QStringLiteral("mnuPatientCharges"))->actions().size(), 2);
        // four separators in the Reports menu
        const auto reports = w->menu(QStringLiteral("mnuReports"))->actions();
        QCOMPARE(std::count_if(reports.begin(), reports.end(),
                               [](QAction* a) { return a->isSeparator(); }),
                 4);
        QCOMPARE(w->button(QStringLiteral("btnClose"))->toolTip(),
                 QStringLiteral("Change Active User"));
        QVERIFY(w->button(QStringLiteral("btnDataEntry"))->text().endsWith(QStringLiteral(" Data Entry")));
        QVERIFY(w->tmrShowDateTime()->isActive());
        QCOMPARE(w->tmrShowDateTime()->interval(), 60);
        QVERIFY(!w->tmrDischargeNotice()->isActive());
        QCOMPARE(w->tmrDischargeNotice()->interval(), 65000);
        QCOMPARE(w->windowTitle(), app::departmentTitle());
    }

    void dischargeNoticePoll() {
        logInAs(QStringLiteral("msantos"), password);
        QCOMPARE(modMain::StartUp(), StartupResult::MainWindowShown);
        auto* w = modMain::mainWindow();
        db::Connection& c = *app::g().gConnection;
        w->tmrDischargeNotice_Timer(); // no character loaded: nothing to announce with
        QVERIFY(w->Agent1().empty());
        agent::Character* merlin = w->Agent1().Load(QStringLiteral("Merlin"));
        w->setCharacter(merlin);
        w->tmrDischargeNotice_Timer(); // no notice waiting
        QVERIFY(merlin->queue().isEmpty());
        c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate) "
                                 "VALUES ('1002', 'H001', '2026-12-09 08:00:00')"));
        w->tmrDischargeNotice_Timer();
        const auto& q = merlin->queue();
        QCOMPARE(q.size(), 11);
        QCOMPARE(q.at(0).kind, agent::Request::MoveTo);
        QCOMPARE(q.at(0).at, QPoint(640, 100));
        QCOMPARE(q.at(1).kind, agent::Request::Show);
        QCOMPARE(q.at(2).text, QStringLiteral("Announce"));
        for (int i = 3; i < 6; ++i)
            QCOMPARE(q.at(i).text, QStringLiteral("You Have Received a Discharge Notice."));
        QCOMPARE(q.at(6).at, QPoint(650, 450));
        QCOMPARE(q.at(7).text, QStringLiteral("Announce"));
        QCOMPARE(q.at(8).text, QStringLiteral("You Have Received a Discharge Notice!"));
        QCOMPARE(q.at(9).text, QStringLiteral("You Have Received a Discharge Notice!"));
        QCOMPARE(q.at(10).kind, agent::Request::IdleOn);
        c.Execute(QStringLiteral("DELETE FROM ZEP.tbZEPDischargeNotice"));
    }

    void intakeWithoutSelectionShowsTheList() {
        logInAs(QStringLiteral("msantos"), password);
        QCOMPARE(modMain::StartUp(), StartupResult::MainWindowShown);
        auto* w = modMain::mainWindow();
        QVERIFY(!w->patientList());
        w->item(QStringLiteral("mnuIntakeSheet"))->trigger();
        QVERIFY(w->patientList());
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1); // the list and nothing else
        w->item(QStringLiteral("mnuIntakeSheet"))->trigger();
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1); // one shared list
    }

    void intakeOpensForTheSelectedPatient() {
        logInAs(QStringLiteral("msantos"), password);
        QCOMPARE(modMain::StartUp(), StartupResult::MainWindowShown);
        auto* w = modMain::mainWindow();
        db::Connection& conn = *app::g().gConnection;
        conn.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName) VALUES ('H778', 'LUNA', 'ROSA')"));
        conn.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES ('8002', 'H778', '2026-01-02 08:00:00')"));
        frmListPatient* list = w->showPatientList();
        list->search(QStringLiteral("H778"), {}, {}, {}, {});
        QCOMPARE(list->HospNum(), QStringLiteral("H778"));
        w->item(QStringLiteral("mnuIntakeSheet"))->trigger();
        const auto sheets = w->mdiArea()->findChildren<frmIntakeSurveySheet*>();
        QCOMPARE(sheets.size(), 1);
        w->item(QStringLiteral("mnuIntakeSheet"))->trigger(); // the open sheet comes forward
        QCOMPARE(w->mdiArea()->findChildren<frmIntakeSurveySheet*>().size(), 1);
        w->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        conn.Execute(QStringLiteral("DELETE FROM PATIENT_DATA.tbPatient2 WHERE HospNum = 'H778'"));
        conn.Execute(QStringLiteral("DELETE FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H778'"));
    }

    void datasheetFollowsTheSelection() {
        logInAs(QStringLiteral("msantos"), password);
        QCOMPARE(modMain::StartUp(), StartupResult::MainWindowShown);
        auto* w = modMain::mainWindow();
        db::Connection& conn = *app::g().gConnection;
        conn.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName) VALUES ('H777', 'LUNA')"));
        conn.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES ('8001', 'H777', '2026-01-02 08:00:00')"));
        conn.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate) VALUES ('8001E', 'H777', '2026-01-03 08:00:00')"));
        QAction* datasheet = w->item(QStringLiteral("mnuViewPatientDatasheet"));
        frmListPatient* list = w->showPatientList();
        QVERIFY(!datasheet->isEnabled());
        list->search(QStringLiteral("H777"), {}, {}, {}, {});
        QCOMPARE(list->IDNUM(), QStringLiteral("8001"));
        QVERIFY(datasheet->isEnabled());
        list->findChild<QRadioButton*>(QStringLiteral("optPatientType_3"))->click();
        list->search(QStringLiteral("H777"), {}, {}, {}, {});
        QCOMPARE(list->IDNUM(), QStringLiteral("8001E"));
        QVERIFY(!datasheet->isEnabled());
        conn.Execute(QStringLiteral("DELETE FROM PATIENT_DATA.tbERMaster WHERE HospNum = 'H777'"));
        conn.Execute(QStringLiteral("DELETE FROM PATIENT_DATA.tbPatient2 WHERE HospNum = 'H777'"));
        conn.Execute(QStringLiteral("DELETE FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H777'"));
    }

    void classificationSchemeReportItem() {
        logInAs(QStringLiteral("msantos"), password);
        QCOMPARE(modMain::StartUp(), StartupResult::MainWindowShown);
        auto* w = modMain::mainWindow();
        // The templates of the source tree stand in for the installed REPORTS folder.
        app::g().reportFolder = qEnvironmentVariable("ZEP_SOURCE_DIR") + QStringLiteral("/reports/");
        db::Connection& c = *app::g().gConnection;
        c.Call(QStringLiteral("ZEP..sp_ZEP_UpdateClassificationScheme"),
               {QStringLiteral("A1"), QStringLiteral("C1"), 0.25, 0.5, 0.75, 0.1, 0.2, 0.3, 0.4,
                QStringLiteral("Class C1"), QStringLiteral("5000"), QStringLiteral("3 dependents"),
                QStringLiteral("none"), QString(), QString()});
        reports::startRecording();
        reports::clearShownReports();
        // A hidden item is disabled too; show it, as a later release of the menu might.
        w->item(QStringLiteral("mnuPrintClassificationScheme"))->setVisible(true);
        QVERIFY(w->item(QStringLiteral("mnuPrintClassificationScheme"))->isEnabled());
        w->item(QStringLiteral("mnuPrintClassificationScheme"))->trigger();
        QVERIFY2(ui::Messages::shown().isEmpty(), qPrintable(ui::Messages::shownTexts().join(u'|')));
        QTRY_COMPARE(reports::shownReports().size(), 1);
        reports::stopRecording();
        const auto& r = reports::shownReports().first();
        QCOMPARE(r.title, QStringLiteral("Classification Scheme"));
        QCOMPARE(r.fileName, QStringLiteral("ClassificationScheme.rpt"));
        QVERIFY(r.text.contains(QStringLiteral("ST. TEST GENERAL HOSPITAL")));
        QVERIFY(r.text.contains(app::departmentTitle().toUpper()));
        QVERIFY(r.text.contains(QStringLiteral("C1")));
        QVERIFY2(r.text.contains(QStringLiteral("25%")), qPrintable(r.text));
    }

    void clockPattern_data() {
        QTest::addColumn<QDateTime>("at");
        QTest::addColumn<QString>("text");
        QTest::newRow("morning") << QDateTime(QDate(2026, 12, 9), QTime(8, 5))
                                 << QStringLiteral("(09 December 2026)  08:05 ");
        QTest::newRow("evening") << QDateTime(QDate(2027, 3, 1), QTime(23, 59))
                                 << QStringLiteral("(01 March 2027)  23:59 ");
    }
    void clockPattern() {
        QFETCH(QDateTime, at);
        QFETCH(QString, text);
        QCOMPARE(app::mdiZEP::clockText(at), text);
    }

    void closeLogsOffAndOn() {
        logInAs(QStringLiteral("msantos"), password);
        QCOMPARE(modMain::StartUp(), StartupResult::MainWindowShown);
        db::Connection* first = app::g().gConnection;
        QVERIFY(first);
        const int before = logIns;
        // Close with the connection already closed must not close it again, and must bring
        // the log-in back: here the user cancels it.
        first->Close();
        modMain::setHooks({[this](login::clsCurrentUser&) { ++logIns; }, {}});
        QCOMPARE(modMain::LogOffAndOn(), StartupResult::LogInCancelled);
        QCOMPARE(logIns, before + 1);
        QVERIFY(!modMain::mainWindow());
    }

    void closeButtonBringsLogInBack() {
        logInAs(QStringLiteral("msantos"), password);
        QCOMPARE(modMain::StartUp(), StartupResult::MainWindowShown);
        const int before = logIns;
        QTest::mouseClick(modMain::mainWindow()->button(QStringLiteral("btnClose")), Qt::LeftButton);
        QTRY_COMPARE(logIns, before + 1);
        QTRY_VERIFY(modMain::mainWindow() && modMain::mainWindow()->isVisible());
    }

    void unreachablePatientComponentEndsStartUp() {
        if (testdb::isPg())
            QSKIP("the test server's superuser cannot be refused a connection to the database "
                  "it is connected to; the embedded run covers this path");
        // Between the log-in and the check, the database's files go away.
        auto away = [this](bool gone) {
            const QString main = settings.folder + QStringLiteral("/main.db");
            QVERIFY(gone ? QFile::rename(main, main + QStringLiteral(".away"))
                         : QFile::rename(main + QStringLiteral(".away"), main));
        };
        modMain::setHooks({[this](login::clsCurrentUser& u) {
                               u.setConnectionSettings(settings);
                               u.logIn(QStringLiteral("msantos"), password);
                           },
                           [&] { away(true); }});
        const auto result = modMain::StartUp();
        away(false);
        QCOMPARE(result, StartupResult::PatientComponentFailed);
        QVERIFY(!modMain::mainWindow());
        QCOMPARE(ui::Messages::shownTexts(),
                 QStringList{QStringLiteral("Unable to stablish a connection...")});
        QCOMPARE(ui::Messages::shown().first().icon, ui::Icon::None);
    }

    void reportFolderAlwaysEndsWithSeparator_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << QStringLiteral("/opt/zep");
        QTest::newRow("trailing") << QStringLiteral("/opt/zep/");
    }
    void reportFolderAlwaysEndsWithSeparator() {
        QFETCH(QString, folder);
        const QString f = modMain::reportFolderFor(folder);
        QCOMPARE(f, QDir::toNativeSeparators(QStringLiteral("/opt/zep/REPORTS/")));
        QCOMPARE(f + QStringLiteral("Admissions.rpt"),
                 QDir::toNativeSeparators(QStringLiteral("/opt/zep/REPORTS/Admissions.rpt")));
    }
};

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
