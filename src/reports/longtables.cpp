#include "longtables.h"

#include <QHash>
#include <algorithm>

namespace reports {

namespace {

struct Tag {
    qsizetype begin = 0, end = 0; // '<' and just after '>'
    QString name;                 // lower case
    bool closing = false;
};

bool isNameChar(QChar c) {
    return c.isLetterOrNumber();
}

// The next tag at or after `from`; comments are stepped over. False at the end or when a
// tag is not closed.
bool nextTag(const QString& s, qsizetype from, Tag* tag) {
    qsizetype i = from;
    const qsizetype n = s.size();
    while (true) {
        i = s.indexOf(QLatin1Char('<'), i);
        if (i < 0)
            return false;
        if (QStringView(s).mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype close = s.indexOf(QLatin1String("-->"), i + 4);
            if (close < 0)
                return false;
            i = close + 3;
            continue;
        }
        qsizetype j = i + 1;
        const bool closing = j < n && s.at(j) == QLatin1Char('/');
        if (closing)
            ++j;
        const qsizetype nameBegin = j;
        while (j < n && isNameChar(s.at(j)))
            ++j;
        if (j == nameBegin) { // a '<' that starts no tag: text to Qt too
            i = j;
            continue;
        }
        const QString name = s.mid(nameBegin, j - nameBegin).toLower();
        QChar quote;
        for (; j < n; ++j) {
            const QChar c = s.at(j);
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
            } else if (c == QLatin1Char('>')) {
                break;
            }
        }
        if (j >= n)
            return false;
        tag->begin = i;
        tag->end = j + 1;
        tag->name = name;
        tag->closing = closing;
        return true;
    }
}

// Elements that are never closed, and those that do not hold a table (a table ends an open
// paragraph).
bool isVoid(const QString& name) {
    static const QStringList names{
        QStringLiteral("br"),   QStringLiteral("hr"),    QStringLiteral("img"),
        QStringLiteral("meta"), QStringLiteral("link"),  QStringLiteral("input"),
        QStringLiteral("col"),  QStringLiteral("area"),  QStringLiteral("base"),
        QStringLiteral("p"),    QStringLiteral("html"),  QStringLiteral("body"),
        QStringLiteral("head"), QStringLiteral("style"), QStringLiteral("title")};
    return names.contains(name);
}

bool onlySpace(QStringView text) {
    for (const QChar c : text)
        if (!c.isSpace())
            return false;
    return true;
}

// One top-level table being read.
struct Reader {
    LongTable table;
    bool cuttable = true;
    int depth = 0;       // tables open, this one counted
    bool inHead = false; // inside <thead>
    qsizetype headBegin = -1;
    qsizetype rowBegin = -1; // the open body row's "<tr"
    qsizetype lastEnd = 0;   // end of the last tag seen at this table's level

    void closeRow(const QString& s, qsizetype at) {
        if (rowBegin < 0)
            return;
        table.rows.append(s.mid(rowBegin, at - rowBegin).trimmed());
        rowBegin = -1;
    }
};

} // namespace

QVector<LongTable> findLongTables(const QString& html, int minRows) {
    QVector<LongTable> found;
    Tag tag;
    qsizetype pos = 0;
    Reader r;
    bool inTable = false;
    QHash<QString, int> open; // elements open around the top level, by name
    while (nextTag(html, pos, &tag)) {
        pos = tag.end;
        if (!inTable) {
            if (tag.name == QLatin1String("table") && !tag.closing) {
                r = Reader();
                // A piece starts a document of its own: a table inside another element
                // (a <div>, <center>, <font>...) would lose what that element gives it.
                r.cuttable = std::all_of(open.cbegin(), open.cend(), [](int n) { return n == 0; });
                inTable = true;
                r.depth = 1;
                r.table.begin = tag.begin;
                r.table.open = html.mid(tag.begin, tag.end - tag.begin);
                r.lastEnd = tag.end;
            } else if (!isVoid(tag.name) && html.at(tag.end - 2) != QLatin1Char('/')) {
                int& n = open[tag.name];
                n = std::max(0, n + (tag.closing ? -1 : 1));
            }
            continue;
        }
        if (tag.name == QLatin1String("table")) {
            if (!tag.closing) {
                ++r.depth;
                r.cuttable = false; // a table inside a row or a header
                continue;
            }
            if (--r.depth > 0)
                continue;
            r.closeRow(html, tag.begin);
            r.table.end = tag.end;
            inTable = false;
            if (r.cuttable && !r.inHead && r.table.rows.size() >= minRows)
                found.append(r.table);
            continue;
        }
        if (r.depth > 1)
            continue;
        const bool inRow = r.rowBegin >= 0;
        // Text between the rows (outside any row) would become a part of the table that
        // cannot be cut; so would anything that is not a row.
        if (!inRow && !r.inHead &&
            !onlySpace(QStringView(html).mid(r.lastEnd, tag.begin - r.lastEnd)))
            r.cuttable = false;
        const QString& n = tag.name;
        if (n == QLatin1String("thead")) {
            if (!tag.closing) {
                if (!r.table.rows.isEmpty() || inRow || r.headBegin >= 0)
                    r.cuttable = false; // a header after the rows
                r.inHead = true;
                r.headBegin = tag.begin;
            } else if (r.inHead) {
                r.inHead = false;
                r.table.head = html.mid(r.headBegin, tag.end - r.headBegin);
            }
        } else if (r.inHead) {
            // header rows are kept as written
        } else if (n == QLatin1String("tr")) {
            if (!tag.closing) {
                r.closeRow(html, tag.begin);
                r.rowBegin = tag.begin;
            } else if (inRow) {
                r.closeRow(html, tag.end);
            }
        } else if (n == QLatin1String("tbody")) {
            r.closeRow(html, tag.begin);
        } else if (n == QLatin1String("td") || n == QLatin1String("th")) {
            if (!inRow)
                r.cuttable = false; // a cell outside a row
            else if (!tag.closing && html.mid(tag.begin, tag.end - tag.begin)
                                         .contains(QLatin1String("rowspan"), Qt::CaseInsensitive))
                r.cuttable = false;
        } else if (!inRow) {
            r.cuttable = false; // caption, tfoot, col... or markup between the rows
        }
        r.lastEnd = tag.end;
    }
    return found;
}

} // namespace reports
