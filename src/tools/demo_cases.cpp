// Which demo patients the department knows: their case numbers, their households and the
// class the household income gives, and the sponsors' funds granted to them.
#include "demo_internal.h"

#include <algorithm>

namespace tools::demo {

using namespace hospitalgen;

namespace {

QString education(Rng& rng, int age) {
    if (age < 5)
        return QStringLiteral("None");
    if (age < 7)
        return QStringLiteral("Kindergarten");
    if (age < 13)
        return QStringLiteral("Grade %1").arg(age - 6);
    if (age < 17)
        return QStringLiteral("High School Level");
    static const QVector<QString> adult{
        QStringLiteral("Elementary Level"),     QStringLiteral("Elementary Graduate"),
        QStringLiteral("High School Level"),    QStringLiteral("High School Graduate"),
        QStringLiteral("High School Graduate"), QStringLiteral("Vocational"),
        QStringLiteral("College Level"),        QStringLiteral("College Graduate")};
    return rng.pick(adult);
}

Member member(Rng& rng, const QString& last, const QString& relationship, int age, Sex sex,
              bool married) {
    Member m;
    const PersonName n = personName(rng, sex, age);
    m.name = titleCase(n.first) + QLatin1Char(' ') +
             (n.middle.isEmpty() ? QString() : n.middle.left(1) + QStringLiteral(". ")) +
             titleCase(last.isEmpty() ? n.last : last);
    m.relationship = relationship;
    m.age = QString::number(age);
    if (married)
        m.civilStatus = QStringLiteral("MARRIED");
    else if (age >= 60 && rng.percent(40))
        m.civilStatus = sex == Sex::Female ? QStringLiteral("WIDOW") : QStringLiteral("WIDOWER");
    else
        m.civilStatus = QStringLiteral("SINGLE");
    m.education = education(rng, age);
    m.address = rng.percent(85) ? QStringLiteral("Same")
                                : titleCase(surname(rng)) + QStringLiteral(" Compound");
    const Work job = work(rng, age, sex);
    m.occupation = job.occupation;
    m.income = job.monthlyIncome;
    // Grown children and siblings give the household a part of what they earn.
    if (relationship != QLatin1String("Wife") && relationship != QLatin1String("Husband") &&
        relationship != QLatin1String("Father") && relationship != QLatin1String("Mother"))
        m.income = m.income * rng.range(20, 50) / 100 / 100 * 100;
    return m;
}

// The household as the worker lists it on the intake sheet.
QVector<Member> household(Rng& rng, const Patient& p, int age) {
    QVector<Member> f;
    const Sex other = p.sex == Sex::Male ? Sex::Female : Sex::Male;
    const QString last = p.name.last;
    if (p.civil == QLatin1String("3"))
        f.append(member(rng, last,
                        p.sex == Sex::Male ? QStringLiteral("Wife") : QStringLiteral("Husband"),
                        std::max(20, age + rng.range(-6, 4)), other, true));
    if (age < 25) {
        const int father = age + rng.range(24, 34);
        f.append(member(rng, last, QStringLiteral("Father"), father, Sex::Male, true));
        f.append(member(rng, QString(), QStringLiteral("Mother"), father - rng.range(0, 5),
                        Sex::Female, true));
        for (int i = rng.range(0, 3); i > 0; --i) {
            const Sex s = rng.percent(50) ? Sex::Male : Sex::Female;
            f.append(member(rng, last,
                            s == Sex::Male ? QStringLiteral("Brother") : QStringLiteral("Sister"),
                            std::max(1, age + rng.range(-8, 8)), s, false));
        }
    } else if (p.civil != QLatin1String("1")) {
        const int children = rng.range(0, std::min(5, (age - 20) / 5));
        for (int i = 0; i < children; ++i) {
            const Sex s = rng.percent(50) ? Sex::Male : Sex::Female;
            const int childAge = std::max(1, age - rng.range(20, 34) - 2 * i);
            const bool grownUp = childAge >= 26 && rng.percent(50);
            f.append(member(rng, last,
                            s == Sex::Male ? QStringLiteral("Son") : QStringLiteral("Daughter"),
                            childAge, s, grownUp));
        }
    } else if (rng.percent(50)) {
        const Sex s = rng.percent(50) ? Sex::Male : Sex::Female;
        f.append(member(rng, last,
                        s == Sex::Male ? QStringLiteral("Brother") : QStringLiteral("Sister"),
                        age + rng.range(-10, 10), s, false));
    }
    return f;
}

int familyIncome(const Patient& p) {
    int total = p.work.monthlyIncome;
    for (const Member& m : p.family)
        total += m.income;
    return total;
}

// The class that the household's income per person falls in: the poorest class whose
// bound the income does not exceed. Workers weigh the cost of the illness too: a service
// patient's and a chronic patient's household has less to live on than it earns.
QString classFor(const Catalogues& cat, const Patient& p, const Visit& v) {
    double perPerson = double(familyIncome(p)) / double(p.family.size() + 1);
    if (v.cls == QLatin1Char('S'))
        perPerson *= 0.6;
    const Problem& pr = problems().at(v.problem);
    if (pr.dialysis || v.problem == 4 || v.problem == 6 || v.problem == 15)
        perPerson *= 0.6;
    for (int k = int(cat.classes.size()) - 1; k >= 0; --k)
        if (perPerson <= cat.classes[k].maxPerCapita)
            return cat.classes[k].code;
    return cat.classes.first().code;
}

// The visit at which the department first saw the patient for the current classification.
int intakeVisitOf(Rng& rng, const World& w, const Patient& p) {
    int service = -1, current = -1;
    QVector<int> services;
    for (int v : p.visits) {
        const Visit& x = w.visits[v];
        if (x.kind == Kind::Admission && x.current())
            current = v;
        if (x.cls == QLatin1Char('S')) {
            service = v;
            services.append(v);
        }
    }
    if (current >= 0)
        return current;
    if (p.hemodialysis && !services.isEmpty())
        return services.at(rng.range(0, std::min(3, int(services.size()) - 1)));
    if (service >= 0 && (services.size() == 1 || rng.percent(70)))
        return service;
    if (!services.isEmpty())
        return rng.pick(services);
    return p.visits.last();
}

int chanceOfCase(const World& w, const Patient& p) {
    bool currentService = false, currentPay = false, service = false, today = false;
    for (int v : p.visits) {
        const Visit& x = w.visits[v];
        const bool s = x.cls == QLatin1Char('S');
        if (x.kind == Kind::Admission && x.current())
            (s ? currentService : currentPay) = true;
        if (s)
            service = true;
        if (s && x.admDay == w.today)
            today = true;
    }
    if (currentService)
        return 85;
    if (p.hemodialysis)
        return 90;
    if (today)
        return 50;
    if (service)
        return 35;
    if (currentPay)
        return 15;
    return 5;
}

void grantFunds(Rng& rng, const Catalogues& cat, World& w) {
    static const Weighted sponsors(QVector<int>{30, 8, 6, 5, 10, 8, 8, 4, 10});
    struct Grant {
        int patient, visit;
        QDate day;
    };
    QVector<Grant> grants;
    for (int i = 0; i < w.patients.size(); ++i) {
        const Patient& p = w.patients[i];
        if (p.zepNum.isEmpty())
            continue;
        for (int v : p.visits) {
            const Visit& x = w.visits[v];
            if (x.kind == Kind::Admission && x.current() && x.cls == QLatin1Char('S') &&
                rng.percent(35))
                grants.append(
                    {i, v, x.admDay.addDays(rng.range(0, int(x.admDay.daysTo(w.today))))});
        }
        if (p.hemodialysis && rng.percent(30))
            grants.append({i, -1, w.today.addDays(-rng.range(20, 90))});
        else if (!p.hemodialysis && rng.percent(8))
            grants.append({i, -1, p.validity.addDays(rng.range(0, 20))});
    }
    std::stable_sort(grants.begin(), grants.end(),
                     [](const Grant& a, const Grant& b) { return a.day < b.day; });
    int serial = 4100, gl = 2300;
    for (const Grant& g : grants) {
        if (g.day > w.today)
            continue;
        Allocation a;
        a.patient = g.patient;
        a.visit = g.visit;
        a.day = g.day;
        a.time = QTime(rng.range(8, 16), rng.range(0, 11) * 5);
        a.companyId = cat.companyIds.at(sponsors.draw(rng) % cat.companyIds.size());
        a.accountNum =
            QStringLiteral("CDF%1").arg(serial += rng.range(1, 3), 6, 10, QLatin1Char('0'));
        const QString prefix = a.companyId == QLatin1String("PCSO") ? QStringLiteral("PCSO-GL-")
                               : a.companyId.startsWith(QLatin1String("PDAF"))
                                   ? QStringLiteral("PDAF-")
                                   : QStringLiteral("GL-");
        a.refNum = prefix + QString::number(gl += rng.range(1, 9));
        a.amount = qint64(g.visit >= 0 ? rng.range(20, 160) : rng.range(40, 120)) * 500 * 100;
        w.allocations.append(a);
    }
}

} // namespace

void assignCases(Rng& rng, const Catalogues& cat, World& w) {
    QVector<int> chosen;
    for (int i = 0; i < w.patients.size(); ++i) {
        Patient& p = w.patients[i];
        if (!rng.percent(chanceOfCase(w, p)))
            continue;
        p.intakeVisit = intakeVisitOf(rng, w, p);
        const Visit& v = w.visits[p.intakeVisit];
        p.validity = v.admDay;
        if (v.kind == Kind::Admission && v.admDay < w.today && (v.current() || v.admDay < v.dcrDay))
            p.validity = v.admDay.addDays(1);
        // Out-patients are classified for six months, in-patients for a year.
        p.expiry = (v.kind == Kind::Admission ? p.validity.addYears(1) : p.validity.addMonths(6))
                       .addDays(-1);
        const int age = ageOn(p.birth, p.validity);
        p.family = household(rng, p, age);
        p.classCode = classFor(cat, p, v);
        // Divorced patients cannot be filed on the intake sheet (it has no such status),
        // and some older cases are on paper only.
        p.intakeSheet = p.civil != QLatin1String("5") && rng.percent(80);
        chosen.append(i);
    }

    // Case numbers run in the order the patients were first classified.
    std::stable_sort(chosen.begin(), chosen.end(),
                     [&](int a, int b) { return w.patients[a].validity < w.patients[b].validity; });
    int serial = 1180;
    for (int i : chosen)
        w.patients[i].zepNum = caseNumber(serial += rng.range(1, 2));

    // After the classes lapse the global update takes some off the master file; the case
    // number stays.
    int lapsed = 0, renumbered = 0;
    for (int i : chosen) {
        Patient& p = w.patients[i];
        if (p.expiry < w.today && lapsed < 3 && rng.percent(50)) {
            p.classLapsed = true;
            ++lapsed;
        } else if (renumbered < 3 && rng.percent(4)) {
            // A number typed wrong at the first intake and corrected later.
            w.caseChanges.append({i, caseNumber(960 + renumbered), p.zepNum,
                                  std::min(w.today, p.validity.addDays(rng.range(1, 10)))});
            ++renumbered;
        }
    }
    // Two former cases whose numbers were taken away; the old expiry date is still on file.
    int removed = 0;
    for (int i = 0; i < w.patients.size() && removed < 2; ++i) {
        Patient& p = w.patients[i];
        if (!p.zepNum.isEmpty() || p.visits.size() < 2 || !rng.percent(10))
            continue;
        const Visit& first = w.visits[p.visits.first()];
        if (first.admDay > w.today.addDays(-200))
            continue;
        p.expiry = first.admDay.addMonths(6).addDays(-1);
        w.caseChanges.append({i, caseNumber(950 + removed), QString(),
                              std::min(w.today, p.expiry.addDays(rng.range(5, 40)))});
        ++removed;
    }
    std::stable_sort(w.caseChanges.begin(), w.caseChanges.end(),
                     [](const CaseChange& a, const CaseChange& b) { return a.day < b.day; });
    grantFunds(rng, cat, w);
}

} // namespace tools::demo
