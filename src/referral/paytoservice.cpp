#include "paytoservice.h"

#include "db/connection.h"

#include <algorithm>

namespace referral {

bool isAdmissionNumber(const QString& visit) {
    const QString v = visit.trimmed();
    return !v.isEmpty() && std::all_of(v.begin(), v.end(), [](QChar ch) { return ch.isDigit(); });
}

namespace {

// The visit's row in one of the visit tables, edited in place: its class becomes "S" when
// it starts with "P" (empty reads as "P"). A table without the visit is left alone.
void flipToService(db::Connection& conn, const QString& table, const QString& column,
                   const QString& visit) {
    db::Recordset rs = conn.Query(
        QStringLiteral("SELECT IdNum, %1 FROM %2 WHERE IdNum = ?").arg(column, table), {visit});
    if (rs.Eof())
        return;
    rs.MakeUpdatable(&conn, table, {QStringLiteral("IdNum")});
    QString cls = rs.Text(column).trimmed();
    if (cls.isEmpty())
        cls = QStringLiteral("P");
    if (cls.startsWith(QLatin1Char('P'), Qt::CaseInsensitive)) {
        rs.SetValue(column, QStringLiteral("S"));
        rs.Update();
    }
}

} // namespace

void convertPayToService(db::Connection& conn, const QString& visit, const QString& userCode) {
    const QString id = visit.trimmed();
    // A visit half converted (its row changed, the history not written) would be billed as
    // service with nothing to show why: all of it or none.
    db::Transaction t(conn);
    if (isAdmissionNumber(id)) {
        flipToService(conn, QStringLiteral("PATIENT_DATA.tbPatient2"),
                      QStringLiteral("PatientClass"), id);
    } else {
        flipToService(conn, QStringLiteral("PATIENT_DATA.tbOutPatient"),
                      QStringLiteral("PatientType"), id);
        flipToService(conn, QStringLiteral("PATIENT_DATA.tbERMaster"),
                      QStringLiteral("PatientClassification"), id);
    }
    conn.Call(QStringLiteral("ZEP..sp_ZEP_UpdatePatientClass"),
              {id, QStringLiteral("S"), userCode.trimmed()});
    t.commit();
}

} // namespace referral
