// Finding the tables of a report's HTML that can be laid out in pieces.
#include "reports/longtables.h"

#include <QtTest>

using namespace reports;

namespace {

QString rows(int n, const QString& pattern = QStringLiteral("<tr><td>%1</td><td>x</td></tr>\n")) {
    QString s;
    for (int i = 1; i <= n; ++i)
        s += pattern.arg(i);
    return s;
}

const QString kOpen = QStringLiteral("<table border=\"1\" width=\"100%\">");
const QString kHead = QStringLiteral("<thead><tr><th>No</th><th>Name</th></tr></thead>");

} // namespace

class TestLongTables : public QObject {
    Q_OBJECT
private slots:
    void findsOrRefuses_data();
    void findsOrRefuses();
    void rowsAndHeaderAsWritten();
    void severalTablesInOrder();
};

void TestLongTables::findsOrRefuses_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("found"); // body rows of the one table found, -1 for none

    const QString after = QStringLiteral("</table><p>after</p>");
    QTest::newRow("header and rows") << kOpen + kHead + rows(20) + after << 20;
    QTest::newRow("no header") << kOpen + rows(20) + after << 20;
    QTest::newRow("too few rows") << kOpen + kHead + rows(9) + after << -1;
    QTest::newRow("tbody, rows left open")
        << kOpen + kHead + QStringLiteral("<tbody>") +
               rows(12, QStringLiteral("<tr><td>%1</td>\n")) + QStringLiteral("</tbody>") + after
        << 12;
    QTest::newRow("a cell spanning rows")
        << kOpen + rows(10) + QStringLiteral("<tr><td rowspan=\"2\">a</td><td>b</td></tr>") +
               rows(10) + after
        << -1;
    QTest::newRow("ROWSPAN in capitals")
        << kOpen + rows(10) + QStringLiteral("<TR><TD ROWSPAN=2>a</TD></TR>") + rows(10) + after
        << -1;
    QTest::newRow("table inside a row")
        << kOpen + rows(10) +
               QStringLiteral("<tr><td><table><tr><td>in</td></tr></table></td></tr>") + rows(10) +
               after
        << -1;
    QTest::newRow("text between rows")
        << kOpen + rows(10) + QStringLiteral("stray text") + rows(10) + after << -1;
    QTest::newRow("caption") << kOpen + QStringLiteral("<caption>c</caption>") + rows(20) + after
                             << -1;
    QTest::newRow("header after the rows")
        << kOpen + rows(20) + kHead + QStringLiteral("</table>") << -1;
    QTest::newRow("inside another table") << QStringLiteral("<table><tr><td>") + kOpen + rows(20) +
                                                 QStringLiteral("</table></td></tr></table>")
                                          << -1;
    QTest::newRow("comment that looks like markup")
        << QStringLiteral("<!-- <table> -->") + kOpen + rows(20) +
               QStringLiteral("<!-- </table> -->") + after
        << 20;
    QTest::newRow("'>' in an attribute")
        << QStringLiteral("<table title=\"a > b\">") +
               rows(20, QStringLiteral("<tr title='>'><td>%1</td></tr>")) + after
        << 20;
    QTest::newRow("never closed") << kOpen + rows(20) << -1;
    QTest::newRow("inside a div") << QStringLiteral("<div align=\"center\">") + kOpen + rows(20) +
                                         after + QStringLiteral("</div>")
                                  << -1;
    QTest::newRow("inside bold text")
        << QStringLiteral("<p><b>") + kOpen + rows(20) + after + QStringLiteral("</b>") << -1;
    QTest::newRow("after a closed div and an open paragraph")
        << QStringLiteral("<div><br/>x</div><p>text<hr>") + kOpen + rows(20) + after << 20;
}

void TestLongTables::findsOrRefuses() {
    QFETCH(QString, html);
    QFETCH(int, found);
    const QVector<LongTable> t = findLongTables(html, 10);
    if (found < 0) {
        QVERIFY2(t.isEmpty(), qPrintable(html.left(200)));
        return;
    }
    QCOMPARE(t.size(), 1);
    QCOMPARE(t.first().rows.size(), found);
    for (int i = 0; i < found; ++i)
        QVERIFY2(t.first().rows.at(i).startsWith(QStringLiteral("<tr")) &&
                     t.first().rows.at(i).contains(QStringLiteral(">%1</td>").arg(i + 1)),
                 qPrintable(t.first().rows.at(i)));
}

void TestLongTables::rowsAndHeaderAsWritten() {
    const QString before = QStringLiteral("<html><body>\n<h3>Title</h3>\n");
    const QString table = kOpen + QLatin1Char('\n') + kHead + QLatin1Char('\n') + rows(30) +
                          QStringLiteral("</table>");
    const QString html = before + table + QStringLiteral("\n<p>Total</p></body></html>");
    const QVector<LongTable> t = findLongTables(html, 10);
    QCOMPARE(t.size(), 1);
    QCOMPARE(t.first().begin, before.size());
    QCOMPARE(t.first().end, before.size() + table.size());
    QCOMPARE(t.first().open, kOpen);
    QCOMPARE(t.first().head, kHead);
    QCOMPARE(t.first().rows.first(), QStringLiteral("<tr><td>1</td><td>x</td></tr>"));
    QCOMPARE(t.first().rows.last(), QStringLiteral("<tr><td>30</td><td>x</td></tr>"));
}

void TestLongTables::severalTablesInOrder() {
    const QString html = kOpen + rows(15) + QStringLiteral("</table><p>between</p>") +
                         QStringLiteral("<table>") + rows(3) + QStringLiteral("</table>") + kOpen +
                         kHead + rows(25) + QStringLiteral("</table>");
    const QVector<LongTable> t = findLongTables(html, 10);
    QCOMPARE(t.size(), 2); // the three-row table is left alone
    QCOMPARE(t.at(0).rows.size(), 15);
    QCOMPARE(t.at(1).rows.size(), 25);
    QVERIFY(t.at(0).end <= t.at(1).begin);
    QVERIFY(html.mid(t.at(1).begin).startsWith(kOpen + kHead));
    QCOMPARE(t.at(1).end, html.size());
}

QTEST_APPLESS_MAIN(TestLongTables)
#include "test_longtables.moc"
