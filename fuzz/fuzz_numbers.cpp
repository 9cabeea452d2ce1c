// Numbers typed into boxes and numbers written back as text. A text that reads as a number
// is finite; a finite number written as text reads back as a number close to itself.
#include "fuzzinput.h"
#include "db/numbers.h"
#include "rules/numeric.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString t = fuzz::text(data, size);
    if (const std::optional<double> n = rules::readNumber(t); n && !std::isfinite(*n))
        fuzz::broken("readNumber gave a number that is not finite", t);

    // The same bytes as a double, when there are enough of them.
    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        const QString s = db::numberToText(v);
        if (!std::isfinite(v)) {
            if (!s.isEmpty())
                fuzz::broken("numberToText wrote a text for a value that is not finite", s);
        } else {
            const std::optional<double> back = rules::readNumber(s);
            if (!back)
                fuzz::broken("numberToText wrote a text that readNumber refuses", s);
            // 15 significant digits, or 15 decimals for the small values written without an
            // exponent: the error stays below either bound.
            const double err = std::fabs(*back - v);
            if (err > std::fabs(v) * 1e-14 && err > 1e-15)
                fuzz::broken("numberToText and readNumber do not agree", s);
            if (s.contains(QLatin1Char(',')) || s.startsWith(QLatin1Char('+')))
                fuzz::broken("numberToText wrote a separator or a plus sign", s);
        }
    }
    return 0;
}
