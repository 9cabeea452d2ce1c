// The report viewer offscreen: pages, navigation, zoom, resizing, saving, Escape.
#include "reporttest.h"

#include "reports/document.h"
#include "reports/report.h"
#include "reports/ui/frmReportViewer.h"
#include "reports/ui/operations.h"
#include "reports/ui/pageview.h"
#include "testdb.h"
#include "ui/messages.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace reports;
using namespace reporttest;

namespace {
const QString kNumbers = QStringLiteral(R"([report]
title = Numbered Rows
[query n]
SELECT N, 'name ' || N AS Name FROM ZEP.tbRptNumber ORDER BY N
[body]
<table class="grid" border="1" cellspacing="0" cellpadding="2" width="100%"><thead><tr><th>N</th><th>Name</th></tr></thead>
{{#n}}<tr><td>{{N}}</td><td>{{Name}}</td></tr>{{/n}}
</table>
)");
}

class TestViewer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void showsPagesAndNavigates();
    void zoomAndResize();
    void savesPdfAndCsv();
    void failedSaveIsShown();
    void printsEveryPage();
    void escapeCloses();

private:
    QAction* action(const char* name) const {
        return viewer_->findChild<QAction*>(QString::fromLatin1(name));
    }

    std::unique_ptr<db::Connection> conn_;
    std::shared_ptr<RenderedReport> rendered_;
    QPointer<frmReportViewer> viewer_;
    QTemporaryDir dir_;
};

void TestViewer::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::empty();
    conn_->Execute(QStringLiteral("CREATE TABLE ZEP.tbRptNumber (N INTEGER)"));
    db::Transaction t(*conn_);
    for (int i = 1; i <= 200; ++i)
        conn_->Execute(QStringLiteral("INSERT INTO ZEP.tbRptNumber (N) VALUES (?)"), {i});
    t.commit();
    auto r = Report::fromText(kNumbers, QStringLiteral("Numbers.rpt"));
    r->setHospitalName(QStringLiteral("St. Example General Hospital"));
    QString error;
    // Built in the background, as the screens get it.
    rendered_ = renderWithProgress(*r, *conn_, nullptr, &error);
    QVERIFY2(rendered_, qPrintable(error));
    QVERIFY(rendered_->pageCount() >= 3);
    ui::Messages::startScript();
}

void TestViewer::init() {
    viewer_ = new frmReportViewer(rendered_, QStringLiteral("Numbered Rows Report"));
    viewer_->resize(700, 600);
    viewer_->show();
    QVERIFY(QTest::qWaitForWindowExposed(viewer_));
    ui::Messages::clearShown();
}

void TestViewer::cleanup() {
    delete viewer_;
    frmReportViewer::setFileNameProvider({});
}

void TestViewer::showsPagesAndNavigates() {
    const int pages = rendered_->pageCount();
    QCOMPARE(viewer_->windowTitle(), QStringLiteral("Numbered Rows Report"));
    auto* spin = viewer_->findChild<QSpinBox*>(QStringLiteral("spnPage"));
    auto* of = viewer_->findChild<QLabel*>(QStringLiteral("lblPages"));
    QVERIFY(spin && of);
    QCOMPARE(of->text().trimmed(), QStringLiteral("of %1").arg(pages));
    QCOMPARE(spin->value(), 1);
    QVERIFY(!action("actPrevious")->isEnabled());

    // The first page is painted: somewhere in the view there are dark (text) pixels.
    const QImage shot = viewer_->view()->viewport()->grab().toImage();
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            dark += qGray(shot.pixel(x, y)) < 60;
    QVERIFY2(dark > 50, "no text painted");

    action("actNext")->trigger();
    QCOMPARE(viewer_->view()->currentPage(), 1);
    QCOMPARE(spin->value(), 2);
    action("actLast")->trigger();
    QCOMPARE(viewer_->view()->currentPage(), pages - 1);
    QVERIFY(!action("actNext")->isEnabled());
    spin->setValue(2);
    QCOMPARE(viewer_->view()->currentPage(), 1);
    action("actFirst")->trigger();
    QCOMPARE(spin->value(), 1);
}

void TestViewer::zoomAndResize() {
    ReportPageView* view = viewer_->view();
    QCOMPARE(view->zoomMode(), ReportPageView::ZoomMode::FitWidth);
    const double fitted = view->zoom();
    // Fit width follows the window.
    viewer_->resize(1000, 600);
    QTRY_VERIFY(view->zoom() > fitted);
    QVERIFY(view->pageRect(0).width() <= view->viewport()->width());

    action("actActualSize")->trigger();
    QCOMPARE(view->zoom(), 1.0);
    QCOMPARE(view->pageRect(0).width(), 816); // Letter at 96 dpi
    auto* label = viewer_->findChild<QLabel*>(QStringLiteral("lblZoom"));
    QCOMPARE(label->text().trimmed(), QStringLiteral("100%"));
    action("actZoomIn")->trigger();
    QVERIFY(view->zoom() > 1.0);
    action("actZoomOut")->trigger();
    action("actZoomOut")->trigger();
    QVERIFY(view->zoom() < 1.0);
    // A fixed zoom stays when the window changes.
    const double fixed = view->zoom();
    viewer_->resize(600, 500);
    QTest::qWait(20);
    QCOMPARE(view->zoom(), fixed);
    action("actFitWidth")->trigger();
    QCOMPARE(view->zoomMode(), ReportPageView::ZoomMode::FitWidth);
}

void TestViewer::savesPdfAndCsv() {
    const QString pdf = dir_.filePath(QStringLiteral("numbers.pdf"));
    const QString csv = dir_.filePath(QStringLiteral("numbers.csv"));
    QStringList asked;
    frmReportViewer::setFileNameProvider([&](const QString& caption, const QString&) {
        asked << caption;
        return caption.contains(QLatin1String("PDF")) ? pdf : csv;
    });
    action("actSavePdf")->trigger();
    action("actSaveCsv")->trigger();
    QCOMPARE(asked,
             (QStringList{QStringLiteral("Save as PDF"), QStringLiteral("Save rows as CSV")}));
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("name 200")), qPrintable(text.left(500)));
    QVERIFY(text.contains(QStringLiteral("Page %1 of %1").arg(rendered_->pageCount())));
    const QString rows = readFile(csv);
    QVERIFY(rows.startsWith(QStringLiteral("N,Name\r\n1,name 1\r\n")));
    QCOMPARE(rows.count(QStringLiteral("\r\n")), 201);
    QVERIFY(ui::Messages::shown().isEmpty());

    // An empty answer saves nothing.
    QFile::remove(pdf);
    frmReportViewer::setFileNameProvider([](const QString&, const QString&) { return QString(); });
    action("actSavePdf")->trigger();
    QVERIFY(!QFile::exists(pdf));
}

void TestViewer::failedSaveIsShown() {
    QVERIFY(!viewer_->savePdf(QStringLiteral("/nonexistent-dir/r.pdf")));
    QCOMPARE(ui::Messages::shown().size(), 1);
    QCOMPARE(ui::Messages::shown().first().text,
             QStringLiteral("Cannot write the PDF file /nonexistent-dir/r.pdf."));
    QCOMPARE(ui::Messages::shown().first().icon, ui::Icon::Critical);
}

void TestViewer::printsEveryPage() {
    // A printer made here, painted on the report's own thread.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir_.filePath(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(path);
    QVERIFY(viewer_->print(&printer));
    const QString text = pdfText(path);
    QVERIFY2(text.contains(QStringLiteral("Page %1 of %1").arg(rendered_->pageCount())),
             qPrintable(text.left(300)));
    QCOMPARE(pdfPageSize(path), QStringLiteral("612 x 792 pts (letter)"));
}

void TestViewer::escapeCloses() {
    QTest::keyClick(viewer_->view(), Qt::Key_Escape);
    QTRY_VERIFY(!viewer_);
}

QTEST_MAIN(TestViewer)
#include "test_viewer.moc"
