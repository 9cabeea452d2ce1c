// The computation's rules without a database: the department table of a special
// assessment, shares in centavos and the amount format. The shares and the special
// arrangement are tested through the billing procedures (tst_discountprocs).
#include "discount/discountrules.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace discount;

class TestDiscountRules : public QObject {
    Q_OBJECT

private slots:
    void departmentTable_data();
    void departmentTable();
    void centavos_data();
    void centavos();
    void amounts_data();
    void amounts();
};

void TestDiscountRules::departmentTable_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("actual");
    QTest::addColumn<double>("discount");
    // The class: procedures 0.25, supplies 0.4, medicines 0.5, room 0.1.
    QTest::newRow("PH medicines") << u"PH"_s << 1000.0 << 500.0;
    QTest::newRow("RA room") << u"RA"_s << 3000.0 << 300.0;
    QTest::newRow("XS supplies") << u"XS"_s << 100.0 << 40.0;
    QTest::newRow("LB procedures") << u"LB"_s << 800.0 << 200.0;
    QTest::newRow("OR procedures") << u"OR"_s << 20000.0 << 5000.0;
    QTest::newRow("MD in full") << u"MD"_s << 7500.0 << 7500.0;
    QTest::newRow("ER unlisted") << u"ER"_s << 900.0 << 0.0;
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

void TestDiscountRules::centavos_data() {
    QTest::addColumn<QVector<double>>("shares");
    QTest::addColumn<double>("total");
    QTest::addColumn<QVector<double>>("cents");
    QTest::newRow("exact") << QVector<double>{600, 400} << 1000.0 << QVector<double>{600, 400};
    QTest::newRow("thirds") << QVector<double>{1000.0 / 3, 1000.0 / 3, 1000.0 / 3} << 1000.0
                            << QVector<double>{333.33, 333.33, 333.34};
    QTest::newRow("one") << QVector<double>{12.346} << 12.346 << QVector<double>{12.35};
    QTest::newRow("none") << QVector<double>{} << 0.0 << QVector<double>{};
}

void TestDiscountRules::centavos() {
    QFETCH(QVector<double>, shares);
    QFETCH(double, total);
    QFETCH(QVector<double>, cents);
    QCOMPARE(inCentavos(shares, total), cents);
}

void TestDiscountRules::amounts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << u"0.00"_s;
    QTest::newRow("under one") << 0.5 << u"0.50"_s;
    QTest::newRow("thousands") << 1234.5 << u"1,234.50"_s;
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
