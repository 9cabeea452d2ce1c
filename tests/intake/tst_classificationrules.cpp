// The classification scheme's rules without a screen: summaries, percentages typed and
// stepped, the next row key and the button states.
#include "discount/clsPercentages.h"
#include "intake/classificationrules.h"

#include <QTest>

using namespace Qt::StringLiterals;
using intake::Action;
using intake::ButtonStates;

Q_DECLARE_METATYPE(intake::Action)
Q_DECLARE_METATYPE(intake::ButtonStates)

class TestClassificationRules : public QObject {
    Q_OBJECT

private slots:
    void inPatientSummary_data();
    void inPatientSummary();
    void outPatientSummary();
    void percentFromFraction_data();
    void percentFromFraction();
    void enterPercent_data();
    void enterPercent();
    void stepPercent_data();
    void stepPercent();
    void refusedTextKeepsLastFraction();
    void nextType_data();
    void nextType();
    void states_data();
    void states();
};

void TestClassificationRules::inPatientSummary_data() {
    QTest::addColumn<QString>("room");
    QTest::addColumn<QString>("summary");
    QTest::newRow("free room") << u"0%"_s
                               << u"50% on Procedures; 25% on Meds/Supplies; Free Room"_s;
    QTest::newRow("5% room") << u"5%"_s << u"50% on Procedures; 25% on Meds/Supplies; 5% on Room"_s;
    // Only exactly "0%" is a free room.
    QTest::newRow("00% is not free")
        << u"00%"_s << u"50% on Procedures; 25% on Meds/Supplies; 00% on Room"_s;
    QTest::newRow("empty room") << u""_s << u"50% on Procedures; 25% on Meds/Supplies;  on Room"_s;
}

void TestClassificationRules::inPatientSummary() {
    QFETCH(QString, room);
    QFETCH(QString, summary);
    QCOMPARE(intake::inPatientSummary(u"50%"_s, u"25%"_s, room), summary);
}

void TestClassificationRules::outPatientSummary() {
    QCOMPARE(intake::outPatientSummary(u"100%"_s, u"7.5%"_s),
             u"100% on Procedures; 7.5% on Meds/Supplies"_s);
}

void TestClassificationRules::percentFromFraction_data() {
    QTest::addColumn<QString>("fraction");
    QTest::addColumn<QString>("percent");
    QTest::newRow("half") << u"0.5"_s << u"50%"_s;
    QTest::newRow("binary error absorbed") << u"0.255"_s << u"25.5%"_s;
    QTest::newRow("whole") << u"1"_s << u"100%"_s;
    QTest::newRow("zero") << u"0"_s << u"0%"_s;
    QTest::newRow("0.07") << u"0.07"_s << u"7%"_s;
    QTest::newRow("not a number") << u"x"_s << u""_s;
    QTest::newRow("empty") << u""_s << u""_s;
}

void TestClassificationRules::percentFromFraction() {
    QFETCH(QString, fraction);
    QFETCH(QString, percent);
    QCOMPARE(intake::percentFromFraction(fraction), percent);
}

void TestClassificationRules::enterPercent_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("display");
    QTest::addColumn<double>("fraction");
    QTest::newRow("75%") << u"75%"_s << true << u"75%"_s << 0.75;
    // Without the sign the number is still the whole number typed, not its first digit.
    QTest::newRow("75") << u"75"_s << true << u"75%"_s << 0.75;
    QTest::newRow("5") << u"5"_s << true << u"5%"_s << 0.05;
    QTest::newRow("100%") << u"100%"_s << true << u"100%"_s << 1.0;
    QTest::newRow("7.5%") << u"7.5%"_s << true << u"7.5%"_s << 0.075;
    // Longer than ShowPercent reads: the whole value still counts.
    QTest::newRow("25.5%") << u"25.5%"_s << true << u"25.5%"_s << 0.255;
    QTest::newRow("12.25") << u"12.25"_s << true << u"12.25%"_s << 0.1225;
    QTest::newRow("letters") << u"ab%"_s << false << u""_s << 0.0;
    QTest::newRow("sign only") << u"%"_s << false << u""_s << 0.0;
    QTest::newRow("negative") << u"-5%"_s << false << u""_s << 0.0;
    QTest::newRow("two signs") << u"5%%"_s << false << u""_s << 0.0;
    QTest::newRow("blank inside") << u"5 %"_s << false << u""_s << 0.0;
    QTest::newRow("exponent") << u"1e2"_s << false << u""_s << 0.0;
    QTest::newRow("comma") << u"7,5"_s << false << u""_s << 0.0;
}

void TestClassificationRules::enterPercent() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, display);
    QFETCH(double, fraction);
    clsPercentages p;
    const intake::PercentResult r = intake::enterPercent(p, text);
    QCOMPARE(r.ok, ok);
    if (ok) {
        QCOMPARE(r.display, display);
        QCOMPARE(r.fraction, fraction);
        QCOMPARE(p.decPercent, fraction);
    }
}

void TestClassificationRules::stepPercent_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("display");
    QTest::addColumn<double>("fraction");
    QTest::newRow("99 up") << u"Up"_s << u"99%"_s << true << u"100%"_s << 1.0;
    QTest::newRow("100 up, no clamp") << u"Up"_s << u"100%"_s << true << u"101%"_s << 1.01;
    QTest::newRow("10 down") << u"Down"_s << u"10%"_s << true << u"9%"_s << 0.09;
    QTest::newRow("0 down") << u"Down"_s << u"0%"_s << true << u"-1%"_s << -0.01;
    QTest::newRow("empty up") << u"Up"_s << u""_s << true << u"1"_s << 0.01;
    QTest::newRow("empty down") << u"Down"_s << u""_s << true << u"0"_s << 0.0;
    QTest::newRow("7.5 up") << u"Up"_s << u"7.5%"_s << true << u"8.5%"_s << 0.085;
    QTest::newRow("25.5 up") << u"Up"_s << u"25.5%"_s << true << u"26.5%"_s << 0.265;
    QTest::newRow("25.5 down") << u"Down"_s << u"25.5%"_s << true << u"24.5%"_s << 0.245;
    QTest::newRow("letters") << u"Up"_s << u"ab%"_s << false << u""_s << 0.0;
    QTest::newRow("other mode") << u"None"_s << u"50%"_s << false << u""_s << 0.0;
}

void TestClassificationRules::stepPercent() {
    QFETCH(QString, mode);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, display);
    QFETCH(double, fraction);
    clsPercentages p;
    const intake::PercentResult r = intake::stepPercent(p, mode, text);
    QCOMPARE(r.ok, ok);
    if (ok) {
        QCOMPARE(r.display, display);
        QCOMPARE(r.fraction, fraction);
    }
}

void TestClassificationRules::refusedTextKeepsLastFraction() {
    clsPercentages p;
    QVERIFY(intake::enterPercent(p, u"40%"_s).ok);
    QVERIFY(!intake::enterPercent(p, u"4x%"_s).ok);
    QVERIFY(!intake::stepPercent(p, u"Up"_s, u"ab%"_s).ok);
    QCOMPARE(p.decPercent, 0.4);
}

void TestClassificationRules::nextType_data() {
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QString>("next");
    QTest::newRow("empty scheme") << QStringList{} << u"A1"_s;
    QTest::newRow("demo scheme, last code D")
        << QStringList{u"A1"_s, u"A2"_s, u"A3"_s, u"A4"_s, u"A5"_s, u"A6"_s} << u"A7"_s;
    // Text order would put A9 after A10; the number decides.
    QTest::newRow("past nine") << QStringList{u"A10"_s, u"A9"_s, u"A2"_s} << u"A11"_s;
    QTest::newRow("gaps are not reused") << QStringList{u"A1"_s, u"A5"_s} << u"A6"_s;
    QTest::newRow("other forms left out")
        << QStringList{u"B7"_s, u"A2x"_s, u"X"_s, u"A"_s, u"A3"_s} << u"A4"_s;
    QTest::newRow("only other forms") << QStringList{u"B7"_s, u"Z99"_s} << u"A1"_s;
    QTest::newRow("leading zero") << QStringList{u"A007"_s} << u"A8"_s;
    QTest::newRow("blanks around") << QStringList{u" A4 "_s} << u"A5"_s;
    QTest::newRow("lower case a is another form") << QStringList{u"a9"_s, u"A1"_s} << u"A2"_s;
}

void TestClassificationRules::nextType() {
    QFETCH(QStringList, types);
    QFETCH(QString, next);
    const QString got = intake::nextClassificationType(types);
    QCOMPARE(got, next);
    QVERIFY(!types.contains(got));
}

void TestClassificationRules::states_data() {
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("deleteBefore");
    QTest::addColumn<ButtonStates>("after");
    // New, Edit, Save, Delete, Cancel, Close, boxes
    auto st = [](bool n, bool e, bool s, bool d, bool box) {
        ButtonStates b;
        b.New = n, b.Edit = e, b.Save = s, b.Delete = d, b.Cancel = true, b.Close = true;
        b.boxes = box;
        return b;
    };
    QTest::newRow("open") << Action::Open << false << st(true, true, false, true, false);
    QTest::newRow("new") << Action::New << true << st(true, false, true, false, true);
    QTest::newRow("edit") << Action::Edit << true << st(false, true, true, false, true);
    QTest::newRow("double-click keeps delete on")
        << Action::DoubleClick << true << st(true, true, false, true, false);
    QTest::newRow("double-click keeps delete off")
        << Action::DoubleClick << false << st(true, true, false, false, false);
    QTest::newRow("cancel keeps delete off")
        << Action::Cancel << false << st(true, true, false, false, false);
    QTest::newRow("save turns delete on")
        << Action::Save << false << st(true, true, false, true, false);
    QTest::newRow("delete keeps delete")
        << Action::Delete << true << st(true, true, false, true, false);
}

void TestClassificationRules::states() {
    QFETCH(Action, action);
    QFETCH(bool, deleteBefore);
    QFETCH(ButtonStates, after);
    ButtonStates before;
    before.Delete = deleteBefore;
    before.New = !deleteBefore; // the other states before must not leak through
    before.boxes = deleteBefore;
    QVERIFY(intake::statesAfter(action, before) == after);
}

QTEST_GUILESS_MAIN(TestClassificationRules)
#include "tst_classificationrules.moc"
