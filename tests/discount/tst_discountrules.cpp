// The computation's arithmetic without a database: the department table of a special
// assessment, the medicare shares, the special arrangement's discount, the modes asked of
// billing and the amount format.
#include "discount/discountrules.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace discount;

class TestDiscountRules : public QObject {
    Q_OBJECT

private slots:
    void departmentTable_data();
    void departmentTable();
    void shares_data();
    void shares();
    void special_data();
    void special();
    void centavos_data();
    void centavos();
    void modes();
    void amounts_data();
    void amounts();
};

void TestDiscountRules::departmentTable_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("actual");
    QTest::addColumn<double>("discount");
    // The class: procedures 0.25, supplies 0.4, medicines 0.5, room 0.1.
    QTest::newRow("PH medicines") << u"PH"_s << 1000.0 << 500.0;
    QTest::newRow("RN medicines") << u"RN"_s << 200.0 << 100.0;
    QTest::newRow("UM medicines") << u"UM"_s << 10.0 << 5.0;
    QTest::newRow("RA room") << u"RA"_s << 3000.0 << 300.0;
    QTest::newRow("XS supplies") << u"XS"_s << 100.0 << 40.0;
    QTest::newRow("OS supplies") << u"OS"_s << 250.0 << 100.0;
    QTest::newRow("CS supplies") << u"CS"_s << 50.0 << 20.0;
    QTest::newRow("LB procedures") << u"LB"_s << 800.0 << 200.0;
    QTest::newRow("OR procedures") << u"OR"_s << 20000.0 << 5000.0;
    QTest::newRow("DI procedures") << u"DI"_s << 4000.0 << 1000.0;
    QTest::newRow("MD in full") << u"MD"_s << 7500.0 << 7500.0;
    QTest::newRow("ER unlisted") << u"ER"_s << 900.0 << 0.0;
    QTest::newRow("US unlisted") << u"US"_s << 900.0 << 0.0;
    QTest::newRow("lower case is not a code") << u"ph"_s << 1000.0 << 0.0;
    QTest::newRow("empty code") << QString() << 1000.0 << 0.0;
}

void TestDiscountRules::departmentTable() {
    QFETCH(QString, code);
    QFETCH(double, actual);
    QFETCH(double, discount);
    const ClassFractions f{0.25, 0.4, 0.5, 0.1};
    QCOMPARE(departmentDiscount(code, actual, f), discount);
}

void TestDiscountRules::shares_data() {
    QTest::addColumn<double>("total");
    QTest::addColumn<QVector<double>>("amounts");
    QTest::addColumn<bool>("shared");
    QTest::addColumn<QVector<double>>("shares");
    QTest::newRow("1,000 over 300 and 200") << 1000.0 << QVector<double>{300, 200} << true
                                            << QVector<double>{600, 400};
    QTest::newRow("one item takes it all") << 750.0 << QVector<double>{12.5} << true
                                           << QVector<double>{750};
    QTest::newRow("an item of 0 gets 0") << 90.0 << QVector<double>{0, 30, 60} << true
                                         << QVector<double>{0, 30, 60};
    QTest::newRow("items adding up to 0") << 1000.0 << QVector<double>{0, 0} << false
                                          << QVector<double>{};
    QTest::newRow("a credit cancelling a charge") << 1000.0 << QVector<double>{500, -500} << false
                                                  << QVector<double>{};
    QTest::newRow("no items") << 1000.0 << QVector<double>{} << false << QVector<double>{};
}

void TestDiscountRules::shares() {
    QFETCH(double, total);
    QFETCH(QVector<double>, amounts);
    QFETCH(bool, shared);
    QFETCH(QVector<double>, shares);
    const auto got = medicareShares(total, amounts);
    QCOMPARE(got.has_value(), shared);
    if (got)
        QCOMPARE(*got, shares);
}

void TestDiscountRules::special_data() {
    QTest::addColumn<QString>("revenueId");
    QTest::addColumn<double>("actual");
    QTest::addColumn<double>("bill");
    QTest::addColumn<double>("counterpart");
    QTest::addColumn<double>("others");
    QTest::addColumn<double>("discount");
    QTest::newRow("8,000 of 40,000, B 50,000, NC 10,000")
        << u"LB"_s << 8000.0 << 50000.0 << 10000.0 << 40000.0 << 8000.0;
    QTest::newRow("32,000 of 40,000") << u"PH"_s << 32000.0 << 50000.0 << 10000.0 << 40000.0
                                      << 32000.0;
    QTest::newRow("MD keeps its charges") << u"MD"_s << 6000.0 << 50000.0 << 10000.0 << 40000.0
                                          << 6000.0;
    QTest::newRow("B equal to A: the patient pays NC")
        << u"RA"_s << 3000.0 << 12000.0 << 2000.0 << 12000.0 << 2500.0;
    QTest::newRow("no charges but MD") << u"LB"_s << 0.0 << 5000.0 << 1000.0 << 0.0 << 0.0;
    QTest::newRow("MD with no other charges") << u"MD"_s << 4000.0 << 5000.0 << 1000.0 << 0.0
                                              << 4000.0;
    QTest::newRow("counterpart above the bill") << u"LB"_s << 8000.0 << 40000.0 << 45000.0
                                                << 40000.0 << 0.0;
    QTest::newRow("counterpart equal to the bill") << u"LB"_s << 8000.0 << 40000.0 << 40000.0
                                                   << 40000.0 << 0.0;
}

void TestDiscountRules::special() {
    QFETCH(QString, revenueId);
    QFETCH(double, actual);
    QFETCH(double, bill);
    QFETCH(double, counterpart);
    QFETCH(double, others);
    QFETCH(double, discount);
    QCOMPARE(specialDiscount(revenueId, actual, bill, counterpart, others), discount);
}

void TestDiscountRules::centavos_data() {
    QTest::addColumn<QVector<double>>("shares");
    QTest::addColumn<double>("total");
    QTest::addColumn<QVector<double>>("cents");
    QTest::newRow("exact") << QVector<double>{600, 400} << 1000.0 << QVector<double>{600, 400};
    QTest::newRow("thirds") << QVector<double>{1000.0 / 3, 1000.0 / 3, 1000.0 / 3} << 1000.0
                            << QVector<double>{333.33, 333.33, 333.34};
    QTest::newRow("two thirds rounded up")
        << QVector<double>{2000.0 / 3, 2000.0 / 3, 2000.0 / 3} << 2000.0
        << QVector<double>{666.67, 666.67, 666.66};
    QTest::newRow("one") << QVector<double>{12.346} << 12.346 << QVector<double>{12.35};
    QTest::newRow("none") << QVector<double>{} << 0.0 << QVector<double>{};
}

void TestDiscountRules::centavos() {
    QFETCH(QVector<double>, shares);
    QFETCH(double, total);
    QFETCH(QVector<double>, cents);
    QCOMPARE(inCentavos(shares, total), cents);
}

void TestDiscountRules::modes() {
    QCOMPARE(chargesMode(true, true), 4);
    QCOMPARE(chargesMode(true, false), 3);
    QCOMPARE(chargesMode(false, false), 7);
    QCOMPARE(chargesMode(false, true), 7);
    QCOMPARE(hospitalBillMode(true, true), 7);
    QCOMPARE(hospitalBillMode(true, false), 6);
    QCOMPARE(hospitalBillMode(false, false), 10);
    QCOMPARE(hospitalBillMode(false, true), 10);
    QVERIFY(isAdmissionNumber(u"2001"_s));
    QVERIFY(isAdmissionNumber(u" 2001 "_s));
    QVERIFY(!isAdmissionNumber(u"5001B"_s));
    QVERIFY(!isAdmissionNumber(u"7001E"_s));
    QVERIFY(!isAdmissionNumber(QString()));
}

void TestDiscountRules::amounts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << u"0.00"_s;
    QTest::newRow("under one") << 0.5 << u"0.50"_s;
    QTest::newRow("hundreds") << 999.99 << u"999.99"_s;
    QTest::newRow("thousands") << 1234.5 << u"1,234.50"_s;
    QTest::newRow("exact thousand") << 1000.0 << u"1,000.00"_s;
    QTest::newRow("millions") << 1234567.89 << u"1,234,567.89"_s;
    QTest::newRow("ten digits") << 9876543210.0 << u"9,876,543,210.00"_s;
    QTest::newRow("rounded up") << 2.006 << u"2.01"_s;
    QTest::newRow("carried into the pesos") << 99.999 << u"100.00"_s;
    QTest::newRow("negative") << -8000.0 << u"-8,000.00"_s;
}

void TestDiscountRules::amounts() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(amountText(value), text);
}

QTEST_APPLESS_MAIN(TestDiscountRules)
#include "tst_discountrules.moc"
