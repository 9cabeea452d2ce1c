#pragma once
// The one shared connection of the workstation. Statements take '?' placeholders and a list
// of values that are always bound, never pasted into the text. SQL names objects as
// DATABASE.table (ZEP.tbZEPAssessment); the old spelling DATABASE..table is accepted too.
#include "commandlog.h"
#include "dialect.h"
#include "error.h"
#include "recordset.h"
#include "settings.h"

#include <QVariant>
#include <QVariantList>
#include <memory>

namespace db {

// The five logical databases. On SQLite each is a file attached under this name; on
// PostgreSQL each is a schema of one database.
inline const QStringList& databaseNames() {
    static const QStringList names{QStringLiteral("ZEP"), QStringLiteral("PATIENT_DATA"),
                                   QStringLiteral("BILLING"), QStringLiteral("BUILD_FILE"),
                                   QStringLiteral("RADIOLOGY")};
    return names;
}

// Options of one command.
struct Options {
    bool secretValues = false; // values are recorded as "***" in the command log
};

class Connection {
public:
    // Opens the database the settings name. Throws db::Error when it cannot.
    static std::unique_ptr<Connection> open(const ConnectionSettings& settings);
    virtual ~Connection();

    // 1 open, 0 closed.
    int State() const { return open_ ? 1 : 0; }
    // How many connections of this process are open now: what a workstation costs a
    // shared server.
    static int openCount();
    void Close();
    QString ConnectionString() const { return settings_.toUrl(); }
    const ConnectionSettings& settings() const { return settings_; }
    // The database that names without one resolve to (ZEP after log-in).
    QString DefaultDatabase() const { return defaultDatabase_; }
    void setDefaultDatabase(const QString& name);

    Errors& errors() { return errors_; }
    CommandLog& log() { return log_; }
    FaultInjector& faults() { return faults_; }
    const Dialect& dialect() const { return *dialect_; }

    // A statement without rows; returns the number of rows it changed.
    long long Execute(const QString& sql, const QVariantList& values = {}, Options opt = {});
    // A statement with rows, fetched whole.
    Recordset Query(const QString& sql, const QVariantList& values = {}, Options opt = {});
    // A registered procedure, by its qualified name as the screens spell it
    // ("ZEP..sp_ZEP_LoadInPatient", "Patient_Data..sp_Adm_LoadInPatient"); a name without a
    // database runs in the default database. Unknown names throw db::Error.
    Recordset Call(const QString& procedure, const QVariantList& values = {}, Options opt = {});
    // The identity value the last INSERT gave (SQLite rowid / PostgreSQL lastval()).
    long long lastInsertId();

    // Transactions nest: only the outermost BeginTrans begins and only its CommitTrans
    // commits. RollbackTrans at any depth rolls the whole transaction back.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const { return depth_ > 0; }

protected:
    Connection(ConnectionSettings s, std::unique_ptr<Dialect> d);
    // Backends: run one statement with bound values; fill rows when wanted.
    virtual long long run(const QString& sql, const QVariantList& values, QStringList* columns,
                          QVector<QVector<QVariant>>* rows) = 0;
    virtual long long backendLastInsertId() = 0;
    virtual void backendClose() = 0;
    virtual void applyDefaultDatabase(const QString& name) = 0;

    ConnectionSettings settings_;
    bool open_ = false;

private:
    long long command(const QString& sql, const QVariantList& values, Options opt,
                      QStringList* columns, QVector<QVector<QVariant>>* rows);
    [[noreturn]] void fail(ErrorItem e, int logIndex);

    std::unique_ptr<Dialect> dialect_;
    QString defaultDatabase_;
    Errors errors_;
    CommandLog log_;
    FaultInjector faults_;
    int depth_ = 0;
    bool doomed_ = false;
};

// Begins on construction; rolls back when left without commit(). Nests with the
// connection's own BeginTrans/CommitTrans.
class Transaction {
public:
    explicit Transaction(Connection& c);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
    void rollback();

private:
    Connection& c_;
    bool done_ = false;
};

} // namespace db
