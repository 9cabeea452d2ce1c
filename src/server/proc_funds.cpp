// The fund allocations that sponsors granted a patient, as the referral report's fund list
// shows them: each grant with what the charges paid from it have used and what is left.
#include "registry.h"

#include "db/connection.h"
#include "db/dates.h"
#include "db/procedures.h"

#include <QDate>
#include <cmath>
#include <QLocale>
#include <QStringList>

namespace server {
namespace {

QString money(double v) {
    return QLocale::c().toString(v, 'f', 2);
}

QString shownDate(const QVariant& v) {
    const QDate d = db::dateValue(v);
    return d.isValid() ? d.toString(QStringLiteral("MM/dd/yyyy")) : QString();
}

// sp_Pars_Load_Existing_CDF_Allocation 'HospNum', listing: the patient's allocations, oldest
// first. Listing 1 gives every allocation; 0 only those still open (not past their validity
// and with fund left). Twelve columns: AccountNum, Company, RefNum, CompanyID, Amount,
// Consumed (the charges of any visit billed against the allocation, credits netted), Balance
// (Amount - Consumed), TransDate, Validity (mm/dd/yyyy, empty when none), IdNum (the visit
// it was granted for, empty when for the patient), UserID and Status ("OPEN", "EXPIRED"
// once the validity is past, else "CONSUMED" once nothing is left). Money as text with two
// decimals.
db::Recordset loadExistingCDFAllocation(db::Connection& c, const db::Args& a) {
    const QString hosp = a.text(0);
    const QString listing = a.text(1).isEmpty() ? QStringLiteral("1") : a.text(1);
    if (listing != QLatin1String("0") && listing != QLatin1String("1"))
        db::raise(QStringLiteral("'%1' is not a listing of fund allocations (0 or 1).").arg(listing));
    const QStringList cols{QStringLiteral("AccountNum"), QStringLiteral("Company"),
                           QStringLiteral("RefNum"),     QStringLiteral("CompanyID"),
                           QStringLiteral("Amount"),     QStringLiteral("Consumed"),
                           QStringLiteral("Balance"),    QStringLiteral("TransDate"),
                           QStringLiteral("Validity"),   QStringLiteral("IdNum"),
                           QStringLiteral("UserID"),     QStringLiteral("Status")};
    QVector<QVector<QVariant>> rows;
    if (hosp.isEmpty())
        return db::Recordset(cols, std::move(rows));
    // The charges are summed per allocation through the bills' index on the account, so a
    // patient's list costs the same whatever the size of the bills.
    for (db::Recordset rs = c.Query(
             QStringLiteral(
                 "SELECT f.AccountNum, co.Company, f.RefNum, f.CompanyID, f.Amount, "
                 "(SELECT COALESCE(SUM(b.Amount), 0) FROM BILLING.tbBillDailyBill b "
                 "WHERE b.CDFAccountNum = f.AccountNum) + "
                 "(SELECT COALESCE(SUM(o.Amount), 0) FROM BILLING.tbBillOPDailyOut o "
                 "WHERE o.CDFAccountNum = f.AccountNum) AS Consumed, "
                 "f.TransDate, f.Validity, COALESCE(f.IdNum, '') AS IdNum, f.UserID, "
                 "CASE WHEN f.Validity IS NOT NULL AND f.Validity < %1 THEN 1 ELSE 0 END "
                 "AS Expired "
                 "FROM BILLING.tbBillCDFAllocation f "
                 "JOIN BILLING.tbBillCompany co ON co.CompanyID = f.CompanyID "
                 "WHERE f.HospNum = ? ORDER BY f.TransDate, f.AccountNum")
                 .arg(c.dialect().today()),
             {hosp});
         !rs.Eof(); rs.MoveNext()) {
        const double amount = rs.Number(QStringLiteral("Amount"));
        const double consumed = rs.Number(QStringLiteral("Consumed"));
        // In cents, so that 0.1 + 0.2 of charges against 0.30 reads as nothing left.
        const long long leftCents = llround(amount * 100) - llround(consumed * 100);
        const bool expired = rs.Number(QStringLiteral("Expired")) == 1;
        const QString status = expired          ? QStringLiteral("EXPIRED")
                               : leftCents <= 0 ? QStringLiteral("CONSUMED")
                                                : QStringLiteral("OPEN");
        if (listing == QLatin1String("0") && status != QLatin1String("OPEN"))
            continue;
        rows.append({rs.Text(QStringLiteral("AccountNum")), rs.Text(QStringLiteral("Company")),
                     rs.Text(QStringLiteral("RefNum")), rs.Text(QStringLiteral("CompanyID")),
                     money(amount), money(consumed), money(double(leftCents) / 100),
                     shownDate(rs.Value(QStringLiteral("TransDate"))),
                     shownDate(rs.Value(QStringLiteral("Validity"))),
                     rs.Text(QStringLiteral("IdNum")), rs.Text(QStringLiteral("UserID")), status});
    }
    return db::Recordset(cols, std::move(rows));
}

} // namespace

void registerFundProcedures() {
    db::Procedures::instance().add(QStringLiteral("ZEP..sp_Pars_Load_Existing_CDF_Allocation"),
                                   loadExistingCDFAllocation);
}

} // namespace server
