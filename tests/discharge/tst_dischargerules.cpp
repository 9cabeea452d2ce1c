// The texts of the discharge-notice screens: the other-info line, dates as shown, and
// remarks as stored.
#include "discharge/dischargerules.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_dischargerules : public QObject {
    Q_OBJECT
private slots:
    void otherInfo_data() {
        QTest::addColumn<bool>("cdf");
        QTest::addColumn<bool>("pcso");
        QTest::addColumn<bool>("special");
        QTest::addColumn<QString>("nc");
        QTest::addColumn<QString>("info");
        QTest::newRow("all, with counterpart") << true << true << true << "1500.00"
                                               << "with CDF; with PCSO; Special Arrangement (NC: 1500.00)";
        QTest::newRow("special, no counterpart") << false << false << true << "0.00" << "Special Arrangement";
        QTest::newRow("PCSO only") << false << true << false << "250.00" << "with PCSO; ";
        QTest::newRow("CDF, special") << true << false << true << "0.00" << "with CDF; Special Arrangement";
        QTest::newRow("nothing") << false << false << false << "0.00" << "";
    }
    void otherInfo() {
        QFETCH(bool, cdf);
        QFETCH(bool, pcso);
        QFETCH(bool, special);
        QFETCH(QString, nc);
        QFETCH(QString, info);
        QCOMPARE(discharge::otherInfo(cdf, pcso, special, nc), info);
    }

    void generalDate_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("morning") << QVariant(u"2026-12-09 08:05:00"_s) << "12/9/2026 8:05:00 AM";
        QTest::newRow("afternoon") << QVariant(u"2026-01-31 14:30:59"_s) << "1/31/2026 2:30:59 PM";
        QTest::newRow("with fractions") << QVariant(u"2026-12-09 08:05:00.123"_s) << "12/9/2026 8:05:00 AM";
        QTest::newRow("midnight") << QVariant(u"2026-12-09 00:00:00"_s) << "12/9/2026";
        QTest::newRow("date alone") << QVariant(u"2026-12-09"_s) << "12/9/2026";
        QTest::newRow("NULL") << QVariant() << "";
        QTest::newRow("not a date") << QVariant(u"soon"_s) << "";
    }
    void generalDate() {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QCOMPARE(discharge::generalDate(value), text);
    }

    void storedRemarks() {
        QCOMPARE(discharge::storedRemarks(u"Family's note, patient's copy"_s),
                 u"Family`s note, patient`s copy"_s);
    }
};

QTEST_APPLESS_MAIN(tst_dischargerules)
#include "tst_dischargerules.moc"
