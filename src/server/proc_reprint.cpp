// The referral report's look-backs: the search behind the reprint screen and the list of a
// patient's previous assessments. Both are read-only; the grids show their columns in the
// order returned, so the order of the columns below is part of what the screens rely on.
// Dates come back as text in one form on both engines ("mm/dd/yyyy", with the time for
// the moment of a save), so a grid reads the same on SQLite and PostgreSQL.
#include "registry.h"

#include "db/connection.h"
#include "db/dates.h"
#include "db/procedures.h"

#include <QDateTime>

namespace server {
namespace {

QString dayText(const QVariant& v) {
    const QDate d = db::dateValue(v);
    return d.isValid() ? d.toString(QStringLiteral("MM/dd/yyyy")) : QString();
}

// A save's moment as "mm/dd/yyyy hh:mm AM"; a value without a readable time keeps its day.
QString momentText(const QVariant& v) {
    if (v.isNull())
        return {};
    QDateTime t;
    if (v.metaType().id() == QMetaType::QDateTime) {
        t = v.toDateTime();
    } else {
        QString s = v.toString().trimmed().replace(QLatin1Char('T'), QLatin1Char(' '));
        t = QDateTime::fromString(s.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!t.isValid())
            t = QDateTime::fromString(s.left(16), QStringLiteral("yyyy-MM-dd HH:mm"));
    }
    if (!t.isValid())
        return dayText(v);
    return t.toString(QStringLiteral("MM/dd/yyyy hh:mm AP"));
}

QString personName(const db::Recordset& rs, const char* first, const char* last) {
    return (rs.Text(QLatin1String(first)).trimmed() + QStringLiteral(" ") +
            rs.Text(QLatin1String(last)).trimmed())
        .trimmed();
}

// The saved referral reports a search text finds (a hospital number, a case number, or the
// start of a last name), newest first: HospNum, IdNum, ZEPNum, PatientName, Classification,
// Category, AssessDate, Remarks, UserName (who saved it), LicenseNumber and lisencenumber
// (the social worker's licence; the second spelling is the one the reprint menu reads).
db::Recordset reprintARR(db::Connection& c, const db::Args& a) {
    const QString text = a.text(0);
    QVector<QVector<QVariant>> rows;
    if (!text.isEmpty()) {
        for (db::Recordset rs = c.Query(
                 QStringLiteral(
                     "SELECT x.HospNum, x.IdNum, x.ZEPNum, m.LastName, m.FirstName, m.MiddleName, "
                     "x.Code, x.Category, x.AssessDate, x.Remarks, u.LastName AS UserLast, "
                     "u.FirstName AS UserFirst, COALESCE(w.LicenseNumber, '') AS Licence "
                     "FROM ZEP.tbZEPAssessment x "
                     "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = x.HospNum "
                     "LEFT JOIN ZEP.tbZEPEmployee u ON u.EmployeeID = x.UserID "
                     "LEFT JOIN ZEP.tbZEPEmployee w ON w.EmployeeID = x.ZEPW "
                     "WHERE x.HospNum = ? OR x.ZEPNum = ? OR m.LastName LIKE ? "
                     "ORDER BY x.AssessDate DESC, x.IdNum"),
                 {text, text, text + QStringLiteral("%")});
             !rs.Eof(); rs.MoveNext()) {
            QString name = rs.Text(QStringLiteral("LastName")).trimmed();
            const QString given = personName(rs, "FirstName", "MiddleName");
            if (!given.isEmpty())
                name += QStringLiteral(", ") + given;
            rows.append({rs.Text(QStringLiteral("HospNum")), rs.Text(QStringLiteral("IdNum")),
                         rs.Text(QStringLiteral("ZEPNum")), name, rs.Text(QStringLiteral("Code")),
                         rs.Text(QStringLiteral("Category")),
                         momentText(rs.Value(QStringLiteral("AssessDate"))),
                         rs.Text(QStringLiteral("Remarks")), personName(rs, "UserFirst", "UserLast"),
                         rs.Text(QStringLiteral("Licence")), rs.Text(QStringLiteral("Licence"))});
        }
    }
    return db::Recordset({QStringLiteral("HospNum"), QStringLiteral("IdNum"),
                          QStringLiteral("ZEPNum"), QStringLiteral("PatientName"),
                          QStringLiteral("Classification"), QStringLiteral("Category"),
                          QStringLiteral("AssessDate"), QStringLiteral("Remarks"),
                          QStringLiteral("UserName"), QStringLiteral("LicenseNumber"),
                          QStringLiteral("lisencenumber")},
                         std::move(rows));
}

// The assessments of one patient (the hospital number, compared trimmed), one per visit
// as last saved, newest first: IdNum, Code, Classification (the class's name), Category,
// AssessDate, Remarks, ExpiryDate.
db::Recordset previousAssessment(db::Connection& c, const db::Args& a) {
    const QString hosp = a.text(0);
    QVector<QVector<QVariant>> rows;
    if (!hosp.isEmpty()) {
        for (db::Recordset rs = c.Query(
                 QStringLiteral(
                     "SELECT x.IdNum, x.Code, x.Category, x.AssessDate, x.Remarks, x.ExpiryDate, "
                     "(SELECT MIN(k.Classification) FROM ZEP.tbZEPClassification k "
                     "WHERE k.Code = x.Code) AS ClassName "
                     "FROM ZEP.tbZEPAssessment x WHERE TRIM(x.HospNum) = ? "
                     "ORDER BY x.AssessDate DESC, x.IdNum DESC"),
                 {hosp});
             !rs.Eof(); rs.MoveNext())
            rows.append({rs.Text(QStringLiteral("IdNum")), rs.Text(QStringLiteral("Code")),
                         rs.Text(QStringLiteral("ClassName")), rs.Text(QStringLiteral("Category")),
                         momentText(rs.Value(QStringLiteral("AssessDate"))),
                         rs.Text(QStringLiteral("Remarks")),
                         dayText(rs.Value(QStringLiteral("ExpiryDate")))});
    }
    return db::Recordset({QStringLiteral("IdNum"), QStringLiteral("Code"),
                          QStringLiteral("Classification"), QStringLiteral("Category"),
                          QStringLiteral("AssessDate"), QStringLiteral("Remarks"),
                          QStringLiteral("ExpiryDate")},
                         std::move(rows));
}

} // namespace

void registerReprintProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("ZEP..sp_ZEP_ReprintARR"), reprintARR);
    p.add(QStringLiteral("ZEP..sp_ZEP_GetPreviousAssessment"), previousAssessment);
}

} // namespace server
