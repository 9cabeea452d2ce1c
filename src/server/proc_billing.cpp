// The billing side of the discount computation: the visit's charges gathered per revenue
// centre into the session's working rows (with the class discount and the centre's own
// medicare), the medicare of the other items and the centres it is shared over, the
// special arrangement's hospital bill, the updates the screen makes to the working rows,
// and the stored computation (read, stored, removed). Also the two patient look-ups the
// computation screen opens with. docs/discount.md describes the modes and the tables.
//
// Working rows live in BILLING.tbDummyDiscountTable under the connection's session key
// (discountSession(); one row of BILLING.tbDiscountSession per computation), so every
// procedure here and every statement of the screen sees one computation only: its own.
#include "billing.h"
#include "registry.h"

#include "db/connection.h"
#include "db/procedures.h"

#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QMutex>
#include <QUuid>
#include <cmath>

namespace server {

QString discountSession(db::Connection& c) {
    // One key per live connection. A connection that closes leaves its key here; a new
    // connection made at the same address takes it over, which is harmless because the two
    // never live at once and every computation clears its session's rows first.
    static QMutex lock;
    static QHash<const db::Connection*, QString> keys;
    QMutexLocker hold(&lock);
    QString& key = keys[&c];
    if (key.isEmpty())
        key = QUuid::createUuid().toString(QUuid::WithoutBraces);
    return key;
}

namespace {

const QString kDiscountId = QStringLiteral("QF");

double round2(double v) {
    return std::round(v * 100.0) / 100.0;
}

// The visit number's kind by its form: all digits an admission, else an out-patient ("B")
// or ER ("E") visit, whose charges are filed together.
bool isAdmission(const QString& id) {
    if (id.isEmpty())
        return false;
    for (QChar ch : id)
        if (!ch.isDigit())
            return false;
    return true;
}

QString chargeTable(const QString& id) {
    return isAdmission(id) ? QStringLiteral("BILLING.tbBillDailyBill")
                           : QStringLiteral("BILLING.tbBillOPDailyOut");
}

// Which visits' charge lines a mode gathers. `what` names the procedure in the error.
QStringList visitsOf(int mode, const QString& id, const QString& second,
                     const QList<int>& modes, const QString& what) {
    if (!modes.contains(mode))
        db::raise(QStringLiteral("%1: mode %2 is not known.").arg(what).arg(mode));
    if (id.isEmpty())
        db::raise(QStringLiteral("%1: no visit number was given.").arg(what));
    QStringList ids{id};
    // The second number is the admission's out-patient visit (modes 4 and 7 of their
    // procedures) or any visit billed with the first (mode 10).
    if (!second.isEmpty() && second != id && mode != 3 && mode != 6)
        ids << second;
    return ids;
}

// How the department's class discount falls on a revenue centre: which of the class's
// fractions applies.
enum class Kind { Room, Supplies, Medicines, Procedures, None };

Kind kindOf(const QString& revenueId) {
    static const QHash<QString, Kind> kinds = [] {
        QHash<QString, Kind> k;
        k.insert(QStringLiteral("RA"), Kind::Room);
        for (const char* c : {"XS", "CU", "UU", "RU", "CS", "KS", "OS"})
            k.insert(QString::fromLatin1(c), Kind::Supplies);
        for (const char* c : {"RN", "PH", "RM", "XD", "CN", "UM"})
            k.insert(QString::fromLatin1(c), Kind::Medicines);
        for (const char* c : {"LB", "PA", "NU", "NE", "XR", "CT", "UL", "HS", "PT", "DI", "OR"})
            k.insert(QString::fromLatin1(c), Kind::Procedures);
        return k;
    }();
    return kinds.value(revenueId, Kind::None);
}

struct Fractions {
    double procedures = 0, supplies = 0, medicines = 0, room = 0;
    double of(Kind k) const {
        switch (k) {
        case Kind::Room: return room;
        case Kind::Supplies: return supplies;
        case Kind::Medicines: return medicines;
        case Kind::Procedures: return procedures;
        case Kind::None: return 0;
        }
        return 0;
    }
};

// The patient of a visit, from whichever visit table holds it.
QString hospNumOf(db::Connection& c, const QString& id) {
    db::Recordset rs = c.Query(
        QStringLiteral("SELECT HospNum FROM PATIENT_DATA.tbPatient2 WHERE IdNum = ? "
                       "UNION ALL SELECT HospNum FROM PATIENT_DATA.tbOutPatient WHERE IdNum = ? "
                       "UNION ALL SELECT HospNum FROM PATIENT_DATA.tbERMaster WHERE IdNum = ?"),
        {id, id, id});
    return rs.Eof() ? QString() : rs.Text(QStringLiteral("HospNum")).trimmed();
}

// The class's fractions for the patient of the visit: in-patient ones for an admission,
// out-patient ones (no room) otherwise. The patient's class is a code of the scheme; a row
// whose key (Type) equals it is taken first, as the scheme's own look-ups do. A class that
// the scheme does not hold, or a patient without one, gives no discount.
Fractions fractionsFor(db::Connection& c, const QString& id, bool inPatient) {
    Fractions f;
    const QString hosp = hospNumOf(c, id);
    if (hosp.isEmpty())
        return f;
    db::Recordset m = c.Query(
        QStringLiteral("SELECT ZEPClassification FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"),
        {hosp});
    const QString code = m.Eof() ? QString() : m.Text(QStringLiteral("ZEPClassification")).trimmed();
    if (code.isEmpty())
        return f;
    db::Recordset k = c.Query(
        QStringLiteral("SELECT Procedures, Supplies, Medicines, Room, Procedures2, Supplies2, "
                       "Medicines2 FROM ZEP.tbZEPClassification WHERE Type = ? OR Code = ? "
                       "ORDER BY CASE WHEN Type = ? THEN 0 ELSE 1 END LIMIT 1"),
        {code, code, code});
    if (k.Eof())
        return f;
    if (inPatient) {
        f.procedures = k.Number(QStringLiteral("Procedures"));
        f.supplies = k.Number(QStringLiteral("Supplies"));
        f.medicines = k.Number(QStringLiteral("Medicines"));
        f.room = k.Number(QStringLiteral("Room"));
    } else {
        f.procedures = k.Number(QStringLiteral("Procedures2"));
        f.supplies = k.Number(QStringLiteral("Supplies2"));
        f.medicines = k.Number(QStringLiteral("Medicines2"));
    }
    return f;
}

struct Centre {
    double actual = 0, medicare = 0, discount = 0;
};

// Working rows older than this belong to sessions that ended long ago.
constexpr int kStaleSeconds = 24 * 3600;

// Fills the session's working rows with the visit's charges per revenue centre.
//   mode 3: the admission's in-patient charges;
//   mode 4: the admission's and those of its out-patient visit (the second number);
//   mode 7: the charges of an out-patient or ER visit.
// The department's own pending discount lines (RevenueID 'QF') are not charges. Each
// line's discount follows its item's QFS type: 0 none, 1 (and lines of no catalogued item)
// the class's fraction for the centre, 2 a fixed 20%, 3 the item's own rate. The centre's
// own medicare row is taken; the medicare of the other items ('OT') is shared later.
// The fourth value 1 starts a new computation (the session's rows are cleared first); 0
// adds these charges to the rows already there.
db::Recordset actualChargesForDiscount(db::Connection& c, const db::Args& a) {
    const QString what = QStringLiteral("sp_Billing_Get_ActualCharges_ForDiscount");
    const QString id = a.text(0).toUpper();
    const int mode = int(a.numberOr0(2));
    const QStringList ids = visitsOf(mode, id, a.text(1).toUpper(), {3, 4, 7}, what);
    const bool fresh = a.text(3).isEmpty() || a.numberOr0(3) != 0;
    const QString session = discountSession(c);

    db::Transaction t(c);
    const Fractions f = fractionsFor(c, id, mode != 7);
    QMap<QString, Centre> centres;
    if (fresh) {
        // The session's earlier rows go with its session row, and so do those of sessions
        // that ended a day ago without storing.
        c.Execute(QStringLiteral("DELETE FROM BILLING.tbDiscountSession WHERE SessionID = ? "
                                 "OR StartedAt < ?"),
                  {session, QDateTime::currentDateTime()
                                .addSecs(-kStaleSeconds)
                                .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
        c.Execute(QStringLiteral("INSERT INTO BILLING.tbDiscountSession (SessionID, IdNum, "
                                 "StartedAt) VALUES (?, ?, %1)")
                      .arg(c.dialect().now()),
                  {session, id});
    } else {
        db::Recordset old = c.Query(
            QStringLiteral("SELECT RevenueID, ActualCharges, Medicare, Discount "
                           "FROM BILLING.tbDummyDiscountTable WHERE SessionID = ?"),
            {session});
        for (; !old.Eof(); old.MoveNext())
            centres[old.Text(QStringLiteral("RevenueID"))] = {
                old.Number(QStringLiteral("ActualCharges")), old.Number(QStringLiteral("Medicare")),
                old.Number(QStringLiteral("Discount"))};
        c.Execute(QStringLiteral("DELETE FROM BILLING.tbDummyDiscountTable WHERE SessionID = ?"),
                  {session});
        if (c.Query(QStringLiteral("SELECT 1 FROM BILLING.tbDiscountSession WHERE SessionID = ?"),
                    {session})
                .Eof())
            c.Execute(QStringLiteral("INSERT INTO BILLING.tbDiscountSession (SessionID, IdNum, "
                                     "StartedAt) VALUES (?, ?, %1)")
                          .arg(c.dialect().now()),
                      {session, id});
    }
    for (const QString& visit : ids) {
        // Summed by centre and discount rule in the engine: a long stay's thousands of
        // lines come back as a few rows.
        db::Recordset rs = c.Query(
            QStringLiteral("SELECT l.RevenueID, COALESCE(i.QFSType, 1) AS QFSType, "
                           "COALESCE(i.QFSRate, 0) AS QFSRate, SUM(l.Amount) AS Amount "
                           "FROM %1 l LEFT JOIN BUILD_FILE.tbCoRevenueItem i "
                           "ON i.RevenueID = l.RevenueID AND i.ItemID = l.ItemID "
                           "WHERE l.IdNum = ? AND l.RevenueID <> 'QF' "
                           "GROUP BY l.RevenueID, COALESCE(i.QFSType, 1), COALESCE(i.QFSRate, 0)")
                .arg(chargeTable(visit)),
            {visit});
        for (; !rs.Eof(); rs.MoveNext()) {
            const QString rev = rs.Text(QStringLiteral("RevenueID")).trimmed();
            const double amount = rs.Number(QStringLiteral("Amount"));
            double rate = 0;
            switch (int(rs.Number(QStringLiteral("QFSType")))) {
            case 1: rate = f.of(kindOf(rev)); break;
            case 2: rate = 0.20; break;
            case 3: rate = rs.Number(QStringLiteral("QFSRate")); break;
            default: rate = 0; break;
            }
            Centre& ce = centres[rev];
            ce.actual += amount;
            // Credits lower a centre's charges but never make its discount negative.
            ce.discount += std::max(0.0, amount * rate);
        }
        db::Recordset med = c.Query(
            QStringLiteral("SELECT RevenueID, Amount FROM BILLING.tbBillMedicare "
                           "WHERE IdNum = ? AND RevenueID <> 'OT'"),
            {visit});
        for (; !med.Eof(); med.MoveNext())
            centres[med.Text(QStringLiteral("RevenueID")).trimmed()].medicare +=
                med.Number(QStringLiteral("Amount"));
    }
    QHash<QString, QString> names;
    for (db::Recordset rs = c.Query(QStringLiteral(
             "SELECT RevenueID, ItemName FROM BUILD_FILE.tbCoRevenueCode"));
         !rs.Eof(); rs.MoveNext())
        names.insert(rs.Text(QStringLiteral("RevenueID")).trimmed(),
                     rs.Text(QStringLiteral("ItemName")).trimmed());
    const QString insert =
        QStringLiteral("INSERT INTO BILLING.tbDummyDiscountTable (SessionID, RevenueID, "
                       "Department, IdNum, ActualCharges, Medicare, Discount) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (auto it = centres.cbegin(); it != centres.cend(); ++it) {
        const Centre& ce = it.value();
        c.Execute(insert, {session, it.key(), names.value(it.key(), it.key()), id,
                           round2(ce.actual), round2(ce.medicare),
                           round2(std::min(ce.discount, std::max(0.0, ce.actual)))});
    }
    t.commit();
    return {};
}

// The medicare of a visit's other items: one row (Amount) when the visit has such cover.
db::Recordset totalMedicareOthers(db::Connection& c, const db::Args& a) {
    return c.Query(QStringLiteral("SELECT Amount FROM BILLING.tbBillMedicare "
                                  "WHERE IdNum = ? AND RevenueID = 'OT'"),
                   {a.text(0).toUpper()});
}

// The revenue centres the other items' medicare is shared over: the working rows of the
// visit that have no medicare of their own, other than the doctors' fees ("MD"), each with
// its actual charges as Amount, by revenue code.
db::Recordset medicareItemsOthers(db::Connection& c, const db::Args& a) {
    return c.Query(QStringLiteral("SELECT RevenueID, ActualCharges AS Amount "
                                  "FROM BILLING.tbDummyDiscountTable WHERE SessionID = ? "
                                  "AND IdNum = ? AND Medicare = 0 AND RevenueID <> 'MD' "
                                  "ORDER BY RevenueID"),
                   {discountSession(c), a.text(0).toUpper()});
}

// A share of the other items' medicare, added to a centre's working row.
db::Recordset updateDummyDiscountTable(db::Connection& c, const db::Args& a) {
    const double share = a.numberOr0(0);
    if (!std::isfinite(share))
        db::raise(QStringLiteral("sp_Billing_Update_DummyDiscountTable: the share is not a number."));
    c.Execute(QStringLiteral("UPDATE BILLING.tbDummyDiscountTable SET Medicare = Medicare + ? "
                             "WHERE SessionID = ? AND RevenueID = ?"),
              {round2(share), discountSession(c), a.text(1)});
    return {};
}

// A centre's discount in the working rows, replaced.
db::Recordset updateDiscountDummyDiscountTable(db::Connection& c, const db::Args& a) {
    const double discount = a.numberOr0(0);
    if (!std::isfinite(discount))
        db::raise(QStringLiteral(
            "sp_Billing_Update_Discount_DummyDiscountTable: the discount is not a number."));
    c.Execute(QStringLiteral("UPDATE BILLING.tbDummyDiscountTable SET Discount = ? "
                             "WHERE SessionID = ? AND RevenueID = ?"),
              {round2(discount), discountSession(c), a.text(1)});
    return {};
}

// Billing's view of the visit's special arrangement: the assessment's tag and counterpart.
db::Recordset specialArrangementRemarks(db::Connection& c, const db::Args& a) {
    return c.Query(QStringLiteral("SELECT IsSpecial, NC FROM ZEP.tbZEPAssessment WHERE IdNum = ?"),
                   {a.text(0).toUpper()});
}

// The hospital bill a special arrangement is measured against: the visits' charges other
// than the doctors' fees and the department's own discount lines, summed over all
// departments, in one row (Actual Charges).
//   mode 6: the admission alone;
//   mode 7: the admission and its out-patient visit (the second number);
//   mode 10: a visit that is not an admission, with the second number's charges when one
//            is given.
db::Recordset seniorCitizenChargesPerDepartment(db::Connection& c, const db::Args& a) {
    const int mode = int(a.numberOr0(2));
    const QStringList ids =
        visitsOf(mode, a.text(0).toUpper(), a.text(1).toUpper(), {6, 7, 10},
                 QStringLiteral("sp_Billing_Get_SeniorCitizenCharges_PerDepartment"));
    double total = 0;
    for (const QString& visit : ids) {
        db::Recordset rs = c.Query(
            QStringLiteral("SELECT COALESCE(SUM(Amount), 0) AS Amount FROM %1 "
                           "WHERE IdNum = ? AND RevenueID NOT IN ('MD', 'QF')")
                .arg(chargeTable(visit)),
            {visit});
        total += rs.Number(QStringLiteral("Amount"));
    }
    return db::Recordset({QStringLiteral("Actual Charges")}, {{round2(total)}});
}

const QString kRowColumns = QStringLiteral(
    "RevenueID, Department, ActualCharges AS \"Actual Charges\", Medicare, Discount");

// The session's computed rows, by revenue code; with a third value of 1 they are also
// stored as the visit's computation under the discount code (replacing any earlier one)
// and the working rows are cleared.
// The flag is 1 for the class's discounts, 2 for a special arrangement.
db::Recordset loadDummyDiscountTable(db::Connection& c, const db::Args& a) {
    const QString discountId = a.text(0).isEmpty() ? kDiscountId : a.text(0).toUpper();
    const int flag = int(a.numberOr0(1));
    if (flag != 1 && flag != 2)
        db::raise(QStringLiteral("sp_Billing_Load_DummyDiscountTable: flag %1 is not known (1 or 2).")
                      .arg(a.text(1)));
    const bool store = a.numberOr0(2) != 0;
    const QString session = discountSession(c);
    db::Transaction t(c);
    db::Recordset rows = c.Query(QStringLiteral("SELECT %1, IdNum FROM BILLING.tbDummyDiscountTable "
                                                "WHERE SessionID = ? ORDER BY RevenueID")
                                     .arg(kRowColumns),
                                 {session});
    if (store && !rows.Eof()) {
        const QString id = rows.Text(QStringLiteral("IdNum"));
        c.Execute(QStringLiteral("DELETE FROM BILLING.tbBillComputedDiscount "
                                 "WHERE IdNum = ? AND DiscountID = ?"),
                  {id, discountId});
        c.Execute(QStringLiteral("INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, "
                                 "RevenueID, Department, ActualCharges, Medicare, Discount, "
                                 "ComputedAt, Special) "
                                 "SELECT IdNum, CAST(? AS VARCHAR(10)), RevenueID, Department, "
                                 "ActualCharges, Medicare, Discount, %1, CAST(? AS SMALLINT) "
                                 "FROM BILLING.tbDummyDiscountTable "
                                 "WHERE SessionID = ?")
                      .arg(c.dialect().now()),
                  {discountId, flag == 2 ? 1 : 0, session});
        // Stored, the working rows have served: the next computation starts from none.
        c.Execute(QStringLiteral("DELETE FROM BILLING.tbDiscountSession WHERE SessionID = ?"),
                  {session});
    }
    t.commit();
    rows.MoveFirst();
    return rows;
}

// The visit's stored computation under the discount code, by revenue code.
db::Recordset checkExistingDiscount(db::Connection& c, const db::Args& a) {
    return c.Query(QStringLiteral("SELECT %1 FROM BILLING.tbBillComputedDiscount "
                                  "WHERE IdNum = ? AND DiscountID = ? ORDER BY RevenueID")
                       .arg(kRowColumns),
                   {a.text(0).toUpper(), a.text(1).isEmpty() ? kDiscountId : a.text(1).toUpper()});
}

// Removes the stored computations of both visit numbers under the discount code (the
// screen sends its visit twice).
db::Recordset deleteExistingComputedDiscountAll(db::Connection& c, const db::Args& a) {
    c.Execute(QStringLiteral("DELETE FROM BILLING.tbBillComputedDiscount "
                             "WHERE IdNum IN (?, ?) AND DiscountID = ?"),
              {a.text(0).toUpper(), a.text(1).toUpper(),
               a.text(2).isEmpty() ? kDiscountId : a.text(2).toUpper()});
    return {};
}

// The patient of a visit as the computation screen shows it: class code, name, hospital
// and case numbers, and the room (an admission's room; "OPD" for out-patient and ER
// visits, which are billed on out-patient rates).
QString patientInfoSql(const QString& where) {
    const QString name = QStringLiteral(
        "TRIM(m.LastName) || CASE WHEN TRIM(COALESCE(m.FirstName, '')) || "
        "TRIM(COALESCE(m.MiddleName, '')) = '' THEN '' ELSE ', ' END || "
        "TRIM(TRIM(COALESCE(m.FirstName, '')) || ' ' || TRIM(COALESCE(m.MiddleName, '')))");
    // Classification: the name of the patient's class, which the fund view shows beside
    // the code.
    const QString cols = QStringLiteral("m.ZEPClassification AS Code, %1 AS Name, m.HospNum, "
                                        "m.ZEPNum AS ZEPNumber, (SELECT k.Classification "
                                        "FROM ZEP.tbZEPClassification k WHERE k.Code = "
                                        "m.ZEPClassification) AS Classification, ")
                             .arg(name);
    return QStringLiteral("SELECT %1 v.RoomID, v.IdNum FROM PATIENT_DATA.tbPatient2 v "
                          "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum WHERE %2 "
                          "UNION ALL SELECT %1 'OPD' AS RoomID, v.IdNum "
                          "FROM PATIENT_DATA.tbOutPatient v "
                          "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum WHERE %2 "
                          "UNION ALL SELECT %1 'OPD' AS RoomID, v.IdNum "
                          "FROM PATIENT_DATA.tbERMaster v "
                          "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum WHERE %2")
        .arg(cols, where);
}

// By hospital number and visit: nothing when the visit is not that patient's.
db::Recordset getPatientInfo(db::Connection& c, const db::Args& a) {
    const QString hosp = a.text(0);
    const QString id = a.text(1).toUpper();
    return c.Query(patientInfoSql(QStringLiteral("v.HospNum = ? AND v.IdNum = ?")),
                   {hosp, id, hosp, id, hosp, id});
}

// By the visit alone.
db::Recordset getPatientInfoForARR(db::Connection& c, const db::Args& a) {
    const QString id = a.text(0).toUpper();
    return c.Query(patientInfoSql(QStringLiteral("v.IdNum = ?")), {id, id, id});
}

} // namespace

void registerBillingProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("Billing..sp_Billing_Get_ActualCharges_ForDiscount"),
          actualChargesForDiscount);
    p.add(QStringLiteral("Billing..sp_Billing_GetTotalMedicare_Others"), totalMedicareOthers);
    p.add(QStringLiteral("Billing..sp_Billing_Get_MedicareItems_Others"), medicareItemsOthers);
    p.add(QStringLiteral("Billing..sp_Billing_Update_DummyDiscountTable"), updateDummyDiscountTable);
    p.add(QStringLiteral("Billing..sp_Billing_Update_Discount_DummyDiscountTable"),
          updateDiscountDummyDiscountTable);
    p.add(QStringLiteral("Billing..sp_Billing_Get_ZEP_SpecialArrangementRemarks"),
          specialArrangementRemarks);
    p.add(QStringLiteral("Billing..sp_Billing_Get_SeniorCitizenCharges_PerDepartment"),
          seniorCitizenChargesPerDepartment);
    p.add(QStringLiteral("Billing..sp_Billing_Load_DummyDiscountTable"), loadDummyDiscountTable);
    p.add(QStringLiteral("Billing..sp_Billing_Check_ExistingDiscount"), checkExistingDiscount);
    p.add(QStringLiteral("Billing..sp_Billing_Delete_Existing_ComputedDiscount_All"),
          deleteExistingComputedDiscountAll);
    p.add(QStringLiteral("ZEP..sp_ZEP_GetPatientInfo"), getPatientInfo);
    p.add(QStringLiteral("ZEP..sp_ZEP_GetPatientInfoforARR"), getPatientInfoForARR);
}

} // namespace server
