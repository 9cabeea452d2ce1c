// Date texts from screens: the parser gives a valid date or an invalid QDate, and a valid
// date written back in either accepted form parses to itself.
#include "fuzzinput.h"
#include "db/dates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString t = fuzz::text(data, size);
    const QDate d = db::parseDate(t);
    if (!d.isValid())
        return 0;
    if (d.year() < 0 || d.year() > 9999)
        fuzz::broken("a date outside four-digit years", t);
    const QString us = QStringLiteral("%1/%2/%3")
                           .arg(d.month(), 2, 10, QLatin1Char('0'))
                           .arg(d.day(), 2, 10, QLatin1Char('0'))
                           .arg(d.year(), 4, 10, QLatin1Char('0'));
    if (db::parseDate(us) != d)
        fuzz::broken("the date written as mm/dd/yyyy does not parse back", t);
    if (db::parseDate(d.toString(Qt::ISODate)) != d)
        fuzz::broken("the date written as yyyy-mm-dd does not parse back", t);
    return 0;
}
