// Discharge notices: the main window's count of notices waiting for the department, the
// notice list, one notice with its patient, the clearance, and the department's own data
// on the visit that the clearance dialog shows beside it.
//
// Notices are written by the wards (ZEP.tbZEPDischargeNotice); a revoked notice is gone
// for the department. A notice is cleared once: the clearance names its user and date,
// and a second workstation that clears the same notice is told who came first.
#include "registry.h"

#include "db/connection.h"
#include "db/numbers.h"
#include "db/procedures.h"

#include <QDateTime>

namespace server {
namespace {

// "LAST, FIRST MIDDLE" of a row with LastName, FirstName, MiddleName.
QString fullName(const db::Recordset& rs, const QString& prefix = {}) {
    QString given = rs.Text(prefix + QStringLiteral("FirstName")).trimmed();
    const QString middle = rs.Text(prefix + QStringLiteral("MiddleName")).trimmed();
    if (!middle.isEmpty())
        given += (given.isEmpty() ? QString() : QStringLiteral(" ")) + middle;
    QString name = rs.Text(prefix + QStringLiteral("LastName")).trimmed();
    if (!given.isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral(", ")) + given;
    return name;
}

// sp_ZEP_LoadDischargeNotice: the notices in force, those waiting first (oldest first, as
// they are to be worked off), then the cleared ones of the last 30 days, newest first.
db::Recordset loadDischargeNotice(db::Connection& c, const db::Args&) {
    db::Recordset rs = c.Query(
        QStringLiteral("SELECT n.IdNum, n.NoticeDate, n.ClearDate, n.DischargeNurse, m.LastName, "
                       "m.FirstName, m.MiddleName, p.RoomID FROM ZEP.tbZEPDischargeNotice n "
                       "LEFT JOIN PATIENT_DATA.tbMaster m ON m.HospNum = n.HospNum "
                       "LEFT JOIN PATIENT_DATA.tbPatient2 p ON p.IdNum = n.IdNum "
                       "WHERE n.RevokedAt IS NULL AND (n.ClearDate IS NULL OR n.ClearDate >= ?) "
                       "ORDER BY CASE WHEN n.ClearDate IS NULL THEN 0 ELSE 1 END, "
                       "CASE WHEN n.ClearDate IS NULL THEN n.NoticeDate END, n.ClearDate DESC, n.Id"),
        {QDateTime::currentDateTime().addDays(-30).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
    QVector<QVector<QVariant>> rows;
    for (; !rs.Eof(); rs.MoveNext())
        rows.append({fullName(rs), rs.Value(QStringLiteral("RoomID")), rs.Value(QStringLiteral("IdNum")),
                     rs.Value(QStringLiteral("DischargeNurse")), rs.Value(QStringLiteral("NoticeDate")),
                     rs.Value(QStringLiteral("ClearDate"))});
    return db::Recordset({QStringLiteral("PatientName"), QStringLiteral("RoomID"),
                          QStringLiteral("IDNUM"), QStringLiteral("DischargeNurse"),
                          QStringLiteral("NoticeDate"), QStringLiteral("ClearDate")},
                         std::move(rows));
}

// sp_ZEP_LoadDischargeNoticePatient 'IdNum': the notice in force for the admission with the
// patient and the admission; UserId names the clearing user as "Name(code) ".
db::Recordset loadDischargeNoticePatient(db::Connection& c, const db::Args& a) {
    db::Recordset rs = c.Query(
        QStringLiteral(
            "SELECT m.LastName, m.FirstName, m.MiddleName, n.HospNum, n.IdNum, p.AdmDate, "
            "d.LastName AS DocLastName, d.FirstName AS DocFirstName, d.MiddleName AS DocMiddleName, "
            "p.RoomID, n.NoticeDate, n.OrderedDate, n.DischargeNurse, n.Remarks, n.ClearedBy, "
            "e.LastName AS UsrLastName, e.FirstName AS UsrFirstName, e.MiddleName AS UsrMiddleName, "
            "n.ClearDate, n.ClearRemarks FROM ZEP.tbZEPDischargeNotice n "
            "LEFT JOIN PATIENT_DATA.tbMaster m ON m.HospNum = n.HospNum "
            "LEFT JOIN PATIENT_DATA.tbPatient2 p ON p.IdNum = n.IdNum "
            "LEFT JOIN PATIENT_DATA.tbDoctor d ON d.DoctorID = p.DoctorID "
            "LEFT JOIN ZEP.tbZEPEmployee e ON e.EmployeeID = n.ClearedBy "
            "WHERE n.IdNum = ? AND n.RevokedAt IS NULL"),
        {a.text(0)});
    QVector<QVector<QVariant>> rows;
    for (; !rs.Eof(); rs.MoveNext()) {
        QString doctor = fullName(rs, QStringLiteral("Doc"));
        if (!doctor.isEmpty())
            doctor = QStringLiteral("Dr. ") + doctor;
        QVariant user;
        if (!rs.IsNull(QStringLiteral("ClearedBy")))
            user = fullName(rs, QStringLiteral("Usr")) + QLatin1Char('(') +
                   rs.Text(QStringLiteral("ClearedBy")).trimmed() + QStringLiteral(") ");
        rows.append({rs.Value(QStringLiteral("LastName")), rs.Value(QStringLiteral("FirstName")),
                     rs.Value(QStringLiteral("MiddleName")), rs.Value(QStringLiteral("HospNum")),
                     rs.Value(QStringLiteral("IdNum")), rs.Value(QStringLiteral("AdmDate")), doctor,
                     rs.Value(QStringLiteral("RoomID")), rs.Value(QStringLiteral("NoticeDate")),
                     rs.Value(QStringLiteral("OrderedDate")), rs.Value(QStringLiteral("DischargeNurse")),
                     rs.Value(QStringLiteral("Remarks")), user, rs.Value(QStringLiteral("ClearDate")),
                     rs.Value(QStringLiteral("ClearRemarks"))});
    }
    return db::Recordset(
        {QStringLiteral("LastName"), QStringLiteral("FirstName"), QStringLiteral("MiddleName"),
         QStringLiteral("HospNum"), QStringLiteral("IDNUM"), QStringLiteral("AdmDate"),
         QStringLiteral("Doctor"), QStringLiteral("RoomID"), QStringLiteral("NoticeDate"),
         QStringLiteral("OrderedDate"), QStringLiteral("DischargeNurse"), QStringLiteral("Remarks"),
         QStringLiteral("UserId"), QStringLiteral("ClearDate"), QStringLiteral("ClearRemarks")},
        std::move(rows));
}

// sp_ZEP_ClearPatientForDischarge 'IdNum','UserID','Remarks': clears the notice in force for
// the admission, only while it is not cleared yet; the one statement is the guard, so of two
// workstations clearing at once exactly one changes the row. One row comes back: Cleared 1
// when this call cleared it, 0 when it was cleared before (with ClearedBy and ClearDate of
// that clearance). A notice that is not there, or is revoked, is refused.
db::Recordset clearPatientForDischarge(db::Connection& c, const db::Args& a) {
    const QString idNum = a.text(0);
    if (idNum.isEmpty())
        db::raise(QStringLiteral("No admission number was given for the clearance."));
    const QString user = a.text(1);
    if (user.isEmpty())
        db::raise(QStringLiteral("No user was given for the clearance."));
    const long long changed = c.Execute(
        QStringLiteral("UPDATE ZEP.tbZEPDischargeNotice SET ClearDate = %1, ClearedBy = ?, "
                       "ClearRemarks = ? WHERE IdNum = ? AND RevokedAt IS NULL AND ClearDate IS NULL")
            .arg(c.dialect().now()),
        {user, a.value(2).toString(), idNum});
    const QStringList cols{QStringLiteral("Cleared"), QStringLiteral("ClearedBy"),
                           QStringLiteral("ClearDate")};
    if (changed > 0)
        return db::Recordset(cols, {{1, user, QVariant()}});
    db::Recordset rs = c.Query(QStringLiteral("SELECT ClearedBy, ClearDate FROM ZEP.tbZEPDischargeNotice "
                                              "WHERE IdNum = ? AND RevokedAt IS NULL"),
                               {idNum});
    if (rs.Eof())
        db::raise(QStringLiteral("There is no discharge notice in force for admission %1.").arg(idNum));
    return db::Recordset(cols, {{0, rs.Value(QStringLiteral("ClearedBy")),
                                 rs.Value(QStringLiteral("ClearDate"))}});
}

// sp_ZEP_PrintAssessment 'HospNum','IdNum': the department's assessment of the visit: case
// number, category, class code, the CDF, PCSO and special flags as 0/1 and the negotiated
// counterpart as text with two decimals.
db::Recordset printAssessment(db::Connection& c, const db::Args& a) {
    db::Recordset rs = c.Query(
        QStringLiteral("SELECT a.HospNum, COALESCE(NULLIF(a.ZEPNum, ''), m.ZEPNum) AS ZEPNum, "
                       "a.Category, a.Code, a.IsCDF, a.IsPCSO, a.IsSpecial, a.NC "
                       "FROM ZEP.tbZEPAssessment a LEFT JOIN PATIENT_DATA.tbMaster m "
                       "ON m.HospNum = a.HospNum WHERE a.HospNum = ? AND a.IdNum = ?"),
        {a.text(0), a.text(1)});
    QVector<QVector<QVariant>> rows;
    for (; !rs.Eof(); rs.MoveNext())
        rows.append({rs.Value(QStringLiteral("HospNum")), rs.Value(QStringLiteral("ZEPNum")),
                     rs.Value(QStringLiteral("Category")), rs.Value(QStringLiteral("Code")),
                     rs.Number(QStringLiteral("IsCDF")) == 1 ? 1 : 0,
                     rs.Number(QStringLiteral("IsPCSO")) == 1 ? 1 : 0,
                     rs.Number(QStringLiteral("IsSpecial")) == 1 ? 1 : 0,
                     QString::number(rs.Number(QStringLiteral("NC")), 'f', 2)});
    return db::Recordset({QStringLiteral("HospNum"), QStringLiteral("ZEPNum"),
                          QStringLiteral("category"), QStringLiteral("Code"), QStringLiteral("CDF"),
                          QStringLiteral("PCSO"), QStringLiteral("special"), QStringLiteral("NC")},
                         std::move(rows));
}

} // namespace

void registerDischargeProcedures() {
    auto& p = db::Procedures::instance();
    // Notices neither cleared nor revoked, as one row with `recCount`.
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadDischargeNoticeCount"), [](db::Connection& c, const db::Args&) {
        return c.Query(QStringLiteral("SELECT COUNT(*) AS recCount FROM ZEP.tbZEPDischargeNotice "
                                      "WHERE ClearDate IS NULL AND RevokedAt IS NULL"));
    });
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadDischargeNotice"), loadDischargeNotice);
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadDischargeNoticePatient"), loadDischargeNoticePatient);
    p.add(QStringLiteral("ZEP..sp_ZEP_ClearPatientForDischarge"), clearPatientForDischarge);
    p.add(QStringLiteral("ZEP..sp_ZEP_PrintAssessment"), printAssessment);
}

} // namespace server
