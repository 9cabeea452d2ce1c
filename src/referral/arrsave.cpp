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

namespace {

// The other patient who holds the case number, empty when none does.
QString ownerOf(db::Connection& conn, const ArrSave& s) {
    const db::Recordset owner = conn.Call(QStringLiteral("ZEP..sp_ZEP_GetExistsZEPNumber"),
                                          {s.caseNumber.trimmed(), s.shownHospNum.trimmed()});
    if (!owner.Eof() &&
        owner.Text(QStringLiteral("HospNum")).trimmed() != s.shownHospNum.trimmed())
        return owner.Text(QStringLiteral("PatientName"));
    return {};
}

SaveOutcome sendOnce(db::Connection& conn, const ArrSave& s) {
    SaveOutcome out;
    // The check runs inside the transaction; a number that another workstation gives its
    // patient after the check is refused by the patient file's unique index on the case
    // number, and send() then reports that patient as the owner.
    db::Transaction t(conn);
    out.owner = ownerOf(conn, s);
    if (!out.owner.isEmpty()) {
        t.rollback();
        return out;
    }
    bool numeric = false;
    counterpartText(s.counterpart, &numeric);
    if (!numeric)
        db::raise(QStringLiteral("The counterpart \"%1\" is not a number.").arg(s.counterpart));
    conn.Call(QStringLiteral("ZEP..sp_ZEP_SaveAssessment_NEW"), assessmentValues(s));
    conn.Call(QStringLiteral("ZEP..sp_ZEP_SaveTransaction"), transactionValues(s));
    if (!s.special)
        conn.Execute(chargeRemovalStatement(s.idNum), {s.caseNumber.trimmed(), s.shownIdNum});
    conn.Call(QStringLiteral("Zep..spZEP_SaveDocumentation"), documentationValues(s));
    t.commit();
    out.saved = true;
    return out;
}

} // namespace

SaveOutcome send(db::Connection& conn, const ArrSave& s) {
    try {
        return sendOnce(conn, s);
    } catch (const db::Error& e) {
        // Two workstations giving the same new number to two patients at once both pass
        // the check; the second to write meets the first's number in the unique index.
        // That is the ownership refusal, not a failed save: tell who took the number.
        if (!e.isUniqueViolation() || conn.inTransaction())
            throw;
        const db::Error failure = e;
        QString owner;
        try {
            owner = ownerOf(conn, s);
        } catch (const db::Error&) {
            throw failure;
        }
        if (owner.isEmpty())
            throw;
        SaveOutcome out;
        out.owner = owner;
        return out;
    }
}

} // namespace referral
