// The command-line export and the reference check built on it.
#include "referencecheck.h"
#include "reporttest.h"

#include "reports/export.h"
#include "testdb.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

using namespace reporttest;

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void refusesBadUsage_data();
    void refusesBadUsage();
    void reportsFailuresByFile_data();
    void reportsFailuresByFile();
    void writesEveryFileAskedFor();
    void bareNamesComeFromTheReportFolder_data();
    void bareNamesComeFromTheReportFolder();
    void referenceCheck();

private:
    int run(const QStringList& args, QString* err) {
        QTextStream s(err);
        const int code = reports::exportCommand(args, *conn_, s);
        s.flush();
        return code;
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

    std::unique_ptr<db::Connection> conn_;
    QTemporaryDir dir_;
};

void TestExport::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::empty();
    seedVisits(*conn_);
    writeFile(path(QStringLiteral("VisitList.rpt")), kVisitList);
}

void TestExport::refusesBadUsage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const QString tpl = dir_.filePath(QStringLiteral("VisitList.rpt"));
    QTest::newRow("nothing") << QStringList{QStringLiteral("report")}
                             << QStringLiteral("no template named");
    QTest::newRow("no output") << QStringList{tpl, QStringLiteral("01/01/2026")}
                               << QStringLiteral("nothing to write: give --out, --csv or --text");
    QTest::newRow("option without value")
        << QStringList{tpl, QStringLiteral("--out")} << QStringLiteral("--out needs a value");
    QTest::newRow("unknown option")
        << QStringList{tpl, QStringLiteral("--pdf"), QStringLiteral("x")}
        << QStringLiteral("unknown option --pdf");
    QTest::newRow("today not a date")
        << QStringList{tpl, QStringLiteral("--today"), QStringLiteral("03/04/2026")}
        << QStringLiteral("--today needs a date as YYYY-MM-DD, not 03/04/2026");
}

void TestExport::refusesBadUsage() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QString err;
    QCOMPARE(run(args, &err), 2);
    QVERIFY2(err.startsWith(QStringLiteral("zep-admin report: ") + message + QLatin1Char('\n')),
             qPrintable(err));
    QVERIFY(err.contains(QStringLiteral("usage: zep-admin report TEMPLATE")));
}

void TestExport::reportsFailuresByFile_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const QString tpl = dir_.filePath(QStringLiteral("VisitList.rpt"));
    const QString out = dir_.filePath(QStringLiteral("x.txt"));
    QTest::newRow("missing template")
        << QStringList{dir_.filePath(QStringLiteral("Nope.rpt")), QStringLiteral("--text"), out}
        << QStringLiteral("Report template \"Nope.rpt\" not found in ");
    QTest::newRow("bad date")
        << QStringList{tpl, QStringLiteral("02/30/2026"), QStringLiteral("--text"), out}
        << QStringLiteral("VisitList.rpt: parameter 1 (\"StartDate\", date): \"02/30/2026\" is not "
                          "a date (mm/dd/yyyy).");
    QTest::newRow("unknown sub-report")
        << QStringList{tpl, QStringLiteral("--sub"), QStringLiteral("X"), QStringLiteral("--text"),
                       out}
        << QStringLiteral("VisitList.rpt has no sub-report \"X\".");
    QTest::newRow("unwritable output")
        << QStringList{tpl, QStringLiteral("--text"), QStringLiteral("/nonexistent-dir/x.txt")}
        << QStringLiteral("Cannot write the text file /nonexistent-dir/x.txt.");
}

void TestExport::reportsFailuresByFile() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QString err;
    QCOMPARE(run(args, &err), 1);
    QVERIFY2(err.startsWith(QStringLiteral("zep-admin report: ") + message), qPrintable(err));
}

void TestExport::writesEveryFileAskedFor() {
    const QString pdf = path(QStringLiteral("v.pdf")), csv = path(QStringLiteral("v.csv")),
                  txt = path(QStringLiteral("v.txt"));
    QString err;
    QCOMPARE(run({QStringLiteral("report"), path(QStringLiteral("VisitList.rpt")),
                  QStringLiteral("01/01/2026"), QStringLiteral("--hospital"),
                  QStringLiteral("General Hospital"), QStringLiteral("01/31/2026"),
                  QStringLiteral("--out"), pdf, QStringLiteral("--csv"), csv,
                  QStringLiteral("--text"), txt, QStringLiteral("--"), QStringLiteral("--A%")},
                 &err),
             0);
    QVERIFY2(err.isEmpty(), qPrintable(err));
    const QString text = readFile(txt);
    // Values after options still go in order; after "--" even one that looks like an option.
    QVERIFY2(text.contains(QStringLiteral("From: 01/01/2026 To: 01/31/2026 Prefix: --A%")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("General Hospital")));
    QVERIFY(text.contains(QStringLiteral("No visits in this period.")));
    QVERIFY(pdfText(pdf).contains(QStringLiteral("General Hospital")));
    QCOMPARE(readFile(csv), QStringLiteral("Code,Name,Amount,VisitDate,Note\r\n"));
}

void TestExport::bareNamesComeFromTheReportFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // "REPORTS/" stands for the report folder
    QTest::newRow("bare name in the folder") << "VisitList.rpt" << "REPORTS/VisitList.rpt";
    QTest::newRow("bare name with a blank") << "Expired Patient.rpt"
                                            << "REPORTS/Expired Patient.rpt";
    QTest::newRow("bare name not there") << "Missing.rpt" << "Missing.rpt";
    QTest::newRow("relative path kept") << "sub/VisitList.rpt" << "sub/VisitList.rpt";
    QTest::newRow("absolute path kept") << "/tmp/VisitList.rpt" << "/tmp/VisitList.rpt";
}

void TestExport::bareNamesComeFromTheReportFolder() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    writeFile(folder.filePath(QStringLiteral("VisitList.rpt")), kVisitList);
    writeFile(folder.filePath(QStringLiteral("Expired Patient.rpt")), kVisitList);
    const QString got = reports::resolveTemplate(name, folder.path());
    QCOMPARE(got, QString(expected).replace(QStringLiteral("REPORTS/"), folder.path() + u'/'));
}

void TestExport::referenceCheck() {
    QTemporaryDir refs;
    const QString tpl = refs.filePath(QStringLiteral("Check.rpt"));
    writeFile(tpl, QStringLiteral("[report]\ntitle = Check\n[parameter Who]\n[query n]\n"
                                  "SELECT COUNT(*) AS Items FROM ZEP.tbRptCheck\n[body]\n"
                                  "<p>{{#n}}{{Items}}{{/n}} item(s) for {{Who}}</p>\n"));
    writeFile(refs.filePath(QStringLiteral("Check.seed.sql")),
              QStringLiteral("-- two rows\nCREATE TABLE ZEP.tbRptCheck (Id INTEGER);\n"
                             "INSERT INTO ZEP.tbRptCheck VALUES (1);\n"
                             "INSERT INTO ZEP.tbRptCheck\n VALUES (2);\n"));
    writeFile(refs.filePath(QStringLiteral("Check.args")),
              QStringLiteral("# the worker\nW 7\n--hospital\nH\n"));
    const QString outDir = refs.filePath(QStringLiteral("out"));
    QString log;
    QTextStream out(&log);

    // Without a reference the check fails, and says where this run's text is.
    QCOMPARE(runReferenceCheck(tpl, refs.path(), outDir, out), int(MissingReference));
    out.flush();
    QVERIFY2(log.contains(QStringLiteral("no reference file ")), qPrintable(log));
    const QString produced = readFile(outDir + QStringLiteral("/Check.txt"));
    QCOMPARE(produced, QStringLiteral("=== Page 1 of 1 ===\nH\nCheck\nWho: W 7\n"
                                      "2 item(s) for W 7\n"));

    writeFile(refs.filePath(QStringLiteral("Check.txt")),
              QString(produced).replace(QStringLiteral("2 item"), QStringLiteral("3 item")));
    log.clear();
    QCOMPARE(runReferenceCheck(tpl, refs.path(), outDir, out), int(Failed));
    out.flush();
    QVERIFY2(log.contains(QStringLiteral("first difference at line 5:\n  expected: 3 item(s) for "
                                         "W 7\n  actual:   2 item(s) for W 7")),
             qPrintable(log));

    writeFile(refs.filePath(QStringLiteral("Check.txt")), produced);
    log.clear();
    QCOMPARE(runReferenceCheck(tpl, refs.path(), outDir, out), int(Passed));
}

QTEST_MAIN(TestExport)
#include "test_export.moc"
