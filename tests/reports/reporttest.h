#pragma once
// Helpers shared by the report tests: a small visit table, template files in a temporary
// folder, and reading a PDF back as text.
#include "db/connection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

namespace reporttest {

// ZEP.tbRptVisit: five visits, one with characters that HTML, CSV and SQL treat specially.
inline void seedVisits(db::Connection& c) {
    c.Execute(QStringLiteral("CREATE TABLE ZEP.tbRptVisit (Code VARCHAR(10), Name VARCHAR(100), "
                             "Amount NUMERIC(12,2), VisitDate DATE, Note VARCHAR(100))"));
    const QList<QVariantList> rows{{QStringLiteral("A1"), QStringLiteral("Dela Cruz, Juan"), 1500.5,
                                    QStringLiteral("2026-01-05"), QStringLiteral("first")},
                                   {QStringLiteral("A2"), QStringLiteral("O'Brien \"Ann\""), 250,
                                    QStringLiteral("2026-01-10"), QVariant()},
                                   {QStringLiteral("B1"), QStringLiteral("<b>{{title}}</b> & co"),
                                    99.99, QStringLiteral("2026-01-20"),
                                    QStringLiteral("line one\nline two")},
                                   {QStringLiteral("B2"), QStringLiteral("Santos, Maria"), 12000,
                                    QStringLiteral("2026-02-02"), QString()},
                                   {QStringLiteral("C1"), QStringLiteral("Reyes, Jose"), 0,
                                    QStringLiteral("2025-12-31"), QStringLiteral("old")}};
    for (const QVariantList& r : rows)
        c.Execute(QStringLiteral("INSERT INTO ZEP.tbRptVisit (Code, Name, Amount, VisitDate, Note) "
                                 "VALUES (?, ?, ?, ?, ?)"),
                  r);
}

// Runs the statements of a seed file on `c`: each statement ends with ';' at the end of a
// line, and a line starting with "--" is a comment. False when the file cannot be read or
// is empty.
inline bool runSeed(db::Connection& c, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(f.readAll());
    if (text.isEmpty())
        return false;
    QString current;
    for (const QString& l : text.split(QLatin1Char('\n'))) {
        if (l.startsWith(QLatin1String("--")))
            continue;
        current += l + QLatin1Char('\n');
        if (l.trimmed().endsWith(QLatin1Char(';'))) {
            current = current.trimmed();
            current.chop(1);
            c.Execute(current);
            current.clear();
        }
    }
    return true;
}

inline void writeFile(const QString& path, const QString& text) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(text.toUtf8());
}

inline QString readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// The PDF's text as pdftotext reads it (layout kept); empty when it cannot be read.
inline QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// "Page size: 612 x 792 pts (letter)" of pdfinfo.
inline QString pdfPageSize(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(60000))
        return {};
    for (const QString& l : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (l.startsWith(QLatin1String("Page size:")))
            return l.mid(10).simplified();
    return {};
}

// The visit list used by several tests: a date range, a code prefix, money and dates.
inline const QString kVisitList = QStringLiteral(R"([report]
title = Visit List
main = visits

[parameter StartDate]
type = date
label = From

[parameter EndDate]
type = date
label = To

[parameter Prefix]
default = %

[parameter Heading]
default = All visits
header = no

[query visits]
bind: StartDate, EndDate, Prefix
format: Amount = money, VisitDate = date
SELECT Code, Name, Amount, VisitDate, Note FROM ZEP.tbRptVisit
 WHERE VisitDate BETWEEN ? AND ? AND Code LIKE ? ORDER BY Code

[query totals]
bind: StartDate, EndDate, Prefix
format: Total = money
SELECT COUNT(*) AS Visits, SUM(Amount) AS Total FROM ZEP.tbRptVisit
 WHERE VisitDate BETWEEN ? AND ? AND Code LIKE ?

[body]
<h3>{{Heading}}</h3>
<table class="grid" border="1" cellspacing="0" cellpadding="2" width="100%">
<thead><tr><th>No</th><th>Code</th><th>Name</th><th class="num">Amount</th><th>Date</th></tr></thead>
{{#visits}}<tr><td>{{_row}}</td><td>{{CODE}}</td><td>{{Name}}</td><td class="num">{{Amount}}</td><td>{{VisitDate}}</td></tr>
{{/visits}}
</table>
{{^visits}}<p>No visits in this period.</p>{{/visits}}
{{#visits}}{{#Note}}<p>Note {{Code}}: {{Note}}</p>{{/Note}}{{/visits}}
{{#totals}}<p class="total">{{Visits}} visit(s), total {{Total}} ({{count.visits}} listed)</p>{{/totals}}
)");

} // namespace reporttest
