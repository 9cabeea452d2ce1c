// Code lists ("1.2|1.3.5|"): splitting and joining again gives the list back in its tidy
// form, and taking a code out leaves no element equal to it and keeps every other one.
#include "fuzzinput.h"
#include "rules/codelist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString list, code;
    fuzz::twoTexts(data, size, &list, &code);

    const QStringList codes = rules::splitCodeList(list);
    if (codes.size() != list.count(QLatin1Char('|')))
        fuzz::broken("one code per separator", list);
    for (const QString& c : codes)
        if (c != c.trimmed() || c.contains(QLatin1Char('|')))
            fuzz::broken("a code with blanks around it or a separator", list);
    const QString joined = rules::joinCodeList(codes);
    if (rules::splitCodeList(joined) != codes)
        fuzz::broken("split, join and split again differ", list);

    const QString rest = rules::removeFromCodeList(list, code);
    const QStringList kept = rules::splitCodeList(rest);
    const QString wanted = code.trimmed();
    if (!wanted.contains(QLatin1Char('|'))) {
        if (kept.contains(wanted))
            fuzz::broken("the removed code is still in the list", list + QLatin1Char('\n') + code);
        if (kept.size() != codes.size() - codes.count(wanted))
            fuzz::broken("removing one code took others with it", list + QLatin1Char('\n') + code);
    }
    return 0;
}
