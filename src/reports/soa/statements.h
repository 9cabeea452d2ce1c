#pragma once
// The statements of account of the Viewing menu for the visit selected in the patient list.
#include <QString>
#include <QVariantList>

namespace db {
class Connection;
}
namespace billing {
class clsOpenConnection;
class clssoa;
} // namespace billing

namespace soa {

// The window title of the detailed statement.
inline const QString kDetailedTitle = QStringLiteral("Detailed Statement of Accounts");

// The template and its values for one visit, as the detailed statement opens it.
struct DetailedStatement {
    QString templateFile;
    QVariantList values;
};

// The patient and visit details at the head of the statement (empty when none were found).
struct StatementHead {
    QString patientName, address1, address2, accountNum, company, admDate, dcrDate, roomId,
        admTime, dcrTime, roomRate, opdIdnum;
};

// Reads the head through ZEP..sp_ZEP_PatientInfoForSOA; throws db::Error.
StatementHead readHead(db::Connection& conn, const QString& hospNum, const QString& idNum);

// The template and values for a visit: an admission with a linked out-patient visit gets
// the consolidated statement, any other admission the in-patient one, every other visit the
// out-patient one.
DetailedStatement chooseDetailed(const QString& hospNum, const QString& idNum,
                                 const StatementHead& head);

// Detailed SOA: the refusals, the head, the template and the viewer. Every refusal and
// failure is shown to the worker; returns true when the statement was shown.
bool showDetailed(db::Connection* conn, const QString& reportFolder, const QString& hospNum,
                  const QString& idNum);

// Summarized SOA through the billing components. A billing connection that cannot be
// established is said so (with the component's reason) instead of doing nothing.
bool showSummarized(billing::clsOpenConnection* connection, billing::clssoa* statement,
                    const QString& serverName, const QString& hospNum, const QString& idNum,
                    const QString& userCode, const QString& userName);

} // namespace soa
