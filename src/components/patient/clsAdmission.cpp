#include "clsAdmission.h"

#include "clsPatient.h"
#include "db/connection.h"
#include "values.h"

namespace patient {

namespace {

const QString kDoctorColumns =
    QStringLiteral("d.LastName AS DoctorLastName, d.FirstName AS DoctorFirstName, "
                   "d.MiddleName AS DoctorMiddleName, d.Specialty AS DoctorSpecialty");

QString inPatientSql() {
    return QStringLiteral(
               "SELECT a.IdNum, a.HospNum, a.AdmDate, a.DcrDate, a.NewAdmission, "
               "a.PatientClass, a.RoomID, r.Station, r.RateClass, r.RoomRate, a.DoctorID, ") +
           kDoctorColumns +
           QStringLiteral(
               ", a.ReferringDoctor, a.ChiefComplaint, a.AdmittingDiagnosis, "
               "a.AdmittingImpression, a.Procedures, a.Remarks, a.Disposition, a.OPDIdNum "
               "FROM PATIENT_DATA.tbPatient2 a "
               "LEFT JOIN PATIENT_DATA.tbRoom r ON r.RoomID = a.RoomID "
               "LEFT JOIN PATIENT_DATA.tbDoctor d ON d.DoctorID = a.DoctorID "
               "WHERE a.IdNum = ?");
}

// Out-patient and ER visits have the same shape; `classColumn` differs by table.
QString visitSql(const QString& table, const QString& classColumn, const QString& disposition) {
    return QStringLiteral("SELECT v.IdNum, v.HospNum, v.AdmDate, v.DcrDate, "
                          "CASE WHEN EXISTS (SELECT 1 FROM %1 p WHERE p.HospNum = v.HospNum "
                          "AND p.AdmDate < v.AdmDate) THEN 0 ELSE 1 END AS NewAdmission, "
                          "v.%2 AS PatientClass, v.DoctorID, ")
               .arg(table, classColumn) +
           kDoctorColumns +
           QStringLiteral(", v.Complaint AS ChiefComplaint, v.Remarks, %2 AS Disposition "
                          "FROM %1 v LEFT JOIN PATIENT_DATA.tbDoctor d ON d.DoctorID = v.DoctorID "
                          "WHERE v.IdNum = ?")
               .arg(table, disposition);
}

QString doctorName(const QString& last, const QString& first, const QString& middle) {
    QString given = first;
    if (!middle.isEmpty())
        given += (given.isEmpty() ? QString() : QStringLiteral(" ")) + middle;
    if (given.isEmpty())
        return last;
    return last.isEmpty() ? given : last + QStringLiteral(", ") + given;
}

} // namespace

VisitKind visitKindOf(const QString& idNum) {
    const QString id = idNum.trimmed();
    if (id.isEmpty())
        return VisitKind::None;
    const QChar last = id.back().toUpper();
    if (last == QLatin1Char('B'))
        return VisitKind::OutPatient;
    if (last == QLatin1Char('E'))
        return VisitKind::Emergency;
    return VisitKind::InPatient;
}

void clsAdmission::Clear() {
    *this = clsAdmission(*owner_);
}

bool clsAdmission::OpenAdmission(const QString& idNum) {
    Clear();
    const VisitKind kind = visitKindOf(idNum);
    db::Connection* conn = owner_->ActiveConnection();
    if (kind == VisitKind::None || !conn)
        return false;

    QString sql;
    QString number = idNum.trimmed();
    switch (kind) {
    case VisitKind::InPatient:
        sql = inPatientSql();
        break;
    case VisitKind::OutPatient:
        // Visit numbers are filed with an upper-case letter; "123b" names the same visit.
        number = number.toUpper();
        sql = visitSql(QStringLiteral("PATIENT_DATA.tbOutPatient"), QStringLiteral("PatientType"),
                       QStringLiteral("NULL"));
        break;
    case VisitKind::Emergency:
        number = number.toUpper();
        sql = visitSql(QStringLiteral("PATIENT_DATA.tbERMaster"),
                       QStringLiteral("PatientClassification"), QStringLiteral("v.Disposition"));
        break;
    case VisitKind::None:
        return false;
    }

    try {
        const db::Recordset rs = conn->Query(sql, {number});
        if (rs.Eof())
            return false;
        auto text = [&rs](const char* column) {
            return rs.TextOr(QString::fromLatin1(column)).trimmed();
        };
        IdNum = text("IdNum");
        HospNum = text("HospNum");
        Kind = kind;
        AdmissionDate = detail::toDateTime(rs.Value(QStringLiteral("AdmDate")));
        DischargeDate = detail::toDateTime(rs.Value(QStringLiteral("DcrDate")));
        NewAdmission = rs.Number(QStringLiteral("NewAdmission")) != 0;
        PatientClass = text("PatientClass");
        Room.RoomID = text("RoomID");
        Room.Station = text("Station");
        Room.RateClass = text("RateClass");
        Room.RoomRate =
            rs.HasField(QStringLiteral("RoomRate")) ? rs.Number(QStringLiteral("RoomRate")) : 0.0;
        AttendingDoctor.DoctorID = text("DoctorID");
        if (!AttendingDoctor.DoctorID.isEmpty()) {
            AttendingDoctor.Name = doctorName(text("DoctorLastName"), text("DoctorFirstName"),
                                              text("DoctorMiddleName"));
            AttendingDoctor.Specialty = text("DoctorSpecialty");
        }
        ReferringDoctor = text("ReferringDoctor");
        History.ChiefComplaint = text("ChiefComplaint");
        History.AdmittingDiagnosis = text("AdmittingDiagnosis");
        History.AdmittingImpression = text("AdmittingImpression");
        History.Procedures = text("Procedures");
        Remarks = text("Remarks");
        Disposition = text("Disposition");
        OPDIdNum = text("OPDIdNum");
        return true;
    } catch (const db::Error&) {
        // The error stays in the connection's collection; the visit counts as not found.
        Clear();
        return false;
    }
}

} // namespace patient
