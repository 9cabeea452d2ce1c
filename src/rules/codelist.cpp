#include "codelist.h"

namespace rules {

static const QChar kSeparator = QLatin1Char('|');

QStringList splitCodeList(const QString& list) {
    QStringList parts = list.split(kSeparator);
    parts.removeLast(); // what follows the last "|" (split always gives at least one part)
    for (QString& p : parts)
        p = p.trimmed();
    return parts;
}

QString joinCodeList(const QStringList& codes) {
    QString out;
    for (const QString& c : codes) {
        out += c.trimmed();
        out += kSeparator;
    }
    return out;
}

QString removeFromCodeList(const QString& list, const QString& code) {
    const QString wanted = code.trimmed();
    QStringList kept;
    for (const QString& c : splitCodeList(list)) {
        if (c != wanted)
            kept.append(c);
    }
    return joinCodeList(kept);
}

} // namespace rules
