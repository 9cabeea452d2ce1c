#pragma once
// The registry of stored procedures: C++ functions over portable SQL, found by their
// qualified name without regard to case. The server library fills it at start-up.
#include "error.h"
#include "recordset.h"
#include <QHash>
#include <QString>
#include <QVariantList>
#include <functional>

namespace db {

class Connection;

// The values of one call, read by position. A missing value reads as empty / NULL.
class Args {
public:
    explicit Args(const QVariantList& v) : v_(v) {}
    int size() const { return int(v_.size()); }
    QVariant value(int i) const { return i < v_.size() ? v_.at(i) : QVariant(); }
    // The value as text, trimmed; empty when missing or NULL.
    QString text(int i) const;
    // NULL when the trimmed text is empty, else the trimmed text.
    QVariant textOrNull(int i) const;
    // A date sent as "mm/dd/yyyy", "m/d/yyyy", "yyyy-mm-dd" (or a QDate): ISO "yyyy-MM-dd"
    // text for the DATE column, NULL when empty; any other text raises db::Error.
    QVariant date(int i) const;
    // A number sent as text or number; NULL when empty; a non-number raises db::Error.
    QVariant number(int i) const;
    // 0 when empty.
    double numberOr0(int i) const;
    const QVariantList& values() const { return v_; }

private:
    QVariantList v_;
};

using Procedure = std::function<Recordset(Connection&, const Args&)>;

class Procedures {
public:
    static Procedures& instance();
    // `name` as "DATABASE..procedure"; a bare name is filed under ZEP.
    // A name registered twice stops the program: two areas must not share one procedure.
    void add(const QString& name, Procedure p);
    // For tests that stand a failing or odd procedure in for a real one, and put it back.
    void replace(const QString& name, Procedure p);
    // nullptr when unknown. `defaultDatabase` resolves a bare name.
    const Procedure* find(const QString& name, const QString& defaultDatabase) const;
    QStringList names() const;
    // "PATIENT_DATA..sp_X", "patient_data.dbo.sp_x" and "Patient_Data.sp_X" all become
    // "patient_data..sp_x".
    static QString normalize(const QString& name, const QString& defaultDatabase);

private:
    QHash<QString, Procedure> map_;
};

} // namespace db
