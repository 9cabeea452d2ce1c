// The intake sheets on file in the demo, with the family composition of each.
#include "demo_internal.h"

#include "db/connection.h"

namespace tools::demo {

using namespace hospitalgen;

namespace {

QString civilText(const QString& code) {
    static const QStringList names{QStringLiteral("Single"), QStringLiteral("Separated"),
                                   QStringLiteral("Married"), QStringLiteral("Widow/er")};
    const int i = code.toInt() - 1;
    return i >= 0 && i < names.size() ? names.at(i) : QString();
}

QString pesosText(int pesos) {
    return QString::number(pesos);
}

class Intake {
public:
    Intake(db::Connection& c, Rng& rng, const Catalogues& cat, const Staff& staff, const World& w)
        : c_(c), rng_(rng), cat_(cat), staff_(staff), w_(w) {}

    int workerOf(int patient) const { return demo::workerOf(staff_, patient); }
    QString categoryIdOf(const Problem& pr) const { return demo::categoryIdOf(cat_, pr); }

    QString wardOf(const Visit& v) const {
        switch (v.kind) {
        case Kind::Admission:
            return v.room;
        case Kind::OutPatient:
            return QStringLiteral("OPD");
        case Kind::ER:
            return QStringLiteral("ER");
        }
        return {};
    }

    void run() {
        Rows sheets(c_, QStringLiteral("ZEP.tbZEPIntakeSheet"),
                    {QStringLiteral("HospNum"),
                     QStringLiteral("IdNum"),
                     QStringLiteral("InterviewDate"),
                     QStringLiteral("Ward"),
                     QStringLiteral("LastName"),
                     QStringLiteral("FirstName"),
                     QStringLiteral("MiddleName"),
                     QStringLiteral("HouseStreet"),
                     QStringLiteral("Barangay"),
                     QStringLiteral("ZipCode"),
                     QStringLiteral("Province"),
                     QStringLiteral("Sex"),
                     QStringLiteral("BirthDate"),
                     QStringLiteral("CivilStatus"),
                     QStringLiteral("Occupation"),
                     QStringLiteral("Age"),
                     QStringLiteral("TelNo"),
                     QStringLiteral("SSSMember"),
                     QStringLiteral("BirthPlace"),
                     QStringLiteral("Religion"),
                     QStringLiteral("Employer"),
                     QStringLiteral("EmploymentAddress"),
                     QStringLiteral("Education"),
                     QStringLiteral("Salary"),
                     QStringLiteral("AdmissionDate"),
                     QStringLiteral("SeniorCitizen"),
                     QStringLiteral("Category"),
                     QStringLiteral("CategoryID"),
                     QStringLiteral("CaseStatus"),
                     QStringLiteral("ReferringPartyID"),
                     QStringLiteral("ZEPW"),
                     QStringLiteral("ActiveStatus"),
                     QStringLiteral("TotalFamilyIncome"),
                     QStringLiteral("ReferredBy"),
                     QStringLiteral("DateReferred"),
                     QStringLiteral("ReferralAddress"),
                     QStringLiteral("DSWDSCSR"),
                     QStringLiteral("AOCert"),
                     QStringLiteral("CertOfEmployment"),
                     QStringLiteral("TreasurerMayorOffice"),
                     QStringLiteral("BrgyClearance"),
                     QStringLiteral("Others"),
                     QStringLiteral("Treatment"),
                     QStringLiteral("OtherMDInfo"),
                     QStringLiteral("Resources"),
                     QStringLiteral("Expenses"),
                     QStringLiteral("FinancialProb"),
                     QStringLiteral("Difficulty"),
                     QStringLiteral("Aggressiveness"),
                     QStringLiteral("Refusal"),
                     QStringLiteral("IrregularCheckUp"),
                     QStringLiteral("OtherProblem"),
                     QStringLiteral("HelpingGoals"),
                     QStringLiteral("ActionTaken"),
                     QStringLiteral("Philhealth"),
                     QStringLiteral("InfoSource"),
                     QStringLiteral("WorkStatus"),
                     QStringLiteral("DiagnosticImpress"),
                     QStringLiteral("UpdatedAt")});
        Rows family(c_, QStringLiteral("ZEP.tbZEPFamilyMember"),
                    {QStringLiteral("HospNum"), QStringLiteral("MemberNo"), QStringLiteral("Name"),
                     QStringLiteral("Relationship"), QStringLiteral("Age"),
                     QStringLiteral("CivilStatus"), QStringLiteral("Education"),
                     QStringLiteral("Address"), QStringLiteral("Occupation"),
                     QStringLiteral("Income")},
                    &sheets);
        static const QVector<QString> goals{
            QStringLiteral("Help the family secure funds for the patient's hemodialysis sessions."),
            QStringLiteral("Link the patient with sponsors for the cost of the transplant."),
            QStringLiteral("Prepare the family for the patient's discharge and home care."),
            QStringLiteral("Help the patient accept the illness and comply with treatment."),
            QStringLiteral("Secure medicines for the patient after discharge.")};
        static const QVector<QString> actions{
            QStringLiteral("Classified; discount applied to the hospital bill."),
            QStringLiteral("Referred to PCSO for a guarantee letter."),
            QStringLiteral("Referred to the congressional district office for medical assistance."),
            QStringLiteral("Counselled the patient and the watcher on the treatment plan."),
            QStringLiteral("Coordinated with the billing section on a promissory note.")};
        static const QVector<QString> sources{QStringLiteral("Patient"), QStringLiteral("Patient"),
                                              QStringLiteral("Wife"),    QStringLiteral("Husband"),
                                              QStringLiteral("Mother"),  QStringLiteral("Daughter"),
                                              QStringLiteral("Son")};
        for (const Patient& p : w_.patients) {
            if (!p.intakeSheet)
                continue;
            const Visit& v = w_.visits[p.intakeVisit];
            const Problem& pr = problems().at(v.problem);
            const Town& home = towns().at(p.address.town);
            const Town& born = towns().at(p.birthTown);
            const int age = ageOn(p.birth, p.validity);
            const int worker = workerOf(v.patient);
            const bool employed =
                !p.work.employer.isEmpty() && p.work.employer != QLatin1String("Self-employed");
            const QString philhealth =
                rng_.percent(60) ? QStringLiteral("%1-%2-%3")
                                       .arg(rng_.range(1, 19), 2, 10, QLatin1Char('0'))
                                       .arg(rng_.range(0, 999999999), 9, 10, QLatin1Char('0'))
                                       .arg(rng_.range(0, 9))
                                 : QString();
            int total = p.work.monthlyIncome;
            for (const Member& m : p.family)
                total += m.income;
            const int rent = rng_.percent(50) ? rng_.range(15, 50) * 100 : 0;
            const QString expenses =
                (rent > 0 ? QStringLiteral("Rent P %1; ").arg(rent)
                          : QStringLiteral("Own house; ")) +
                QStringLiteral("food P %1; electricity and water P %2; transportation P %3")
                    .arg(rng_.range(30, 90) * 100)
                    .arg(rng_.range(6, 25) * 100)
                    .arg(rng_.range(5, 30) * 100);
            const bool dialysis = pr.dialysis;
            sheets.add(
                {p.hospNum,
                 v.idNum,
                 p.validity.toString(Qt::ISODate),
                 wardOf(v),
                 p.name.last,
                 p.name.first,
                 p.name.middle,
                 p.address.houseStreet,
                 p.address.barangay,
                 home.zipCode,
                 home.town + QStringLiteral(", ") + home.province,
                 p.sex == Sex::Male ? QStringLiteral("Male") : QStringLiteral("Female"),
                 p.birth.toString(Qt::ISODate),
                 civilText(p.civil),
                 p.work.occupation,
                 QString::number(age),
                 p.phone,
                 p.work.membership,
                 born.town + QStringLiteral(", ") + born.province,
                 p.religion,
                 p.work.employer,
                 p.work.employerAddress,
                 education(age),
                 pesosText(p.work.monthlyIncome),
                 v.admDay.toString(Qt::ISODate),
                 age >= 60 ? 1 : 0,
                 QString::fromUtf8(pr.category),
                 categoryIdOf(pr),
                 p.visits.first() == p.intakeVisit ? QStringLiteral("N") : QStringLiteral("O"),
                 rng_.pick(cat_.referringPartyCodes),
                 staff_.workerNames.at(worker),
                 p.expiry >= w_.today ? QStringLiteral("Y") : QStringLiteral("N"),
                 double(total),
                 cat_.doctors[v.doctor].name,
                 p.validity.toString(Qt::ISODate),
                 v.kind == Kind::Admission ? QStringLiteral("Ward ") + v.room
                                           : QStringLiteral("Out-Patient Department"),
                 rng_.percent(30) ? QStringLiteral("Submitted") : QString(),
                 QString(),
                 employed && rng_.percent(50) ? QStringLiteral("Submitted") : QString(),
                 rng_.percent(40) ? QStringLiteral("Certificate of Indigency") : QString(),
                 rng_.percent(60) ? QStringLiteral("Submitted") : QString(),
                 QString(),
                 QString::fromUtf8(pr.procedure),
                 QString(),
                 p.work.membership.isEmpty() ? QStringLiteral("Relatives")
                                             : QStringLiteral("SSS/GSIS, relatives"),
                 expenses,
                 rng_.percent(85) ? 1 : 0,
                 rng_.percent(30) ? 1 : 0,
                 rng_.percent(5) ? 1 : 0,
                 rng_.percent(5) ? 1 : 0,
                 dialysis && rng_.percent(25) ? 1 : 0,
                 dialysis ? QStringLiteral("Transportation to and from dialysis sessions")
                          : QString(),
                 rng_.pick(goals),
                 rng_.pick(actions),
                 philhealth,
                 rng_.pick(sources),
                 p.work.status,
                 QString::fromUtf8(pr.diagnosis),
                 stamp(p.validity, QTime(rng_.range(8, 16), rng_.range(0, 59)))});
            int n = 0;
            for (const Member& m : p.family)
                family.add({p.hospNum, ++n, m.name, m.relationship, m.age, m.civilStatus,
                            m.education, m.address, m.occupation, double(m.income)});
        }
        sheets.flush();
        family.flush();
    }

    QString education(int age) {
        if (age < 18)
            return age < 13 ? QStringLiteral("Elementary Level")
                            : QStringLiteral("High School Level");
        static const QVector<QString> v{
            QStringLiteral("Elementary Graduate"),  QStringLiteral("High School Level"),
            QStringLiteral("High School Graduate"), QStringLiteral("Vocational"),
            QStringLiteral("College Level"),        QStringLiteral("College Graduate")};
        return rng_.pick(v);
    }

private:
    db::Connection& c_;
    Rng& rng_;
    const Catalogues& cat_;
    const Staff& staff_;
    const World& w_;
};

} // namespace

void writeIntakeSheets(db::Connection& c, Rng& rng, const Catalogues& cat, const Staff& staff,
                       const World& w) {
    Intake(c, rng, cat, staff, w).run();
}

} // namespace tools::demo
