#include "clsPercentages.h"

#include "db/numbers.h"
#include "rules/numeric.h"

namespace {

// How many leading characters hold the number, for a text of `length` characters.
int numberWidth(qsizetype length) {
    switch (length) {
    case 4:
        return 3;
    case 3:
        return 2;
    default:
        return 1; // lengths 2 and 1, and "None" on any other length
    }
}

} // namespace

QString clsPercentages::ShowPercent(const QString& mode, const QString& strPercent, bool* ok) {
    if (ok)
        *ok = true;
    int step = 0;
    if (mode == u"Up")
        step = 1;
    else if (mode == u"Down")
        step = -1;
    else if (mode != u"None")
        return {};

    const qsizetype length = strPercent.size();
    // Texts that do not look like a percentage at all step to a plain value without reading
    // a number; "None" still reads the first character.
    if (step == 1 && (length == 0 || length > 4)) {
        decPercent = 0.01;
        return QStringLiteral("1");
    }
    if (step == -1 && (length <= 1 || length > 4)) {
        decPercent = 0;
        return QStringLiteral("0");
    }

    const std::optional<double> n = rules::readNumber(strPercent.left(numberWidth(length)));
    if (!n) {
        if (ok)
            *ok = false;
        return {};
    }
    const double value = *n + step;
    decPercent = value / 100;
    return db::numberToText(value) + QLatin1Char('%');
}
