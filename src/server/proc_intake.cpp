// The intake sheet: the look-ups the sheet runs when it opens (the visit's class and case
// number, the saved sheet, the out-patient registration, the saved family), the check that
// a case number is free, and the saves of the sheet, the other information, the case data
// and the family composition.
//
// One sheet per hospital number lives in ZEP.tbZEPIntakeSheet; its case number, class code,
// date of intake and expiry live on PATIENT_DATA.tbMaster, where the rest of the system
// reads them. Each save replaces what its values cover and works on its own (a save that
// finds no sheet yet starts one), so the screen may send them in one transaction or not.
// Each save is atomic by itself: a refused value leaves nothing of that call behind.
#include "registry.h"

#include "db/connection.h"
#include "db/procedures.h"

#include <QStringList>
#include <cmath>

namespace server {
namespace {

using Values = QVariantList;

// "LAST, FIRST MIDDLE", as the screens show a patient.
QString patientName(const db::Recordset& rs) {
    QString given = rs.Text(QStringLiteral("FirstName")).trimmed();
    const QString middle = rs.Text(QStringLiteral("MiddleName")).trimmed();
    if (!middle.isEmpty())
        given += (given.isEmpty() ? QString() : QStringLiteral(" ")) + middle;
    QString name = rs.Text(QStringLiteral("LastName")).trimmed();
    if (!given.isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral(", ")) + given;
    return name;
}

// The 0/1 of a check box. The screens send 1/0 (or True/False); sheets of earlier versions
// kept the box's caption for a ticked box, which also reads as set. Anything else is a
// mistake of the caller and is refused rather than stored as "not ticked".
int flag01(const db::Args& a, int i, const QString& what, const QStringList& captions = {}) {
    const QString t = a.text(i);
    if (t.isEmpty() || t == QLatin1String("0") || t.compare(u"false", Qt::CaseInsensitive) == 0 ||
        t.compare(u"N", Qt::CaseInsensitive) == 0)
        return 0;
    if (t == QLatin1String("1") || t == QLatin1String("-1") ||
        t.compare(u"true", Qt::CaseInsensitive) == 0 || t.compare(u"Y", Qt::CaseInsensitive) == 0 ||
        captions.contains(t, Qt::CaseInsensitive))
        return 1;
    db::raise(QStringLiteral("'%1' is not a valid value for %2 (1 or 0).").arg(t, what));
}

// The case's active flag, stored 'Y'/'N'; an unticked box sends "N" (or nothing).
QString flagYN(const db::Args& a, int i) {
    const QString t = a.text(i).toUpper();
    if (t == QLatin1String("Y") || t == QLatin1String("1") || t == QLatin1String("TRUE"))
        return QStringLiteral("Y");
    if (t.isEmpty() || t == QLatin1String("N") || t == QLatin1String("0") ||
        t == QLatin1String("FALSE"))
        return QStringLiteral("N");
    db::raise(QStringLiteral("'%1' is not a valid active status (Y or N).").arg(a.text(i)));
}

// Money to two decimals, the same on both engines (one would round, the other refuse).
double money(const db::Args& a, int i) {
    return std::round(a.numberOr0(i) * 100.0) / 100.0;
}

QVariant sex(const db::Args& a, int i) {
    const QString t = a.text(i);
    if (t.isEmpty())
        return {};
    if (t.compare(u"Male", Qt::CaseInsensitive) == 0 || t.compare(u"M", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Male");
    if (t.compare(u"Female", Qt::CaseInsensitive) == 0 || t.compare(u"F", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Female");
    db::raise(QStringLiteral("'%1' is not a valid sex (Male or Female).").arg(t));
}

QVariant civilStatus(const db::Args& a, int i) {
    const QString t = a.text(i);
    if (t.isEmpty())
        return {};
    for (const QString& s : {QStringLiteral("Single"), QStringLiteral("Separated"),
                             QStringLiteral("Married"), QStringLiteral("Widow/er")})
        if (t.compare(s, Qt::CaseInsensitive) == 0)
            return s;
    db::raise(QStringLiteral("'%1' is not a civil status the intake sheet keeps (Single, "
                             "Separated, Married, Widow/er).")
                  .arg(t));
}

QString requireHospNum(db::Connection& c, const db::Args& a) {
    const QString hosp = a.text(0);
    if (hosp.isEmpty())
        db::raise(QStringLiteral("The hospital number is missing."));
    if (c.Query(QStringLiteral("SELECT HospNum FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"),
                {hosp})
            .Eof())
        db::raise(
            QStringLiteral("Hospital number %1 is not in the patient master file.").arg(hosp));
    return hosp;
}

// A code the sheet keeps must name a row of its catalogue: an unknown one would come back
// as nothing on the next load. Empty means none.
QString checkedCode(db::Connection& c, const QString& code, const char* table, const char* key,
                    const QString& what) {
    if (code.isEmpty())
        return code;
    if (c.Query(QStringLiteral("SELECT %1 FROM %2 WHERE %1 = ?")
                    .arg(QLatin1String(key), QLatin1String(table)),
                {code})
            .Eof())
        db::raise(QStringLiteral("'%1' is not a known %2.").arg(code, what));
    return code;
}

// Writes the given columns of the patient's sheet, starting the sheet when there is none.
void upsertSheet(db::Connection& c, const QString& hosp, const QStringList& columns,
                 const Values& values) {
    QStringList marks, sets;
    for (const QString& col : columns) {
        marks << QStringLiteral("?");
        sets << QStringLiteral("%1 = excluded.%1").arg(col);
    }
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPIntakeSheet (HospNum, %1, UpdatedAt) "
                             "VALUES (?, %2, %3) ON CONFLICT (HospNum) DO UPDATE SET %4, "
                             "UpdatedAt = excluded.UpdatedAt")
                  .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")),
                       c.dialect().now(), sets.join(QStringLiteral(", "))),
              Values{hosp} + values);
}

// The patient other than `hosp` who holds `caseNo`, as a recordset (empty when none).
// The case-number index covers only non-empty numbers; both engines use it only when the
// query says so in the index's own words, hence the redundant condition.
db::Recordset otherHolder(db::Connection& c, const QString& caseNo, const QString& hosp) {
    return c.Query(QStringLiteral("SELECT HospNum, LastName, FirstName, MiddleName "
                                  "FROM PATIENT_DATA.tbMaster WHERE ZEPNum = ? AND ZEPNum <> '' "
                                  "AND HospNum <> ? ORDER BY HospNum LIMIT 1"),
                   {caseNo, hosp});
}

[[noreturn]] void ownedBy(const QString& caseNo, const db::Recordset& owner) {
    throw db::Error(
        {2627, QStringLiteral("ZEP"),
         QStringLiteral("The case number %1 is already owned by %2 (hospital "
                        "number %3).")
             .arg(caseNo, patientName(owner), owner.Text(QStringLiteral("HospNum")).trimmed()),
         QStringLiteral("23505")});
}

// Gives the patient the case number, with the other master columns the save carries
// (`sets` "Col = ?" with `values`). The unique index on the case number is the rule; the
// look-up before it only finds the owner for the message. When another workstation takes
// the number between the two, the index refuses, and the savepoint lets the owner be read
// in the same transaction (PostgreSQL refuses every statement after a failed one).
void claimCaseNumber(db::Connection& c, const QString& hosp, const QString& caseNo,
                     const QStringList& sets, const Values& values) {
    if (caseNo.isEmpty())
        db::raise(QStringLiteral("The case number is missing."));
    if (const db::Recordset owner = otherHolder(c, caseNo, hosp); !owner.Eof())
        ownedBy(caseNo, owner);
    c.Execute(QStringLiteral("SAVEPOINT zep_case_number"));
    try {
        c.Execute(
            QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPNum = ?, %1 WHERE HospNum = ?")
                .arg(sets.join(QStringLiteral(", "))),
            Values{caseNo} + values + Values{hosp});
    } catch (const db::Error& e) {
        if (!e.isUniqueViolation())
            throw;
        c.Execute(QStringLiteral("ROLLBACK TO SAVEPOINT zep_case_number"));
        const db::Recordset owner = otherHolder(c, caseNo, hosp);
        if (owner.Eof())
            throw;
        ownedBy(caseNo, owner);
    }
    c.Execute(QStringLiteral("RELEASE SAVEPOINT zep_case_number"));
}

db::Recordset noRows() {
    return db::Recordset({}, {});
}

// ---- Loading -------------------------------------------------------------------------

// The visit's patient: his class code and name and case number from the master file, and
// the case category of the visit's assessment, or of his intake sheet when the visit has
// none. No row for a visit that is not on file.
db::Recordset searchCategoryAndClassification(db::Connection& c, const db::Args& a) {
    const QString id = a.text(0).toUpper();
    return c.Query(
        QStringLiteral(
            "SELECT COALESCE(k.Classification, '') AS Classification, "
            "COALESCE(m.ZEPClassification, '') AS classificationid, "
            "COALESCE(CASE WHEN x.IdNum IS NOT NULL THEN x.Category ELSE s.Category END, '') "
            "AS category, "
            "COALESCE(CASE WHEN x.IdNum IS NOT NULL THEN x.CaseCategoryID ELSE s.CategoryID END, "
            "'') AS categoryid, "
            "COALESCE(m.ZEPNum, '') AS ZEP "
            "FROM (SELECT HospNum FROM PATIENT_DATA.tbPatient2 WHERE IdNum = ? "
            "UNION ALL SELECT HospNum FROM PATIENT_DATA.tbOutPatient WHERE IdNum = ? "
            "UNION ALL SELECT HospNum FROM PATIENT_DATA.tbERMaster WHERE IdNum = ?) v "
            "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
            "LEFT JOIN ZEP.tbZEPClassification k ON k.Code = m.ZEPClassification "
            "LEFT JOIN ZEP.tbZEPAssessment x ON x.IdNum = ? "
            "LEFT JOIN ZEP.tbZEPIntakeSheet s ON s.HospNum = m.HospNum"),
        {id, id, id, id});
}

// The out-patient registration: (hospital number, kind, visit number). The workstation sends
// an empty hospital number and kind 1 (an out-patient visit) and reads AdmDate. A hospital
// number, when given, must be the visit's.
db::Recordset registeredOPD(db::Connection& c, const db::Args& a) {
    const QString hosp = a.text(0);
    const QString id = a.text(2).toUpper();
    QString sql = QStringLiteral(
        "SELECT o.IdNum, o.HospNum, o.AdmDate, o.DcrDate, o.PatientType, o.DoctorID, "
        "o.Complaint, o.Remarks FROM PATIENT_DATA.tbOutPatient o WHERE o.IdNum = ?");
    Values values{id};
    if (!hosp.isEmpty()) {
        sql += QStringLiteral(" AND o.HospNum = ?");
        values << hosp;
    }
    return c.Query(sql, values);
}

// The saved sheet of a hospital number, one row, under the names the sheet reads; no row
// when the patient has no sheet. The chief complaint and diagnosis are those of the visit
// the sheet was saved for.
db::Recordset loadExistIntakeSheet(db::Connection& c, const db::Args& a) {
    return c.Query(
        QStringLiteral(
            "SELECT s.HospNum, s.IdNum, COALESCE(m.ZEPNum, '') AS ZEPNumber, s.InterviewDate, "
            "m.ZEPDiscountValidity AS IntakeDate, m.ZEPDiscountExpiry AS ExpiryDate, "
            "COALESCE(m.ZEPClassification, '') AS Code, "
            "COALESCE(k.Classification, '') AS Classification, "
            "s.Category AS category, s.CategoryID AS CategoryNum, s.SeniorCitizen, "
            "s.CaseStatus AS casestatus, COALESCE(st.CaseStatus, '') AS Status, "
            "s.ActiveStatus AS activestatus, s.ReferringPartyID AS refpartyid, "
            "COALESCE(rp.ReferringParty, '') AS ReferringParty, s.ZEPW, s.Ward, s.LastName, "
            "s.FirstName, s.MiddleName, s.HouseStreet, s.Barangay, s.ZipCode, s.Province, "
            "COALESCE(s.Sex, '') AS Sex, s.BirthDate, COALESCE(s.CivilStatus, '') AS "
            "CivilStatus, s.Occupation, s.Age, s.TelNo, s.SSSMember, s.BirthPlace, "
            "s.Religion, s.Employer, s.EmploymentAddress, s.Education, s.Salary, "
            "s.AdmissionDate, s.TotalFamilyIncome, s.ReferredBy, s.DateReferred, "
            "s.ReferralAddress, s.DSWDSCSR, s.AOCert, s.CertOfEmployment, "
            "s.TreasurerMayorOffice, s.BrgyClearance, s.Others, "
            "COALESCE(ip.ChiefComplaint, op.Complaint, er.Complaint, '') AS ChiefComplaint, "
            "COALESCE(ip.AdmittingDiagnosis, '') AS Diagnosis, "
            "COALESCE(s.Treatment, '') AS Treatment, COALESCE(s.OtherMDInfo, '') AS "
            "OtherMDInfo, COALESCE(s.Resources, '') AS Resources, COALESCE(s.Expenses, '') "
            "AS Expenses, s.FinancialProb, s.Difficulty, s.Aggressiveness, s.Refusal, "
            "s.IrregularCheckUp, COALESCE(s.OtherProblem, '') AS OtherProblem, "
            "COALESCE(s.HelpingGoals, '') AS HelpingGoals, COALESCE(s.ActionTaken, '') AS "
            "ActionTaken, s.Philhealth, s.InfoSource, s.WorkStatus, "
            "COALESCE(s.DiagnosticImpress, '') AS DiagnosticImpress, s.UpdatedAt "
            "FROM ZEP.tbZEPIntakeSheet s "
            "LEFT JOIN PATIENT_DATA.tbMaster m ON m.HospNum = s.HospNum "
            "LEFT JOIN ZEP.tbZEPClassification k ON k.Code = m.ZEPClassification "
            "LEFT JOIN ZEP.tbZEPActive st ON st.Code = s.CaseStatus "
            "LEFT JOIN ZEP.tbZEPReferringParty rp ON rp.Code = s.ReferringPartyID "
            "LEFT JOIN PATIENT_DATA.tbPatient2 ip ON ip.IdNum = s.IdNum "
            "LEFT JOIN PATIENT_DATA.tbOutPatient op ON op.IdNum = s.IdNum "
            "LEFT JOIN PATIENT_DATA.tbERMaster er ON er.IdNum = s.IdNum "
            "WHERE s.HospNum = ?"),
        {a.text(0)});
}

// The saved family in grid order: the eight grid columns, the member's number (the grid's
// hidden column) and the total income saved with the sheet.
db::Recordset loadExistFamilyComposition(db::Connection& c, const db::Args& a) {
    return c.Query(
        QStringLiteral("SELECT f.Name AS FamilyMember, f.Relationship, f.Age, f.CivilStatus, "
                       "f.Education, f.Address, f.Occupation, f.Income, f.MemberNo AS Number, "
                       "s.TotalFamilyIncome AS TotalIncome "
                       "FROM ZEP.tbZEPFamilyMember f "
                       "JOIN ZEP.tbZEPIntakeSheet s ON s.HospNum = f.HospNum "
                       "WHERE f.HospNum = ? ORDER BY f.MemberNo"),
        {a.text(0)});
}

// Every patient who holds the case number, another patient first: the screens compare the
// first row's HospNum with their own (case number, hospital number).
db::Recordset getExistsZEPNumber(db::Connection& c, const db::Args& a) {
    const QString caseNo = a.text(0);
    if (caseNo.isEmpty())
        return noRows();
    db::Recordset rs =
        c.Query(QStringLiteral("SELECT HospNum, LastName, FirstName, MiddleName, ZEPNum "
                               "FROM PATIENT_DATA.tbMaster WHERE ZEPNum = ? AND ZEPNum <> '' "
                               "ORDER BY CASE WHEN HospNum = ? THEN 1 ELSE 0 END, HospNum"),
                {caseNo, a.text(1)});
    QVector<QVector<QVariant>> rows;
    for (; !rs.Eof(); rs.MoveNext())
        rows.append({rs.Text(QStringLiteral("HospNum")).trimmed(), patientName(rs),
                     rs.Text(QStringLiteral("ZEPNum"))});
    return db::Recordset(
        {QStringLiteral("HospNum"), QStringLiteral("PatientName"), QStringLiteral("ZEPNum")},
        std::move(rows));
}

// ---- Saving --------------------------------------------------------------------------

// The sheet's 32 values: 1 HospNum, 2 interview date, 3 class name (shown beside the code;
// the scheme holds it), 4 category name, 5 salary, 6 education, 7 ward, 8-10 last, first,
// middle name, 11 house and street, 12 barangay, 13 zip code, 14 town/province, 15 sex,
// 16 birth date, 17 civil status, 18 occupation, 19 age, 20 telephone, 21 SSS/GSIS,
// 22 birthplace, 23 religion, 24 employer, 25 employer's address, 26 visit number,
// 27 admission date, 28 case status code, 29 date of intake, 30 expiry, 31 case number,
// 32 senior citizen.
db::Recordset saveIntakeSheetData(db::Connection& c, const db::Args& a) {
    // Every value is read before anything is written: a bad one refuses the whole call.
    const QVariant interview = a.date(1), birth = a.date(15), admitted = a.date(26),
                   intake = a.date(28), expiry = a.date(29);
    const QVariant sexValue = sex(a, 14), civil = civilStatus(a, 16);
    const int senior = flag01(a, 31, QStringLiteral("senior citizen"));
    db::Transaction t(c);
    const QString hosp = requireHospNum(c, a);
    const QString status =
        checkedCode(c, a.text(27), "ZEP.tbZEPActive", "Code", QStringLiteral("case status"));
    upsertSheet(c, hosp,
                {QStringLiteral("InterviewDate"),
                 QStringLiteral("Category"),
                 QStringLiteral("Salary"),
                 QStringLiteral("Education"),
                 QStringLiteral("Ward"),
                 QStringLiteral("LastName"),
                 QStringLiteral("FirstName"),
                 QStringLiteral("MiddleName"),
                 QStringLiteral("HouseStreet"),
                 QStringLiteral("Barangay"),
                 QStringLiteral("ZipCode"),
                 QStringLiteral("Province"),
                 QStringLiteral("Sex"),
                 QStringLiteral("BirthDate"),
                 QStringLiteral("CivilStatus"),
                 QStringLiteral("Occupation"),
                 QStringLiteral("Age"),
                 QStringLiteral("TelNo"),
                 QStringLiteral("SSSMember"),
                 QStringLiteral("BirthPlace"),
                 QStringLiteral("Religion"),
                 QStringLiteral("Employer"),
                 QStringLiteral("EmploymentAddress"),
                 QStringLiteral("IdNum"),
                 QStringLiteral("AdmissionDate"),
                 QStringLiteral("CaseStatus"),
                 QStringLiteral("SeniorCitizen")},
                {interview,  a.text(3),  a.text(4),  a.text(5),  a.text(6),  a.text(7),
                 a.text(8),  a.text(9),  a.text(10), a.text(11), a.text(12), a.text(13),
                 sexValue,   birth,      civil,      a.text(17), a.text(18), a.text(19),
                 a.text(20), a.text(21), a.text(22), a.text(23), a.text(24), a.text(25).toUpper(),
                 admitted,   status,     senior});
    claimCaseNumber(
        c, hosp, a.text(30),
        {QStringLiteral("ZEPDiscountValidity = ?"), QStringLiteral("ZEPDiscountExpiry = ?")},
        {intake, expiry});
    t.commit();
    return noRows();
}

// The other information's 27 values: 1 HospNum, 2 referred by, 3 date referred, 4 referral
// address, 5-10 the documents (DSWD, AO certificate, certificate of employment, treasurer/
// mayor's office, barangay clearance, others), 11 treatment, 12 other medical information,
// 13 other resources, 14 expenses, 15-19 the problem flags (financial, difficulty,
// aggressiveness, refusal, irregular check-up), 20 other problem, 21 helping goals, 22 action
// taken, 23 PhilHealth, 24 source of information, 25 work status, 26 diagnostic impression,
// 27 referring party's name.
db::Recordset saveOtherPatientInfo(db::Connection& c, const db::Args& a) {
    const QVariant referred = a.date(2);
    const int financial = flag01(a, 14, QStringLiteral("the financial problem"),
                                 {QStringLiteral("Financial Problem")});
    const int difficulty = flag01(a, 15, QStringLiteral("the difficulty in coping"),
                                  {QStringLiteral("Difficulty in coping with stress")});
    const int aggressive = flag01(a, 16, QStringLiteral("aggressiveness"),
                                  {QStringLiteral("Aggressiveness/Stubborness/Demanding Traits"),
                                   QStringLiteral("Aggressiveness/Stuborness/Demanding Traits")});
    const int refusal = flag01(a, 17, QStringLiteral("refusal of treatment"),
                               {QStringLiteral("Refusal to Accept Treatment")});
    const int irregular =
        flag01(a, 18, QStringLiteral("irregular check-up"), {QStringLiteral("Irregular Check-up")});
    db::Transaction t(c);
    const QString hosp = requireHospNum(c, a);
    QStringList columns{QStringLiteral("ReferredBy"),
                        QStringLiteral("DateReferred"),
                        QStringLiteral("ReferralAddress"),
                        QStringLiteral("DSWDSCSR"),
                        QStringLiteral("AOCert"),
                        QStringLiteral("CertOfEmployment"),
                        QStringLiteral("TreasurerMayorOffice"),
                        QStringLiteral("BrgyClearance"),
                        QStringLiteral("Others"),
                        QStringLiteral("Treatment"),
                        QStringLiteral("OtherMDInfo"),
                        QStringLiteral("Resources"),
                        QStringLiteral("Expenses"),
                        QStringLiteral("FinancialProb"),
                        QStringLiteral("Difficulty"),
                        QStringLiteral("Aggressiveness"),
                        QStringLiteral("Refusal"),
                        QStringLiteral("IrregularCheckUp"),
                        QStringLiteral("OtherProblem"),
                        QStringLiteral("HelpingGoals"),
                        QStringLiteral("ActionTaken"),
                        QStringLiteral("Philhealth"),
                        QStringLiteral("InfoSource"),
                        QStringLiteral("WorkStatus"),
                        QStringLiteral("DiagnosticImpress")};
    Values values{a.text(1),  referred,   a.text(3),  a.text(4),  a.text(5),
                  a.text(6),  a.text(7),  a.text(8),  a.text(9),  a.text(10),
                  a.text(11), a.text(12), a.text(13), financial,  difficulty,
                  aggressive, refusal,    irregular,  a.text(19), a.text(20),
                  a.text(21), a.text(22), a.text(23), a.text(24), a.text(25)};
    // The sheet keeps the party's code; a name the catalogue knows gives it. The case data
    // that follows sends the code itself.
    if (const QString party = a.text(26); !party.isEmpty()) {
        const db::Recordset rs = c.Query(
            QStringLiteral("SELECT Code FROM ZEP.tbZEPReferringParty WHERE ReferringParty = ?"),
            {party});
        if (!rs.Eof()) {
            columns << QStringLiteral("ReferringPartyID");
            values << rs.Text(QStringLiteral("Code")).trimmed();
        }
    }
    upsertSheet(c, hosp, columns, values);
    t.commit();
    return noRows();
}

// The case data's 12 values: 1 HospNum, 2 visit number, 3 case number, 4 class code,
// 5 category name, 6 category id ("0" or empty: none), 7 date of intake, 8 expiry,
// 9 the worker as shown, 10 referring party code, 11 case status code, 12 active (Y/N).
db::Recordset savePatientData(db::Connection& c, const db::Args& a) {
    const QVariant intake = a.date(6), expiry = a.date(7);
    const QString active = flagYN(a, 11);
    db::Transaction t(c);
    const QString hosp = requireHospNum(c, a);
    const QString classCode = checkedCode(c, a.text(3), "ZEP.tbZEPClassification", "Code",
                                          QStringLiteral("classification code"));
    QString category = a.text(5);
    if (category == QLatin1String("0"))
        category.clear();
    checkedCode(c, category, "ZEP.tbZEPCaseCategory", "CategoryID",
                QStringLiteral("case category"));
    const QString party = checkedCode(c, a.text(9), "ZEP.tbZEPReferringParty", "Code",
                                      QStringLiteral("referring party"));
    const QString status =
        checkedCode(c, a.text(10), "ZEP.tbZEPActive", "Code", QStringLiteral("case status"));
    upsertSheet(c, hosp,
                {QStringLiteral("IdNum"), QStringLiteral("Category"), QStringLiteral("CategoryID"),
                 QStringLiteral("ZEPW"), QStringLiteral("ReferringPartyID"),
                 QStringLiteral("CaseStatus"), QStringLiteral("ActiveStatus")},
                {a.text(1).toUpper(), a.text(4), category, a.text(8), party, status, active});
    claimCaseNumber(c, hosp, a.text(2),
                    {QStringLiteral("ZEPClassification = ?"),
                     QStringLiteral("ZEPDiscountValidity = ?"),
                     QStringLiteral("ZEPDiscountExpiry = ?")},
                    {classCode.isEmpty() ? QVariant() : QVariant(classCode), intake, expiry});
    t.commit();
    return noRows();
}

// Removes the family of a hospital number before the rows are sent again.
db::Recordset clearFamilyComposition(db::Connection& c, const db::Args& a) {
    db::Transaction t(c);
    c.Execute(QStringLiteral("DELETE FROM ZEP.tbZEPFamilyMember WHERE HospNum = ?"), {a.text(0)});
    c.Execute(QStringLiteral("UPDATE ZEP.tbZEPIntakeSheet SET TotalFamilyIncome = 0 "
                             "WHERE HospNum = ?"),
              {a.text(0)});
    t.commit();
    return noRows();
}

// One family row, after the ones saved before it: 1 HospNum, 2-8 name, relationship, age,
// civil status, education, address, occupation, 9 income, 10 the total family income.
db::Recordset saveFamilyComposition(db::Connection& c, const db::Args& a) {
    const double income = money(a, 8), total = money(a, 9);
    if (a.text(1).isEmpty())
        db::raise(QStringLiteral("The family member's name is missing."));
    db::Transaction t(c);
    const QString hosp = requireHospNum(c, a);
    upsertSheet(c, hosp, {QStringLiteral("TotalFamilyIncome")}, {total});
    const long long next = c.Query(QStringLiteral("SELECT COALESCE(MAX(MemberNo), 0) + 1 AS n "
                                                  "FROM ZEP.tbZEPFamilyMember WHERE HospNum = ?"),
                                   {hosp})
                               .Value(QStringLiteral("n"))
                               .toLongLong();
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPFamilyMember (HospNum, MemberNo, Name, "
                             "Relationship, Age, CivilStatus, Education, Address, Occupation, "
                             "Income) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
              {hosp, next, a.text(1), a.text(2), a.text(3), a.text(4), a.text(5), a.text(6),
               a.text(7), income});
    t.commit();
    return noRows();
}

} // namespace

void registerIntakeProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("ZEP..sp_SearchCategoryandClassification"),
          searchCategoryAndClassification);
    p.add(QStringLiteral("Radiology..spGlobal_RegisteredOPD"), registeredOPD);
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadExistIntakeSheet"), loadExistIntakeSheet);
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadExistFamilyComposition"), loadExistFamilyComposition);
    p.add(QStringLiteral("ZEP..sp_ZEP_GetExistsZEPNumber"), getExistsZEPNumber);
    p.add(QStringLiteral("ZEP..sp_ZEP_SaveIntakeSheetData"), saveIntakeSheetData);
    p.add(QStringLiteral("ZEP..sp_ZEP_SaveOtherPatientInfo"), saveOtherPatientInfo);
    p.add(QStringLiteral("ZEP..sp_ZEP_SavePatientData"), savePatientData);
    p.add(QStringLiteral("ZEP..sp_ZEP_ClearFamilyComposition"), clearFamilyComposition);
    p.add(QStringLiteral("ZEP..sp_ZEP_SaveFamilyComposition"), saveFamilyComposition);
}

} // namespace server
