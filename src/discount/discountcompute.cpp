#include "discountcompute.h"

#include "db/connection.h"
#include "db/numbers.h"
#include "server/billing.h"

namespace discount {

namespace {

const QString kRevenue = QStringLiteral("QF");

bool truthy(const QString& t) {
    const QString s = t.trimmed();
    return s == QLatin1String("1") || s == QLatin1String("-1") ||
           s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString num(double v) {
    return db::numberToText(v);
}

// What the steps in the transaction do; the callers own the transaction.
ComputeResult computeSteps(db::Connection& c, const VisitNumbers& v) {
    ComputeResult r;
    const bool admission = isAdmissionNumber(v.idNum);
    const bool matching = !v.matching.isEmpty();
    const QString session = server::discountSession(c);

    // 1. The working rows: the visit's charges per department.
    c.Call(QStringLiteral("Billing..sp_Billing_Get_ActualCharges_ForDiscount"),
           {v.idNum, admission ? v.matching : QString(),
            chargesMode(admission, matching), 1});

    // 2. The medicare of the other items, shared over the departments without their own.
    db::Recordset total =
        c.Call(QStringLiteral("Billing..sp_Billing_GetTotalMedicare_Others"), {v.idNum});
    if (!total.Eof()) {
        const double m = total.Number(QStringLiteral("Amount"));
        db::Recordset items =
            c.Call(QStringLiteral("Billing..sp_Billing_Get_MedicareItems_Others"), {v.idNum});
        QVector<double> amounts;
        QStringList codes;
        for (; !items.Eof(); items.MoveNext()) {
            amounts.append(items.Number(QStringLiteral("Amount")));
            codes.append(items.Text(QStringLiteral("RevenueID")).trimmed());
        }
        // Items adding up to 0 have nothing to share by: the rows stay as filled.
        if (const auto shares = medicareShares(m, amounts)) {
            const QVector<double> cents = inCentavos(*shares, m);
            for (int i = 0; i < cents.size(); ++i)
                c.Call(QStringLiteral("Billing..sp_Billing_Update_DummyDiscountTable"),
                       {num(cents.at(i)), codes.at(i)});
        }
    }

    // 3. A special arrangement shares what the department covers over the departments.
    db::Recordset special =
        c.Call(QStringLiteral("Billing..sp_Billing_Get_ZEP_SpecialArrangementRemarks"), {v.idNum});
    if (!special.Eof() && truthy(special.Text(QStringLiteral("IsSpecial"))) &&
        special.Number(QStringLiteral("NC")) != 0) {
        const double nc = special.Number(QStringLiteral("NC"));
        db::Recordset others = c.Query(
            QStringLiteral("SELECT COALESCE(SUM(ActualCharges), 0) AS ActualCharges "
                           "FROM BILLING.tbDummyDiscountTable "
                           "WHERE RevenueID <> 'MD' AND SessionID = ?"),
            {session});
        const double a = others.Eof() ? 0 : others.Number(QStringLiteral("ActualCharges"));
        db::Recordset bill = c.Call(
            QStringLiteral("Billing..sp_Billing_Get_SeniorCitizenCharges_PerDepartment"),
            {v.idNum, v.matching, hospitalBillMode(admission, matching)});
        const double b = bill.Eof() ? 0 : bill.Number(QStringLiteral("Actual Charges"));
        if (b == 0) {
            r.billIsZero = true;
            return r;
        }
        db::Recordset rows = c.Query(
            QStringLiteral("SELECT * FROM BILLING.tbDummyDiscountTable WHERE SessionID = ? "
                           "ORDER BY RevenueID"),
            {session});
        // The departments other than "MD" share what is covered; in centavos their shares
        // add up to it exactly, so that "To Pay" comes to the counterpart.
        QStringList codes, shared;
        QVector<double> discounts, shares;
        for (; !rows.Eof(); rows.MoveNext()) {
            const QString rev = rows.Text(QStringLiteral("RevenueID")).trimmed();
            const double d = specialDiscount(rev, rows.Number(QStringLiteral("ActualCharges")),
                                             b, nc, a);
            codes.append(rev);
            discounts.append(d);
            if (rev != QLatin1String("MD")) {
                shared.append(rev);
                shares.append(d);
            }
        }
        double covered = 0;
        for (double d : shares)
            covered += d;
        const QVector<double> cents = inCentavos(shares, covered);
        for (int i = 0; i < codes.size(); ++i) {
            const int k = int(shared.indexOf(codes.at(i)));
            c.Call(QStringLiteral("Billing..sp_Billing_Update_Discount_DummyDiscountTable"),
                   {num(k >= 0 ? cents.at(k) : discounts.at(i)), codes.at(i)});
        }
        r.loadFlag = 2;
    }

    // 4. The computed rows, stored as the visit's computation.
    r.rows = rowsOf(c.Call(QStringLiteral("BILLING..sp_Billing_Load_DummyDiscountTable"),
                           {kRevenue, r.loadFlag, 1}));
    return r;
}

} // namespace

Totals totalsOf(const QVector<DiscountRow>& rows) {
    Totals t;
    for (const DiscountRow& r : rows) {
        t.actual += r.actual;
        t.medicare += r.medicare;
        t.discount += r.discount;
    }
    return t;
}

QVector<DiscountRow> rowsOf(db::Recordset rs) {
    QVector<DiscountRow> rows;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        rows.append({rs.Text(QStringLiteral("RevenueID")).trimmed(),
                     rs.Text(QStringLiteral("Department")).trimmed(),
                     rs.Number(QStringLiteral("Actual Charges")),
                     rs.Number(QStringLiteral("Medicare")), rs.Number(QStringLiteral("Discount"))});
    return rows;
}

QVector<DiscountRow> existingComputation(db::Connection& c, const QString& idNum) {
    return rowsOf(
        c.Call(QStringLiteral("Billing..sp_Billing_Check_ExistingDiscount"), {idNum, kRevenue}));
}

ComputeResult computeDiscount(db::Connection& c, const VisitNumbers& v) {
    db::Transaction t(c);
    ComputeResult r = computeSteps(c, v);
    t.commit();
    return r;
}

ComputeResult recomputeDiscount(db::Connection& c, const VisitNumbers& v) {
    db::Transaction t(c);
    c.Call(QStringLiteral("Billing..sp_Billing_Delete_Existing_ComputedDiscount_All"),
           {v.idNum, v.idNum, kRevenue});
    ComputeResult r = computeSteps(c, v);
    if (r.billIsZero)
        t.rollback(); // nothing new to store: the earlier computation stays
    else
        t.commit();
    return r;
}

void applySpecialAssessment(QVector<DiscountRow>& rows, const ClassFractions& f) {
    for (DiscountRow& r : rows)
        r.discount = departmentDiscount(r.revenueId, r.actual, f);
}

} // namespace discount
