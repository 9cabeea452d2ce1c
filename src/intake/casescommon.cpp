#include "casescommon.h"

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

} // namespace cases
