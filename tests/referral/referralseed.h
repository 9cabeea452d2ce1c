#pragma once
// A small hospital for the referral report's tests: the catalogues, a worker, and one
// patient for each way the report opens.
//   H1 case holder, admission 1001 with a saved report (a company stands behind the visit)
//   H2 case number with an expired class, admission 1002, no report yet
//   H3 pay admission 1003, no case number        H4 service admission 1004, no case number
//   H5 service admission 1005 with only an expiry on file (a company behind the visit)
//   H6 pay out-patient visit 6001B               H7 pay ER visit 7001E
#include "db/connection.h"
#include "ui/messages.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace referralseed {

inline void seed(db::Connection& c) {
    const auto run = [&](const QString& sql) { c.Execute(sql); };
    run(u"INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification) VALUES "
        "('A1', 'C1', 'Class One'), ('A2', 'C2', 'Class Two')"_s);
    run(u"INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category, Status) VALUES "
        "('01', 'Medical', 'A'), ('02', 'Surgical', 'A'), ('03', 'Old Dialysis', 'I')"_s);
    run(u"INSERT INTO ZEP.tbZEPParentCategory (ParentCategoryID, ParentCategory, Status) VALUES "
        "('01', 'Adult', 'A'), ('02', 'Pediatric', 'A'), ('09', 'Retired', 'I')"_s);
    run(u"INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES "
        "('1', 'Walk-in'), ('2', 'Physician')"_s);
    run(u"INSERT INTO ZEP.tbZEPActive (Code, CaseStatus) VALUES ('N', 'New'), ('O', 'Old')"_s);
    const char* const services[][3] = {
        {"1", "Direct Services", nullptr},  {"1.1", "Intake", "1"},
        {"1.1.1", "Interview", "1.1"},      {"1.2", "Financial Assistance", "1"},
        {"1.2.3", "Sponsors", "1.2"},       {"1.2.3.1", "PCSO fund", "1.2.3"},
        {"1.9", "Discharge Planning", "1"}, {"1.9.1", "Clearance", "1.9"},
        {"1.10", "Follow-up", "1"}};
    for (const auto& s : services)
        c.Execute(u"INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) "
                  "VALUES (?, ?, ?)"_s,
                  {QString::fromLatin1(s[0]), QString::fromLatin1(s[1]),
                   s[2] ? QVariant(QString::fromLatin1(s[2])) : QVariant()});
    const char* const activities[][3] = {{"1", "Casework", nullptr},
                                         {"1.1", "Interview", "1"},
                                         {"1.2", "Documentation", "1"},
                                         {"1.2.1", "Intake sheet", "1.2"}};
    for (const auto& s : activities)
        c.Execute(u"INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) "
                  "VALUES (?, ?, ?)"_s,
                  {QString::fromLatin1(s[0]), QString::fromLatin1(s[1]),
                   s[2] ? QVariant(QString::fromLatin1(s[2])) : QVariant()});
    run(u"INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, LicenseNumber) "
        "VALUES ('E100', 'Santos', 'Maria', 'SW-0042')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbDoctor (DoctorID, LastName, FirstName) VALUES "
        "('D1', 'REYES', 'JOSE')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station) VALUES ('R101', 'North')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, ZEPNum, "
        "ZEPClassification, ZEPDiscountValidity, ZEPDiscountExpiry) VALUES "
        "('H1', 'DELA CRUZ', 'JUAN', 'PEREZ', 'Z-0001', 'C2', '2026-01-15', '2099-12-31'), "
        "('H2', 'BAUTISTA', 'ANA', '', 'Z-0002', 'C1', '2024-01-02', '2025-01-31'), "
        "('H3', 'GARCIA', 'ROSA', '', NULL, NULL, NULL, NULL), "
        "('H4', 'LIM', 'TOMAS', '', '', NULL, NULL, NULL), "
        "('H5', 'TAN', 'EMMA', '', '', 'C1', NULL, '2099-06-30'), "
        "('H6', 'GO', 'BEN', '', NULL, NULL, NULL, NULL), "
        "('H7', 'UY', 'LEA', '', NULL, NULL, NULL, NULL)"_s);
    run(u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, RoomID, DoctorID, "
        "PatientClass) VALUES "
        "('1001', 'H1', '2026-11-30 08:00:00', 'R101', 'D1', 'S'), "
        "('1002', 'H2', '2026-12-01 08:00:00', NULL, NULL, 'S'), "
        "('1003', 'H3', '2026-12-02 08:00:00', 'R101', 'D1', 'P'), "
        "('1004', 'H4', '2026-12-03 08:00:00', NULL, 'D1', 'S'), "
        "('1005', 'H5', '2026-12-04 08:00:00', NULL, NULL, 'S')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES "
        "('6001B', 'H6', '2026-12-05 09:00:00', 'P')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, PatientClassification) "
        "VALUES ('7001E', 'H7', '2026-12-06 22:00:00', 'P')"_s);

    // H1's saved report: boxes 0, 3, 11 and 17 ticked; parent category 01 is the first item.
    run(u"INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, "
        "CaseCategoryID, ParentCategoryID, ReferringPartyID, Remarks, IntakeDate, ExpiryDate, "
        "ZEPW, UserID, IsPCSO, IsCDF, IsSpecial, NC, PCSOType, Active, CaseStatus, "
        "DocIntakeSheet, DocServiceCard, DocWorkPlan, DocOthers, AssessDate) VALUES "
        "('1001', 'H1', 'Z-0001', 'C2', 'Surgical', '02', '01', '2', 'Follow up the sponsor', "
        "'2026-01-15', '2099-12-31', 'E100', 'E100', 1, 1, 0, 1500.5, 'G', 'Y', 'O', "
        "1, 1, 1, 1, '2026-12-01 10:00:00')"_s);
    run(u"INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES "
        "('1001', '1.2', 1), ('1001', '1.1.1', 2)"_s);
    run(u"INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES "
        "('1001', '1.2', 1), ('1001', '1.1', 2)"_s);
    run(u"INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('PCSO', 'PCSO')"_s);
    run(u"INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, HospNum, IdNum, CompanyID, "
        "Amount, TransDate) VALUES ('CDF-1', 'H1', '1001', 'PCSO', 5000, '2026-12-01 09:00:00'), "
        "('CDF-5', 'H5', '1005', 'PCSO', 2500, '2026-12-04 09:00:00')"_s);
}

// The visit's class as stored, and how many class changes it has on record.
inline QString visitClass(db::Connection& c, const QString& id) {
    const db::Recordset rs =
        c.Query(u"SELECT PatientClass AS k FROM PATIENT_DATA.tbPatient2 WHERE IdNum = ? UNION ALL "
                "SELECT PatientType FROM PATIENT_DATA.tbOutPatient WHERE IdNum = ? UNION ALL "
                "SELECT PatientClassification FROM PATIENT_DATA.tbERMaster WHERE IdNum = ?"_s,
                {id, id, id});
    return rs.Eof() ? QString() : rs.Text(u"k"_s);
}

inline int classChanges(db::Connection& c, const QString& id) {
    return c.Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPPatClassHistory WHERE IdNum = ?"_s, {id})
        .Value(u"n"_s)
        .toInt();
}

inline QString iconName(ui::Icon i) {
    switch (i) {
    case ui::Icon::Information:
        return u"Information"_s;
    case ui::Icon::Exclamation:
        return u"Exclamation"_s;
    case ui::Icon::Critical:
        return u"Critical"_s;
    case ui::Icon::Question:
        return u"Question"_s;
    case ui::Icon::None:
        break;
    }
    return u"None"_s;
}

// What was shown, as "icon|title|text".
inline QStringList shown() {
    QStringList out;
    for (const ui::Shown& s : ui::Messages::shown())
        out << iconName(s.icon) + u'|' + s.title + u'|' + s.text;
    return out;
}

} // namespace referralseed
