#include "template.h"

#include "mustachetags.h"
#include "values.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <deque>

namespace reports {

ReportError::ReportError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

int TemplateDef::parameterIndex(const QString& name) const {
    for (int i = 0; i < parameters.size(); ++i)
        if (parameters.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const QueryDef* TemplateDef::query(const QString& name) const {
    for (const QueryDef& q : queries)
        if (q.name.compare(name, Qt::CaseInsensitive) == 0)
            return &q;
    return nullptr;
}

const SubreportDef* TemplateDef::subreport(const QString& name) const {
    for (const SubreportDef& s : subreports)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const QueryDef* TemplateDef::main() const {
    if (!mainQuery.isEmpty())
        return query(mainQuery);
    return queries.isEmpty() ? nullptr : &queries.first();
}

namespace {

// Keys of the rendering context that the engine fills itself.
const QSet<QString>& reservedNames() {
    static const QSet<QString> names{QStringLiteral("title"), QStringLiteral("hospital"),
                                     QStringLiteral("file"),  QStringLiteral("parameters"),
                                     QStringLiteral("param"), QStringLiteral("count"),
                                     QStringLiteral("_row"),  QStringLiteral("today")};
    return names;
}

bool validIdentifier(const QString& n) {
    static const QRegularExpression re(QStringLiteral(R"(^[A-Za-z_][A-Za-z0-9_]*$)"));
    return re.match(n).hasMatch();
}

// Counts the '?' placeholders outside quoted texts, quoted names and comments.
int placeholderCount(const QString& sql) {
    int n = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = sql.indexOf(c, i + 1);
            i = end < 0 ? sql.size() : end;
        } else if (c == QLatin1Char('-') && sql.mid(i, 2) == QLatin1String("--")) {
            const qsizetype end = sql.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? sql.size() : end;
        } else if (c == QLatin1Char('?')) {
            ++n;
        }
    }
    return n;
}

// The screens spell template names as the old program did, and its file system ignored
// case ("ER_Census_Report_new.RPT"); an exact match wins, else the one file whose name
// differs only in case.
QString resolveFile(const QString& folder, const QString& name) {
    const QString exact = QDir(folder).absoluteFilePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    const QFileInfo info(exact);
    QStringList same;
    for (const QString& m : info.dir().entryList(QDir::Files))
        if (m.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            same << m;
    return same.size() == 1 ? info.dir().absoluteFilePath(same.first()) : exact;
}

class Parser {
public:
    Parser(QString fileName, QString folder, QStringList chain)
        : file_(std::move(fileName)), folder_(std::move(folder)), chain_(std::move(chain)) {}

    std::shared_ptr<const TemplateDef> parse(const QString& text);

private:
    struct Scope {
        std::shared_ptr<TemplateDef> def;
        bool isMain = true;
        bool fromFile = false;
        bool sawReport = false, sawBody = false, sawStyle = false;
        int line = 0;
        QList<PartialTag> partials;
    };
    enum class Section { None, Report, Parameter, Query, Subreport, Style, Body };

    [[noreturn]] void fail(int line, const QString& what) const {
        throw ReportError(file_ + QStringLiteral(", line ") + QString::number(line) +
                          QStringLiteral(": ") + what);
    }
    [[noreturn]] void failFile(const QString& what) const {
        throw ReportError(file_ + QStringLiteral(": ") + what);
    }

    void startSection(const QString& kind, const QString& name, int line);
    void keyValue(const QString& key, const QString& value, int line);
    void endFreeText();
    void finishQuery(int firstLine);
    void finishScope(Scope& s);
    QString unquote(const QString& v, int line) const;

    QString file_, folder_;
    QStringList chain_;
    Scope main_;
    std::deque<Scope> subs_; // deque: scope_ points into it
    Scope* scope_ = nullptr;
    Section section_ = Section::None;
    QSet<QString> seenKeys_;
    QStringList freeText_;
    int freeLine_ = 0;
};

QString Parser::unquote(const QString& v, int line) const {
    if (!v.startsWith(QLatin1Char('"')))
        return v;
    if (v.size() < 2 || !v.endsWith(QLatin1Char('"')))
        fail(line, QStringLiteral("a quoted value must end with \""));
    QString out;
    const QString inner = v.mid(1, v.size() - 2);
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner.at(i) == QLatin1Char('\\') && i + 1 < inner.size())
            out += inner.at(++i);
        else
            out += inner.at(i);
    }
    return out;
}

void Parser::startSection(const QString& kindText, const QString& name, int line) {
    endFreeText();
    seenKeys_.clear();
    const QString kind = kindText.toLower();
    TemplateDef& def = *scope_->def;
    auto needName = [&](const QString& what) {
        if (name.isEmpty())
            fail(line, QStringLiteral("[%1] needs a name").arg(what));
    };
    auto noName = [&] {
        if (!name.isEmpty())
            fail(line, QStringLiteral("[%1] takes no name").arg(kind));
    };
    if (scope_->fromFile && kind != QLatin1String("subreport"))
        fail(line, QStringLiteral("sub-report \"%1\" is taken from a file and has no [%2] of "
                                  "its own")
                       .arg(def.title, kind));
    if (kind == QLatin1String("report")) {
        noName();
        if (!scope_->isMain)
            fail(line, QStringLiteral("[report] belongs before the first [subreport]"));
        if (scope_->sawReport)
            fail(line, QStringLiteral("a second [report] section"));
        scope_->sawReport = true;
        section_ = Section::Report;
    } else if (kind == QLatin1String("parameter")) {
        needName(kind);
        if (!validIdentifier(name))
            fail(line, QStringLiteral("bad parameter name \"%1\"").arg(name));
        if (def.parameterIndex(name) >= 0)
            fail(line, QStringLiteral("parameter \"%1\" is declared twice").arg(name));
        if (reservedNames().contains(name.toLower()))
            fail(line, QStringLiteral("\"%1\" is a name the engine uses itself").arg(name));
        ParameterDef p;
        p.name = name;
        p.label = name;
        p.line = line;
        def.parameters.append(p);
        section_ = Section::Parameter;
    } else if (kind == QLatin1String("query")) {
        needName(kind);
        if (!validIdentifier(name))
            fail(line, QStringLiteral("bad query name \"%1\"").arg(name));
        if (def.query(name))
            fail(line, QStringLiteral("query \"%1\" is declared twice").arg(name));
        if (def.parameterIndex(name) >= 0 || reservedNames().contains(name.toLower()))
            fail(line, QStringLiteral("query name \"%1\" is already a parameter or a name the "
                                      "engine uses")
                           .arg(name));
        QueryDef q;
        q.name = name;
        q.line = line;
        def.queries.append(q);
        section_ = Section::Query;
        freeLine_ = line + 1;
    } else if (kind == QLatin1String("subreport")) {
        needName(kind);
        if (main_.def->subreport(name))
            fail(line, QStringLiteral("sub-report \"%1\" is declared twice").arg(name));
        SubreportDef s;
        s.name = name;
        s.line = line;
        main_.def->subreports.append(s);
        Scope sc;
        sc.def = std::make_shared<TemplateDef>();
        sc.def->fileName = file_;
        sc.def->title = name;
        sc.def->standardHeader = false;
        sc.isMain = false;
        sc.line = line;
        subs_.push_back(std::move(sc));
        scope_ = &subs_.back();
        section_ = Section::Subreport;
    } else if (kind == QLatin1String("style")) {
        noName();
        if (!scope_->isMain)
            fail(line, QStringLiteral("[style] belongs to the main report, before the first "
                                      "[subreport]"));
        if (scope_->sawStyle)
            fail(line, QStringLiteral("a second [style] section"));
        scope_->sawStyle = true;
        section_ = Section::Style;
        freeLine_ = line + 1;
    } else if (kind == QLatin1String("body")) {
        noName();
        if (scope_->sawBody)
            fail(line, QStringLiteral("a second [body] section"));
        scope_->sawBody = true;
        section_ = Section::Body;
        freeLine_ = line + 1;
        def.bodyLine = line + 1;
    } else {
        fail(line, QStringLiteral("unknown section [%1]").arg(kindText));
    }
}

void Parser::keyValue(const QString& keyText, const QString& rawValue, int line) {
    const QString key = keyText.trimmed().toLower();
    const QString value = unquote(rawValue.trimmed(), line);
    if (seenKeys_.contains(key))
        fail(line, QStringLiteral("\"%1\" is given twice").arg(key));
    seenKeys_.insert(key);
    TemplateDef& def = *scope_->def;
    auto unknown = [&] { fail(line, QStringLiteral("unknown key \"%1\"").arg(keyText.trimmed())); };
    if (section_ == Section::Report) {
        if (key == QLatin1String("title")) {
            def.title = value;
        } else if (key == QLatin1String("page")) {
            for (const QString& w : value.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                if (w == QLatin1String("letter"))
                    def.page.size = QPageSize::Letter;
                else if (w == QLatin1String("a4"))
                    def.page.size = QPageSize::A4;
                else if (w == QLatin1String("legal"))
                    def.page.size = QPageSize::Legal;
                else if (w == QLatin1String("portrait"))
                    def.page.orientation = QPageLayout::Portrait;
                else if (w == QLatin1String("landscape"))
                    def.page.orientation = QPageLayout::Landscape;
                else
                    fail(line, QStringLiteral("page \"%1\": expected Letter, A4 or Legal and "
                                              "portrait or landscape")
                                   .arg(value));
            }
        } else if (key == QLatin1String("margin")) {
            bool ok = false;
            const double mm = value.toDouble(&ok);
            if (!ok || mm < 0 || mm > 50)
                fail(line, QStringLiteral("margin \"%1\" is not a size in millimetres from 0 to "
                                          "50")
                               .arg(value));
            def.page.marginMm = mm;
        } else if (key == QLatin1String("font")) {
            if (value.isEmpty())
                fail(line, QStringLiteral("font needs a family name"));
            def.fontFamily = value;
        } else if (key == QLatin1String("font-size")) {
            bool ok = false;
            const double pt = value.toDouble(&ok);
            if (!ok || pt < 4 || pt > 36)
                fail(line, QStringLiteral("font-size \"%1\" is not a size in points from 4 to "
                                          "36")
                               .arg(value));
            def.fontSize = pt;
        } else if (key == QLatin1String("header")) {
            if (value.compare(QLatin1String("standard"), Qt::CaseInsensitive) == 0)
                def.standardHeader = true;
            else if (value.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
                def.standardHeader = false;
            else
                fail(line, QStringLiteral("header \"%1\": expected standard or none").arg(value));
        } else if (key == QLatin1String("main")) {
            def.mainQuery = value;
        } else {
            unknown();
        }
    } else if (section_ == Section::Parameter) {
        ParameterDef& p = def.parameters.last();
        if (key == QLatin1String("type")) {
            if (!parseFieldType(value, &p.type))
                fail(line, QStringLiteral("type \"%1\": expected text, number, date, datetime or "
                                          "boolean")
                               .arg(value));
            if (seenKeys_.contains(QStringLiteral("default")))
                fail(line, QStringLiteral("give the type before the default"));
        } else if (key == QLatin1String("default")) {
            QString why;
            if (!convertValue(p.type, value, &p.defaultValue, &why))
                fail(line, QStringLiteral("default of \"%1\": %2").arg(p.name, why));
        } else if (key == QLatin1String("label")) {
            p.label = value;
        } else if (key == QLatin1String("header")) {
            QVariant b;
            QString why;
            if (!convertValue(FieldType::Boolean, value, &b, &why) || b.isNull())
                fail(line, QStringLiteral("header \"%1\": expected yes or no").arg(value));
            p.inHeader = b.toBool();
        } else {
            unknown();
        }
    } else if (section_ == Section::Subreport) {
        if (key == QLatin1String("file")) {
            if (value.isEmpty())
                fail(line, QStringLiteral("file needs a template file name"));
            SubreportDef& s = main_.def->subreports.last();
            s.file = value;
            scope_->fromFile = true;
        } else if (key == QLatin1String("title")) {
            def.title = value;
        } else {
            unknown();
        }
    } else {
        fail(line, QStringLiteral("\"%1\" outside a section").arg(keyText.trimmed()));
    }
}

void Parser::finishQuery(int firstLine) {
    QueryDef& q = scope_->def->queries.last();
    static const QRegularExpression directive(QStringLiteral(R"(^\s*(bind|format)\s*:(.*)$)"),
                                              QRegularExpression::CaseInsensitiveOption);
    int i = 0;
    int sqlLine = firstLine;
    bool sawBind = false;
    for (; i < freeText_.size(); ++i) {
        const QString& l = freeText_.at(i);
        const int line = firstLine + i;
        if (l.trimmed().isEmpty())
            continue;
        const auto m = directive.match(l);
        if (!m.hasMatch())
            break;
        const QString rest = m.captured(2).trimmed();
        if (m.captured(1).toLower() == QLatin1String("bind")) {
            if (sawBind)
                fail(line, QStringLiteral("a second bind line"));
            sawBind = true;
            // "Name" binds a field; "Name+1" (or "-1") a date field moved by whole days, so
            // that a period keeps its whole last day: Stamp >= Start AND Stamp < End+1.
            static const QRegularExpression item(
                QStringLiteral(R"(^([A-Za-z_][A-Za-z0-9_]*)\s*(?:([+-])\s*(\d{1,4}|[A-Za-z_][A-Za-z0-9_]*))?$)"));
            for (const QString& n : rest.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const auto im = item.match(n.trimmed());
                const QString name = im.hasMatch() ? im.captured(1) : n.trimmed();
                const bool isToday = name.compare(todayBindName(), Qt::CaseInsensitive) == 0;
                const int index = scope_->def->parameterIndex(name);
                if (!im.hasMatch() || (!isToday && index < 0))
                    fail(line, QStringLiteral("query \"%1\" binds \"%2\", which is not a "
                                              "declared parameter")
                                   .arg(q.name, n.trimmed()));
                int days = 0;
                QString daysField;
                if (!im.captured(2).isEmpty()) {
                    if (!isToday && scope_->def->parameters.at(index).type != FieldType::Date)
                        fail(line, QStringLiteral("query \"%1\" moves \"%2\" by days, which "
                                                  "only a date can be")
                                       .arg(q.name, name));
                    const int sign = im.captured(2) == QLatin1String("-") ? -1 : 1;
                    if (im.captured(3).front().isDigit()) {
                        days = im.captured(3).toInt() * sign;
                    } else {
                        // "today+Days": a number field gives the days, so that a template
                        // can let the worker choose how far ahead it looks.
                        const int by = scope_->def->parameterIndex(im.captured(3));
                        if (by < 0 || sign < 0 ||
                            scope_->def->parameters.at(by).type != FieldType::Number)
                            fail(line, QStringLiteral("query \"%1\" moves \"%2\" by \"%3\", "
                                                      "which is not a number field added")
                                           .arg(q.name, name, n.trimmed()));
                        daysField = scope_->def->parameters.at(by).name;
                    }
                }
                q.bind.append(isToday ? todayBindName() : name);
                q.bindDays.append(days);
                q.bindDaysField.append(daysField);
            }
        } else {
            for (const QString& item : rest.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const qsizetype eq = item.indexOf(QLatin1Char('='));
                ColumnFormat f;
                if (eq < 0 || item.left(eq).trimmed().isEmpty() ||
                    !parseColumnFormat(item.mid(eq + 1), &f))
                    fail(line, QStringLiteral("format \"%1\": expected Column = text, number, "
                                              "integer, money, date, datetime, time, percent "
                                              "or yesno")
                                   .arg(item.trimmed()));
                q.formats.insert(item.left(eq).trimmed().toLower(), f);
            }
        }
    }
    sqlLine = firstLine + i;
    q.sql = freeText_.mid(i).join(QLatin1Char('\n')).trimmed();
    if (q.sql.isEmpty())
        fail(q.line, QStringLiteral("query \"%1\" has no SQL text").arg(q.name));
    const int marks = placeholderCount(q.sql);
    if (marks != q.bind.size())
        fail(sqlLine, QStringLiteral("query \"%1\" has %2 \"?\" but binds %3 value(s)")
                          .arg(q.name)
                          .arg(marks)
                          .arg(q.bind.size()));
}

void Parser::endFreeText() {
    while (!freeText_.isEmpty() && freeText_.last().trimmed().isEmpty())
        freeText_.removeLast();
    if (section_ == Section::Query)
        finishQuery(freeLine_);
    else if (section_ == Section::Style)
        scope_->def->style = freeText_.join(QLatin1Char('\n'));
    else if (section_ == Section::Body)
        scope_->def->body = freeText_.join(QLatin1Char('\n'));
    freeText_.clear();
    section_ = Section::None;
}

void Parser::finishScope(Scope& s) {
    TemplateDef& def = *s.def;
    if (s.fromFile)
        return;
    const QString what = s.isMain ? QStringLiteral("the report")
                                  : QStringLiteral("sub-report \"%1\"").arg(def.title);
    if (!s.sawBody)
        s.isMain ? failFile(QStringLiteral("no [body] section"))
                 : fail(s.line, QStringLiteral("%1 has no [body] section").arg(what));
    if (!def.mainQuery.isEmpty() && !def.query(def.mainQuery))
        failFile(QStringLiteral("main = \"%1\" names no query").arg(def.mainQuery));

    QList<PartialTag> partials;
    QString body = normaliseBody(def.body, file_, def.bodyLine, &partials);
    QSet<int> placed;
    for (qsizetype k = partials.size() - 1; k >= 0; --k) {
        const PartialTag& p = partials.at(k);
        int index = -1;
        for (int j = 0; j < def.subreports.size(); ++j)
            if (def.subreports.at(j).name.compare(p.name, Qt::CaseInsensitive) == 0)
                index = j;
        if (index < 0)
            fail(p.line,
                 QStringLiteral("\"{{>%1}}\": there is no sub-report of that name").arg(p.name));
        placed.insert(index);
        body.replace(p.start, p.length, subreportMarker(index));
    }
    for (int j = 0; j < def.subreports.size(); ++j)
        if (!placed.contains(j))
            fail(def.subreports.at(j).line,
                 QStringLiteral("sub-report \"%1\" is never placed in the body (write "
                                "{{>%1}} where it belongs)")
                     .arg(def.subreports.at(j).name));
    def.body = body;
}

std::shared_ptr<const TemplateDef> Parser::parse(const QString& text) {
    main_.def = std::make_shared<TemplateDef>();
    main_.def->fileName = file_;
    scope_ = &main_;
    static const QRegularExpression header(
        QStringLiteral(R"(^\[([A-Za-z]+)(?:\s+([^\]]*))?\]\s*$)"));
    static const QRegularExpression kv(QStringLiteral(R"(^([A-Za-z][A-Za-z0-9_\-]*)\s*=(.*)$)"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString l = lines.at(i);
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        const int line = i + 1;
        if (l.startsWith(QLatin1Char('['))) {
            const auto m = header.match(l);
            if (!m.hasMatch())
                fail(line, QStringLiteral("a line starting with \"[\" must be a section header "
                                          "such as [query name]"));
            startSection(m.captured(1), m.captured(2).trimmed(), line);
            continue;
        }
        if (section_ == Section::Query || section_ == Section::Body || section_ == Section::Style) {
            freeText_.append(l);
            continue;
        }
        const QString t = l.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char('#')))
            continue;
        const auto m = kv.match(t);
        if (!m.hasMatch())
            fail(line, section_ == Section::None ? QStringLiteral("text before the first section")
                                                 : QStringLiteral("expected \"key = value\""));
        keyValue(m.captured(1), m.captured(2), line);
    }
    endFreeText();

    if (!main_.sawReport || main_.def->title.isEmpty())
        failFile(QStringLiteral("no [report] section with a title"));
    finishScope(main_);
    for (int j = 0; j < int(subs_.size()); ++j) {
        Scope& s = subs_.at(j);
        SubreportDef& sd = main_.def->subreports[j];
        if (s.fromFile) {
            const QString path = resolveFile(folder_, sd.file);
            if (chain_.contains(QFileInfo(path).absoluteFilePath()))
                fail(sd.line, QStringLiteral("sub-report \"%1\" takes \"%2\", which includes "
                                             "this template again")
                                  .arg(sd.name, sd.file));
            Parser inner(sd.file, QFileInfo(path).absolutePath(), chain_);
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                fail(sd.line, QStringLiteral("sub-report \"%1\": template file \"%2\" not found")
                                  .arg(sd.name, sd.file));
            inner.chain_.append(QFileInfo(path).absoluteFilePath());
            sd.def = inner.parse(QString::fromUtf8(f.readAll()));
        } else {
            finishScope(s);
            sd.def = s.def;
        }
    }
    return main_.def;
}

} // namespace

std::shared_ptr<const TemplateDef> parseTemplate(const QString& text, const QString& fileName,
                                                 const QString& folder) {
    Parser p(fileName, folder.isEmpty() ? QDir::currentPath() : folder, {});
    return p.parse(text);
}

bool templateExists(const QString& folder, const QString& fileName) {
    return QFileInfo(resolveFile(folder.isEmpty() ? QDir::currentPath() : folder, fileName)).isFile();
}

std::shared_ptr<const TemplateDef> loadTemplate(const QString& folder, const QString& fileName) {
    const QString path = resolveFile(folder, fileName);
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        throw ReportError(
            QStringLiteral("Report template \"%1\" not found in %2")
                .arg(fileName, QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    Parser p(fileName, QFileInfo(path).absolutePath(), {QFileInfo(path).absoluteFilePath()});
    return p.parse(QString::fromUtf8(f.readAll()));
}

} // namespace reports
