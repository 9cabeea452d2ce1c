// The schema splitter cuts scripts into statements. Whatever the text, every statement it
// gives is trimmed and not empty, there are never more statements than lines, and the
// split depends on the text alone.
#include "fuzzinput.h"
#include "server/schemascript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString t = fuzz::text(data, size);
    const QStringList statements = server::splitSchemaScript(t);
    for (const QString& s : statements) {
        if (s.isEmpty())
            fuzz::broken("an empty statement", t);
        if (s != s.trimmed())
            fuzz::broken("a statement with blanks around it", t);
    }
    if (statements.size() > t.count(QLatin1Char('\n')) + 1)
        fuzz::broken("more statements than lines", t);
    if (server::splitSchemaScript(t) != statements)
        fuzz::broken("two splits of one text differ", t);
    return 0;
}
