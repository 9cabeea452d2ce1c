// Long tables laid out in pieces of a few pages must come out as Qt lays out the whole
// table: the same pages, the same text on each page, every row once and never split, the
// header on top of every page, and the same picture.
#include "reports/document.h"
#include "reports/engine.h"
#include "reports/report.h"
#include "testdb.h"

#include <QRegularExpression>
#include <QtTest>
#include <climits>

using namespace reports;

namespace {

// A template around `body`, its rows from ZEP.tbRptLine.
QString templateFor(const QString& body) {
    return QStringLiteral("[report]\ntitle = Lines\nmain = lines\n"
                          "[query lines]\nformat: Amount = money\n"
                          "SELECT N, Name, Amount, Note FROM ZEP.tbRptLine ORDER BY N\n"
                          "[body]\n") +
           body;
}

const QString kGrid = QStringLiteral(
    "<table class=\"grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">");
const QString kHead =
    QStringLiteral("<thead><tr><th>No</th><th>Name</th><th class=\"num\">Amount</th></tr></thead>");
const QString kRows = QStringLiteral(
    "{{#lines}}<tr><td>{{N}}</td><td>{{Name}}</td><td class=\"num\">{{Amount}}</td></tr>\n"
    "{{/lines}}");
const QString kTotal = QStringLiteral("<p class=\"total\">{{count.lines}} lines in all</p>");

// The row numbers in the order the text has them, and the page each is on.
QVector<QPair<int, int>> rowsInText(const RenderedReport& r) {
    static const QRegularExpression row(QStringLiteral("^(\\d+) \\| "));
    QVector<QPair<int, int>> out;
    for (int p = 0; p < r.pageCount(); ++p)
        for (const QString& line : r.pageText(p).split(QLatin1Char('\n'))) {
            const auto m = row.match(line);
            if (m.hasMatch())
                out.append({m.captured(1).toInt(), p});
        }
    return out;
}

} // namespace

class TestPieces : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void piecesMatchTheWholeLayout_data();
    void piecesMatchTheWholeLayout();
    void longReportEndsOnItsLastPage();

private:
    std::shared_ptr<const RenderInput> input(const QString& body) {
        auto r = Report::fromText(templateFor(body), QStringLiteral("Lines.rpt"));
        r->setHospitalName(QStringLiteral("H"));
        return collect(*r, *conn_);
    }
    std::unique_ptr<db::Connection> conn_;
};

void TestPieces::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::empty();
    conn_->Execute(QStringLiteral(
        "CREATE TABLE ZEP.tbRptLine (N INTEGER, Name VARCHAR(300), Amount NUMERIC(12,2), "
        "Note VARCHAR(300))"));
    db::Transaction t(*conn_);
    for (int i = 1; i <= 700; ++i) {
        // Every seventh name wraps onto several lines, so rows are of uneven height.
        QString name = QStringLiteral("Patient %1").arg(i);
        if (i % 7 == 3)
            name += QStringLiteral(" with a name long enough to wrap over two or three lines "
                                   "of its column in the table, here and there");
        conn_->Execute(
            QStringLiteral("INSERT INTO ZEP.tbRptLine (N, Name, Amount) VALUES (?, ?, ?)"),
            {i, name, i * 10.25});
    }
    t.commit();
}

void TestPieces::piecesMatchTheWholeLayout_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("tables"); // long tables in the body
    const QString table = kGrid + kHead + kRows + QStringLiteral("</table>");
    QTest::newRow("header rows") << QStringLiteral("<h3>All lines</h3>") + table + kTotal << 1;
    QTest::newRow("no header rows") << QStringLiteral("<h3>All lines</h3>") + kGrid + kRows +
                                           QStringLiteral("</table>") + kTotal
                                    << 1;
    QString text;
    for (int i = 0; i < 90; ++i)
        text += QStringLiteral("<p>Paragraph %1 before the table.</p>").arg(i);
    QTest::newRow("text over two pages before the table") << text + table + kTotal << 1;
    QTest::newRow("rows in tbody, left open")
        << kGrid + kHead +
               QStringLiteral("<tbody>{{#lines}}<tr><td>{{N}}</td><td>{{Name}}</td>"
                              "<td class=\"num\">{{Amount}}</td>\n{{/lines}}"
                              "</tbody></table>") +
               kTotal
        << 1;
    QTest::newRow("two long tables")
        << table + QStringLiteral("<p>Between the tables.</p>") + table + kTotal << 2;
    QTest::newRow("the widest cells in the last rows")
        << kGrid +
               QStringLiteral(
                   "<thead><tr><th>No</th><th>Name</th><th>Note</th></tr></thead>"
                   "{{#lines}}<tr><td>{{N}}</td><td>{{Name}}</td><td>{{Note}}</td></tr>\n"
                   "{{/lines}}</table>") +
               kTotal
        << 1;
    QTest::newRow("a page break before the total")
        << table + QStringLiteral("<p style=\"page-break-before: always\">Totals</p>") + kTotal
        << 1;
}

void TestPieces::piecesMatchTheWholeLayout() {
    QFETCH(QString, body);
    QFETCH(int, tables);
    const auto in = input(body);
    const QString html = renderHtml(*in);
    const auto whole = RenderedReport::layOut(in, html, nullptr, INT_MAX);
    // Short pieces, so that even these tables are cut many times.
    const auto pieces = RenderedReport::layOut(in, html, nullptr, 40);
    QVERIFY(whole->pageCount() > 10);
    QCOMPARE(pieces->pageCount(), whole->pageCount());
    for (int p = 0; p < whole->pageCount(); ++p)
        QCOMPARE(pieces->pageText(p), whole->pageText(p));

    // Every row once per table, in order; a row is on one page only.
    const auto rows = rowsInText(*pieces);
    QCOMPARE(rows.size(), 700 * tables);
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows.at(i).first, i % 700 + 1);
        if (i > 0)
            QVERIFY(rows.at(i).second >= rows.at(i - 1).second);
    }
    QVERIFY(pieces->pageText(pieces->pageCount() - 1).contains(QStringLiteral("700 lines in all")));

    // The same picture: a page where a piece begins, one in a piece, the last.
    for (const int p : {1, 2, 5, whole->pageCount() - 1}) {
        const QImage a = whole->pageImage(p, 1.0);
        const QImage b = pieces->pageImage(p, 1.0);
        QVERIFY2(a == b, qPrintable(QStringLiteral("page %1 differs").arg(p + 1)));
    }
}

void TestPieces::longReportEndsOnItsLastPage() {
    // The default pieces: the table is long enough to be cut without being asked.
    const auto in = input(kGrid + kHead + kRows + QStringLiteral("</table>") + kTotal);
    const auto r = RenderedReport::build(in);
    const auto rows = rowsInText(*r);
    QCOMPARE(rows.size(), 700);
    QCOMPARE(rows.first().first, 1);
    QCOMPARE(rows.last().first, 700);
    QCOMPARE(rows.last().second, r->pageCount() - 1);
    const QStringList last = r->pageText(r->pageCount() - 1).split(QLatin1Char('\n'));
    QCOMPARE(last.first(), QStringLiteral("=== Page %1 of %1 ===").arg(r->pageCount()));
    QCOMPARE(last.at(1), QStringLiteral("H | Lines"));
    QVERIFY(last.contains(QStringLiteral("700 lines in all")));
    // The header row is in the text once, where the table begins.
    QCOMPARE(r->plainText().count(QStringLiteral("No | Name | Amount")), 1);
}

QTEST_MAIN(TestPieces)
#include "test_pieces.moc"
