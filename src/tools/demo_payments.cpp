// The demo hospital's cashier: receipts for the visits that went home, deposits of the
// patients still admitted, a few visits left unpaid or overpaid and refunded, and the
// residents of the hospital's city with their resident cards.
#include "demo_internal.h"

#include "db/connection.h"
#include "discount/discountcompute.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace tools::demo {

using namespace hospitalgen;

namespace {

const QString kResidentCity = QStringLiteral("Quezon City");

// What is left to pay on each billed visit, in centavos, as every money report reckons it.
QHash<QString, qint64> netOfVisits(db::Connection& c) {
    QHash<QString, qint64> net;
    for (auto rs = c.Query(QStringLiteral("SELECT IdNum, Net FROM BILLING.vwBillVisitMoney"));
         !rs.Eof(); rs.MoveNext())
        net.insert(rs.Text(QStringLiteral("IdNum")),
                   std::llround(rs.Number(QStringLiteral("Net")) * 100));
    return net;
}

class Cashier {
public:
    Cashier(db::Connection& c, Rng& rng, const Staff& staff, const World& w)
        : c_(c), rng_(rng), staff_(staff), w_(w),
          rows_(c, QStringLiteral("BILLING.tbBillPayment"),
                {QStringLiteral("IdNum"), QStringLiteral("ORNumber"),
                 QStringLiteral("PaymentDate"), QStringLiteral("Amount"), QStringLiteral("Kind"),
                 QStringLiteral("UserID"), QStringLiteral("Remarks")}) {}

    void run() {
        const QHash<QString, qint64> net = netOfVisits(c_);
        for (const Visit& v : w_.visits) {
            const auto it = net.constFind(v.idNum);
            if (it == net.cend())
                continue; // billed in the previous system
            if (v.current())
                deposit(v, *it);
            else
                settle(v, *it);
        }
        rows_.flush();
    }

private:
    void add(const Visit& v, const QDate& day, const QTime& time, qint64 centavos, char kind,
             const QString& remarks) {
        if (centavos <= 0)
            return;
        rows_.add({v.idNum, QStringLiteral("OR%1").arg(++receipt_, 7, 10, QLatin1Char('0')),
                   stamp(day, time), pesos(centavos), QString(QLatin1Char(kind)),
                   staff_.billingClerk, remarks});
    }

    QTime cashierTime() { return QTime(rng_.range(8, 16), rng_.range(0, 59)); }

    // Patients still admitted put down a deposit in round thousands on admission.
    void deposit(const Visit& v, qint64 net) {
        if (v.kind != Kind::Admission || !rng_.percent(60))
            return;
        const qint64 thousands = std::clamp<qint64>(net / 200000, 1, 20);
        add(v, v.admDay, v.admTime.addSecs(1800), thousands * 100000, 'D', QString());
    }

    // A visit that ended is paid on its last day; some admissions had put a deposit down,
    // some patients pay only part, some pay more and get the difference back days later.
    void settle(const Visit& v, qint64 net) {
        if (net <= 0)
            return;
        const QTime at = v.dcrTime.isValid() && v.dcrTime > QTime(8, 0) ? v.dcrTime.addSecs(-1800)
                                                                         : cashierTime();
        qint64 left = net;
        if (v.kind == Kind::Admission && rng_.percent(40) && v.admDay < v.dcrDay) {
            const qint64 d = std::min<qint64>(left, qint64(rng_.range(1, 5)) * 100000);
            add(v, v.admDay, v.admTime.addSecs(1800), d, 'D', QString());
            left -= d;
        }
        const int fate = rng_.range(1, 100);
        if (fate <= 8) {
            // Goes home with a promissory note for the rest.
            add(v, v.dcrDay, at, left / 2 / 100 * 100, 'P', QStringLiteral("Promissory note"));
        } else if (fate <= 14) {
            // Pays in round hundreds above the bill; the difference is refunded later, or (the
            // last days) not yet.
            const qint64 paid = (left / 10000 + 1) * 10000 + 10000;
            add(v, v.dcrDay, at, paid, 'P', QString());
            const QDate back = v.dcrDay.addDays(rng_.range(1, 5));
            if (back <= w_.today)
                add(v, back, cashierTime(), paid - left, 'R', QStringLiteral("Excess payment"));
        } else if (fate <= 18) {
            // Nothing paid yet.
        } else {
            add(v, v.dcrDay, at, left, 'P', QString());
        }
    }

    db::Connection& c_;
    Rng& rng_;
    const Staff& staff_;
    const World& w_;
    Rows rows_;
    int receipt_ = 2510000;
};

// The QC reports list the residents of the hospital's city; about half of them carry the
// city's resident card.
void residents(db::Connection& c, Rng& rng, const World& w) {
    c.Execute(QStringLiteral("UPDATE PATIENT_DATA.tbHospitalInfo SET ResidentCity = ?"),
              {kResidentCity});
    int card = 0;
    for (const Patient& p : w.patients) {
        if (towns().at(p.address.town).town != kResidentCity || !rng.percent(50))
            continue;
        c.Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ResidentCardNum = ? "
                                 "WHERE HospNum = ?"),
                  {QStringLiteral("QC-%1").arg(++card + 104000, 8, 10, QLatin1Char('0')),
                   p.hospNum});
    }
}

// The admissions that went home after their assessment had their discount computed before
// the bill was settled, so the income reports show the department's discount on them.
void settledDiscounts(db::Connection& c, const World& w) {
    QSet<QString> assessed, computed;
    for (auto rs = c.Query(QStringLiteral("SELECT IdNum FROM ZEP.tbZEPAssessment")); !rs.Eof();
         rs.MoveNext())
        assessed.insert(rs.Text(QStringLiteral("IdNum")));
    for (auto rs = c.Query(QStringLiteral("SELECT DISTINCT IdNum FROM BILLING.tbBillComputedDiscount"));
         !rs.Eof(); rs.MoveNext())
        computed.insert(rs.Text(QStringLiteral("IdNum")));
    for (const Visit& v : w.visits) {
        if (v.kind != Kind::Admission || v.current() || !assessed.contains(v.idNum) ||
            computed.contains(v.idNum) || v.dcrDay < w.today.addDays(-120))
            continue;
        discount::computeDiscount(
            c, {v.idNum, v.linkedOpd >= 0 ? w.visits[v.linkedOpd].idNum : QString()});
    }
}

} // namespace

void writePayments(db::Connection& c, Rng& rng, const Staff& staff, const World& w) {
    residents(c, rng, w);
    settledDiscounts(c, w);
    Cashier(c, rng, staff, w).run();
}

} // namespace tools::demo
