// The demo hospital's patients and their visits: who is admitted now, who came to the
// out-patient clinics and the ER today, and two years of history before that.
#include "demo_internal.h"

#include <QDateTime>
#include <QSet>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace tools::demo {

using namespace hospitalgen;

namespace {

constexpr int kPatients = 320;
// The order in which patients are drawn for today's roles (after a shuffle):
constexpr int kCurrent = 60;       // [0, 60) admitted now
constexpr int kErToday = 10;       // [60, 70) in the ER today, 3 of them then admitted
constexpr int kOpdToday = 30;      // [70, 100) at the out-patient clinics today
constexpr int kDischargedNow = 12; // [100, 112) discharged today (6) or yesterday (6)
constexpr int kDialysisToday = 15; // the first of today's out-patients come for dialysis
constexpr int kDialysisOther = 10; // [112, 122) dialysis patients not due today

} // namespace

const QVector<Problem>& problems() {
    static const QVector<Problem> v{
        // 0..13: reasons for admission
        {"Body weakness and decreased urine output", "Chronic kidney disease stage 5",
         "Insertion of internal jugular catheter; hemodialysis", "Hemodialysis", "04", "Nephrology",
         true, false},
        {"Bipedal edema and difficulty of breathing",
         "ESRD secondary to diabetic nephropathy; fluid overload", "Emergency hemodialysis",
         "Hemodialysis", "04", "Nephrology", true, false},
        {"Elevated creatinine on routine check-up", "Chronic glomerulonephritis", "Kidney biopsy",
         "Nephrology", "01", "Nephrology", false, false},
        {"Fever and right flank pain", "Acute pyelonephritis", "", "Internal Medicine", "01",
         "Internal Medicine", false, false},
        {"Scheduled for living-related kidney transplant",
         "ESRD secondary to chronic glomerulonephritis, for kidney transplant",
         "Living-related kidney transplant", "Renal Transplant Recipient", "03",
         "Transplant Surgery", false, true},
        {"Voluntary kidney donor for a relative", "Living kidney donor",
         "Laparoscopic donor nephrectomy", "Donor Nephrectomy", "03", "Transplant Surgery", false,
         true},
        {"Decreased urine output after transplant",
         "Status post kidney transplant, acute cellular rejection",
         "Pulse methylprednisolone; graft biopsy", "Post-Transplant", "03", "Nephrology", false,
         false},
        {"Severe colicky left flank pain", "Nephrolithiasis, left, with obstruction",
         "Ureteroscopic lithotripsy", "Urology", "02", "Urology", false, true},
        {"Difficulty of urination", "Benign prostatic hyperplasia with obstructive uropathy",
         "Transurethral resection of the prostate", "Urology", "02", "Urology", false, true},
        {"Non-functioning AV fistula", "Thrombosed arteriovenous fistula",
         "Creation of new AV fistula", "Vascular", "02", "Vascular Surgery", false, true},
        {"Generalized edema", "Nephrotic syndrome, steroid-dependent", "", "Pedia-Nephro", "05",
         "Pediatric Nephrology", false, false},
        {"Abdominal pain and cloudy dialysate", "Peritonitis in a peritoneal dialysis patient",
         "Peritoneal fluid culture; intraperitoneal antibiotics", "Peritoneal Dialysis", "04",
         "Nephrology", false, false},
        {"Joint pains and facial rash with edema", "Lupus nephritis class IV", "Kidney biopsy",
         "Nephrology", "01", "Nephrology", false, false},
        {"Vomiting and body weakness", "Acute kidney injury secondary to severe dehydration",
         "Hemodialysis", "Nephrology", "01", "Nephrology", true, false},
        // 14..17: out-patient visits
        {"Scheduled hemodialysis", "ESRD on maintenance hemodialysis", "Hemodialysis",
         "Hemodialysis", "04", "Nephrology", true, false},
        {"Post-transplant follow-up", "Status post kidney transplant, stable graft function", "",
         "Post-Transplant", "03", "Nephrology", false, false},
        {"Pre-transplant work-up", "ESRD, kidney transplant candidate", "",
         "Renal Transplant Recipient", "03", "Transplant Surgery", false, false},
        {"Follow-up check-up", "Chronic kidney disease stage 3; hypertension", "", "Out-Patient",
         "01", "Nephrology", false, false},
        // 18..20: ER visits
        {"Difficulty of breathing", "Fluid overload in a dialysis patient; hyperkalemia",
         "Emergency hemodialysis", "ER", "06", "Emergency Medicine", true, false},
        {"High-grade fever with chills", "Catheter-related bloodstream infection",
         "Removal of dialysis catheter", "ER", "06", "Emergency Medicine", false, false},
        {"Severe headache, BP 200/120", "Hypertensive urgency in chronic kidney disease", "", "ER",
         "06", "Emergency Medicine", false, false},
    };
    return v;
}

namespace {

class Builder {
public:
    Builder(Rng& rng, const Catalogues& cat, World& w) : rng_(rng), cat_(cat), w_(w) {}

    void run() {
        makePatients();
        QVector<int> order(kPatients);
        for (int i = 0; i < kPatients; ++i)
            order[i] = i;
        for (int i = kPatients - 1; i > 0; --i)
            std::swap(order[i], order[rng_.range(0, i)]);

        int at = 0;
        for (int n = 0; n < kCurrent; ++n, ++at)
            currentAdmission(order[at], n < 5 ? 0 : -(1 + int(std::pow(rng_.unit(), 1.7) * 21)));
        for (int n = 0; n < kErToday; ++n, ++at)
            erToday(order[at], n);
        for (int n = 0; n < kOpdToday; ++n, ++at) {
            if (n < kDialysisToday)
                dialysisSchedule(order[at], 0);
            else
                outPatient(order[at], 0, pickOpdProblem());
        }
        for (int n = 0; n < kDischargedNow; ++n, ++at)
            pastAdmission(order[at], n < 6 ? 0 : -1);
        for (int n = 0; n < kDialysisOther; ++n, ++at)
            dialysisSchedule(order[at], -rng_.range(1, 2));

        // Two years of history for everyone.
        static const Weighted howMany(QVector<int>{30, 35, 20, 10, 5});
        for (int p = 0; p < kPatients; ++p) {
            const int k = howMany.draw(rng_);
            for (int j = 0; j < k; ++j)
                historyVisit(p, Kind(kinds().draw(rng_)));
            if (w_.patients[p].visits.isEmpty())
                historyVisit(p, Kind::OutPatient);
            if (w_.patients[p].visits.isEmpty())
                outPatient(p, -rng_.range(30, 700), pickOpdProblem());
        }
        number();
        lastVisitsOfTheDead();
    }

private:
    void makePatients() {
        qint64 serial = 104200;
        w_.patients.reserve(kPatients);
        for (int i = 0; i < kPatients; ++i) {
            Patient p;
            serial += rng_.range(1, 4);
            p.hospNum = hospitalNumber(serial);
            p.sex = rng_.percent(54) ? Sex::Male : Sex::Female;
            const int age = patientAge(rng_);
            p.birth = birthDate(rng_, w_.today, age);
            p.name = personName(rng_, p.sex, age);
            p.civil = civilStatus(rng_, age);
            p.address = homeAddress(rng_);
            p.birthTown = birthTown(rng_);
            p.religion = religion(rng_);
            p.work = work(rng_, age, p.sex);
            if (rng_.percent(85))
                p.phone = mobileNumber(rng_);
            w_.patients.append(p);
        }
    }

    int age(int patient) const { return ageOn(w_.patients[patient].birth, w_.today); }

    QDate day(int offset) const { return w_.today.addDays(offset); }

    QTime time(int fromHour, int toHour) {
        return QTime(rng_.range(fromHour, toHour), rng_.range(0, 11) * 5);
    }

    // Whether the patient was already admitted at some time between the two days (or, with
    // `anyVisit`, came to the hospital at all).
    bool busy(int patient, const QDate& from, const QDate& to, bool anyVisit = false) const {
        for (int v : w_.patients[patient].visits) {
            const Visit& x = w_.visits[v];
            if (x.kind != Kind::Admission && !anyVisit)
                continue;
            const QDate end = x.current() ? w_.today : x.dcrDay;
            if (from <= end && x.admDay <= to)
                return true;
        }
        return false;
    }

    int doctorFor(int problem) {
        const QString specialty = QString::fromLatin1(problems().at(problem).specialty);
        QVector<int> fit;
        for (int i = 0; i < cat_.doctors.size(); ++i)
            if (cat_.doctors[i].specialty == specialty)
                fit.append(i);
        return fit.isEmpty() ? rng_.range(0, int(cat_.doctors.size()) - 1) : rng_.pick(fit);
    }

    int pickAdmissionProblem(int patient) {
        const int a = age(patient);
        if (a < 18)
            return rng_.percent(60) ? 10 : rng_.pick(QVector<int>{2, 3, 13});
        static const Weighted w(QVector<int>{14, 12, 8, 7, 6, 4, 5, 6, 4, 6, 0, 4, 4, 6});
        int p = w.draw(rng_);
        if (p == 5 && (a < 21 || a > 55))
            p = 2;
        if (p == 4 && a > 62)
            p = 0;
        if (p == 8 && (w_.patients[patient].sex == Sex::Female || a < 45))
            p = 7;
        return p;
    }

    int pickOpdProblem() { return rng_.pick(QVector<int>{15, 15, 16, 17, 17, 17, 2, 12}); }

    QChar pickClass(int payChance) {
        return rng_.percent(payChance) ? QLatin1Char('P') : QLatin1Char('S');
    }

    // A room for an admission: wards for service patients, private rooms and suites for pay
    // patients, the transplant unit for transplants. Beds of patients admitted now are
    // never shared.
    QString roomFor(int patient, int problem, QChar cls, bool now) {
        QString prefix;
        if (problem == 4 || problem == 5 || problem == 6)
            prefix = QStringLiteral("TX-");
        else if (problem == 1 && rng_.percent(30))
            prefix = QStringLiteral("ICU-");
        else if (age(patient) < 18)
            prefix = QStringLiteral("PW-");
        else if (cls == QLatin1Char('P'))
            prefix = rng_.percent(85) ? QStringLiteral("3") : QStringLiteral("5");
        else
            prefix = problems().at(problem).surgery ? QStringLiteral("W4-") : QStringLiteral("W3-");
        QVector<int> fit, free;
        for (int i = 0; i < cat_.rooms.size(); ++i) {
            const Room& r = cat_.rooms[i];
            if (!r.active)
                continue;
            if (!now || !occupied_.contains(r.id))
                free.append(i);
            if (r.id.startsWith(prefix) && (!now || !occupied_.contains(r.id)))
                fit.append(i);
        }
        const QString id = cat_.rooms[rng_.pick(fit.isEmpty() ? free : fit)].id;
        if (now)
            occupied_.insert(id);
        return id;
    }

    int add(const Visit& v) {
        w_.visits.append(v);
        const int i = int(w_.visits.size()) - 1;
        w_.patients[v.patient].visits.append(i);
        return i;
    }

    Visit visit(Kind k, int patient, int problem, QChar cls) {
        Visit v{};
        v.kind = k;
        v.patient = patient;
        v.problem = problem;
        v.cls = cls;
        v.doctor = doctorFor(problem);
        return v;
    }

    int currentAdmission(int patient, int offset, int problem = -1, const QTime& at = {}) {
        if (problem < 0)
            problem = pickAdmissionProblem(patient);
        Visit v = visit(Kind::Admission, patient, problem, pickClass(30));
        v.admDay = day(offset);
        v.admTime = at.isValid() ? at : time(offset == 0 ? 0 : 6, offset == 0 ? 5 : 22);
        v.room = roomFor(patient, problem, v.cls, true);
        if (!at.isValid())
            maybeFromClinic(v);
        return add(v);
    }

    // Some admissions start as a clinic visit on the same morning.
    void maybeFromClinic(Visit& v) {
        if (!rng_.percent(12) || v.admTime.hour() < 9)
            return;
        Visit o = visit(Kind::OutPatient, v.patient, 17, v.cls);
        o.doctor = v.doctor;
        o.admDay = v.admDay;
        o.admTime = v.admTime.addSecs(-3600 * rng_.range(1, 2));
        o.dcrDay = v.admDay;
        o.dcrTime = v.admTime;
        o.disposition = QStringLiteral("ADMITTED");
        v.linkedOpd = add(o);
    }

    void pastAdmission(int patient, int dischargeOffset) {
        const int problem = pickAdmissionProblem(patient);
        const bool transplant = problem == 4 || problem == 5;
        const int stay = transplant ? rng_.range(8, 16) : rng_.range(2, 10);
        Visit v = visit(Kind::Admission, patient, problem, pickClass(30));
        v.dcrDay = day(dischargeOffset);
        v.admDay = v.dcrDay.addDays(-stay);
        if (busy(patient, v.admDay, v.dcrDay, true))
            return;
        v.admTime = time(6, 22);
        v.dcrTime = time(9, dischargeOffset == 0 ? 11 : 17);
        v.room = roomFor(patient, problem, v.cls, false);
        // Most go home better; a few leave against advice or go to another hospital.
        static const Weighted weights(QVector<int>{16, 4, 1, 1});
        static const QVector<QString> outcomes{QStringLiteral("IMPROVED"),
                                               QStringLiteral("RECOVERED"), QStringLiteral("HAMA"),
                                               QStringLiteral("TRANSFERRED")};
        v.disposition = transplant ? QStringLiteral("IMPROVED") : outcomes.at(weights.draw(rng_));
        maybeFromClinic(v);
        add(v);
    }

    void outPatient(int patient, int offset, int problem) {
        if (busy(patient, day(offset), day(offset)))
            return;
        Visit v = visit(Kind::OutPatient, patient, problem, pickClass(40));
        v.admDay = day(offset);
        v.admTime = time(7, 11);
        if (offset < 0) {
            v.dcrDay = v.admDay;
            v.dcrTime = v.admTime.addSecs(60 * rng_.range(40, 200));
        }
        add(v);
    }

    // Maintenance dialysis: alternately three and four days apart, for eight weeks up to
    // the last session `lastOffset` days from today.
    void dialysisSchedule(int patient, int lastOffset) {
        Patient& p = w_.patients[patient];
        p.hemodialysis = true;
        const QChar cls = pickClass(15);
        const QTime slot = QTime(rng_.pick(QVector<int>{6, 10, 14}), 0);
        const int doctor = doctorFor(14);
        QVector<int> days;
        for (int d = lastOffset, step = 0; d > -56; d -= (step++ % 2 == 0 ? 3 : 4))
            days.prepend(d);
        for (int d : days) {
            if (busy(patient, day(d), day(d)))
                continue;
            Visit v = visit(Kind::OutPatient, patient, 14, cls);
            v.doctor = doctor;
            v.admDay = day(d);
            v.admTime = slot.addSecs(60 * rng_.range(0, 3) * 5);
            if (d < 0) {
                v.dcrDay = v.admDay;
                v.dcrTime = v.admTime.addSecs(4 * 3600 + 60 * rng_.range(0, 6) * 5);
            }
            add(v);
        }
    }

    void erToday(int patient, int n) {
        const int problem = rng_.pick(QVector<int>{18, 18, 19, 20, 3, 7});
        Visit v = visit(Kind::ER, patient, problem, pickClass(45));
        v.admDay = w_.today;
        v.admTime = time(0, 7);
        if (n < 3) { // brought up to the wards
            v.dcrDay = w_.today;
            v.dcrTime = v.admTime.addSecs(60 * rng_.range(90, 180));
            v.disposition = QStringLiteral("ADMITTED");
            add(v);
            const int admProblem = problem >= 18 ? (problem == 18 ? 1 : 0) : problem;
            currentAdmission(patient, 0, admProblem, v.dcrTime.addSecs(600));
        } else if (n < 6) { // still in the ER
            add(v);
        } else {
            v.dcrDay = w_.today;
            v.dcrTime = v.admTime.addSecs(60 * rng_.range(60, 150));
            v.disposition = n == 9 ? QStringLiteral("HAMA") : QStringLiteral("DISCHARGED");
            add(v);
        }
    }

    void pastEr(int patient, int offset) {
        if (busy(patient, day(offset), day(offset + 1)))
            return;
        const int problem = rng_.pick(QVector<int>{18, 18, 19, 20, 20, 3, 7});
        Visit v = visit(Kind::ER, patient, problem, pickClass(45));
        v.admDay = day(offset);
        v.admTime = time(0, 23);
        const int minutes = rng_.range(90, 600);
        const QDateTime end =
            QDateTime(v.admDay, v.admTime, QTimeZone::utc()).addSecs(60 * minutes);
        v.dcrDay = end.date();
        v.dcrTime = end.time();
        static const Weighted weights(QVector<int>{24, 2, 2, 1});
        static const QVector<QString> outcomes{QStringLiteral("DISCHARGED"), QStringLiteral("HAMA"),
                                               QStringLiteral("TRANSFERRED"),
                                               QStringLiteral("ABSCONDED")};
        v.disposition = outcomes.at(weights.draw(rng_));
        add(v);
    }

    static const Weighted& kinds() {
        static const Weighted w(QVector<int>{30, 50, 20}); // admissions, clinic, ER
        return w;
    }

    void historyVisit(int patient, Kind k) {
        const int offset = -(3 + int(std::pow(rng_.unit(), 1.4) * 725));
        switch (k) {
        case Kind::Admission:
            pastAdmission(patient, offset);
            break;
        case Kind::OutPatient:
            outPatient(patient, offset, pickOpdProblem());
            break;
        case Kind::ER:
            pastEr(patient, offset);
            break;
        }
    }

    // Numbers are given in the order the visits happened, each kind from its own counter.
    void number() {
        QVector<int> byTime(w_.visits.size());
        for (int i = 0; i < byTime.size(); ++i)
            byTime[i] = i;
        std::stable_sort(byTime.begin(), byTime.end(), [&](int a, int b) {
            const Visit& x = w_.visits[a];
            const Visit& y = w_.visits[b];
            if (x.admDay != y.admDay)
                return x.admDay < y.admDay;
            if (x.admTime != y.admTime)
                return x.admTime < y.admTime;
            return int(x.kind) < int(y.kind);
        });
        qint64 adm = 512340, opd = 412000, er = 61200;
        for (int i : byTime) {
            Visit& v = w_.visits[i];
            switch (v.kind) {
            case Kind::Admission:
                v.idNum = admissionNumber(adm += rng_.range(1, 3));
                break;
            case Kind::OutPatient:
                v.idNum = outPatientNumber(opd += rng_.range(1, 2));
                break;
            case Kind::ER:
                v.idNum = erNumber(er += rng_.range(1, 2));
                break;
            }
        }
        QVector<int> rank(byTime.size());
        for (int r = 0; r < byTime.size(); ++r)
            rank[byTime[r]] = r;
        for (Patient& p : w_.patients)
            std::sort(p.visits.begin(), p.visits.end(),
                      [&](int a, int b) { return rank[a] < rank[b]; });
    }

    // A few patients did not survive their last visit, long enough ago that nothing after
    // it is missing.
    void lastVisitsOfTheDead() {
        int er = 0, adm = 0;
        const QDate before = w_.today.addDays(-20);
        for (Patient& p : w_.patients) {
            if (p.visits.isEmpty() || p.hemodialysis)
                continue;
            Visit& last = w_.visits[p.visits.last()];
            if (last.current() || last.dcrDay > before)
                continue;
            if (last.kind == Kind::ER && er < 3 &&
                last.disposition == QLatin1String("DISCHARGED")) {
                last.disposition = QStringLiteral("EXPIRED");
                ++er;
            } else if (last.kind == Kind::Admission && adm < 2 &&
                       last.disposition == QLatin1String("IMPROVED")) {
                last.disposition = QStringLiteral("DIED");
                ++adm;
            }
        }
    }

    Rng& rng_;
    const Catalogues& cat_;
    World& w_;
    QSet<QString> occupied_;
};

} // namespace

void buildPatients(Rng& rng, const Catalogues& cat, World& w) {
    Builder(rng, cat, w).run();
}

} // namespace tools::demo
