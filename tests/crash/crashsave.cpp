// The child of the crash test: runs one save of the workstation against a database, through
// the same functions and procedures the screens call, and lets the process be killed in the
// middle of it.
//
//   crashsave seed URL
//       a new database with the demo hospital and the few stale records the global update
//       and the recompute are for
//   crashsave run URL SAVE [--kill-statement N | --kill-io N]
//       finds the rows SAVE works on (reading only), arms the kill point, saves; prints
//       "statements S" and "io W" (the statements the save ran, the file operations
//       of its commit) and exits 0 when it was not killed
//
// Exit codes: 0 saved, 2 the save failed (db::Error), 3 bad arguments, nothing to save, or a
// save that did not do what it is for.
#include "killvfs.h"

#include "db/connection.h"
#include "discount/discountcompute.h"
#include "intake/casescommon.h"
#include "intake/intakesave.h"
#include "patient/patienthelpers.h"
#include "referral/arrsave.h"
#include "referral/paytoservice.h"
#include "server/server.h"
#include "tools/demo.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <map>

namespace {

using Save = std::function<void(db::Connection&)>;

QString one(db::Connection& c, const QString& sql, const QVariantList& values = {}) {
    const db::Recordset rs = c.Query(sql, values);
    if (rs.Eof())
        throw std::runtime_error("nothing to save: no row for " + sql.toStdString());
    return rs.Text(0).trimmed();
}

QString worker(db::Connection& c) {
    return one(c, QStringLiteral("SELECT EmployeeID FROM ZEP.tbZEPEmployee ORDER BY EmployeeID"));
}

// ---- What each save works on, read before the kill point is armed ----------------------

// The intake sheet of the first patient with a family of several: the sheet rewritten, the
// family replaced by three members.
Save intake(db::Connection& c) {
    const QString hosp = one(c, QStringLiteral(
        "SELECT HospNum FROM ZEP.tbZEPFamilyMember GROUP BY HospNum HAVING COUNT(*) >= 3 "
        "ORDER BY HospNum"));
    const db::Recordset p = c.Query(
        QStringLiteral("SELECT m.LastName, m.FirstName, m.MiddleName, m.ZEPNum, s.IdNum "
                       "FROM PATIENT_DATA.tbMaster m JOIN ZEP.tbZEPIntakeSheet s "
                       "ON s.HospNum = m.HospNum WHERE m.HospNum = ?"),
        {hosp});
    if (p.Eof())
        throw std::runtime_error("nothing to save: the family has no intake sheet");
    const QString idNum = p.Text(QStringLiteral("IdNum")).trimmed();
    const QString caseNo = p.Text(QStringLiteral("ZEPNum")).trimmed();
    const QString category = one(c, QStringLiteral(
        "SELECT Category FROM ZEP.tbZEPCaseCategory ORDER BY CategoryID"));
    const QString categoryId = one(c, QStringLiteral(
        "SELECT CategoryID FROM ZEP.tbZEPCaseCategory ORDER BY CategoryID"));
    const QString party = one(c, QStringLiteral(
        "SELECT Code FROM ZEP.tbZEPReferringParty ORDER BY Code"));
    const QString worker = ::worker(c);
    intake::IntakeSave s;
    s.hospNum = hosp;
    s.sheet = {hosp, QStringLiteral("03/15/2026"), QStringLiteral("Charity - Partial 50%"),
               category, QStringLiteral("9000"), QStringLiteral("High school"),
               QStringLiteral("301"), p.Text(QStringLiteral("LastName")),
               p.Text(QStringLiteral("FirstName")), p.Text(QStringLiteral("MiddleName")),
               QStringLiteral("12 Mabini St."), QStringLiteral("San Jose"),
               QStringLiteral("3000"), QStringLiteral("Bulacan"), QStringLiteral("Female"),
               QStringLiteral("7/4/1980"), QStringLiteral("Married"), QStringLiteral("Vendor"),
               QStringLiteral("45"), QStringLiteral("044-1234567"), QStringLiteral("SSS 33"),
               QStringLiteral("Hagonoy"), QStringLiteral("R.C."), QStringLiteral("Tindahan"),
               QStringLiteral("Market Rd."), idNum, QStringLiteral("03/14/2026"),
               QStringLiteral("O"), QStringLiteral("03/15/2026"), QStringLiteral("03/15/2027"),
               caseNo, 0};
    s.other = {hosp, QStringLiteral("Dr. Cruz"), QStringLiteral("03/10/2026"),
               QStringLiteral("Sitio Uno"), QStringLiteral("DSWD"), QStringLiteral("AO"),
               QStringLiteral("COE"), QStringLiteral("Mayor"), QStringLiteral("Brgy"),
               QStringLiteral("Other"), QStringLiteral("Dialysis"), QStringLiteral("MD info"),
               QStringLiteral("Pension"), QStringLiteral("Rent; food"), 1, 0, 0, 1, 0,
               QStringLiteral("None"), QStringLiteral("Goals"), QStringLiteral("Action"),
               QStringLiteral("PH-123"), QStringLiteral("Daughter"), QStringLiteral("Employed"),
               QStringLiteral("Impression"), party};
    s.patient = {hosp, idNum, caseNo, QStringLiteral("C2"), category, categoryId,
                 QStringLiteral("03/15/2026"), QStringLiteral("03/15/2027"), worker, party,
                 QStringLiteral("O"), QStringLiteral("Y")};
    s.family = {{QStringLiteral("SANTOS, ANA"), QStringLiteral("40"), QStringLiteral("Wife"),
                 QStringLiteral("Married"), QStringLiteral("College"), QStringLiteral("Clerk"),
                 QStringLiteral("Manila"), QStringLiteral("8000")},
                {QStringLiteral("SANTOS, BEN"), QStringLiteral("12"), QStringLiteral("Son"),
                 QStringLiteral("Single"), QStringLiteral("Grade 6"), QString(), QString(),
                 QString()},
                {QStringLiteral("SANTOS, LIZA"), QStringLiteral("19"), QStringLiteral("Daughter"),
                 QStringLiteral("Single"), QStringLiteral("College"), QStringLiteral("Crew"),
                 QStringLiteral("Bulacan"), QStringLiteral("4500.50")}};
    s.totalIncome = 12500.50;
    return [s](db::Connection& c) { intake::send(c, s); };
}

// The report of the admission with the department's pending charge under the patient's
// own case number: assessment, transaction log, charge removal and documentation.
Save referralReport(db::Connection& c) {
    const db::Recordset v = c.Query(QStringLiteral(
        "SELECT b.IdNum, p.HospNum, m.ZEPNum FROM BILLING.tbBillDailyBill b "
        "JOIN PATIENT_DATA.tbPatient2 p ON p.IdNum = b.IdNum "
        "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = p.HospNum "
        "WHERE b.RevenueID = 'QF' AND b.RefNum = m.ZEPNum ORDER BY b.IdNum"));
    if (v.Eof())
        throw std::runtime_error("nothing to save: no pending department charge");
    referral::ArrSave s;
    s.hospNum = s.shownHospNum = v.Text(QStringLiteral("HospNum")).trimmed();
    s.idNum = s.shownIdNum = v.Text(QStringLiteral("IdNum")).trimmed();
    s.caseNumber = v.Text(QStringLiteral("ZEPNum")).trimmed();
    s.classCode = QStringLiteral("C3");
    s.categoryName = one(c, QStringLiteral("SELECT Category FROM ZEP.tbZEPCaseCategory ORDER BY CategoryID"));
    s.categoryId = one(c, QStringLiteral("SELECT CategoryID FROM ZEP.tbZEPCaseCategory ORDER BY CategoryID"));
    s.parentCategoryId = one(c, QStringLiteral("SELECT ParentCategoryID FROM ZEP.tbZEPParentCategory ORDER BY ParentCategoryID"));
    s.referringParty = one(c, QStringLiteral("SELECT Code FROM ZEP.tbZEPReferringParty ORDER BY Code"));
    s.remarks = QStringLiteral("reassessed after the family visit");
    s.intakeDate = QStringLiteral("03/01/2026");
    s.expiryDate = QStringLiteral("02/28/2027");
    s.workerCode = s.userCode = worker(c);
    s.pcso = true;
    s.pcsoType = QStringLiteral("G");
    s.counterpart = QStringLiteral("1500.50");
    s.active = true;
    s.statusCode = QStringLiteral("O");
    s.serviceCodes = one(c, QStringLiteral("SELECT Code FROM ZEP.tbZEPServiceCategory "
                                           "WHERE ParentCode IS NOT NULL ORDER BY Code")) +
                     QStringLiteral("|");
    s.documentationFlags = QStringLiteral("1|0|1|0|0|0|0|0|0|0|0|0|0|0|0|0|1|0|");
    s.activityCodes = one(c, QStringLiteral("SELECT Code FROM ZEP.tbZEPActivity "
                                            "WHERE ParentCode IS NOT NULL ORDER BY Code")) +
                      QStringLiteral("|");
    return [s](db::Connection& c) {
        if (!referral::send(c, s).saved)
            throw std::runtime_error("the case number belongs to another patient");
    };
}

Save payToService(db::Connection& c, const QString& table, const QString& where) {
    const QString id = one(c, QStringLiteral("SELECT IdNum FROM PATIENT_DATA.%1 WHERE %2 ORDER BY IdNum")
                                  .arg(table, where));
    const QString user = worker(c);
    return [id, user](db::Connection& c) { referral::convertPayToService(c, id, user); };
}

Save classEdit(db::Connection& c) {
    const QString id = one(c, QStringLiteral(
        "SELECT IdNum FROM PATIENT_DATA.tbPatient2 WHERE PatientClass = 'S' ORDER BY IdNum"));
    const QString user = worker(c);
    return [id, user](db::Connection& c) {
        c.Call(QStringLiteral("ZEP..sp_ZEP_UpdatePatientClass"), {id, QStringLiteral("P"), user});
    };
}

// The first entry of the first visit's class history, as the history grid shows it.
Save classHistoryDeletion(db::Connection& c) {
    const QString id = one(c, QStringLiteral(
        "SELECT IdNum FROM ZEP.tbZEPPatClassHistory ORDER BY IdNum"));
    const db::Recordset h = c.Call(QStringLiteral("ZEP..sp_ZEP_GetPatClassHistory"), {id});
    if (h.Eof())
        throw std::runtime_error("nothing to save: no class history");
    const QString cls = h.Text(QStringLiteral("Class")).trimmed();
    const QString when = h.Text(QStringLiteral("Transdate")).trimmed();
    const QString user = worker(c);
    return [=](db::Connection& c) {
        c.Call(QStringLiteral("sp_ZEP_SavePatClassHistory_Deletion"),
               {id, cls, QStringLiteral("Entered on the wrong visit"), when, when, user});
    };
}

Save caseNumberEdit(db::Connection& c) {
    const QString hosp = one(c, QStringLiteral(
        "SELECT HospNum FROM PATIENT_DATA.tbMaster WHERE ZEPNum IS NOT NULL ORDER BY HospNum"));
    const QString user = worker(c);
    return [hosp, user](db::Connection& c) {
        c.Call(QStringLiteral("ZEP..sp_ZEP_UpdateZEPNumber"),
               {hosp, QStringLiteral("ZEP-09001"), user});
    };
}

Save caseNumberDeletion(db::Connection& c) {
    const QString num = one(c, QStringLiteral(
        "SELECT ZEPNum FROM PATIENT_DATA.tbMaster WHERE ZEPNum IS NOT NULL AND "
        "COALESCE(ZEPClassification, '') = '' ORDER BY ZEPNum"));
    const QString user = worker(c);
    return [num, user](db::Connection& c) {
        c.Call(QStringLiteral("ZEP..sp_ZEP_ChangeZEPNumber"), {num, user});
    };
}

Save globalUpdate(db::Connection&) {
    return [](db::Connection& c) { cases::runGlobalUpdate(c); };
}

// The first visit with a stored computation, the first with none but charges, and the first
// with a special arrangement and a stored computation (the path that shares the covered
// amount over the departments).
const QString kSpecialVisit = QStringLiteral(
    "SELECT MIN(a.IdNum) FROM ZEP.tbZEPAssessment a WHERE a.IsSpecial = 1 AND a.NC > 0 AND "
    "EXISTS (SELECT 1 FROM BILLING.tbBillComputedDiscount d WHERE d.IdNum = a.IdNum)");
const QString kStoredVisit = QStringLiteral(
    "SELECT MIN(IdNum) FROM BILLING.tbBillComputedDiscount WHERE DiscountID = 'QF'");

enum class Discount { Compute, Recompute, RecomputeSpecial };

Save discount(db::Connection& c, Discount kind) {
    const bool recompute = kind != Discount::Compute;
    const QString id =
        kind == Discount::Recompute          ? one(c, kStoredVisit)
        : kind == Discount::RecomputeSpecial ? one(c, kSpecialVisit)
                                             : one(c, QStringLiteral(
                  "SELECT p.IdNum FROM PATIENT_DATA.tbPatient2 p WHERE NOT EXISTS (SELECT 1 "
                  "FROM BILLING.tbBillComputedDiscount d WHERE d.IdNum = p.IdNum) AND EXISTS "
                  "(SELECT 1 FROM BILLING.tbBillDailyBill b WHERE b.IdNum = p.IdNum) "
                  "ORDER BY p.IdNum"));
    if (id.isEmpty())
        throw std::runtime_error("nothing to save: no visit for the discount");
    const discount::VisitNumbers v{id, discount::isAdmissionNumber(id)
                                           ? patient::MatchingOPDNumber(c, id)
                                           : QString()};
    return [v, recompute, kind](db::Connection& c) {
        const discount::ComputeResult r =
            recompute ? discount::recomputeDiscount(c, v) : discount::computeDiscount(c, v);
        if (r.rows.isEmpty())
            throw std::runtime_error("the computation stored no rows");
        if ((r.loadFlag == 2) != (kind == Discount::RecomputeSpecial))
            throw std::runtime_error("the special arrangement was not applied as expected");
    };
}

Save dischargeClearance(db::Connection& c) {
    const QString id = one(c, QStringLiteral(
        "SELECT IdNum FROM ZEP.tbZEPDischargeNotice WHERE ClearDate IS NULL AND "
        "RevokedAt IS NULL ORDER BY IdNum"));
    const QString user = worker(c);
    return [id, user](db::Connection& c) {
        const db::Recordset rs = c.Call(QStringLiteral("ZEP..sp_ZEP_ClearPatientForDischarge"),
                                        {id, user, QStringLiteral("Bill settled; cleared")});
        if (rs.Eof() || rs.Number(QStringLiteral("Cleared")) != 1)
            throw std::runtime_error("the notice was not cleared");
    };
}

// Not a save of the workstation: two case-number changes in two transactions, the fault
// the crash test is there to find, so that the test shows it finds it.
Save controlTwoTransactions(db::Connection& c) {
    const db::Recordset rs = c.Query(QStringLiteral(
        "SELECT HospNum FROM PATIENT_DATA.tbMaster WHERE ZEPNum IS NOT NULL ORDER BY HospNum "
        "DESC LIMIT 2"));
    if (rs.RecordCount() != 2)
        throw std::runtime_error("nothing to save: fewer than two case numbers");
    const QString first = rs.Text(0).trimmed();
    db::Recordset second = rs;
    second.MoveNext();
    const QString other = second.Text(0).trimmed();
    const QString user = worker(c);
    return [=](db::Connection& c) {
        c.Call(QStringLiteral("ZEP..sp_ZEP_UpdateZEPNumber"), {first, QStringLiteral("ZEP-09101"), user});
        c.Call(QStringLiteral("ZEP..sp_ZEP_UpdateZEPNumber"), {other, QStringLiteral("ZEP-09102"), user});
    };
}

const std::map<QString, std::function<Save(db::Connection&)>>& saves() {
    static const std::map<QString, std::function<Save(db::Connection&)>> all{
        {QStringLiteral("intake"), intake},
        {QStringLiteral("referral"), referralReport},
        {QStringLiteral("paytoservice-admission"),
         [](db::Connection& c) {
             return payToService(c, QStringLiteral("tbPatient2"),
                                 QStringLiteral("PatientClass = 'P'"));
         }},
        {QStringLiteral("paytoservice-outpatient"),
         [](db::Connection& c) {
             return payToService(c, QStringLiteral("tbOutPatient"),
                                 QStringLiteral("PatientType LIKE 'P%'"));
         }},
        {QStringLiteral("classedit"), classEdit},
        {QStringLiteral("classhistory-deletion"), classHistoryDeletion},
        {QStringLiteral("casenumber-edit"), caseNumberEdit},
        {QStringLiteral("casenumber-deletion"), caseNumberDeletion},
        {QStringLiteral("globalupdate"), globalUpdate},
        {QStringLiteral("discount-compute"),
         [](db::Connection& c) { return discount(c, Discount::Compute); }},
        {QStringLiteral("discount-recompute"),
         [](db::Connection& c) { return discount(c, Discount::Recompute); }},
        {QStringLiteral("discount-recompute-special"),
         [](db::Connection& c) { return discount(c, Discount::RecomputeSpecial); }},
        {QStringLiteral("discharge-clearance"), dischargeClearance},
        {QStringLiteral("control-two-transactions"), controlTwoTransactions},
    };
    return all;
}

// The demo hospital spells every class as the scheme does; the global update is run after
// the scheme changed, so a few records are given the spellings and the gone class it mends.
void seed(db::Connection& c) {
    QString users;
    QTextStream out(&users);
    tools::createDemo(c, out);
    db::Transaction t(c);
    // The demo stores its computations as it makes them; a recompute is for one made before
    // the charges changed.
    for (const QString& visit : {kStoredVisit, kSpecialVisit})
        c.Execute(QStringLiteral("UPDATE BILLING.tbBillComputedDiscount SET Discount = 0, "
                                 "ComputedAt = '2026-01-05 10:00:00' WHERE IdNum = (%1)")
                      .arg(visit));
    c.Execute(QStringLiteral(
        "UPDATE ZEP.tbZEPAssessment SET Code = ' c3' WHERE IdNum IN (SELECT IdNum FROM "
        "ZEP.tbZEPAssessment WHERE Code = 'C3' ORDER BY IdNum LIMIT 3)"));
    c.Execute(QStringLiteral(
        "UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = 'd' WHERE HospNum IN (SELECT "
        "HospNum FROM PATIENT_DATA.tbMaster WHERE ZEPClassification = 'D' ORDER BY HospNum LIMIT 2)"));
    c.Execute(QStringLiteral(
        "UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = 'X9' WHERE HospNum IN (SELECT "
        "a.HospNum FROM ZEP.tbZEPAssessment a WHERE a.Code = 'C1' ORDER BY a.HospNum LIMIT 2)"));
    t.commit();
}

int usage() {
    std::fprintf(stderr, "usage: crashsave seed URL | crashsave run URL SAVE "
                         "[--kill-statement N | --kill-io N]\n");
    return 3;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return usage();
    // Below every connection, so that a kill point can fall inside the engine's own writes.
    killvfs::install();
    server::registerProcedures();
    db::ConnectionSettings settings = db::ConnectionSettings::fromUrl(args.at(2));
    try {
        if (args.at(1) == QLatin1String("seed")) {
            settings.create = true;
            auto c = db::Connection::open(settings);
            server::migrate(*c);
            seed(*c);
            return 0;
        }
        if (args.at(1) != QLatin1String("run") || args.size() < 4)
            return usage();
        const auto found = saves().find(args.at(3));
        if (found == saves().end())
            return usage();
        int killStatement = 0, killIo = 0;
        if (args.size() >= 6 && args.at(4) == QLatin1String("--kill-statement"))
            killStatement = args.at(5).toInt();
        else if (args.size() >= 6 && args.at(4) == QLatin1String("--kill-io"))
            killIo = args.at(5).toInt();
        else if (args.size() != 4)
            return usage();
        auto c = db::Connection::open(settings);
        const Save save = found->second(*c);
        c->log().clear();
        c->faults().killAfterStatement(killStatement);
        killvfs::arm(c.get(), killIo);
        save(*c);
        const int io = killvfs::operations();
        killvfs::arm(nullptr, 0);
        c->faults().disarm();
        int statements = 0;
        for (const db::LoggedCommand& e : c->log().entries())
            statements += e.kind == db::LoggedCommand::Statement ? 1 : 0;
        std::printf("statements %d\nio %d\n", statements, io);
        return 0;
    } catch (const db::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Description()));
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 3;
    }
}
