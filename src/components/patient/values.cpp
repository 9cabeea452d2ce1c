#include "values.h"

#include "db/dates.h"

namespace patient::detail {

QDate toDate(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return db::parseDate(v.toString());
}

QDateTime toDateTime(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    QString t = v.toString().trimmed();
    if (t.size() > 10 && t.at(10) == QLatin1Char(' '))
        t[10] = QLatin1Char('T');
    QDateTime dt = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (!dt.isValid()) {
        const QDate d = db::parseDate(t);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt;
}

int yearsBetween(const QDate& birth, const QDate& on) {
    if (!birth.isValid() || !on.isValid() || birth > on)
        return -1;
    int years = on.year() - birth.year();
    if (on.month() < birth.month() || (on.month() == birth.month() && on.day() < birth.day()))
        --years;
    return years;
}

} // namespace patient::detail
