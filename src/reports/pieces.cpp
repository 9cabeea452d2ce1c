// Laying out a report in sections. A long detail table is cut into pieces of a few pages:
// Qt's HTML import and table layout take far longer for one table of thousands of rows
// than for the same rows in short tables, and painting a page of a long table walks its
// frame on every page. Each piece is laid out by Qt on a fresh page with the table's header
// rows, so that rows are never split and the header stands on top of every page as Qt would
// repeat it; the columns of every piece get the widths the first piece was given.
#include "document.h"

#include "longtables.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>
#include <cmath>
#include <limits>

namespace reports {

namespace {

// Qt lays out a document in steps and starts the step after a tall table over from before
// that table, so a table taller than this (in layout units) is laid out twice. Pieces stay
// below it.
constexpr double kLayoutStep = 1900;
// Rows of the first piece of a long table, before the rows on a page are known.
constexpr int kFirstPieceRows = 60;

QTextTable* lastTable(QTextDocument& doc) {
    const QList<QTextFrame*> frames = doc.rootFrame()->childFrames();
    for (auto it = frames.rbegin(); it != frames.rend(); ++it)
        if (auto* t = qobject_cast<QTextTable*>(*it))
            return t;
    return nullptr;
}

// The pages a table row starts and ends on.
struct RowPages {
    int top = 0, bottom = 0;
};

RowPages rowPages(QTextDocument& doc, QTextTable* t, int row, double pageHeight) {
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    double top = std::numeric_limits<double>::max();
    double bottom = std::numeric_limits<double>::lowest();
    for (int c = 0; c < t->columns(); ++c) {
        const QTextTableCell cell = t->cellAt(row, c);
        if (cell.row() != row || cell.column() != c)
            continue;
        top = std::min(top, layout->blockBoundingRect(cell.firstCursorPosition().block()).top());
        bottom =
            std::max(bottom, layout->blockBoundingRect(cell.lastCursorPosition().block()).bottom());
    }
    if (top > bottom)
        return {};
    return {int(std::floor((top + 0.5) / pageHeight)),
            int(std::floor((std::max(bottom, top + 1) - 0.5) / pageHeight))};
}

// The text of each cell of a row as written: markup dropped, entities left as they are.
QStringList cellTexts(const QString& row) {
    QStringList cells;
    QString text;
    bool inCell = false;
    for (qsizetype i = 0; i < row.size(); ++i) {
        if (row.at(i) != QLatin1Char('<')) {
            if (inCell)
                text += row.at(i);
            continue;
        }
        const qsizetype close = row.indexOf(QLatin1Char('>'), i);
        if (close < 0)
            break;
        const QStringView tag = QStringView(row).mid(i + 1, close - i - 1);
        const bool start = tag.startsWith(QLatin1String("td"), Qt::CaseInsensitive) ||
                           tag.startsWith(QLatin1String("th"), Qt::CaseInsensitive);
        const bool end = tag.startsWith(QLatin1String("/td"), Qt::CaseInsensitive) ||
                         tag.startsWith(QLatin1String("/th"), Qt::CaseInsensitive) ||
                         tag.startsWith(QLatin1String("/tr"), Qt::CaseInsensitive);
        if ((start || end) && inCell) {
            cells << text.simplified();
            text.clear();
            inCell = false;
        }
        if (start)
            inCell = true;
        i = close;
    }
    if (inCell)
        cells << text.simplified();
    return cells;
}

// The rows that decide the columns' widths as Qt would give them for the whole table: for
// each column those with its longest texts and its longest words, in table order.
QStringList widestRows(const LongTable& t) {
    constexpr int kEach = 2;
    struct Best {
        QVector<QPair<qsizetype, int>> text, word; // length, row
    };
    QVector<Best> best;
    const auto keep = [](QVector<QPair<qsizetype, int>>& v, qsizetype length, int row) {
        if (v.size() == kEach && v.last().first >= length)
            return;
        v.append({length, row});
        std::stable_sort(v.begin(), v.end(), [](auto a, auto b) { return a.first > b.first; });
        if (v.size() > kEach)
            v.removeLast();
    };
    for (int r = 0; r < t.rows.size(); ++r) {
        const QStringList cells = cellTexts(t.rows.at(r));
        if (best.size() < cells.size())
            best.resize(cells.size());
        for (int c = 0; c < cells.size(); ++c) {
            keep(best[c].text, cells.at(c).size(), r);
            qsizetype word = 0;
            for (const QStringView w : QStringView(cells.at(c)).split(QLatin1Char(' ')))
                word = std::max(word, w.size());
            keep(best[c].word, word, r);
        }
    }
    QVector<int> rows;
    for (const Best& b : best)
        for (const auto& v : {b.text, b.word})
            for (const auto& [length, row] : v)
                rows << row;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList out;
    for (const int r : rows)
        out << t.rows.at(r);
    return out;
}

// The widths (content and padding) Qt gave the columns of `t`, read off a row whose cells
// take one column each; empty when no row tells.
QVector<double> columnWidths(QTextDocument& doc, QTextTable* t, int fromRow) {
    const QTextTableFormat tf = t->format();
    const double between = 2 * tf.border() + tf.cellSpacing();
    const int columns = t->columns();
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (int row = fromRow; row < t->rows(); ++row) {
        QVector<double> x;
        double lastWidth = 0;
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = t->cellAt(row, c);
            if (cell.row() != row || cell.column() != c || cell.columnSpan() != 1)
                break;
            const QTextBlock b = cell.firstCursorPosition().block();
            const QTextBlockFormat bf = b.blockFormat();
            if (bf.textIndent() != 0 || bf.indent() != 0)
                break;
            const QTextTableCellFormat cf = cell.format().toTableCellFormat();
            const auto padding = [&](QTextFormat::Property p, double v) {
                return cf.hasProperty(p) ? v : tf.cellPadding();
            };
            const double left = padding(QTextFormat::TableCellLeftPadding, cf.leftPadding());
            const double right = padding(QTextFormat::TableCellRightPadding, cf.rightPadding());
            const QRectF rect = layout->blockBoundingRect(b);
            x << rect.left() - left - bf.leftMargin();
            lastWidth = rect.width() + left + right + bf.leftMargin() + bf.rightMargin();
        }
        if (x.size() != columns)
            continue;
        QVector<double> widths;
        for (int c = 0; c + 1 < columns; ++c)
            widths << x.at(c + 1) - x.at(c) - between;
        widths << lastWidth;
        return widths;
    }
    return {};
}

// `row` with a width on each cell, or empty when the row has not one cell per column. A
// width the template gives a cell itself is kept.
QString withWidths(const QString& row, const QVector<double>& widths) {
    QVector<qsizetype> cells; // just after "<td" / "<th"
    for (qsizetype i = row.indexOf(QLatin1Char('<')); i >= 0;
         i = row.indexOf(QLatin1Char('<'), i + 1)) {
        const QStringView name = QStringView(row).mid(i + 1, 2);
        const QChar after = row.size() > i + 3 ? row.at(i + 3) : QChar();
        if ((name.compare(QLatin1String("td"), Qt::CaseInsensitive) == 0 ||
             name.compare(QLatin1String("th"), Qt::CaseInsensitive) == 0) &&
            (after.isSpace() || after == QLatin1Char('>')))
            cells << i + 3;
    }
    if (cells.size() != widths.size())
        return {};
    QString out = row;
    for (int c = int(widths.size()) - 1; c >= 0; --c) {
        const qsizetype close = row.indexOf(QLatin1Char('>'), cells.at(c));
        const QString attributes = row.mid(cells.at(c), close - cells.at(c));
        if (attributes.contains(QLatin1String("colspan"), Qt::CaseInsensitive))
            return {};
        if (attributes.contains(QLatin1String("width"), Qt::CaseInsensitive))
            continue;
        out.insert(cells.at(c), QStringLiteral(" width=\"%1\"").arg(widths.at(c), 0, 'f', 6));
    }
    return out;
}

// Rows [from, to) of `t` as a table of their own with the header rows; the first row that
// can carry them gets `widths`.
QString piece(const LongTable& t, int from, int to, const QVector<double>& widths) {
    QString html = t.open + t.head + QLatin1Char('\n');
    bool sized = widths.isEmpty();
    for (int r = from; r < to; ++r) {
        QString row = t.rows.at(r);
        if (!sized) {
            const QString w = withWidths(row, widths);
            if (!w.isEmpty()) {
                row = w;
                sized = true;
            }
        }
        html += row + QLatin1Char('\n');
    }
    return html + QStringLiteral("</table>");
}

} // namespace

bool RenderedReport::layOutSections(int longTableRows, const std::atomic_bool* cancel) {
    const QVector<LongTable> tables = findLongTables(html_, longTableRows);
    const double pageHeight = bodyRect().height();
    const int pagesPerPiece = std::max(1, int(kLayoutStep / pageHeight));
    const QString documentStart = QStringLiteral("<html><body>\n");
    // What the next section begins with; whether that is a piece of a table begun before.
    QString lead = html_.left(tables.isEmpty() ? html_.size() : tables.first().begin);
    bool leadContinued = false;
    for (int t = 0; t < tables.size(); ++t) {
        const LongTable& lt = tables.at(t);
        const int rows = int(lt.rows.size());
        const qsizetype next = t + 1 < tables.size() ? tables.at(t + 1).begin : html_.size();
        const QString after = html_.mid(lt.end, next - lt.end);
        // Every piece gets the widths Qt gives the columns for the rows that decide them.
        QVector<double> widths;
        {
            LongTable widest = lt;
            widest.rows = widestRows(lt);
            auto doc = newDocument(documentStart + piece(widest, 0, int(widest.rows.size()), {}) +
                                   QStringLiteral("\n</body></html>\n"));
            doc->pageCount();
            if (QTextTable* table = lastTable(*doc))
                widths = columnWidths(*doc, table, table->format().headerRowCount());
        }
        int from = 0;
        int take = std::min(kFirstPieceRows, longTableRows);
        while (true) {
            if (cancel && cancel->load())
                return false;
            if (rows - from <= take) {
                // The table ends in this piece: what follows it goes on on the same page.
                lead += piece(lt, from, rows, widths) + after;
                break;
            }
            auto doc = newDocument(lead + piece(lt, from, from + take, widths) +
                                   QStringLiteral("\n</body></html>\n"));
            doc->pageCount(); // the whole layout
            QTextTable* table = lastTable(*doc);
            const int head = table ? table->format().headerRowCount() : 0;
            if (!table || table->rows() != head + take) {
                // Qt read the piece otherwise than expected: the rest stays one table.
                lead += piece(lt, from, rows, widths) + after;
                break;
            }
            // The piece's last page and the rows on it begin the next piece; so does a row
            // that runs onto that page from the one before.
            const int firstPage = rowPages(*doc, table, head, pageHeight).top;
            int cutPage = rowPages(*doc, table, table->rows() - 1, pageHeight).bottom;
            for (int r = table->rows() - 1; r >= head; --r) {
                const RowPages p = rowPages(*doc, table, r, pageHeight);
                if (p.bottom < cutPage)
                    break;
                cutPage = std::min(cutPage, p.top);
            }
            if (cutPage <= firstPage) {
                take *= 2; // not one page finished yet
                continue;
            }
            // Rows start on pages in order: the first row on the cut page, and how many rows
            // the last full page before it took (the size of the next piece).
            const auto firstRowFrom = [&](int page) {
                int lo = head, hi = table->rows();
                while (lo < hi) {
                    const int mid = (lo + hi) / 2;
                    if (rowPages(*doc, table, mid, pageHeight).top < page)
                        lo = mid + 1;
                    else
                        hi = mid;
                }
                return lo;
            };
            const int carry = firstRowFrom(cutPage);
            // (The first page is full unless what comes before the table is on it.)
            const bool fullPage = cutPage - 1 > firstPage || lead == documentStart;
            const int onFullPage = fullPage ? carry - firstRowFrom(cutPage - 1) : 0;
            addSection(std::move(doc), cutPage, leadContinued);
            lead = documentStart;
            leadContinued = true;
            from += carry - head;
            if (onFullPage > 0)
                take = onFullPage * pagesPerPiece + 1;
        }
    }
    if (cancel && cancel->load())
        return false;
    auto doc = newDocument(lead);
    const int pages = std::max(1, doc->pageCount());
    addSection(std::move(doc), pages, leadContinued);
    return true;
}

} // namespace reports
