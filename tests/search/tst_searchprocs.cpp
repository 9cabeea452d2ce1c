// The patient search procedures over a small hospital: which rows each criterion finds,
// the columns the list reads, and the cap.
#include "testdb.h"

#include "db/connection.h"
#include "server/search.h"

#include <QDate>
#include <QMap>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString today = QDate::currentDate().toString(Qt::ISODate);
const QString lastYear = QDate::currentDate().addYears(-1).toString(Qt::ISODate);

void seed(db::Connection& c) {
    const auto master = [&](const char* hosp, const char* last, const char* first,
                            const char* middle, const char* zep) {
        c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, "
                                 "MiddleName, HouseStreet, Town, Province, ZEPNum) "
                                 "VALUES (?,?,?,?,?,?,?,?)"),
                  {QString::fromLatin1(hosp), QString::fromUtf8(last), QString::fromLatin1(first),
                   QString::fromLatin1(middle), QStringLiteral("12 Mabini St."),
                   QStringLiteral("Malolos"), QStringLiteral("Bulacan"), QString::fromLatin1(zep)});
    };
    master("H001", "DELA CRUZ", "JUAN", "SANTOS", "Z-1");
    master("H002", "DELACRUZ", "ANA", "", "");
    master("H003", "SANTOS", "PEDRO", "REYES", "");
    master("H004", "O`BRIEN", "MARY", "", "Z-2");
    master("H005", "ZAMORA", "LITO", "", "");
    c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbRoom (RoomID) VALUES ('301'), ('302')"));
    const auto adm = [&](const char* id, const char* hosp, const QString& at, bool discharged,
                         const char* room) {
        c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, "
                                 "DcrDate, RoomID) VALUES (?,?,?,?,?)"),
                  {QString::fromLatin1(id), QString::fromLatin1(hosp), at + QStringLiteral(" 08:00:00"),
                   discharged ? QVariant(at + QStringLiteral(" 18:00:00")) : QVariant(),
                   QString::fromLatin1(room)});
    };
    adm("1001", "H001", lastYear, true, "301");
    adm("1002", "H001", today, false, "302");
    adm("1003", "H003", today, false, "301");
    const auto visit = [&](const char* table, const char* id, const char* hosp, const QString& at) {
        c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.%1 (IdNum, HospNum, AdmDate) VALUES (?,?,?)")
                      .arg(QLatin1String(table)),
                  {QString::fromLatin1(id), QString::fromLatin1(hosp), at + QStringLiteral(" 09:30:00")});
    };
    visit("tbOutPatient", "5001B", "H002", today);
    visit("tbOutPatient", "5002B", "H004", lastYear);
    visit("tbERMaster", "7001E", "H005", today);
    visit("tbERMaster", "7002E", "H001", lastYear);
    c.Execute(QStringLiteral("INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Amount, "
                             "TransDate) VALUES ('1002', 'LAB', 150.00, ?)"),
              {today + QStringLiteral(" 10:00:00")});
}

struct LoggedCommandCopy {
    QString text;
    QStringList values;
};

// A hospital of names that begin alike, each patient with one visit (so that no two rows
// share a name and the order is the names' order alone).
void seedNames(db::Connection& c) {
    const auto patient = [&](const char* hosp, const char* last, const char* first,
                             const char* middle, const char* zep, const char* table,
                             const char* visit) {
        c.Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, "
                  "ZEPNum) VALUES (?,?,?,?,?)"_s,
                  {QString::fromLatin1(hosp), QString::fromLatin1(last), QString::fromLatin1(first),
                   QString::fromLatin1(middle), QString::fromLatin1(zep)});
        c.Execute(u"INSERT INTO PATIENT_DATA.%1 (IdNum, HospNum, AdmDate) VALUES (?,?,?)"_s.arg(
                      QLatin1String(table)),
                  {QString::fromLatin1(visit), QString::fromLatin1(hosp), lastYear + u" 08:00:00"_s});
    };
    patient("H201", "SANTOS", "PEDRO", "ABAD", "Z-201", "tbPatient2", "2001");
    patient("H202", "SANTOS", "PEDRITO", "BAUTISTA", "", "tbPatient2", "2002");
    patient("H203", "SANTOS", "PEDROSA", "CRUZ", "Z-203", "tbOutPatient", "2003B");
    patient("H204", "SANTOS", "JUAN", "DIAZ", "Z-204", "tbPatient2", "2004");
    patient("H205", "SANTOSA", "PEDRO", "ESTRADA", "Z-205", "tbPatient2", "2005");
    patient("H206", "SANTOS-REYES", "PEDRO", "FLORES", "", "tbERMaster", "2006E");
    patient("H207", "SANTOS CRUZ", "PEDRO", "GARCIA", "", "tbPatient2", "2007");
    patient("H208", "SANTO", "PEDRO", "HERRERA", "", "tbPatient2", "2008");
    patient("H209", "SANTOS", "PEDRO", "AQUINO", "", "tbPatient2", "2009");
    patient("H210", "SANTOSA", "ANA", "", "", "tbPatient2", "2010");
}

// The visit numbers of the rows in the order they came.
QStringList idsInOrder(db::Recordset rs) {
    QStringList out;
    for (; !rs.Eof(); rs.MoveNext())
        out << rs.Text(QStringLiteral("IDNUM"));
    return out;
}

QStringList ids(db::Recordset rs) {
    QStringList out;
    for (; !rs.Eof(); rs.MoveNext())
        out << rs.Text(QStringLiteral("IDNUM"));
    out.sort();
    return out;
}

} // namespace

class tst_searchprocs : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        c = testdb::fresh();
        seed(*c);
    }

    void finds_data() {
        QTest::addColumn<QString>("proc");
        QTest::addColumn<QStringList>("args"); // hosp, last, adm, first, middle
        QTest::addColumn<QStringList>("found");
        const QString in = QStringLiteral("ZEP..sp_ZEP_LoadInPatient");
        const QString out = QStringLiteral("ZEP..sp_ZEP_LoadOutPatient");
        const QString er = QStringLiteral("ZEP..sp_ZEP_LoadERPatient");
        const QString all = QStringLiteral("ZEP..sp_ZEP_LoadAllServicePatient");
        const QString zep = QStringLiteral("ZEP..sp_ZEP_LoadZEPPatient");
        const QStringList none{{}, {}, {}, {}, {}};
        auto L = [](std::initializer_list<const char*> l) {
            QStringList s;
            for (auto* x : l)
                s << QString::fromLatin1(x);
            return s;
        };
        QTest::newRow("in: nothing = admitted now") << in << none << L({"1002", "1003"});
        QTest::newRow("in: hospital number, past too") << in << L({"H001", "", "", "", ""}) << L({"1001", "1002"});
        QTest::newRow("in: admission number") << in << L({"", "", "1001", "", ""}) << L({"1001"});
        QTest::newRow("in: last-name prefix") << in << L({"", "DELA", "", "", ""}) << L({"1001", "1002"});
        QTest::newRow("in: prefix is case-blind") << in << L({"", "dela cr", "", "", ""}) << L({"1001", "1002"});
        QTest::newRow("in: first name narrows") << in << L({"", "SAN", "", "PED", ""}) << L({"1003"});
        QTest::newRow("in: no match") << in << L({"", "XYZ", "", "", ""}) << QStringList();
        QTest::newRow("in: number and other patient") << in << L({"H003", "", "1001", "", ""}) << QStringList();
        QTest::newRow("out: nothing = today") << out << none << L({"5001B"});
        QTest::newRow("out: grave accent name") << out << L({"", "O`B", "", "", ""}) << L({"5002B"});
        QTest::newRow("er: nothing = today") << er << none << L({"7001E"});
        QTest::newRow("er: hospital number") << er << L({"H001", "", "", "", ""}) << L({"7002E"});
        QTest::newRow("er: last letter of the alphabet") << er << L({"", "Z", "", "", ""}) << L({"7001E"});
        QTest::newRow("all: every kind of visit") << all << L({"H001", "", "", "", ""}) << L({"1001", "1002", "7002E"});
        QTest::newRow("all: by name") << all << L({"", "DELACR", "", "", ""}) << L({"5001B"});
        QTest::newRow("zep: case holders, latest visit") << zep << none << L({"1002", "5002B"});
        QTest::newRow("zep: by name") << zep << L({"", "O", "", "", ""}) << L({"5002B"});
        QTest::newRow("zep: by visit") << zep << L({"", "", "1002", "", ""}) << L({"1002"});
        QTest::newRow("like characters are literal") << all << L({"", "D%", "", "", ""}) << QStringList();
        QTest::newRow("underscore is literal") << all << L({"", "D_LA", "", "", ""}) << QStringList();
    }
    void finds() {
        QFETCH(QString, proc);
        QFETCH(QStringList, args);
        QFETCH(QStringList, found);
        QVariantList values;
        for (const auto& a : args)
            values << a;
        QCOMPARE(ids(c->Call(proc, values)), found);
    }

    void columnsTheListReads() {
        auto rs = c->Call(QStringLiteral("ZEP..sp_ZEP_LoadInPatient"),
                          {QString(), QString(), QStringLiteral("1002"), QString(), QString()});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(QStringLiteral("HospNum")), QStringLiteral("H001"));
        QCOMPARE(rs.Text(QStringLiteral("LastName")), QStringLiteral("DELA CRUZ"));
        QCOMPARE(rs.Text(QStringLiteral("FirstName")), QStringLiteral("JUAN"));
        QCOMPARE(rs.Text(QStringLiteral("MiddleName")), QStringLiteral("SANTOS"));
        QCOMPARE(rs.Text(QStringLiteral("RoomID")), QStringLiteral("302"));
        QCOMPARE(rs.Text(QStringLiteral("ZEP")), QStringLiteral("Z-1"));
        QCOMPARE(rs.Text(QStringLiteral("Address")), QStringLiteral("12 Mabini St., Malolos, Bulacan"));
        QVERIFY(rs.Text(QStringLiteral("AdmDate")).startsWith(today));
        QCOMPARE(rs.Text(QStringLiteral("dcrdate")), QString());
        QVERIFY(rs.Text(QStringLiteral("BillingDate")).startsWith(today));

        // All Patients gives the same row, its charge read from the admissions' bill, and an
        // ER visit without charges has none.
        auto all = c->Call(QStringLiteral("ZEP..sp_ZEP_LoadAllServicePatient"),
                           {QStringLiteral("H001"), QString(), QString(), QString(), QString()});
        QCOMPARE(all.RecordCount(), 3);
        QMap<QString, QString> billed, rooms;
        for (; !all.Eof(); all.MoveNext()) {
            billed[all.Text(QStringLiteral("IDNUM"))] = all.Text(QStringLiteral("BillingDate"));
            rooms[all.Text(QStringLiteral("IDNUM"))] = all.Text(QStringLiteral("RoomID"));
        }
        QVERIFY(billed.value(QStringLiteral("1002")).startsWith(today));
        QCOMPARE(billed.value(QStringLiteral("7002E")), QString());
        QCOMPARE(rooms.value(QStringLiteral("1001")), QStringLiteral("301"));
        QCOMPARE(rooms.value(QStringLiteral("7002E")), QString());
    }

    // The latest visit that the ZEP list shows is kept on the master record by the visit
    // tables' triggers: it must follow every change to the visits, whichever the table.
    void latestVisitFollowsTheVisits_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("latest"); // "H1 latest, H2 latest"
        const QString p2 = QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES ");
        const QString op = QStringLiteral("INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) VALUES ");
        const QString er = QStringLiteral("INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate) VALUES ");
        QTest::newRow("newest of three kinds")
            << QStringList{p2 + u"('91', 'H1', '2024-01-01 08:00:00')"_s, op + u"('91B', 'H1', '2024-03-01 08:00:00')"_s,
                           er + u"('91E', 'H1', '2024-02-01 08:00:00')"_s}
            << QStringLiteral("91B,");
        QTest::newRow("an older visit recorded later does not replace it")
            << QStringList{op + u"('91B', 'H1', '2024-03-01 08:00:00')"_s, p2 + u"('91', 'H1', '2024-01-01 08:00:00')"_s}
            << QStringLiteral("91B,");
        QTest::newRow("same time: the higher number")
            << QStringList{op + u"('91B', 'H1', '2024-03-01 08:00:00')"_s, er + u"('91E', 'H1', '2024-03-01 08:00:00')"_s}
            << QStringLiteral("91E,");
        QTest::newRow("latest moved back in time")
            << QStringList{p2 + u"('91', 'H1', '2024-05-01 08:00:00')"_s, op + u"('91B', 'H1', '2024-03-01 08:00:00')"_s,
                           u"UPDATE PATIENT_DATA.tbPatient2 SET AdmDate = '2024-01-01 08:00:00' WHERE IdNum = '91'"_s}
            << QStringLiteral("91B,");
        QTest::newRow("older one moved forward")
            << QStringList{p2 + u"('91', 'H1', '2024-05-01 08:00:00')"_s, er + u"('91E', 'H1', '2024-03-01 08:00:00')"_s,
                           u"UPDATE PATIENT_DATA.tbERMaster SET AdmDate = '2024-06-01 08:00:00' WHERE IdNum = '91E'"_s}
            << QStringLiteral("91E,");
        QTest::newRow("latest removed")
            << QStringList{p2 + u"('91', 'H1', '2024-05-01 08:00:00')"_s, op + u"('91B', 'H1', '2024-03-01 08:00:00')"_s,
                           u"DELETE FROM PATIENT_DATA.tbPatient2 WHERE IdNum = '91'"_s}
            << QStringLiteral("91B,");
        QTest::newRow("only visit removed")
            << QStringList{er + u"('91E', 'H1', '2024-05-01 08:00:00')"_s,
                           u"DELETE FROM PATIENT_DATA.tbERMaster WHERE IdNum = '91E'"_s}
            << QStringLiteral(",");
        QTest::newRow("visit moved to another patient")
            << QStringList{p2 + u"('91', 'H1', '2024-05-01 08:00:00')"_s, op + u"('91B', 'H1', '2024-03-01 08:00:00')"_s,
                           op + u"('92B', 'H2', '2024-04-01 08:00:00')"_s,
                           u"UPDATE PATIENT_DATA.tbPatient2 SET HospNum = 'H2' WHERE IdNum = '91'"_s}
            << QStringLiteral("91B,91");
        QTest::newRow("latest renumbered")
            << QStringList{op + u"('91B', 'H1', '2024-03-01 08:00:00')"_s,
                           u"UPDATE PATIENT_DATA.tbOutPatient SET IdNum = '99B' WHERE IdNum = '91B'"_s}
            << QStringLiteral("99B,");
        QTest::newRow("other columns changed: still the latest")
            << QStringList{p2 + u"('91', 'H1', '2024-05-01 08:00:00')"_s,
                           u"UPDATE PATIENT_DATA.tbPatient2 SET DcrDate = '2024-05-03 10:00:00' WHERE IdNum = '91'"_s}
            << QStringLiteral("91,");
    }
    void latestVisitFollowsTheVisits() {
        QFETCH(QStringList, steps);
        QFETCH(QString, latest);
        auto w = testdb::fresh();
        w->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, ZEPNum) VALUES ('H1', 'ABAD', 'Z-1'), ('H2', 'BAUTISTA', 'Z-2')"));
        for (const QString& step : steps)
            w->Execute(step);
        auto rs = w->Query(QStringLiteral("SELECT HospNum, LastVisitIdNum FROM PATIENT_DATA.tbMaster ORDER BY HospNum"));
        QStringList got;
        for (; !rs.Eof(); rs.MoveNext())
            got << rs.Text(QStringLiteral("LastVisitIdNum"));
        QCOMPARE(got.join(QLatin1Char(',')), latest);
        // And the ZEP list shows that visit.
        auto zep = w->Call(QStringLiteral("ZEP..sp_ZEP_LoadZEPPatient"),
                           {QStringLiteral("H1"), QString(), QString(), QString(), QString()});
        QCOMPARE(zep.Text(QStringLiteral("IDNUM")), latest.section(QLatin1Char(','), 0, 0));
    }

    // At hospital scale a search must never read a whole table: every form of criterion is
    // answered from an index (checked on the embedded engine, whose planner does not switch
    // to reading small tables whole).
    void searchesUseIndexes_data() {
        QTest::addColumn<QString>("proc");
        QTest::addColumn<QStringList>("args");
        const QStringList procs{u"ZEP..sp_ZEP_LoadInPatient"_s, u"ZEP..sp_ZEP_LoadOutPatient"_s,
                                u"ZEP..sp_ZEP_LoadERPatient"_s, u"ZEP..sp_ZEP_LoadAllServicePatient"_s,
                                u"ZEP..sp_ZEP_LoadZEPPatient"_s};
        for (const QString& p : procs) {
            const QString name = p.section(QStringLiteral("Load"), 1);
            QTest::addRow("%s hospital number", qPrintable(name)) << p << QStringList{u"H001"_s, {}, {}, {}, {}};
            QTest::addRow("%s admission number", qPrintable(name)) << p << QStringList{{}, {}, u"1002"_s, {}, {}};
            QTest::addRow("%s last name", qPrintable(name)) << p << QStringList{{}, u"SAN"_s, {}, {}, {}};
            QTest::addRow("%s full name", qPrintable(name)) << p << QStringList{{}, u"SANTOS"_s, {}, u"PEDRO"_s, {}};
        }
    }
    void searchesUseIndexes() {
        QFETCH(QString, proc);
        QFETCH(QStringList, args);
        if (c->dialect().backend() != db::Backend::SQLite)
            QSKIP("the server's planner reads the test's few rows whole, rightly");
        c->log().clear();
        c->Call(proc, {args.at(0), args.at(1), args.at(2), args.at(3), args.at(4)});
        // Every statement the call sent (a full-name search sends two).
        QList<LoggedCommandCopy> sent;
        for (const auto& e : c->log().entries())
            if (e.kind == db::LoggedCommand::Statement)
                sent.append({e.text, e.values});
        QVERIFY(!sent.isEmpty());
        for (const auto& e : sent) {
            QVariantList values;
            for (const QString& v : e.values)
                values << v;
            auto plan = c->Query(QStringLiteral("EXPLAIN QUERY PLAN ") + e.text, values);
            QStringList steps;
            for (; !plan.Eof(); plan.MoveNext())
                steps << plan.Text(QStringLiteral("detail"));
            for (const QString& step : std::as_const(steps))
                QVERIFY2(!step.startsWith(QLatin1String("SCAN")) || step.startsWith(QLatin1String("SCAN CONSTANT")),
                         qPrintable(steps.join(QLatin1Char('\n'))));
        }
    }

    // A search by last and first name finds every last name that starts so, this very one
    // first, in name order: last names that begin with another (SANTO, SANTOS, SANTOSA),
    // first-name prefixes, a space or a hyphen after the last name.
    void fullNameRowsAndOrder_data() {
        QTest::addColumn<QString>("proc");
        QTest::addColumn<QStringList>("args"); // hosp, last, adm, first, middle
        QTest::addColumn<QStringList>("rows"); // visit numbers, in order
        const QString in = u"ZEP..sp_ZEP_LoadInPatient"_s;
        const QString all = u"ZEP..sp_ZEP_LoadAllServicePatient"_s;
        const QString zep = u"ZEP..sp_ZEP_LoadZEPPatient"_s;
        const auto args = [](const char* last, const char* first, const char* middle = "") {
            return QStringList{{}, QString::fromLatin1(last), {}, QString::fromLatin1(first),
                               QString::fromLatin1(middle)};
        };
        QTest::newRow("in: the name, then longer last names")
            << in << args("SANTOS", "PEDRO") << QStringList{u"2001"_s, u"2009"_s, u"2007"_s, u"2005"_s};
        QTest::newRow("all: the name, then longer last names")
            << all << args("SANTOS", "PEDRO")
            << QStringList{u"2001"_s, u"2009"_s, u"2003B"_s, u"2007"_s, u"2006E"_s, u"2005"_s};
        QTest::newRow("in: first-name prefix")
            << in << args("SANTOS", "PED") << QStringList{u"2002"_s, u"2001"_s, u"2009"_s, u"2007"_s, u"2005"_s};
        QTest::newRow("all: first-name prefix")
            << all << args("SANTOS", "PED")
            << QStringList{u"2002"_s, u"2001"_s, u"2009"_s, u"2003B"_s, u"2007"_s, u"2006E"_s, u"2005"_s};
        QTest::newRow("in: a last name that begins others")
            << in << args("SANTO", "PEDRO") << QStringList{u"2008"_s, u"2001"_s, u"2009"_s, u"2007"_s, u"2005"_s};
        QTest::newRow("all: a last name that begins others")
            << all << args("SANTO", "PEDRO")
            << QStringList{u"2008"_s, u"2001"_s, u"2009"_s, u"2003B"_s, u"2007"_s, u"2006E"_s, u"2005"_s};
        QTest::newRow("in: no one of this very last name")
            << in << args("SANT", "PEDRO") << QStringList{u"2008"_s, u"2001"_s, u"2009"_s, u"2007"_s, u"2005"_s};
        QTest::newRow("in: only a longer last name has the first name")
            << in << args("SANTOS", "ANA") << QStringList{u"2010"_s};
        QTest::newRow("in: only this very last name") << in << args("SANTOSA", "PEDRO") << QStringList{u"2005"_s};
        QTest::newRow("in: middle name too") << in << args("SANTOS", "PEDRO", "A") << QStringList{u"2001"_s, u"2009"_s};
        QTest::newRow("in: typed in small letters")
            << in << args("santos", "pedro") << QStringList{u"2001"_s, u"2009"_s, u"2007"_s, u"2005"_s};
        QTest::newRow("in: no match at all") << in << args("SANTOS", "ZZ") << QStringList();
        QTest::newRow("zep: case holders by full name")
            << zep << args("SANTOS", "PEDRO") << QStringList{u"2001"_s, u"2003B"_s, u"2005"_s};
        QTest::newRow("zep: first-name prefix, a longer last name")
            << zep << args("SANTO", "P") << QStringList{u"2001"_s, u"2003B"_s, u"2005"_s};
    }
    void fullNameRowsAndOrder() {
        QFETCH(QString, proc);
        QFETCH(QStringList, args);
        QFETCH(QStringList, rows);
        static std::unique_ptr<db::Connection> w;
        if (!w) {
            w = testdb::fresh();
            seedNames(*w);
        }
        QCOMPARE(idsInOrder(w->Call(proc, {args.at(0), args.at(1), args.at(2), args.at(3), args.at(4)})), rows);
    }

    // The index answers a full-name search with both names: the first statement reads only
    // this very last name's patients of that first name (the embedded engine's plan says so;
    // the server's planner rightly reads the test's few rows whole).
    void fullNameNarrowsByFirstName_data() {
        QTest::addColumn<QString>("proc");
        QTest::addColumn<QString>("index");
        QTest::newRow("in") << u"ZEP..sp_ZEP_LoadInPatient"_s << u"ixMasterName"_s;
        QTest::newRow("out") << u"ZEP..sp_ZEP_LoadOutPatient"_s << u"ixMasterName"_s;
        QTest::newRow("er") << u"ZEP..sp_ZEP_LoadERPatient"_s << u"ixMasterName"_s;
        QTest::newRow("all") << u"ZEP..sp_ZEP_LoadAllServicePatient"_s << u"ixMasterName"_s;
        QTest::newRow("zep") << u"ZEP..sp_ZEP_LoadZEPPatient"_s << u"ixMasterZEPName"_s;
    }
    void fullNameNarrowsByFirstName() {
        QFETCH(QString, proc);
        QFETCH(QString, index);
        if (c->dialect().backend() != db::Backend::SQLite)
            QSKIP("the server's planner reads the test's few rows whole, rightly");
        c->log().clear();
        c->Call(proc, {QString(), u"SANTOS"_s, QString(), u"PEDRO"_s, QString()});
        const auto& e = c->log().entries().at(1); // the first statement after the call
        QCOMPARE(e.kind, db::LoggedCommand::Statement);
        QVariantList values;
        for (const QString& v : e.values)
            values << v;
        auto plan = c->Query(u"EXPLAIN QUERY PLAN "_s + e.text, values);
        QStringList steps;
        for (; !plan.Eof(); plan.MoveNext())
            steps << plan.Text(u"detail"_s);
        const QString narrowed = u"SEARCH m USING COVERING INDEX "_s + index +
                                 u" (LastName=? AND FirstName>? AND FirstName<?)"_s;
        QVERIFY2(steps.contains(narrowed), qPrintable(steps.join(u'\n')));
    }

    // The cap counts the rows of both halves: it may fall in this very last name or among
    // the longer ones, and a search under the cap gives every row.
    void fullNameCap_data() {
        QTest::addColumn<QString>("first");      // the first name searched (with last name CRUZ)
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("lastShown");  // the last row's names
        QTest::newRow("cap among the longer last names") << u"JUAN"_s << 2001 << u"CRUZADO, JUAN M0005"_s;
        QTest::newRow("cap within this very last name") << u"PEDRO"_s << 2001 << u"CRUZ, PEDRO M2000"_s;
        QTest::newRow("cap on the first longer row") << u"ANA"_s << 2001 << u"CRUZADO, ANA M0000"_s;
        QTest::newRow("under the cap") << u"LITO"_s << 1995 << u"CRUZADO, LITO M0004"_s;
    }
    void fullNameCap() {
        QFETCH(QString, first);
        QFETCH(int, rows);
        QFETCH(QString, lastShown);
        static std::unique_ptr<db::Connection> big;
        if (!big) {
            big = testdb::fresh();
            db::Transaction t(*big);
            int n = 0;
            // first name, patients named CRUZ, patients named CRUZADO
            const QList<std::tuple<QString, int, int>> groups{
                {u"JUAN"_s, 1995, 10}, {u"PEDRO"_s, 2001, 3}, {u"ANA"_s, 2000, 2}, {u"LITO"_s, 1990, 5}};
            for (const auto& [name, exact, longer] : groups)
                for (const auto& [last, count] : {std::pair{u"CRUZ"_s, exact}, std::pair{u"CRUZADO"_s, longer}})
                    for (int i = 0; i < count; ++i, ++n) {
                        const QString h = u"K%1"_s.arg(n, 5, 10, QLatin1Char('0'));
                        big->Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, "
                                     "MiddleName) VALUES (?, ?, ?, ?)"_s,
                                     {h, last, name, u"M%1"_s.arg(i, 4, 10, QLatin1Char('0'))});
                        big->Execute(u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) "
                                     "VALUES (?, ?, ?)"_s,
                                     {QString::number(300000 + n), h, lastYear + u" 07:00:00"_s});
                    }
            t.commit();
        }
        for (const QString& proc : {u"ZEP..sp_ZEP_LoadInPatient"_s, u"ZEP..sp_ZEP_LoadAllServicePatient"_s}) {
            auto rs = big->Call(proc, {QString(), u"CRUZ"_s, QString(), first, QString()});
            QCOMPARE(rs.RecordCount(), rows);
            rs.MoveFirst();
            QCOMPARE(rs.Text(u"LastName"_s) + u", "_s + rs.Text(u"FirstName"_s) + u" "_s + rs.Text(u"MiddleName"_s),
                     u"CRUZ, "_s + first + u" M0000"_s);
            rs.MoveLast();
            QCOMPARE(rs.Text(u"LastName"_s) + u", "_s + rs.Text(u"FirstName"_s) + u" "_s + rs.Text(u"MiddleName"_s),
                     lastShown);
        }
    }

    void capTellsThereWereMore() {
        auto big = testdb::fresh();
        db::Transaction t(*big);
        const int n = server::searchLimit() + 50;
        for (int i = 0; i < n; ++i) {
            const QString h = QStringLiteral("C%1").arg(i, 5, 10, QLatin1Char('0'));
            big->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName) VALUES (?, 'CRUZ')"), {h});
            big->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)"),
                         {QString::number(100000 + i), h, today + QStringLiteral(" 07:00:00")});
        }
        t.commit();
        auto rs = big->Call(QStringLiteral("ZEP..sp_ZEP_LoadInPatient"),
                            {QString(), QStringLiteral("CRU"), QString(), QString(), QString()});
        QCOMPARE(rs.RecordCount(), server::searchLimit() + 1);
    }
};

QTEST_GUILESS_MAIN(tst_searchprocs)
#include "tst_searchprocs.moc"
