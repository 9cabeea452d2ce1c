#pragma once
// Errors raised by the database layer, and the connection's error collection.
#include <QList>
#include <QString>
#include <stdexcept>

namespace db {

// One entry of the connection's error collection, as the screens read it.
struct ErrorItem {
    long Number = 0;     // engine code: SQLite extended result code, or the SQLSTATE's value
    QString Source;      // "SQLite", "PostgreSQL", "ZEP" (procedure checks) or "FaultInjection"
    QString Description; // the engine's own message
    // Five-character SQLSTATE where the engine gives one ("23505" unique key, "23503"
    // foreign key, "23502" not null, "23514" check); SQLite's constraint codes map to these.
    QString SqlState;
};

// A failed statement throws this; the same item is also in the connection's Errors().
class Error : public std::runtime_error {
public:
    explicit Error(ErrorItem item);
    const ErrorItem& item() const { return item_; }
    long Number() const { return item_.Number; }
    const QString& Source() const { return item_.Source; }
    const QString& Description() const { return item_.Description; }
    bool isUniqueViolation() const { return item_.SqlState == QLatin1String("23505"); }
    bool isConstraintViolation() const { return item_.SqlState.startsWith(QLatin1String("23")); }
    // The shared server could not be reached or the connection to it broke (class 08).
    bool isConnectionLost() const { return item_.SqlState.startsWith(QLatin1String("08")); }

private:
    ErrorItem item_;
};

// The connection's error collection: cleared before each command, filled when one fails.
class Errors {
public:
    int Count() const { return int(items_.size()); }
    const ErrorItem& Item(int i) const { return items_.at(i); }
    void Clear() { items_.clear(); }
    void Add(ErrorItem e) { items_.append(std::move(e)); }

private:
    QList<ErrorItem> items_;
};

// Raised by procedures for a value that breaks a rule (not a date, unknown code ...).
[[noreturn]] void raise(const QString& description, long number = 50000);

} // namespace db
