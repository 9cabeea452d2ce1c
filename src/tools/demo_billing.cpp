// The demo hospital's bills: charge lines by revenue centre for the patients admitted now
// and the visits of the last four months, medicare cover, sponsors' fund allocations and
// the department's pending discount lines.
#include "demo_internal.h"

#include "db/connection.h"
#include "discount/discountcompute.h"
#include "server/server.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <cmath>

namespace tools::demo {

using namespace hospitalgen;

namespace {

constexpr int kBilledDays = 120; // older visits were billed in the previous system

QStringList chargeColumns() {
    return {
        QStringLiteral("IdNum"),       QStringLiteral("RevenueID"),     QStringLiteral("ItemID"),
        QStringLiteral("Description"), QStringLiteral("Quantity"),      QStringLiteral("Amount"),
        QStringLiteral("TransDate"),   QStringLiteral("ChargeSlip"),    QStringLiteral("RefNum"),
        QStringLiteral("RoomID"),      QStringLiteral("CDFAccountNum"), QStringLiteral("UserID")};
}

class Billing {
public:
    Billing(db::Connection& c, Rng& rng, const Catalogues& cat, const Staff& staff, const World& w,
            const QVector<Assessed>& assessed)
        : c_(c), rng_(rng), cat_(cat), staff_(staff), w_(w),
          inPatient_(c, QStringLiteral("BILLING.tbBillDailyBill"), chargeColumns()),
          outPatient_(c, QStringLiteral("BILLING.tbBillOPDailyOut"), chargeColumns()),
          medicare_(
              c, QStringLiteral("BILLING.tbBillMedicare"),
              {QStringLiteral("IdNum"), QStringLiteral("RevenueID"), QStringLiteral("Amount")}) {
        for (const Assessed& a : assessed)
            (a.special ? special_ : assessed_).insert(a.visit);
    }

    void run() {
        allocations();
        for (int i = 0; i < w_.visits.size(); ++i) {
            const Visit& v = w_.visits[i];
            const QDate last = v.current() ? w_.today : v.dcrDay;
            if (last < w_.today.addDays(-kBilledDays))
                continue;
            lines_.clear();
            if (v.kind == Kind::Admission)
                admission(i);
            else
                clinicOrEr(i);
            write(i);
        }
        inPatient_.flush();
        outPatient_.flush();
        medicare_.flush();
        storeComputations();
    }

private:
    struct Line {
        QString revenueId, itemId, description;
        int quantity;
        qint64 amount; // centavos
        QDate day;
        QTime time;
        QString account; // CDF account paying for it
    };

    void allocations() {
        Rows rows(c_, QStringLiteral("BILLING.tbBillCDFAllocation"),
                  {QStringLiteral("AccountNum"), QStringLiteral("RefNum"),
                   QStringLiteral("HospNum"), QStringLiteral("IdNum"), QStringLiteral("CompanyID"),
                   QStringLiteral("Amount"), QStringLiteral("TransDate"),
                   QStringLiteral("Validity"), QStringLiteral("UserID")});
        for (const Allocation& a : w_.allocations) {
            rows.add({a.accountNum, a.refNum, w_.patients[a.patient].hospNum,
                      a.visit >= 0 ? QVariant(w_.visits[a.visit].idNum) : QVariant(), a.companyId,
                      pesos(a.amount), stamp(a.day, a.time),
                      a.day.addDays(180).toString(Qt::ISODate), staff_.billingClerk});
            left_.insert(a.accountNum, a.amount);
        }
        rows.flush();
    }

    // The rate column of a visit: the room's rate class for admissions, the OPD rate (A)
    // for clinic and ER visits.
    int rateIndex(const Visit& v) const {
        if (v.kind != Kind::Admission)
            return 0;
        for (const Room& r : cat_.rooms)
            if (r.id == v.room)
                return r.rateClass.unicode() - 'A';
        return 1;
    }

    void charge(const Visit& v, const QString& rev, const QString& id, int quantity,
                const QDate& day, const QTime& time) {
        const Item& it = cat_.item(rev, id);
        lines_.append(
            {rev, id, it.name, quantity, it.rate[rateIndex(v)] * quantity, day, time, {}});
    }
    void chargeAny(const Visit& v, const QString& rev, int quantity, const QDate& day,
                   const QTime& time) {
        const QVector<const Item*> items = cat_.itemsOf(rev);
        charge(v, rev, rng_.pick(items)->itemId, quantity, day, time);
    }
    QTime anyTime() { return QTime(rng_.range(7, 19), rng_.range(0, 59)); }

    QString roomItem(const QString& room) const {
        if (room.startsWith(QLatin1String("ICU")))
            return QStringLiteral("RA0005");
        if (room.startsWith(QLatin1String("TX")))
            return QStringLiteral("RA0006");
        if (room == QLatin1String("505") || room == QLatin1String("506"))
            return QStringLiteral("RA0004");
        if (room.startsWith(QLatin1Char('5')))
            return QStringLiteral("RA0003");
        if (room.startsWith(QLatin1Char('3')))
            return QStringLiteral("RA0002");
        return QStringLiteral("RA0001");
    }

    void admission(int vi) {
        const Visit& v = w_.visits[vi];
        const Problem& pr = problems().at(v.problem);
        const QDate end = v.current() ? w_.today : v.dcrDay;
        const int nights = int(v.admDay.daysTo(end));
        static const QStringList firstLabs{QStringLiteral("LB0001"), QStringLiteral("LB0002"),
                                           QStringLiteral("LB0003"), QStringLiteral("LB0004"),
                                           QStringLiteral("LB0006")};
        for (int d = 0; d <= nights; ++d) {
            const QDate day = v.admDay.addDays(d);
            if (d < nights)
                charge(v, QStringLiteral("RA"), roomItem(v.room), 1, day, QTime(23, 59));
            if (d == 0) {
                for (const QString& lab : firstLabs)
                    charge(v, QStringLiteral("LB"), lab, 1, day, v.admTime.addSecs(1800));
                if (rng_.percent(50))
                    charge(v, QStringLiteral("XR"), QStringLiteral("XR0001"), 1, day, anyTime());
                if (rng_.percent(40))
                    charge(v, QStringLiteral("HS"), QStringLiteral("HS0001"), 1, day, anyTime());
                if (rng_.percent(30))
                    chargeAny(v, QStringLiteral("US"), 1, day, anyTime());
                if (rng_.percent(8))
                    chargeAny(v, QStringLiteral("CT"), 1, day, anyTime());
                charge(v, QStringLiteral("CS"), QStringLiteral("CS0001"), 1, day,
                       v.admTime.addSecs(900));
            } else if (d % 2 == 0) {
                chargeAny(v, QStringLiteral("LB"), 1, day, QTime(6, rng_.range(0, 59)));
            }
            for (int k = rng_.range(1, 2); k > 0; --k)
                chargeAny(v, QStringLiteral("PH"), rng_.range(1, 3), day, anyTime());
            if (d % 2 == 1)
                chargeAny(v, QStringLiteral("CS"), rng_.range(1, 4), day, anyTime());
            if (pr.dialysis && d % 2 == 0) {
                charge(v, QStringLiteral("DI"),
                       d == 0 ? QStringLiteral("DI0002") : QStringLiteral("DI0001"), 1, day,
                       QTime(10, 0));
                charge(v, QStringLiteral("CS"), QStringLiteral("CS0004"), 1, day, QTime(10, 0));
                charge(v, QStringLiteral("CS"), QStringLiteral("CS0005"), 1, day, QTime(10, 0));
                charge(v, QStringLiteral("RN"), QStringLiteral("RN0003"), 1, day, QTime(10, 0));
            }
            if (v.problem == 4 && d >= 1) {
                charge(v, QStringLiteral("PH"), QStringLiteral("PH0008"), 4, day, QTime(8, 0));
                charge(v, QStringLiteral("PH"), QStringLiteral("PH0009"), 2, day, QTime(8, 0));
                if (d % 3 == 1)
                    charge(v, QStringLiteral("LB"), QStringLiteral("LB0019"), 1, day, QTime(6, 0));
            }
            if (pr.surgery && d == 1) {
                static const QHash<int, QString> operation{{4, QStringLiteral("OR0003")},
                                                           {5, QStringLiteral("OR0004")},
                                                           {7, QStringLiteral("OR0006")},
                                                           {8, QStringLiteral("OR0002")},
                                                           {9, QStringLiteral("OR0005")}};
                charge(v, QStringLiteral("OR"),
                       operation.value(v.problem, QStringLiteral("OR0002")), 1, day, QTime(9, 0));
                charge(v, QStringLiteral("OS"), QStringLiteral("OS0002"), 1, day, QTime(9, 0));
                charge(v, QStringLiteral("OS"), QStringLiteral("OS0001"), rng_.range(2, 4), day,
                       QTime(9, 0));
                if (v.problem == 4)
                    charge(v, QStringLiteral("PH"), QStringLiteral("PH0011"), 1, day, QTime(9, 30));
            }
        }
        // Pay patients are billed their doctors' fees; service patients are not.
        if (v.cls == QLatin1Char('P')) {
            const Doctor& doc = cat_.doctors[v.doctor];
            lines_.append({QStringLiteral("MD"),
                           doc.id,
                           QStringLiteral("Professional Fee - ") + doc.name,
                           1,
                           qint64(rng_.range(10, 80)) * 500 * 100,
                           end,
                           QTime(12, 0),
                           {}});
        }
    }

    void clinicOrEr(int vi) {
        const Visit& v = w_.visits[vi];
        const QDate day = v.admDay;
        const QTime at = v.admTime.addSecs(600);
        if (v.kind == Kind::ER) {
            charge(v, QStringLiteral("ER"), QStringLiteral("ER0001"), 1, day, at);
            charge(v, QStringLiteral("LB"), QStringLiteral("LB0001"), 1, day, at);
            charge(v, QStringLiteral("LB"), QStringLiteral("LB0006"), 1, day, at);
            if (rng_.percent(40))
                charge(v, QStringLiteral("XR"), QStringLiteral("XR0001"), 1, day, at);
            if (rng_.percent(30))
                charge(v, QStringLiteral("HS"), QStringLiteral("HS0001"), 1, day, at);
            chargeAny(v, QStringLiteral("PH"), rng_.range(1, 3), day, at);
            if (v.problem == 18)
                charge(v, QStringLiteral("DI"), QStringLiteral("DI0002"), 1, day, at.addSecs(3600));
            return;
        }
        if (v.problem == 14) {
            charge(v, QStringLiteral("DI"), QStringLiteral("DI0001"), 1, day, v.admTime);
            charge(v, QStringLiteral("RN"), QStringLiteral("RN0003"), 1, day, v.admTime);
            if (rng_.percent(50))
                charge(v, QStringLiteral("RN"), QStringLiteral("RN0001"), 1, day, v.admTime);
            if (rng_.percent(25))
                charge(v, QStringLiteral("CS"), QStringLiteral("CS0004"), 1, day, v.admTime);
            return;
        }
        for (int k = rng_.range(1, 3); k > 0; --k)
            chargeAny(v, QStringLiteral("LB"), 1, day, at);
        if (v.problem == 15)
            charge(v, QStringLiteral("LB"), QStringLiteral("LB0019"), 1, day, at);
        if (v.problem == 16 && rng_.percent(50))
            charge(v, QStringLiteral("LB"), QStringLiteral("LB0021"), 1, day, at);
        if (rng_.percent(20))
            chargeAny(v, QStringLiteral("US"), 1, day, at);
    }

    // The sponsor's account pays for medicines, laboratory and dialysis until it runs out.
    void payFromFunds(int vi) {
        const Visit& v = w_.visits[vi];
        for (const Allocation& a : w_.allocations) {
            if (a.patient != v.patient || (a.visit >= 0 && a.visit != vi) ||
                a.day > v.admDay.addDays(30))
                continue;
            qint64& left = left_[a.accountNum];
            for (Line& l : lines_) {
                if (!l.account.isEmpty() || l.day < a.day || l.amount > left)
                    continue;
                if (l.revenueId != QLatin1String("PH") && l.revenueId != QLatin1String("LB") &&
                    l.revenueId != QLatin1String("DI") && l.revenueId != QLatin1String("RN"))
                    continue;
                l.account = a.accountNum;
                left -= l.amount;
            }
        }
    }

    void write(int vi) {
        const Visit& v = w_.visits[vi];
        const Patient& p = w_.patients[v.patient];
        payFromFunds(vi);
        Rows& rows = v.kind == Kind::Admission ? inPatient_ : outPatient_;
        QMap<QString, qint64> byCentre;
        for (const Line& l : lines_) {
            rows.add({v.idNum, l.revenueId, l.itemId, l.description, l.quantity, pesos(l.amount),
                      stamp(l.day, l.time),
                      QStringLiteral("CS%1").arg(++slip_, 7, 10, QLatin1Char('0')), QString(),
                      v.kind == Kind::Admission ? v.room : QString(),
                      l.account.isEmpty() ? QVariant() : QVariant(l.account),
                      l.revenueId + QStringLiteral("01")});
            byCentre[l.revenueId] += l.amount;
        }
        pendingDiscount(vi, rows, byCentre);
        cover(v, p, byCentre);
    }

    // A classified patient's visit that no assessment has settled yet (or a special one,
    // which keeps it) carries the department's discount as a pending line.
    void pendingDiscount(int vi, Rows& rows, const QMap<QString, qint64>& byCentre) {
        const Visit& v = w_.visits[vi];
        const Patient& p = w_.patients[v.patient];
        if (p.zepNum.isEmpty() || p.classLapsed || p.expiry < w_.today ||
            (!v.current() && v.admDay != w_.today))
            return;
        if (assessed_.contains(vi) || v.admDay < p.validity)
            return;
        const ClassRow* k = cat_.classByCode(p.classCode);
        if (!k)
            return;
        const bool in = v.kind == Kind::Admission;
        double discount = 0;
        for (auto it = byCentre.cbegin(); it != byCentre.cend(); ++it) {
            const QString& r = it.key();
            double f = in ? k->procedures : k->procedures2;
            if (r == QLatin1String("RA"))
                f = in ? k->room : 0;
            else if (r == QLatin1String("PH") || r == QLatin1String("RN") ||
                     r == QLatin1String("CS") || r == QLatin1String("OS"))
                f = in ? k->medicines : k->medicines2;
            else if (r == QLatin1String("MD") || r == QLatin1String("ER"))
                f = 0;
            discount += f * double(it.value());
        }
        const qint64 centavos = qint64(std::llround(discount));
        if (centavos <= 0)
            return;
        // Billing posts the discount after the last charge it covers.
        QDate day = v.admDay;
        QTime at = v.admTime;
        for (const Line& l : lines_)
            if (l.day > day || (l.day == day && l.time > at)) {
                day = l.day;
                at = l.time;
            }
        if (at < QTime(23, 50))
            at = at.addSecs(300);
        rows.add({v.idNum, QStringLiteral("QF"), QString(),
                  QStringLiteral("QFS Discount - Class ") + p.classCode, 1, pesos(-centavos),
                  stamp(day, at), QStringLiteral("CS%1").arg(++slip_, 7, 10, QLatin1Char('0')),
                  p.zepNum, in ? v.room : QString(), QVariant(), QStringLiteral("QF01")});
    }

    // PhilHealth pays part of room, medicines, laboratory and dialysis for its members, and
    // a lump sum for everything else that is shared out later.
    void cover(const Visit& v, const Patient& p, const QMap<QString, qint64>& byCentre) {
        const bool member = !p.work.membership.isEmpty() || ((v.patient * 7) % 10) < 5;
        if (!member || byCentre.isEmpty())
            return;
        if (v.kind != Kind::Admission && v.problem != 14)
            return;
        qint64 others = 0;
        for (auto it = byCentre.cbegin(); it != byCentre.cend(); ++it) {
            const QString& r = it.key();
            int share = 0;
            if (r == QLatin1String("RA"))
                share = rng_.range(40, 80);
            else if (r == QLatin1String("PH") || r == QLatin1String("LB"))
                share = rng_.range(30, 60);
            else if (r == QLatin1String("DI"))
                share = 100;
            else if (r != QLatin1String("MD"))
                others += it.value();
            if (share > 0)
                medicare_.add({v.idNum, r, pesos(it.value() * share / 100)});
        }
        if (others > 0 && v.kind == Kind::Admission)
            medicare_.add(
                {v.idNum, QStringLiteral("OT"), pesos(others * rng_.range(10, 30) / 100)});
    }

    // The patients admitted now whose assessment was saved have had their discount computed
    // (through the billing procedures themselves), so the computation screen opens on a
    // stored breakdown for them and computes afresh for the others.
    void storeComputations() {
        server::registerProcedures();
        for (const Visit& v : w_.visits) {
            if (v.kind != Kind::Admission || !v.current())
                continue;
            const int vi = int(&v - w_.visits.constData());
            if (!assessed_.contains(vi) && !special_.contains(vi))
                continue;
            discount::computeDiscount(
                c_, {v.idNum, v.linkedOpd >= 0 ? w_.visits[v.linkedOpd].idNum : QString()});
        }
    }

    db::Connection& c_;
    Rng& rng_;
    const Catalogues& cat_;
    const Staff& staff_;
    const World& w_;
    Rows inPatient_, outPatient_, medicare_;
    QSet<int> assessed_, special_;
    QHash<QString, qint64> left_;
    QVector<Line> lines_;
    int slip_ = 1004000;
};

} // namespace

void writeBilling(db::Connection& c, Rng& rng, const Catalogues& cat, const Staff& staff,
                  const World& w, const QVector<Assessed>& assessed) {
    Billing(c, rng, cat, staff, w, assessed).run();
}

} // namespace tools::demo
