#include "document.h"

#include "values.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QThread>
#include <cmath>

namespace reports {

namespace {

constexpr double kHeaderBand = 26; // running header, from the second page on
constexpr double kFooterBand = 22; // "Page N of M"
constexpr double kMmPerInch = 25.4;

QString cleanText(QString s) {
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (u == QChar::ParagraphSeparator || u == QChar::LineSeparator || u == 0x00a0 ||
            u == 0xfdd0 || u == 0xfdd1 || u == QChar::ObjectReplacementCharacter || u == u'\t')
            c = QLatin1Char(' ');
    }
    return s.simplified();
}

QFont bandFont(const QString& family) {
    QFont f(family);
    f.setPixelSize(11); // layout units: 8 pt at 96 dpi
    return f;
}

} // namespace

QString csvField(const QString& value) {
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (const QChar c : value)
        if (special.contains(c))
            quote = true;
    if (!quote)
        return value;
    QString v = value;
    v.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + v + QLatin1Char('"');
}

std::shared_ptr<RenderedReport> RenderedReport::build(std::shared_ptr<const RenderInput> input,
                                                      const std::atomic_bool* cancel) {
    const QString html = renderHtml(*input, cancel);
    if (cancel && cancel->load())
        return nullptr;
    return layOut(std::move(input), html, cancel);
}

std::shared_ptr<RenderedReport> RenderedReport::layOut(std::shared_ptr<const RenderInput> input,
                                                       const QString& html,
                                                       const std::atomic_bool* cancel,
                                                       int longTableRows) {
    std::shared_ptr<RenderedReport> r(new RenderedReport());
    r->input_ = std::move(input);
    const TemplateDef& def = *r->input_->def;
    r->html_ = html;

    const QSizeF points = QPageSize(def.page.size).size(QPageSize::Point);
    QSizeF paper(points.width() * kUnitsPerInch / 72, points.height() * kUnitsPerInch / 72);
    if (def.page.orientation == QPageLayout::Landscape)
        paper.transpose();
    r->page_ = QRectF(QPointF(0, 0), paper);
    r->margin_ = def.page.marginMm / kMmPerInch * kUnitsPerInch;

    const int dpm = int(std::lround(kUnitsPerInch / 0.0254));
    r->device_ = QImage(4, 4, QImage::Format_RGB32);
    r->device_.setDotsPerMeterX(dpm);
    r->device_.setDotsPerMeterY(dpm);

    r->font_ = QFont(def.fontFamily);
    r->font_.setPointSizeF(def.fontSize);
    r->styleSheet_ = baseStyleSheet() + def.style;
    if (!r->layOutSections(longTableRows, cancel))
        return nullptr;
    return r;
}

std::unique_ptr<QTextDocument> RenderedReport::newDocument(const QString& html) {
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(&device_);
    doc->setUseDesignMetrics(true);
    doc->setDocumentMargin(0);
    doc->setDefaultFont(font_);
    doc->setDefaultStyleSheet(styleSheet_);
    doc->setPageSize(bodyRect().size());
    // Within one edit the document is laid out once, at its end, and only after every
    // paragraph has been told to keep its shaped text: painting a page would otherwise shape
    // every cell of it again.
    QTextCursor edit(doc.get());
    edit.beginEditBlock();
    doc->setHtml(html);
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        b.layout()->setCacheEnabled(true);
    edit.endEditBlock();
    return doc;
}

void RenderedReport::addSection(std::unique_ptr<QTextDocument> doc, int pages, bool continued) {
    Section s;
    s.doc = std::move(doc);
    s.firstPage = pages_;
    s.pages = pages;
    s.continued = continued;
    pages_ += pages;
    sections_.push_back(std::move(s));
}

const RenderedReport::Section& RenderedReport::sectionOfPage(int index) const {
    auto it = std::upper_bound(sections_.begin(), sections_.end(), index,
                               [](int i, const Section& s) { return i < s.firstPage; });
    return *(it == sections_.begin() ? it : it - 1);
}

void RenderedReport::buildInBackground(std::shared_ptr<const RenderInput> input,
                                       std::shared_ptr<std::atomic_bool> cancel, QObject* receiver,
                                       Done done) {
    auto* thread = new QThread();
    thread->setObjectName(QStringLiteral("report: ") + input->def->fileName);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    auto* context = new QObject();
    context->moveToThread(thread);
    thread->start();
    QMetaObject::invokeMethod(context, [=] {
        std::shared_ptr<RenderedReport> r;
        QString error;
        try {
            r = build(input, cancel.get());
        } catch (const ReportError& e) {
            error = e.message();
        } catch (const std::exception& e) {
            error = QString::fromLocal8Bit(e.what());
        }
        if (r) {
            r->thread_ = thread; // from now on the report stops the thread when it goes
            r->context_ = context;
        } else {
            context->deleteLater();
            thread->quit();
        }
        QMetaObject::invokeMethod(
            receiver, [done, r, error] { done(r, error); }, Qt::QueuedConnection);
    });
}

RenderedReport::~RenderedReport() {
    if (!thread_)
        return;
    if (QThread::currentThread() == thread_) {
        sections_.clear();
    } else {
        QMetaObject::invokeMethod(
            context_, [this] { sections_.clear(); }, Qt::BlockingQueuedConnection);
    }
    context_->deleteLater(); // deferred deletions still run when the thread finishes
    thread_->quit();
    if (QThread::currentThread() != thread_)
        thread_->wait();
}

void RenderedReport::onOwner(const std::function<void()>& f) const {
    if (!thread_ || QThread::currentThread() == thread_)
        f();
    else
        QMetaObject::invokeMethod(context_, f, Qt::BlockingQueuedConnection);
}

void RenderedReport::post(std::function<void()> work) const {
    ++busy_;
    auto run = [this, work = std::move(work)] {
        work();
        --busy_;
    };
    if (!thread_ || QThread::currentThread() == thread_)
        run();
    else
        QMetaObject::invokeMethod(context_, run, Qt::QueuedConnection);
}

QImage RenderedReport::pageImage(int index, double scale) const {
    const QSize size = (page_.size() * scale).toSize();
    QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    onOwner([&] {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        paintPage(p, index);
    });
    return img;
}

QPageLayout RenderedReport::pageLayout() const {
    const PageSetup& p = input_->def->page;
    return QPageLayout(QPageSize(p.size), p.orientation, QMarginsF(0, 0, 0, 0));
}

QString RenderedReport::title() const {
    return input_->def->title;
}
QString RenderedReport::hospital() const {
    return input_->hospital;
}

QRectF RenderedReport::bodyRect() const {
    return page_.adjusted(margin_, margin_ + kHeaderBand, -margin_, -(margin_ + kFooterBand));
}

QString RenderedReport::footerText(int index) const {
    return QStringLiteral("Page %1 of %2").arg(index + 1).arg(pages_);
}

QString RenderedReport::runningHeader(int index) const {
    if (index == 0)
        return {};
    QStringList parts;
    if (!hospital().isEmpty())
        parts << hospital();
    parts << title();
    return parts.join(QStringLiteral(" | "));
}

void RenderedReport::paintPage(QPainter& painter, int index) const {
    onOwner([&] {
        const QRectF body = bodyRect();
        painter.save();
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(Qt::black);
        painter.setFont(bandFont(input_->def->fontFamily));
        if (index > 0) {
            const QRectF band(margin_, margin_, page_.width() - 2 * margin_, kHeaderBand - 8);
            painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, hospital());
            painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter, title());
            painter.drawLine(QPointF(band.left(), band.bottom() + 2),
                             QPointF(band.right(), band.bottom() + 2));
        }
        const QRectF foot(margin_, page_.height() - margin_ - kFooterBand + 6,
                          page_.width() - 2 * margin_, kFooterBand - 6);
        painter.drawText(foot, Qt::AlignHCenter | Qt::AlignBottom, footerText(index));

        const Section& section = sectionOfPage(index);
        const int local = index - section.firstPage;
        painter.translate(body.left(), body.top() - local * body.height());
        const QRectF clip(0, local * body.height(), body.width(), body.height());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = clip;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        section.doc->documentLayout()->draw(&painter, ctx);
        painter.restore();
    });
}

bool RenderedReport::paintAll(QPainter& painter, double scale, const std::function<bool()>& newPage,
                              const PageProgress& progress) const {
    for (int i = 0; i < pages_; ++i) {
        if (i > 0 && !newPage())
            return false;
        painter.save();
        painter.scale(scale, scale);
        paintPage(painter, i);
        painter.restore();
        if (progress && !progress(i + 1, pages_))
            return false;
    }
    return true;
}

bool RenderedReport::print(QPrinter* printer, const PageProgress& progress) const {
    bool done = false;
    onOwner([&] {
        printer->setFullPage(true);
        printer->setPageLayout(pageLayout());
        printer->setDocName(title());
        QPainter painter;
        if (!painter.begin(printer))
            return;
        const double scale = printer->resolution() / kUnitsPerInch;
        done = paintAll(
            painter, scale, [printer] { return printer->newPage(); }, progress);
        painter.end();
    });
    return done;
}

bool RenderedReport::writePdf(const QString& path, QString* error,
                              const PageProgress& progress) const {
    {
        // QPdfWriter only says that painting could not begin; find out why first.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            if (error)
                *error = QStringLiteral("Cannot write the PDF file %1.").arg(path);
            return false;
        }
    }
    bool done = false;
    bool started = true;
    onOwner([&] {
        QPdfWriter writer(path);
        writer.setPageLayout(pageLayout());
        writer.setTitle(title());
        writer.setCreator(QStringLiteral("ZEP"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            started = false;
            return;
        }
        const double scale = writer.resolution() / kUnitsPerInch;
        done = paintAll(
            painter, scale, [&writer] { return writer.newPage(); }, progress);
        painter.end();
    });
    if (!started) {
        if (error)
            *error = QStringLiteral("Cannot write the PDF file %1.").arg(path);
        return false;
    }
    if (!done) {
        QFile::remove(path); // a half-written file is no PDF
        if (error)
            *error = QStringLiteral("The PDF file %1 was not finished.").arg(path);
    }
    return done;
}

// The lines of the section's printed pages, into perPage by the section's own page numbers.
void RenderedReport::collectLines(const Section& section, QVector<QStringList>& perPage) const {
    QTextDocument* doc = section.doc.get();
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    const int pages = int(perPage.size());
    const bool whole = pages >= doc->pageCount();
    bool firstTable = true;
    auto add = [&](double y, const QString& line) {
        const int p = int(std::floor((y + 0.5) / bodyRect().height()));
        if (p >= pages && !whole)
            return; // on a piece's unfinished page, which the next piece prints
        perPage[std::clamp(p, 0, pages - 1)].append(line);
    };
    std::function<void(QTextFrame*)> walk = [&](QTextFrame* frame) {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame()) {
                auto* table = qobject_cast<QTextTable*>(child);
                if (!table) {
                    walk(child);
                    continue;
                }
                // A piece of a long table prints the header rows again on its first page;
                // the text has them once, where the table begins, as for any table that
                // runs over several pages.
                int row = 0;
                if (firstTable && section.continued && frame == doc->rootFrame())
                    row = std::min(table->format().headerRowCount(), table->rows());
                firstTable = false;
                for (; row < table->rows(); ++row) {
                    QStringList cells;
                    double top = -1;
                    for (int col = 0; col < table->columns(); ++col) {
                        const QTextTableCell cell = table->cellAt(row, col);
                        if (cell.row() != row || cell.column() != col)
                            continue; // covered by a spanning cell
                        QTextCursor c(doc);
                        c.setPosition(cell.firstCursorPosition().position());
                        c.setPosition(cell.lastCursorPosition().position(),
                                      QTextCursor::KeepAnchor);
                        cells << cleanText(c.selectedText());
                        if (top < 0)
                            top =
                                layout->blockBoundingRect(cell.firstCursorPosition().block()).top();
                    }
                    while (!cells.isEmpty() && cells.last().isEmpty())
                        cells.removeLast();
                    if (!cells.isEmpty())
                        add(top, cells.join(QStringLiteral(" | ")));
                }
                continue;
            }
            const QTextBlock b = it.currentBlock();
            const QString t = cleanText(b.text());
            if (!t.isEmpty())
                add(layout->blockBoundingRect(b).top(), t);
        }
    };
    walk(doc->rootFrame());
}

QStringList RenderedReport::pageLines(int index) const {
    onOwner([this] {
        if (!lines_) {
            auto per = std::make_shared<QVector<QStringList>>();
            for (const Section& s : sections_) {
                QVector<QStringList> local(s.pages);
                collectLines(s, local);
                per->append(local);
            }
            lines_ = per;
        }
    });
    return lines_->value(index);
}

QString RenderedReport::pageText(int index) const {
    QStringList out;
    out << QStringLiteral("=== %1 ===").arg(footerText(index));
    const QString head = runningHeader(index);
    if (!head.isEmpty())
        out << head;
    out << pageLines(index);
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString RenderedReport::plainText() const {
    QString s;
    for (int i = 0; i < pages_; ++i)
        s += pageText(i);
    return s;
}

QString RenderedReport::csv() const {
    const QueryResult* r = input_->mainResult();
    if (!r)
        return {};
    QString out;
    QStringList line;
    for (const QString& c : r->columns)
        line << csvField(c);
    out += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    QVector<ColumnFormat> formats;
    for (int c = 0; c < r->columns.size(); ++c)
        formats << r->format(c);
    for (const auto& row : r->rows) {
        line.clear();
        for (int c = 0; c < r->columns.size() && c < row.size(); ++c)
            line << csvField(csvColumn(formats.at(c), row.at(c)));
        out += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out;
}

bool RenderedReport::writeCsv(const QString& path, QString* error) const {
    if (!hasRows()) {
        if (error)
            *error = QStringLiteral("%1 has no detail rows to save.").arg(input_->def->fileName);
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(csv().toUtf8()) < 0 ||
        !f.flush()) {
        if (error)
            *error = QStringLiteral("Cannot write the CSV file %1.").arg(path);
        return false;
    }
    return true;
}

} // namespace reports
