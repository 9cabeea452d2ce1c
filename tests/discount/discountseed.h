#pragma once
// The small hospital the discount tests compute on: two classes, a few departments and
// items with each QFS type, patients with a known class, one with a code the scheme does
// not hold, and their visits of each kind. Charges are added by each test.
#include "db/connection.h"

#include <QString>
#include <QVariantList>

namespace discountseed {

inline void seed(db::Connection& c) {
    const auto run = [&](const char* sql) { c.Execute(QString::fromUtf8(sql)); };
    run("INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, Procedures, "
        "Medicines, Supplies, Room, Procedures2, Medicines2, Supplies2) VALUES "
        "('A1', 'A', 'Full Pay', 0, 0, 0, 0, 0, 0, 0), "
        "('A4', 'C2', 'Charity - Partial 50%', 0.5, 0.5, 0.5, 0.25, 0.3, 0.4, 0.4)");
    run("INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES "
        "('RA', 'Room and Board'), ('LB', 'Laboratory'), ('XR', 'X-Ray'), "
        "('PH', 'Pharmacy'), ('CS', 'Central Supply'), ('MD', 'Professional Fee'), "
        "('US', 'Ultrasound'), ('QF', 'QFS Discount')");
    run("INSERT INTO BUILD_FILE.tbCoRevenueItem (RevenueID, ItemID, ItemName, QFSType, QFSRate) "
        "VALUES ('LB', 'LB01', 'CBC', 1, 0), ('LB', 'LB02', 'Blood typing', 0, 0), "
        "('XR', 'XR01', 'Chest PA', 2, 0), ('PH', 'PH01', 'Insulin', 3, 0.1), "
        "('PH', 'PH02', 'Paracetamol', 1, 0)");
    run("INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station) VALUES ('301', 'Ward 3')");
    run("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, ZEPNum, "
        "ZEPClassification) VALUES "
        "('H1', 'SANTOS', 'PEDRO', 'DIAZ', 'Z-1', 'C2'), "
        "('H2', 'REYES', 'ANA', '', 'Z-2', 'Q9'), "
        "('H3', 'CRUZ', 'LITO', '', 'Z-3', 'C2'), "
        "('H4', 'GARCIA', 'ROSA', '', '', '')");
    run("INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) VALUES "
        "('5001B', 'H1', '2026-03-01 08:00:00'), ('5002B', 'H3', '2026-03-02 09:00:00'), "
        "('5003B', 'H1', '2026-03-03 09:00:00'), ('5004B', 'H1', '2026-03-04 09:00:00'), "
        "('5005B', 'H3', '2026-03-05 09:00:00'), ('5006B', 'H3', '2026-03-06 09:00:00')");
    run("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, RoomID, OPDIdNum) VALUES "
        "('2001', 'H1', '2026-03-01 10:00:00', '301', '5001B'), "
        "('2002', 'H2', '2026-03-02 10:00:00', '301', NULL), "
        "('2003', 'H1', '2026-03-05 10:00:00', '301', NULL), "
        "('2004', 'H4', '2026-03-06 10:00:00', '301', NULL)");
    run("INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate) VALUES "
        "('7001E', 'H3', '2026-03-07 22:00:00')");
}

// One charge line of a visit: admissions are billed on the in-patient table, other visits
// on the out-patient one.
inline void charge(db::Connection& c, const QString& idNum, const QString& revenueId,
                   const QString& itemId, double amount) {
    const bool admission = !idNum.isEmpty() && idNum.at(idNum.size() - 1).isDigit();
    c.Execute(QStringLiteral("INSERT INTO %1 (IdNum, RevenueID, ItemID, Amount, TransDate) "
                             "VALUES (?, ?, ?, ?, '2026-03-05 12:00:00')")
                  .arg(admission ? QStringLiteral("BILLING.tbBillDailyBill")
                                 : QStringLiteral("BILLING.tbBillOPDailyOut")),
              {idNum, revenueId, itemId, amount});
}

inline void medicare(db::Connection& c, const QString& idNum, const QString& revenueId,
                     double amount) {
    c.Execute(QStringLiteral("INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) "
                             "VALUES (?, ?, ?)"),
              {idNum, revenueId, amount});
}

inline void assessment(db::Connection& c, const QString& idNum, const QString& hospNum,
                       bool special, double nc) {
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, IsSpecial, "
                             "NC, AssessDate) VALUES (?, ?, 'C2', ?, ?, '2026-03-05 12:00:00')"),
              {idNum, hospNum, special ? 1 : 0, nc});
}

} // namespace discountseed
