// The department's own records in the demo: assessments with their services, activities
// and documentation, the transaction log, class changes, case-number changes and discharge
// notices (the intake sheets are in demo_intake.cpp).
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

class Casework {
public:
    Casework(db::Connection& c, Rng& rng, const Catalogues& cat, const Staff& staff, World& w)
        : c_(c), rng_(rng), cat_(cat), staff_(staff), w_(w) {}

    void run(QVector<Assessed>& assessed) {
        assessments(assessed);
        caseNumberChanges();
        dischargeNotices();
    }

private:
    int workerOf(int patient) const { return demo::workerOf(staff_, patient); }
    QString categoryIdOf(const Problem& pr) const { return demo::categoryIdOf(cat_, pr); }

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
    writeIntakeSheets(c, rng, cat, staff, w);
    Casework(c, rng, cat, staff, w).run(assessed);
}

} // namespace tools::demo
