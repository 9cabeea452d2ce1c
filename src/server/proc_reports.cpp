// The procedures the report catalogue runs before it opens a template: the day's
// admissions and in-patient census, the day's discharges, the day's ER census, and the
// data sheet of one admission.
//
// They only read. Each returns the rows it prepares; none writes them into a table for the
// template to read afterwards, because two workstations printing at the same time would
// then read each other's rows. The templates read the base tables themselves with their own
// bound values, so what a procedure returns and what the report prints come from the same
// rules: a day runs from its midnight up to, not including, the next midnight, so a visit
// at 23:59 belongs to its day (a BETWEEN on the dates alone would lose everything after
// midnight of the last day).
#include "registry.h"

#include "db/connection.h"
#include "db/procedures.h"

#include <QDate>

namespace server {
namespace {

// The report date and the day after it, as ISO texts for the timestamp comparisons.
struct Day {
    QString start;
    QString next;
};

Day reportDay(const db::Args& a, int i) {
    const QVariant d = a.date(i); // refuses anything that is not a date
    if (d.isNull())
        db::raise(QStringLiteral("A report date is required."));
    const QDate day = QDate::fromString(d.toString(), Qt::ISODate);
    return {day.toString(Qt::ISODate), day.addDays(1).toString(Qt::ISODate)};
}

// "LAST, FIRST MIDDLE" in SQL, for the rows a procedure hands back.
QString nameSql(const QString& m) {
    return QStringLiteral("%1.LastName || CASE WHEN %1.FirstName = '' THEN '' ELSE ', ' || "
                          "%1.FirstName END || CASE WHEN %1.MiddleName = '' THEN '' ELSE ' ' || "
                          "%1.MiddleName END")
        .arg(m);
}

// The in-patient census at the end of the day: everyone admitted before the next midnight
// and not discharged before it, with whether the admission was of that day. The daily
// admission list and both admission censuses are printed from these rows.
db::Recordset dailyAdmission(db::Connection& c, const db::Args& a) {
    const Day d = reportDay(a, 0);
    return c.Query(
        QStringLiteral("SELECT p.IdNum, p.HospNum, %1 AS PatientName, p.AdmDate, p.RoomID, "
                       "r.Station, p.PatientClass, COALESCE(m.ZEPClassification, '') AS "
                       "ZEPClassification, CASE WHEN p.AdmDate >= ? THEN 1 ELSE 0 END AS "
                       "AdmittedToday "
                       "FROM PATIENT_DATA.tbPatient2 p "
                       "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = p.HospNum "
                       "LEFT JOIN PATIENT_DATA.tbRoom r ON r.RoomID = p.RoomID "
                       "WHERE p.AdmDate < ? AND (p.DcrDate IS NULL OR p.DcrDate >= ?) "
                       "ORDER BY p.AdmDate, p.IdNum")
            .arg(nameSql(QStringLiteral("m"))),
        {d.start, d.next, d.next});
}

// The admissions discharged during the day.
db::Recordset dailyDischarges(db::Connection& c, const db::Args& a) {
    const Day d = reportDay(a, 0);
    return c.Query(
        QStringLiteral("SELECT p.IdNum, p.HospNum, %1 AS PatientName, p.AdmDate, p.DcrDate, "
                       "p.RoomID, p.PatientClass, COALESCE(p.Disposition, '') AS Disposition "
                       "FROM PATIENT_DATA.tbPatient2 p "
                       "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = p.HospNum "
                       "WHERE p.DcrDate >= ? AND p.DcrDate < ? "
                       "ORDER BY p.DcrDate, p.IdNum")
            .arg(nameSql(QStringLiteral("m"))),
        {d.start, d.next});
}

// The ER visits that arrived during the day, with where each one went.
db::Recordset erDailyCensus(db::Connection& c, const db::Args& a) {
    const Day d = reportDay(a, 0);
    return c.Query(
        QStringLiteral("SELECT e.IdNum, e.HospNum, %1 AS PatientName, e.AdmDate, e.DcrDate, "
                       "e.PatientClassification AS PatientClass, "
                       "COALESCE(m.ZEPClassification, '') AS ZEPClassification, "
                       "COALESCE(e.Disposition, '') AS Disposition "
                       "FROM PATIENT_DATA.tbERMaster e "
                       "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = e.HospNum "
                       "WHERE e.AdmDate >= ? AND e.AdmDate < ? "
                       "ORDER BY e.AdmDate, e.IdNum")
            .arg(nameSql(QStringLiteral("m"))),
        {d.start, d.next});
}

// The data sheet of one admission: the admission with its patient, room and doctor. Only
// an admission number (all digits) can have one; any other number gives no row.
db::Recordset patientData(db::Connection& c, const db::Args& a) {
    return c.Query(
        QStringLiteral("SELECT p.IdNum, p.HospNum, %1 AS PatientName, m.Sex, m.BirthDate, "
                       "m.CivilStatus, p.AdmDate, p.DcrDate, p.RoomID, p.PatientClass, "
                       "p.DoctorID, p.ChiefComplaint, p.AdmittingDiagnosis "
                       "FROM PATIENT_DATA.tbPatient2 p "
                       "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = p.HospNum "
                       "WHERE p.IdNum = ?")
            .arg(nameSql(QStringLiteral("m"))),
        {a.text(0)});
}

} // namespace

void registerReportProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("Patient_Data..sp_Adm_DailyAdmission"), dailyAdmission);
    p.add(QStringLiteral("Patient_Data..sp_Adm_DailyDischarges"), dailyDischarges);
    p.add(QStringLiteral("ZEP..sp_ZEP_getERDailyCensus"), erDailyCensus);
    p.add(QStringLiteral("Patient_Data..sp_Adm_PatientData"), patientData);
}

} // namespace server
