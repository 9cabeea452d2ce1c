// The discount computation through the real billing procedures on a real engine: which
// charges each mode gathers, the class discounts, the medicare shares, the special
// arrangement, the stored computation, recompute under a fault, and two workstations
// computing at once.
#include "discountseed.h"
#include "testdb.h"

#include "db/connection.h"
#include "db/numbers.h"
#include "discount/discountcompute.h"
#include "server/billing.h"

#include <QTest>
#include <thread>

using namespace Qt::StringLiterals;
using discount::DiscountRow;
using discount::VisitNumbers;

namespace {

// "RevenueID|Department|actual|medicare|discount" per row.
QStringList texts(const QVector<DiscountRow>& rows) {
    QStringList out;
    for (const DiscountRow& r : rows)
        out << QStringList{r.revenueId, r.department, db::numberToText(r.actual),
                           db::numberToText(r.medicare), db::numberToText(r.discount)}
                   .join(u'|');
    return out;
}

struct Line {
    QString visit, revenue, item;
    double amount;
};

} // namespace

Q_DECLARE_METATYPE(Line)

class TestDiscountProcs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void modes_data();
    void modes();
    void medicareShares_data();
    void medicareShares();
    void specialArrangement_data();
    void specialArrangement();
    void billOfZeroStoresNothing();
    void storedComputation();
    void eachComputationStartsAfresh();
    void refusedValues_data();
    void refusedValues();
    void recomputeFaultKeepsEarlier_data();
    void recomputeFaultKeepsEarlier();
    void twoWorkstationsInterleaved();
    void twoWorkstationsAtOnce();
    void patientInfo_data();
    void patientInfo();

private:
    QStringList stored(const QString& idNum);
    std::unique_ptr<db::Connection> conn_;
};

void TestDiscountProcs::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::fresh();
    discountseed::seed(*conn_);
}

void TestDiscountProcs::init() {
    for (const char* t : {"BILLING.tbBillDailyBill", "BILLING.tbBillOPDailyOut",
                          "BILLING.tbBillMedicare", "BILLING.tbBillComputedDiscount",
                          "BILLING.tbDummyDiscountTable", "ZEP.tbZEPAssessment"})
        conn_->Execute(u"DELETE FROM "_s + QString::fromLatin1(t));
    conn_->Execute(u"DELETE FROM BILLING.tbDiscountSession"_s);
    conn_->faults().disarm();
}

QStringList TestDiscountProcs::stored(const QString& idNum) {
    return texts(discount::existingComputation(*conn_, idNum));
}

void TestDiscountProcs::modes_data() {
    QTest::addColumn<QString>("visit");
    QTest::addColumn<QString>("matching");
    QTest::addColumn<QStringList>("rows");
    // The charges of all the cases below; each visit gathers its own.
    // 2001 (class C2 in-patient: procedures 0.5, supplies 0.5, medicines 0.5, room 0.25)
    // came through 5001B; 2002's patient has a class the scheme does not hold; 5002B and
    // 7001E take the out-patient fractions (procedures 0.3, medicines and supplies 0.4).
    QTest::newRow("admission with its out-patient visit (mode 4)")
        << u"2001"_s << u"5001B"_s
        << QStringList{u"CS|Central Supply|100|0|50"_s, u"LB|Laboratory|1700|0|600"_s,
                       u"PH|Pharmacy|400|0|200"_s, u"RA|Room and Board|2000|0|500"_s};
    QTest::newRow("admission alone (mode 3)")
        << u"2001"_s << QString()
        << QStringList{u"LB|Laboratory|1500|0|500"_s, u"PH|Pharmacy|400|0|200"_s,
                       u"RA|Room and Board|2000|0|500"_s};
    QTest::newRow("out-patient visit (mode 7)")
        << u"5002B"_s << QString()
        << QStringList{u"LB|Laboratory|1000|0|300"_s, u"PH|Pharmacy|1000|0|250"_s,
                       u"XR|X-Ray|500|0|100"_s};
    QTest::newRow("ER visit (mode 7)") << u"7001E"_s << QString()
                                       << QStringList{u"LB|Laboratory|100|0|30"_s,
                                                      u"US|Ultrasound|800|0|0"_s};
    QTest::newRow("class the scheme does not hold: only the fixed rates")
        << u"2002"_s << QString()
        << QStringList{u"LB|Laboratory|1000|0|0"_s, u"RA|Room and Board|900|0|0"_s,
                       u"XR|X-Ray|500|0|100"_s};
    QTest::newRow("patient without a class")
        << u"2004"_s << QString() << QStringList{u"LB|Laboratory|600|0|0"_s};
    QTest::newRow("visit without charges") << u"2003"_s << QString() << QStringList{};
}

void TestDiscountProcs::modes() {
    QFETCH(QString, visit);
    QFETCH(QString, matching);
    QFETCH(QStringList, rows);
    const QList<Line> lines{
        {u"2001"_s, u"LB"_s, u"LB01"_s, 1000}, // class fraction
        {u"2001"_s, u"LB"_s, u"LB02"_s, 500},  // QFS type 0: no discount
        {u"2001"_s, u"PH"_s, u"PH02"_s, 400},
        {u"2001"_s, u"RA"_s, u"R1"_s, 2000},   // no catalogued item: the class fraction
        {u"2001"_s, u"QF"_s, QString(), -900}, // the department's pending discount
        {u"5001B"_s, u"LB"_s, u"LB01"_s, 200},
        {u"5001B"_s, u"CS"_s, u"C1"_s, 100},
        {u"5002B"_s, u"LB"_s, u"LB01"_s, 1000},
        {u"5002B"_s, u"PH"_s, u"PH01"_s, 500}, // QFS type 3 at 0.1
        {u"5002B"_s, u"PH"_s, u"PH02"_s, 500},
        {u"5002B"_s, u"XR"_s, u"XR01"_s, 500}, // QFS type 2: 20%
        {u"7001E"_s, u"LB"_s, u"LB01"_s, 100},
        {u"7001E"_s, u"US"_s, u"U1"_s, 800}, // a department without a fraction
        {u"2002"_s, u"LB"_s, u"LB01"_s, 1000},
        {u"2002"_s, u"RA"_s, u"R1"_s, 900},
        {u"2002"_s, u"XR"_s, u"XR01"_s, 500},
        {u"2004"_s, u"LB"_s, u"LB01"_s, 600},
    };
    for (const Line& l : lines)
        discountseed::charge(*conn_, l.visit, l.revenue, l.item, l.amount);
    const discount::ComputeResult r = discount::computeDiscount(*conn_, {visit, matching});
    QCOMPARE(r.billIsZero, false);
    QCOMPARE(r.loadFlag, 1);
    QCOMPARE(texts(r.rows), rows);
    QCOMPARE(stored(visit), rows);
}

void TestDiscountProcs::medicareShares_data() {
    QTest::addColumn<QList<Line>>("lines");
    QTest::addColumn<QStringList>("medicare"); // revenue:amount, 'OT' the other items
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("1,000 over 300 and 200")
        << QList<Line>{{u"2003"_s, u"LB"_s, u"LB01"_s, 100}, {u"2003"_s, u"LB"_s, u"LB01"_s, 200},
                       {u"2003"_s, u"XR"_s, u"XR01"_s, 200}, {u"2003"_s, u"RA"_s, u"R1"_s, 500},
                       {u"2003"_s, u"MD"_s, u"D1"_s, 2000}}
        << QStringList{u"RA:100"_s, u"OT:1000"_s}
        << QStringList{u"LB|Laboratory|300|600|150"_s, u"MD|Professional Fee|2000|0|0"_s,
                       u"RA|Room and Board|500|100|125"_s, u"XR|X-Ray|200|400|40"_s};
    QTest::newRow("shares in centavos adding up to the cover")
        << QList<Line>{{u"2003"_s, u"LB"_s, u"LB01"_s, 100}, {u"2003"_s, u"XR"_s, u"XR01"_s, 100},
                       {u"2003"_s, u"PH"_s, u"PH02"_s, 100}}
        << QStringList{u"OT:100"_s}
        << QStringList{u"LB|Laboratory|100|33.33|50"_s, u"PH|Pharmacy|100|33.33|50"_s,
                       u"XR|X-Ray|100|33.34|20"_s};
    QTest::newRow("items adding up to 0: no shares, nothing infinite")
        << QList<Line>{{u"2003"_s, u"LB"_s, u"LB01"_s, 500}, {u"2003"_s, u"LB"_s, u"LB01"_s, -500},
                       {u"2003"_s, u"RA"_s, u"R1"_s, 800}}
        << QStringList{u"RA:300"_s, u"OT:1000"_s}
        << QStringList{u"LB|Laboratory|0|0|0"_s, u"RA|Room and Board|800|300|200"_s};
    QTest::newRow("no cover of other items")
        << QList<Line>{{u"2003"_s, u"LB"_s, u"LB01"_s, 300}} << QStringList{u"LB:120"_s}
        << QStringList{u"LB|Laboratory|300|120|150"_s};
}

void TestDiscountProcs::medicareShares() {
    QFETCH(QList<Line>, lines);
    QFETCH(QStringList, medicare);
    QFETCH(QStringList, rows);
    for (const Line& l : lines)
        discountseed::charge(*conn_, l.visit, l.revenue, l.item, l.amount);
    for (const QString& m : medicare)
        discountseed::medicare(*conn_, u"2003"_s, m.section(u':', 0, 0),
                               m.section(u':', 1).toDouble());
    const discount::ComputeResult r = discount::computeDiscount(*conn_, {u"2003"_s, QString()});
    QCOMPARE(texts(r.rows), rows);
    QCOMPARE(stored(u"2003"_s), rows);
}

void TestDiscountProcs::specialArrangement_data() {
    QTest::addColumn<QString>("visit");
    QTest::addColumn<QString>("billedWith");
    QTest::addColumn<double>("nc");
    QTest::addColumn<QList<Line>>("lines");
    QTest::addColumn<QStringList>("rows");
    // 5003B is billed with 5004B: the hospital bill B counts both, the departments' charges
    // A only 5003B's.
    QTest::newRow("8,000 of 40,000, B 50,000, NC 10,000")
        << u"5003B"_s << u"5004B"_s << 10000.0
        << QList<Line>{{u"5003B"_s, u"LB"_s, u"LB01"_s, 8000},
                       {u"5003B"_s, u"PH"_s, u"PH02"_s, 32000},
                       {u"5003B"_s, u"MD"_s, u"D1"_s, 6000},
                       {u"5004B"_s, u"LB"_s, u"LB01"_s, 10000}}
        << QStringList{u"LB|Laboratory|8000|0|8000"_s, u"MD|Professional Fee|6000|0|6000"_s,
                       u"PH|Pharmacy|32000|0|32000"_s};
    QTest::newRow("the patient pays the counterpart")
        << u"2003"_s << QString() << 3000.0
        << QList<Line>{{u"2003"_s, u"LB"_s, u"LB01"_s, 4000}, {u"2003"_s, u"RA"_s, u"R1"_s, 8000},
                       {u"2003"_s, u"MD"_s, u"D1"_s, 1000}}
        << QStringList{u"LB|Laboratory|4000|0|3000"_s, u"MD|Professional Fee|1000|0|1000"_s,
                       u"RA|Room and Board|8000|0|6000"_s};
    QTest::newRow("thirds in centavos: the patient pays exactly the counterpart")
        << u"2003"_s << QString() << 1000.0
        << QList<Line>{{u"2003"_s, u"LB"_s, u"LB01"_s, 1000}, {u"2003"_s, u"PH"_s, u"PH02"_s, 1000},
                       {u"2003"_s, u"RA"_s, u"R1"_s, 1000}}
        << QStringList{u"LB|Laboratory|1000|0|666.67"_s, u"PH|Pharmacy|1000|0|666.67"_s,
                       u"RA|Room and Board|1000|0|666.66"_s};
    QTest::newRow("counterpart above the bill: nothing covered but the doctors")
        << u"2003"_s << QString() << 15000.0
        << QList<Line>{{u"2003"_s, u"LB"_s, u"LB01"_s, 4000}, {u"2003"_s, u"RA"_s, u"R1"_s, 8000},
                       {u"2003"_s, u"MD"_s, u"D1"_s, 1000}}
        << QStringList{u"LB|Laboratory|4000|0|0"_s, u"MD|Professional Fee|1000|0|1000"_s,
                       u"RA|Room and Board|8000|0|0"_s};
    QTest::newRow("no charges but the doctors'")
        << u"5005B"_s << u"5006B"_s << 500.0
        << QList<Line>{{u"5005B"_s, u"MD"_s, u"D1"_s, 3000},
                       {u"5006B"_s, u"LB"_s, u"LB01"_s, 1000}}
        << QStringList{u"MD|Professional Fee|3000|0|3000"_s};
}

void TestDiscountProcs::specialArrangement() {
    QFETCH(QString, visit);
    QFETCH(QString, billedWith);
    QFETCH(double, nc);
    QFETCH(QList<Line>, lines);
    QFETCH(QStringList, rows);
    for (const Line& l : lines)
        discountseed::charge(*conn_, l.visit, l.revenue, l.item, l.amount);
    discountseed::assessment(*conn_, visit, u"H1"_s, true, nc);
    const discount::ComputeResult r = discount::computeDiscount(*conn_, {visit, billedWith});
    QCOMPARE(r.billIsZero, false);
    QCOMPARE(r.loadFlag, 2);
    QCOMPARE(texts(r.rows), rows);
    QCOMPARE(stored(visit), rows);
    QCOMPARE(conn_->Query(u"SELECT Special FROM BILLING.tbBillComputedDiscount WHERE IdNum = ? "
                          "GROUP BY Special"_s,
                          {visit})
                 .Text(u"Special"_s),
             u"1"_s);
}

void TestDiscountProcs::billOfZeroStoresNothing() {
    discountseed::charge(*conn_, u"2003"_s, u"MD"_s, u"D1"_s, 2500);
    discountseed::assessment(*conn_, u"2003"_s, u"H1"_s, true, 1000);
    const discount::ComputeResult r = discount::computeDiscount(*conn_, {u"2003"_s, QString()});
    QCOMPARE(r.billIsZero, true);
    QVERIFY(r.rows.isEmpty());
    QCOMPARE(stored(u"2003"_s), QStringList{});
    // Not special, or special without a counterpart: the class's discounts.
    conn_->Execute(u"UPDATE ZEP.tbZEPAssessment SET NC = 0"_s);
    const discount::ComputeResult plain = discount::computeDiscount(*conn_, {u"2003"_s, QString()});
    QCOMPARE(plain.loadFlag, 1);
    QCOMPARE(texts(plain.rows), QStringList{u"MD|Professional Fee|2500|0|0"_s});
}

void TestDiscountProcs::storedComputation() {
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    discountseed::charge(*conn_, u"5002B"_s, u"LB"_s, u"LB01"_s, 100);
    discount::computeDiscount(*conn_, {u"2003"_s, QString()});
    discount::computeDiscount(*conn_, {u"5002B"_s, QString()});
    // A later computation replaces the stored one.
    discountseed::charge(*conn_, u"2003"_s, u"XR"_s, u"XR01"_s, 100);
    discount::computeDiscount(*conn_, {u"2003"_s, QString()});
    QCOMPARE(stored(u"2003"_s), (QStringList{u"LB|Laboratory|300|0|150"_s, u"XR|X-Ray|100|0|20"_s}));
    // The delete removes that visit's rows under the code and nothing else.
    conn_->Call(u"Billing..sp_Billing_Delete_Existing_ComputedDiscount_All"_s,
                {u"2003"_s, u"2003"_s, u"XX"_s});
    QCOMPARE(stored(u"2003"_s).size(), 2);
    conn_->Call(u"Billing..sp_Billing_Delete_Existing_ComputedDiscount_All"_s,
                {u"2003"_s, u"2003"_s, u"QF"_s});
    QCOMPARE(stored(u"2003"_s), QStringList{});
    QCOMPARE(stored(u"5002B"_s), QStringList{u"LB|Laboratory|100|0|30"_s});
}

void TestDiscountProcs::eachComputationStartsAfresh() {
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    discountseed::charge(*conn_, u"5002B"_s, u"XR"_s, u"XR01"_s, 100);
    const QString sessionRows =
        u"SELECT IdNum, RevenueID FROM BILLING.tbDummyDiscountTable WHERE SessionID = ?"_s;
    const QVariantList session{server::discountSession(*conn_)};
    // A stored computation leaves no working rows behind.
    discount::computeDiscount(*conn_, {u"2003"_s, QString()});
    QCOMPARE(conn_->Query(sessionRows, session).RecordCount(), 0);
    // A fill starts from nothing: the earlier visit's rows are gone.
    const QString fill = u"Billing..sp_Billing_Get_ActualCharges_ForDiscount"_s;
    conn_->Call(fill, {u"2003"_s, QString(), 3, 1});
    conn_->Call(fill, {u"5002B"_s, QString(), 7, 1});
    const db::Recordset rs = conn_->Query(sessionRows, session);
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs.Text(u"IdNum"_s), u"5002B"_s);
    // A fill with the last value 0 adds to the rows instead.
    conn_->Call(u"Billing..sp_Billing_Get_ActualCharges_ForDiscount"_s, {u"5002B"_s, QString(), 7, 0});
    QCOMPARE(texts(discount::rowsOf(
                 conn_->Call(u"BILLING..sp_Billing_Load_DummyDiscountTable"_s, {u"QF"_s, 1, 0}))),
             QStringList{u"XR|X-Ray|200|0|40"_s});
    // Rows a session left a day ago go with the next computation of anyone.
    conn_->Execute(u"INSERT INTO BILLING.tbDiscountSession (SessionID, IdNum, StartedAt) "
                   "VALUES ('gone', '2001', '2020-01-01 00:00:00')"_s);
    conn_->Execute(u"INSERT INTO BILLING.tbDummyDiscountTable (SessionID, RevenueID, IdNum, "
                   "ActualCharges) VALUES ('gone', 'LB', '2001', 5)"_s);
    discount::computeDiscount(*conn_, {u"2003"_s, QString()});
    QCOMPARE(conn_->Query(u"SELECT * FROM BILLING.tbDummyDiscountTable WHERE SessionID = 'gone'"_s)
                 .RecordCount(),
             0);
}

void TestDiscountProcs::refusedValues_data() {
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("message");
    QTest::newRow("charges, mode 5")
        << u"Billing..sp_Billing_Get_ActualCharges_ForDiscount"_s
        << QVariantList{u"2003"_s, QString(), 5, 1}
        << u"sp_Billing_Get_ActualCharges_ForDiscount: mode 5 is not known."_s;
    QTest::newRow("bill, mode 3") << u"Billing..sp_Billing_Get_SeniorCitizenCharges_PerDepartment"_s
                                  << QVariantList{u"2003"_s, QString(), 3}
                                  << u"sp_Billing_Get_SeniorCitizenCharges_PerDepartment: mode 3 "
                                     "is not known."_s;
    QTest::newRow("load, flag 3") << u"BILLING..sp_Billing_Load_DummyDiscountTable"_s
                                  << QVariantList{u"QF"_s, 3, 1}
                                  << u"sp_Billing_Load_DummyDiscountTable: flag 3 is not known "
                                     "(1 or 2)."_s;
}

void TestDiscountProcs::refusedValues() {
    QFETCH(QString, procedure);
    QFETCH(QVariantList, values);
    QFETCH(QString, message);
    try {
        conn_->Call(procedure, values);
        QFAIL("the call was accepted");
    } catch (const db::Error& e) {
        QCOMPARE(e.Description(), message);
    }
}

void TestDiscountProcs::recomputeFaultKeepsEarlier_data() {
    QTest::addColumn<int>("failingCall"); // counted from the delete, which is call 1
    QTest::newRow("the fill right after the delete") << 2;
    QTest::newRow("the medicare total") << 3;
    QTest::newRow("the load that stores") << 5;
}

void TestDiscountProcs::recomputeFaultKeepsEarlier() {
    QFETCH(int, failingCall);
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    discount::computeDiscount(*conn_, {u"2003"_s, QString()});
    const QStringList earlier{u"LB|Laboratory|300|0|150"_s};
    discountseed::charge(*conn_, u"2003"_s, u"XR"_s, u"XR01"_s, 100);
    // delete, fill, medicare total, special remarks, load: a fault on any of them.
    conn_->faults().failCall(failingCall);
    QVERIFY_THROWS_EXCEPTION(db::Error, discount::recomputeDiscount(*conn_, {u"2003"_s, QString()}));
    conn_->faults().disarm();
    QVERIFY(!conn_->inTransaction());
    QCOMPARE(stored(u"2003"_s), earlier);
    // Without the fault the recompute replaces it.
    const discount::ComputeResult r = discount::recomputeDiscount(*conn_, {u"2003"_s, QString()});
    const QStringList now{u"LB|Laboratory|300|0|150"_s, u"XR|X-Ray|100|0|20"_s};
    QCOMPARE(texts(r.rows), now);
    QCOMPARE(stored(u"2003"_s), now);
}

// The screen's sequence for two visits on two connections, step by step in turn: each
// workstation's reads of the working rows see its own visit only.
void TestDiscountProcs::twoWorkstationsInterleaved() {
    auto other = testdb::reopen(*conn_);
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    discountseed::charge(*conn_, u"2003"_s, u"MD"_s, u"D1"_s, 1000);
    discountseed::charge(*conn_, u"5002B"_s, u"XR"_s, u"XR01"_s, 100);
    discountseed::charge(*conn_, u"5002B"_s, u"PH"_s, u"PH02"_s, 700);
    db::Connection& a = *conn_;
    db::Connection& b = *other;
    const QString fill = u"Billing..sp_Billing_Get_ActualCharges_ForDiscount"_s;
    a.Call(fill, {u"2003"_s, QString(), 3, 1});
    b.Call(fill, {u"5002B"_s, QString(), 7, 1});
    const QString others = u"SELECT COALESCE(SUM(ActualCharges), 0) AS ActualCharges FROM "
                           "BILLING.tbDummyDiscountTable WHERE RevenueID <> 'MD' AND SessionID = ?"_s;
    QCOMPARE(a.Query(others, {server::discountSession(a)}).Number(u"ActualCharges"_s), 300.0);
    QCOMPARE(b.Query(others, {server::discountSession(b)}).Number(u"ActualCharges"_s), 800.0);
    b.Call(u"Billing..sp_Billing_Update_Discount_DummyDiscountTable"_s, {u"99"_s, u"PH"_s});
    a.Call(u"Billing..sp_Billing_Update_Discount_DummyDiscountTable"_s, {u"1"_s, u"LB"_s});
    const QString load = u"BILLING..sp_Billing_Load_DummyDiscountTable"_s;
    QCOMPARE(texts(discount::rowsOf(a.Call(load, {u"QF"_s, 1, 1}))),
             (QStringList{u"LB|Laboratory|300|0|1"_s, u"MD|Professional Fee|1000|0|0"_s}));
    QCOMPARE(texts(discount::rowsOf(b.Call(load, {u"QF"_s, 1, 1}))),
             (QStringList{u"PH|Pharmacy|700|0|99"_s, u"XR|X-Ray|100|0|20"_s}));
    QCOMPARE(stored(u"2003"_s),
             (QStringList{u"LB|Laboratory|300|0|1"_s, u"MD|Professional Fee|1000|0|0"_s}));
    QCOMPARE(stored(u"5002B"_s), (QStringList{u"PH|Pharmacy|700|0|99"_s, u"XR|X-Ray|100|0|20"_s}));
    QVERIFY(server::discountSession(a) != server::discountSession(b));
}

// Two workstations computing whole visits at the same moment on the server, many times
// over: every stored computation is its own visit's.
void TestDiscountProcs::twoWorkstationsAtOnce() {
    if (!testdb::isPg())
        QSKIP("the embedded engine serialises its writers; the step-by-step case covers it");
    auto other = testdb::reopen(*conn_);
    for (int i = 0; i < 40; ++i) {
        discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 10);
        discountseed::charge(*conn_, u"5002B"_s, u"PH"_s, u"PH02"_s, 20);
    }
    QString failure;
    const auto run = [&failure](db::Connection* c, QString visit) {
        try {
            for (int i = 0; i < 25; ++i)
                discount::computeDiscount(*c, {visit, QString()});
        } catch (const db::Error& e) {
            failure = e.Description();
        }
    };
    std::thread t1(run, conn_.get(), u"2003"_s);
    std::thread t2(run, other.get(), u"5002B"_s);
    t1.join();
    t2.join();
    QCOMPARE(failure, QString());
    QCOMPARE(stored(u"2003"_s), QStringList{u"LB|Laboratory|400|0|200"_s});
    QCOMPARE(stored(u"5002B"_s), QStringList{u"PH|Pharmacy|800|0|320"_s});
}

void TestDiscountProcs::patientInfo_data() {
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("row"); // Code|Name|HospNum|ZEPNumber|RoomID, empty for none
    const QString info = u"ZEP..sp_ZEP_GetPatientInfo"_s;
    const QString arr = u"ZEP..sp_ZEP_GetPatientInfoforARR"_s;
    QTest::newRow("admission") << info << QVariantList{u"H1"_s, u"2001"_s}
                               << u"C2|SANTOS, PEDRO DIAZ|H1|Z-1|301"_s;
    QTest::newRow("out-patient visit") << info << QVariantList{u"H3"_s, u"5002B"_s}
                                       << u"C2|CRUZ, LITO|H3|Z-3|OPD"_s;
    QTest::newRow("ER visit, lower case") << info << QVariantList{u"H3"_s, u"7001e"_s}
                                          << u"C2|CRUZ, LITO|H3|Z-3|OPD"_s;
    QTest::newRow("visit of another patient") << info << QVariantList{u"H2"_s, u"2001"_s}
                                              << QString();
    QTest::newRow("by the visit alone") << arr << QVariantList{u"2002"_s}
                                        << u"Q9|REYES, ANA|H2|Z-2|301"_s;
    QTest::newRow("unknown visit") << arr << QVariantList{u"9999"_s} << QString();
}

void TestDiscountProcs::patientInfo() {
    QFETCH(QString, procedure);
    QFETCH(QVariantList, values);
    QFETCH(QString, row);
    const db::Recordset rs = conn_->Call(procedure, values);
    if (row.isEmpty()) {
        QCOMPARE(rs.RecordCount(), 0);
        return;
    }
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE((QStringList{rs.Text(u"Code"_s), rs.Text(u"Name"_s), rs.Text(u"HospNum"_s),
                          rs.Text(u"ZEPNumber"_s), rs.Text(u"RoomID"_s)}
                  .join(u'|')),
             row);
}

QTEST_GUILESS_MAIN(TestDiscountProcs)
#include "tst_discountprocs.moc"
