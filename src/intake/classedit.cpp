#include "classedit.h"

#include "db/dates.h"

namespace cases {

QString payRefusal(const QString& classification, const QString& expiry, const QDate& today) {
    const QDate until = db::parseDate(expiry.trimmed());
    if (until.isValid() && until <= today)
        return {};
    const QString cls = classification.trimmed();
    if (cls.isEmpty())
        return {};
    // The wording says "Service" although the change is to pay: the department's text.
    QString text = QStringLiteral("You cannot Change the classification to Service ") +
                   QLatin1Char('\n') +
                   QStringLiteral(" because the patient has an existing classification of ") + cls +
                   QLatin1Char('\n');
    if (until.isValid())
        text += QStringLiteral(" which will expire on ") + expiry.trimmed();
    else
        text += QStringLiteral(" which has no expiry date");
    return text;
}

} // namespace cases
