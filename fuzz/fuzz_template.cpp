// Report templates are files a department edits by hand: whatever they hold, the parser
// must answer with a template or a ReportError naming the line, never crash or hang.
#include "fuzzinput.h"
#include "reports/template.h"

#include <QDir>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Sub-report files are looked for in an empty folder, so a run never depends on what
    // happens to lie in the current one.
    static QTemporaryDir empty;
    const QString t = fuzz::text(data, size);
    try {
        auto def = reports::parseTemplate(t, QStringLiteral("fuzz.rpt"), empty.path());
        if (!def)
            fuzz::broken("parseTemplate gave no template and no error", t);
        // What the engine asks of a parsed template must hold for any of them.
        (void)def->main();
        for (const auto& p : def->parameters)
            (void)def->parameterIndex(p.name);
        for (const auto& q : def->queries)
            if (!def->query(q.name))
                fuzz::broken("a parsed query cannot be found by its name", t);
    } catch (const reports::ReportError& e) {
        if (e.message().isEmpty())
            fuzz::broken("a ReportError without a message", t);
    }
    return 0;
}
