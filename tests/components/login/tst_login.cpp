// The log-in component as start-up uses it: logging in through clsCurrentUser and through
// its dialog, the members handed out afterwards, and the connection settings it keeps.
#include "components/login/clscurrentuser.h"
#include "components/login/connectionsettings.h"
#include "components/login/frmlogin.h"
#include "seed.h"
#include "testdb.h"
#include "ui/messages.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using login::clsCurrentUser;
using login::frmLogin;
using login::LogInResult;
using ui::Messages;

class TestLogin : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    db::ConnectionSettings dbSettings; // the seeded database, reopenable

    // Every settings file written under the temporary folder, as one text.
    QString settingsText() {
        QString all;
        QDirIterator it(settingsDir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly))
                all += QString::fromUtf8(f.readAll());
        }
        return all;
    }

    std::unique_ptr<clsCurrentUser> newUser() {
        auto u = std::make_unique<clsCurrentUser>();
        u->setPasswordDeptCode(seed::dept);
        u->setConnectionSettings(dbSettings);
        return u;
    }

    // Shows the dialog without a modal loop and waits until it has the focus.
    static bool showDialog(frmLogin& dlg) {
        dlg.open();
        dlg.activateWindow();
        return QTest::qWaitForWindowActive(&dlg);
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        auto conn = testdb::fresh();
        seed::users(*conn);
        dbSettings = conn->settings();
        dbSettings.create = false;
    }
    void init() {
        qunsetenv("ZEP_DATABASE");
        QSettings(QStringLiteral("ZEP"), QStringLiteral("Workstation")).clear();
        Messages::startScript();
    }
    void cleanup() { Messages::stopScript(); }

    void membersAfterLogIn_data();
    void membersAfterLogIn();
    void refusedLogInLeavesNothing();
    void preparerRunsOnEachNewConnection();
    void connectionFailure();

    void enterMovesThenLogsIn();
    void wrongPasswordHoldsOk();
    void cancelShowsNothing_data();
    void cancelShowsNothing();
    void connectionFailureKeepsDialogOpen();
    void savesSettingsWithoutSecrets();
    void environmentOverridesSavedSettings();
};

void TestLogin::membersAfterLogIn_data() {
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("supervisor");
    QTest::newRow("supervisor") << QStringLiteral("jdc") << QStringLiteral("jdc-pw")
                                << QStringLiteral("E001")
                                << QStringLiteral("Dela Cruz, Juan Santos") << true;
    QTest::newRow("worker") << QStringLiteral("MREYES") << QStringLiteral("mreyes-pw")
                            << QStringLiteral("E002") << QStringLiteral("Reyes, Maria") << false;
}

void TestLogin::membersAfterLogIn() {
    QFETCH(QString, user);
    QFETCH(QString, password);
    auto u = newUser();
    QVERIFY(!u->Connected());
    QVERIFY(!u->sqlconnection());
    const LogInResult r = u->logIn(user, password);
    QVERIFY2(r.ok(), qPrintable(r.message));
    QVERIFY(r.message.isEmpty());
    QVERIFY(u->Connected());
    QVERIFY(u->sqlconnection());
    QCOMPARE(u->sqlconnection()->State(), 1);
    QTEST(u->employeecode(), "code");
    QTEST(u->EmployeeName(), "name");
    QTEST(u->have_rights(QStringLiteral("A")), "supervisor");
    QVERIFY(!u->have_rights(QStringLiteral("Z")));
    QCOMPARE(u->Password(), password);
    if (testdb::isPg()) {
        QCOMPARE(u->ServerName(), dbSettings.host);
        QCOMPARE(u->Database(), dbSettings.database);
        QCOMPARE(u->ServerPassword(), dbSettings.password);
    } else {
        QCOMPARE(u->ServerName(), QStringLiteral("(local)"));
        QCOMPARE(u->Database(), dbSettings.folder);
        QCOMPARE(u->ServerPassword(), QString());
    }
    // The connection really is the seeded database.
    QCOMPARE(u->sqlconnection()
                 ->Query(QStringLiteral("SELECT COUNT(*) AS n FROM ZEP.tbZEPUser"))
                 .Number(QStringLiteral("n")),
             5.0);

    u->logOff();
    QVERIFY(!u->Connected());
    QVERIFY(!u->sqlconnection());
    QCOMPARE(u->Password(), QString());
    QVERIFY(!u->have_rights(QStringLiteral("A")));
}

void TestLogin::refusedLogInLeavesNothing() {
    auto u = newUser();
    QVERIFY(u->logIn(QStringLiteral("JDC"), QStringLiteral("jdc-pw")).ok());
    // A second, refused log-in on the same component must not leave the first user in.
    const LogInResult r = u->logIn(QStringLiteral("ALIM"), QStringLiteral("alim-pw"));
    QCOMPARE(r.kind, LogInResult::Refused);
    QCOMPARE(r.message, QStringLiteral("You are not a member of this department."));
    QVERIFY(!u->Connected());
    QVERIFY(!u->sqlconnection());
    QCOMPARE(u->employeecode(), QString());
    QCOMPARE(u->Password(), QString());
    QVERIFY(!u->have_rights(QStringLiteral("A")));
}

void TestLogin::preparerRunsOnEachNewConnection() {
    auto u = newUser();
    int prepared = 0;
    u->setConnectionPreparer([&](db::Connection& c) {
        ++prepared;
        QCOMPARE(c.State(), 1);
    });
    u->logIn(QStringLiteral("JDC"), QStringLiteral("nope"));
    u->logIn(QStringLiteral("JDC"), QStringLiteral("jdc-pw"),
             QDateTime::currentDateTimeUtc().addSecs(10));
    QCOMPARE(prepared, 1); // the connection is kept between tries
    QVERIFY(u->Connected());

    // A preparer that fails (say the schema cannot be upgraded) fails the log-in.
    auto v = newUser();
    v->setConnectionPreparer([](db::Connection&) { db::raise(QStringLiteral("schema too new")); });
    const LogInResult r = v->logIn(QStringLiteral("JDC"), QStringLiteral("jdc-pw"));
    QCOMPARE(r.kind, LogInResult::ConnectionFailed);
    QVERIFY(r.message.endsWith(QLatin1String("schema too new")));
    QVERIFY(!v->Connected());
}

void TestLogin::connectionFailure() {
    auto u = newUser();
    db::ConnectionSettings s;
    s.backend = db::Backend::SQLite;
    s.folder = settingsDir.path() + QStringLiteral("/no/such/folder");
    u->setConnectionSettings(s);
    const LogInResult r = u->logIn(QStringLiteral("JDC"), QStringLiteral("jdc-pw"));
    QCOMPARE(r.kind, LogInResult::ConnectionFailed);
    QVERIFY(r.message.startsWith(QLatin1String("Unable to connect to the database.\n")));
    QVERIFY(r.message.size() > 40); // the engine's description follows
    QVERIFY(!u->Connected());
    QVERIFY(!QDir(s.folder).exists()); // nothing was created by accident
}

void TestLogin::enterMovesThenLogsIn() {
    auto u = newUser();
    frmLogin dlg(*u);
    QVERIFY(showDialog(dlg));
    QVERIFY(dlg.txtUserName->hasFocus());
    QTest::keyClicks(dlg.txtUserName, QStringLiteral("jdc"));
    QTest::keyClick(dlg.txtUserName, Qt::Key_Return);
    QVERIFY(dlg.txtPassword->hasFocus());
    QVERIFY(dlg.isVisible());
    QVERIFY(!u->Connected()); // Enter in the user name presses nothing
    QCOMPARE(dlg.txtPassword->echoMode(), QLineEdit::Password);
    QTest::keyClicks(dlg.txtPassword, QStringLiteral("jdc-pw"));
    QTest::keyClick(dlg.txtPassword, Qt::Key_Return);
    QVERIFY(u->Connected());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
    QVERIFY(Messages::shown().isEmpty());
}

void TestLogin::wrongPasswordHoldsOk() {
    auto u = newUser();
    frmLogin dlg(*u);
    QVERIFY(showDialog(dlg));
    dlg.txtUserName->setText(QStringLiteral("MREYES"));
    dlg.txtPassword->setText(QStringLiteral("guess"));
    QTest::keyClick(dlg.txtPassword, Qt::Key_Return);

    QCOMPARE(Messages::shownTexts(), QStringList{QStringLiteral("Invalid user name or password.")});
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Exclamation);
    QVERIFY(dlg.isVisible());
    QVERIFY(!u->Connected());
    QCOMPARE(dlg.txtPassword->text(), QString());
    QVERIFY(!dlg.cmdOK->isEnabled());
    QVERIFY(dlg.tmrRetry->isActive());
    QCOMPARE(dlg.tmrRetry->interval(), 500);

    // While OK is held, Enter does not try again.
    dlg.txtPassword->setText(QStringLiteral("mreyes-pw"));
    QTest::keyClick(dlg.txtPassword, Qt::Key_Return);
    QVERIFY(!u->Connected());
    QCOMPARE(Messages::shown().size(), 1);

    // The window is not frozen: the timer gives OK back, and the right password then works.
    QTRY_VERIFY_WITH_TIMEOUT(dlg.cmdOK->isEnabled(), 5000);
    QTest::keyClick(dlg.txtPassword, Qt::Key_Return);
    QVERIFY(u->Connected());
    QCOMPARE(Messages::shown().size(), 1);

    // An unknown user reads exactly like a wrong password.
    auto v = newUser();
    frmLogin dlg2(*v);
    QVERIFY(showDialog(dlg2));
    dlg2.txtUserName->setText(QStringLiteral("NOBODY"));
    dlg2.txtPassword->setText(QStringLiteral("guess"));
    dlg2.cmdOK->click();
    QCOMPARE(Messages::shown().last().text, QStringLiteral("Invalid user name or password."));
    QVERIFY(!dlg2.cmdOK->isEnabled());
}

void TestLogin::cancelShowsNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Escape") << true;
}

void TestLogin::cancelShowsNothing() {
    QFETCH(bool, escape);
    auto u = newUser();
    bool sawDialog = false;
    QTimer::singleShot(0, this, [&] {
        auto* dlg = qobject_cast<frmLogin*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        sawDialog = true;
        dlg->txtUserName->setText(QStringLiteral("JDC"));
        dlg->txtPassword->setText(QStringLiteral("jdc-pw"));
        if (escape)
            QTest::keyClick(dlg->txtPassword, Qt::Key_Escape);
        else
            dlg->cmdCancel->click();
    });
    // Should the dialog ever not close, this ends the modal loop instead of hanging.
    QTimer::singleShot(10000, this, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    u->ShowMain();
    QVERIFY(sawDialog);
    QVERIFY(!u->Connected());
    QVERIFY(!u->sqlconnection());
    QVERIFY(Messages::shown().isEmpty());
}

void TestLogin::connectionFailureKeepsDialogOpen() {
    auto u = newUser();
    frmLogin dlg(*u);
    QVERIFY(showDialog(dlg));
    QVERIFY(!dlg.fraConnection->isVisible());
    dlg.optPostgreSQL->setChecked(true);
    dlg.txtHost->setText(QStringLiteral("127.0.0.1"));
    dlg.spnPort->setValue(1); // nothing listens there
    dlg.txtDatabase->setText(QStringLiteral("zep"));
    dlg.txtUserName->setText(QStringLiteral("JDC"));
    dlg.txtPassword->setText(QStringLiteral("jdc-pw"));
    dlg.cmdOK->click();

    QCOMPARE(Messages::shown().size(), 1);
    QVERIFY(Messages::shown().first().text.startsWith(
        QLatin1String("Unable to connect to the database.\n")));
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Critical);
    QVERIFY(dlg.isVisible());
    QVERIFY(dlg.fraConnection->isVisible()); // shown so the settings can be put right
    QVERIFY(dlg.cmdOK->isEnabled());         // no wait: nobody's password was tried
    QVERIFY(!u->Connected());
    // Nothing is saved from a connection that did not work.
    QVERIFY(!QSettings(QStringLiteral("ZEP"), QStringLiteral("Workstation"))
                 .contains(QStringLiteral("connection/backend")));
}

void TestLogin::savesSettingsWithoutSecrets() {
    auto u = newUser();
    frmLogin dlg(*u);
    QVERIFY(showDialog(dlg));
    const QString dbPassword =
        testdb::isPg() ? dlg.txtDbPassword->text() : QStringLiteral("Db-Secret-41");
    dlg.txtDbPassword->setText(dbPassword);
    dlg.txtUserName->setText(QStringLiteral("JDC"));
    dlg.txtPassword->setText(QStringLiteral("jdc-pw"));
    dlg.cmdOK->click();
    QVERIFY2(u->Connected(), qPrintable(Messages::shownTexts().join(QLatin1Char('\n'))));

    const db::ConnectionSettings saved = login::savedConnectionSettings();
    QCOMPARE(saved.backend, dbSettings.backend);
    QCOMPARE(saved.folder, dbSettings.folder);
    if (testdb::isPg()) {
        QCOMPARE(saved.host, dbSettings.host);
        QCOMPARE(saved.port, dbSettings.port);
        QCOMPARE(saved.database, dbSettings.database);
        QCOMPARE(saved.user, dbSettings.user);
    }
    QCOMPARE(saved.password, QString());

    const QString text = settingsText();
    QVERIFY2(text.contains(QLatin1String("backend")), "the settings were not written");
    QVERIFY(!text.contains(QLatin1String("jdc-pw")));
    QVERIFY(!text.contains(QLatin1String("argon2")));
    if (!dbPassword.isEmpty())
        QVERIFY(!text.contains(dbPassword));
    QVERIFY(!text.contains(QLatin1String("password"), Qt::CaseInsensitive));
}

void TestLogin::environmentOverridesSavedSettings() {
    db::ConnectionSettings pg;
    pg.backend = db::Backend::PostgreSQL;
    pg.host = QStringLiteral("dbhost");
    pg.port = 5433;
    pg.database = QStringLiteral("zepdb");
    pg.user = QStringLiteral("clerk");
    pg.password = QStringLiteral("never-saved");
    login::saveConnectionSettings(pg);
    QVERIFY(!settingsText().contains(QLatin1String("never-saved")));
    {
        // A component builds its settings when created; a new one reads what was saved.
        clsCurrentUser fresh;
        frmLogin dlg2(fresh);
        QVERIFY(dlg2.optPostgreSQL->isChecked());
        QCOMPARE(dlg2.txtHost->text(), QStringLiteral("dbhost"));
        QCOMPARE(dlg2.spnPort->value(), 5433);
        QCOMPARE(dlg2.txtDatabase->text(), QStringLiteral("zepdb"));
        QCOMPARE(dlg2.txtDbUser->text(), QStringLiteral("clerk"));
        QCOMPARE(dlg2.txtDbPassword->text(), QString());
        QVERIFY(!dlg2.txtFolder->isEnabled());
    }

    const QString folder = settingsDir.path() + QStringLiteral("/from-env");
    qputenv("ZEP_DATABASE", (QStringLiteral("sqlite:") + folder).toUtf8());
    clsCurrentUser envUser;
    QCOMPARE(envUser.connectionSettings().backend, db::Backend::SQLite);
    QCOMPARE(envUser.connectionSettings().folder, folder);
    frmLogin dlg(envUser);
    QVERIFY(dlg.optEmbedded->isChecked());
    QCOMPARE(dlg.txtFolder->text(), folder);
    QVERIFY(dlg.txtFolder->isEnabled());
    QVERIFY(!dlg.txtHost->isEnabled());

    // A run started with ZEP_DATABASE does not overwrite the workstation's saved settings.
    auto u = newUser();
    frmLogin viaEnv(*u);
    viaEnv.txtUserName->setText(QStringLiteral("JDC"));
    viaEnv.txtPassword->setText(QStringLiteral("jdc-pw"));
    viaEnv.cmdOK->click();
    QVERIFY(u->Connected());
    QCOMPARE(login::savedConnectionSettings().host, QStringLiteral("dbhost"));

    // A URL that says nothing usable leaves the saved settings in force.
    qputenv("ZEP_DATABASE", "postgresql://");
    clsCurrentUser other;
    QCOMPARE(other.connectionSettings().backend, db::Backend::PostgreSQL);
    qunsetenv("ZEP_DATABASE");
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
