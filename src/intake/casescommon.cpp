#include "casescommon.h"

#include "db/connection.h"
#include "db/dates.h"
#include "db/error.h"
#include "ui/messages.h"

namespace cases {

void showFailedSave(const db::Error& e) {
    ui::Messages::critical(QStringLiteral("Data Not Successfully Saved.\n") + e.Description(),
                           kMessageTitle);
}

QString usDate(const QString& text) {
    const QDate d = db::parseDate(text.trimmed().left(10));
    return d.isValid() ? d.toString(QStringLiteral("MM/dd/yyyy")) : QString();
}

void runGlobalUpdate(db::Connection& conn) {
    // The master update reads what the first one wrote: half of it must never stay.
    db::Transaction t(conn);
    conn.Call(QStringLiteral("ZEP..sp_ZEP_GlobalClassificationUpdate"));
    conn.Call(QStringLiteral("ZEP..sp_ZEP_GlobalMasterUpdate"));
    t.commit();
}

} // namespace cases
