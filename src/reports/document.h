#pragma once
// A filled report laid out in pages: a QTextDocument of the body, paged to the template's
// paper, with a running header from the second page on and "Page N of M" at the foot of
// every page. It paints pages for the viewer, the printer and PDF files, and gives the
// text of each page and the detail rows as CSV.
//
// Layout works in 96-dpi pixels on a private image device, so that the pages break the
// same way on every machine; painting scales to the target device.
//
// A report built in the background keeps its document on the thread that built it, for
// as long as the report lives: Qt keeps the font engines a layout uses per thread and
// frees them when the thread ends. Every call that touches the document is carried out
// on that thread (the caller waits), so callers may use the report from any thread; only
// the painter handed to paintPage() must paint on a device that any thread may use
// (QImage, QPicture, QPrinter, QPdfWriter; never a widget).
#include "engine.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QObject;
class QPainter;
class QPrinter;
class QTextDocument;
class QThread;

namespace reports {

class RenderedReport {
public:
    // Renders and lays out `input` on this thread. Returns nullptr when `cancel` became
    // true; throws ReportError when the template's body cannot be rendered.
    static std::shared_ptr<RenderedReport> build(std::shared_ptr<const RenderInput> input,
                                                 const std::atomic_bool* cancel = nullptr);
    // A table with at least this many body rows is laid out in pieces of a few pages.
    static constexpr int kLongTableRows = 150;
    // Lays out `html`, the input already rendered by renderHtml() (the benchmark times the
    // two apart); tables from `longTableRows` body rows on are laid out in pieces (the tests
    // compare that with the whole layout). Returns nullptr when `cancel` became true.
    static std::shared_ptr<RenderedReport> layOut(std::shared_ptr<const RenderInput> input,
                                                  const QString& html,
                                                  const std::atomic_bool* cancel = nullptr,
                                                  int longTableRows = kLongTableRows);
    // The same on a thread of its own, which then keeps the document. `done` runs on
    // `receiver`'s thread with the report (nullptr when cancelled or failed) and the
    // error; `receiver` must live until then.
    using Done = std::function<void(std::shared_ptr<RenderedReport>, const QString& error)>;
    static void buildInBackground(std::shared_ptr<const RenderInput> input,
                                  std::shared_ptr<std::atomic_bool> cancel, QObject* receiver,
                                  Done done);
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
    QString html() const { return html_; }
    bool ownThread() const { return thread_ != nullptr; }

    // Paints page `index` with the painter's origin at the paper's top-left corner, in
    // layout units (scale the painter to the device first).
    void paintPage(QPainter& painter, int index) const;
    // Page `index` as an image, `scale` device pixels per layout unit, on white.
    QImage pageImage(int index, double scale) const;

    // Called after each page painted with (pages done, pages in all); false stops. It runs
    // on the document's thread.
    using PageProgress = std::function<bool(int, int)>;
    // Paints every page on a printer (the caller chose it); false when painting could not
    // start or was stopped.
    bool print(QPrinter* printer, const PageProgress& progress = {}) const;
    // Writes a PDF file; a stopped or failed write leaves no file behind.
    bool writePdf(const QString& path, QString* error, const PageProgress& progress = {}) const;

    // Starts `work` on the document's thread and returns at once (runs it now when the
    // document lives on this thread). busy() is true while such work runs.
    void post(std::function<void()> work) const;
    bool busy() const { return busy_.load() > 0; }

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

private:
    // A part of the report laid out on its own: its document and how many of its pages the
    // report prints. A long table is laid out in pieces, each starting on a new page with
    // the table's header rows; a piece that does not finish the table leaves out its last
    // page, whose rows begin the next piece.
    struct Section {
        std::unique_ptr<QTextDocument> doc;
        int firstPage = 0;      // the report's page of the section's first page
        int pages = 0;          // pages of the document that are printed
        bool continued = false; // begins with a piece that repeats a table's header rows
    };

    RenderedReport() = default;
    std::unique_ptr<QTextDocument> newDocument(const QString& html);
    bool layOutSections(int longTableRows, const std::atomic_bool* cancel);
    void addSection(std::unique_ptr<QTextDocument> doc, int pages, bool continued);
    const Section& sectionOfPage(int index) const;
    QRectF bodyRect() const;
    QStringList pageLines(int index) const;
    void collectLines(const Section& section, QVector<QStringList>& perPage) const;
    QString footerText(int index) const;
    QString runningHeader(int index) const;
    bool paintAll(QPainter& painter, double scale, const std::function<bool()>& newPage,
                  const PageProgress& progress) const;
    void onOwner(const std::function<void()>& f) const;

    std::shared_ptr<const RenderInput> input_;
    QString html_;
    QImage device_; // the layout's paint device: 96 dpi
    QFont font_;
    QString styleSheet_;
    std::vector<Section> sections_; // in page order
    QRectF page_;
    double margin_ = 0;
    int pages_ = 0;
    mutable std::shared_ptr<QVector<QStringList>> lines_; // text per page, made on demand
    QThread* thread_ = nullptr;                           // the document's, when built there
    QObject* context_ = nullptr;                          // lives on thread_
    mutable std::atomic_int busy_{0};
};

// One CSV field, quoted when it must be.
QString csvField(const QString& value);

} // namespace reports
