#pragma once
// A filled report laid out in pages: a QTextDocument of the body, paged to the template's
// paper, with a running header from the second page on and "Page N of M" at the foot of
// every page. It paints pages for the viewer, the printer and PDF files, and gives the
// text of each page and the detail rows as CSV.
//
// Layout works in 96-dpi pixels on a private image device, so that the pages break the
// same way on every machine; painting scales to the target device.
#include "engine.h"

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <atomic>
#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QTextDocument;
class QThread;

namespace reports {

class RenderedReport {
public:
    // Renders and lays out `input` (any thread). Returns nullptr when `cancel` became
    // true; throws ReportError when the template's body cannot be rendered.
    static std::shared_ptr<RenderedReport> build(std::shared_ptr<const RenderInput> input,
                                                 const std::atomic_bool* cancel = nullptr);
    ~RenderedReport();
    RenderedReport(const RenderedReport&) = delete;
    RenderedReport& operator=(const RenderedReport&) = delete;

    static constexpr double kUnitsPerInch = 96.0;

    int pageCount() const { return pages_; }
    QSizeF pageSize() const { return page_.size(); } // in layout units
    QPageLayout pageLayout() const;                  // the paper, without margins
    QString title() const;
    QString hospital() const;
    const RenderInput& input() const { return *input_; }
    QTextDocument* document() const { return doc_.get(); }
    QString html() const { return html_; }

    // Paints page `index` with the painter's origin at the paper's top-left corner, in
    // layout units (scale the painter to the device first).
    void paintPage(QPainter& painter, int index) const;
    // Called after each page painted with (pages done, pages in all); false stops.
    using PageProgress = std::function<bool(int, int)>;
    // Paints every page on a printer (the caller chose it); false when painting could not
    // start or was stopped.
    bool print(QPrinter* printer, const PageProgress& progress = {}) const;
    // Writes a PDF file; a stopped or failed write leaves no file behind.
    bool writePdf(const QString& path, QString* error, const PageProgress& progress = {}) const;

    // Page by page: the running header, the body lines (table cells joined with " | ")
    // and the page footer, each page introduced by a line "=== Page N of M ===".
    QString plainText() const;
    QString pageText(int index) const;

    // The main query's rows as CSV (RFC 4180: CRLF line ends, fields quoted when they
    // hold a comma, a quote or a line break; quotes doubled), with a header line.
    // Empty when the template has no query.
    QString csv() const;
    bool writeCsv(const QString& path, QString* error) const;
    bool hasRows() const { return input_->mainResult() != nullptr; }

    // The document and its layout belong to the thread that built them; the builder hands
    // them to the thread that will paint.
    void moveToThread(QThread* thread);

private:
    RenderedReport() = default;
    QRectF bodyRect() const;
    int pageOfY(double y) const;
    QStringList pageLines(int index) const;
    void collectLines(QVector<QStringList>& perPage) const;
    QString footerText(int index) const;
    QString runningHeader(int index) const;
    bool paintAll(QPainter& painter, double scale, const std::function<bool()>& newPage,
                  const PageProgress& progress) const;

    std::shared_ptr<const RenderInput> input_;
    QString html_;
    QImage device_; // the layout's paint device: 96 dpi
    std::unique_ptr<QTextDocument> doc_;
    QRectF page_;
    double margin_ = 0;
    int pages_ = 0;
    mutable std::shared_ptr<QVector<QStringList>> lines_; // text per page, made on demand
};

// One CSV field, quoted when it must be.
QString csvField(const QString& value);

} // namespace reports
