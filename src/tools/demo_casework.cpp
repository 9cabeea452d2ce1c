// The department's own records in the demo: intake sheets with family composition,
// assessments with their services, activities and documentation, the transaction log,
// class changes, case-number changes and discharge notices.
#include "demo_internal.h"

#include "db/connection.h"

#include <QSet>
#include <algorithm>

namespace tools::demo {

using namespace hospitalgen;

namespace {

QVariant nullIfEmpty(const QString& s) {
    return s.isEmpty() ? QVariant() : QVariant(s);
}

QString civilText(const QString& code) {
    static const QStringList names{QStringLiteral("Single"), QStringLiteral("Separated"),
                                   QStringLiteral("Married"), QStringLiteral("Widow/er")};
    const int i = code.toInt() - 1;
    return i >= 0 && i < names.size() ? names.at(i) : QString();
}

QString pesosText(int pesos) {
    return QString::number(pesos);
}

class Casework {
public:
    Casework(db::Connection& c, Rng& rng, const Catalogues& cat, const Staff& staff, World& w)
        : c_(c), rng_(rng), cat_(cat), staff_(staff), w_(w) {}

    void run(QVector<Assessed>& assessed) {
        intakeSheets();
        assessments(assessed);
        caseNumberChanges();
        dischargeNotices();
    }

private:
    // The worker who handles a patient: the same one across the patient's visits.
    int workerOf(int patient) const { return 1 + patient % int(staff_.workerIds.size() - 1); }

    QString categoryIdOf(const Problem& pr) const {
        const int i = cat_.caseCategory(QString::fromUtf8(pr.category));
        return i < 0 ? QString() : cat_.caseCategoryIds.at(i);
    }

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

    void intakeSheets() {
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

    const Allocation* fundOf(int patient, int visit) const {
        const Allocation* any = nullptr;
        for (const Allocation& a : w_.allocations)
            if (a.patient == patient) {
                if (a.visit == visit)
                    return &a;
                if (a.visit < 0)
                    any = &a;
            }
        return any;
    }

    // Which visits of each classified patient have an assessment: the intake visit always,
    // others within the classification's validity now and then.
    QVector<int> assessedVisits(const Patient& p) {
        QVector<int> v;
        const QDate until = std::min(p.expiry, w_.today);
        for (int i : p.visits) {
            const Visit& x = w_.visits[i];
            if (i == p.intakeVisit) {
                // The report of a patient admitted now may still be waiting.
                if (!x.current() || x.kind != Kind::Admission || rng_.percent(65))
                    v.append(i);
                continue;
            }
            if (x.admDay < p.validity || x.admDay > until || x.cls != QLatin1Char('S'))
                continue;
            const int chance = x.kind == Kind::Admission    ? (x.current() ? 70 : 80)
                               : x.problem == 14            ? 12
                               : x.kind == Kind::OutPatient ? 50
                                                            : 40;
            if (rng_.percent(chance) && v.size() < 6)
                v.append(i);
        }
        return v;
    }

    QStringList servicesFor(const Visit& v, bool intake, const Allocation* fund, bool pcso) {
        const Problem& pr = problems().at(v.problem);
        QStringList s;
        if (intake)
            s << QStringLiteral("1.1.1") << QStringLiteral("1.1.3");
        s << QStringLiteral("1.2.1");
        if (pcso)
            s << QStringLiteral("1.2.2");
        if (fund)
            s << (fund->companyId.startsWith(QLatin1String("PDAF"))  ? QStringLiteral("1.2.3.1")
                  : fund->companyId.startsWith(QLatin1String("LGU")) ? QStringLiteral("1.2.3.2")
                                                                     : QStringLiteral("1.2.3.3"));
        if (pr.dialysis)
            s << (rng_.percent(50) ? QStringLiteral("1.8.2.1") : QStringLiteral("1.3.5.1"));
        if (v.problem == 4)
            s << QStringLiteral("1.8.1.1") << QStringLiteral("1.3.2.1");
        if (v.problem == 5)
            s << QStringLiteral("1.8.1.2") << QStringLiteral("1.8.1.3");
        if (v.problem == 6 || v.problem == 15)
            s << QStringLiteral("1.3.5.3");
        if (v.problem == 10)
            s << QStringLiteral("1.8.3.2");
        if (rng_.percent(30))
            s << QStringLiteral("1.3.1");
        if (v.kind == Kind::Admission && !v.current())
            s << QStringLiteral("1.5.1");
        return s;
    }

    QStringList activitiesFor(const Visit& v, bool intake, const Patient& p, const Allocation* fund,
                              bool pcso) {
        QStringList a{QStringLiteral("1.1.1")};
        if (rng_.percent(50))
            a << QStringLiteral("1.1.2");
        if (intake && p.intakeSheet)
            a << QStringLiteral("1.2.1");
        if ((p.classCode == QLatin1String("D") || p.classCode == QLatin1String("C3")) &&
            rng_.percent(40))
            a << QStringLiteral("1.2.3.1");
        a << QStringLiteral("1.3.2.1");
        if (pcso)
            a << QStringLiteral("1.3.5.1") << QStringLiteral("1.2.3.3");
        if (fund)
            a << QStringLiteral("1.3.3");
        if (problems().at(v.problem).dialysis)
            a << QStringLiteral("1.3.2.3");
        if (v.problem == 4 || v.problem == 5)
            a << QStringLiteral("1.3.2.4") << QStringLiteral("1.6.1");
        if (rng_.percent(40))
            a << QStringLiteral("1.2.4");
        return a;
    }

    void assessments(QVector<Assessed>& out) {
        QStringList cols{QStringLiteral("IdNum"),
                         QStringLiteral("HospNum"),
                         QStringLiteral("ZEPNum"),
                         QStringLiteral("Code"),
                         QStringLiteral("Category"),
                         QStringLiteral("CaseCategoryID"),
                         QStringLiteral("ParentCategoryID"),
                         QStringLiteral("ReferringPartyID"),
                         QStringLiteral("Remarks"),
                         QStringLiteral("IntakeDate"),
                         QStringLiteral("ExpiryDate"),
                         QStringLiteral("ZEPW"),
                         QStringLiteral("UserID"),
                         QStringLiteral("IsPCSO"),
                         QStringLiteral("IsCDF"),
                         QStringLiteral("IsSpecial"),
                         QStringLiteral("NC"),
                         QStringLiteral("PCSOType"),
                         QStringLiteral("Active"),
                         QStringLiteral("CaseStatus")};
        static const char* const docs[] = {
            "DocIntakeSheet",         "DocPatientsProfile",    "DocRegistrationLogbook",
            "DocServiceCard",         "DocPatientsDataCard",   "DocTransferSummary",
            "DocClosingSummary",      "DocGroupworkRecording", "DocEligibilityStudy",
            "DocSocialCaseStudy",     "DocHomeVisit",          "DocWorkPlan",
            "DocDailyAccomplishment", "DocMonthlyCensus",      "DocFeedBack",
            "DocAnnualReport",        "DocProgressNote",       "DocOthers"};
        static const int docChance[18] = {0,  50, 90, 60, 40, 5,  0, 10, 30,
                                          20, 5,  20, 70, 60, 10, 5, 50, 5};
        for (const char* d : docs)
            cols << QString::fromLatin1(d);
        cols << QStringLiteral("AssessDate");
        Rows rows(c_, QStringLiteral("ZEP.tbZEPAssessment"), cols);
        Rows services(
            c_, QStringLiteral("ZEP.tbZEPAssessmentService"),
            {QStringLiteral("IdNum"), QStringLiteral("ServiceCode"), QStringLiteral("SeqNo")},
            &rows);
        Rows activities(
            c_, QStringLiteral("ZEP.tbZEPAssessmentActivity"),
            {QStringLiteral("IdNum"), QStringLiteral("ActivityCode"), QStringLiteral("SeqNo")},
            &rows);
        Rows log(c_, QStringLiteral("ZEP.tbZEPTransaction"),
                 {QStringLiteral("HospNum"), QStringLiteral("IdNum"), QStringLiteral("ZEPNum"),
                  QStringLiteral("Code"), QStringLiteral("IntakeDate"),
                  QStringLiteral("ExpiryDate"), QStringLiteral("Category"), QStringLiteral("ZEPW"),
                  QStringLiteral("UserID"), QStringLiteral("Remarks"),
                  QStringLiteral("TransDate")});
        Rows history(c_, QStringLiteral("ZEP.tbZEPPatClassHistory"),
                     {QStringLiteral("IdNum"), QStringLiteral("PatientClass"),
                      QStringLiteral("TransDate"), QStringLiteral("UserID")});
        static const QVector<QString> remarks{
            QStringLiteral("Discount explained to the patient and the watcher."),
            QStringLiteral("Patient's family to follow up the guarantee letter."),
            QStringLiteral("For reclassification on the next admission."),
            QStringLiteral("Watcher oriented on hospital policies."),
            QStringLiteral("Promissory note for the balance signed by the spouse."),
            QString()};

        QVector<QPair<int, QString>> mistakes; // class-history entries that are later deleted
        for (int pi = 0; pi < w_.patients.size(); ++pi) {
            const Patient& p = w_.patients[pi];
            if (p.zepNum.isEmpty())
                continue;
            bool first = true;
            for (int vi : assessedVisits(p)) {
                const Visit& v = w_.visits[vi];
                const Problem& pr = problems().at(v.problem);
                const bool intake = vi == p.intakeVisit;
                const Allocation* fund = fundOf(pi, vi);
                const bool pcso =
                    (fund && fund->companyId == QLatin1String("PCSO")) || rng_.percent(6);
                const bool special = v.kind == Kind::Admission && rng_.percent(6);
                const int nc = special ? rng_.range(10, 60) * 500 : 0;
                const QString worker = staff_.workerIds.at(workerOf(pi));
                const QString user = rng_.percent(85) ? worker : staff_.workerIds.first();
                QDate day = v.admDay;
                if (v.kind == Kind::Admission && day < w_.today && (v.current() || day < v.dcrDay))
                    day = day.addDays(1);
                const QTime at(day == w_.today ? rng_.range(0, 5) + 6 : rng_.range(8, 16),
                               rng_.range(0, 59));
                const bool closed = v.disposition == QLatin1String("DIED") ||
                                    v.disposition == QLatin1String("EXPIRED");
                const bool carryOver = v.current() && v.admDay.month() != w_.today.month();
                const QString status = closed      ? QStringLiteral("C")
                                       : carryOver ? QStringLiteral("CO")
                                       : first     ? QStringLiteral("N")
                                                   : QStringLiteral("O");
                const QString categoryId = categoryIdOf(pr);
                const QString remark = rng_.pick(remarks);
                const QDate recent = w_.today.addDays(-60);
                QVariantList values{v.idNum,
                                    p.hospNum,
                                    p.zepNum,
                                    p.classCode,
                                    QString::fromUtf8(pr.category),
                                    categoryId,
                                    QString::fromLatin1(pr.parent),
                                    rng_.pick(cat_.referringPartyCodes),
                                    nullIfEmpty(remark),
                                    p.validity.toString(Qt::ISODate),
                                    p.expiry.toString(Qt::ISODate),
                                    worker,
                                    user,
                                    pcso ? 1 : 0,
                                    fund ? 1 : 0,
                                    special ? 1 : 0,
                                    double(nc),
                                    pcso ? QVariant(rng_.pick(QVector<QString>{
                                               QStringLiteral("G"), QStringLiteral("G"),
                                               QStringLiteral("E"), QStringLiteral("C")}))
                                         : QVariant(),
                                    (v.current() || v.admDay >= recent) && !closed
                                        ? QStringLiteral("Y")
                                        : QStringLiteral("N"),
                                    status};
                for (int k = 0; k < 18; ++k) {
                    bool on = rng_.percent(docChance[k]);
                    if (k == 0)
                        on = intake && p.intakeSheet;
                    if (k == 6)
                        on = closed ||
                             (!v.current() && v.kind == Kind::Admission && rng_.percent(30));
                    values << (on ? 1 : 0);
                }
                values << stamp(day, at);
                rows.add(values);

                QStringList s = servicesFor(v, intake, fund, pcso);
                s.removeDuplicates();
                for (int k = 0; k < s.size(); ++k)
                    services.add({v.idNum, s.at(k), k + 1});
                QStringList a = activitiesFor(v, intake, p, fund, pcso);
                a.removeDuplicates();
                for (int k = 0; k < a.size(); ++k)
                    activities.add({v.idNum, a.at(k), k + 1});

                // Saved once, or saved, corrected and saved again the same day.
                const int saves = rng_.percent(15) ? 2 : 1;
                for (int k = saves; k >= 1; --k)
                    log.add({p.hospNum, v.idNum, p.zepNum, p.classCode,
                             p.validity.toString(Qt::ISODate), p.expiry.toString(Qt::ISODate),
                             QString::fromUtf8(pr.category), worker, user, nullIfEmpty(remark),
                             stamp(day, at.addSecs(-900 * (k - 1)))});

                if (v.cls == QLatin1Char('S') && rng_.percent(35)) {
                    if (mistakes.size() < 2 && rng_.percent(25))
                        mistakes.append({vi, user});
                    history.add({v.idNum, QStringLiteral("S"), stamp(day, at.addSecs(-600)), user});
                }
                out.append({vi, p.classCode, special});
                first = false;
            }
        }
        rows.flush();
        services.flush();
        activities.flush();
        log.flush();
        history.flush();
        deletedHistory(mistakes);
    }

    // A class set to pay by mistake, then removed by the supervisor with a reason: the
    // entry goes and the deletion is kept.
    void deletedHistory(const QVector<QPair<int, QString>>& mistakes) {
        for (const auto& [vi, user] : mistakes) {
            const Visit& v = w_.visits[vi];
            const QString when = stamp(v.admDay, QTime(7, 30));
            c_.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPPatClassHistory (IdNum, PatientClass, "
                                      "TransDate, UserID) VALUES (?, ?, ?, ?)"),
                       {v.idNum, QStringLiteral("P"), when, user});
            const long long id = c_.lastInsertId();
            c_.Execute(QStringLiteral("DELETE FROM ZEP.tbZEPPatClassHistory WHERE Id = ?"), {id});
            c_.Execute(
                QStringLiteral("INSERT INTO ZEP.tbZEPPatClassHistoryDeletion (HistoryID, IdNum, "
                               "PatientClass, TransDate, ChangedBy, Reason, DeletedBy, DeletedAt) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {id, v.idNum, QStringLiteral("P"), when, user,
                 QStringLiteral("Wrong patient selected; the patient is a service patient."),
                 staff_.workerIds.first(), stamp(v.admDay, QTime(9, 15))});
        }
    }

    void caseNumberChanges() {
        Rows rows(c_, QStringLiteral("ZEP.tbZEPCaseNumberChange"),
                  {QStringLiteral("HospNum"), QStringLiteral("OldZEPNum"),
                   QStringLiteral("NewZEPNum"), QStringLiteral("ChangedBy"),
                   QStringLiteral("ChangedAt")});
        for (const CaseChange& k : w_.caseChanges)
            rows.add({w_.patients[k.patient].hospNum, k.oldNum, nullIfEmpty(k.newNum),
                      staff_.workerIds.at(workerOf(k.patient)),
                      stamp(k.day, QTime(rng_.range(8, 16), rng_.range(0, 59)))});
        rows.flush();
    }

    void dischargeNotices() {
        Rows rows(c_, QStringLiteral("ZEP.tbZEPDischargeNotice"),
                  {QStringLiteral("IdNum"), QStringLiteral("HospNum"), QStringLiteral("NoticeDate"),
                   QStringLiteral("OrderedDate"), QStringLiteral("DischargeNurse"),
                   QStringLiteral("Remarks"), QStringLiteral("ClearDate"),
                   QStringLiteral("ClearedBy"), QStringLiteral("ClearRemarks"),
                   QStringLiteral("RevokedAt"), QStringLiteral("RevokedBy"),
                   QStringLiteral("RevokeRemarks")});
        static const QVector<QString> notes{
            QStringLiteral("May go home"), QStringLiteral("May go home with medications"),
            QStringLiteral("For discharge once cleared by billing and social service"),
            QStringLiteral(
                "Home with home-care instructions; follow-up at the clinic in one week")};
        static const QVector<QString> clearNotes{
            QStringLiteral("Cleared; discount applied"),
            QStringLiteral("Cleared; PCSO guarantee letter received"),
            QStringLiteral("Cleared; promissory note signed by the spouse"),
            QStringLiteral("Cleared; balance settled by the sponsor")};
        const auto notice = [&](const Visit& v, const QDate& day, const QTime& at, bool cleared,
                                bool revoked) {
            const QTime ordered = at.addSecs(-60 * rng_.range(30, 90));
            const QTime clear = at.addSecs(60 * rng_.range(30, 150));
            const QString worker = staff_.workerIds.at(workerOf(v.patient));
            rows.add({v.idNum, w_.patients[v.patient].hospNum, stamp(day, at), stamp(day, ordered),
                      rng_.pick(staff_.nurses), rng_.pick(notes),
                      cleared ? QVariant(stamp(day, clear)) : QVariant(),
                      cleared ? QVariant(worker) : QVariant(),
                      cleared ? QVariant(rng_.pick(clearNotes)) : QVariant(),
                      revoked ? QVariant(stamp(day, at.addSecs(5400))) : QVariant(),
                      revoked ? QVariant(QStringLiteral("NURSE-3W")) : QVariant(),
                      revoked ? QVariant(QStringLiteral(
                                    "Fever spike; discharge deferred by the attending"))
                              : QVariant()});
        };
        // Patients discharged in the last ten days went home on a cleared notice.
        for (const Visit& v : w_.visits) {
            if (v.kind != Kind::Admission || v.current() || v.dcrDay < w_.today.addDays(-10))
                continue;
            const QTime at = v.dcrTime.hour() >= 11 ? v.dcrTime.addSecs(-3 * 3600) : QTime(8, 0);
            notice(v, v.dcrDay, at, true, false);
        }
        // Notices for patients still in the wards: cleared, waiting, and revoked ones.
        QVector<const Visit*> staying;
        for (const Visit& v : w_.visits)
            if (v.kind == Kind::Admission && v.current() && v.admDay <= w_.today.addDays(-2))
                staying.append(&v);
        for (int n = 0; n < 14 && n < staying.size(); ++n) {
            const Visit& v = *staying[n * int(staying.size()) / 14];
            const QTime at(rng_.range(6, 9), rng_.range(0, 11) * 5);
            if (n < 4) {
                notice(v, w_.today.addDays(-1), at, n > 0,
                       false); // one still waits since yesterday
            } else if (n == 4) {
                notice(v, w_.today.addDays(-1), at, false, true); // revoked, then issued again
                notice(v, w_.today, at, false, false);
            } else if (n == 5) {
                notice(v, w_.today, at, false, true);
            } else {
                notice(v, w_.today, at, n < 9, false);
            }
        }
        rows.flush();
    }

    db::Connection& c_;
    Rng& rng_;
    const Catalogues& cat_;
    const Staff& staff_;
    World& w_;
};

} // namespace

void writeCasework(db::Connection& c, Rng& rng, const Catalogues& cat, const Staff& staff, World& w,
                   QVector<Assessed>& assessed) {
    Casework(c, rng, cat, staff, w).run(assessed);
}

} // namespace tools::demo
