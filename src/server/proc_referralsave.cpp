// The referral report's save: the assessment with its services, the transaction log and
// the documentation with its activities. The screen runs them in one transaction with the
// bill's charge removal between the log and the documentation; each procedure also keeps
// its own statements together, so a call made alone is all or nothing as well.
//
// The assessment carries the patient's case number, class and its dates to the patient
// file too: the referral report is where a worker renews a class, and the next opening of
// any screen reads them from there.
#include "registry.h"

#include "db/connection.h"
#include "db/procedures.h"

#include <QStringList>

namespace server {
namespace {

QString visitOf(const db::Args& a, int i) {
    return a.text(i).toUpper();
}

// The distinct codes of a code list ("1.2|1.3|"), in order.
QStringList codesOf(const QString& list) {
    QStringList codes;
    for (const QString& part : list.split(QLatin1Char('|'))) {
        const QString code = part.trimmed();
        if (!code.isEmpty() && !codes.contains(code))
            codes << code;
    }
    return codes;
}

void replaceCodes(db::Connection& c, const char* table, const char* column, const QString& id,
                  const QString& list) {
    c.Execute(QStringLiteral("DELETE FROM %1 WHERE IdNum = ?").arg(QLatin1String(table)), {id});
    int seq = 0;
    for (const QString& code : codesOf(list))
        c.Execute(QStringLiteral("INSERT INTO %1 (IdNum, %2, SeqNo) VALUES (?, ?, ?)")
                      .arg(QLatin1String(table), QLatin1String(column)),
                  {id, code, ++seq});
}

int flagOf(const db::Args& a, int i) {
    return a.text(i) == QLatin1String("1") ? 1 : 0;
}

QVariant textOrEmpty(const db::Args& a, int i) {
    return a.text(i);
}

// 22 values: 1 hospital number, 2 visit number, 3 case number, 4 class code, 5 category
// name, 6 category id, 7 remarks, 8 date of intake, 9 expiry, 10 worker, 11 user, 12 PCSO,
// 13 sponsor, 14 special ("1" or empty), 15 counterpart, 16 PCSO type, 17 parent category
// id, 18 category id (again), 19 referring party, 20 active (Y/N), 21 case status code,
// 22 service code list.
db::Recordset saveAssessment(db::Connection& c, const db::Args& a) {
    const QString hosp = a.text(0);
    const QString id = visitOf(a, 1);
    if (hosp.isEmpty() || id.isEmpty())
        db::raise(QStringLiteral("The report has no hospital number or visit number."));
    const QVariant intake = a.date(7), expiry = a.date(8);
    const bool pcso = flagOf(a, 11) == 1;
    const QString type = a.text(15).toUpper();
    if (pcso && !type.isEmpty() && type != QLatin1String("E") && type != QLatin1String("G") &&
        type != QLatin1String("C"))
        db::raise(QStringLiteral("'%1' is not a PCSO allocation type (E, G or C).").arg(type));
    const QString active =
        a.text(19).toUpper() == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N");
    db::Transaction t(c);
    if (c.Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPNum = ?, "
                                 "ZEPClassification = ?, ZEPDiscountValidity = ?, "
                                 "ZEPDiscountExpiry = ? WHERE HospNum = ?"),
                  {a.text(2), a.textOrNull(3), intake, expiry, hosp}) == 0)
        db::raise(QStringLiteral("Patient %1 is not on file.").arg(hosp));
    const QVariantList values{hosp,
                              a.text(2),
                              a.text(3),
                              a.value(4).toString(),
                              a.text(5),
                              a.text(16),
                              a.text(18),
                              a.value(6).toString(),
                              intake,
                              expiry,
                              a.text(9),
                              a.text(10),
                              pcso ? 1 : 0,
                              flagOf(a, 12),
                              flagOf(a, 13),
                              a.numberOr0(14),
                              pcso && !type.isEmpty() ? QVariant(type) : QVariant(),
                              active,
                              textOrEmpty(a, 20),
                              id};
    const long long changed = c.Execute(
        QStringLiteral("UPDATE ZEP.tbZEPAssessment SET HospNum = ?, ZEPNum = ?, Code = ?, "
                       "Category = ?, CaseCategoryID = ?, ParentCategoryID = ?, "
                       "ReferringPartyID = ?, Remarks = ?, IntakeDate = ?, ExpiryDate = ?, "
                       "ZEPW = ?, UserID = ?, IsPCSO = ?, IsCDF = ?, IsSpecial = ?, NC = ?, "
                       "PCSOType = ?, Active = ?, CaseStatus = ?, AssessDate = %1 "
                       "WHERE IdNum = ?")
            .arg(c.dialect().now()),
        values);
    if (changed == 0)
        c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPAssessment (HospNum, ZEPNum, Code, "
                                 "Category, CaseCategoryID, ParentCategoryID, "
                                 "ReferringPartyID, Remarks, IntakeDate, ExpiryDate, ZEPW, "
                                 "UserID, IsPCSO, IsCDF, IsSpecial, NC, PCSOType, Active, "
                                 "CaseStatus, IdNum, AssessDate) VALUES (?, ?, ?, ?, ?, ?, ?, "
                                 "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, %1)")
                      .arg(c.dialect().now()),
                  values);
    replaceCodes(c, "ZEP.tbZEPAssessmentService", "ServiceCode", id, a.value(21).toString());
    t.commit();
    return db::Recordset({}, {});
}

// 10 values: hospital number, visit number, case number, class code, date of intake,
// expiry, category name, worker, user, remarks.
db::Recordset saveTransaction(db::Connection& c, const db::Args& a) {
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPTransaction (HospNum, IdNum, ZEPNum, Code, "
                             "IntakeDate, ExpiryDate, Category, ZEPW, UserID, Remarks, "
                             "TransDate) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, %1)")
                  .arg(c.dialect().now()),
              {a.text(0), visitOf(a, 1), a.text(2), a.text(3), a.date(4), a.date(5),
               a.value(6).toString(), a.text(7), a.text(8), a.value(9).toString()});
    return db::Recordset({}, {});
}

// 9 values: hospital number, visit number, active (Y/N), case status code, the 18
// documentation flags ("1|0|...|"), date of intake, user, worker, activity code list. The
// visit's assessment must be saved first.
db::Recordset saveDocumentation(db::Connection& c, const db::Args& a) {
    static const char* const docs[18] = {
        "DocIntakeSheet",         "DocPatientsProfile",    "DocRegistrationLogbook",
        "DocServiceCard",         "DocPatientsDataCard",   "DocTransferSummary",
        "DocClosingSummary",      "DocGroupworkRecording", "DocEligibilityStudy",
        "DocSocialCaseStudy",     "DocHomeVisit",          "DocWorkPlan",
        "DocDailyAccomplishment", "DocMonthlyCensus",      "DocFeedBack",
        "DocAnnualReport",        "DocProgressNote",       "DocOthers"};
    const QString hosp = a.text(0);
    const QString id = visitOf(a, 1);
    const QStringList flags = a.value(4).toString().split(QLatin1Char('|'));
    QStringList sets;
    QVariantList values{a.text(2).toUpper() == QLatin1String("Y") ? QStringLiteral("Y")
                                                                  : QStringLiteral("N"),
                        a.text(3)};
    for (int k = 0; k < 18; ++k) {
        sets << QLatin1String(docs[k]) + QStringLiteral(" = ?");
        values << (flags.value(k).trimmed() == QLatin1String("1") ? 1 : 0);
    }
    values << hosp << id;
    db::Transaction t(c);
    if (c.Execute(QStringLiteral("UPDATE ZEP.tbZEPAssessment SET Active = ?, CaseStatus = ?, "
                                 "%1 WHERE HospNum = ? AND IdNum = ?")
                      .arg(sets.join(QStringLiteral(", "))),
                  values) == 0)
        db::raise(QStringLiteral("Visit %1 of patient %2 has no referral report.").arg(id, hosp));
    replaceCodes(c, "ZEP.tbZEPAssessmentActivity", "ActivityCode", id, a.value(8).toString());
    t.commit();
    return db::Recordset({}, {});
}

} // namespace

void registerReferralSaveProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("ZEP..sp_ZEP_SaveAssessment_NEW"), saveAssessment);
    p.add(QStringLiteral("ZEP..sp_ZEP_SaveTransaction"), saveTransaction);
    p.add(QStringLiteral("ZEP..spZEP_SaveDocumentation"), saveDocumentation);
}

} // namespace server
