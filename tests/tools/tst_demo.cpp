// The demo hospital on a real engine: what it holds, that two runs write the same hospital,
// that its users log in with the passwords it prints, that it never goes into a database
// that holds patients, that a failure leaves nothing behind, and that its rows refer to
// each other across the five databases.
#include "components/login/accounts.h"
#include "db/connection.h"
#include "testdb.h"
#include "tools/demo.h"

#include <QRegularExpression>
#include <QTextStream>
#include <QtTest>

namespace {

struct Account {
    QString name, password, role;
};

QList<Account> parseUsers(const QString& text) {
    static const QRegularExpression line(QStringLiteral(R"(^(\S+) / (\S+) \((.+)\)$)"));
    QList<Account> list;
    for (const QString& l : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const auto m = line.match(l);
        if (m.hasMatch())
            list.append(Account{m.captured(1), m.captured(2), m.captured(3)});
        else
            list.append(Account{}); // counted as a malformed line by the test
    }
    return list;
}

long long count(db::Connection& c, const QString& sql, const QVariantList& values = {}) {
    auto rs = c.Query(sql, values);
    return rs.Eof() ? 0 : qint64(rs.Number(rs.FieldNames().first()));
}

// Every row of a query as text, for comparing two databases.
QStringList rowsOf(db::Connection& c, const QString& sql) {
    QStringList out;
    const db::Recordset rs = c.Query(sql);
    for (const auto& row : rs.Rows()) {
        QStringList cells;
        for (const QVariant& v : row)
            cells << db::valueText(v);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

QString day(int offset) {
    return QDate::currentDate().addDays(offset).toString(Qt::ISODate);
}

} // namespace

class TestDemo : public QObject {
    Q_OBJECT

    std::unique_ptr<db::Connection> first, second;
    QString firstUsers, secondUsers;
    int statements = 0; // what one demo sends

    QString run(db::Connection& c) {
        QString text;
        QTextStream users(&text);
        c.log().clear();
        tools::createDemo(c, users);
        users.flush();
        statements = int(c.log().entries().size());
        return text;
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        first = testdb::fresh();
        firstUsers = run(*first);
        second = testdb::fresh();
        secondUsers = run(*second);
    }

    void holds_data();
    void holds();
    void pickerTreesAreLoaded_data();
    void pickerTreesAreLoaded();
    void twoRunsWriteTheSameHospital_data();
    void twoRunsWriteTheSameHospital();
    void printedUsersLogIn();
    void refusesDatabaseWithPatients();
    void failureLeavesNothing();
    void rowsReferToEachOther_data();
    void rowsReferToEachOther();
};

void TestDemo::holds_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("minimum");
    const auto row = [](const char* name, const char* sql, int minimum, QVariantList v = {}) {
        QTest::newRow(name) << QString::fromLatin1(sql) << v << minimum;
    };
    const QVariantList today{day(0), day(1)};
    row("hospital",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbHospitalInfo WHERE Company <> '' "
        "AND Address1 <> '' AND Title <> '' AND TinNo <> '' AND MTSServerName <> ''",
        1);
    row("patients", "SELECT COUNT(*) FROM PATIENT_DATA.tbMaster", 300);
    row("patients with addresses",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE Town <> '' "
        "AND ZipCode <> '' AND BirthDate IS NOT NULL AND Sex IS NOT NULL",
        300);
    row("most common surname",
        "SELECT MAX(n) FROM (SELECT COUNT(*) AS n FROM PATIENT_DATA.tbMaster "
        "GROUP BY LastName) t",
        10);
    row("surnames sharing SAN",
        "SELECT COUNT(DISTINCT LastName) FROM PATIENT_DATA.tbMaster "
        "WHERE LastName LIKE 'SAN%'",
        3);
    row("admitted now", "SELECT COUNT(*) FROM PATIENT_DATA.tbPatient2 WHERE DcrDate IS NULL", 40);
    row("admitted today",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbPatient2 WHERE AdmDate >= ? "
        "AND AdmDate < ?",
        3, today);
    row("discharged today",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbPatient2 WHERE DcrDate >= ? "
        "AND DcrDate < ?",
        3, today);
    row("discharged before", "SELECT COUNT(*) FROM PATIENT_DATA.tbPatient2 WHERE DcrDate < ?", 50,
        {day(0)});
    row("out-patients today",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbOutPatient WHERE AdmDate >= ? "
        "AND AdmDate < ?",
        10, today);
    row("ER today",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbERMaster WHERE AdmDate >= ? "
        "AND AdmDate < ?",
        5, today);
    row("still in the ER", "SELECT COUNT(*) FROM PATIENT_DATA.tbERMaster WHERE DcrDate IS NULL", 1);
    row("absconded from the ER",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbERMaster "
        "WHERE Disposition = 'ABSCONDED'",
        1);
    row("expired in the ER",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbERMaster "
        "WHERE Disposition = 'EXPIRED'",
        1);
    row("admitted from a clinic",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbPatient2 "
        "WHERE OPDIdNum IS NOT NULL",
        1);
    row("case numbers", "SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE ZEPNum <> ''", 60);
    row("classes in force",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE "
        "ZEPClassification <> '' AND ZEPDiscountExpiry >= ?",
        40, {day(0)});
    row("classes expired", "SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE ZEPDiscountExpiry < ?",
        3, {day(0)});
    row("case number, class taken off",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE "
        "ZEPNum <> '' AND ZEPClassification IS NULL",
        1);
    row("classes",
        "SELECT COUNT(*) FROM ZEP.tbZEPClassification WHERE PerCapitalIncome <> '' "
        "AND IPD <> '' AND OPD <> ''",
        6);
    row("discounting classes",
        "SELECT COUNT(*) FROM ZEP.tbZEPClassification WHERE Procedures > 0 "
        "AND Medicines > 0 AND Procedures2 > 0",
        4);
    row("class code list", "SELECT COUNT(*) FROM ZEP.tbZEPClassificationScheme", 6);
    row("case categories", "SELECT COUNT(*) FROM ZEP.tbZEPCaseCategory WHERE Status = 'A'", 10);
    row("parent categories", "SELECT COUNT(*) FROM ZEP.tbZEPParentCategory WHERE Status = 'A'", 4);
    row("referring parties", "SELECT COUNT(*) FROM ZEP.tbZEPReferringParty", 5);
    row("case statuses", "SELECT COUNT(*) FROM ZEP.tbZEPActive", 4);
    row("OPS rates", "SELECT COUNT(*) FROM ZEP.tbZEPOPSRates WHERE Status = 'A' AND Price > 0", 8);
    row("revenue centres", "SELECT COUNT(*) FROM BUILD_FILE.tbCoRevenueCode", 15);
    for (const char* view :
         {"tbCoLabExam", "tbCoXrayExam", "tbCoUltraExam", "tbCoCTExam", "tbCoNucExam", "tbCoPTExam",
          "tbCoRTSExam", "tbCoHSExam", "tbCoOtherRevenue"}) {
        const QByteArray sql = "SELECT COUNT(*) FROM BUILD_FILE." + QByteArray(view) +
                               " WHERE RateA > 0 AND RateE >= RateA";
        QTest::newRow(view) << QString::fromLatin1(sql) << QVariantList{} << 5;
    }
    row("items of every discount type",
        "SELECT COUNT(DISTINCT QFSType) FROM "
        "BUILD_FILE.tbCoRevenueItem",
        4);
    row("zip codes", "SELECT COUNT(*) FROM BUILD_FILE.tbCoZipCode", 150);
    row("rooms", "SELECT COUNT(*) FROM PATIENT_DATA.tbRoom WHERE Status = 'A'", 60);
    row("doctors", "SELECT COUNT(*) FROM PATIENT_DATA.tbDoctor WHERE Status = 'A'", 10);
    row("employees with licences",
        "SELECT COUNT(*) FROM ZEP.tbZEPEmployee WHERE DeptCode = 'ZEP' "
        "AND Active = 1 AND LicenseNumber <> ''",
        6);
    row("intake sheets", "SELECT COUNT(*) FROM ZEP.tbZEPIntakeSheet", 40);
    row("family members", "SELECT COUNT(*) FROM ZEP.tbZEPFamilyMember", 80);
    row("assessments", "SELECT COUNT(*) FROM ZEP.tbZEPAssessment", 60);
    row("assessed today",
        "SELECT COUNT(*) FROM ZEP.tbZEPAssessment WHERE AssessDate >= ? "
        "AND AssessDate < ?",
        1, today);
    row("special arrangements",
        "SELECT COUNT(*) FROM ZEP.tbZEPAssessment WHERE IsSpecial = 1 "
        "AND NC > 0",
        1);
    row("PCSO", "SELECT COUNT(*) FROM ZEP.tbZEPAssessment WHERE IsPCSO = 1 AND PCSOType <> ''", 1);
    row("services rendered", "SELECT COUNT(*) FROM ZEP.tbZEPAssessmentService", 100);
    row("activities done", "SELECT COUNT(*) FROM ZEP.tbZEPAssessmentActivity", 100);
    row("transactions", "SELECT COUNT(*) FROM ZEP.tbZEPTransaction", 60);
    row("class changes", "SELECT COUNT(*) FROM ZEP.tbZEPPatClassHistory", 10);
    row("class changes deleted", "SELECT COUNT(*) FROM ZEP.tbZEPPatClassHistoryDeletion", 1);
    row("case numbers changed", "SELECT COUNT(*) FROM ZEP.tbZEPCaseNumberChange", 2);
    row("notices pending",
        "SELECT COUNT(*) FROM ZEP.tbZEPDischargeNotice WHERE ClearDate IS NULL "
        "AND RevokedAt IS NULL",
        3);
    row("notices cleared",
        "SELECT COUNT(*) FROM ZEP.tbZEPDischargeNotice WHERE "
        "ClearDate IS NOT NULL",
        5);
    row("notices revoked",
        "SELECT COUNT(*) FROM ZEP.tbZEPDischargeNotice WHERE "
        "RevokedAt IS NOT NULL",
        1);
    row("charged centres now",
        "SELECT COUNT(DISTINCT b.RevenueID) FROM BILLING.tbBillDailyBill b "
        "JOIN PATIENT_DATA.tbPatient2 a ON a.IdNum = b.IdNum "
        "WHERE a.DcrDate IS NULL",
        8);
    row("admitted now with charges",
        "SELECT COUNT(DISTINCT b.IdNum) FROM BILLING.tbBillDailyBill b "
        "JOIN PATIENT_DATA.tbPatient2 a ON a.IdNum = b.IdNum "
        "WHERE a.DcrDate IS NULL",
        40);
    row("visit charges", "SELECT COUNT(*) FROM BILLING.tbBillOPDailyOut", 100);
    row("pending discounts",
        "SELECT COUNT(*) FROM BILLING.tbBillDailyBill WHERE RevenueID = 'QF' "
        "AND RefNum <> '' AND Amount < 0",
        1);
    row("medicare", "SELECT COUNT(DISTINCT IdNum) FROM BILLING.tbBillMedicare", 20);
    row("medicare of other items",
        "SELECT COUNT(*) FROM BILLING.tbBillMedicare "
        "WHERE RevenueID = 'OT'",
        5);
    row("sponsors", "SELECT COUNT(*) FROM BILLING.tbBillCompany WHERE Status = 'A'", 5);
    row("fund allocations", "SELECT COUNT(*) FROM BILLING.tbBillCDFAllocation", 10);
    row("charges paid from funds",
        "SELECT COUNT(*) FROM BILLING.tbBillDailyBill "
        "WHERE CDFAccountNum IS NOT NULL",
        10);
    row("receipts of visits that went home",
        "SELECT COUNT(*) FROM BILLING.tbBillPayment WHERE Kind = 'P'", 100);
    row("deposits of patients admitted now",
        "SELECT COUNT(*) FROM BILLING.tbBillPayment p JOIN PATIENT_DATA.tbPatient2 a "
        "ON a.IdNum = p.IdNum WHERE p.Kind = 'D' AND a.DcrDate IS NULL",
        10);
    row("refunds", "SELECT COUNT(*) FROM BILLING.tbBillPayment WHERE Kind = 'R'", 3);
    row("discharged and still owing",
        "SELECT COUNT(*) FROM BILLING.vwBillVisitMoney m JOIN PATIENT_DATA.tbPatient2 a "
        "ON a.IdNum = m.IdNum WHERE a.DcrDate IS NOT NULL AND m.Balance > 0",
        3);
    row("visits settled to the centavo",
        "SELECT COUNT(*) FROM BILLING.vwBillVisitMoney WHERE Net > 0 AND Balance = 0", 100);
    row("resident city", "SELECT COUNT(*) FROM PATIENT_DATA.tbHospitalInfo "
                         "WHERE ResidentCity = 'Quezon City'", 1);
    row("residents with a resident card",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE Town = 'Quezon City' "
        "AND ResidentCardNum <> ''",
        10);
    row("residents without a card",
        "SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE Town = 'Quezon City' "
        "AND ResidentCardNum = ''",
        10);
}

void TestDemo::holds() {
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    QFETCH(int, minimum);
    const long long n = count(*first, sql, values);
    QVERIFY2(n >= minimum, qPrintable(QStringLiteral("%1 < %2").arg(n).arg(minimum)));
}

// The service and activity pickers open with these branches loaded: each must be there
// with children of its own, under a parent that is there too.
void TestDemo::pickerTreesAreLoaded_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("code");
    const QStringList preloaded{
        QStringLiteral("1"),     QStringLiteral("1.1"),   QStringLiteral("1.2"),
        QStringLiteral("1.2.3"), QStringLiteral("1.3"),   QStringLiteral("1.3.2"),
        QStringLiteral("1.3.5"), QStringLiteral("1.4"),   QStringLiteral("1.5"),
        QStringLiteral("1.6"),   QStringLiteral("1.7"),   QStringLiteral("1.8"),
        QStringLiteral("1.8.1"), QStringLiteral("1.8.2"), QStringLiteral("1.8.3")};
    for (const char* table : {"ZEP.tbZEPServiceCategory", "ZEP.tbZEPActivity"})
        for (const QString& code : preloaded)
            QTest::newRow(qPrintable(QString::fromLatin1(table).mid(4) + QLatin1Char(' ') + code))
                << QString::fromLatin1(table) << code;
}

void TestDemo::pickerTreesAreLoaded() {
    QFETCH(QString, table);
    QFETCH(QString, code);
    auto node = first->Query(QStringLiteral("SELECT Description, ParentCode FROM ") + table +
                                 QStringLiteral(" WHERE Code = ?"),
                             {code});
    QCOMPARE(node.RecordCount(), 1);
    QVERIFY(!node.Text(QStringLiteral("Description")).trimmed().isEmpty());
    const int dot = code.lastIndexOf(QLatin1Char('.'));
    QCOMPARE(node.Text(QStringLiteral("ParentCode")), dot < 0 ? QString() : code.left(dot));
    QVERIFY(count(*first,
                  QStringLiteral("SELECT COUNT(*) FROM ") + table +
                      QStringLiteral(" WHERE ParentCode = ?"),
                  {code}) > 0);
}

void TestDemo::twoRunsWriteTheSameHospital_data() {
    QTest::addColumn<QString>("sql");
    const auto row = [](const char* name, const char* sql) {
        QTest::newRow(name) << QString::fromLatin1(sql);
    };
    row("master", "SELECT * FROM PATIENT_DATA.tbMaster ORDER BY HospNum");
    row("admissions", "SELECT * FROM PATIENT_DATA.tbPatient2 ORDER BY IdNum");
    row("out-patients", "SELECT * FROM PATIENT_DATA.tbOutPatient ORDER BY IdNum");
    row("ER", "SELECT * FROM PATIENT_DATA.tbERMaster ORDER BY IdNum");
    row("classes", "SELECT * FROM ZEP.tbZEPClassification ORDER BY Type");
    row("items", "SELECT * FROM BUILD_FILE.tbCoRevenueItem ORDER BY RevenueID, ItemID");
    row("intake sheets", "SELECT * FROM ZEP.tbZEPIntakeSheet ORDER BY HospNum");
    row("families", "SELECT * FROM ZEP.tbZEPFamilyMember ORDER BY HospNum, MemberNo");
    row("assessments", "SELECT * FROM ZEP.tbZEPAssessment ORDER BY IdNum");
    row("services", "SELECT * FROM ZEP.tbZEPAssessmentService ORDER BY IdNum, SeqNo");
    row("notices", "SELECT * FROM ZEP.tbZEPDischargeNotice ORDER BY Id");
    row("charges", "SELECT * FROM BILLING.tbBillDailyBill ORDER BY Id");
    row("visit charges", "SELECT * FROM BILLING.tbBillOPDailyOut ORDER BY Id");
    row("medicare", "SELECT * FROM BILLING.tbBillMedicare ORDER BY IdNum, RevenueID");
    row("funds", "SELECT * FROM BILLING.tbBillCDFAllocation ORDER BY AccountNum");
    row("payments", "SELECT * FROM BILLING.tbBillPayment ORDER BY Id");
    row("employees", "SELECT * FROM ZEP.tbZEPEmployee ORDER BY EmployeeID");
    // Password hashes are salted, so two runs differ there and only there.
    row("users", "SELECT UserName, EmployeeID, DeptCode, Rights, Active FROM ZEP.tbZEPUser "
                 "ORDER BY UserName");
}

void TestDemo::twoRunsWriteTheSameHospital() {
    QFETCH(QString, sql);
    const QStringList a = rowsOf(*first, sql);
    const QStringList b = rowsOf(*second, sql);
    QVERIFY(!a.isEmpty());
    QCOMPARE(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i)
        QCOMPARE(a.at(i), b.at(i));
    QCOMPARE(firstUsers, secondUsers);
}

void TestDemo::printedUsersLogIn() {
    const QList<Account> accounts = parseUsers(firstUsers);
    QVERIFY(accounts.size() >= 3);
    int supervisors = 0, workers = 0, others = 0;
    for (const Account& a : accounts) {
        QVERIFY2(!a.name.isEmpty(),
                 qPrintable(QStringLiteral("malformed line in:\n") + firstUsers));
        const login::AuthResult r =
            login::authenticate(*first, a.name, a.password, QStringLiteral("ZEP"));
        QVERIFY2(r.status != login::AuthStatus::InvalidCredentials, qPrintable(a.name));
        if (r.status == login::AuthStatus::OtherDepartment) {
            ++others;
            continue;
        }
        QCOMPARE(r.status, login::AuthStatus::Ok);
        QCOMPARE(r.account.deptCode, QStringLiteral("ZEP"));
        if (login::hasRight(r.account.rights, QStringLiteral("A"))) {
            QVERIFY(a.role.contains(QLatin1String("supervisor")));
            ++supervisors;
        } else {
            ++workers;
        }
        // The password is never written where the command log could show it.
        for (const db::LoggedCommand& cmd : first->log().entries())
            QVERIFY(!cmd.values.contains(a.password));
    }
    QVERIFY(supervisors >= 1);
    QVERIFY(workers >= 1);
    QVERIFY(others >= 1);
}

void TestDemo::refusesDatabaseWithPatients() {
    const QStringList tables{QStringLiteral("PATIENT_DATA.tbMaster"),
                             QStringLiteral("ZEP.tbZEPUser"), QStringLiteral("ZEP.tbZEPAssessment"),
                             QStringLiteral("BILLING.tbBillDailyBill"),
                             QStringLiteral("BUILD_FILE.tbCoZipCode")};
    QList<long long> before;
    for (const QString& t : tables)
        before << count(*first, QStringLiteral("SELECT COUNT(*) FROM ") + t);
    QString printed;
    QTextStream users(&printed);
    QVERIFY_THROWS_EXCEPTION(db::Error, tools::createDemo(*first, users));
    users.flush();
    QVERIFY(printed.isEmpty());
    QVERIFY(!first->inTransaction());
    for (int i = 0; i < tables.size(); ++i)
        QCOMPARE(count(*first, QStringLiteral("SELECT COUNT(*) FROM ") + tables.at(i)),
                 before.at(i));
}

// A statement failing midway rolls everything back and prints no users; the same database
// then takes the demo as if nothing had happened.
void TestDemo::failureLeavesNothing() {
    auto c = testdb::fresh();
    QVERIFY(statements > 100);
    c->faults().failStatement(statements / 2);
    QString printed;
    QTextStream users(&printed);
    QVERIFY_THROWS_EXCEPTION(db::Error, tools::createDemo(*c, users));
    c->faults().disarm();
    users.flush();
    QVERIFY(printed.isEmpty());
    for (const char* t :
         {"PATIENT_DATA.tbHospitalInfo", "ZEP.tbZEPEmployee", "ZEP.tbZEPClassification",
          "PATIENT_DATA.tbMaster", "BUILD_FILE.tbCoRevenueItem"})
        QCOMPARE(count(*c, QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(t)), 0LL);
    QCOMPARE(run(*c), firstUsers);
    QCOMPARE(
        rowsOf(*c, QStringLiteral("SELECT * FROM PATIENT_DATA.tbMaster ORDER BY HospNum")),
        rowsOf(*first, QStringLiteral("SELECT * FROM PATIENT_DATA.tbMaster ORDER BY HospNum")));
}

// Each query lists rows that break a reference between tables, most of them across
// databases where no foreign key can hold it; none may come back.
void TestDemo::rowsReferToEachOther_data() {
    QTest::addColumn<QString>("sql");
    const auto row = [](const char* name, const char* sql) {
        QTest::newRow(name) << QString::fromLatin1(sql);
    };
    const char* visits = "(SELECT IdNum, HospNum FROM PATIENT_DATA.tbPatient2 UNION ALL "
                         "SELECT IdNum, HospNum FROM PATIENT_DATA.tbOutPatient UNION ALL "
                         "SELECT IdNum, HospNum FROM PATIENT_DATA.tbERMaster)";
    const auto withVisits = [&](const char* name, const char* sql) {
        QTest::newRow(name) << QString::fromLatin1(sql).replace(QStringLiteral("VISITS"),
                                                                QString::fromLatin1(visits));
    };
    withVisits("payment without visit",
               "SELECT IdNum FROM BILLING.tbBillPayment p WHERE NOT EXISTS "
               "(SELECT 1 FROM VISITS v WHERE v.IdNum = p.IdNum)");
    row("card holder outside the city",
        "SELECT HospNum FROM PATIENT_DATA.tbMaster WHERE ResidentCardNum <> '' "
        "AND Town <> 'Quezon City'");
    row("admission without patient",
        "SELECT IdNum FROM PATIENT_DATA.tbPatient2 a WHERE NOT EXISTS "
        "(SELECT 1 FROM PATIENT_DATA.tbMaster m WHERE m.HospNum = a.HospNum)");
    row("clinic visit without patient",
        "SELECT IdNum FROM PATIENT_DATA.tbOutPatient a WHERE NOT EXISTS "
        "(SELECT 1 FROM PATIENT_DATA.tbMaster m WHERE m.HospNum = a.HospNum)");
    row("ER visit without patient",
        "SELECT IdNum FROM PATIENT_DATA.tbERMaster a WHERE NOT EXISTS "
        "(SELECT 1 FROM PATIENT_DATA.tbMaster m WHERE m.HospNum = a.HospNum)");
    row("patient without visit",
        "SELECT HospNum FROM PATIENT_DATA.tbMaster m WHERE NOT EXISTS "
        "(SELECT 1 FROM PATIENT_DATA.tbPatient2 v WHERE v.HospNum = m.HospNum) "
        "AND NOT EXISTS (SELECT 1 FROM PATIENT_DATA.tbOutPatient v WHERE "
        "v.HospNum = m.HospNum) AND NOT EXISTS (SELECT 1 FROM "
        "PATIENT_DATA.tbERMaster v WHERE v.HospNum = m.HospNum)");
    row("bed shared now", "SELECT RoomID FROM PATIENT_DATA.tbPatient2 WHERE DcrDate IS NULL "
                          "GROUP BY RoomID HAVING COUNT(*) > 1");
    row("two admissions at once",
        "SELECT a.IdNum FROM PATIENT_DATA.tbPatient2 a JOIN "
        "PATIENT_DATA.tbPatient2 b ON a.HospNum = b.HospNum AND a.IdNum < b.IdNum "
        "WHERE a.AdmDate <= COALESCE(b.DcrDate, '9999-12-31') AND "
        "b.AdmDate <= COALESCE(a.DcrDate, '9999-12-31')");
    row("address not in the zip codes",
        "SELECT HospNum FROM PATIENT_DATA.tbMaster m WHERE NOT EXISTS "
        "(SELECT 1 FROM BUILD_FILE.tbCoZipCode z WHERE z.ZipCode = m.ZipCode "
        "AND z.Town = m.Town AND z.Province = m.Province)");
    row("class not in the scheme", "SELECT HospNum FROM PATIENT_DATA.tbMaster m WHERE "
                                   "ZEPClassification IS NOT NULL AND NOT EXISTS (SELECT 1 FROM "
                                   "ZEP.tbZEPClassification k WHERE k.Code = m.ZEPClassification)");
    row("class without case number", "SELECT HospNum FROM PATIENT_DATA.tbMaster WHERE "
                                     "ZEPClassification IS NOT NULL AND ZEPNum IS NULL");
    withVisits("assessment of no visit",
               "SELECT a.IdNum FROM ZEP.tbZEPAssessment a WHERE NOT EXISTS "
               "(SELECT 1 FROM VISITS v WHERE v.IdNum = a.IdNum AND v.HospNum = a.HospNum)");
    row("assessment under another case number", "SELECT a.IdNum FROM ZEP.tbZEPAssessment a JOIN "
                                                "PATIENT_DATA.tbMaster m ON m.HospNum = a.HospNum "
                                                "WHERE m.ZEPNum IS NULL OR m.ZEPNum <> a.ZEPNum");
    row("case number of two patients",
        "SELECT ZEPNum FROM (SELECT ZEPNum, HospNum FROM "
        "ZEP.tbZEPAssessment UNION SELECT ZEPNum, HospNum FROM "
        "ZEP.tbZEPTransaction UNION SELECT ZEPNum, HospNum FROM "
        "PATIENT_DATA.tbMaster WHERE ZEPNum IS NOT NULL) t GROUP BY ZEPNum "
        "HAVING COUNT(DISTINCT HospNum) > 1");
    row("assessment by no worker",
        "SELECT IdNum FROM ZEP.tbZEPAssessment a WHERE NOT EXISTS (SELECT 1 "
        "FROM ZEP.tbZEPEmployee e WHERE e.EmployeeID = a.ZEPW AND e.Active = 1) "
        "OR NOT EXISTS (SELECT 1 FROM ZEP.tbZEPEmployee e WHERE e.EmployeeID = a.UserID)");
    row("assessment category unknown",
        "SELECT IdNum FROM ZEP.tbZEPAssessment a WHERE NOT EXISTS (SELECT 1 "
        "FROM ZEP.tbZEPCaseCategory k WHERE k.CategoryID = a.CaseCategoryID "
        "AND k.Category = a.Category AND k.Status = 'A') OR NOT EXISTS "
        "(SELECT 1 FROM ZEP.tbZEPParentCategory p WHERE "
        "p.ParentCategoryID = a.ParentCategoryID AND p.Status = 'A')");
    row("assessment code unknown",
        "SELECT IdNum FROM ZEP.tbZEPAssessment a WHERE NOT EXISTS (SELECT 1 "
        "FROM ZEP.tbZEPClassification k WHERE k.Code = a.Code) OR NOT EXISTS "
        "(SELECT 1 FROM ZEP.tbZEPReferringParty r WHERE r.Code = a.ReferringPartyID) "
        "OR NOT EXISTS (SELECT 1 FROM ZEP.tbZEPActive s WHERE s.Code = a.CaseStatus)");
    row("transaction of no assessment",
        "SELECT Id FROM ZEP.tbZEPTransaction t WHERE NOT EXISTS (SELECT 1 "
        "FROM ZEP.tbZEPAssessment a WHERE a.IdNum = t.IdNum AND "
        "a.HospNum = t.HospNum)");
    row("intake sheet of no patient",
        "SELECT HospNum FROM ZEP.tbZEPIntakeSheet i WHERE NOT EXISTS "
        "(SELECT 1 FROM PATIENT_DATA.tbMaster m WHERE m.HospNum = i.HospNum "
        "AND m.ZEPNum IS NOT NULL AND m.LastName = i.LastName)");
    withVisits("intake sheet of another's visit",
               "SELECT i.HospNum FROM ZEP.tbZEPIntakeSheet i WHERE "
               "NOT EXISTS (SELECT 1 FROM VISITS v WHERE v.IdNum = "
               "i.IdNum AND v.HospNum = i.HospNum)");
    withVisits("class change of no visit",
               "SELECT h.IdNum FROM ZEP.tbZEPPatClassHistory h WHERE NOT EXISTS "
               "(SELECT 1 FROM VISITS v WHERE v.IdNum = h.IdNum)");
    row("case-number change of no patient",
        "SELECT HospNum FROM ZEP.tbZEPCaseNumberChange c WHERE NOT "
        "EXISTS (SELECT 1 FROM PATIENT_DATA.tbMaster m WHERE "
        "m.HospNum = c.HospNum)");
    row("notice of no admission",
        "SELECT n.IdNum FROM ZEP.tbZEPDischargeNotice n WHERE NOT EXISTS "
        "(SELECT 1 FROM PATIENT_DATA.tbPatient2 a WHERE a.IdNum = n.IdNum AND "
        "a.HospNum = n.HospNum)");
    row("pending notice of a discharged patient",
        "SELECT n.IdNum FROM ZEP.tbZEPDischargeNotice n JOIN "
        "PATIENT_DATA.tbPatient2 a ON a.IdNum = n.IdNum WHERE "
        "a.DcrDate IS NOT NULL AND n.ClearDate IS NULL");
    row("charge of no admission",
        "SELECT IdNum FROM BILLING.tbBillDailyBill b WHERE NOT EXISTS "
        "(SELECT 1 FROM PATIENT_DATA.tbPatient2 a WHERE a.IdNum = b.IdNum)");
    row("visit charge of no visit",
        "SELECT IdNum FROM BILLING.tbBillOPDailyOut b WHERE NOT EXISTS "
        "(SELECT 1 FROM PATIENT_DATA.tbOutPatient a WHERE a.IdNum = b.IdNum) "
        "AND NOT EXISTS (SELECT 1 FROM PATIENT_DATA.tbERMaster e WHERE "
        "e.IdNum = b.IdNum)");
    row("charged item not in the build file",
        "SELECT b.IdNum FROM (SELECT IdNum, RevenueID, ItemID FROM "
        "BILLING.tbBillDailyBill UNION ALL SELECT IdNum, RevenueID, "
        "ItemID FROM BILLING.tbBillOPDailyOut) b WHERE b.RevenueID NOT "
        "IN ('MD', 'QF') AND NOT EXISTS (SELECT 1 FROM "
        "BUILD_FILE.tbCoRevenueItem i WHERE i.RevenueID = b.RevenueID "
        "AND i.ItemID = b.ItemID)");
    withVisits(
        "pending discount under another case number",
        "SELECT b.IdNum FROM (SELECT IdNum, RefNum FROM BILLING.tbBillDailyBill WHERE RevenueID = "
        "'QF' UNION ALL SELECT IdNum, RefNum FROM BILLING.tbBillOPDailyOut WHERE RevenueID = 'QF') "
        "b "
        "JOIN VISITS v ON v.IdNum = b.IdNum JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
        "WHERE m.ZEPNum IS NULL OR m.ZEPNum <> b.RefNum");
    row("pending discount of an assessed visit",
        "SELECT b.IdNum FROM BILLING.tbBillDailyBill b JOIN "
        "ZEP.tbZEPAssessment a ON a.IdNum = b.IdNum WHERE "
        "b.RevenueID = 'QF' AND a.IsSpecial = 0");
    withVisits("medicare of no visit",
               "SELECT m.IdNum FROM BILLING.tbBillMedicare m WHERE NOT EXISTS "
               "(SELECT 1 FROM VISITS v WHERE v.IdNum = m.IdNum)");
    withVisits("fund for another's visit",
               "SELECT f.AccountNum FROM BILLING.tbBillCDFAllocation f WHERE "
               "NOT EXISTS (SELECT 1 FROM PATIENT_DATA.tbMaster m WHERE "
               "m.HospNum = f.HospNum) OR (f.IdNum IS NOT NULL AND NOT EXISTS "
               "(SELECT 1 FROM VISITS v WHERE v.IdNum = f.IdNum AND v.HospNum = "
               "f.HospNum))");
    withVisits(
        "charge paid from another's fund",
        "SELECT b.IdNum FROM (SELECT IdNum, CDFAccountNum FROM BILLING.tbBillDailyBill UNION ALL "
        "SELECT IdNum, CDFAccountNum FROM BILLING.tbBillOPDailyOut) b JOIN "
        "BILLING.tbBillCDFAllocation f ON f.AccountNum = b.CDFAccountNum JOIN VISITS v ON v.IdNum "
        "= "
        "b.IdNum WHERE v.HospNum <> f.HospNum");
    row("fund overspent",
        "SELECT f.AccountNum FROM BILLING.tbBillCDFAllocation f WHERE f.Amount < "
        "(SELECT COALESCE(SUM(b.Amount), 0) FROM (SELECT CDFAccountNum, Amount FROM "
        "BILLING.tbBillDailyBill UNION ALL SELECT CDFAccountNum, Amount FROM "
        "BILLING.tbBillOPDailyOut) b WHERE b.CDFAccountNum = f.AccountNum)");
}

void TestDemo::rowsReferToEachOther() {
    QFETCH(QString, sql);
    for (db::Connection* c : {first.get(), second.get()}) {
        const db::Recordset rs = c->Query(sql);
        if (rs.RecordCount() > 0)
            QFAIL(qPrintable(
                QStringLiteral("%1 rows, the first: %2").arg(rs.RecordCount()).arg(rs.Text(0))));
    }
}

QTEST_GUILESS_MAIN(TestDemo)
#include "tst_demo.moc"
