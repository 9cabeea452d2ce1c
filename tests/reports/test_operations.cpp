// The report operations the screens call: open, sub-reports, show (recorded in tests, the
// viewer in production), and how failures reach the user.
#include "reporttest.h"

#include "reports/document.h"
#include "reports/ui/frmReportViewer.h"
#include "reports/ui/operations.h"
#include "testdb.h"
#include "ui/messages.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace reports;
using namespace reporttest;

class TestOperations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openAndShowIsRecorded();
    void emptyListKeepsDefaults();
    void openFailuresAreShownAndLeaveNoReport_data();
    void openFailuresAreShownAndLeaveNoReport();
    void failingQueryShowsNothing();
    void subreportsKeepTheirOwnValues();
    void viewerReleasesOnlyItsOwnReport();
    void renderingOnAWorkerThread();
    void directPrintWithoutPrinterIsRefused();
    void cancelledBackgroundBuildStillAnswers();

private:
    QString folder() const { return dir_.path(); }
    std::unique_ptr<db::Connection> conn_;
    QTemporaryDir dir_;
};

void TestOperations::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::empty();
    seedVisits(*conn_);
    writeFile(dir_.filePath(QStringLiteral("VisitList.rpt")), kVisitList);
    writeFile(dir_.filePath(QStringLiteral("Broken.rpt")),
              QStringLiteral("[report]\ntitle = B\n[body]\n{{#rows}}\n"));
    writeFile(dir_.filePath(QStringLiteral("BadQuery.rpt")),
              QStringLiteral("[report]\ntitle = B\n[query rows]\nSELECT Nope FROM ZEP.tbRptVisit\n"
                             "[body]\nx\n"));
    writeFile(dir_.filePath(QStringLiteral("Monthly.rpt")), QStringLiteral(R"([report]
title = Monthly Performance
[parameter Worker]
[body]
{{>I.SourceOfReferral}}{{>IV.Services}}
[subreport I.SourceOfReferral]
[parameter StartDate]
type = date
[parameter Worker]
[body]
<p>Referrals {{StartDate}} {{Worker}}</p>
[subreport IV.Services]
[parameter Worker]
[parameter Extra]
default = none
[body]
<p>Services {{Worker}} {{Extra}}</p>
)"));
    setConnection(conn_.get());
    setHospitalName(QStringLiteral("St. Example General Hospital"));
    setLogOn(QStringLiteral("DBSERVER"), QStringLiteral("ZEP"), QStringLiteral("sa"),
             QStringLiteral("secret"));
    ui::Messages::startScript();
}

void TestOperations::init() {
    startRecording();
    ui::Messages::clearShown();
}

void TestOperations::cleanup() {
    stopRecording();
    releaseCurrentReport();
}

void TestOperations::openAndShowIsRecorded() {
    // The screens build the path as the report folder, "\" and the file name.
    QVERIFY(OpenReport(folder() + QStringLiteral("\\VisitList.rpt"),
                       {QStringLiteral("01/01/2026"), QDate(2026, 1, 31), QStringLiteral("A%")}));
    QVERIFY(currentReport());
    QCOMPARE(currentReport()->logOnInfo().password, QStringLiteral("secret"));
    QVERIFY(ShowReport(false, QStringLiteral("List of Visits"), false));
    QCOMPARE(shownReports().size(), 1);
    const ShownReport& s = shownReports().first();
    QCOMPARE(s.title, QStringLiteral("List of Visits"));
    QCOMPARE(s.fileName, QStringLiteral("VisitList.rpt"));
    QVERIFY(!s.directPrint && !s.showGroupTree);
    QCOMPARE(
        s.parameters,
        (QStringList{QStringLiteral("StartDate=01/01/2026"), QStringLiteral("EndDate=01/31/2026"),
                     QStringLiteral("Prefix=A%"), QStringLiteral("Heading=All visits")}));
    QCOMPARE(s.hospital, QStringLiteral("St. Example General Hospital"));
    QCOMPARE(s.logOn.server, QStringLiteral("DBSERVER"));
    QCOMPARE(s.logOn.database, QStringLiteral("ZEP"));
    QCOMPARE(s.logOn.user, QStringLiteral("sa"));
    QVERIFY(s.logOn.password.isEmpty()); // never recorded
    QCOMPARE(s.pages, 1);
    QVERIFY2(s.text.contains(QStringLiteral("2 | A2 | O'Brien \"Ann\" | 250.00 | 01/10/2026")),
             qPrintable(s.text));
    QVERIFY(!s.text.contains(QStringLiteral("B1")));
    QVERIFY(ui::Messages::shown().isEmpty());

    // A second report replaces the current one.
    QVERIFY(OpenReport(folder(), QStringLiteral("Monthly.rpt"), {}));
    QCOMPARE(currentReport()->fileName(), QStringLiteral("Monthly.rpt"));
}

void TestOperations::emptyListKeepsDefaults() {
    QVERIFY(OpenReport(folder(), QStringLiteral("VisitList.rpt"), {}));
    QVERIFY(ShowReport(false, QStringLiteral("V"), true));
    const ShownReport& s = shownReports().first();
    QVERIFY(s.directPrint);
    QCOMPARE(s.parameters,
             (QStringList{QStringLiteral("StartDate="), QStringLiteral("EndDate="),
                          QStringLiteral("Prefix=%"), QStringLiteral("Heading=All visits")}));
}

void TestOperations::openFailuresAreShownAndLeaveNoReport_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing template")
        << QStringLiteral("ListofGrantees.rpt") << QVariantList{}
        << QStringLiteral("Report template \"ListofGrantees.rpt\" not found in ") +
               QDir::toNativeSeparators(dir_.path());
    QTest::newRow("broken template") << QStringLiteral("Broken.rpt") << QVariantList{}
                                     << QStringLiteral("Broken.rpt, line 4: section \"rows\" is "
                                                       "never closed");
    QTest::newRow("bad date") << QStringLiteral("VisitList.rpt")
                              << QVariantList{QStringLiteral("13/01/2026")}
                              << QStringLiteral("VisitList.rpt: parameter 1 (\"StartDate\", date): "
                                                "\"13/01/2026\" is not a date (mm/dd/yyyy).");
    QTest::newRow("too many values")
        << QStringLiteral("Monthly.rpt") << QVariantList{1, 2}
        << QStringLiteral("Monthly.rpt has 1 parameter field(s) but was given 2 value(s).");
}

void TestOperations::openFailuresAreShownAndLeaveNoReport() {
    QFETCH(QString, file);
    QFETCH(QVariantList, values);
    QFETCH(QString, message);
    QVERIFY(OpenReport(folder(), QStringLiteral("VisitList.rpt"), {})); // an earlier report
    QVERIFY(!OpenReport(folder(), file, values));
    QCOMPARE(ui::Messages::shown().size(), 1);
    QCOMPARE(ui::Messages::shown().first().text, message);
    QCOMPARE(ui::Messages::shown().first().icon, ui::Icon::Critical);
    QVERIFY(!currentReport());
    // Showing after a failed open shows nothing, and says so.
    QVERIFY(!ShowReport(false, QStringLiteral("List of Grantees"), false));
    QCOMPARE(ui::Messages::shown().last().text,
             QStringLiteral("\"List of Grantees\": no report is open."));
    QVERIFY(shownReports().isEmpty());
}

void TestOperations::failingQueryShowsNothing() {
    QVERIFY(OpenReport(folder(), QStringLiteral("BadQuery.rpt"), {}));
    QVERIFY(!ShowReport(false, QStringLiteral("Bad"), false));
    QVERIFY(shownReports().isEmpty());
    QCOMPARE(ui::Messages::shown().size(), 1);
    QVERIFY(ui::Messages::shown().first().text.startsWith(
        QStringLiteral("BadQuery.rpt: query \"rows\" failed: ")));
}

void TestOperations::subreportsKeepTheirOwnValues() {
    QVERIFY(!OpenSubreport(QStringLiteral("II.Caseload"), {}));
    QCOMPARE(ui::Messages::shown().last().text,
             QStringLiteral("Sub-report \"II.Caseload\": no report is open."));
    QVERIFY(OpenReport(folder(), QStringLiteral("Monthly.rpt"), {QStringLiteral("W1")}));
    QVERIFY(OpenSubreport(QStringLiteral("I.SourceOfReferral"),
                          {QStringLiteral("01/01/2026"), QStringLiteral("W2")}));
    QVERIFY(OpenSubreport(QStringLiteral("IV.Services"), {QStringLiteral("W3")}));
    QVERIFY(!OpenSubreport(QStringLiteral("V.Missing"), {}));
    QCOMPARE(ui::Messages::shown().last().text,
             QStringLiteral("Monthly.rpt has no sub-report \"V.Missing\"."));
    QCOMPARE(currentReport()->subreport(QStringLiteral("IV.Services"))->logOnInfo().server,
             QStringLiteral("DBSERVER"));
    QVERIFY(ShowReport(false, QStringLiteral("Monthly Performance Report"), false));
    const ShownReport& s = shownReports().first();
    QCOMPARE(s.subreports.value(QStringLiteral("I.SourceOfReferral")),
             (QStringList{QStringLiteral("StartDate=01/01/2026"), QStringLiteral("Worker=W2")}));
    QCOMPARE(s.subreports.value(QStringLiteral("IV.Services")),
             (QStringList{QStringLiteral("Worker=W3"), QStringLiteral("Extra=none")}));
    QVERIFY(s.text.contains(QStringLiteral("Referrals 01/01/2026 W2\nServices W3 none")));
    // in the order they were opened (a refused one is not among them)
    QCOMPARE(s.subreportsOpened,
             (QStringList{QStringLiteral("I.SourceOfReferral"), QStringLiteral("IV.Services")}));
    // the next report starts with none, and its order is its own, not the template's
    QVERIFY(OpenReport(folder(), QStringLiteral("Monthly.rpt"), {QStringLiteral("W1")}));
    QVERIFY(ShowReport(false, QStringLiteral("Monthly Performance Report"), false));
    QCOMPARE(shownReports().at(1).subreportsOpened, QStringList());
    QVERIFY(OpenReport(folder(), QStringLiteral("Monthly.rpt"), {QStringLiteral("W1")}));
    QVERIFY(OpenSubreport(QStringLiteral("IV.Services"), {QStringLiteral("W3")}));
    QVERIFY(OpenSubreport(QStringLiteral("I.SourceOfReferral"), {}));
    QVERIFY(ShowReport(false, QStringLiteral("Monthly Performance Report"), false));
    QCOMPARE(shownReports().at(2).subreportsOpened,
             (QStringList{QStringLiteral("IV.Services"), QStringLiteral("I.SourceOfReferral")}));
}

void TestOperations::viewerReleasesOnlyItsOwnReport() {
    stopRecording();
    QVERIFY(OpenReport(folder(), QStringLiteral("VisitList.rpt"), {}));
    QVERIFY(ShowReport(false, QStringLiteral("Assessment Transaction Report"), false));
    QPointer<frmReportViewer> first;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<frmReportViewer*>(w))
            first = v;
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->windowTitle(), QStringLiteral("Assessment Transaction Report"));
    QVERIFY(currentReport());

    // Closing the viewer releases the report it shows...
    first->close();
    QTRY_VERIFY(!first);
    QVERIFY(!currentReport());

    // ...but not a report opened after it.
    QVERIFY(OpenReport(folder(), QStringLiteral("VisitList.rpt"), {}));
    QVERIFY(ShowReport(false, QStringLiteral("One"), false));
    QPointer<frmReportViewer> second;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<frmReportViewer*>(w);
            v && v->windowTitle() == QLatin1String("One"))
            second = v;
    QVERIFY(second);
    QVERIFY(OpenReport(folder(), QStringLiteral("Monthly.rpt"), {}));
    second->close();
    QTRY_VERIFY(!second);
    QVERIFY(currentReport());
    QCOMPARE(currentReport()->fileName(), QStringLiteral("Monthly.rpt"));
}

void TestOperations::renderingOnAWorkerThread() {
    auto r = Report::open(folder(), QStringLiteral("VisitList.rpt"));
    r->SetParameterValues({QStringLiteral("01/01/2025"), QStringLiteral("12/31/2026")});
    QString error;
    const auto out = renderWithProgress(*r, *conn_, nullptr, &error);
    QVERIFY2(out, qPrintable(error));
    QVERIFY(out->plainText().contains(QStringLiteral("5 visit(s), total 13,850.49")));
    // The document stays on the thread that built it, which keeps its fonts; painting and
    // writing from here still works, also after other work ran there.
    QVERIFY(out->ownThread());
    const QString pdf = dir_.filePath(QStringLiteral("w.pdf"));
    QVERIFY(out->writePdf(pdf, &error));
    QVERIFY(pdfText(pdf).contains(QStringLiteral("Dela Cruz, Juan")));
    const QImage page = out->pageImage(0, 1.0);
    QCOMPARE(page.size(), QSize(816, 1056));
    QVERIFY(page.pixelColor(408, 528) != QColor(Qt::black)); // painted, not left black

    auto bad = Report::open(folder(), QStringLiteral("BadQuery.rpt"));
    QVERIFY(!renderWithProgress(*bad, *conn_, nullptr, &error));
    QVERIFY(error.startsWith(QStringLiteral("BadQuery.rpt: query \"rows\" failed")));
}

void TestOperations::directPrintWithoutPrinterIsRefused() {
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a default printer");
    stopRecording();
    QVERIFY(OpenReport(folder(), QStringLiteral("VisitList.rpt"), {}));
    QVERIFY(!ShowReport(false, QStringLiteral("Printed"), true));
    QCOMPARE(ui::Messages::shown().last().text,
             QStringLiteral("There is no default printer to print \"Visit List\" on."));
    QVERIFY(!currentReport()); // released as after a print
}

void TestOperations::cancelledBackgroundBuildStillAnswers() {
    auto r = Report::open(folder(), QStringLiteral("VisitList.rpt"));
    auto cancel = std::make_shared<std::atomic_bool>(true);
    QObject receiver;
    bool answered = false;
    std::shared_ptr<RenderedReport> got;
    RenderedReport::buildInBackground(collect(*r, *conn_), cancel, &receiver,
                                      [&](std::shared_ptr<RenderedReport> out, const QString&) {
                                          answered = true;
                                          got = std::move(out);
                                      });
    QTRY_VERIFY(answered); // a waiting screen is never left hanging
    QVERIFY(!got);
}

QTEST_MAIN(TestOperations)
#include "test_operations.moc"
