#pragma once
// zep-bench --arrsave: how long the referral report's save takes, beside the same statements
// on the bare engine.
#include <QList>
#include <QPair>
#include <QStringList>
#include <functional>

class QTextStream;

namespace tools {

// Runs the statements (text with '?' marks, values as the command log writes them) on the
// bare engine and returns the milliseconds taken.
using RawReplay = std::function<double(const QList<QPair<QString, QStringList>>&)>;

// Renews `runs` saved referral reports of case holders spread over the database at `url`
// through the workstation's save, replays each save's statements with `raw`, and prints the
// median and 95th percentile of both as a markdown table. Returns the process exit code.
int benchReferralSave(const QString& url, int runs, QTextStream& out, const RawReplay& raw);

} // namespace tools
