// Code lists, coded pick-list items and reading typed numbers.
#include "rules/codeditem.h"
#include "rules/codelist.h"
#include "rules/numeric.h"

#include <QTest>

using namespace rules;
using namespace Qt::StringLiterals;

class TestRules : public QObject {
    Q_OBJECT

private slots:
    void splitList_data();
    void splitList();
    void joinList_data();
    void joinList();
    void listRoundTrip();
    void removeCode_data();
    void removeCode();

    void codedItem_data();
    void codedItem();
    void leadingCodeOfClassCombo_data();
    void leadingCodeOfClassCombo();

    void number_data();
    void number();
    void visitNumber_data();
    void visitNumber();
};

void TestRules::splitList_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("two codes") << u"1.2|1.3.5|"_s << QStringList{u"1.2"_s, u"1.3.5"_s};
    QTest::newRow("last without bar is not a code") << u"1.2|1.3.5"_s << QStringList{u"1.2"_s};
    QTest::newRow("no bar at all") << u"1.2"_s << QStringList{};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("blanks trimmed") << u" 1.2 | 7 |"_s << QStringList{u"1.2"_s, u"7"_s};
    // Documentation flags are read by position: an empty place must not shift the rest.
    QTest::newRow("empty place kept") << u"1||0|"_s << QStringList{u"1"_s, QString(), u"0"_s};
    QTest::newRow("only a bar") << u"|"_s << QStringList{QString()};
}

void TestRules::splitList() {
    QFETCH(QString, list);
    QFETCH(QStringList, codes);
    QCOMPARE(splitCodeList(list), codes);
}

void TestRules::joinList_data() {
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("list");
    QTest::newRow("two") << QStringList{u"1.2"_s, u"1.3.5"_s} << u"1.2|1.3.5|"_s;
    QTest::newRow("none gives empty text") << QStringList{} << QString();
    QTest::newRow("trimmed") << QStringList{u"  4.1 "_s} << u"4.1|"_s;
    QTest::newRow("flags") << QStringList{u"1"_s, u"0"_s, u"0"_s, u"1"_s} << u"1|0|0|1|"_s;
}

void TestRules::joinList() {
    QFETCH(QStringList, codes);
    QFETCH(QString, list);
    QCOMPARE(joinCodeList(codes), list);
}

void TestRules::listRoundTrip() {
    const QStringList codes{u"1"_s, u"1.10"_s, u"2.3.4.5.6"_s, u"0"_s};
    QCOMPARE(splitCodeList(joinCodeList(codes)), codes);
}

void TestRules::removeCode_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("result");
    QTest::newRow("middle") << u"1.1|1.2|1.3|"_s << u"1.2"_s << u"1.1|1.3|"_s;
    // A plain text replace of "1.2|" would eat the tail of "11.2|".
    QTest::newRow("whole elements only") << u"11.2|1.2|1.2.3|"_s << u"1.2"_s << u"11.2|1.2.3|"_s;
    QTest::newRow("every copy") << u"3|4|3|"_s << u"3"_s << u"4|"_s;
    QTest::newRow("absent") << u"3|4|"_s << u"5"_s << u"3|4|"_s;
    QTest::newRow("code as read from a list item") << u"3|4|"_s << u"  4"_s << u"3|"_s;
    QTest::newRow("last one leaves empty text") << u"3|"_s << u"3"_s << QString();
}

void TestRules::removeCode() {
    QFETCH(QString, list);
    QFETCH(QString, code);
    QFETCH(QString, result);
    QCOMPARE(removeFromCodeList(list, code), result);
}

void TestRules::codedItem_data() {
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("blanks");
    QTest::addColumn<int>("width");
    QTest::newRow("service, short code") << u"Counselling"_s << u"1.2"_s << 150 << 10;
    QTest::newRow("service, ten-character code") << u"Home visit"_s << u"1.2.3.4.56"_s << 150 << 10;
    QTest::newRow("picker") << u"Referral to agency"_s << u"2.10"_s << 100 << 10;
    QTest::newRow("category, one character") << u"Hemodialysis"_s << u"7"_s << 100 << 2;
    QTest::newRow("category, two characters") << u"Urology"_s << u"12"_s << 100 << 2;
    QTest::newRow("empty display") << QString() << u"9"_s << 100 << 2;
    // A name ending in digits must not leak into the code or lose them.
    QTest::newRow("display ending in digits") << u"Ward 12"_s << u"3"_s << 100 << 2;
}

void TestRules::codedItem() {
    QFETCH(QString, display);
    QFETCH(QString, code);
    QFETCH(int, blanks);
    QFETCH(int, width);
    const CodedItemFormat fmt{blanks, width};
    const QString item = makeCodedItem(display, code, fmt);
    QCOMPARE(item.size(), display.size() + blanks + code.size());
    QVERIFY(item.startsWith(display + QString(blanks, QLatin1Char(' '))));
    QCOMPARE(codedItemCode(item, fmt), code);
    QCOMPARE(codedItemText(item, fmt), display);
}

void TestRules::leadingCodeOfClassCombo_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("code");
    QTest::newRow("two letters") << u"C1 -Financially capable"_s << u"C1"_s;
    QTest::newRow("one letter") << u"D -Indigent"_s << u"D"_s;
    QTest::newRow("short item") << u"A"_s << u"A"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestRules::leadingCodeOfClassCombo() {
    QFETCH(QString, item);
    QFETCH(QString, code);
    QCOMPARE(leadingCode(item, 2), code);
}

void TestRules::number_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << u"75"_s << true << 75.0;
    QTest::newRow("leading zero") << u"075"_s << true << 75.0;
    QTest::newRow("decimal") << u"7.5"_s << true << 7.5;
    QTest::newRow("point first") << u".5"_s << true << 0.5;
    QTest::newRow("point last") << u"5."_s << true << 5.0;
    QTest::newRow("negative") << u"-1"_s << true << -1.0;
    QTest::newRow("plus") << u"+3"_s << true << 3.0;
    QTest::newRow("blanks around") << u" 12 "_s << true << 12.0;
    QTest::newRow("exponent") << u"1e3"_s << true << 1000.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("blank") << u"  "_s << false << 0.0;
    QTest::newRow("letters") << u"ab"_s << false << 0.0;
    QTest::newRow("percent sign") << u"75%"_s << false << 0.0;
    QTest::newRow("thousands separator") << u"1,000"_s << false << 0.0;
    QTest::newRow("comma decimal") << u"7,5"_s << false << 0.0;
    QTest::newRow("inf") << u"inf"_s << false << 0.0;
    QTest::newRow("nan") << u"nan"_s << false << 0.0;
    QTest::newRow("overflow") << u"1e999"_s << false << 0.0;
    QTest::newRow("two points") << u"1.2.3"_s << false << 0.0;
    QTest::newRow("hex") << u"0x10"_s << false << 0.0;
}

void TestRules::number() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> n = readNumber(text);
    QCOMPARE(n.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*n, value);
}

void TestRules::visitNumber_data() {
    QTest::addColumn<QString>("idNum");
    QTest::addColumn<bool>("admission");
    QTest::newRow("admission") << u"613402"_s << true;
    QTest::newRow("leading zeros") << u"000123"_s << true;
    QTest::newRow("one digit") << u"7"_s << true;
    QTest::newRow("out-patient") << u"20417B"_s << false;
    QTest::newRow("ER") << u"8001E"_s << false;
    QTest::newRow("cash") << u"T1234"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("exponent") << u"1e5"_s << false;
    QTest::newRow("infinity") << u"inf"_s << false;
    QTest::newRow("blank before") << u" 12"_s << false;
    QTest::newRow("blank after") << u"12 "_s << false;
    QTest::newRow("sign") << u"-3"_s << false;
    QTest::newRow("decimal") << u"12.5"_s << false;
    QTest::newRow("arabic-indic digits") << u"\u0661\u0662"_s << false;
}

void TestRules::visitNumber() {
    QFETCH(QString, idNum);
    QFETCH(bool, admission);
    QCOMPARE(rules::isNumericVisitNumber(idNum), admission);
}

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
