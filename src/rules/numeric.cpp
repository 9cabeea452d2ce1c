#include "numeric.h"

#include <QRegularExpression>
#include <cmath>

namespace rules {

std::optional<double> readNumber(const QString& text) {
    // QString::toDouble alone would also take "inf" and "nan"; the pattern keeps to plain
    // decimal numbers.
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString t = text.trimmed();
    if (!pattern.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool isNumericVisitNumber(const QString& idNum) {
    if (idNum.isEmpty())
        return false;
    for (const QChar c : idNum)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace rules
