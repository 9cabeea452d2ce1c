#pragma once
// What the connection sent: every statement and procedure call with its values, in order.
// Tests read it; a trace window may show it. Values marked secret are never recorded.
#include <QString>
#include <QStringList>
#include <QVector>

namespace db {

struct LoggedCommand {
    enum Kind { Statement, Call } kind = Statement;
    QString text;       // SQL text as sent, or the procedure name as the caller spelled it
    QStringList values; // rendered values; "***" for secret ones
    bool ok = true;     // false when it failed
};

class CommandLog {
public:
    void setEnabled(bool on) { enabled_ = on; }
    bool enabled() const { return enabled_; }
    // Keeps the newest `limit` entries (a long session must not grow without end).
    void setLimit(int limit) { limit_ = limit; }
    void clear() { entries_.clear(); }
    const QVector<LoggedCommand>& entries() const { return entries_; }
    QVector<LoggedCommand> calls() const;               // procedure calls only
    QStringList callNames() const;                      // their names, in order
    QString dump() const;                               // one line per entry, for failure output
    int append(LoggedCommand c);                        // returns the index
    void markFailed(int index);

private:
    QVector<LoggedCommand> entries_;
    bool enabled_ = true;
    int limit_ = 20000;
};

// Makes a chosen command fail, to prove that callers roll back. Counting starts when
// armed; statements run by procedures count as statements.
class FaultInjector {
public:
    void failStatement(int nth) { statementLeft_ = nth; } // the nth statement from now
    void failCall(int nth) { callLeft_ = nth; }           // the nth procedure call from now
    void disarm() { statementLeft_ = callLeft_ = killLeft_ = 0; }
    bool armed() const { return statementLeft_ > 0 || callLeft_ > 0 || killLeft_ > 0; }
    // Called by the connection; true when this command must fail.
    bool hitStatement() { return statementLeft_ > 0 && --statementLeft_ == 0; }
    bool hitCall() { return callLeft_ > 0 && --callLeft_ == 0; }

    // Ends the whole process with SIGKILL as soon as the nth statement from now has run
    // (BEGIN and COMMIT count as statements): a workstation that dies in the middle of a
    // save, with no chance to roll back. Only the crash test's own program arms it; unarmed
    // it costs one comparison per statement.
    void killAfterStatement(int nth) { killLeft_ = nth; }
    // Called by the connection before each statement; true when the process must die once
    // this statement has run.
    bool killDueAfter() { return killLeft_ > 0 && --killLeft_ == 0; }
    [[noreturn]] static void killProcess();

private:
    int statementLeft_ = 0;
    int callLeft_ = 0;
    int killLeft_ = 0;
};

} // namespace db
