// Case numbers and patient classes outside the intake sheet: a visit's pay/service class
// with its history and the guarded removal of a history entry, the change and removal of a
// patient's case number, and the global update run after the classification scheme changed.
//
// The visit class lives on the hospital's visit tables (tbPatient2.PatientClass for
// admissions, the first letter of tbOutPatient.PatientType, tbERMaster for ER visits); each
// change is logged in ZEP.tbZEPPatClassHistory. A case number lives on
// PATIENT_DATA.tbMaster.ZEPNum and belongs to one hospital number; every change and removal
// is logged in ZEP.tbZEPCaseNumberChange.
#include "registry.h"

#include "db/connection.h"
#include "db/dates.h"
#include "db/procedures.h"

#include <QDateTime>

namespace server {
namespace {

db::Recordset noRows() {
    return db::Recordset({}, {});
}

// History dates travel as "mm/dd/yyyy hh:mm:ss" so that the grid's text names one entry.
const QString kStampFormat = QStringLiteral("MM/dd/yyyy HH:mm:ss");

QDateTime readStamp(const QString& text) {
    const QString t = text.trimmed();
    for (const QString& f : {QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-ddTHH:mm:ss"),
                             kStampFormat, QStringLiteral("M/d/yyyy H:mm:ss")}) {
        const QDateTime d = QDateTime::fromString(t.left(19), f);
        if (d.isValid())
            return d;
    }
    return {};
}

QString isoStamp(const QDateTime& d) {
    return d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// ---- Visit class ---------------------------------------------------------------------

// sp_ZEP_GetPatClassHistory 'IdNum': the visit's class changes, oldest first, with the
// name of the user who made each.
db::Recordset getPatClassHistory(db::Connection& c, const db::Args& a) {
    db::Recordset rs = c.Query(
        QStringLiteral("SELECT h.Id, h.TransDate, h.PatientClass, h.UserID, e.LastName, e.FirstName, "
                       "e.MiddleName FROM ZEP.tbZEPPatClassHistory h "
                       "LEFT JOIN ZEP.tbZEPEmployee e ON e.EmployeeID = h.UserID "
                       "WHERE h.IdNum = ? ORDER BY h.TransDate, h.Id"),
        {a.text(0)});
    QVector<QVector<QVariant>> rows;
    for (; !rs.Eof(); rs.MoveNext()) {
        QString name = rs.Text(QStringLiteral("LastName")).trimmed();
        const QString first = rs.Text(QStringLiteral("FirstName")).trimmed();
        if (!first.isEmpty())
            name += QStringLiteral(", ") + first;
        rows.append({readStamp(rs.Text(QStringLiteral("TransDate"))).toString(kStampFormat),
                     rs.Text(QStringLiteral("PatientClass")), rs.Text(QStringLiteral("UserID")),
                     name, rs.Value(QStringLiteral("Id"))});
    }
    return db::Recordset({QStringLiteral("Transdate"), QStringLiteral("Class"),
                          QStringLiteral("UserID"), QStringLiteral("UserName"),
                          QStringLiteral("HistoryID")},
                         std::move(rows));
}

// sp_ZEP_SavePatClassHistory_Deletion 'IdNum','Class','Reason','Transdate','Transdate',
// 'UserID': removes one history entry (the earliest that matches the visit, class and date)
// and keeps the deletion with its reason. Nothing matching, or a reason under six
// characters, is refused: the screen must not say "deleted" when nothing was.
db::Recordset savePatClassHistoryDeletion(db::Connection& c, const db::Args& a) {
    const QString idNum = a.text(0);
    const QString cls = a.text(1).toUpper();
    const QString reason = a.text(2);
    if (reason.size() < 6)
        db::raise(QStringLiteral("A reason of at least six characters is needed."));
    const QDateTime from = readStamp(a.text(3));
    const QDateTime to = readStamp(a.text(4));
    if (!from.isValid() || !to.isValid())
        db::raise(QStringLiteral("'%1' is not a date of the class history.").arg(a.text(3)));
    db::Transaction t(c);
    db::Recordset rs = c.Query(
        QStringLiteral("SELECT Id, TransDate, UserID FROM ZEP.tbZEPPatClassHistory WHERE IdNum = ? "
                       "AND PatientClass = ? AND TransDate >= ? AND TransDate <= ? ORDER BY Id "
                       "LIMIT 1"),
        {idNum, cls, isoStamp(from), isoStamp(to)});
    if (rs.Eof())
        db::raise(QStringLiteral("There is no class-history entry of %1 for %2 on %3.")
                      .arg(cls, idNum, from.toString(kStampFormat)));
    const QVariant id = rs.Value(QStringLiteral("Id"));
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPPatClassHistoryDeletion (HistoryID, IdNum, "
                             "PatientClass, TransDate, ChangedBy, Reason, DeletedBy, DeletedAt) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, %1)")
                  .arg(c.dialect().now()),
              {id, idNum, cls, isoStamp(readStamp(rs.Text(QStringLiteral("TransDate")))),
               rs.Text(QStringLiteral("UserID")), reason, a.text(5)});
    c.Execute(QStringLiteral("DELETE FROM ZEP.tbZEPPatClassHistory WHERE Id = ?"), {id});
    t.commit();
    return noRows();
}

// ---- Case numbers --------------------------------------------------------------------

void logCaseNumber(db::Connection& c, const QString& hospNum, const QVariant& oldNum,
                   const QVariant& newNum, const QString& user) {
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPCaseNumberChange (HospNum, OldZEPNum, NewZEPNum, "
                             "ChangedBy, ChangedAt) VALUES (?, ?, ?, ?, %1)")
                  .arg(c.dialect().now()),
              {hospNum, oldNum, newNum, user});
}

// sp_ZEP_UpdateZEPNumber 'HospNum','NewZEPNum'[,'UserID']: gives the patient a new case
// number and logs the change. An empty number (removal has its own guarded procedure), a
// number held by another hospital number and an unknown patient are refused; the number
// the patient already has changes nothing.
db::Recordset updateZEPNumber(db::Connection& c, const db::Args& a) {
    const QString hospNum = a.text(0);
    const QString newNum = a.text(1);
    if (newNum.isEmpty())
        db::raise(QStringLiteral("The new ZEP Number is empty; a ZEP Number is removed with "
                                 "\"Delete ZEP Number\"."));
    db::Transaction t(c);
    db::Recordset patient = c.Query(
        QStringLiteral("SELECT ZEPNum FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"), {hospNum});
    if (patient.Eof())
        db::raise(QStringLiteral("There is no patient with hospital number %1.").arg(hospNum));
    const QString oldNum = patient.Text(QStringLiteral("ZEPNum")).trimmed();
    if (oldNum == newNum) {
        t.commit(); // leaving without a commit would roll back the caller's transaction
        return noRows();
    }
    db::Recordset holder = c.Query(
        QStringLiteral("SELECT HospNum FROM PATIENT_DATA.tbMaster WHERE ZEPNum = ? AND HospNum <> ?"),
        {newNum, hospNum});
    if (!holder.Eof())
        db::raise(QStringLiteral("The ZEP Number %1 belongs to hospital number %2.")
                      .arg(newNum, holder.Text(QStringLiteral("HospNum")).trimmed()));
    c.Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPNum = ? WHERE HospNum = ?"),
              {newNum, hospNum});
    logCaseNumber(c, hospNum, oldNum.isEmpty() ? QVariant() : QVariant(oldNum), newNum, a.text(2));
    t.commit();
    return noRows();
}

// sp_ZEP_ChangeZEPNumber 'ZEPNum','UserID': takes the case number away from whoever holds
// it and logs the removal. Refused while any holder has a classification, so that a class
// never hangs on a patient without a case number; a number nobody holds changes nothing.
db::Recordset changeZEPNumber(db::Connection& c, const db::Args& a) {
    const QString num = a.text(0);
    if (num.isEmpty())
        return noRows();
    db::Transaction t(c);
    db::Recordset rs = c.Query(
        QStringLiteral("SELECT HospNum, ZEPClassification FROM PATIENT_DATA.tbMaster WHERE ZEPNum = ?"),
        {num});
    QStringList holders;
    for (; !rs.Eof(); rs.MoveNext()) {
        if (!rs.Text(QStringLiteral("ZEPClassification")).trimmed().isEmpty())
            db::raise(QStringLiteral("The ZEP Number %1 cannot be deleted: hospital number %2 "
                                     "has a classification.")
                          .arg(num, rs.Text(QStringLiteral("HospNum")).trimmed()));
        holders << rs.Text(QStringLiteral("HospNum")).trimmed();
    }
    for (const QString& h : holders) {
        c.Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPNum = NULL WHERE HospNum = ?"), {h});
        logCaseNumber(c, h, num, QVariant(), a.text(1));
    }
    t.commit();
    return noRows();
}

// ---- Global classification update ------------------------------------------------------
//
// After the scheme changed, classes stored on records may no longer be the scheme's. Both
// procedures touch only such records, so running them again changes nothing.

// sp_ZEP_GlobalClassificationUpdate: the assessments' class codes in the scheme's spelling.
// A code the scheme holds in another letter case or with blanks around it is rewritten to
// the scheme's code; a code the scheme no longer holds at all is left as the record of what
// was assessed.
db::Recordset globalClassificationUpdate(db::Connection& c, const db::Args&) {
    c.Execute(QStringLiteral(
        "UPDATE ZEP.tbZEPAssessment SET Code = (SELECT s.Code FROM ZEP.tbZEPClassification s "
        "WHERE UPPER(s.Code) = UPPER(TRIM(ZEP.tbZEPAssessment.Code))) "
        "WHERE Code <> '' AND NOT EXISTS (SELECT 1 FROM ZEP.tbZEPClassification s "
        "WHERE s.Code = ZEP.tbZEPAssessment.Code) AND EXISTS (SELECT 1 FROM "
        "ZEP.tbZEPClassification s WHERE UPPER(s.Code) = UPPER(TRIM(ZEP.tbZEPAssessment.Code)))"));
    return noRows();
}

// sp_ZEP_GlobalMasterUpdate: the patients' classes on the master record. A class in another
// spelling takes the scheme's; a class the scheme no longer holds takes the code and expiry
// of the patient's latest assessment whose code the scheme holds, and without one the class
// and its expiry are cleared (a discount must not be computed from a class that is gone).
db::Recordset globalMasterUpdate(db::Connection& c, const db::Args&) {
    const QString stale = QStringLiteral(
        "COALESCE(ZEPClassification, '') <> '' AND NOT EXISTS (SELECT 1 FROM "
        "ZEP.tbZEPClassification s WHERE s.Code = PATIENT_DATA.tbMaster.ZEPClassification)");
    c.Execute(QStringLiteral(
                  "UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = (SELECT s.Code FROM "
                  "ZEP.tbZEPClassification s WHERE UPPER(s.Code) = "
                  "UPPER(TRIM(PATIENT_DATA.tbMaster.ZEPClassification))) WHERE %1 AND EXISTS "
                  "(SELECT 1 FROM ZEP.tbZEPClassification s WHERE UPPER(s.Code) = "
                  "UPPER(TRIM(PATIENT_DATA.tbMaster.ZEPClassification)))")
                  .arg(stale));
    const QString latest = QStringLiteral(
        "(SELECT a.%1 FROM ZEP.tbZEPAssessment a WHERE a.HospNum = PATIENT_DATA.tbMaster.HospNum "
        "AND EXISTS (SELECT 1 FROM ZEP.tbZEPClassification s WHERE s.Code = a.Code) "
        "ORDER BY a.AssessDate DESC, a.IdNum DESC LIMIT 1)");
    c.Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = %1, "
                             "ZEPDiscountExpiry = %2 WHERE %3")
                  .arg(latest.arg(QStringLiteral("Code")), latest.arg(QStringLiteral("ExpiryDate")),
                       stale));
    return noRows();
}

} // namespace

void registerCaseProcedures() {
    auto& p = db::Procedures::instance();
    // sp_ZEP_UpdatePatientClass, which the class edit calls too, is the referral report's
    // (proc_referral.cpp): one procedure, so that a later registration cannot silently
    // replace another.
    p.add(QStringLiteral("ZEP..sp_ZEP_GetPatClassHistory"), getPatClassHistory);
    p.add(QStringLiteral("ZEP..sp_ZEP_SavePatClassHistory_Deletion"), savePatClassHistoryDeletion);
    p.add(QStringLiteral("ZEP..sp_ZEP_UpdateZEPNumber"), updateZEPNumber);
    p.add(QStringLiteral("ZEP..sp_ZEP_ChangeZEPNumber"), changeZEPNumber);
    p.add(QStringLiteral("ZEP..sp_ZEP_GlobalClassificationUpdate"), globalClassificationUpdate);
    p.add(QStringLiteral("ZEP..sp_ZEP_GlobalMasterUpdate"), globalMasterUpdate);
}

} // namespace server
