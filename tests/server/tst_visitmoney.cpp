// One reckoning of a visit's money (BILLING.vwBillVisitMoney) and the payer of its statement
// (BILLING.vwBillVisitPayer), worked out by hand for the cases the money reports meet.
#include "testdb.h"

#include "db/connection.h"
#include "server/server.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kStamp = u"2026-03-02 10:00:00"_s;

// Seed rows in a short form, one per text, fields split on '|':
//   "L|visit|revenue|amount[|account]"  a charge line (admissions in the daily bill, other
//                                       visits in the out-patient bill)
//   "M|visit|revenue|amount"            medicare
//   "C|visit|discount id|revenue|amount" a stored discount computation row
//   "P|visit|kind|amount|receipt"       a payment, deposit or refund
//   "A|account|visit|company|granted"   a sponsor's allocation (empty visit: any visit)
void seed(db::Connection& c, const QStringList& rows) {
    int receipt = 0;
    for (const QString& row : rows) {
        const QStringList f = row.split(u'|');
        const QString& kind = f.at(0);
        if (kind == u"L"_s) {
            const bool admission = !f.at(1).endsWith(u'B') && !f.at(1).endsWith(u'E');
            c.Execute(u"INSERT INTO BILLING.%1 (IdNum, RevenueID, Amount, TransDate, "
                      "CDFAccountNum) VALUES (?, ?, ?, ?, ?)"_s
                          .arg(admission ? u"tbBillDailyBill"_s : u"tbBillOPDailyOut"_s),
                      {f.at(1), f.at(2), f.at(3), kStamp,
                       f.size() > 4 ? QVariant(f.at(4)) : QVariant()});
        } else if (kind == u"M"_s) {
            c.Execute(u"INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) "
                      "VALUES (?, ?, ?)"_s,
                      {f.at(1), f.at(2), f.at(3)});
        } else if (kind == u"C"_s) {
            c.Execute(u"INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, "
                      "Discount, ComputedAt) VALUES (?, ?, ?, ?, ?)"_s,
                      {f.at(1), f.at(2), f.at(3), f.at(4), kStamp});
        } else if (kind == u"P"_s) {
            c.Execute(u"INSERT INTO BILLING.tbBillPayment (IdNum, Kind, Amount, ORNumber, "
                      "PaymentDate) VALUES (?, ?, ?, ?, ?)"_s,
                      {f.at(1), f.at(2), f.at(3), u"OR%1"_s.arg(++receipt), kStamp});
        } else if (kind == u"A"_s) {
            c.Execute(u"INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, HospNum, IdNum, "
                      "CompanyID, Amount, TransDate) VALUES (?, ?, ?, ?, ?, ?)"_s,
                      {f.at(1), u"H1"_s, f.at(2).isEmpty() ? QVariant() : QVariant(f.at(2)),
                       f.at(3), 50000, f.at(4)});
        } else {
            QFAIL(qPrintable(u"unknown seed row "_s + row));
        }
    }
}

QString money(const db::Recordset& rs, const QString& column) {
    return QString::number(rs.Number(column), 'f', 2);
}

} // namespace

class TstVisitMoney : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

private slots:
    void initTestCase();
    void reckoning_data();
    void reckoning();
    void payer_data();
    void payer();
};

void TstVisitMoney::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    c = testdb::empty();
    server::migrate(*c);
    for (const char* id : {"PC", "DS"})
        c->Execute(u"INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES (?, ?)"_s,
                   {QString::fromLatin1(id),
                    QString::fromLatin1(id) == u"PC"_s ? u"PCSO"_s : u"DSWD"_s});
}

void TstVisitMoney::reckoning_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("visit");
    // group|gross|medicare|discount computed|discount|sponsor charged|sponsor|net|paid|
    // refunded|balance
    QTest::addColumn<QString>("expected");

    QTest::newRow("charges only")
        << QStringList{u"L|1001|LB|1000"_s, u"L|1001|XR|250.50"_s} << u"1001"_s
        << u"1|1250.50|0.00|0.00|0.00|0.00|0.00|1250.50|0.00|0.00|1250.50"_s;
    QTest::newRow("credit line lowers the gross")
        << QStringList{u"L|1001|PH|1000"_s, u"L|1001|PH|-100"_s} << u"1001"_s
        << u"1|900.00|0.00|0.00|0.00|0.00|0.00|900.00|0.00|0.00|900.00"_s;
    QTest::newRow("pending discount line is a discount, not a charge")
        << QStringList{u"L|1001|LB|1000"_s, u"L|1001|QF|-200"_s} << u"1001"_s
        << u"1|1000.00|0.00|200.00|200.00|0.00|0.00|800.00|0.00|0.00|800.00"_s;
    QTest::newRow("stored computation replaces the pending line")
        << QStringList{u"L|1001|LB|1000"_s, u"L|1001|QF|-200"_s, u"C|1001|QF|LB|150"_s,
                       u"C|1001|QF|XR|50.25"_s}
        << u"1001"_s << u"1|1000.00|0.00|200.25|200.25|0.00|0.00|799.75|0.00|0.00|799.75"_s;
    QTest::newRow("computation of no discount still settles it")
        << QStringList{u"L|1001|MD|5000"_s, u"L|1001|QF|-300"_s, u"C|1001|QF|MD|0"_s}
        << u"1001"_s << u"1|5000.00|0.00|0.00|0.00|0.00|0.00|5000.00|0.00|0.00|5000.00"_s;
    QTest::newRow("another discount's computation is not the department's")
        << QStringList{u"L|1001|LB|1000"_s, u"C|1001|SC|LB|200"_s} << u"1001"_s
        << u"1|1000.00|0.00|0.00|0.00|0.00|0.00|1000.00|0.00|0.00|1000.00"_s;
    QTest::newRow("medicare with the others' cover")
        << QStringList{u"L|1001|RA|3000"_s, u"L|1001|LB|1000"_s, u"M|1001|RA|1200"_s,
                       u"M|1001|OT|300"_s}
        << u"1001"_s << u"1|4000.00|1500.00|0.00|0.00|0.00|0.00|2500.00|0.00|0.00|2500.00"_s;
    QTest::newRow("sponsor pays its lines")
        << QStringList{u"A|AC1||PC|2026-03-01"_s, u"L|1001|PH|400|AC1"_s, u"L|1001|LB|600"_s}
        << u"1001"_s << u"1|1000.00|0.00|0.00|0.00|400.00|400.00|600.00|0.00|0.00|600.00"_s;
    // A line the fund paid that medicare covers as well is not taken off twice.
    QTest::newRow("fund-paid line covered by medicare too")
        << QStringList{u"A|AC1||PC|2026-03-01"_s, u"L|2002B|DI|2790|AC1"_s,
                       u"M|2002B|DI|2600"_s}
        << u"2002B"_s << u"3|2790.00|2600.00|0.00|0.00|2790.00|190.00|0.00|0.00|0.00|0.00"_s;
    QTest::newRow("fund-paid lines and a discount over them")
        << QStringList{u"A|AC1||PC|2026-03-01"_s, u"L|1001|PH|1000|AC1"_s, u"L|1001|LB|500"_s,
                       u"C|1001|QF|PH|300"_s, u"C|1001|QF|LB|100"_s}
        << u"1001"_s << u"1|1500.00|0.00|400.00|400.00|1000.00|1000.00|100.00|0.00|0.00|100.00"_s;
    // The computation works on the actual charges, medicare or not.
    QTest::newRow("discount over what medicare covers")
        << QStringList{u"L|1001|DI|13325"_s, u"M|1001|DI|13325"_s, u"C|1001|QF|DI|3331.25"_s}
        << u"1001"_s << u"1|13325.00|13325.00|3331.25|0.00|0.00|0.00|0.00|0.00|0.00|0.00"_s;
    QTest::newRow("discount over part of what medicare covers")
        << QStringList{u"L|1001|DI|10000"_s, u"L|1001|LB|500"_s, u"M|1001|DI|9000"_s,
                       u"C|1001|QF|DI|2500"_s, u"C|1001|QF|LB|125"_s, u"P|1001|P|100"_s}
        << u"1001"_s << u"1|10500.00|9000.00|2625.00|1500.00|0.00|0.00|0.00|100.00|0.00|-100.00"_s;
    QTest::newRow("fund-paid lines fully discounted")
        << QStringList{u"A|AC1||PC|2026-03-01"_s, u"L|1001|PH|1000|AC1"_s, u"C|1001|QF|PH|1000"_s}
        << u"1001"_s << u"1|1000.00|0.00|1000.00|1000.00|1000.00|0.00|0.00|0.00|0.00|0.00"_s;
    QTest::newRow("payments, a deposit and a refund")
        << QStringList{u"L|1001|LB|1000"_s, u"P|1001|D|200"_s, u"P|1001|P|500"_s,
                       u"P|1001|R|50"_s}
        << u"1001"_s << u"1|1000.00|0.00|0.00|0.00|0.00|0.00|1000.00|700.00|50.00|350.00"_s;
    QTest::newRow("overpaid visit owes the patient")
        << QStringList{u"L|2001B|LB|100"_s, u"P|2001B|P|150"_s} << u"2001B"_s
        << u"3|100.00|0.00|0.00|0.00|0.00|0.00|100.00|150.00|0.00|-50.00"_s;
    QTest::newRow("refunded visit is settled")
        << QStringList{u"L|2001B|LB|100"_s, u"P|2001B|P|150"_s, u"P|2001B|R|50"_s}
        << u"2001B"_s << u"3|100.00|0.00|0.00|0.00|0.00|0.00|100.00|150.00|50.00|0.00"_s;
    QTest::newRow("ER visit with everything")
        << QStringList{u"A|AC2|3001E|DS|2026-03-01"_s, u"L|3001E|ER|1500"_s,
                       u"L|3001E|PH|320.40|AC2"_s, u"L|3001E|QF|-150"_s, u"M|3001E|ER|500"_s,
                       u"P|3001E|P|400"_s, u"P|3001E|R|20.40"_s}
        << u"3001E"_s << u"2|1820.40|500.00|150.00|150.00|320.40|320.40|850.00|400.00|20.40|470.40"_s;
    QTest::newRow("deposit before any charge")
        << QStringList{u"P|1002|D|5000"_s} << u"1002"_s
        << u"1|0.00|0.00|0.00|0.00|0.00|0.00|0.00|5000.00|0.00|-5000.00"_s;
    // Ten lines of ten centavos: the sums must not drift off the centavo.
    QTest::newRow("centavos add up exactly")
        << QStringList(10, u"L|1001|CS|0.10"_s) + QStringList{u"P|1001|P|0.30"_s}
        << u"1001"_s << u"1|1.00|0.00|0.00|0.00|0.00|0.00|1.00|0.30|0.00|0.70"_s;
    QTest::newRow("another visit's rows stay with it")
        << QStringList{u"L|1001|LB|1000"_s, u"L|1003|LB|700"_s, u"P|1003|P|700"_s}
        << u"1001"_s << u"1|1000.00|0.00|0.00|0.00|0.00|0.00|1000.00|0.00|0.00|1000.00"_s;
}

void TstVisitMoney::reckoning() {
    QFETCH(QStringList, rows);
    QFETCH(QString, visit);
    QFETCH(QString, expected);
    db::Transaction t(*c);
    seed(*c, rows);
    auto rs = c->Query(u"SELECT * FROM BILLING.vwBillVisitMoney WHERE IdNum = ?"_s, {visit});
    QCOMPARE(rs.RecordCount(), 1);
    QStringList got{QString::number(rs.Number(u"PatientGroup"_s))};
    for (const char* col :
         {"Gross", "Medicare", "DiscountComputed", "Discount", "SponsorCharged", "Sponsor", "Net", "Paid", "Refunded",
          "Balance"})
        got << money(rs, QString::fromLatin1(col));
    QCOMPARE(got.join(u'|'), expected);
    t.rollback();
}

void TstVisitMoney::payer_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("visit");
    QTest::addColumn<QString>("expected"); // account|company, empty: no payer

    QTest::newRow("allocation granted for the visit")
        << QStringList{u"A|AC1|1001|PC|2026-03-01"_s} << u"1001"_s << u"AC1|PCSO"_s;
    QTest::newRow("allocation that paid a line of the visit")
        << QStringList{u"A|AC1||DS|2026-03-01"_s, u"L|1001|PH|100|AC1"_s} << u"1001"_s
        << u"AC1|DSWD"_s;
    QTest::newRow("granted for the visit before one that only paid")
        << QStringList{u"A|AC1||DS|2026-01-01"_s, u"A|AC2|1001|PC|2026-03-01"_s,
                       u"L|1001|PH|100|AC1"_s, u"L|1001|PH|100|AC1"_s}
        << u"1001"_s << u"AC2|PCSO"_s;
    QTest::newRow("of two granted for the visit, the first granted")
        << QStringList{u"A|AC9|2001B|PC|2026-02-01"_s, u"A|AC1|2001B|DS|2026-02-15"_s}
        << u"2001B"_s << u"AC9|PCSO"_s;
    QTest::newRow("same day: the lower account number")
        << QStringList{u"A|AC9|2001B|PC|2026-02-01"_s, u"A|AC1|2001B|DS|2026-02-01"_s}
        << u"2001B"_s << u"AC1|DSWD"_s;
    QTest::newRow("allocation of another visit is not this one's payer")
        << QStringList{u"A|AC1|1003|PC|2026-03-01"_s, u"L|1001|LB|100"_s} << u"1001"_s << u""_s;
    QTest::newRow("patient-wide allocation that paid nothing here")
        << QStringList{u"A|AC1||PC|2026-03-01"_s, u"L|1001|LB|100"_s} << u"1001"_s << u""_s;
}

void TstVisitMoney::payer() {
    QFETCH(QStringList, rows);
    QFETCH(QString, visit);
    QFETCH(QString, expected);
    db::Transaction t(*c);
    seed(*c, rows);
    QStringList got;
    for (auto rs = c->Query(u"SELECT AccountNum, Company FROM BILLING.vwBillVisitPayer "
                            "WHERE IdNum = ?"_s,
                            {visit});
         !rs.Eof(); rs.MoveNext())
        got << rs.Text(u"AccountNum"_s) + u'|' + rs.Text(u"Company"_s);
    QCOMPARE(got.join(u'/'), expected);
    t.rollback();
}

QTEST_GUILESS_MAIN(TstVisitMoney)
#include "tst_visitmoney.moc"
