// zep-bench --discount: one visit's discount computed as the screen computes it, on a visit
// with many charge lines. The bench visit is written to the database before the runs and
// removed after them.
#include "bench_discount.h"
#include "bench_report.h"

#include "db/connection.h"
#include "discount/discountcompute.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace tools {

namespace {

const QString kHosp = QStringLiteral("BENCH-DISCOUNT");
const QString kAdmission = QStringLiteral("99900001");
const QString kOutPatient = QStringLiteral("99900001B");

void removeBenchVisit(db::Connection& c) {
    db::Transaction t(c);
    for (const char* sql :
         {"DELETE FROM BILLING.tbBillDailyBill WHERE IdNum = ?",
          "DELETE FROM BILLING.tbBillOPDailyOut WHERE IdNum = ?",
          "DELETE FROM BILLING.tbBillMedicare WHERE IdNum = ?",
          "DELETE FROM BILLING.tbBillComputedDiscount WHERE IdNum = ?",
          "DELETE FROM ZEP.tbZEPAssessment WHERE IdNum = ?"})
        for (const QString& id : {kAdmission, kOutPatient})
            c.Execute(QString::fromLatin1(sql), {id});
    c.Execute(QStringLiteral("DELETE FROM PATIENT_DATA.tbPatient2 WHERE IdNum = ?"), {kAdmission});
    c.Execute(QStringLiteral("DELETE FROM PATIENT_DATA.tbOutPatient WHERE IdNum = ?"), {kOutPatient});
    c.Execute(QStringLiteral("DELETE FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"), {kHosp});
    t.commit();
}

// An admission that came through an out-patient visit, `lines` charge lines over the
// departments (a tenth of them on the out-patient visit), medicare of three departments and
// of the other items, and a special assessment: every step of the computation runs.
void writeBenchVisit(db::Connection& c, int lines) {
    static const char* const centres[] = {"RA", "LB", "XR", "PH", "CS", "OR", "OS",
                                          "RN", "HS", "US", "DI", "MD"};
    db::Transaction t(c);
    const QString classCode =
        c.Query(QStringLiteral("SELECT Code FROM ZEP.tbZEPClassification ORDER BY Type LIMIT 1"))
            .TextOr(QStringLiteral("Code"));
    c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, "
                             "ZEPClassification) VALUES (?, 'BENCH', 'DISCOUNT', ?)"),
              {kHosp, classCode});
    c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) "
                             "VALUES (?, ?, '2026-01-01 08:00:00')"),
              {kOutPatient, kHosp});
    c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, "
                             "OPDIdNum) VALUES (?, ?, '2026-01-01 10:00:00', ?)"),
              {kAdmission, kHosp, kOutPatient});
    const QString insert = QStringLiteral(
        "INSERT INTO %1 (IdNum, RevenueID, ItemID, Amount, TransDate) "
        "VALUES (?, ?, ?, ?, '2026-01-02 12:00:00')");
    for (int i = 0; i < lines; ++i) {
        const QString rev = QString::fromLatin1(centres[i % 12]);
        const bool out = i % 10 == 9;
        c.Execute(insert.arg(out ? QStringLiteral("BILLING.tbBillOPDailyOut")
                                 : QStringLiteral("BILLING.tbBillDailyBill")),
                  {out ? kOutPatient : kAdmission, rev,
                   rev + QStringLiteral("%1").arg(i % 7 + 1, 4, 10, QLatin1Char('0')),
                   double(100 + (i * 37) % 900) + 0.25 * (i % 4)});
    }
    for (const auto& [rev, amount] :
         {std::pair{"RA", 5000.0}, std::pair{"PH", 3000.0}, std::pair{"DI", 2000.0},
          std::pair{"OT", 4000.0}})
        c.Execute(QStringLiteral("INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) "
                                 "VALUES (?, ?, ?)"),
                  {kAdmission, QString::fromLatin1(rev), amount});
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, IsSpecial, "
                             "NC, AssessDate) VALUES (?, ?, ?, 1, 20000, '2026-01-03 09:00:00')"),
              {kAdmission, kHosp, classCode});
    t.commit();
}

} // namespace

int benchDiscount(const QString& url, int lines, int runs, QTextStream& out) {
    db::ConnectionSettings s = db::ConnectionSettings::fromUrl(url);
    s.create = false;
    auto c = db::Connection::open(s);
    c->setDefaultDatabase(QStringLiteral("ZEP"));
    c->log().setEnabled(false);
    removeBenchVisit(*c);
    writeBenchVisit(*c, lines);
    const discount::VisitNumbers v{kAdmission, kOutPatient};
    QVector<double> first, again;
    int rows = 0;
    try {
        for (int i = 0; i < runs + 1; ++i) {
            c->Call(QStringLiteral("Billing..sp_Billing_Delete_Existing_ComputedDiscount_All"),
                    {kAdmission, kAdmission, QStringLiteral("QF")});
            QElapsedTimer t;
            t.start();
            const discount::ComputeResult r = discount::computeDiscount(*c, v);
            const double computed = t.nsecsElapsed() / 1e6;
            t.restart();
            discount::recomputeDiscount(*c, v);
            const double recomputed = t.nsecsElapsed() / 1e6;
            rows = int(r.rows.size());
            if (i == 0)
                continue; // the first run warms the caches
            first.append(computed);
            again.append(recomputed);
        }
    } catch (...) {
        removeBenchVisit(*c);
        throw;
    }
    removeBenchVisit(*c);
    const Stats a = stats(first), b = stats(again);
    out << "\nDiscount computation of one visit, " << lines << " charge lines, " << rows
        << " departments, " << runs << " runs on " << c->dialect().name()
        << "\n\n| step | median ms | p95 ms |\n|---|---|---|\n"
        << "| compute (fill, medicare shares, special arrangement, store) | "
        << QString::number(a.median, 'f', 2) << " | " << QString::number(a.p95, 'f', 2) << " |\n"
        << "| recompute (remove and compute in one transaction) | "
        << QString::number(b.median, 'f', 2) << " | " << QString::number(b.p95, 'f', 2) << " |\n";
    out.flush();
    return 0;
}

} // namespace tools
