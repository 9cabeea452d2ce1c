#include "numbers.h"

#include <cmath>

namespace db {

QString numberToText(double value) {
    if (std::isnan(value) || std::isinf(value))
        return QString();
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    // 15 significant digits, then drop the zeros that %g-style formatting leaves out anyway;
    // 'g' switches to exponent form only for very large or very small values.
    QString s = QString::number(value, 'g', 15);
    if (s.contains(QLatin1Char('e'))) {
        // Keep money-sized values in plain notation; only truly tiny or huge numbers
        // keep the exponent.
        const double a = std::fabs(value);
        if (a >= 1e-5 && a < 1e15) {
            s = QString::number(value, 'f', 15);
            while (s.endsWith(QLatin1Char('0')))
                s.chop(1);
            if (s.endsWith(QLatin1Char('.')))
                s.chop(1);
        } else if (bool ok = false; !std::isfinite(s.toDouble(&ok)) || !ok) {
            // Near the largest double, 15 digits round past it ("1.79769313486232e+308"),
            // and no reader takes the text back; 17 digits always read back exactly.
            s = QString::number(value, 'g', 17);
        }
    }
    return s;
}

} // namespace db
