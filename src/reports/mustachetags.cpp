#include "mustachetags.h"

#include "template.h"

#include <QRegularExpression>

namespace reports {

namespace {

struct OpenSection {
    QString name;
    int line;
};

[[noreturn]] void fail(const QString& file, int line, const QString& what) {
    throw ReportError(file + QStringLiteral(", line ") + QString::number(line) +
                      QStringLiteral(": ") + what);
}

bool validName(const QString& n) {
    static const QRegularExpression re(QStringLiteral(R"(^(\.|[A-Za-z_][A-Za-z0-9_.\-]*)$)"));
    return re.match(n).hasMatch();
}

} // namespace

QString subreportMarker(int index) {
    return QStringLiteral("<!--zep-subreport:") + QString::number(index) + QStringLiteral("-->");
}

QString normaliseBody(const QString& body, const QString& fileName, int firstLine,
                      QList<PartialTag>* partials) {
    QString out;
    out.reserve(body.size());
    QList<OpenSection> open;
    int line = firstLine;
    qsizetype pos = 0;
    auto advanceLines = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            if (body.at(i) == QLatin1Char('\n'))
                ++line;
    };
    while (true) {
        const qsizetype at = body.indexOf(QStringLiteral("{{"), pos);
        if (at < 0) {
            out += QStringView(body).mid(pos);
            break;
        }
        advanceLines(pos, at);
        out += QStringView(body).mid(pos, at - pos);
        const int tagLine = line;
        const bool triple = body.mid(at + 2, 1) == QLatin1String("{");
        const QString close = triple ? QStringLiteral("}}}") : QStringLiteral("}}");
        const qsizetype contentStart = at + (triple ? 3 : 2);
        const qsizetype end = body.indexOf(close, contentStart);
        if (end < 0)
            fail(fileName, tagLine, QStringLiteral("a tag opened with \"{{\" is never closed"));
        const QString content = body.mid(contentStart, end - contentStart);
        advanceLines(at, end + close.size());
        pos = end + close.size();

        if (triple) {
            const QString name = content.trimmed();
            if (!validName(name))
                fail(fileName, tagLine, QStringLiteral("bad tag name \"%1\"").arg(name));
            out += QStringLiteral("{{{") + name.toLower() + QStringLiteral("}}}");
            continue;
        }
        const QString trimmed = content.trimmed();
        const QChar sigil = trimmed.isEmpty() ? QChar() : trimmed.at(0);
        if (sigil == QLatin1Char('!')) { // comment: dropped
            continue;
        }
        if (sigil == QLatin1Char('='))
            fail(fileName, tagLine, QStringLiteral("changing the tag delimiters is not supported"));
        const bool hasSigil = QStringLiteral("#^/>&").contains(sigil) && !sigil.isNull();
        const QString name = (hasSigil ? trimmed.mid(1) : trimmed).trimmed();
        if (sigil == QLatin1Char('>')) {
            if (name.isEmpty())
                fail(fileName, tagLine, QStringLiteral("a sub-report tag without a name"));
            PartialTag p;
            p.name = name;
            p.line = tagLine;
            p.start = out.size();
            const QString tag = QStringLiteral("{{>") + name.toLower() + QStringLiteral("}}");
            p.length = tag.size();
            out += tag;
            if (partials)
                partials->append(p);
            continue;
        }
        if (!validName(name))
            fail(fileName, tagLine, QStringLiteral("bad tag name \"%1\"").arg(name));
        const QString lower = name.toLower();
        if (sigil == QLatin1Char('#') || sigil == QLatin1Char('^')) {
            open.append({lower, tagLine});
        } else if (sigil == QLatin1Char('/')) {
            if (open.isEmpty())
                fail(
                    fileName, tagLine,
                    QStringLiteral("\"{{/%1}}\" closes a section that was never opened").arg(name));
            if (open.last().name != lower)
                fail(fileName, tagLine,
                     QStringLiteral("\"{{/%1}}\" does not close section \"%2\" opened at line %3")
                         .arg(name, open.last().name)
                         .arg(open.last().line));
            open.removeLast();
        }
        out += QStringLiteral("{{") + (hasSigil ? QString(sigil) : QString()) + lower +
               QStringLiteral("}}");
    }
    if (!open.isEmpty())
        fail(fileName, open.last().line,
             QStringLiteral("section \"%1\" is never closed").arg(open.last().name));
    return out;
}

} // namespace reports
