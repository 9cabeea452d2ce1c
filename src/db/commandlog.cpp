#include "commandlog.h"

#include <csignal>
#include <cstdlib>

namespace db {

int CommandLog::append(LoggedCommand c) {
    if (!enabled_)
        return -1;
    // Past the limit the oldest quarter goes at once: dropping one entry per command would
    // move the whole log every time in a long session.
    if (entries_.size() >= limit_)
        entries_.remove(0, std::max<qsizetype>(1, entries_.size() - limit_ * 3 / 4));
    entries_.append(std::move(c));
    return int(entries_.size()) - 1;
}

void CommandLog::markFailed(int index) {
    if (index >= 0 && index < entries_.size())
        entries_[index].ok = false;
}

QVector<LoggedCommand> CommandLog::calls() const {
    QVector<LoggedCommand> out;
    for (const auto& e : entries_)
        if (e.kind == LoggedCommand::Call)
            out.append(e);
    return out;
}

QStringList CommandLog::callNames() const {
    QStringList out;
    for (const auto& e : entries_)
        if (e.kind == LoggedCommand::Call)
            out.append(e.text);
    return out;
}

QString CommandLog::dump() const {
    QString out;
    for (const auto& e : entries_) {
        out += (e.kind == LoggedCommand::Call ? QStringLiteral("CALL ") : QStringLiteral("SQL  "));
        out += e.text;
        if (!e.values.isEmpty())
            out += QStringLiteral("  [") + e.values.join(QStringLiteral(", ")) + QLatin1Char(']');
        if (!e.ok)
            out += QStringLiteral("  -- failed");
        out += QLatin1Char('\n');
    }
    return out;
}

void FaultInjector::killProcess() {
#ifdef SIGKILL
    std::raise(SIGKILL);
#endif
    std::_Exit(137); // where there is no SIGKILL: still no destructor, no roll-back
}

} // namespace db
