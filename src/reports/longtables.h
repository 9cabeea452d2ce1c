#pragma once
// Long tables of a report's HTML. Qt lays out a table as one piece and its HTML import
// slows down badly as a table grows; a detail table of thousands of rows is therefore laid
// out in page-sized pieces (see document.cpp). This finds the tables that can be cut so:
// at the top level of the document, at least `minRows` body rows, and rows that stand on
// their own (no cell spanning rows, no table inside a row, nothing between the rows).
#include <QString>
#include <QStringList>
#include <QVector>

namespace reports {

struct LongTable {
    qsizetype begin = 0; // "<table" in the HTML
    qsizetype end = 0;   // just after its "</table>"
    QString open;        // the opening tag as written
    QString head;        // "<thead>...</thead>" as written; empty when the table has none
    QStringList rows;    // the body rows, "<tr>...</tr>" each, in order
};

QVector<LongTable> findLongTables(const QString& html, int minRows);

} // namespace reports
