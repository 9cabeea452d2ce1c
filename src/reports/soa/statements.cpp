#include "statements.h"

#include "components/billing/billing.h"
#include "db/connection.h"
#include "db/error.h"
#include "reports/ui/operations.h"
#include "ui/messages.h"

namespace soa {

namespace {

bool allDigits(const QString& s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!c.isDigit())
            return false;
    return true;
}

} // namespace

StatementHead readHead(db::Connection& conn, const QString& hospNum, const QString& idNum) {
    StatementHead h;
    const db::Recordset rs =
        conn.Call(QStringLiteral("ZEP..sp_ZEP_PatientInfoForSOA"), {hospNum, idNum});
    if (rs.Eof())
        return h;
    const auto t = [&rs](const char* name) {
        return rs.TextOr(QString::fromLatin1(name)).trimmed();
    };
    h.patientName = t("PatientName");
    h.address1 = t("Address1");
    h.address2 = t("Address2");
    h.accountNum = t("AccountNum");
    h.company = t("Company");
    h.admDate = t("AdmDate");
    h.dcrDate = t("dcrdate");
    h.roomId = t("RoomID");
    h.admTime = t("AdmTime");
    h.dcrTime = t("dcrtime");
    h.roomRate = t("RoomRate");
    h.opdIdnum = t("OPDIdnum");
    return h;
}

DetailedStatement chooseDetailed(const QString& hospNum, const QString& idNum,
                                 const StatementHead& h) {
    DetailedStatement d;
    if (allDigits(idNum) && !h.opdIdnum.isEmpty()) {
        d.templateFile = QStringLiteral("DetailedSOAForOstrelRefNumGroupedConsolidated.rpt");
        d.values = {idNum,     h.patientName, h.address1, h.address2, h.accountNum, h.company,
                    idNum,     hospNum,       h.admDate,  h.dcrDate,  h.roomId,     h.roomRate,
                    h.admTime, h.dcrTime,     h.opdIdnum, QString()};
        return d;
    }
    const bool admission = allDigits(idNum);
    d.templateFile = admission ? QStringLiteral("DetailedSOAForOstrelRefNumGrouped.rpt")
                               : QStringLiteral("DetailedSOAForOstrelRefNumGrouped_opd.rpt");
    d.values = {idNum,      admission ? QStringLiteral("501") : QStringLiteral("102"),
                h.patientName, h.address1, h.address2, h.accountNum, h.company, idNum, hospNum,
                h.admDate,  h.dcrDate,  h.roomId, h.roomRate, h.admTime, h.dcrTime,
                QVariant(false), QString()};
    return d;
}

bool showDetailed(db::Connection* conn, const QString& reportFolder, const QString& hospNumIn,
                  const QString& idNumIn) {
    const QString hospNum = hospNumIn.trimmed();
    const QString idNum = idNumIn.trimmed();
    if (idNum.startsWith(u'T')) {
        ui::Messages::plain(QStringLiteral("Cannot generate SOA for Cash Patients."));
        return false;
    }
    // A patient chosen without a visit has no statement: without this check the
    // out-patient template opened for an empty visit number and printed an empty
    // statement as if it were the patient's.
    if (hospNum.isEmpty() || idNum.isEmpty()) {
        ui::Messages::info(QStringLiteral("Please select a patient."), QStringLiteral("Message"));
        return false;
    }
    if (!conn)
        return false;
    StatementHead head;
    try {
        head = readHead(*conn, hospNum, idNum);
    } catch (const db::Error& e) {
        ui::Messages::critical(QStringLiteral("Unable to read the patient's information for "
                                              "the statement of account.\n") +
                                   e.Description(),
                               QStringLiteral("Message"));
        return false;
    }
    const DetailedStatement d = chooseDetailed(hospNum, idNum, head);
    if (!reports::OpenReport(reportFolder, d.templateFile, d.values))
        return false;
    return reports::ShowReport(false, kDetailedTitle, false);
}

bool showSummarized(billing::clsOpenConnection* connection, billing::clssoa* statement,
                    const QString& serverName, const QString& hospNum, const QString& idNum,
                    const QString& userCode, const QString& userName) {
    const QString id = idNum.trimmed();
    if (id.isEmpty()) {
        ui::Messages::info(QStringLiteral("Please select first a patient to process."));
        return false;
    }
    // The billing component used to stop here without a word when it could not connect,
    // which left the worker waiting for a statement that never came.
    if (!connection || !statement ||
        !connection->EstablishedConnection(QString(), QStringLiteral("BILLING"), serverName)) {
        QString reason = connection ? connection->LastError() : QString();
        if (reason.isEmpty())
            reason = QStringLiteral("The billing component is not available.");
        ui::Messages::critical(
            QStringLiteral("Unable to connect to the billing database; the summarized "
                           "statement of account cannot be shown.\n") +
                reason,
            QStringLiteral("Message"));
        return false;
    }
    statement->setAdmissionNumber(id);
    statement->setUserId(userCode);
    statement->setHospitalNumber(hospNum.trimmed());
    statement->setUserName(userName);
    return statement->ShowSOA(id);
}

} // namespace soa
