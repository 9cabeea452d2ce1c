// The item-master procedures the service rate file uses, on a real database: which items a
// centre lists, the details under the department's own column names, and what the QFS save
// writes, refuses and reports.
#include "testdb.h"

#include "db/connection.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_filemaintprocs : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

    // "QFSType|QFSRate" of one item, the rate with four decimals.
    QString qfs(const QString& dept, const QString& item) {
        const db::Recordset rs = c->Query(
            u"SELECT QFSType, QFSRate FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = ? AND ItemID = ?"_s,
            {dept, item});
        return rs.Eof() ? u"<none>"_s
                        : rs.Text(u"QFSType"_s) + u'|' + QString::number(rs.Number(u"QFSRate"_s), 'f', 4);
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        c = testdb::fresh();
        c->Execute(u"INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES "
                   "('XR', 'X-RAY'), ('PA', 'PATHOLOGY'), ('OR', 'OPERATING ROOM')"_s);
    }
    void init() {
        c->Execute(u"DELETE FROM BUILD_FILE.tbCoRevenueItem"_s);
        c->Execute(u"INSERT INTO BUILD_FILE.tbCoRevenueItem (RevenueID, ItemID, ItemName, SectionID, "
                   "RateA, RateB, RateC, RateD, RateE, QFSType, QFSRate, RecordStatus) VALUES "
                   "('XR', 'X002', 'CHEST PA', 'S1', 350, 400, 450.5, 500, 550, 3, 0.15, 'A'), "
                   "('XR', 'X001', 'ABDOMEN', 'S1', 300, 300, 300, 300, 300, 0, 0, 'A'), "
                   "('XR', 'X009', 'OLD FILM', '', 100, 100, 100, 100, 100, 1, 0, 'I'), "
                   "('PA', 'P001', 'BIOPSY', '', 900, 900, 900, 900, 900, 2, 0.07, 'A'), "
                   "('OR', 'OR01', 'MINOR OR', '', 5000, 5000, 5000, 5000, 5000, 1, 0, 'A')"_s);
    }

    void activeItems_data() {
        QTest::addColumn<QString>("dept");
        QTest::addColumn<QStringList>("rows"); // name|code|section|rate A|status
        QTest::newRow("by name, inactive left out")
            << "XR" << QStringList{u"ABDOMEN|X001|S1|300|A"_s, u"CHEST PA|X002|S1|350|A"_s};
        QTest::newRow("blanks trimmed") << " PA " << QStringList{u"BIOPSY|P001||900|A"_s};
        QTest::newRow("unknown centre") << "ZZ" << QStringList{};
    }
    void activeItems() {
        QFETCH(QString, dept);
        QFETCH(QStringList, rows);
        db::Recordset rs = c->Call(u"BUILD_FILE..sp_Bui_Find_Revenue_Center_Items_Active"_s, {dept});
        QCOMPARE(rs.FieldCount(), 11);
        QStringList got;
        for (; !rs.Eof(); rs.MoveNext())
            got << rs.Text(1) + u'|' + rs.Text(2) + u'|' + rs.Text(3) + u'|' +
                       QString::number(rs.Number(u"RateA"_s)) + u'|' + rs.Text(10);
        QCOMPARE(got, rows);
    }

    void details_data() {
        QTest::addColumn<QString>("dept");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("codeColumn");
        QTest::addColumn<QString>("nameColumn");
        QTest::addColumn<QString>("row"); // code|name|C|type|rate
        QTest::newRow("x-ray") << "XR" << "X002" << "XrayExamID" << "XrayExam" << "X002|CHEST PA|450.5|3|0.15";
        QTest::newRow("pathology uses RTS") << "PA" << "P001" << "RTSExamID" << "RTSExam"
                                            << "P001|BIOPSY|900|2|0.07";
        QTest::newRow("other revenue") << "OR" << "OR01" << "OtherRevenueiD" << "OtherRevenue"
                                       << "OR01|MINOR OR|5000|1|0";
        QTest::newRow("item of another centre") << "XR" << "P001" << "XrayExamID" << "XrayExam" << "<none>";
    }
    void details() {
        QFETCH(QString, dept);
        QFETCH(QString, item);
        QFETCH(QString, codeColumn);
        QFETCH(QString, nameColumn);
        QFETCH(QString, row);
        const db::Recordset rs = c->Call(u"BUILD_fILE..sp_Bui_Show_Item_Details"_s, {dept, item});
        QVERIFY(rs.HasField(codeColumn));
        QVERIFY(rs.HasField(nameColumn));
        const QString got = rs.Eof() ? u"<none>"_s
                                     : rs.Text(codeColumn) + u'|' + rs.Text(nameColumn) + u'|' +
                                           QString::number(rs.Number(u"RateC"_s)) + u'|' +
                                           rs.Text(u"QFSType"_s) + u'|' +
                                           QString::number(rs.Number(u"QFSRate"_s));
        QCOMPARE(got, row);
    }

    void update_data() {
        QTest::addColumn<QString>("dept");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("result"); // rows updated, or "refused"
        QTest::addColumn<QString>("after");  // X002's type|rate afterwards
        QTest::newRow("specified") << "XR" << "X002" << "3" << "0.25" << "1" << "3|0.2500";
        QTest::newRow("unchanged") << "XR" << "X002" << "3" << "0.15" << "1" << "3|0.1500";
        QTest::newRow("fixed, rate 0") << "XR" << "X002" << "2" << "0" << "1" << "2|0.0000";
        QTest::newRow("empty type is 1") << "XR" << "X002" << "" << "0" << "1" << "1|0.0000";
        QTest::newRow("whole") << "XR" << "X002" << "3" << "1" << "1" << "3|1.0000";
        QTest::newRow("type 9") << "XR" << "X002" << "9" << "0" << "refused" << "3|0.1500";
        QTest::newRow("rate over 1") << "XR" << "X002" << "3" << "15" << "refused" << "3|0.1500";
        QTest::newRow("negative rate") << "XR" << "X002" << "3" << "-0.1" << "refused" << "3|0.1500";
        QTest::newRow("not a number") << "XR" << "X002" << "3" << "abc" << "refused" << "3|0.1500";
        QTest::newRow("item gone") << "XR" << "X404" << "3" << "0.5" << "0" << "3|0.1500";
        QTest::newRow("other centre's code") << "PA" << "X002" << "0" << "0" << "0" << "3|0.1500";
    }
    void update() {
        QFETCH(QString, dept);
        QFETCH(QString, item);
        QFETCH(QString, type);
        QFETCH(QString, rate);
        QFETCH(QString, result);
        QFETCH(QString, after);
        QString got;
        try {
            const db::Recordset rs =
                c->Call(u"BUILD_FILE..sp_Bui_UpdateQFSDiscount"_s, {dept, item, type, rate});
            got = rs.Text(u"Updated"_s);
        } catch (const db::Error&) {
            got = u"refused"_s;
        }
        QCOMPARE(got, result);
        QCOMPARE(qfs(u"XR"_s, u"X002"_s), after);
        QCOMPARE(qfs(u"PA"_s, u"P001"_s), u"2|0.0700"_s);
    }
};

QTEST_MAIN(tst_filemaintprocs)
#include "tst_filemaintprocs.moc"
