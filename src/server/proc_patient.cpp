// The hospital's patient and billing look-ups that the workstation's shared helpers call:
// the admission check of the patient validation service, the out-patient visit an
// admission came from, and whether a company stands behind a visit.
#include "db/connection.h"
#include "db/procedures.h"

namespace server {

void registerPatientProcedures();

namespace {

// The admission check of the patient validation service: the row of an admission, by its
// number and optionally a nursing station (the workstation always sends an empty one).
// The intake sheet loads an emergency-room patient the way it loads an in-patient, through
// this check and the admission object, so ER visits (numbers ending in "E") are found here
// too; out-patient visits ("...B") are not: the sheet reads those through the out-patient
// registration and never asks this check about them.
db::Recordset loadInPatient(db::Connection& c, const db::Args& a) {
    // Visit numbers are filed with an upper-case letter; admission numbers are all digits.
    const QString id = a.text(0).toUpper();
    const QString station = a.text(1);
    const QString inPatient = QStringLiteral(
        "SELECT a.IdNum, a.HospNum, m.LastName, m.FirstName, m.MiddleName, a.AdmDate, "
        "a.DcrDate, a.RoomID, r.Station, a.PatientClass, a.DoctorID, a.NewAdmission "
        "FROM PATIENT_DATA.tbPatient2 a "
        "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = a.HospNum "
        "LEFT JOIN PATIENT_DATA.tbRoom r ON r.RoomID = a.RoomID "
        "WHERE a.IdNum = ?");
    if (!station.isEmpty())
        return c.Query(inPatient + QStringLiteral(" AND r.Station = ?"), {id, station});
    db::Recordset rs = c.Query(inPatient, {id});
    if (!rs.Eof())
        return rs;
    // An ER visit has no room and so no station.
    return c.Query(
        QStringLiteral("SELECT e.IdNum, e.HospNum, m.LastName, m.FirstName, m.MiddleName, "
                       "e.AdmDate, e.DcrDate, NULL AS RoomID, NULL AS Station, "
                       "e.PatientClassification AS PatientClass, e.DoctorID, "
                       "CASE WHEN EXISTS (SELECT 1 FROM PATIENT_DATA.tbERMaster p "
                       "WHERE p.HospNum = e.HospNum AND p.AdmDate < e.AdmDate) "
                       "THEN 0 ELSE 1 END AS NewAdmission "
                       "FROM PATIENT_DATA.tbERMaster e "
                       "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = e.HospNum "
                       "WHERE e.IdNum = ?"),
        {id});
}

// The out-patient visit an admission came from. An admission on file gives one row, with
// OPDIdnum NULL when it did not come through the out-patient department; any other number
// gives no row. Both read as "no matching number" to the caller.
db::Recordset matchingOPDNumber(db::Connection& c, const db::Args& a) {
    return c.Query(QStringLiteral("SELECT IdNum, OPDIdNum AS OPDIdnum "
                                  "FROM PATIENT_DATA.tbPatient2 WHERE IdNum = ?"),
                   {a.text(0)});
}

// The companies (sponsors) behind a visit: a fund a company granted for the visit, or a
// charge of the visit billed against a company's fund. The referral screen sends the visit
// number and blinks its fund button while any row comes back.
db::Recordset checkCompany(db::Connection& c, const db::Args& a) {
    const QString id = a.text(0);
    return c.Query(
        QStringLiteral("SELECT f.CompanyID, co.Company, f.AccountNum "
                       "FROM BILLING.tbBillCDFAllocation f "
                       "JOIN BILLING.tbBillCompany co ON co.CompanyID = f.CompanyID "
                       "WHERE f.IdNum = ? "
                       "UNION "
                       "SELECT f.CompanyID, co.Company, f.AccountNum "
                       "FROM BILLING.tbBillDailyBill b "
                       "JOIN BILLING.tbBillCDFAllocation f ON f.AccountNum = b.CDFAccountNum "
                       "JOIN BILLING.tbBillCompany co ON co.CompanyID = f.CompanyID "
                       "WHERE b.IdNum = ? "
                       "UNION "
                       "SELECT f.CompanyID, co.Company, f.AccountNum "
                       "FROM BILLING.tbBillOPDailyOut b "
                       "JOIN BILLING.tbBillCDFAllocation f ON f.AccountNum = b.CDFAccountNum "
                       "JOIN BILLING.tbBillCompany co ON co.CompanyID = f.CompanyID "
                       "WHERE b.IdNum = ? "
                       "ORDER BY 1, 3"),
        {id, id, id});
}

} // namespace

void registerPatientProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("Patient_Data..sp_Adm_LoadInPatient"), loadInPatient);
    p.add(QStringLiteral("BILLING..sp_Billing_Search_Matching_OPDNumber_At_TbPatient"),
          matchingOPDNumber);
    p.add(QStringLiteral("Billing..sp_Pars_CheckCompany"), checkCompany);
}

} // namespace server
