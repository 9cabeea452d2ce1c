#include "dischargerules.h"

#include <QDateTime>
#include <QLocale>

namespace discharge {

QString generalDate(const QVariant& v) {
    if (v.isNull())
        return {};
    QDateTime at;
    if (v.typeId() == QMetaType::QDateTime) {
        at = v.toDateTime();
    } else {
        const QString t = v.toString().trimmed().left(19);
        for (const QString& f : {QStringLiteral("yyyy-MM-dd HH:mm:ss"),
                                 QStringLiteral("yyyy-MM-ddTHH:mm:ss"),
                                 QStringLiteral("yyyy-MM-dd HH:mm")}) {
            at = QDateTime::fromString(t, f);
            if (at.isValid())
                break;
        }
        if (!at.isValid()) {
            const QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
            if (!d.isValid())
                return {};
            at = QDateTime(d, QTime(0, 0));
        }
    }
    if (!at.isValid())
        return {};
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    // Midnight shows as the date alone, as the old general date form did.
    if (at.time() == QTime(0, 0))
        return us.toString(at.date(), QStringLiteral("M/d/yyyy"));
    return us.toString(at, QStringLiteral("M/d/yyyy h:mm:ss AP"));
}

QString otherInfo(bool cdf, bool pcso, bool special, const QString& nc) {
    QString info;
    if (cdf)
        info += QStringLiteral("with CDF; ");
    if (pcso)
        info += QStringLiteral("with PCSO; ");
    if (special) {
        if (nc != QLatin1String("0.00"))
            info += QStringLiteral("Special Arrangement (NC: ") + nc + QLatin1Char(')');
        else
            info += QStringLiteral("Special Arrangement");
    }
    return info;
}

QString storedRemarks(const QString& typed) {
    QString s = typed;
    return s.replace(QLatin1Char('\''), QLatin1Char('`'));
}

} // namespace discharge
