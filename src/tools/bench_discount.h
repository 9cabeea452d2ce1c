#pragma once
// zep-bench --discount: how long the discount computation of one visit with many charge
// lines takes, through the same calls as the computation screen.
#include <QString>

class QTextStream;

namespace tools {

// Writes a bench visit of `lines` charge lines to the database at `url`, computes and
// recomputes its discount `runs` times, removes the visit again and prints the median and
// 95th percentile as a markdown table. Returns the process exit code.
int benchDiscount(const QString& url, int lines, int runs, QTextStream& out);

} // namespace tools
