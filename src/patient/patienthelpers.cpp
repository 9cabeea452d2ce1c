#include "patienthelpers.h"

#include "db/connection.h"

namespace patient {

QString MatchingOPDNumber(db::Connection& conn, const QString& number) {
    const db::Recordset rs =
        conn.Call(QStringLiteral("BILLING..sp_Billing_Search_Matching_OPDNumber_At_TbPatient"),
                  {number.trimmed()});
    if (rs.RecordCount() == 0)
        return QString();
    return rs.Text(QStringLiteral("OPDIdnum")).trimmed();
}

bool CheckCompany(db::Connection& conn, const QString& code) {
    return conn.Call(QStringLiteral("Billing..sp_Pars_CheckCompany"), {code}).RecordCount() > 0;
}

} // namespace patient
