// The schema on a real engine: migration from empty, re-running, refusing a newer database,
// roll-back of a failed step, and the rules the constraints carry.
#include "testdb.h"

#include "db/connection.h"
#include "server/schemascript.h"
#include "server/server.h"

#include <QRegularExpression>
#include <QTest>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString kStamp = QStringLiteral("2024-01-05 08:00:00");

// Only outside a transaction: on PostgreSQL a failed statement spoils an open one.
bool tableExists(db::Connection& c, const QString& table) {
    try {
        c.Query(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table);
        return true;
    } catch (const db::Error&) {
        return false;
    }
}

// A query that works only when the script's work is present: the first table it creates,
// or else the first column it adds; empty for a script that only makes existing objects
// again (its version row is then the only sign of it).
QString probeTable(const server::SchemaScript& script) {
    static const QRegularExpression create(QStringLiteral(R"(CREATE\s+TABLE\s+(\w+\.\w+))"));
    static const QRegularExpression added(
        QStringLiteral(R"(ALTER\s+TABLE\s+(\w+\.\w+)\s+ADD\s+COLUMN\s+(\w+))"));
    if (const auto m = create.match(script.text); m.hasMatch())
        return m.captured(1);
    const auto m = added.match(script.text);
    if (!m.hasMatch())
        return {};
    return QStringLiteral("%1 WHERE %2 IS NULL").arg(m.captured(1), m.captured(2));
}

QList<QPair<int, QString>> versionRows(db::Connection& c) {
    QList<QPair<int, QString>> rows;
    auto rs = c.Query(
        QStringLiteral("SELECT Version, AppliedAt FROM ZEP.tbZEPSchemaVersion ORDER BY Version"));
    for (; !rs.Eof(); rs.MoveNext())
        rows.append(
            {int(rs.Number(QStringLiteral("Version"))), rs.Text(QStringLiteral("AppliedAt"))});
    return rows;
}

// A small world that the rule tests break in one place each.
void seed(db::Connection& c) {
    const auto run = [&](const char* sql, const QVariantList& values) {
        c.Execute(QString::fromLatin1(sql), values);
    };
    run("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, ZEPNum) "
        "VALUES (?, ?, ?, ?)",
        {u"H1"_s, u"DELA CRUZ"_s, u"JUAN"_s, u"Z1"_s});
    run("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, ZEPNum) VALUES (?, ?, ?)",
        {u"H2"_s, u"SANTOS"_s, QVariant()});
    run("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, ZEPNum) VALUES (?, ?, ?)",
        {u"H3"_s, u"REYES"_s, u""_s});
    run("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)",
        {u"1001"_s, u"H1"_s, kStamp});
    run("INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)",
        {u"1001B"_s, u"H2"_s, kStamp});
    run("INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)",
        {u"1001E"_s, u"H2"_s, kStamp});
    run("INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName) VALUES (?, ?)",
        {u"E1"_s, u"WORKER"_s});
    run("INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification) VALUES (?, ?, ?)",
        {u"A1"_s, u"C1"_s, u"Class C1"_s});
    run("INSERT INTO ZEP.tbZEPIntakeSheet (HospNum, UpdatedAt) VALUES (?, ?)", {u"H1"_s, kStamp});
    run("INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES (?, ?, ?)",
        {u"1"_s, u"Counselling"_s, QVariant()});
    run("INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES (?, ?, ?)",
        {u"1.1"_s, u"Individual"_s, u"1"_s});
    run("INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, AssessDate) VALUES (?, ?, ?)",
        {u"1001"_s, u"H1"_s, kStamp});
    run("INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate) VALUES (?, ?, ?)",
        {u"1001"_s, u"H1"_s, kStamp});
    run("INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES (?, ?)",
        {u"C1"_s, u"PCSO"_s});
    run("INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind) "
        "VALUES (?, ?, ?, ?, ?)",
        {u"1001"_s, u"OR-0001"_s, kStamp, 100, u"D"_s});
    run("INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES (?, ?)",
        {u"XR"_s, u"X-RAY"_s});
    run("INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES (?, ?)",
        {u"MD"_s, u"DOCTORS"_s});
}

// Runs one statement in a transaction that is always rolled back, so rows do not disturb
// one another. Returns the SQLSTATE of the failure, or "" when the statement succeeded.
QString tryStatement(db::Connection& c, const QString& sql, const QVariantList& values) {
    db::Transaction t(c);
    try {
        c.Execute(sql, values);
        return QString();
    } catch (const db::Error& e) {
        return e.item().SqlState.isEmpty() ? QStringLiteral("?") : e.item().SqlState;
    }
}

} // namespace

class TstSchema : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> world; // migrated and seeded once, for the rule tests
    QStringList cleanRun;                  // statements of a migration from empty, in order

private slots:
    void initTestCase();
    void freshDatabaseReachesLatest();
    void migrateAgainChangesNothing();
    void failedStepLeavesWholeVersion_data();
    void failedStepLeavesWholeVersion();
    void newerDatabaseIsRefused();
    void rulesRefuse_data();
    void rulesRefuse();
    void rulesAllowValidRows();
    void moneyKeepsTwoDecimals_data();
    void moneyKeepsTwoDecimals();
    void viewsFollowTheirTables();
};

void TstSchema::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    auto c = testdb::empty();
    c->log().clear();
    server::migrate(*c);
    for (const auto& e : c->log().entries())
        cleanRun.append(e.text);

    world = testdb::empty();
    server::migrate(*world);
    seed(*world);
}

void TstSchema::freshDatabaseReachesLatest() {
    auto c = testdb::empty();
    QCOMPARE(server::schemaVersion(*c), 0);
    server::migrate(*c);
    QCOMPARE(server::schemaVersion(*c), server::latestSchemaVersion());

    const auto rows = versionRows(*c);
    QCOMPARE(rows.size(), server::schemaScripts().size());
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows.at(i).first, server::schemaScripts().at(i).version);
        QVERIFY(!rows.at(i).second.isEmpty());
    }
    for (const auto& script : server::schemaScripts())
        if (!probeTable(script).isEmpty())
            QVERIFY2(tableExists(*c, probeTable(script)), qPrintable(probeTable(script)));

    // A second workstation sees the same version.
    auto other = testdb::reopen(*c);
    QCOMPARE(server::schemaVersion(*other), server::latestSchemaVersion());
}

void TstSchema::migrateAgainChangesNothing() {
    auto c = testdb::empty();
    server::migrate(*c);
    const auto before = versionRows(*c);
    c->log().clear();
    server::migrate(*c);
    QCOMPARE(versionRows(*c), before);

    QStringList scriptStatements;
    for (const auto& script : server::schemaScripts())
        for (const QString& st : server::splitSchemaScript(script.text))
            scriptStatements.append(c->dialect().ddl(st));
    for (const auto& e : c->log().entries()) {
        QVERIFY2(!scriptStatements.contains(e.text), qPrintable(e.text));
        QVERIFY2(!e.text.startsWith(QLatin1String("INSERT")), qPrintable(e.text));
    }
}

// A fault at a chosen statement of a migration from empty: the database stays at the last
// whole version (nothing at all when the first step fails), and a second run completes it.
void TstSchema::failedStepLeavesWholeVersion_data() {
    QTest::addColumn<int>("script");    // index into schemaScripts()
    QTest::addColumn<QString>("where"); // "first", "middle", "last" statement or "version"

    const int n = int(server::schemaScripts().size());
    QTest::newRow("first statement of the first step") << 0 << u"first"_s;
    QTest::newRow("middle of the first step") << 0 << u"middle"_s;
    QTest::newRow("version row of the first step") << 0 << u"version"_s;
    if (n > 1) {
        QTest::newRow("first statement of the second step") << 1 << u"first"_s;
        QTest::newRow("last statement of the second step") << 1 << u"last"_s;
    }
    QTest::newRow("middle of the last step") << n - 1 << u"middle"_s;
    QTest::newRow("version row of the last step") << n - 1 << u"version"_s;
}

void TstSchema::failedStepLeavesWholeVersion() {
    QFETCH(int, script);
    QFETCH(QString, where);
    const auto scripts = server::schemaScripts();
    const auto& target = scripts.at(script);

    auto c = testdb::empty();
    // The statements this engine runs (the others' are skipped).
    QStringList statements;
    for (const QString& st : server::splitSchemaScript(target.text))
        if (!c->dialect().ddl(st).isEmpty())
            statements << st;
    QString text;
    if (where == QLatin1String("version")) {
        text = QStringLiteral("INSERT INTO ZEP.tbZEPSchemaVersion");
    } else {
        const int k = where == QLatin1String("first")  ? 0
                      : where == QLatin1String("last") ? int(statements.size()) - 1
                                                       : int(statements.size()) / 2;
        text = c->dialect().ddl(statements.at(k));
    }
    // Position of that statement in a clean run; for the version row, the one of this step.
    int position = -1;
    int versionRowsSeen = 0;
    for (int i = 0; i < cleanRun.size() && position < 0; ++i) {
        if (where == QLatin1String("version")) {
            if (cleanRun.at(i).startsWith(text) && versionRowsSeen++ == script)
                position = i;
        } else if (cleanRun.at(i) == text) {
            position = i;
        }
    }
    QVERIFY2(position >= 0, qPrintable(text));

    c->log().clear();
    c->faults().failStatement(position + 1);
    try {
        server::migrate(*c);
        QFAIL("the migration did not fail");
    } catch (const db::Error& e) {
        QCOMPARE(e.Source(), u"FaultInjection"_s);
        QString failed;
        for (const auto& entry : c->log().entries())
            if (!entry.ok && failed.isEmpty())
                failed = entry.text;
        QCOMPARE(failed, cleanRun.at(position));
    }
    QVERIFY(!c->inTransaction());

    if (script == 0)
        QVERIFY(!tableExists(*c, QStringLiteral("ZEP.tbZEPSchemaVersion")));
    for (int i = 0; i < scripts.size(); ++i)
        if (!probeTable(scripts.at(i)).isEmpty())
            QCOMPARE(tableExists(*c, probeTable(scripts.at(i))), i < script);
    QCOMPARE(server::schemaVersion(*c), script == 0 ? 0 : scripts.at(script - 1).version);

    server::migrate(*c);
    QCOMPARE(server::schemaVersion(*c), server::latestSchemaVersion());
}

void TstSchema::newerDatabaseIsRefused() {
    auto c = testdb::empty();
    server::migrate(*c);
    const int newer = server::latestSchemaVersion() + 1;
    c->Execute(QStringLiteral("INSERT INTO ZEP.tbZEPSchemaVersion (Version, AppliedAt) "
                              "VALUES (?, ?)"),
               {newer, kStamp});
    try {
        server::migrate(*c);
        QFAIL("a newer database was accepted");
    } catch (const db::Error& e) {
        QVERIFY2(e.Description().contains(QString::number(newer)), qPrintable(e.Description()));
        QVERIFY2(e.Description().contains(QString::number(newer - 1)), qPrintable(e.Description()));
    }
    QCOMPARE(server::schemaVersion(*c), newer);
}

void TstSchema::rulesRefuse_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("sqlState");
    const QString unique = QStringLiteral("23505"), fk = QStringLiteral("23503"),
                  check = QStringLiteral("23514");

    // A case number belongs to one hospital number.
    QTest::newRow("case number given to a second patient")
        << u"UPDATE PATIENT_DATA.tbMaster SET ZEPNum = ? WHERE HospNum = ?"_s
        << QVariantList{u"Z1"_s, u"H2"_s} << unique;
    QTest::newRow("new patient with a taken case number")
        << u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, ZEPNum) VALUES (?, ?, ?)"_s
        << QVariantList{u"H9"_s, u"ROXAS"_s, u"Z1"_s} << unique;
    // Keys are keys.
    QTest::newRow("hospital number twice")
        << u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName) VALUES (?, ?)"_s
        << QVariantList{u"H1"_s, u"OTHER"_s} << unique;
    QTest::newRow("second assessment of a visit")
        << u"INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, AssessDate) VALUES (?, ?, ?)"_s
        << QVariantList{u"1001"_s, u"H1"_s, kStamp} << unique;
    QTest::newRow("class code under a second key")
        << u"INSERT INTO ZEP.tbZEPClassification (Type, Code) VALUES (?, ?)"_s
        << QVariantList{u"A2"_s, u"C1"_s} << unique;
    QTest::newRow("second notice in force for an admission")
        << u"INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate) VALUES (?, ?, ?)"_s
        << QVariantList{u"1001"_s, u"H1"_s, kStamp} << unique;
    // Foreign keys within one database refuse orphans.
    QTest::newRow("user without employee")
        << u"INSERT INTO ZEP.tbZEPUser (UserName, EmployeeID, PasswordHash) VALUES (?, ?, ?)"_s
        << QVariantList{u"NOBODY"_s, u"E404"_s, u"x"_s} << fk;
    QTest::newRow("family member without intake sheet")
        << u"INSERT INTO ZEP.tbZEPFamilyMember (HospNum, MemberNo, Name) VALUES (?, ?, ?)"_s
        << QVariantList{u"H2"_s, 1, u"ANA"_s} << fk;
    QTest::newRow("service of a visit without assessment")
        << u"INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES (?, ?, ?)"_s
        << QVariantList{u"2002"_s, u"1"_s, 1} << fk;
    QTest::newRow("service code not in the catalogue")
        << u"INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES (?, ?, ?)"_s
        << QVariantList{u"1001"_s, u"7.7"_s, 1} << fk;
    QTest::newRow("service under a missing parent")
        << u"INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES (?, ?, ?)"_s
        << QVariantList{u"2.1"_s, u"Orphan"_s, u"2"_s} << fk;
    QTest::newRow("admission of an unknown patient")
        << u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)"_s
        << QVariantList{u"1002"_s, u"H404"_s, kStamp} << fk;
    QTest::newRow("fund of an unknown sponsor")
        << u"INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, HospNum, CompanyID, Amount, "
           "TransDate) VALUES (?, ?, ?, ?, ?)"_s
        << QVariantList{u"ACC1"_s, u"H1"_s, u"C404"_s, 100, kStamp} << fk;
    QTest::newRow("item of an unknown revenue centre")
        << u"INSERT INTO BUILD_FILE.tbCoRevenueItem (RevenueID, ItemID, ItemName) VALUES (?, ?, ?)"_s
        << QVariantList{u"ZZ"_s, u"I1"_s, u"X"_s} << fk;
    // Checks.
    QTest::newRow("last name not in upper case")
        << u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName) VALUES (?, ?)"_s
        << QVariantList{u"H8"_s, u"Santos"_s} << check;
    QTest::newRow("admission number with a letter")
        << u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)"_s
        << QVariantList{u"10A2"_s, u"H1"_s, kStamp} << check;
    QTest::newRow("out-patient number not ending in B")
        << u"INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)"_s
        << QVariantList{u"1002"_s, u"H1"_s, kStamp} << check;
    QTest::newRow("ER number not ending in E")
        << u"INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)"_s
        << QVariantList{u"1002B"_s, u"H1"_s, kStamp} << check;
    QTest::newRow("visit class other than P or S")
        << u"UPDATE PATIENT_DATA.tbPatient2 SET PatientClass = ? WHERE IdNum = ?"_s
        << QVariantList{u"X"_s, u"1001"_s} << check;
    QTest::newRow("discharge before admission")
        << u"UPDATE PATIENT_DATA.tbPatient2 SET DcrDate = ? WHERE IdNum = ?"_s
        << QVariantList{u"2024-01-04 08:00:00"_s, u"1001"_s} << check;
    QTest::newRow("PCSO type without the PCSO tag")
        << u"UPDATE ZEP.tbZEPAssessment SET PCSOType = ? WHERE IdNum = ?"_s
        << QVariantList{u"E"_s, u"1001"_s} << check;
    QTest::newRow("flag other than 0 or 1")
        << u"UPDATE ZEP.tbZEPAssessment SET IsSpecial = ? WHERE IdNum = ?"_s
        << QVariantList{2, u"1001"_s} << check;
    QTest::newRow("active other than Y or N")
        << u"UPDATE ZEP.tbZEPAssessment SET Active = ? WHERE IdNum = ?"_s
        << QVariantList{u"1"_s, u"1001"_s} << check;
    QTest::newRow("discount fraction above 1")
        << u"UPDATE ZEP.tbZEPClassification SET Procedures = ? WHERE Type = ?"_s
        << QVariantList{1.01, u"A1"_s} << check;
    QTest::newRow("discount fraction below 0")
        << u"UPDATE ZEP.tbZEPClassification SET Room = ? WHERE Type = ?"_s
        << QVariantList{-0.01, u"A1"_s} << check;
    QTest::newRow("class row under an empty key")
        << u"INSERT INTO ZEP.tbZEPClassification (Type, Code) VALUES (?, ?)"_s
        << QVariantList{u""_s, u"C9"_s} << check;
    QTest::newRow("service code holding the letter A")
        << u"INSERT INTO ZEP.tbZEPServiceCategory (Code, Description) VALUES (?, ?)"_s
        << QVariantList{u"1A"_s, u"Bad"_s} << check;
    QTest::newRow("class deletion with a five-letter reason")
        << u"INSERT INTO ZEP.tbZEPPatClassHistoryDeletion (HistoryID, IdNum, PatientClass, "
           "TransDate, Reason, DeletedAt) VALUES (?, ?, ?, ?, ?, ?)"_s
        << QVariantList{1, u"1001"_s, u"P"_s, kStamp, u"  abcde  "_s, kStamp} << check;
    QTest::newRow("clearance without the clearing user")
        << u"UPDATE ZEP.tbZEPDischargeNotice SET ClearDate = ? WHERE IdNum = ?"_s
        << QVariantList{kStamp, u"1001"_s} << check;
    // Payments: a receipt number once, a positive amount to the centavo, a known kind.
    const QString payment = u"INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, "
                            "Amount, Kind) VALUES (?, ?, ?, ?, ?)"_s;
    QTest::newRow("receipt number used twice")
        << payment << QVariantList{u"1001B"_s, u"OR-0001"_s, kStamp, 50, u"P"_s} << unique;
    QTest::newRow("payment of nothing")
        << payment << QVariantList{u"1001"_s, u"OR-0002"_s, kStamp, 0, u"P"_s} << check;
    QTest::newRow("refund written as a negative payment")
        << payment << QVariantList{u"1001"_s, u"OR-0002"_s, kStamp, -50, u"P"_s} << check;
    QTest::newRow("payment of an unknown kind")
        << payment << QVariantList{u"1001"_s, u"OR-0002"_s, kStamp, 50, u"X"_s} << check;
    QTest::newRow("payment without a receipt number")
        << payment << QVariantList{u"1001"_s, u""_s, kStamp, 50, u"D"_s} << check;
}

void TstSchema::rulesRefuse() {
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    QFETCH(QString, sqlState);
    QCOMPARE(tryStatement(*world, sql, values), sqlState);
}

// What the rules must not refuse: patients without a case number, a new notice once the
// earlier one is revoked, a PCSO type with the tag, a six-letter reason.
void TstSchema::rulesAllowValidRows() {
    db::Connection& c = *world;
    db::Transaction t(c);
    c.Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, ZEPNum) VALUES (?, ?, ?)"_s,
              {u"H4"_s, u"PEÑA"_s, u""_s});
    c.Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, ZEPNum) VALUES (?, ?, ?)"_s,
              {u"H5"_s, u"CRUZ"_s, QVariant()});
    c.Execute(u"UPDATE ZEP.tbZEPDischargeNotice SET RevokedAt = ?, RevokedBy = ? WHERE IdNum = ?"_s,
              {kStamp, u"E1"_s, u"1001"_s});
    c.Execute(
        u"INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate) VALUES (?, ?, ?)"_s,
        {u"1001"_s, u"H1"_s, kStamp});
    c.Execute(u"UPDATE ZEP.tbZEPAssessment SET IsPCSO = ?, PCSOType = ? WHERE IdNum = ?"_s,
              {1, u"G"_s, u"1001"_s});
    c.Execute(u"INSERT INTO ZEP.tbZEPPatClassHistoryDeletion (HistoryID, IdNum, PatientClass, "
              "TransDate, Reason, DeletedAt) VALUES (?, ?, ?, ?, ?, ?)"_s,
              {1, u"1001"_s, u"P"_s, kStamp, u" abcdef "_s, kStamp});
    c.Execute(
        u"INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES (?, ?, ?)"_s,
        {u"1001"_s, u"1.1"_s, 1});
    auto rs = c.Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPDischargeNotice WHERE IdNum = ?"_s,
                      {u"1001"_s});
    QCOMPARE(rs.Number(u"n"_s), 2.0);
    t.rollback();
}

void TstSchema::moneyKeepsTwoDecimals_data() {
    QTest::addColumn<QVariant>("amount");
    QTest::addColumn<double>("stored"); // what must read back; NaN: refused or rounded to `rounded`
    QTest::addColumn<double>("rounded");
    const double refusedOrRounded = std::nan("");
    QTest::newRow("whole amount") << QVariant(1500) << 1500.0 << 0.0;
    QTest::newRow("two decimals") << QVariant(1234.56) << 1234.56 << 0.0;
    QTest::newRow("two decimals as text") << QVariant(u"0.10"_s) << 0.1 << 0.0;
    QTest::newRow("largest amount") << QVariant(u"999999999999.99"_s) << 999999999999.99 << 0.0;
    QTest::newRow("credit line") << QVariant(-150.75) << -150.75 << 0.0;
    QTest::newRow("three decimals") << QVariant(12.345) << refusedOrRounded << 12.35;
    QTest::newRow("pro-rata share") << QVariant(1000.0 * 300 / 700) << refusedOrRounded << 428.57;
}

// Both engines keep money to two decimals: PostgreSQL rounds, SQLite refuses a value with
// more; neither ever stores the extra digits.
void TstSchema::moneyKeepsTwoDecimals() {
    QFETCH(QVariant, amount);
    QFETCH(double, stored);
    QFETCH(double, rounded);
    db::Connection& c = *world;
    db::Transaction t(c);
    bool refused = false;
    try {
        c.Execute(u"INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Amount, TransDate) "
                  "VALUES (?, ?, ?, ?)"_s,
                  {u"1001"_s, u"LB"_s, amount, kStamp});
    } catch (const db::Error& e) {
        QCOMPARE(e.item().SqlState, u"23514"_s);
        refused = true;
    }
    if (!std::isnan(stored)) {
        QVERIFY(!refused);
    }
    if (!refused) {
        auto rs =
            c.Query(u"SELECT Amount FROM BILLING.tbBillDailyBill WHERE IdNum = ?"_s, {u"1001"_s});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Number(u"Amount"_s), std::isnan(stored) ? rounded : stored);
    }
    t.rollback();
}

// The tables that screens read as views show the rows of the tables beneath, also to a
// second connection.
void TstSchema::viewsFollowTheirTables() {
    db::Connection& c = *world;
    db::Transaction t(c);
    const QString item = u"INSERT INTO BUILD_FILE.tbCoRevenueItem (RevenueID, ItemID, ItemName, "
                         "RateA) VALUES (?, ?, ?, ?)"_s;
    c.Execute(item, {u"XR"_s, u"X01"_s, u"CHEST PA"_s, 350});
    c.Execute(item, {u"MD"_s, u"M01"_s, u"CONSULT"_s, 500});

    auto xray = c.Query(u"SELECT XrayExamID, XrayExam, RateA FROM BUILD_FILE.tbCoXrayExam"_s);
    QCOMPARE(xray.RecordCount(), 1);
    QCOMPARE(xray.Text(u"XrayExamID"_s), u"X01"_s);
    QCOMPARE(xray.Number(u"RateA"_s), 350.0);
    auto other =
        c.Query(u"SELECT OtherRevenueID, OtherSectionID FROM BUILD_FILE.tbCoOtherRevenue"_s);
    QCOMPARE(other.RecordCount(), 1);
    QCOMPARE(other.Text(u"OtherSectionID"_s), u"MD"_s);

    c.Execute(u"UPDATE ZEP.tbZEPClassification SET Classification = ? WHERE Type = ?"_s,
              {u"Renamed"_s, u"A1"_s});
    auto scheme = c.Query(u"SELECT Code, Classification FROM ZEP.tbZEPClassificationScheme"_s);
    QCOMPARE(scheme.RecordCount(), 1);
    QCOMPARE(scheme.Text(u"Classification"_s), u"Renamed"_s);
    c.Execute(u"DELETE FROM ZEP.tbZEPClassification WHERE Type = ?"_s, {u"A1"_s});
    QCOMPARE(c.Query(u"SELECT Code FROM ZEP.tbZEPClassificationScheme"_s).RecordCount(), 0);
    t.rollback();

    auto second = testdb::reopen(c);
    QCOMPARE(second->Query(u"SELECT Code FROM ZEP.tbZEPClassificationScheme"_s).RecordCount(), 1);
    QCOMPARE(second->Query(u"SELECT HSExamID FROM BUILD_FILE.tbCoHSExam"_s).RecordCount(), 0);
}

QTEST_GUILESS_MAIN(TstSchema)
#include "tst_schema.moc"
