// Accounts of the log-in component: hashing, the checks of a log-in, the growing wait after
// failures, and that neither a password nor its hash is ever written to the command log.
#include "components/login/accounts.h"
#include "seed.h"
#include "testdb.h"

#include <QtTest>

using login::AuthStatus;

Q_DECLARE_METATYPE(login::AuthStatus)

class TestAccounts : public QObject {
    Q_OBJECT

    std::unique_ptr<db::Connection> conn;
    const QDateTime t0 = QDateTime(QDate(2025, 3, 1), QTime(8, 0), QTimeZone::utc());

    int failedAttempts(const QString& user) {
        return int(conn->Query(QStringLiteral("SELECT FailedAttempts FROM ZEP.tbZEPUser WHERE "
                                              "UserName = ?"),
                               {user})
                       .Number(QStringLiteral("FailedAttempts")));
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        conn = testdb::fresh();
        seed::users(*conn);
    }
    void init() {
        conn->Execute(
            QStringLiteral("UPDATE ZEP.tbZEPUser SET FailedAttempts = 0, LastFailedAt = NULL"));
        conn->log().clear();
    }

    void hashes();
    void nameAndDelayRules_data();
    void nameAndDelayRules();
    void rights_data();
    void rights();

    void authenticate_data();
    void authenticate();
    void waitGrowsAndSuccessResets();
    void waitIsPerUserAndSurvivesReconnect();
    void refusedUserBreaksNoCount();

    void addUserRules();
    void setPasswordReplacesAndClears();
    void secretsNeverLogged();
};

void TestAccounts::hashes() {
    const QString pw = QStringLiteral("Pässwört 1");
    const QString h1 = login::hashPassword(pw);
    const QString h2 = login::hashPassword(pw);
    QVERIFY(h1.startsWith(QLatin1String("$argon2id$")));
    QVERIFY(h1 != h2); // salted
    QVERIFY(!h1.contains(pw));
    QVERIFY(login::verifyPassword(pw, h1));
    QVERIFY(login::verifyPassword(pw, h2));
    QVERIFY(!login::verifyPassword(QStringLiteral("pässwört 1"), h1));
    QVERIFY(!login::verifyPassword(QString(), h1));
    QVERIFY(!login::verifyPassword(pw, QString()));
    QVERIFY(!login::verifyPassword(pw, h1.left(h1.size() - 4)));
    QVERIFY(!login::verifyPassword(pw, pw));
}

void TestAccounts::nameAndDelayRules_data() {
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QString>("name");
    QTest::newRow("all parts") << QStringList{QStringLiteral(" Dela Cruz "), QStringLiteral("Juan"),
                                              QStringLiteral(" Santos")}
                               << QStringLiteral("Dela Cruz, Juan Santos");
    QTest::newRow("no middle") << QStringList{QStringLiteral("Reyes"), QStringLiteral("Maria"),
                                              QString()}
                               << QStringLiteral("Reyes, Maria");
    QTest::newRow("last only") << QStringList{QStringLiteral("Lim"), QString(), QStringLiteral(" ")}
                               << QStringLiteral("Lim");
    QTest::newRow("no last") << QStringList{QString(), QStringLiteral("Ana"), QStringLiteral("B")}
                             << QStringLiteral("Ana B");
}

void TestAccounts::nameAndDelayRules() {
    QFETCH(QStringList, parts);
    QTEST(login::fullName(parts[0], parts[1], parts[2]), "name");
    // The wait schedule rides along: it has no data of its own worth a table.
    const QList<int> expected{0, 500, 1000, 2000, 4000, 8000, 8000};
    for (int n = 0; n < expected.size(); ++n)
        QCOMPARE(login::retryDelayMs(n), expected[n]);
    QCOMPARE(login::retryDelayMs(100000), 8000);
    QCOMPARE(login::retryDelayMs(-1), 0);
}

void TestAccounts::rights_data() {
    QTest::addColumn<QString>("rights");
    QTest::addColumn<QString>("right");
    QTest::addColumn<bool>("has");
    QTest::newRow("A holds A") << QStringLiteral("A") << QStringLiteral("A") << true;
    QTest::newRow("any case") << QStringLiteral("a") << QStringLiteral("A") << true;
    QTest::newRow("none") << QString() << QStringLiteral("A") << false;
    QTest::newRow("list") << QStringLiteral("B|A") << QStringLiteral("A") << true;
    QTest::newRow("comma list") << QStringLiteral("B, C") << QStringLiteral("A") << false;
    QTest::newRow("not a substring") << QStringLiteral("AB") << QStringLiteral("A") << false;
    QTest::newRow("empty right") << QStringLiteral("A") << QString() << false;
}

void TestAccounts::rights() {
    QFETCH(QString, rights);
    QFETCH(QString, right);
    QTEST(login::hasRight(rights, right), "has");
}

void TestAccounts::authenticate_data() {
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<AuthStatus>("status");
    QTest::addColumn<QString>("message");
    const QString invalid = QStringLiteral("Invalid user name or password.");
    QTest::newRow("right") << QStringLiteral("JDC") << QStringLiteral("jdc-pw") << AuthStatus::Ok
                           << QString();
    QTest::newRow("name in any case, blanks")
        << QStringLiteral("  jdc ") << QStringLiteral("jdc-pw") << AuthStatus::Ok << QString();
    QTest::newRow("wrong password") << QStringLiteral("JDC") << QStringLiteral("JDC-PW")
                                    << AuthStatus::InvalidCredentials << invalid;
    QTest::newRow("other user's password") << QStringLiteral("JDC") << QStringLiteral("mreyes-pw")
                                           << AuthStatus::InvalidCredentials << invalid;
    QTest::newRow("unknown user") << QStringLiteral("NOBODY") << QStringLiteral("jdc-pw")
                                  << AuthStatus::InvalidCredentials << invalid;
    QTest::newRow("empty user") << QString() << QString() << AuthStatus::InvalidCredentials
                                << invalid;
    QTest::newRow("other department")
        << QStringLiteral("ALIM") << QStringLiteral("alim-pw") << AuthStatus::OtherDepartment
        << QStringLiteral("You are not a member of this department.");
    QTest::newRow("other department, wrong password")
        << QStringLiteral("ALIM") << QStringLiteral("x") << AuthStatus::InvalidCredentials
        << invalid;
    QTest::newRow("inactive user")
        << QStringLiteral("INACT") << QStringLiteral("inact-pw") << AuthStatus::Inactive
        << QStringLiteral("Your user account is not active.");
    QTest::newRow("inactive user, wrong password") << QStringLiteral("INACT") << QStringLiteral("x")
                                                   << AuthStatus::InvalidCredentials << invalid;
    QTest::newRow("inactive employee")
        << QStringLiteral("OLDEMP") << QStringLiteral("oldemp-pw") << AuthStatus::Inactive
        << QStringLiteral("Your user account is not active.");
}

void TestAccounts::authenticate() {
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(AuthStatus, status);
    const login::AuthResult r = login::authenticate(*conn, user, password, seed::dept, t0);
    QCOMPARE(r.status, status);
    QTEST(r.message(), "message");
    QCOMPARE(r.ok(), status == AuthStatus::Ok);
    if (r.ok()) {
        QCOMPARE(r.account.userName, QStringLiteral("JDC"));
        QCOMPARE(r.account.employeeId, QStringLiteral("E001"));
        QCOMPARE(r.account.employeeName, QStringLiteral("Dela Cruz, Juan Santos"));
        QCOMPARE(r.account.deptCode, QStringLiteral("ZEP"));
        QCOMPARE(r.account.rights, QStringLiteral("A"));
    } else {
        QCOMPARE(r.account.employeeId, QString());
    }
    if (status == AuthStatus::InvalidCredentials)
        QCOMPARE(r.retryDelayMs, 500);
}

void TestAccounts::waitGrowsAndSuccessResets() {
    const QString user = QStringLiteral("MREYES");
    QDateTime t = t0;
    const QList<int> waits{500, 1000, 2000, 4000, 8000, 8000};
    for (int i = 0; i < waits.size(); ++i) {
        const auto r = login::authenticate(*conn, user, QStringLiteral("bad"), seed::dept, t);
        QCOMPARE(r.status, AuthStatus::InvalidCredentials);
        QCOMPARE(r.retryDelayMs, waits[i]);
        QCOMPARE(failedAttempts(user), i + 1);
        // Before the wait is over even the right password is not looked at.
        const auto early = login::authenticate(*conn, user, QStringLiteral("mreyes-pw"), seed::dept,
                                               t.addMSecs(waits[i] - 100));
        QCOMPARE(early.status, AuthStatus::TooSoon);
        QCOMPARE(early.retryDelayMs, 100);
        QVERIFY(!early.message().isEmpty());
        QCOMPARE(failedAttempts(user), i + 1); // a refused early try counts nothing
        t = t.addMSecs(waits[i]);
    }
    const auto ok = login::authenticate(*conn, user, QStringLiteral("mreyes-pw"), seed::dept, t);
    QCOMPARE(ok.status, AuthStatus::Ok);
    QCOMPARE(failedAttempts(user), 0);
    const auto again = login::authenticate(*conn, user, QStringLiteral("bad"), seed::dept, t);
    QCOMPARE(again.retryDelayMs, 500);
}

void TestAccounts::waitIsPerUserAndSurvivesReconnect() {
    for (int i = 0; i < 3; ++i)
        login::authenticate(*conn, QStringLiteral("MREYES"), QStringLiteral("bad"), seed::dept,
                            t0.addSecs(60 * i));
    // Another user is not held by MREYES's failures.
    QCOMPARE(login::authenticate(*conn, QStringLiteral("JDC"), QStringLiteral("jdc-pw"), seed::dept,
                                 t0.addSecs(120))
                 .status,
             AuthStatus::Ok);
    // The count lives in the database, so a second workstation (or a restarted dialog)
    // sees the same wait.
    auto other = testdb::reopen(*conn);
    const auto r =
        login::authenticate(*other, QStringLiteral("MREYES"), QStringLiteral("mreyes-pw"),
                            seed::dept, t0.addSecs(120).addMSecs(1500));
    QCOMPARE(r.status, AuthStatus::TooSoon);
    QCOMPARE(r.retryDelayMs, 500);
    // A failure stamped far in the future (a wrong clock elsewhere) does not lock anyone out.
    conn->Execute(QStringLiteral("UPDATE ZEP.tbZEPUser SET LastFailedAt = ? WHERE UserName = ?"),
                  {QStringLiteral("2030-01-01 00:00:00.000"), QStringLiteral("MREYES")});
    QCOMPARE(login::authenticate(*conn, QStringLiteral("MREYES"), QStringLiteral("mreyes-pw"),
                                 seed::dept, t0.addSecs(600))
                 .status,
             AuthStatus::Ok);
}

void TestAccounts::refusedUserBreaksNoCount() {
    // A refusal after the right password is no guess at the password.
    QCOMPARE(login::authenticate(*conn, QStringLiteral("ALIM"), QStringLiteral("alim-pw"),
                                 seed::dept, t0)
                 .status,
             AuthStatus::OtherDepartment);
    QCOMPARE(failedAttempts(QStringLiteral("ALIM")), 0);
    // ...and the same user is welcome in its own department.
    QCOMPARE(login::authenticate(*conn, QStringLiteral("alim"), QStringLiteral("alim-pw"),
                                 QStringLiteral("billing"), t0)
                 .status,
             AuthStatus::Ok);
}

void TestAccounts::addUserRules() {
    const auto raises = [&](auto f) {
        try {
            f();
        } catch (const db::Error&) {
            return true;
        }
        return false;
    };
    QVERIFY(raises([&] {
        login::addUser(*conn, QStringLiteral("NEW1"), QStringLiteral("E999"), QStringLiteral("pw"),
                       seed::dept);
    }));
    QVERIFY(raises([&] {
        login::addUser(*conn, QStringLiteral("NEW1"), QStringLiteral("E001"), QString(),
                       seed::dept);
    }));
    QVERIFY(raises([&] {
        login::addUser(*conn, QStringLiteral("  "), QStringLiteral("E001"), QStringLiteral("pw"),
                       seed::dept);
    }));
    // The name is a key whatever case it is typed in.
    bool unique = false;
    try {
        login::addUser(*conn, QStringLiteral("Jdc"), QStringLiteral("E002"), QStringLiteral("pw"),
                       seed::dept);
    } catch (const db::Error& e) {
        unique = e.isUniqueViolation();
    }
    QVERIFY(unique);
    const db::Recordset rs =
        conn->Query(QStringLiteral("SELECT UserName FROM ZEP.tbZEPUser WHERE UserName = ?"),
                    {QStringLiteral("MREYES")});
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(conn->Query(QStringLiteral("SELECT COUNT(*) AS n FROM ZEP.tbZEPUser"))
                 .Number(QStringLiteral("n")),
             5.0);
}

void TestAccounts::setPasswordReplacesAndClears() {
    login::authenticate(*conn, QStringLiteral("JDC"), QStringLiteral("bad"), seed::dept, t0);
    QCOMPARE(failedAttempts(QStringLiteral("JDC")), 1);
    login::setPassword(*conn, QStringLiteral(" jdc"), QStringLiteral("new-pw"));
    QCOMPARE(failedAttempts(QStringLiteral("JDC")), 0);
    QCOMPARE(
        login::authenticate(*conn, QStringLiteral("JDC"), QStringLiteral("jdc-pw"), seed::dept, t0)
            .status,
        AuthStatus::InvalidCredentials);
    QCOMPARE(login::authenticate(*conn, QStringLiteral("JDC"), QStringLiteral("new-pw"), seed::dept,
                                 t0.addSecs(10))
                 .status,
             AuthStatus::Ok);
    login::setPassword(*conn, QStringLiteral("JDC"), QStringLiteral("jdc-pw"));

    QVERIFY_THROWS_EXCEPTION(
        db::Error, login::setPassword(*conn, QStringLiteral("NOBODY"), QStringLiteral("pw")));
    QVERIFY_THROWS_EXCEPTION(db::Error,
                             login::setPassword(*conn, QStringLiteral("JDC"), QString()));
}

void TestAccounts::secretsNeverLogged() {
    const QString pw = QStringLiteral("Very-Secret-77");
    login::addUser(*conn, QStringLiteral("TEMP"), QStringLiteral("E002"), pw, seed::dept);
    login::authenticate(*conn, QStringLiteral("TEMP"), QStringLiteral("Wrong-Guess-88"), seed::dept,
                        t0);
    login::setPassword(*conn, QStringLiteral("TEMP"), QStringLiteral("Other-Secret-99"));
    login::authenticate(*conn, QStringLiteral("TEMP"), QStringLiteral("Other-Secret-99"),
                        seed::dept, t0.addSecs(5));
    const QString hash = conn->Query(QStringLiteral("SELECT PasswordHash FROM ZEP.tbZEPUser "
                                                    "WHERE UserName = ?"),
                                     {QStringLiteral("TEMP")})
                             .Text(QStringLiteral("PasswordHash"));
    QVERIFY(hash.startsWith(QLatin1String("$argon2id$")));

    const QString log = conn->log().dump();
    QVERIFY(!conn->log().entries().isEmpty());
    for (const QString& secret : {pw, QStringLiteral("Wrong-Guess-88"),
                                  QStringLiteral("Other-Secret-99"), QStringLiteral("$argon2")})
        QVERIFY2(!log.contains(secret), qPrintable(secret));
    QVERIFY(log.contains(QStringLiteral("***")));
    conn->Execute(QStringLiteral("DELETE FROM ZEP.tbZEPUser WHERE UserName = ?"),
                  {QStringLiteral("TEMP")});
}

QTEST_GUILESS_MAIN(TestAccounts)
#include "tst_accounts.moc"
