// Template parsing, parameter rules and value formats: everything of the engine that needs
// no database.
#include "reports/mustachetags.h"
#include "reports/report.h"
#include "reports/values.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace reports;

namespace {

const QString kGood = QStringLiteral(R"(# A template with every kind of section.
[report]
title = Census of "Patients"
page = A4 landscape
margin = 10
font-size = 8
main = Detail

[parameter StartDate]
type = date
label = Start Date

[parameter EndDate]
type = date
default = 01/31/2026

[parameter Heading]
default = "  padded  "
header = no

[parameter Code]
type = number
default = 3

[query Totals]
bind: StartDate
SELECT COUNT(*) AS Visits FROM ZEP.tbVisit WHERE VisitDate >= ?

[query Detail]
bind: StartDate, EndDate
format: Amount = money, VisitDate = date
-- a '?' in a comment or 'a text ?' is no placeholder
SELECT Name, Amount, VisitDate FROM ZEP.tbVisit
 WHERE VisitDate BETWEEN ? AND ? AND Name <> '?'

[style]
td { padding: 1px; }

[body]
{{#Detail}}<p>{{Name}} {{ amount }}</p>{{/Detail}}
{{! a comment }}{{{Heading}}}
{{>Sub One}}

[subreport Sub One]
title = First sub-report

[parameter Worker]

[query Rows]
bind: Worker
SELECT Code FROM ZEP.tbThing WHERE Worker = ?

[body]
{{#rows}}{{Code}}{{/rows}}
)");

std::unique_ptr<Report> good() {
    return Report::fromText(kGood, QStringLiteral("Good.rpt"));
}

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ReportError& e) {
        return e.message();
    }
    return {};
}

void writeFile(const QString& path, const QString& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

const QString kMinimal = QStringLiteral("[report]\ntitle = T\n[body]\nx\n");

} // namespace

class TestTemplate : public QObject {
    Q_OBJECT
private slots:
    void parsesEverySection();
    void refusesBrokenTemplates_data();
    void refusesBrokenTemplates();
    void missingTemplateNamesFileAndFolder();
    void findsTemplateWhateverItsCase();
    void subreportFromFileAndCycles();

    void valuesGoToFieldsInOrder();
    void emptyListSetsNothing();
    void refusedValueSetsNothing_data();
    void refusedValueSetsNothing();
    void acceptedValues_data();
    void acceptedValues();
    void subreportHasItsOwnFields();

    void moneyText_data();
    void moneyText();
    void columnFormats_data();
    void columnFormats();
    void normalisesTags();
};

void TestTemplate::parsesEverySection() {
    const auto r = good();
    const TemplateDef& d = r->definition();
    QCOMPARE(d.title, QStringLiteral("Census of \"Patients\""));
    QCOMPARE(d.page.size, QPageSize::A4);
    QCOMPARE(d.page.orientation, QPageLayout::Landscape);
    QCOMPARE(d.page.marginMm, 10.0);
    QCOMPARE(d.fontSize, 8.0);
    QCOMPARE(d.main()->name, QStringLiteral("Detail"));

    const auto& f = r->ParameterFields();
    QCOMPARE(f.size(), 4);
    QCOMPARE(f.at(0).name, QStringLiteral("StartDate"));
    QCOMPARE(f.at(0).label, QStringLiteral("Start Date"));
    QCOMPARE(f.at(0).type, FieldType::Date);
    QVERIFY(f.at(0).value.isNull());
    QCOMPARE(f.at(1).value.toDate(), QDate(2026, 1, 31));
    QCOMPARE(f.at(2).value.toString(), QStringLiteral("  padded  "));
    QVERIFY(!f.at(2).inHeader);
    QCOMPARE(f.at(3).value.toLongLong(), 3);

    const QueryDef* q = d.query(QStringLiteral("detail"));
    QVERIFY(q);
    QCOMPARE(q->bind, (QStringList{QStringLiteral("StartDate"), QStringLiteral("EndDate")}));
    QCOMPARE(q->formats.value(QStringLiteral("amount")), ColumnFormat::Money);
    QCOMPARE(q->formats.value(QStringLiteral("visitdate")), ColumnFormat::Date);
    QVERIFY(q->sql.startsWith(QStringLiteral("-- a '?'")));
    QVERIFY(d.style.contains(QStringLiteral("padding")));

    // Tags are lower-cased, comments dropped, the sub-report replaced by its marker.
    QVERIFY(d.body.contains(QStringLiteral("{{#detail}}<p>{{name}} {{amount}}</p>{{/detail}}")));
    QVERIFY(d.body.contains(QStringLiteral("{{{heading}}}")));
    QVERIFY(!d.body.contains(QStringLiteral("comment")));
    QVERIFY(d.body.contains(subreportMarker(0)));

    QCOMPARE(r->subreportNames(), QStringList{QStringLiteral("Sub One")});
    const TemplateDef& sub = *d.subreports.at(0).def;
    QCOMPARE(sub.title, QStringLiteral("First sub-report"));
    QCOMPARE(sub.parameters.size(), 1);
    QVERIFY(sub.query(QStringLiteral("Rows")));
    QVERIFY(!sub.standardHeader);
}

void TestTemplate::refusesBrokenTemplates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString head = QStringLiteral("[report]\ntitle = T\n");
    QTest::newRow("no report section")
        << QStringLiteral("[body]\nx\n") << QStringLiteral("Bad.rpt: no [report] section");
    QTest::newRow("no title") << QStringLiteral("[report]\npage = A4\n[body]\nx\n")
                              << QStringLiteral("Bad.rpt: no [report] section with a title");
    QTest::newRow("no body") << head << QStringLiteral("Bad.rpt: no [body] section");
    QTest::newRow("unknown section") << head + QStringLiteral("[qurey rows]\nSELECT 1\n")
                                     << QStringLiteral("Bad.rpt, line 3: unknown section [qurey]");
    QTest::newRow("header-like line")
        << head + QStringLiteral("[body\n") << QStringLiteral("Bad.rpt, line 3: a line starting");
    QTest::newRow("unknown key") << QStringLiteral("[report]\ntitel = T\n")
                                 << QStringLiteral("Bad.rpt, line 2: unknown key \"titel\"");
    QTest::newRow("key twice") << QStringLiteral("[report]\ntitle = T\ntitle = U\n")
                               << QStringLiteral("line 3: \"title\" is given twice");
    QTest::newRow("text before sections")
        << QStringLiteral("hello\n") << QStringLiteral("line 1: text before the first section");
    QTest::newRow("bad page") << QStringLiteral("[report]\ntitle = T\npage = A5\n")
                              << QStringLiteral("line 3: page \"A5\"");
    QTest::newRow("bad type") << head + QStringLiteral("[parameter P]\ntype = money\n")
                              << QStringLiteral("line 4: type \"money\"");
    QTest::newRow("bad default date")
        << head + QStringLiteral("[parameter P]\ntype = date\ndefault = 02/30/2026\n")
        << QStringLiteral("line 5: default of \"P\": \"02/30/2026\" is not a date");
    QTest::newRow("parameter twice") << head + QStringLiteral("[parameter P]\n[parameter p]\n")
                                     << QStringLiteral("line 4: parameter \"p\" is declared twice");
    QTest::newRow("reserved name") << head + QStringLiteral("[parameter Title]\n")
                                   << QStringLiteral("line 3: \"Title\" is a name the engine");
    QTest::newRow("binds unknown")
        << head + QStringLiteral("[query q]\nbind: Nope\nSELECT ?\n")
        << QStringLiteral("line 4: query \"q\" binds \"Nope\", which is not a declared");
    QTest::newRow("too few binds")
        << head + QStringLiteral("[parameter A]\n[query q]\nbind: A\n\nSELECT ? , ?\n")
        << QStringLiteral("line 7: query \"q\" has 2 \"?\" but binds 1");
    QTest::newRow("no sql") << head + QStringLiteral("[query q]\n\n[body]\nx\n")
                            << QStringLiteral("line 3: query \"q\" has no SQL text");
    QTest::newRow("bad format") << head + QStringLiteral("[query q]\nformat: A = euro\nSELECT 1\n")
                                << QStringLiteral("line 4: format \"A = euro\"");
    QTest::newRow("unclosed section") << head + QStringLiteral("[body]\n<p>\n{{#rows}}\n{{name}}\n")
                                      << QStringLiteral("line 5: section \"rows\" is never closed");
    QTest::newRow("wrong close")
        << head + QStringLiteral("[body]\n{{#a}}{{#b}}\n{{/a}}{{/b}}\n")
        << QStringLiteral("line 5: \"{{/a}}\" does not close section \"b\" opened at line 4");
    QTest::newRow("close without open") << head + QStringLiteral("[body]\n\n{{/a}}\n")
                                        << QStringLiteral("line 5: \"{{/a}}\" closes a section");
    QTest::newRow("unclosed tag") << head + QStringLiteral("[body]\n{{name\n")
                                  << QStringLiteral("line 4: a tag opened with \"{{\"");
    QTest::newRow("delimiters") << head + QStringLiteral("[body]\n{{=<% %>=}}\n")
                                << QStringLiteral("line 4: changing the tag delimiters");
    QTest::newRow("unknown sub-report")
        << head + QStringLiteral("[body]\n\n{{> Other}}\n")
        << QStringLiteral("line 5: \"{{>Other}}\": there is no sub-report");
    QTest::newRow("sub-report not placed")
        << head + QStringLiteral("[body]\nx\n[subreport S]\n[body]\ny\n")
        << QStringLiteral("line 5: sub-report \"S\" is never placed");
    QTest::newRow("sub-report without body")
        << head + QStringLiteral("[body]\n{{>S}}\n[subreport S]\n")
        << QStringLiteral("line 5: sub-report \"S\" has no [body]");
    QTest::newRow("report after sub-report")
        << head + QStringLiteral("[body]\n{{>S}}\n[subreport S]\n[report]\n")
        << QStringLiteral("line 6: [report] belongs before the first [subreport]");
    QTest::newRow("missing sub-report file")
        << head + QStringLiteral("[body]\n{{>S}}\n[subreport S]\nfile = Nope.rpt\n")
        << QStringLiteral("line 5: sub-report \"S\": template file \"Nope.rpt\" not found");
    QTest::newRow("main names no query")
        << QStringLiteral("[report]\ntitle = T\nmain = rows\n[body]\nx\n")
        << QStringLiteral("Bad.rpt: main = \"rows\" names no query");
    QTest::newRow("unterminated quote")
        << QStringLiteral("[report]\ntitle = \"T\n") << QStringLiteral("line 2: a quoted value");
}

void TestTemplate::refusesBrokenTemplates() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString got =
        errorOf([&] { parseTemplate(text, QStringLiteral("Bad.rpt"), dir.path()); });
    QVERIFY2(got.contains(message), qPrintable(got));
}

void TestTemplate::missingTemplateNamesFileAndFolder() {
    QTemporaryDir dir;
    const QString got =
        errorOf([&] { Report::open(dir.path(), QStringLiteral("ListofGrantees.rpt")); });
    QCOMPARE(got, QStringLiteral("Report template \"ListofGrantees.rpt\" not found in ") +
                      QDir::toNativeSeparators(dir.path()));
}

void TestTemplate::findsTemplateWhateverItsCase() {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("ER_Census_Report_new.rpt")), kMinimal);
    const auto r = Report::open(dir.path(), QStringLiteral("ER_Census_Report_new.RPT"));
    QCOMPARE(r->title(), QStringLiteral("T"));
}

void TestTemplate::subreportFromFileAndCycles() {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("Part.rpt")),
              QStringLiteral("[report]\ntitle = Part\n[parameter Worker]\ndefault = W0\n"
                             "[body]\n{{Worker}}\n"));
    writeFile(dir.filePath(QStringLiteral("Main.rpt")),
              QStringLiteral("[report]\ntitle = Main\n[body]\n{{>II.Caseload}}\n"
                             "[subreport II.Caseload]\nfile = Part.rpt\n"));
    auto r = Report::open(dir.path(), QStringLiteral("Main.rpt"));
    Report& sub = r->OpenSubreport(QStringLiteral("ii.caseload"));
    QCOMPARE(sub.title(), QStringLiteral("Part"));
    QCOMPARE(sub.parameterValue(QStringLiteral("Worker")).toString(), QStringLiteral("W0"));
    QCOMPARE(&r->OpenSubreport(QStringLiteral("II.Caseload")), &sub);

    // A file sub-report has no sections of its own.
    writeFile(dir.filePath(QStringLiteral("Extra.rpt")),
              QStringLiteral("[report]\ntitle = M\n[body]\n{{>S}}\n[subreport S]\nfile = "
                             "Part.rpt\n[body]\nx\n"));
    QVERIFY(errorOf([&] { Report::open(dir.path(), QStringLiteral("Extra.rpt")); })
                .contains(QStringLiteral("Extra.rpt, line 7: sub-report \"S\" is taken from a "
                                         "file")));

    // A template that comes back to itself through its sub-reports is refused, not recursed.
    writeFile(dir.filePath(QStringLiteral("A.rpt")),
              QStringLiteral("[report]\ntitle = A\n[body]\n{{>B}}\n[subreport B]\nfile = B.rpt\n"));
    writeFile(dir.filePath(QStringLiteral("B.rpt")),
              QStringLiteral("[report]\ntitle = B\n[body]\n{{>A}}\n[subreport A]\nfile = A.rpt\n"));
    const QString got = errorOf([&] { Report::open(dir.path(), QStringLiteral("A.rpt")); });
    QVERIFY2(got.contains(QStringLiteral("B.rpt, line 5: sub-report \"A\" takes \"A.rpt\", which "
                                         "includes this template again")),
             qPrintable(got));
}

void TestTemplate::valuesGoToFieldsInOrder() {
    auto r = good();
    r->SetParameterValues({QStringLiteral("01/05/2026"), QDate(2026, 2, 1)});
    const auto& f = r->ParameterFields();
    QCOMPARE(f.at(0).value.toDate(), QDate(2026, 1, 5));
    QCOMPARE(f.at(1).value.toDate(), QDate(2026, 2, 1));
    QVERIFY(f.at(0).given && f.at(1).given);
    // Surplus fields keep their defaults.
    QCOMPARE(f.at(2).value.toString(), QStringLiteral("  padded  "));
    QCOMPARE(f.at(3).value.toLongLong(), 3);
    QVERIFY(!f.at(2).given && !f.at(3).given);
    QCOMPARE(r->parameterText(QStringLiteral("startdate")), QStringLiteral("01/05/2026"));

    const QString tooMany = errorOf([&] {
        r->SetParameterValues({QString(), QString(), QString(), QString(), QString()});
    });
    QCOMPARE(tooMany,
             QStringLiteral("Good.rpt has 4 parameter field(s) but was given 5 value(s)."));
}

void TestTemplate::emptyListSetsNothing() {
    auto r = good();
    r->SetParameterValues({QStringLiteral("01/05/2026")});
    r->SetParameterValues({});
    QCOMPARE(r->ParameterFields().at(0).value.toDate(), QDate(2026, 1, 5));
    QCOMPARE(r->ParameterFields().at(1).value.toDate(), QDate(2026, 1, 31));
}

void TestTemplate::refusedValueSetsNothing_data() {
    QTest::addColumn<QVariant>("second");
    QTest::addColumn<QString>("message");
    const QString p = QStringLiteral("Good.rpt: parameter 2 (\"EndDate\", date): ");
    QTest::newRow("month 13") << QVariant(QStringLiteral("13/05/2026"))
                              << p + QStringLiteral("\"13/05/2026\" is not a date (mm/dd/yyyy).");
    QTest::newRow("30 February") << QVariant(QStringLiteral("02/30/2026"))
                                 << p + QStringLiteral(
                                            "\"02/30/2026\" is not a date (mm/dd/yyyy).");
    QTest::newRow("words") << QVariant(QStringLiteral("tomorrow"))
                           << p + QStringLiteral("\"tomorrow\" is not a date (mm/dd/yyyy).");
    QTest::newRow("two-digit year")
        << QVariant(QStringLiteral("01/05/26"))
        << p + QStringLiteral("\"01/05/26\" is not a date (mm/dd/yyyy).");
    QTest::newRow("invalid QDate")
        << QVariant(QDate(2026, 2, 30))
        << p + QStringLiteral("an invalid date is not a date (mm/dd/yyyy).");
}

void TestTemplate::refusedValueSetsNothing() {
    QFETCH(QVariant, second);
    QFETCH(QString, message);
    auto r = good();
    QCOMPARE(errorOf([&] {
                 r->SetParameterValues({QStringLiteral("03/01/2026"), second});
             }),
             message);
    // The valid first value was not applied either: the list is taken whole or not at all.
    QVERIFY(r->ParameterFields().at(0).value.isNull());
    QVERIFY(!r->ParameterFields().at(0).given);
    QCOMPARE(r->ParameterFields().at(1).value.toDate(), QDate(2026, 1, 31));
}

void TestTemplate::acceptedValues_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("in");
    QTest::addColumn<QVariant>("out");
    QTest::addColumn<QString>("shown");
    const int date = int(FieldType::Date), num = int(FieldType::Number),
              text = int(FieldType::Text), yes = int(FieldType::Boolean),
              dt = int(FieldType::DateTime);
    const QDate d(2026, 1, 5);
    QTest::newRow("date text") << date << QVariant(QStringLiteral("01/05/2026")) << QVariant(d)
                               << QStringLiteral("01/05/2026");
    QTest::newRow("short date text") << date << QVariant(QStringLiteral("1/5/2026")) << QVariant(d)
                                     << QStringLiteral("01/05/2026");
    QTest::newRow("iso date text") << date << QVariant(QStringLiteral("2026-01-05")) << QVariant(d)
                                   << QStringLiteral("01/05/2026");
    QTest::newRow("date value") << date << QVariant(d) << QVariant(d)
                                << QStringLiteral("01/05/2026");
    QTest::newRow("empty date") << date << QVariant(QStringLiteral(" ")) << QVariant() << QString();
    QTest::newRow("datetime") << dt << QVariant(QStringLiteral("01/05/2026 2:30 PM"))
                              << QVariant(QDateTime(d, QTime(14, 30)))
                              << QStringLiteral("01/05/2026 02:30 PM");
    QTest::newRow("whole number") << num << QVariant(QStringLiteral(" 12 "))
                                  << QVariant(qlonglong(12)) << QStringLiteral("12");
    QTest::newRow("fraction") << num << QVariant(0.15) << QVariant(0.15) << QStringLiteral("0.15");
    QTest::newRow("number as text")
        << text << QVariant(3) << QVariant(QStringLiteral("3")) << QStringLiteral("3");
    QTest::newRow("date as text") << text << QVariant(d) << QVariant(QStringLiteral("01/05/2026"))
                                  << QStringLiteral("01/05/2026");
    QTest::newRow("text kept as is")
        << text << QVariant(QStringLiteral(" O'Brien ")) << QVariant(QStringLiteral(" O'Brien "))
        << QStringLiteral(" O'Brien ");
    QTest::newRow("boolean false")
        << yes << QVariant(false) << QVariant(false) << QStringLiteral("No");
    QTest::newRow("boolean text") << yes << QVariant(QStringLiteral("Y")) << QVariant(true)
                                  << QStringLiteral("Yes");
}

void TestTemplate::acceptedValues() {
    QFETCH(int, type);
    QFETCH(QVariant, in);
    QFETCH(QVariant, out);
    QFETCH(QString, shown);
    QVariant got;
    QString why;
    QVERIFY2(convertValue(FieldType(type), in, &got, &why), qPrintable(why));
    QCOMPARE(got, out);
    QCOMPARE(displayText(FieldType(type), got), shown);
}

void TestTemplate::subreportHasItsOwnFields() {
    auto r = good();
    QCOMPARE(errorOf([&] { r->OpenSubreport(QStringLiteral("Nope")); }),
             QStringLiteral("Good.rpt has no sub-report \"Nope\"."));
    QVERIFY(!r->subreport(QStringLiteral("Sub One"))); // not opened yet
    Report& sub = r->OpenSubreport(QStringLiteral("sub one"));
    sub.SetParameterValues({QStringLiteral("W123")});
    QCOMPARE(sub.parameterValue(QStringLiteral("Worker")).toString(), QStringLiteral("W123"));
    QVERIFY(r->ParameterFields().at(0).value.isNull()); // the parent is untouched
    r->setHospitalName(QStringLiteral("General Hospital"));
    QCOMPARE(sub.hospitalName(), QStringLiteral("General Hospital"));
    r->SetLogOnInfo(QStringLiteral("srv"), QStringLiteral("ZEP"), QStringLiteral("sa"),
                    QStringLiteral("pw"));
    QCOMPARE(r->logOnInfo().database, QStringLiteral("ZEP"));
    QCOMPARE(r->logOnInfo().password, QStringLiteral("pw"));
}

void TestTemplate::moneyText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0.00");
    QTest::newRow("thousands") << 1234.5 << QStringLiteral("1,234.50");
    QTest::newRow("millions") << 1234567.891 << QStringLiteral("1,234,567.89");
    QTest::newRow("negative") << -1234.567 << QStringLiteral("-1,234.57");
    QTest::newRow("negative rounding to zero") << -0.004 << QStringLiteral("0.00");
    QTest::newRow("hundreds") << 999.999 << QStringLiteral("1,000.00");
}

void TestTemplate::moneyText() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(reports::moneyText(value), text);
}

void TestTemplate::columnFormats_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("date from iso text")
        << "date" << QVariant(QStringLiteral("2026-03-04")) << QStringLiteral("03/04/2026");
    QTest::newRow("date from timestamp text")
        << "date" << QVariant(QStringLiteral("2026-03-04 13:05:00"))
        << QStringLiteral("03/04/2026");
    QTest::newRow("date from value")
        << "date" << QVariant(QDate(2026, 3, 4)) << QStringLiteral("03/04/2026");
    QTest::newRow("not a date shown as is")
        << "date" << QVariant(QStringLiteral("n/a")) << QStringLiteral("n/a");
    QTest::newRow("datetime") << "datetime" << QVariant(QStringLiteral("2026-03-04 13:05:00"))
                              << QStringLiteral("03/04/2026 01:05 PM");
    QTest::newRow("time") << "time" << QVariant(QStringLiteral("2026-03-04 09:05"))
                          << QStringLiteral("09:05 AM");
    QTest::newRow("money from text")
        << "money" << QVariant(QStringLiteral("1500")) << QStringLiteral("1,500.00");
    QTest::newRow("integer rounds") << "integer" << QVariant(2.5) << QStringLiteral("3");
    QTest::newRow("percent") << "percent" << QVariant(0.15) << QStringLiteral("15%");
    QTest::newRow("yesno") << "yesno" << QVariant(QStringLiteral("Y")) << QStringLiteral("Yes");
    QTest::newRow("null") << "money" << QVariant() << QString();
    QTest::newRow("number") << "number" << QVariant(12.50) << QStringLiteral("12.5");
}

void TestTemplate::columnFormats() {
    QFETCH(QString, format);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    ColumnFormat f;
    QVERIFY(parseColumnFormat(format, &f));
    QCOMPARE(formatColumn(f, value), text);
}

void TestTemplate::normalisesTags() {
    QList<PartialTag> partials;
    const QString out = normaliseBody(
        QStringLiteral("{{ Name }}{{{Raw}}}{{& Amp}}{{^Empty}}-{{/ EMPTY }}{{> Sub.A }}{{.}}"),
        QStringLiteral("X.rpt"), 1, &partials);
    QCOMPARE(out, QStringLiteral("{{name}}{{{raw}}}{{&amp}}{{^empty}}-{{/empty}}{{>sub.a}}{{.}}"));
    QCOMPARE(partials.size(), 1);
    QCOMPARE(partials.first().name, QStringLiteral("Sub.A"));
}

QTEST_GUILESS_MAIN(TestTemplate)
#include "test_template.moc"
