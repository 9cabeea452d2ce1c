// The database files as other tools meet them: each embedded file opened alone (a backup, an
// inspection, an administrator's sqlite3) is sound and its views read; a database made before
// the views named only their own file's tables is mended by the upgrade; and the views read
// the same through the workstation's connection on both engines.
#include "testdb.h"

#include "db/connection.h"
#include "server/schemascript.h"
#include "server/server.h"

#include <QDir>
#include <QTest>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// The version the views were last made at with their own database in them.
const int kOldViews = 5;

// A database brought to `version` by the scripts up to it, as an older program left it.
void migrateTo(db::Connection& c, int version) {
    c.Execute(c.dialect().ddl(u"CREATE TABLE IF NOT EXISTS ZEP.tbZEPSchemaVersion (Version "
                              "INTEGER PRIMARY KEY, AppliedAt TIMESTAMP NOT NULL)"_s));
    for (const auto& script : server::schemaScripts()) {
        if (script.version > version)
            break;
        db::Transaction t(c);
        for (const QString& st : server::splitSchemaScript(script.text))
            if (const QString sql = c.dialect().ddl(st); !sql.isEmpty())
                c.Execute(sql);
        c.Execute(u"INSERT INTO ZEP.tbZEPSchemaVersion (Version, AppliedAt) VALUES (?, ?)"_s,
                  {script.version, u"2026-01-05 08:00:00"_s});
        t.commit();
    }
}

// One item in each revenue centre the views tell apart, and one class.
void seed(db::Connection& c) {
    for (const char* rc : {"LB", "XR", "US", "CT", "NU", "PT", "PA", "HS", "MD"}) {
        const QString code = QString::fromLatin1(rc);
        c.Execute(u"INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES (?, ?)"_s,
                  {code, u"CENTRE "_s + code});
        c.Execute(u"INSERT INTO BUILD_FILE.tbCoRevenueItem (RevenueID, ItemID, ItemName, "
                  "SectionID, RateA) VALUES (?, ?, ?, ?, ?)"_s,
                  {code, u"I"_s + code, u"ITEM "_s + code, u"S"_s + code, 125.5});
    }
    c.Execute(u"INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification) VALUES (?, ?, ?)"_s,
              {u"A1"_s, u"C1"_s, u"Class C1"_s});
    // A visit with one charge line paid from a sponsor's fund, for the billing views.
    c.Execute(u"INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES (?, ?)"_s,
              {u"PC"_s, u"PCSO"_s});
    c.Execute(u"INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, HospNum, CompanyID, Amount, "
              "TransDate) VALUES (?, ?, ?, ?, ?)"_s,
              {u"AC1"_s, u"H1"_s, u"PC"_s, 1000, u"2026-01-05 08:00:00"_s});
    c.Execute(u"INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Amount, TransDate, "
              "CDFAccountNum) VALUES (?, ?, ?, ?, ?)"_s,
              {u"1001"_s, u"LB"_s, 125.5, u"2026-01-05 09:00:00"_s, u"AC1"_s});
    c.Execute(u"INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Amount, TransDate) "
              "VALUES (?, ?, ?, ?)"_s,
              {u"1001"_s, u"XR"_s, 300, u"2026-01-05 10:00:00"_s});
}

// A file opened alone with the engine's own library, read-only, nothing attached.
class AloneFile {
public:
    explicit AloneFile(const QString& path) {
        open_ = sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) ==
                SQLITE_OK;
    }
    ~AloneFile() { sqlite3_close(db_); }
    bool isOpen() const { return open_; }
    // The rows of a statement, each value as text; on failure, the engine's message in `error`.
    QList<QStringList> rows(const QString& sql, QString* error) const {
        QList<QStringList> out;
        sqlite3_stmt* st = nullptr;
        const QByteArray text = sql.toUtf8();
        int rc = sqlite3_prepare_v2(db_, text.constData(), -1, &st, nullptr);
        while (rc == SQLITE_OK || rc == SQLITE_ROW) {
            if ((rc = sqlite3_step(st)) != SQLITE_ROW)
                break;
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
            out << row;
        }
        if (rc != SQLITE_DONE && error)
            *error = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_finalize(st);
        return out;
    }

private:
    sqlite3* db_ = nullptr;
    bool open_ = false;
};

QString filePath(const db::Connection& c, const QString& name) {
    return QDir(c.settings().folder).filePath(name + u".db"_s);
}

} // namespace

class TstDbFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> made;     // made at the latest version
    std::unique_ptr<db::Connection> upgraded; // made by the older scripts, then upgraded

private slots:
    void initTestCase();
    void oldViewsSpoilTheFileAlone();
    void eachFileOpensAlone_data();
    void eachFileOpensAlone();
    void viewsReadThroughTheConnection_data();
    void viewsReadThroughTheConnection();
    void failedRewriteKeepsTheViews();
};

void TstDbFiles::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    server::registerProcedures();
    made = testdb::empty();
    server::migrate(*made);
    seed(*made);
    upgraded = testdb::empty();
    migrateTo(*upgraded, kOldViews);
    seed(*upgraded);
}

// What the upgrade mends: before it, the files that hold views read as malformed when opened
// alone, and the files without views are sound.
void TstDbFiles::oldViewsSpoilTheFileAlone() {
    if (testdb::isPg())
        QSKIP("the server keeps no files of its own");
    auto old = testdb::empty();
    migrateTo(*old, kOldViews);
    const AloneFile build(filePath(*old, u"BUILD_FILE"_s));
    QString error;
    build.rows(u"PRAGMA integrity_check"_s, &error);
    QCOMPARE(error, u"malformed database schema (tbCoLabExam) - view tbCoLabExam cannot "
                    "reference objects in database BUILD_FILE"_s);
    const AloneFile patients(filePath(*old, u"PATIENT_DATA"_s));
    error.clear();
    QCOMPARE(patients.rows(u"PRAGMA integrity_check"_s, &error), QList<QStringList>{{u"ok"_s}});
    QCOMPARE(error, QString());

    server::migrate(*old);
    QCOMPARE(server::schemaVersion(*old), server::latestSchemaVersion());
    const AloneFile mended(filePath(*old, u"BUILD_FILE"_s));
    error.clear();
    QCOMPARE(mended.rows(u"PRAGMA integrity_check"_s, &error), QList<QStringList>{{u"ok"_s}});
    QCOMPARE(error, QString());
}

void TstDbFiles::eachFileOpensAlone_data() {
    QTest::addColumn<bool>("upgrade");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("views");
    // The first row each view gives alone: a code and a name.
    QTest::addColumn<QList<QStringList>>("firstRows");

    const QStringList buildViews{u"tbCoCTExam"_s,       u"tbCoHSExam"_s,   u"tbCoLabExam"_s,
                                 u"tbCoNucExam"_s,      u"tbCoOtherRevenue"_s, u"tbCoPTExam"_s,
                                 u"tbCoRTSExam"_s,      u"tbCoUltraExam"_s, u"tbCoXrayExam"_s};
    const QList<QStringList> buildRows{
        {u"ICT"_s, u"ITEM CT"_s}, {u"IHS"_s, u"ITEM HS"_s}, {u"ILB"_s, u"ITEM LB"_s},
        {u"INU"_s, u"ITEM NU"_s}, {u"IMD"_s, u"ITEM MD"_s}, {u"IPT"_s, u"ITEM PT"_s},
        {u"IPA"_s, u"ITEM PA"_s}, {u"IUS"_s, u"ITEM US"_s}, {u"IXR"_s, u"ITEM XR"_s}};
    for (const bool upgrade : {false, true}) {
        const char* how = upgrade ? "upgraded" : "made new";
        QTest::addRow("%s, ZEP", how) << upgrade << u"ZEP"_s
                                      << QStringList{u"tbZEPClassificationScheme"_s}
                                      << QList<QStringList>{{u"C1"_s, u"Class C1"_s}};
        QTest::addRow("%s, BUILD_FILE", how) << upgrade << u"BUILD_FILE"_s << buildViews << buildRows;
        QTest::addRow("%s, BILLING", how)
            << upgrade << u"BILLING"_s
            << QStringList{u"vwBillVisitMoney"_s, u"vwBillVisitPayer"_s}
            << QList<QStringList>{{u"1001"_s, u"1"_s}, {u"1001"_s, u"AC1"_s}};
        for (const char* file : {"PATIENT_DATA", "RADIOLOGY", "main"})
            QTest::addRow("%s, %s", how, file) << upgrade << QString::fromLatin1(file)
                                               << QStringList() << QList<QStringList>();
    }
}

void TstDbFiles::eachFileOpensAlone() {
    QFETCH(bool, upgrade);
    QFETCH(QString, file);
    QFETCH(QStringList, views);
    QFETCH(QList<QStringList>, firstRows);
    if (testdb::isPg())
        QSKIP("the server keeps no files of its own");
    db::Connection& c = upgrade ? *upgraded : *made;
    if (upgrade && server::schemaVersion(c) == kOldViews)
        server::migrate(c);
    QCOMPARE(server::schemaVersion(c), server::latestSchemaVersion());

    const AloneFile alone(filePath(c, file));
    QVERIFY(alone.isOpen());
    QString error;
    QCOMPARE(alone.rows(u"PRAGMA integrity_check"_s, &error), QList<QStringList>{{u"ok"_s}});
    QCOMPARE(error, QString());

    QStringList found;
    for (const QStringList& r :
         alone.rows(u"SELECT name FROM sqlite_master WHERE type = 'view' ORDER BY name"_s, &error))
        found << r.first();
    QCOMPARE(found, views);
    for (int i = 0; i < views.size(); ++i) {
        // Every column of the view, then its code and name (the first two columns).
        const QList<QStringList> all = alone.rows(u"SELECT * FROM "_s + views.at(i), &error);
        QCOMPARE(error, QString());
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first().mid(0, 2), firstRows.at(i));
    }
}

// The views through the workstation's connection, with the files attached (or the server's
// schemas), on a database made new and on one upgraded from the older views.
void TstDbFiles::viewsReadThroughTheConnection_data() {
    QTest::addColumn<bool>("upgrade");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("expected");

    for (const bool upgrade : {false, true}) {
        const char* how = upgrade ? "upgraded" : "made new";
        QTest::addRow("%s, classes", how)
            << upgrade << u"SELECT Code, Classification FROM ZEP.tbZEPClassificationScheme"_s
            << QStringList{u"C1|Class C1"_s};
        QTest::addRow("%s, laboratory", how)
            << upgrade << u"SELECT LabExamID, LabExam, LabSectionID, RateA FROM BUILD_FILE.tbCoLabExam"_s
            << QStringList{u"ILB|ITEM LB|SLB|125.5"_s};
        QTest::addRow("%s, x-ray", how)
            << upgrade << u"SELECT XrayExamID, XrayExam, XraySectionID, RateA FROM BUILD_FILE.tbCoXrayExam"_s
            << QStringList{u"IXR|ITEM XR|SXR|125.5"_s};
        QTest::addRow("%s, rehabilitation", how)
            << upgrade << u"SELECT RTSExamID, RTSExam, RTSSectionID, RateA FROM BUILD_FILE.tbCoRTSExam"_s
            << QStringList{u"IPA|ITEM PA|SPA|125.5"_s};
        QTest::addRow("%s, other revenue", how)
            << upgrade
            << u"SELECT OtherRevenueID, OtherRevenue, OtherSectionID, RateA FROM BUILD_FILE.tbCoOtherRevenue"_s
            << QStringList{u"IMD|ITEM MD|MD|125.5"_s};
        QTest::addRow("%s, visit money", how)
            << upgrade
            << u"SELECT IdNum, PatientGroup, Gross, Sponsor, Net, Balance FROM BILLING.vwBillVisitMoney"_s
            << QStringList{u"1001|1|425.5|125.5|300|300"_s};
        QTest::addRow("%s, visit payer", how)
            << upgrade << u"SELECT IdNum, AccountNum, Company FROM BILLING.vwBillVisitPayer"_s
            << QStringList{u"1001|AC1|PCSO"_s};
    }
}

void TstDbFiles::viewsReadThroughTheConnection() {
    QFETCH(bool, upgrade);
    QFETCH(QString, sql);
    QFETCH(QStringList, expected);
    db::Connection& c = upgrade ? *upgraded : *made;
    if (upgrade && server::schemaVersion(c) == kOldViews)
        server::migrate(c);
    QStringList got;
    for (auto rs = c.Query(sql); !rs.Eof(); rs.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rs.FieldCount(); ++i)
            row << rs.Text(i);
        got << row.join(QLatin1Char('|'));
    }
    QCOMPARE(got, expected);
}

// A fault half-way through the views' rewrite: the database stays at the older version with
// every view still there and reading, and the next upgrade completes.
void TstDbFiles::failedRewriteKeepsTheViews() {
    // Where in an upgrade the fifth view is dropped, from a clean upgrade of its own.
    auto clean = testdb::empty();
    migrateTo(*clean, kOldViews);
    clean->log().clear();
    server::migrate(*clean);
    int position = -1;
    const auto& entries = clean->log().entries();
    for (int i = 0; i < entries.size() && position < 0; ++i)
        if (entries.at(i).text == u"DROP VIEW BUILD_FILE.tbCoNucExam"_s)
            position = i;
    QVERIFY(position > 0);

    auto c = testdb::empty();
    migrateTo(*c, kOldViews);
    seed(*c);
    c->faults().failStatement(position + 1);
    QVERIFY_THROWS_EXCEPTION(db::Error, server::migrate(*c));
    QVERIFY(!c->inTransaction());
    QCOMPARE(server::schemaVersion(*c), kOldViews);
    for (const char* sql : {"SELECT LabExamID FROM BUILD_FILE.tbCoLabExam",
                            "SELECT NucExamID FROM BUILD_FILE.tbCoNucExam",
                            "SELECT OtherRevenueID FROM BUILD_FILE.tbCoOtherRevenue",
                            "SELECT Code FROM ZEP.tbZEPClassificationScheme"})
        QCOMPARE(c->Query(QString::fromLatin1(sql)).RecordCount(), 1);

    server::migrate(*c);
    QCOMPARE(server::schemaVersion(*c), server::latestSchemaVersion());
    QCOMPARE(c->Query(u"SELECT NucExamID FROM BUILD_FILE.tbCoNucExam"_s).Text(0), u"INU"_s);
}

QTEST_GUILESS_MAIN(TstDbFiles)
#include "tst_dbfiles.moc"
