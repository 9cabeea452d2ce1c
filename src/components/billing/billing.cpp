#include "billing.h"

#include "db/connection.h"
#include "db/error.h"
#include "reports/ui/operations.h"
#include "ui/messages.h"

namespace billing {

bool clsOpenConnection::IsOpen() const { return conn_ && conn_->State() != 0; }

bool clsOpenConnection::EstablishedConnection(const QString&, const QString& database,
                                              const QString& serverName) {
    established_ = false;
    error_.clear();
    if (!serverName.isEmpty())
        server_ = serverName;
    if (database.compare(QLatin1String("BILLING"), Qt::CaseInsensitive) != 0) {
        error_ = QStringLiteral("The billing component knows no database \"%1\".").arg(database);
        return false;
    }
    if (!IsOpen()) {
        error_ = QStringLiteral("There is no open connection to the billing database on %1.")
                     .arg(server_.isEmpty() ? QStringLiteral("the server") : server_);
        return false;
    }
    // Reaching the database is the test: a statement on one of its tables.
    try {
        conn_->Query(QStringLiteral("SELECT COUNT(*) AS n FROM BILLING.tbBillCompany"));
    } catch (const db::Error& e) {
        error_ = e.Description();
        return false;
    }
    established_ = true;
    return true;
}

bool clssoa::ShowSOA(const QString& admissionNumber) {
    if (!billing_ || !billing_->Established()) {
        ui::Messages::critical(QStringLiteral("The billing connection is not established."),
                               QStringLiteral("Message"));
        return false;
    }
    admission_ = admissionNumber.trimmed();
    if (!reports::OpenReport(folder_, templateFile(),
                             {admission_, hospNum_, userId_, userName_}))
        return false;
    return reports::ShowReport(false, title(), false);
}

} // namespace billing
