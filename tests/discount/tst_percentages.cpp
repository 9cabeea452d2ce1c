// Percentage steps behind the classification scheme's percentage boxes and spinners.
#include "discount/clsPercentages.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPercentages : public QObject {
    Q_OBJECT

private slots:
    void showPercent_data();
    void showPercent();
    void notANumber_data();
    void notANumber();
    void unknownMode_data();
    void unknownMode();
    void startsAtZeroAndIsWritable();
    void lastCallWins();
};

// Every length of the text under every mode, plus the cases the screens meet.
void TestPercentages::showPercent_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("display");
    QTest::addColumn<double>("fraction");

    // Four characters: the first three are the number.
    QTest::newRow("up 100%") << u"Up"_s << u"100%"_s << u"101%"_s << 1.01;
    QTest::newRow("down 100%") << u"Down"_s << u"100%"_s << u"99%"_s << 0.99;
    QTest::newRow("none 100%") << u"None"_s << u"100%"_s << u"100%"_s << 1.0;
    QTest::newRow("up 075%") << u"Up"_s << u"075%"_s << u"76%"_s << 0.76;
    QTest::newRow("none 7.5%") << u"None"_s << u"7.5%"_s << u"7.5%"_s << 0.075;
    QTest::newRow("none 25.5 keeps 25.") << u"None"_s << u"25.5"_s << u"25%"_s << 0.25;

    // Three characters: the first two.
    QTest::newRow("up 75%") << u"Up"_s << u"75%"_s << u"76%"_s << 0.76;
    QTest::newRow("down 75%") << u"Down"_s << u"75%"_s << u"74%"_s << 0.74;
    QTest::newRow("none 75%") << u"None"_s << u"75%"_s << u"75%"_s << 0.75;
    QTest::newRow("up 99% reaches 100%") << u"Up"_s << u"99%"_s << u"100%"_s << 1.0;
    QTest::newRow("down 10%") << u"Down"_s << u"10%"_s << u"9%"_s << 0.09;
    QTest::newRow("none 100 without sign") << u"None"_s << u"100"_s << u"10%"_s << 0.1;

    // Two characters: the first one.
    QTest::newRow("up 9%") << u"Up"_s << u"9%"_s << u"10%"_s << 0.1;
    QTest::newRow("down 5%") << u"Down"_s << u"5%"_s << u"4%"_s << 0.04;
    QTest::newRow("none 5%") << u"None"_s << u"5%"_s << u"5%"_s << 0.05;
    QTest::newRow("none 50 without sign") << u"None"_s << u"50"_s << u"5%"_s << 0.05;
    QTest::newRow("down 0% goes negative") << u"Down"_s << u"0%"_s << u"-1%"_s << -0.01;

    // One character.
    QTest::newRow("up 5") << u"Up"_s << u"5"_s << u"6%"_s << 0.06;
    QTest::newRow("none 5") << u"None"_s << u"5"_s << u"5%"_s << 0.05;
    QTest::newRow("down 5 gives plain 0") << u"Down"_s << u"5"_s << u"0"_s << 0.0;
    QTest::newRow("down on a letter gives plain 0") << u"Down"_s << u"x"_s << u"0"_s << 0.0;

    // Empty text and five or more characters.
    QTest::newRow("up empty") << u"Up"_s << QString() << u"1"_s << 0.01;
    QTest::newRow("down empty") << u"Down"_s << QString() << u"0"_s << 0.0;
    QTest::newRow("up 1000%") << u"Up"_s << u"1000%"_s << u"1"_s << 0.01;
    QTest::newRow("down 25.5%") << u"Down"_s << u"25.5%"_s << u"0"_s << 0.0;
    QTest::newRow("none 25.5% keeps one digit") << u"None"_s << u"25.5%"_s << u"2%"_s << 0.02;
    QTest::newRow("up on long letters") << u"Up"_s << u"abcdef"_s << u"1"_s << 0.01;
}

void TestPercentages::showPercent() {
    QFETCH(QString, mode);
    QFETCH(QString, text);
    QFETCH(QString, display);
    QFETCH(double, fraction);
    clsPercentages p;
    p.decPercent = 0.5; // a value the call must overwrite
    bool ok = false;
    QCOMPARE(p.ShowPercent(mode, text, &ok), display);
    QVERIFY(ok);
    QCOMPARE(p.decPercent, fraction);
}

void TestPercentages::notANumber_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("text");
    QTest::newRow("up ab%") << u"Up"_s << u"ab%"_s;
    QTest::newRow("down ab%") << u"Down"_s << u"ab%"_s;
    QTest::newRow("none ab%") << u"None"_s << u"ab%"_s;
    QTest::newRow("none empty") << u"None"_s << QString();
    QTest::newRow("up x") << u"Up"_s << u"x"_s;
    QTest::newRow("none 1,5%") << u"None"_s << u"1,5%"_s;
    QTest::newRow("none percent first") << u"None"_s << u"%5"_s;
}

void TestPercentages::notANumber() {
    QFETCH(QString, mode);
    QFETCH(QString, text);
    clsPercentages p;
    p.decPercent = 0.3;
    bool ok = true;
    QCOMPARE(p.ShowPercent(mode, text, &ok), QString());
    QVERIFY(!ok);
    QCOMPARE(p.decPercent, 0.3);
    // Without an ok flag the failure still leaves the fraction alone.
    QCOMPARE(p.ShowPercent(mode, text), QString());
    QCOMPARE(p.decPercent, 0.3);
}

void TestPercentages::unknownMode_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("empty") << QString();
    QTest::newRow("lower case") << u"up"_s;
    QTest::newRow("other") << u"Sideways"_s;
}

void TestPercentages::unknownMode() {
    QFETCH(QString, mode);
    clsPercentages p;
    p.decPercent = 0.42;
    bool ok = false;
    QCOMPARE(p.ShowPercent(mode, u"75%"_s, &ok), QString());
    QVERIFY(ok);
    QCOMPARE(p.decPercent, 0.42);
}

void TestPercentages::startsAtZeroAndIsWritable() {
    clsPercentages p;
    QCOMPARE(p.decPercent, 0.0);
    p.decPercent = 0.2;
    QCOMPARE(p.decPercent, 0.2);
}

// One instance serves every box of the scheme screen: the fraction follows the last call,
// and a failed call in between does not disturb it.
void TestPercentages::lastCallWins() {
    clsPercentages p;
    QCOMPARE(p.ShowPercent(u"None"_s, u"50%"_s), u"50%"_s);
    QCOMPARE(p.ShowPercent(u"Up"_s, u"99%"_s), u"100%"_s);
    QCOMPARE(p.decPercent, 1.0);
    QCOMPARE(p.ShowPercent(u"Up"_s, u"100%"_s), u"101%"_s);
    QCOMPARE(p.decPercent, 1.01);
    QCOMPARE(p.ShowPercent(u"None"_s, u"ab%"_s), QString());
    QCOMPARE(p.decPercent, 1.01);
}

QTEST_APPLESS_MAIN(TestPercentages)
#include "tst_percentages.moc"
