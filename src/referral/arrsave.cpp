#include "arrsave.h"

#include "db/connection.h"
#include "rules/numeric.h"

#include <QLocale>

namespace referral {
namespace {

QString flag(bool on) {
    return on ? QStringLiteral("1") : QString();
}

} // namespace

QString counterpartText(const QString& typed, bool* ok) {
    const QString text = typed.trimmed().isEmpty() ? QStringLiteral("0.00") : typed;
    const std::optional<double> v = rules::readNumber(text);
    if (ok)
        *ok = v.has_value();
    if (!v)
        return {};
    return QLocale::c().toString(*v, 'g', 15);
}

QVariantList assessmentValues(const ArrSave& s) {
    return {s.hospNum,
            s.idNum,
            s.caseNumber.trimmed(),
            s.classCode.trimmed(),
            s.categoryName,
            s.categoryId.trimmed(),
            s.remarks,
            s.intakeDate,
            s.expiryDate,
            s.workerCode,
            s.userCode,
            flag(s.pcso),
            flag(s.sponsor),
            flag(s.special),
            counterpartText(s.counterpart),
            s.pcso ? s.pcsoType : QString(),
            s.parentCategoryId.trimmed(),
            s.categoryId.trimmed(),
            s.referringParty,
            s.active ? QStringLiteral("Y") : QStringLiteral("N"),
            s.statusCode,
            s.serviceCodes};
}

QVariantList transactionValues(const ArrSave& s) {
    return {s.hospNum,    s.idNum,      s.caseNumber.trimmed(), s.classCode.trimmed(),
            s.intakeDate, s.expiryDate, s.categoryName,         s.workerCode,
            s.userCode,   s.remarks};
}

QVariantList documentationValues(const ArrSave& s) {
    return {s.shownHospNum.trimmed(),
            s.shownIdNum,
            s.active ? QStringLiteral("Y") : QStringLiteral("N"),
            s.statusCode,
            s.documentationFlags,
            s.intakeDate,
            s.userCode,
            s.workerCode,
            s.activityCodes};
}

QString chargeRemovalStatement(const QString& idNum) {
    return QStringLiteral("DELETE FROM BILLING.%1 WHERE RevenueID = 'QF' AND RefNum = ? "
                          "AND IdNum = ?")
        .arg(rules::isNumericVisitNumber(idNum.trimmed()) ? QLatin1String("tbBillDailyBill")
                                                          : QLatin1String("tbBillOPDailyOut"));
}

SaveOutcome send(db::Connection& conn, const ArrSave& s) {
    SaveOutcome out;
    // The check runs inside the transaction, so the case number cannot be taken by another
    // workstation between the check and the assessment (the patient file's unique index on
    // the case number refuses the second one).
    db::Transaction t(conn);
    const db::Recordset owner = conn.Call(QStringLiteral("ZEP..sp_ZEP_GetExistsZEPNumber"),
                                          {s.caseNumber.trimmed(), s.shownHospNum.trimmed()});
    if (!owner.Eof() &&
        owner.Text(QStringLiteral("HospNum")).trimmed() != s.shownHospNum.trimmed()) {
        out.owner = owner.Text(QStringLiteral("PatientName"));
        t.rollback();
        return out;
    }
    bool numeric = false;
    counterpartText(s.counterpart, &numeric);
    if (!numeric)
        db::raise(QStringLiteral("The counterpart \"%1\" is not a number.").arg(s.counterpart));
    try {
        conn.Call(QStringLiteral("ZEP..sp_ZEP_SaveAssessment_NEW"), assessmentValues(s));
    } catch (const db::Error& e) {
        // Two workstations that give one new case number to two patients at once both pass
        // the check above; the patient file's unique index makes the second wait for the
        // first and then refuses it. That is the same refusal as the check's, and says so.
        if (!e.isUniqueViolation())
            throw;
        t.rollback();
        const db::Recordset winner =
            conn.Call(QStringLiteral("ZEP..sp_ZEP_GetExistsZEPNumber"),
                      {s.caseNumber.trimmed(), s.shownHospNum.trimmed()});
        if (winner.Eof() ||
            winner.Text(QStringLiteral("HospNum")).trimmed() == s.shownHospNum.trimmed())
            throw;
        out.owner = winner.Text(QStringLiteral("PatientName"));
        return out;
    }
    conn.Call(QStringLiteral("ZEP..sp_ZEP_SaveTransaction"), transactionValues(s));
    if (!s.special)
        conn.Execute(chargeRemovalStatement(s.idNum), {s.caseNumber.trimmed(), s.shownIdNum});
    conn.Call(QStringLiteral("Zep..spZEP_SaveDocumentation"), documentationValues(s));
    t.commit();
    out.saved = true;
    return out;
}

} // namespace referral
