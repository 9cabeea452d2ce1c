// Filling and rendering over a real database: queries with bound values, the mustache
// context, sub-reports, pages, PDF, text and CSV.
#include "reporttest.h"

#include "reports/document.h"
#include "reports/engine.h"
#include "reports/report.h"
#include "testdb.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace reports;
using namespace reporttest;

class TestRender : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void fillsRowsFromBoundValues_data();
    void fillsRowsFromBoundValues();
    void headerPrintsTitleHospitalAndValues();
    void dataIsTextNeverMarkup();
    void subreportsGetTheirOwnValues();
    void failingQueryNamesFileAndQuery();
    void manyRowsBreakIntoPages();
    void pdfReadsBack_data();
    void pdfReadsBack();
    void unwritablePdfIsAnError();
    void csvQuotesAndSpellsColumns();
    void cancelledRenderGivesNothing();

private:
    std::shared_ptr<RenderedReport> render(const Report& r) {
        return RenderedReport::build(collect(r, *conn_));
    }
    std::unique_ptr<Report> visitList() {
        auto r = Report::fromText(kVisitList, QStringLiteral("VisitList.rpt"));
        r->setHospitalName(QStringLiteral("St. Example General Hospital"));
        return r;
    }

    std::unique_ptr<db::Connection> conn_;
    QTemporaryDir dir_;
};

void TestRender::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::empty();
    seedVisits(*conn_);
    conn_->Execute(QStringLiteral("CREATE TABLE ZEP.tbRptNumber (N INTEGER)"));
    db::Transaction t(*conn_);
    for (int i = 1; i <= 300; ++i)
        conn_->Execute(QStringLiteral("INSERT INTO ZEP.tbRptNumber (N) VALUES (?)"), {i});
    t.commit();
}

void TestRender::fillsRowsFromBoundValues_data() {
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("January, every code")
        << QVariantList{QStringLiteral("01/01/2026"), QStringLiteral("01/31/2026")}
        << QStringList{QStringLiteral("No | Code | Name | Amount | Date"),
                       QStringLiteral("1 | A1 | Dela Cruz, Juan | 1,500.50 | 01/05/2026"),
                       QStringLiteral("2 | A2 | O'Brien \"Ann\" | 250.00 | 01/10/2026"),
                       QStringLiteral("3 | B1 | <b>{{title}}</b> & co | 99.99 | 01/20/2026"),
                       QStringLiteral("Note A1: first"),
                       QStringLiteral("Note B1: line one line two"),
                       QStringLiteral("3 visit(s), total 1,850.49 (3 listed)")}
        << QStringList{QStringLiteral("B2"), QStringLiteral("Note A2"),
                       QStringLiteral("No visits in this period.")};
    QTest::newRow("prefix bound, not pasted")
        << QVariantList{QDate(2025, 1, 1), QDate(2026, 12, 31), QStringLiteral("B%")}
        << QStringList{QStringLiteral("1 | B1 |"),
                       QStringLiteral("2 | B2 | Santos, Maria | "
                                      "12,000.00 | 02/02/2026"),
                       QStringLiteral("2 visit(s), total 12,099.99 (2 listed)")}
        << QStringList{QStringLiteral("A1"), QStringLiteral("C1")};
    QTest::newRow("a quote in a value is only a value")
        << QVariantList{QDate(2025, 1, 1), QDate(2026, 12, 31), QStringLiteral("x' OR '1'='1")}
        << QStringList{QStringLiteral("No visits in this period."),
                       QStringLiteral("0 visit(s), total (0 listed)")}
        << QStringList{QStringLiteral("A1")};
    QTest::newRow("end before start is passed on as chosen")
        << QVariantList{QStringLiteral("01/31/2026"), QStringLiteral("01/01/2026")}
        << QStringList{QStringLiteral("No visits in this period.")} << QStringList{};
}

void TestRender::fillsRowsFromBoundValues() {
    QFETCH(QVariantList, values);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, absent);
    auto r = visitList();
    r->SetParameterValues(values);
    const auto out = render(*r);
    QVERIFY(out);
    const QString text = out->plainText();
    qsizetype at = 0;
    for (const QString& l : lines) {
        const qsizetype found = text.indexOf(l, at);
        QVERIFY2(found >= 0,
                 qPrintable(QStringLiteral("missing in order: ") + l + QLatin1Char(10) + text));
        at = found;
    }
    const QString body = text.mid(text.indexOf(QStringLiteral("No | Code")));
    for (const QString& a : absent)
        QVERIFY2(!body.contains(a),
                 qPrintable(QStringLiteral("unexpected: ") + a + QLatin1Char(10) + text));
}

void TestRender::headerPrintsTitleHospitalAndValues() {
    auto r = visitList();
    r->SetParameterValues({QStringLiteral("1/2/2026"), QDate(2026, 1, 31), QStringLiteral("A%"),
                           QStringLiteral("Heading text")});
    const QStringList page = render(*r)->pageText(0).split(QLatin1Char('\n'));
    QCOMPARE(page.value(0), QStringLiteral("=== Page 1 of 1 ==="));
    QCOMPARE(page.value(1), QStringLiteral("St. Example General Hospital"));
    QCOMPARE(page.value(2), QStringLiteral("Visit List"));
    // Every value shown in the header, except the one the template prints itself.
    QCOMPARE(page.value(3), QStringLiteral("From: 01/02/2026 To: 01/31/2026 Prefix: A%"));
    QCOMPARE(page.value(4), QStringLiteral("Heading text"));

    auto plain = Report::fromText(
        QStringLiteral("[report]\ntitle = Own Layout\nheader = none\n[body]\n<p>{{title}} for "
                       "{{hospital}}</p>\n"),
        QStringLiteral("Own.rpt"));
    plain->setHospitalName(QStringLiteral("H"));
    QCOMPARE(render(*plain)->plainText(),
             QStringLiteral("=== Page 1 of 1 ===\nOwn Layout for H\n"));
}

void TestRender::dataIsTextNeverMarkup() {
    auto r = visitList();
    r->SetParameterValues({QStringLiteral("01/20/2026"), QStringLiteral("01/20/2026")});
    const auto out = render(*r);
    // The name is escaped: no bold, no tag expanded, and it cannot open a sub-report slot.
    QVERIFY(out->html().contains(QStringLiteral("&lt;b&gt;{{title}}&lt;/b&gt; &amp; co")));
    QVERIFY(out->plainText().contains(QStringLiteral("| <b>{{title}}</b> & co |")));
}

void TestRender::subreportsGetTheirOwnValues() {
    writeFile(dir_.filePath(QStringLiteral("Counted.rpt")), QStringLiteral(R"([report]
title = Counted
header = none
[parameter Upto]
type = number
default = 2
[query n]
bind: Upto
SELECT N FROM ZEP.tbRptNumber WHERE N <= ? ORDER BY N
[body]
<p>Counted to {{Upto}}:{{#n}} {{N}}{{/n}}</p>
)"));
    writeFile(dir_.filePath(QStringLiteral("Monthly.rpt")), QStringLiteral(R"([report]
title = Monthly
header = none
[parameter Worker]
[body]
<p>Main for {{Worker}}</p>
{{>I.SourceOfReferral}}
{{>II.Caseload}}
{{>Counted}}
[subreport I.SourceOfReferral]
[parameter Worker]
default = nobody
[parameter Prefix]
[query v]
bind: Prefix
SELECT Code FROM ZEP.tbRptVisit WHERE Code LIKE ? ORDER BY Code
[body]
<p>Referrals of {{Worker}}:{{#v}} {{Code}}{{/v}}</p>
[subreport II.Caseload]
[parameter Worker]
default = nobody
[body]
<p>Caseload of {{Worker}}</p>
[subreport Counted]
file = Counted.rpt
)"));
    auto r = Report::open(dir_.path(), QStringLiteral("Monthly.rpt"));
    r->SetParameterValues({QStringLiteral("W1")});
    r->OpenSubreport(QStringLiteral("I.SourceOfReferral"))
        .SetParameterValues({QStringLiteral("W2"), QStringLiteral("A%")});
    r->OpenSubreport(QStringLiteral("Counted")).SetParameterValues({4});
    // II.Caseload is never opened: it keeps its defaults.
    QCOMPARE(render(*r)->plainText(),
             QStringLiteral("=== Page 1 of 1 ===\nMain for W1\nReferrals of W2: A1 A2\n"
                            "Caseload of nobody\nCounted to 4: 1 2 3 4\n"));
}

void TestRender::failingQueryNamesFileAndQuery() {
    auto r = Report::fromText(
        QStringLiteral("[report]\ntitle = T\n[query rows]\nSELECT * FROM ZEP.tbNoSuchTable\n"
                       "[body]\nx\n"),
        QStringLiteral("Broken.rpt"));
    try {
        collect(*r, *conn_);
        QFAIL("no error");
    } catch (const ReportError& e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Broken.rpt: query \"rows\" failed: ")),
                 qPrintable(e.message()));
    }
}

void TestRender::manyRowsBreakIntoPages() {
    auto r = Report::fromText(QStringLiteral(R"([report]
title = Numbers
[query n]
SELECT N FROM ZEP.tbRptNumber ORDER BY N
[body]
<table class="grid" border="1" cellspacing="0" cellpadding="2"><thead><tr><th>Number</th></tr></thead>
{{#n}}<tr><td>row {{N}}</td></tr>{{/n}}
</table>
)"),
                              QStringLiteral("Numbers.rpt"));
    r->setHospitalName(QStringLiteral("H"));
    const auto out = render(*r);
    QVERIFY(out->pageCount() > 3);
    // Each row once, in order, on the page it is painted on; pages 2.. carry the running
    // header; every page its own number.
    const QString text = out->plainText();
    int expected = 1;
    for (int p = 0; p < out->pageCount(); ++p) {
        const QStringList lines = out->pageText(p).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.first(),
                 QStringLiteral("=== Page %1 of %2 ===").arg(p + 1).arg(out->pageCount()));
        if (p > 0)
            QCOMPARE(lines.value(1), QStringLiteral("H | Numbers"));
        int onPage = 0;
        for (const QString& l : lines) {
            if (!l.startsWith(QLatin1String("row ")))
                continue;
            QCOMPARE(l, QStringLiteral("row %1").arg(expected));
            ++expected;
            ++onPage;
        }
        QVERIFY2(onPage > 10, qPrintable(out->pageText(p)));
    }
    QCOMPARE(expected, 301);
    QCOMPARE(text.count(QStringLiteral("row 150\n")), 1);
}

void TestRender::pdfReadsBack_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("size");
    QTest::newRow("letter portrait")
        << QStringLiteral("Letter portrait") << QStringLiteral("612 x 792 pts (letter)");
    QTest::newRow("A4 landscape") << QStringLiteral("A4 landscape")
                                  << QStringLiteral("842 x 595 pts (A4)");
    QTest::newRow("legal") << QStringLiteral("legal") << QStringLiteral("612 x 1008 pts");
}

void TestRender::pdfReadsBack() {
    QFETCH(QString, page);
    QFETCH(QString, size);
    QString text = kVisitList;
    text.replace(QStringLiteral("main = visits"), QStringLiteral("main = visits\npage = ") + page);
    auto r = Report::fromText(text, QStringLiteral("VisitList.rpt"));
    r->setHospitalName(QStringLiteral("St. Example General Hospital"));
    r->SetParameterValues({QStringLiteral("01/01/2026"), QStringLiteral("01/31/2026")});
    const auto out = render(*r);
    const QString path = dir_.filePath(QStringLiteral("visits.pdf"));
    QString error;
    QVERIFY2(out->writePdf(path, &error), qPrintable(error));
    const QString pdf = pdfText(path);
    for (const QString& s : {QStringLiteral("St. Example General Hospital"),
                             QStringLiteral("Visit List"), QStringLiteral("Dela Cruz, Juan"),
                             QStringLiteral("1,500.50"), QStringLiteral("Page 1 of 1")})
        QVERIFY2(pdf.contains(s), qPrintable(s + QStringLiteral(" not in:\n") + pdf));
    QCOMPARE(pdfPageSize(path), size);
}

void TestRender::unwritablePdfIsAnError() {
    auto r = visitList();
    const auto out = render(*r);
    QString error;
    QVERIFY(!out->writePdf(QStringLiteral("/nonexistent-folder/x.pdf"), &error));
    QCOMPARE(error, QStringLiteral("Cannot write the PDF file /nonexistent-folder/x.pdf."));
}

void TestRender::csvQuotesAndSpellsColumns() {
    auto r = visitList();
    r->SetParameterValues({QStringLiteral("01/01/2026"), QStringLiteral("01/31/2026")});
    const auto out = render(*r);
    QCOMPARE(
        out->csv(),
        QStringLiteral("Code,Name,Amount,VisitDate,Note\r\n"
                       "A1,\"Dela Cruz, Juan\",1500.50,01/05/2026,first\r\n"
                       "A2,\"O'Brien \"\"Ann\"\"\",250.00,01/10/2026,\r\n"
                       "B1,<b>{{title}}</b> & co,99.99,01/20/2026,\"line one\nline two\"\r\n"));
    const QString path = dir_.filePath(QStringLiteral("rows.csv"));
    QString error;
    QVERIFY(out->writeCsv(path, &error));
    QCOMPARE(readFile(path), out->csv());

    auto noRows = Report::fromText(QStringLiteral("[report]\ntitle = T\n[body]\nx\n"),
                                   QStringLiteral("NoRows.rpt"));
    QVERIFY(!render(*noRows)->writeCsv(path, &error));
    QCOMPARE(error, QStringLiteral("NoRows.rpt has no detail rows to save."));
}

void TestRender::cancelledRenderGivesNothing() {
    auto r = visitList();
    std::atomic_bool cancel{true};
    QVERIFY(!RenderedReport::build(collect(*r, *conn_), &cancel));
}

QTEST_MAIN(TestRender)
#include "test_render.moc"
