// The referral report's opening: the visit's class, the visit's patient for a report without
// a case number yet, the visit's assessment record and case history, the class change of a
// pay-to-service conversion, and the two catalogues of the service and activity pickers.
//
// A visit number is a key across the three visit tables (admission numbers are all digits,
// out-patient numbers end in B, ER numbers in E), so one union finds any visit. The
// assessment of a visit lives in ZEP.tbZEPAssessment with its services and activities in
// rows of their own; the screens exchange those as code lists ("1.2|1.3.5|"). The case
// number, class code, date of intake and expiry are the patient's, on PATIENT_DATA.tbMaster.
#include "registry.h"

#include "db/connection.h"
#include "db/procedures.h"
#include "names.h"

#include <QStringList>
#include <algorithm>

namespace server {
namespace {

// The visit of any kind with its patient, its room (admissions only) and its doctor.
// Values: the visit number three times.
const QString kVisit = QStringLiteral(
    "SELECT v.IdNum, v.HospNum, v.RoomID, v.VisitClass, m.LastName, m.FirstName, m.MiddleName, "
    "d.LastName AS DoctorLast, d.FirstName AS DoctorFirst, d.MiddleName AS DoctorMiddle "
    "FROM (SELECT IdNum, HospNum, RoomID, DoctorID, PatientClass AS VisitClass "
    "FROM PATIENT_DATA.tbPatient2 WHERE IdNum = ? "
    "UNION ALL SELECT IdNum, HospNum, NULL, DoctorID, PatientType "
    "FROM PATIENT_DATA.tbOutPatient WHERE IdNum = ? "
    "UNION ALL SELECT IdNum, HospNum, NULL, DoctorID, PatientClassification "
    "FROM PATIENT_DATA.tbERMaster WHERE IdNum = ?) v "
    "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
    "LEFT JOIN PATIENT_DATA.tbDoctor d ON d.DoctorID = v.DoctorID");

// Visit numbers are filed with an upper-case letter.
QString visitNumber(const db::Args& a, int i) {
    return a.text(i).toUpper();
}

db::Recordset visit(db::Connection& c, const QString& id) {
    return c.Query(kVisit, {id, id, id});
}

QString doctorName(const db::Recordset& v) {
    return personName(v.Text(QStringLiteral("DoctorLast")), v.Text(QStringLiteral("DoctorFirst")),
                      v.Text(QStringLiteral("DoctorMiddle")));
}

// A code list of a visit's rows, in list order.
QString codeList(db::Connection& c, const char* table, const char* column, const QString& id) {
    QString list;
    for (db::Recordset rs = c.Query(QStringLiteral("SELECT %1 AS Code FROM %2 WHERE IdNum = ? "
                                                   "ORDER BY SeqNo")
                                        .arg(QLatin1String(column), QLatin1String(table)),
                                    {id});
         !rs.Eof(); rs.MoveNext())
        list += rs.Text(QStringLiteral("Code")).trimmed() + QLatin1Char('|');
    return list;
}

// The visit's class, one letter: the admission's PatientClass, the out-patient visit's
// PatientType or the ER visit's PatientClassification. No row for a visit not on file.
db::Recordset checkPatientClass(db::Connection& c, const db::Args& a) {
    const QString id = visitNumber(a, 0);
    const db::Recordset v = visit(c, id);
    QVector<QVector<QVariant>> rows;
    if (!v.Eof())
        rows.append({v.Text(QStringLiteral("IdNum")),
                     v.Text(QStringLiteral("VisitClass")).trimmed().left(1).toUpper()});
    return db::Recordset({QStringLiteral("IdNum"), QStringLiteral("PatientClass")},
                         std::move(rows));
}

// The visit's patient as the referral report shows him before he has a case number.
db::Recordset payPatientInfo(db::Connection& c, const db::Args& a) {
    const db::Recordset v = visit(c, visitNumber(a, 0));
    QVector<QVector<QVariant>> rows;
    if (!v.Eof())
        rows.append({v.Text(QStringLiteral("LastName")), v.Text(QStringLiteral("FirstName")),
                     v.Text(QStringLiteral("MiddleName")), v.Text(QStringLiteral("HospNum")),
                     v.Text(QStringLiteral("IdNum")), doctorName(v),
                     v.Text(QStringLiteral("RoomID"))});
    return db::Recordset({QStringLiteral("LastName"), QStringLiteral("FirstName"),
                          QStringLiteral("MiddleName"), QStringLiteral("HospNum"),
                          QStringLiteral("IDNum"), QStringLiteral("DoctorName"),
                          QStringLiteral("RoomID")},
                         std::move(rows));
}

// The referral report of a visit: one row for every visit on file. The patient and visit
// columns are always filled; the assessment columns are empty while the visit has no
// report yet, so that a classified patient's first report on a new visit can be entered.
// Code is the patient's class while it has not expired (no expiry counts as not expired),
// empty once it has: the screen tells the worker so.
db::Recordset getAssessmentRecord(db::Connection& c, const db::Args& a) {
    const QString id = visitNumber(a, 0);
    // One statement for the visit, its patient and its report: the report opens on every
    // visit a worker picks, so each round trip counts.
    const db::Recordset v = c.Query(
        QStringLiteral(
            "SELECT v.IdNum, v.HospNum, v.RoomID, m.LastName, m.FirstName, m.MiddleName, "
            "COALESCE(m.ZEPNum, '') AS ZEPNum, m.ZEPDiscountValidity, m.ZEPDiscountExpiry, "
            "CASE WHEN m.ZEPDiscountExpiry IS NULL OR m.ZEPDiscountExpiry >= %1 "
            "THEN COALESCE(m.ZEPClassification, '') ELSE '' END AS Code, "
            "d.LastName AS DoctorLast, d.FirstName AS DoctorFirst, d.MiddleName AS DoctorMiddle, "
            "x.IdNum AS Assessed, x.ZEPW, e.LastName AS WorkerLast, e.FirstName AS WorkerFirst, "
            "e.MiddleName AS WorkerMiddle, x.NC, x.Remarks, x.IsCDF, x.IsSpecial, x.IsPCSO, "
            "x.PCSOType, x.CaseCategoryID, x.ParentCategoryID, x.ReferringPartyID "
            "FROM (SELECT IdNum, HospNum, RoomID, DoctorID FROM PATIENT_DATA.tbPatient2 "
            "WHERE IdNum = ? "
            "UNION ALL SELECT IdNum, HospNum, NULL, DoctorID FROM PATIENT_DATA.tbOutPatient "
            "WHERE IdNum = ? "
            "UNION ALL SELECT IdNum, HospNum, NULL, DoctorID FROM PATIENT_DATA.tbERMaster "
            "WHERE IdNum = ?) v "
            "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
            "LEFT JOIN PATIENT_DATA.tbDoctor d ON d.DoctorID = v.DoctorID "
            "LEFT JOIN ZEP.tbZEPAssessment x ON x.IdNum = v.IdNum "
            "LEFT JOIN ZEP.tbZEPEmployee e ON e.EmployeeID = x.ZEPW")
            .arg(c.dialect().today()),
        {id, id, id});
    const QStringList columns{QStringLiteral("LastName"),
                              QStringLiteral("FirstName"),
                              QStringLiteral("MiddleName"),
                              QStringLiteral("HospNum"),
                              QStringLiteral("IDNum"),
                              QStringLiteral("ZEPNum"),
                              QStringLiteral("DoctorName"),
                              QStringLiteral("RoomID"),
                              QStringLiteral("ZEPDiscountValidity"),
                              QStringLiteral("ZEPDiscountExpiry"),
                              QStringLiteral("Code"),
                              QStringLiteral("ZEPW"),
                              QStringLiteral("ZEPWName"),
                              QStringLiteral("NC"),
                              QStringLiteral("Remarks"),
                              QStringLiteral("IsCDF"),
                              QStringLiteral("IsSpecial"),
                              QStringLiteral("IsPCSO"),
                              QStringLiteral("pcsotype"),
                              QStringLiteral("CaseCategory"),
                              QStringLiteral("parentcategory"),
                              QStringLiteral("ReferringPartyID"),
                              QStringLiteral("serviceid")};
    QVector<QVector<QVariant>> rows;
    if (v.Eof())
        return db::Recordset(columns, std::move(rows));
    const QString visitId = v.Text(QStringLiteral("IdNum"));
    QVector<QVariant> row{v.Text(QStringLiteral("LastName")),
                          v.Text(QStringLiteral("FirstName")),
                          v.Text(QStringLiteral("MiddleName")),
                          v.Text(QStringLiteral("HospNum")),
                          visitId,
                          v.Text(QStringLiteral("ZEPNum")),
                          doctorName(v),
                          v.Text(QStringLiteral("RoomID")),
                          v.Value(QStringLiteral("ZEPDiscountValidity")),
                          v.Value(QStringLiteral("ZEPDiscountExpiry")),
                          v.Text(QStringLiteral("Code"))};
    if (v.IsNull(QStringLiteral("Assessed"))) {
        for (int i = int(row.size()); i < columns.size(); ++i)
            row.append(QVariant());
    } else {
        const QString worker = v.Text(QStringLiteral("ZEPW")).trimmed();
        // A worker who has left the employee file still shows by his code.
        QString workerName =
            personName(v.Text(QStringLiteral("WorkerLast")), v.Text(QStringLiteral("WorkerFirst")),
                       v.Text(QStringLiteral("WorkerMiddle")));
        if (workerName.isEmpty())
            workerName = worker;
        row << worker << workerName << v.Value(QStringLiteral("NC"))
            << v.Text(QStringLiteral("Remarks")) << v.Value(QStringLiteral("IsCDF"))
            << v.Value(QStringLiteral("IsSpecial")) << v.Value(QStringLiteral("IsPCSO"))
            << v.Text(QStringLiteral("PCSOType")) << v.Text(QStringLiteral("CaseCategoryID"))
            << v.Text(QStringLiteral("ParentCategoryID"))
            << v.Text(QStringLiteral("ReferringPartyID"))
            << codeList(c, "ZEP.tbZEPAssessmentService", "ServiceCode", visitId);
    }
    rows.append(row);
    return db::Recordset(columns, std::move(rows));
}

// The documentation of a visit's case (hospital number, visit number): the 18 flags as
// "1|0|...|" in the order of the screen's boxes, the case status code and its name, the
// activities as a code list and the active flag. No row while the visit has no report.
db::Recordset loadPatCaseHistory(db::Connection& c, const db::Args& a) {
    static const char* const docs[] = {
        "DocIntakeSheet",         "DocPatientsProfile",    "DocRegistrationLogbook",
        "DocServiceCard",         "DocPatientsDataCard",   "DocTransferSummary",
        "DocClosingSummary",      "DocGroupworkRecording", "DocEligibilityStudy",
        "DocSocialCaseStudy",     "DocHomeVisit",          "DocWorkPlan",
        "DocDailyAccomplishment", "DocMonthlyCensus",      "DocFeedBack",
        "DocAnnualReport",        "DocProgressNote",       "DocOthers"};
    QStringList cols;
    for (const char* d : docs)
        cols << QStringLiteral("x.") + QLatin1String(d);
    const db::Recordset x = c.Query(
        QStringLiteral("SELECT x.IdNum, x.CaseStatus, COALESCE(s.CaseStatus, '') AS CaseDesc, "
                       "x.Active, %1 FROM ZEP.tbZEPAssessment x "
                       "LEFT JOIN ZEP.tbZEPActive s ON s.Code = x.CaseStatus "
                       "WHERE x.HospNum = ? AND x.IdNum = ?")
            .arg(cols.join(QStringLiteral(", "))),
        {a.text(0), visitNumber(a, 1)});
    QVector<QVector<QVariant>> rows;
    if (!x.Eof()) {
        QString flags;
        for (const char* d : docs)
            flags +=
                (x.Value(QLatin1String(d)).toInt() == 1 ? QLatin1Char('1') : QLatin1Char('0')) +
                QStringLiteral("|");
        const QString id = x.Text(QStringLiteral("IdNum"));
        rows.append({flags, x.Text(QStringLiteral("CaseStatus")),
                     x.Text(QStringLiteral("CaseDesc")),
                     codeList(c, "ZEP.tbZEPAssessmentActivity", "ActivityCode", id),
                     x.Text(QStringLiteral("Active"))});
    }
    return db::Recordset({QStringLiteral("docs"), QStringLiteral("casestatus"),
                          QStringLiteral("casedesc"), QStringLiteral("activityid"),
                          QStringLiteral("active")},
                         std::move(rows));
}

// Sets a visit's class (visit number, "P" or "S", user code) and records the change in the
// class history, both or neither. A visit not on file or another letter is refused.
db::Recordset updatePatientClass(db::Connection& c, const db::Args& a) {
    const QString id = visitNumber(a, 0);
    const QString cls = a.text(1).toUpper();
    if (cls != QLatin1String("P") && cls != QLatin1String("S"))
        db::raise(QStringLiteral("'%1' is not a patient class (P or S).").arg(a.text(1)));
    db::Transaction t(c);
    static const struct {
        const char* table;
        const char* column;
    } kinds[] = {{"PATIENT_DATA.tbPatient2", "PatientClass"},
                 {"PATIENT_DATA.tbOutPatient", "PatientType"},
                 {"PATIENT_DATA.tbERMaster", "PatientClassification"}};
    long long changed = 0;
    for (const auto& k : kinds)
        changed += c.Execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE IdNum = ?")
                                 .arg(QLatin1String(k.table), QLatin1String(k.column)),
                             {cls, id});
    if (changed == 0)
        db::raise(QStringLiteral("Visit %1 is not on file.").arg(id));
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPPatClassHistory (IdNum, PatientClass, "
                             "TransDate, UserID) VALUES (?, ?, %1, ?)")
                  .arg(c.dialect().now()),
              {id, cls, a.text(2)});
    t.commit();
    return db::Recordset({}, {});
}

// Dotted codes in their natural order: 1.2 before 1.10.
bool codeBefore(const QString& x, const QString& y) {
    const QStringList px = x.split(QLatin1Char('.')), py = y.split(QLatin1Char('.'));
    for (int i = 0; i < std::min(px.size(), py.size()); ++i) {
        bool okx = false, oky = false;
        const int nx = px.at(i).toInt(&okx), ny = py.at(i).toInt(&oky);
        if (okx && oky && nx != ny)
            return nx < ny;
        if (!(okx && oky) && px.at(i) != py.at(i))
            return px.at(i) < py.at(i);
    }
    return px.size() < py.size();
}

// One level of a catalogue tree: the entries under a parent code, "0" for the top level.
db::Recordset catalogueLevel(db::Connection& c, const char* table, const db::Args& a) {
    const QString parent = a.text(0);
    const bool top = parent.isEmpty() || parent == QLatin1String("0");
    db::Recordset rs =
        top ? c.Query(QStringLiteral("SELECT Code, Description FROM %1 WHERE ParentCode IS NULL")
                          .arg(QLatin1String(table)))
            : c.Query(QStringLiteral("SELECT Code, Description FROM %1 WHERE ParentCode = ?")
                          .arg(QLatin1String(table)),
                      {parent});
    QVector<QVector<QVariant>> rows;
    for (; !rs.Eof(); rs.MoveNext())
        rows.append(
            {rs.Text(QStringLiteral("Code")).trimmed(), rs.Text(QStringLiteral("Description"))});
    std::sort(rows.begin(), rows.end(), [](const QVector<QVariant>& x, const QVector<QVariant>& y) {
        return codeBefore(x.at(0).toString(), y.at(0).toString());
    });
    return db::Recordset({QStringLiteral("Code"), QStringLiteral("Description")}, std::move(rows));
}

} // namespace

void registerReferralProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("RADIOLOGY..spRadio_CheckPatientClass"), checkPatientClass);
    p.add(QStringLiteral("ZEP..sp_ZEP_PayPatientInfo"), payPatientInfo);
    p.add(QStringLiteral("ZEP..sp_ZEP_GetAssessmentRecord"), getAssessmentRecord);
    p.add(QStringLiteral("ZEP..sp_LoadPatCaseHistory"), loadPatCaseHistory);
    p.add(QStringLiteral("ZEP..sp_ZEP_UpdatePatientClass"), updatePatientClass);
    p.add(QStringLiteral("ZEP..sp_ZEP_GetService"), [](db::Connection& c, const db::Args& a) {
        return catalogueLevel(c, "ZEP.tbZEPServiceCategory", a);
    });
    p.add(QStringLiteral("ZEP..sp_ZEP_GetActivity"), [](db::Connection& c, const db::Args& a) {
        return catalogueLevel(c, "ZEP.tbZEPActivity", a);
    });
}

} // namespace server
