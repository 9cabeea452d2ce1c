#include "connection.h"

#include "procedures.h"

#include <mutex>
#include <unordered_set>

namespace db {

QString dropDoubleDots(const QString& sql); // dialect.cpp

std::unique_ptr<Connection> openSqlite(const ConnectionSettings& s); // sqlite_connection.cpp
std::unique_ptr<Connection> openPostgres(const ConnectionSettings& s); // pg_connection.cpp

namespace {

std::mutex& liveMutex() {
    static std::mutex m;
    return m;
}
std::unordered_set<const Connection*>& live() {
    static std::unordered_set<const Connection*> s;
    return s;
}

} // namespace

int Connection::openCount() {
    std::lock_guard lock(liveMutex());
    int n = 0;
    for (const Connection* c : live())
        n += c->State();
    return n;
}

std::unique_ptr<Connection> Connection::open(const ConnectionSettings& settings) {
    if (!settings.isValid())
        throw Error({3709, QStringLiteral("ZEP"),
                     QStringLiteral("The connection settings are incomplete.")});
    if (settings.backend == Backend::PostgreSQL)
        return openPostgres(settings);
    return openSqlite(settings);
}

Connection::Connection(ConnectionSettings s, std::unique_ptr<Dialect> d)
    : settings_(std::move(s)), dialect_(std::move(d)), defaultDatabase_(QStringLiteral("ZEP")) {
    settings_.create = false;
    std::lock_guard lock(liveMutex());
    live().insert(this);
}

Connection::~Connection() {
    std::lock_guard lock(liveMutex());
    live().erase(this);
}

void Connection::Close() {
    if (!open_)
        return;
    if (depth_ > 0) {
        try {
            run(QStringLiteral("ROLLBACK"), {}, nullptr, nullptr);
        } catch (const Error&) {
        }
        depth_ = 0;
    }
    backendClose();
    open_ = false;
}

void Connection::setDefaultDatabase(const QString& name) {
    defaultDatabase_ = name;
    if (open_)
        applyDefaultDatabase(name);
}

void Connection::fail(ErrorItem e, int logIndex) {
    log_.markFailed(logIndex);
    errors_.Add(e);
    throw Error(std::move(e));
}

long long Connection::command(const QString& sql, const QVariantList& values, Options opt,
                              QStringList* columns, QVector<QVector<QVariant>>* rows) {
    errors_.Clear();
    LoggedCommand entry;
    entry.kind = LoggedCommand::Statement;
    entry.text = sql;
    if (log_.enabled())
        for (const auto& v : values)
            entry.values.append(opt.secretValues ? QStringLiteral("***")
                                                 : (v.isNull() ? QStringLiteral("NULL")
                                                               : valueText(v)));
    const int index = log_.append(std::move(entry));
    if (!open_)
        fail({3704, QStringLiteral("ZEP"),
              QStringLiteral("Operation is not allowed when the object is closed."), {}},
             index);
    if (faults_.hitStatement())
        fail({9999, QStringLiteral("FaultInjection"),
              QStringLiteral("Injected fault at: ") + sql, QStringLiteral("XX000")},
             index);
    const bool killAfter = faults_.killDueAfter();
    try {
        const long long n = run(dialect_->placeholders(dropDoubleDots(sql)), values, columns, rows);
        if (killAfter)
            FaultInjector::killProcess();
        return n;
    } catch (const Error& e) {
        if (killAfter)
            FaultInjector::killProcess();
        fail(e.item(), index);
    }
}

long long Connection::Execute(const QString& sql, const QVariantList& values, Options opt) {
    return command(sql, values, opt, nullptr, nullptr);
}

Recordset Connection::Query(const QString& sql, const QVariantList& values, Options opt) {
    QStringList columns;
    QVector<QVector<QVariant>> rows;
    command(sql, values, opt, &columns, &rows);
    return Recordset(std::move(columns), std::move(rows));
}

Recordset Connection::Call(const QString& procedure, const QVariantList& values, Options opt) {
    errors_.Clear();
    LoggedCommand entry;
    entry.kind = LoggedCommand::Call;
    entry.text = procedure;
    if (log_.enabled())
        for (const auto& v : values)
            entry.values.append(opt.secretValues ? QStringLiteral("***") : valueText(v));
    const int index = log_.append(std::move(entry));
    const Procedure* p = Procedures::instance().find(procedure, defaultDatabase_);
    if (!p)
        fail({2812, QStringLiteral("ZEP"),
              QStringLiteral("Could not find stored procedure '%1'.").arg(procedure), {}},
             index);
    if (!open_)
        fail({3704, QStringLiteral("ZEP"),
              QStringLiteral("Operation is not allowed when the object is closed."), {}},
             index);
    if (faults_.hitCall())
        fail({9999, QStringLiteral("FaultInjection"),
              QStringLiteral("Injected fault at: ") + procedure, QStringLiteral("XX000")},
             index);
    try {
        return (*p)(*this, Args(values));
    } catch (const Error& e) {
        log_.markFailed(index);
        if (errors_.Count() == 0)
            errors_.Add(e.item());
        throw;
    }
}

long long Connection::lastInsertId() { return backendLastInsertId(); }

void Connection::BeginTrans() {
    if (depth_ == 0)
        Execute(dialect_->beginStatement());
    ++depth_;
}

void Connection::CommitTrans() {
    if (depth_ == 0)
        throw Error({3705, QStringLiteral("ZEP"), QStringLiteral("No transaction is active."), {}});
    if (--depth_ > 0)
        return;
    try {
        Execute(QStringLiteral("COMMIT"));
    } catch (const Error&) {
        // A commit that failed (a busy file, a deferred constraint) must not leave a
        // half-open transaction behind.
        try {
            run(QStringLiteral("ROLLBACK"), {}, nullptr, nullptr);
        } catch (const Error&) {
        }
        throw;
    }
}

void Connection::RollbackTrans() {
    if (depth_ == 0)
        return;
    depth_ = 0;
    if (!open_)
        return;
    // The error that made the caller roll back must still be there for its message.
    const Errors kept = errors_;
    try {
        Execute(QStringLiteral("ROLLBACK"));
        errors_ = kept;
    } catch (const Error&) {
        errors_ = kept;
        // The engine may already have ended the transaction (PostgreSQL after a lost
        // connection); either way nothing of it was committed.
    }
}

Transaction::Transaction(Connection& c) : c_(c) { c_.BeginTrans(); }

Transaction::~Transaction() {
    if (!done_)
        c_.RollbackTrans();
}

void Transaction::commit() {
    done_ = true;
    c_.CommitTrans();
}

void Transaction::rollback() {
    done_ = true;
    c_.RollbackTrans();
}

} // namespace db
