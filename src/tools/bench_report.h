#pragma once
// zep-bench --report: how long a long detail report takes from its query to the finished PDF.
#include <QString>
#include <QVector>

class QTextStream;

namespace tools {

// The median and 95th percentile of a set of timings (nearest rank).
struct Stats {
    double median = 0, p95 = 0;
};
Stats stats(QVector<double> v);

// Renders a census-style report of up to `rows` admissions of the database at `url`
// `runs` times and prints the median and 95th percentile of each stage as a markdown table.
// Returns the process exit code.
int benchReport(const QString& url, int rows, int runs, QTextStream& out);

} // namespace tools
