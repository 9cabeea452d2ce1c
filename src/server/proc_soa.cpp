// The patient's sponsor funds and what was charged against them (the fund view), and the
// patient and visit details printed at the head of a detailed statement of account.
#include "registry.h"

#include "db/connection.h"
#include "db/dates.h"
#include "db/procedures.h"

#include <QDateTime>
#include <QLocale>

namespace server {

namespace {

// The funds sponsors granted to a patient, newest first. The columns come in the order the
// fund grid shows them: the grid binds the rows whole.
db::Recordset getSponsor(db::Connection& c, const db::Args& a) {
    return c.Query(
        QStringLiteral("SELECT f.AccountNum, f.RefNum, f.CompanyID, co.Company, f.Amount, "
                       "f.TransDate, f.Validity, f.UserID "
                       "FROM BILLING.tbBillCDFAllocation f "
                       "LEFT JOIN BILLING.tbBillCompany co ON co.CompanyID = f.CompanyID "
                       "WHERE f.HospNum = ? ORDER BY f.TransDate DESC, f.AccountNum"),
        {a.text(0)});
}

// The charge lines of the patient's visits (admissions, out-patient and ER visits) that a
// sponsor's fund paid, oldest first, in the order the monitoring grid shows them. A fund of
// another patient gives nothing even when its account number is known.
db::Recordset cdfMonitoring(db::Connection& c, const db::Args& a) {
    const QString hosp = a.text(0);
    const QString account = a.text(1);
    const QString lines = QStringLiteral(
        "SELECT b.RevenueID AS DeptCode, b.ItemID, b.Description, b.TransDate, b.ChargeSlip, "
        "b.Amount, f.CompanyID, b.RoomID, b.RefNum, b.CDFAccountNum, co.Company, b.UserID, "
        "b.Id AS LineID, %2 AS Kind "
        "FROM %1 b JOIN BILLING.tbBillCDFAllocation f ON f.AccountNum = b.CDFAccountNum "
        "LEFT JOIN BILLING.tbBillCompany co ON co.CompanyID = f.CompanyID "
        "WHERE b.CDFAccountNum = ? AND f.HospNum = ?");
    db::Recordset rs = c.Query(
        QStringLiteral("SELECT DeptCode, ItemID, Description, TransDate, ChargeSlip, Amount, "
                       "CompanyID, RoomID, RefNum, CDFAccountNum, Company, UserID FROM (") +
            lines.arg(QStringLiteral("BILLING.tbBillDailyBill"), QStringLiteral("1")) +
            QStringLiteral(" UNION ALL ") +
            lines.arg(QStringLiteral("BILLING.tbBillOPDailyOut"), QStringLiteral("2")) +
            QStringLiteral(") x ORDER BY TransDate, Kind, LineID"),
        {account, hosp, account, hosp});
    return rs;
}

QString dateText(const QVariant& v) {
    const QDate d = db::dateValue(v);
    return d.isValid() ? d.toString(QStringLiteral("MM/dd/yyyy")) : QString();
}

// The time of a timestamp as "hh:mm AM"; empty when there is none.
QString timeText(const QVariant& v) {
    if (v.isNull())
        return {};
    QDateTime at = v.typeId() == QMetaType::QDateTime ? v.toDateTime() : QDateTime();
    if (!at.isValid()) {
        const QString t = v.toString().trimmed().left(19).replace(u'T', u' ');
        for (const QString& f : {QStringLiteral("yyyy-MM-dd HH:mm:ss"),
                                 QStringLiteral("yyyy-MM-dd HH:mm")}) {
            at = QDateTime::fromString(t, f);
            if (at.isValid())
                break;
        }
    }
    if (!at.isValid())
        return {};
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(at.time(), QStringLiteral("hh:mm AP"));
}

// The head of a detailed statement of account for one visit of one patient: the patient's
// name and address, the sponsor paying the visit (BILLING.vwBillVisitPayer), the admission
// and discharge dates and times, the room with its rate and, for an admission, the
// out-patient visit it came from. Nothing when the visit is not that patient's. Dates come as "mm/dd/yyyy" texts and times as "hh:mm AM".
db::Recordset patientInfoForSOA(db::Connection& c, const db::Args& a) {
    const QString hosp = a.text(0);
    const QString id = a.text(1).toUpper();
    const QString name = QStringLiteral(
        "TRIM(m.LastName) || CASE WHEN TRIM(COALESCE(m.FirstName, '')) || "
        "TRIM(COALESCE(m.MiddleName, '')) = '' THEN '' ELSE ', ' END || "
        "TRIM(TRIM(COALESCE(m.FirstName, '')) || ' ' || TRIM(COALESCE(m.MiddleName, '')))");
    const QString head = QStringLiteral(
        "SELECT %1 AS PatientName, m.HouseStreet, m.Barangay, m.Town, m.Province, m.ZipCode, "
        "v.AdmDate, v.DcrDate, ").arg(name);
    const QString sql =
        head + QStringLiteral("v.RoomID, r.RoomRate, v.OPDIdNum AS OPDIdnum "
                              "FROM PATIENT_DATA.tbPatient2 v "
                              "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
                              "LEFT JOIN PATIENT_DATA.tbRoom r ON r.RoomID = v.RoomID "
                              "WHERE v.HospNum = ? AND v.IdNum = ? UNION ALL ") +
        head + QStringLiteral("'OPD' AS RoomID, NULL AS RoomRate, NULL AS OPDIdnum "
                              "FROM PATIENT_DATA.tbOutPatient v "
                              "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
                              "WHERE v.HospNum = ? AND v.IdNum = ? UNION ALL ") +
        head + QStringLiteral("'ER' AS RoomID, NULL AS RoomRate, NULL AS OPDIdnum "
                              "FROM PATIENT_DATA.tbERMaster v "
                              "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
                              "WHERE v.HospNum = ? AND v.IdNum = ?");
    db::Recordset rs = c.Query(sql, {hosp, id, hosp, id, hosp, id});
    const QStringList columns{
        QStringLiteral("PatientName"), QStringLiteral("Address1"), QStringLiteral("Address2"),
        QStringLiteral("AccountNum"),  QStringLiteral("Company"),  QStringLiteral("AdmDate"),
        QStringLiteral("dcrdate"),     QStringLiteral("RoomID"),   QStringLiteral("AdmTime"),
        QStringLiteral("dcrtime"),     QStringLiteral("RoomRate"), QStringLiteral("OPDIdnum")};
    if (rs.Eof())
        return db::Recordset(columns, {});

    // The payer every money report names for the visit.
    db::Recordset payer = c.Query(
        QStringLiteral("SELECT AccountNum, Company FROM BILLING.vwBillVisitPayer WHERE IdNum = ?"),
        {id});

    const auto joined = [](QStringList parts, const QString& sep) {
        parts.removeAll(QString());
        return parts.join(sep);
    };
    const auto t = [&rs](const char* col) { return rs.Text(QString::fromLatin1(col)).trimmed(); };
    const QString address1 = joined({t("HouseStreet"), t("Barangay")}, QStringLiteral(", "));
    const QString town = joined({t("Town"), t("Province")}, QStringLiteral(", "));
    const QString address2 = joined({town, t("ZipCode")}, QStringLiteral(" "));
    const QVariant adm = rs.Value(QStringLiteral("AdmDate"));
    const QVariant dcr = rs.Value(QStringLiteral("DcrDate"));
    const QVector<QVariant> row{
        t("PatientName"),
        address1,
        address2,
        payer.Eof() ? QVariant() : QVariant(payer.Text(QStringLiteral("AccountNum")).trimmed()),
        payer.Eof() ? QVariant() : QVariant(payer.Text(QStringLiteral("Company")).trimmed()),
        dateText(adm),
        dcr.isNull() ? QVariant() : QVariant(dateText(dcr)),
        rs.Value(QStringLiteral("RoomID")),
        timeText(adm),
        dcr.isNull() ? QVariant() : QVariant(timeText(dcr)),
        rs.Value(QStringLiteral("RoomRate")),
        rs.Value(QStringLiteral("OPDIdnum"))};
    return db::Recordset(columns, {row});
}

} // namespace

void registerSoaProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("ZEP..sp_ZEP_GetSponsor"), getSponsor);
    p.add(QStringLiteral("ZEP..sp_ZEP_CDFMonitoring"), cdfMonitoring);
    p.add(QStringLiteral("ZEP..sp_ZEP_PatientInfoForSOA"), patientInfoForSOA);
}

} // namespace server
