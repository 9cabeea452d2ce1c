#pragma once
// A few patients with an admission, out-patient and ER visits, a room, a doctor and a
// sponsor, shared by the patient component's and the validation service's tests.
#include "db/connection.h"

#include <QDate>

namespace patientseed {

using namespace Qt::StringLiterals;

// A birth date `years` years before today, moved by `days`.
inline QString birthday(int years, int days = 0) {
    return QDate::currentDate().addYears(-years).addDays(days).toString(Qt::ISODate);
}

inline void seed(db::Connection& c) {
    c.Execute(u"INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate) "
              u"VALUES (?, ?, ?, ?)"_s,
              {u"301"_s, u"STATION 3"_s, u"B"_s, 1500.5});
    c.Execute(u"INSERT INTO PATIENT_DATA.tbDoctor (DoctorID, LastName, FirstName, MiddleName, "
              u"Specialty) VALUES (?, ?, ?, ?, ?)"_s,
              {u"D01"_s, u"REYES"_s, u"ANA"_s, u"MARI"_s, u"SURGERY"_s});

    const QString master =
        u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, "
        u"BirthDate, BirthPlace, CivilStatus, Religion, Occupation, HouseStreet, Barangay, Town, "
        u"Province, ZipCode, TelNumber, PatientStatus, Employer, EmployerAddress, SSSGSIS, "
        u"ZEPNum, ZEPClassification, ZEPDiscountExpiry) "
        u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
    c.Execute(master,
              {u"H001"_s,        u"DELA CRUZ"_s, u"JUAN"_s,      u"SANTOS"_s,      u"M"_s,
               u"1980-05-17"_s,  u"MANILA"_s,    u"3"_s,         u"CATHOLIC"_s,    u"FARMER"_s,
               u"12 RIZAL ST"_s, u"BRGY 5"_s,    u"CALAMBA"_s,   u"LAGUNA"_s,      u"4027"_s,
               u"555-1234"_s,    u"EMPLOYED"_s,  u"ACME CORP"_s, u"MAKATI CITY"_s, u"SSS-123"_s,
               u"Z-0001"_s,      u"C1"_s,        u"2026-12-31"_s});
    // Only what the master insists on: every other member must read back empty.
    c.Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName) VALUES (?, ?)"_s,
              {u"H002"_s, u"SANTOS"_s});
    c.Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, BirthDate) "
              u"VALUES (?, ?, ?)"_s,
              {u"H003"_s, u"LIM"_s, birthday(30)});
    c.Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, BirthDate) "
              u"VALUES (?, ?, ?)"_s,
              {u"H004"_s, u"TAN"_s, birthday(30, 1)});

    c.Execute(u"INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType, "
              u"DoctorID, Complaint, Remarks) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
              {u"1001B"_s, u"H001"_s, u"2026-01-10 08:00:00"_s, u"S"_s, u"D01"_s, u"HIGH FEVER"_s,
               u"REFERRED TO ADMITTING"_s});
    c.Execute(u"INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) "
              u"VALUES (?, ?, ?)"_s,
              {u"1002B"_s, u"H001"_s, u"2026-03-01 10:00:00"_s});

    const QString admission =
        u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, "
        u"PatientClass, DoctorID, ReferringDoctor, NewAdmission, OPDIdNum, ChiefComplaint, "
        u"AdmittingDiagnosis, AdmittingImpression, Procedures, Remarks, Disposition) "
        u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
    c.Execute(admission,
              {u"2001"_s, u"H001"_s, u"2026-01-12 09:30:00"_s, u"2026-01-20 14:00:00"_s, u"301"_s,
               u"S"_s, u"D01"_s, u"DR. LIM"_s, 0, u"1001B"_s, u"FEVER"_s, u"DENGUE"_s,
               u"R/O DENGUE"_s, u"IV FLUIDS"_s, u"WATCH PLATELETS"_s, u"RECOVERED"_s});
    c.Execute(u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)"_s,
              {u"2002"_s, u"H002"_s, u"2026-02-02 11:00:00"_s});

    const QString er = u"INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, "
                       u"PatientClassification, Complaint, Disposition, Remarks) "
                       u"VALUES (?, ?, ?, ?, ?, ?, ?)"_s;
    c.Execute(er, {u"3001E"_s, u"H001"_s, u"2025-12-01 22:15:00"_s, u"P"_s, u"CHEST PAIN"_s,
                   u"ADMITTED"_s, u"ECG DONE"_s});
    c.Execute(
        er, {u"3002E"_s, u"H001"_s, u"2026-02-05 03:00:00"_s, u"S"_s, u"FALL"_s, u"HOME"_s, u""_s});

    // A sponsor behind admission 2001 (a fund for the visit) and behind out-patient visit
    // 1002B (a charge billed against a fund granted to the patient).
    c.Execute(u"INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES (?, ?)"_s,
              {u"C01"_s, u"PCSO"_s});
    const QString fund = u"INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, HospNum, IdNum, "
                         u"CompanyID, Amount, TransDate) VALUES (?, ?, ?, ?, ?, ?)"_s;
    c.Execute(fund, {u"A1"_s, u"H001"_s, u"2001"_s, u"C01"_s, 5000, u"2026-01-13 10:00:00"_s});
    c.Execute(fund, {u"A2"_s, u"H001"_s, QVariant(), u"C01"_s, 1000, u"2026-01-13 10:00:00"_s});
    c.Execute(u"INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Amount, TransDate, "
              u"CDFAccountNum) VALUES (?, ?, ?, ?, ?)"_s,
              {u"1002B"_s, u"LB"_s, 250, u"2026-03-01 11:00:00"_s, u"A2"_s});
    c.Execute(u"INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Amount, TransDate) "
              u"VALUES (?, ?, ?, ?)"_s,
              {u"1001B"_s, u"LB"_s, 100, u"2026-01-10 09:00:00"_s});
}

} // namespace patientseed
