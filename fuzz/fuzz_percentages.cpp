// The percentage boxes: any text in any mode gives a result of the documented shape, and
// a refused text leaves the fraction of the last box alone.
#include "fuzzinput.h"
#include "discount/clsPercentages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString modes[] = {QStringLiteral("Up"), QStringLiteral("Down"),
                                    QStringLiteral("None"), QStringLiteral("up")};
    const QString t = fuzz::text(data, size);
    for (const QString& mode : modes) {
        clsPercentages p;
        p.decPercent = 0.5;
        bool ok = true;
        const QString r = p.ShowPercent(mode, t, &ok);
        if (mode == QLatin1String("up")) {
            if (!r.isEmpty() || p.decPercent != 0.5)
                fuzz::broken("an unknown mode changed something", t);
            continue;
        }
        if (!ok) {
            if (!r.isEmpty() || p.decPercent != 0.5)
                fuzz::broken("a refused text changed the fraction or gave a result", t);
            continue;
        }
        if (r == QLatin1String("1") || r == QLatin1String("0"))
            continue;
        if (!r.endsWith(QLatin1Char('%')))
            fuzz::broken("a result without its percent sign", t);
    }
    return 0;
}
