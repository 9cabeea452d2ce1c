// The generators behind the demo and the synthetic hospital: a random source that gives the
// same numbers everywhere, draws that stay in range and follow their weights, numbers in the
// hospital's formats, and people whose ages and names fit the master file.
#include "tools/hospitalgen.h"

#include <QSet>
#include <QtTest>

using namespace hospitalgen;

class TestHospitalGen : public QObject {
    Q_OBJECT

private slots:
    void referenceSequence();
    void rangesStayInBounds_data();
    void rangesStayInBounds();
    void weightsAreFollowed();
    void zipCodes();
    void numbers_data();
    void numbers();
    void people();
    void agesComeOut_data();
    void agesComeOut();
    void titleCase_data();
    void titleCase();
};

// splitmix64's published output for seed 0: a changed constant or shift would change every
// demo hospital, silently.
void TestHospitalGen::referenceSequence() {
    Rng r(0);
    QCOMPARE(r.next(), 0xE220A8397B1DCDAFull);
    QCOMPARE(r.next(), 0x6E789E6AA1B965F4ull);
    QCOMPARE(r.next(), 0x06C45D188009454Full);
    Rng a(42), b(42);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(a.range(-5, 1000), b.range(-5, 1000));
}

void TestHospitalGen::rangesStayInBounds_data() {
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::newRow("one value") << 7 << 7;
    QTest::newRow("two values") << 0 << 1;
    QTest::newRow("negative") << -20 << -3;
    QTest::newRow("wide") << 0 << 2000000000;
}

void TestHospitalGen::rangesStayInBounds() {
    QFETCH(int, lo);
    QFETCH(int, hi);
    Rng r(7);
    bool low = false, high = false;
    for (int i = 0; i < 20000; ++i) {
        const int v = r.range(lo, hi);
        QVERIFY(v >= lo && v <= hi);
        low = low || v == lo;
        high = high || v == hi;
    }
    if (qint64(hi) - lo < 100)
        QVERIFY(low && high); // both ends are reachable
    for (int i = 0; i < 1000; ++i) {
        const double u = r.unit();
        QVERIFY(u >= 0.0 && u < 1.0);
    }
    QVERIFY(!r.percent(0));
    QVERIFY(r.percent(100));
}

void TestHospitalGen::weightsAreFollowed() {
    const Weighted w(QVector<int>{0, 1, 3, 0, 6});
    Rng r(11);
    int seen[5] = {};
    const int n = 30000;
    for (int i = 0; i < n; ++i)
        ++seen[w.draw(r)];
    QCOMPARE(seen[0], 0);
    QCOMPARE(seen[3], 0);
    QVERIFY(qAbs(seen[1] - n / 10) < n / 50);
    QVERIFY(qAbs(seen[2] - 3 * n / 10) < n / 50);
    QVERIFY(qAbs(seen[4] - 6 * n / 10) < n / 50);
    QCOMPARE(Weighted(QVector<int>{0, 0}).draw(r), 0);
}

void TestHospitalGen::zipCodes() {
    QSet<QString> codes;
    int homes = 0;
    for (const Town& t : towns()) {
        QVERIFY2(!codes.contains(t.zipCode), qPrintable(t.zipCode));
        codes.insert(t.zipCode);
        QCOMPARE(t.zipCode.size(), 4);
        QVERIFY(t.zipCode.toInt() > 0);
        QVERIFY(!t.town.isEmpty() && !t.province.isEmpty());
        homes += t.weight > 0;
    }
    QVERIFY(codes.size() >= 150);
    QVERIFY(homes >= 100);
    // Home addresses come only from towns people live in; birthplaces may be anywhere.
    Rng r(3);
    for (int i = 0; i < 5000; ++i) {
        const Address a = homeAddress(r);
        QVERIFY(towns().at(a.town).weight > 0);
        QVERIFY(!a.houseStreet.isEmpty() && !a.barangay.isEmpty());
        const int b = birthTown(r);
        QVERIFY(b >= 0 && b < towns().size());
    }
}

void TestHospitalGen::numbers_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hospital") << hospitalNumber(104201) << QStringLiteral("00104201");
    QTest::newRow("hospital, a million") << hospitalNumber(12000000) << QStringLiteral("12000000");
    QTest::newRow("admission") << admissionNumber(512341) << QStringLiteral("512341");
    QTest::newRow("out-patient") << outPatientNumber(412001) << QStringLiteral("0412001B");
    QTest::newRow("ER") << erNumber(61201) << QStringLiteral("061201E");
    QTest::newRow("case") << caseNumber(1181) << QStringLiteral("ZEP-01181");
}

void TestHospitalGen::numbers() {
    QFETCH(QString, number);
    QFETCH(QString, expected);
    QCOMPARE(number, expected);
}

void TestHospitalGen::people() {
    Rng r(5);
    QHash<QString, int> surnames;
    QSet<QString> youngNames, oldNames;
    for (int i = 0; i < 4000; ++i) {
        const Sex sex = i % 2 ? Sex::Male : Sex::Female;
        const int age = patientAge(r);
        QVERIFY(age >= 1 && age <= 92);
        const PersonName n = personName(r, sex, age);
        // The master file keeps names in upper case.
        QCOMPARE(n.last, n.last.toUpper());
        QCOMPARE(n.first, n.first.toUpper());
        QCOMPARE(n.middle, n.middle.toUpper());
        QVERIFY(n.middle != n.last);
        ++surnames[n.last];
        (age >= 40 ? oldNames : youngNames).insert(n.first);
        const QString cs = civilStatus(r, age);
        QVERIFY(QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                             QStringLiteral("4"), QStringLiteral("5")})
                    .contains(cs));
        if (age < 20)
            QCOMPARE(cs, QStringLiteral("1"));
        const Work w = work(r, age, sex);
        QVERIFY(!w.occupation.isEmpty() && !w.status.isEmpty());
        QVERIFY(w.monthlyIncome >= 0);
        if (age < 22)
            QCOMPARE(w.monthlyIncome, 0);
    }
    // A few names are very common and many are rare, as in life.
    QList<int> counts = surnames.values();
    std::sort(counts.begin(), counts.end());
    QVERIFY(counts.last() > 8 * counts.at(counts.size() / 2));
    QVERIFY(surnames.size() > 100);
    // Names follow the generations: the sets differ.
    QVERIFY(!youngNames.contains(QStringLiteral("DOMINADOR")));
    QVERIFY(!oldNames.contains(QStringLiteral("PRINCESS")));
}

void TestHospitalGen::agesComeOut_data() {
    QTest::addColumn<QDate>("today");
    QTest::newRow("ordinary day") << QDate(2025, 6, 15);
    QTest::newRow("leap day") << QDate(2024, 2, 29);
    QTest::newRow("first of March") << QDate(2025, 3, 1);
    QTest::newRow("new year") << QDate(2026, 1, 1);
}

void TestHospitalGen::agesComeOut() {
    QFETCH(QDate, today);
    Rng r(9);
    for (int age = 0; age <= 95; ++age)
        for (int k = 0; k < 30; ++k) {
            const QDate born = birthDate(r, today, age);
            QVERIFY(born.isValid());
            QCOMPARE(ageOn(born, today), age);
        }
}

void TestHospitalGen::titleCase_data() {
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two words") << QStringLiteral("DELA CRUZ") << QStringLiteral("Dela Cruz");
    QTest::newRow("abbreviation") << QStringLiteral("MA. THERESA") << QStringLiteral("Ma. Theresa");
    QTest::newRow("hyphen") << QStringLiteral("PAG-ASA") << QStringLiteral("Pag-Asa");
    QTest::newRow("enye") << QStringLiteral("NIÑO MUÑOZ") << QStringLiteral("Niño Muñoz");
    QTest::newRow("empty") << QString() << QString();
}

void TestHospitalGen::titleCase() {
    QFETCH(QString, upper);
    QFETCH(QString, expected);
    QCOMPARE(hospitalgen::titleCase(upper), expected);
}

QTEST_GUILESS_MAIN(TestHospitalGen)
#include "tst_hospitalgen.moc"
