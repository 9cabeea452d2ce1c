#include "frmReportViewer.h"

#include "pageview.h"

#include "ui/messages.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

namespace reports {

namespace {

frmReportViewer::FileNameProvider& provider() {
    static frmReportViewer::FileNameProvider p;
    return p;
}

// Keeps the window painting while pages are written, and lets the user stop.
class PageProgressDialog {
public:
    PageProgressDialog(QWidget* parent, const QString& text, int pages)
        : dlg_(text, QStringLiteral("Cancel"), 0, pages, parent) {
        dlg_.setWindowModality(Qt::WindowModal);
        dlg_.setMinimumDuration(400);
        dlg_.setAutoClose(false);
    }
    bool step(int done) {
        dlg_.setValue(done);
        QCoreApplication::processEvents();
        return !dlg_.wasCanceled();
    }

private:
    QProgressDialog dlg_;
};

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
    add(QStringLiteral("actActualSize"), QStringLiteral("100%"), [this] { crViewer->setZoom(1.0); });
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

void frmReportViewer::setFileNameProvider(FileNameProvider p) { provider() = std::move(p); }

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

void frmReportViewer::firstPage() { crViewer->setCurrentPage(0); }
void frmReportViewer::previousPage() { crViewer->setCurrentPage(crViewer->currentPage() - 1); }
void frmReportViewer::nextPage() { crViewer->setCurrentPage(crViewer->currentPage() + 1); }
void frmReportViewer::lastPage() { crViewer->setCurrentPage(report_->pageCount() - 1); }

QString frmReportViewer::askFileName(const QString& caption, const QString& filter,
                                     const QString& suffix) {
    if (provider())
        return provider()(caption, filter);
    const QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString name = report_->title();
    name.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|]+)")), QStringLiteral("_"));
    QString path = QFileDialog::getSaveFileName(this, caption, base + QLatin1Char('/') + name +
                                                                   suffix, filter);
    if (!path.isEmpty() && !path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    return path;
}

bool frmReportViewer::savePdf(const QString& path) {
    QString error;
    PageProgressDialog progress(this, QStringLiteral("Saving the report as PDF..."),
                                report_->pageCount());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = report_->writePdf(path, &error, [&](int done, int) {
        return progress.step(done);
    });
    QApplication::restoreOverrideCursor();
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
    PageProgressDialog progress(this, QStringLiteral("Printing the report..."),
                                report_->pageCount());
    return report_->print(printer, [&](int done, int) { return progress.step(done); });
}

void frmReportViewer::onSavePdf() {
    const QString path =
        askFileName(QStringLiteral("Save as PDF"), QStringLiteral("PDF files (*.pdf)"),
                    QStringLiteral(".pdf"));
    if (!path.isEmpty())
        savePdf(path);
}

void frmReportViewer::onSaveCsv() {
    const QString path =
        askFileName(QStringLiteral("Save rows as CSV"), QStringLiteral("CSV files (*.csv)"),
                    QStringLiteral(".csv"));
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
