#pragma once
// The discount computation of one visit as the computation screen runs it against the
// billing procedures, without widgets: fill the session's working rows, share the other
// items' medicare, apply a special arrangement, load (and store) the computed rows. The
// screen shows what comes back; the benchmark times the same calls.
#include "discountrules.h"

#include <QString>
#include <QVector>

namespace db {
class Connection;
class Recordset;
}

namespace discount {

// One department's line of the breakdown.
struct DiscountRow {
    QString revenueId, department;
    double actual = 0, medicare = 0, discount = 0;
};

struct Totals {
    double actual = 0, medicare = 0, discount = 0;
};
Totals totalsOf(const QVector<DiscountRow>& rows);

// The rows of a breakdown result (RevenueID, Department, Actual Charges, Medicare,
// Discount), in the order the result gives them.
QVector<DiscountRow> rowsOf(db::Recordset rs);

// The visit: its number and the matching out-patient number (empty when none).
struct VisitNumbers {
    QString idNum;
    QString matching;
};

struct ComputeResult {
    // The special arrangement found no hospital bill: nothing was loaded or stored.
    bool billIsZero = false;
    int loadFlag = 1; // 2 when a special arrangement was applied
    QVector<DiscountRow> rows;
};

// The visit's stored computation; empty when it has none.
QVector<DiscountRow> existingComputation(db::Connection& c, const QString& idNum);

// Computes the visit's discount and stores it. Each step is a procedure call or a
// statement on the caller's connection; failures throw db::Error. Runs in one transaction
// of its own (nested in the caller's), so a failure stores nothing.
ComputeResult computeDiscount(db::Connection& c, const VisitNumbers& v);

// Recompute: the stored computation removed and a new one made in ONE transaction. A
// failure, or a special arrangement with no bill, rolls the removal back, so the earlier
// computation stays; failures are thrown on after the roll-back.
ComputeResult recomputeDiscount(db::Connection& c, const VisitNumbers& v);

// A special assessment shows every department's discount from the department table and
// the class's fractions instead of the computed one.
void applySpecialAssessment(QVector<DiscountRow>& rows, const ClassFractions& f);

} // namespace discount
