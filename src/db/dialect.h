#pragma once
// Everything that differs between SQLite and PostgreSQL lives behind this interface.
// Nothing outside the db folder asks which engine it runs on.
#include "settings.h"
#include <QString>
#include <memory>

namespace db {

class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Backend backend() const = 0;
    virtual QString name() const = 0; // "SQLite" / "PostgreSQL"
    // Our SQL uses '?' placeholders; PostgreSQL wants $1, $2 ...
    virtual QString placeholders(const QString& sql) const = 0;
    // Schema scripts are written once; these hooks adapt what cannot be written portably:
    // {ID} (an auto-numbered integer key), schema-qualified index names and foreign keys.
    // A statement that starts with {SQLITE} or {POSTGRESQL} is for that engine only: the
    // other gets an empty text, which means "nothing to run".
    virtual QString ddl(const QString& statement) const = 0;
    // Today's date and the current timestamp as SQL expressions.
    virtual QString today() const = 0;
    virtual QString now() const = 0;
    virtual QString beginStatement() const = 0;

    static std::unique_ptr<Dialect> make(Backend b);
};

} // namespace db
