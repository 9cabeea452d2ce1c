#include "dates.h"

#include <QRegularExpression>

namespace db {

QDate parseDate(const QString& text) {
    const QString t = text.trimmed();
    static const QRegularExpression us(QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{4})$)"));
    static const QRegularExpression iso(
        QStringLiteral(R"(^(\d{4})-(\d{2})-(\d{2})(?:[ T]\d{2}:\d{2}(?::\d{2}(?:\.\d+)?)?)?$)"));
    if (auto m = us.match(t); m.hasMatch())
        return QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    if (auto m = iso.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return QDate();
}

QDate dateValue(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate();
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString t = v.toString().trimmed();
    const QDate d = parseDate(t);
    return d.isValid() || t.size() <= 10 ? d : parseDate(t.left(10));
}

} // namespace db
