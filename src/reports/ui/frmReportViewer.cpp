#include "frmReportViewer.h"

#include "pageview.h"

#include "ui/messages.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <atomic>
#include <cmath>

namespace reports {

namespace {

frmReportViewer::FileNameProvider& provider() {
    static frmReportViewer::FileNameProvider p;
    return p;
}

} // namespace

frmReportViewer::frmReportViewer(std::shared_ptr<const RenderedReport> report,
                                 const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window), report_(std::move(report)) {
    setObjectName(QStringLiteral("frmReportViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption.isEmpty() ? report_->title() : caption);

    tbViewer = new QToolBar(this);
    tbViewer->setObjectName(QStringLiteral("tbViewer"));
    crViewer = new ReportPageView(this);
    crViewer->setReport(report_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tbViewer);
    layout->addWidget(crViewer, 1);

    auto add = [this](const QString& name, const QString& text, auto slot) {
        QAction* a = tbViewer->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(QStringLiteral("actPrint"), QStringLiteral("Print"), &frmReportViewer::onPrint);
    add(QStringLiteral("actSavePdf"), QStringLiteral("Save as PDF"), &frmReportViewer::onSavePdf);
    actSaveCsv = add(QStringLiteral("actSaveCsv"), QStringLiteral("Save rows as CSV"),
                     &frmReportViewer::onSaveCsv);
    actSaveCsv->setEnabled(report_->hasRows());
    tbViewer->addSeparator();
    actFirst = add(QStringLiteral("actFirst"), QStringLiteral("|<"), &frmReportViewer::firstPage);
    actPrevious =
        add(QStringLiteral("actPrevious"), QStringLiteral("<"), &frmReportViewer::previousPage);
    spnPage = new QSpinBox(this);
    spnPage->setObjectName(QStringLiteral("spnPage"));
    spnPage->setRange(1, std::max(1, report_->pageCount()));
    tbViewer->addWidget(spnPage);
    lblPages = new QLabel(QStringLiteral(" of %1 ").arg(report_->pageCount()), this);
    lblPages->setObjectName(QStringLiteral("lblPages"));
    tbViewer->addWidget(lblPages);
    actNext = add(QStringLiteral("actNext"), QStringLiteral(">"), &frmReportViewer::nextPage);
    actLast = add(QStringLiteral("actLast"), QStringLiteral(">|"), &frmReportViewer::lastPage);
    tbViewer->addSeparator();
    add(QStringLiteral("actFitWidth"), QStringLiteral("Fit Width"),
        [this] { crViewer->fitWidth(); });
    add(QStringLiteral("actActualSize"), QStringLiteral("100%"),
        [this] { crViewer->setZoom(1.0); });
    add(QStringLiteral("actZoomOut"), QStringLiteral("Zoom Out"), [this] { crViewer->zoomOut(); });
    add(QStringLiteral("actZoomIn"), QStringLiteral("Zoom In"), [this] { crViewer->zoomIn(); });
    lblZoom = new QLabel(this);
    lblZoom->setObjectName(QStringLiteral("lblZoom"));
    tbViewer->addWidget(lblZoom);
    tbViewer->addSeparator();
    add(QStringLiteral("actClose"), QStringLiteral("Close"), &QWidget::close);

    connect(spnPage, &QSpinBox::valueChanged, this, [this](int v) {
        if (crViewer->currentPage() != v - 1)
            crViewer->setCurrentPage(v - 1);
    });
    connect(crViewer, &ReportPageView::currentPageChanged, this, &frmReportViewer::updateState);
    connect(crViewer, &ReportPageView::zoomChanged, this, &frmReportViewer::updateState);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);

    resize(900, 720);
    updateState();
    crViewer->setFocus();
}

frmReportViewer::~frmReportViewer() = default;

void frmReportViewer::setFileNameProvider(FileNameProvider p) {
    provider() = std::move(p);
}

void frmReportViewer::updateState() {
    const int page = crViewer->currentPage();
    const int last = std::max(0, report_->pageCount() - 1);
    {
        const QSignalBlocker block(spnPage);
        spnPage->setValue(page + 1);
    }
    actFirst->setEnabled(page > 0);
    actPrevious->setEnabled(page > 0);
    actNext->setEnabled(page < last);
    actLast->setEnabled(page < last);
    lblZoom->setText(QStringLiteral(" %1% ").arg(std::lround(crViewer->zoom() * 100)));
}

void frmReportViewer::firstPage() {
    crViewer->setCurrentPage(0);
}
void frmReportViewer::previousPage() {
    crViewer->setCurrentPage(crViewer->currentPage() - 1);
}
void frmReportViewer::nextPage() {
    crViewer->setCurrentPage(crViewer->currentPage() + 1);
}
void frmReportViewer::lastPage() {
    crViewer->setCurrentPage(report_->pageCount() - 1);
}

QString frmReportViewer::askFileName(const QString& caption, const QString& filter,
                                     const QString& suffix) {
    if (provider())
        return provider()(caption, filter);
    const QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString name = report_->title();
    name.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|]+)")), QStringLiteral("_"));
    QString path = QFileDialog::getSaveFileName(this, caption,
                                                base + QLatin1Char('/') + name + suffix, filter);
    if (!path.isEmpty() && !path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    return path;
}

bool frmReportViewer::runPaged(
    const QString& text, const std::function<bool(const RenderedReport::PageProgress&)>& work) {
    std::atomic_int done{0};
    std::atomic_bool stop{false}, finished{false};
    bool ok = false;
    QProgressDialog dlg(text, QStringLiteral("Cancel"), 0, report_->pageCount(), this);
    dlg.setObjectName(QStringLiteral("dlgPageProgress"));
    dlg.setWindowModality(Qt::WindowModal);
    dlg.setMinimumDuration(400);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(50);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        dlg.setValue(done);
        if (finished)
            loop.quit();
    });
    connect(&dlg, &QProgressDialog::canceled, &loop, [&] { stop = true; });
    QApplication::setOverrideCursor(Qt::BusyCursor);
    // The work runs where the document lives; this window keeps painting meanwhile and
    // waits for it to end (a cancel ends it at the next page).
    report_->post([&] {
        ok = work([&](int d, int) {
            done = d;
            return !stop.load();
        });
        finished = true;
    });
    if (!finished) {
        poll.start();
        loop.exec();
    }
    QApplication::restoreOverrideCursor();
    return ok;
}

bool frmReportViewer::savePdf(const QString& path) {
    QString error;
    const bool ok = runPaged(QStringLiteral("Saving the report as PDF..."),
                             [&](const RenderedReport::PageProgress& progress) {
                                 return report_->writePdf(path, &error, progress);
                             });
    if (!ok)
        ui::Messages::critical(error);
    return ok;
}

bool frmReportViewer::saveCsv(const QString& path) {
    QString error;
    const bool ok = report_->writeCsv(path, &error);
    if (!ok)
        ui::Messages::critical(error);
    return ok;
}

bool frmReportViewer::print(QPrinter* printer) {
    return runPaged(QStringLiteral("Printing the report..."),
                    [&](const RenderedReport::PageProgress& progress) {
                        return report_->print(printer, progress);
                    });
}

void frmReportViewer::onSavePdf() {
    const QString path = askFileName(QStringLiteral("Save as PDF"),
                                     QStringLiteral("PDF files (*.pdf)"), QStringLiteral(".pdf"));
    if (!path.isEmpty())
        savePdf(path);
}

void frmReportViewer::onSaveCsv() {
    const QString path = askFileName(QStringLiteral("Save rows as CSV"),
                                     QStringLiteral("CSV files (*.csv)"), QStringLiteral(".csv"));
    if (!path.isEmpty())
        saveCsv(path);
}

void frmReportViewer::onPrint() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report_->pageLayout());
    QPrintDialog dlg(&printer, this);
    if (dlg.exec() == QDialog::Accepted)
        print(&printer);
}

} // namespace reports
