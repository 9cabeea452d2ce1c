#include "engine.h"

#include "mustachetags.h"
#include "values.h"

#include "db/connection.h"

#include <QRegularExpression>
#include <algorithm>
#include <kainjow/mustache.hpp>

namespace reports {

namespace mu = kainjow::mustache;

ColumnFormat QueryResult::format(int column) const {
    return formats.value(columns.at(column).toLower(), ColumnFormat::Text);
}

const QueryResult* RenderInput::mainResult() const {
    const QueryDef* q = def->main();
    if (!q)
        return nullptr;
    for (const QueryResult& r : results)
        if (r.name == q->name)
            return &r;
    return nullptr;
}

QStringList spelledColumns(const QString& sql, const QStringList& columns) {
    QStringList out;
    for (const QString& c : columns) {
        const QRegularExpression re(QStringLiteral("\\b") + QRegularExpression::escape(c) +
                                        QStringLiteral("\\b"),
                                    QRegularExpression::CaseInsensitiveOption);
        QString spelled = c;
        auto it = re.globalMatch(sql);
        while (it.hasNext())
            spelled = it.next().captured(0);
        out.append(spelled);
    }
    return out;
}

namespace {

std::shared_ptr<const RenderInput> collectDef(const std::shared_ptr<const TemplateDef>& def,
                                              const Report* report, const QString& hospital,
                                              db::Connection& conn) {
    auto in = std::make_shared<RenderInput>();
    in->def = def;
    in->hospital = hospital;
    in->today = today();
    if (report) {
        in->fields = report->ParameterFields();
    } else {
        const Report defaults(def);
        in->fields = defaults.ParameterFields();
    }
    for (const QueryDef& q : def->queries) {
        QVariantList values;
        for (int b = 0; b < q.bind.size(); ++b) {
            const QString& name = q.bind.at(b);
            int days = b < q.bindDays.size() ? q.bindDays.at(b) : 0;
            const QString daysField = b < q.bindDaysField.size() ? q.bindDaysField.at(b) : QString();
            if (!daysField.isEmpty()) {
                // a number field gives the days; without a value it moves nothing
                const QVariant by = in->fields.at(def->parameterIndex(daysField)).value;
                days = by.isValid() && !by.isNull() ? qRound(by.toDouble()) : 0;
            }
            if (name == todayBindName()) {
                values.append(in->today.addDays(days).toString(Qt::ISODate));
                continue;
            }
            const ParameterField& f = in->fields.at(def->parameterIndex(name));
            if (days != 0 && f.value.isValid() && !f.value.isNull())
                values.append(bindValue(f.type, f.value.toDate().addDays(days)));
            else
                values.append(bindValue(f.type, f.value));
        }
        QueryResult r;
        r.name = q.name;
        r.formats = q.formats;
        try {
            const db::Recordset rs = conn.Query(q.sql, values);
            r.columns = spelledColumns(q.sql, rs.FieldNames());
            r.rows = rs.Rows();
        } catch (const db::Error& e) {
            throw ReportError(QStringLiteral("%1: query \"%2\" failed: %3")
                                  .arg(def->fileName, q.name, e.Description()));
        }
        in->results.append(std::move(r));
    }
    for (const SubreportDef& s : def->subreports) {
        const Report* sub = report ? report->subreport(s.name) : nullptr;
        in->subs.append(collectDef(s.def, sub, hospital, conn));
    }
    return in;
}

mu::data text(const QString& s) {
    // An empty value is false, so that {{#Column}}...{{/Column}} shows only when there is
    // something to show; a false renders as nothing.
    if (s.isEmpty())
        return mu::data(false);
    return mu::data(s.toStdString());
}

mu::data context(const RenderInput& in, const std::atomic_bool* cancel) {
    const TemplateDef& def = *in.def;
    mu::data root(mu::data::type::object);
    root[std::string("title")] = text(def.title);
    root[std::string("hospital")] = text(in.hospital);
    root[std::string("file")] = text(def.fileName);
    root[std::string("today")] = text(in.today.toString(QStringLiteral("MM/dd/yyyy")));

    mu::data params(mu::data::type::list);
    mu::data byName(mu::data::type::object);
    for (const ParameterField& f : in.fields) {
        const QString shown = displayText(f.type, f.value);
        byName[f.name.toLower().toStdString()] = text(shown);
        root[f.name.toLower().toStdString()] = text(shown);
        if (!f.inHeader)
            continue;
        mu::data p(mu::data::type::object);
        p[std::string("name")] = text(f.name);
        p[std::string("label")] = text(f.label);
        p[std::string("value")] = text(shown);
        params.push_back(p);
    }
    root[std::string("parameters")] = std::move(params);
    root[std::string("param")] = std::move(byName);

    mu::data counts(mu::data::type::object);
    for (const QueryResult& r : in.results) {
        QVector<std::string> keys;
        for (const QString& c : r.columns)
            keys.append(c.toLower().toStdString());
        QVector<ColumnFormat> formats;
        for (int c = 0; c < r.columns.size(); ++c)
            formats.append(r.format(c));
        mu::data rows(mu::data::type::list);
        for (qsizetype i = 0; i < r.rows.size(); ++i) {
            if (cancel && (i % 500) == 0 && cancel->load())
                return {};
            const QVector<QVariant>& row = r.rows.at(i);
            mu::data o(mu::data::type::object);
            for (int c = 0; c < keys.size() && c < row.size(); ++c)
                o[keys.at(c)] = text(formatColumn(formats.at(c), row.at(c)));
            o[std::string("_row")] = mu::data(std::to_string(i + 1));
            rows.push_back(o);
        }
        root[r.name.toLower().toStdString()] = std::move(rows);
        counts[r.name.toLower().toStdString()] = mu::data(std::to_string(r.rows.size()));
    }
    root[std::string("count")] = std::move(counts);
    return root;
}

QString render(const QString& body, const mu::data& ctx, const QString& fileName) {
    mu::mustache tmpl(body.toStdString());
    if (!tmpl.is_valid())
        throw ReportError(fileName + QStringLiteral(": ") +
                          QString::fromStdString(tmpl.error_message()));
    const std::string out = tmpl.render(ctx);
    if (!tmpl.is_valid())
        throw ReportError(fileName + QStringLiteral(": ") +
                          QString::fromStdString(tmpl.error_message()));
    return QString::fromStdString(out);
}

// Title, hospital and the values the report was given, on top of the first page.
QString standardHeader(bool withParameters) {
    QString h =
        QStringLiteral("<p align=\"center\" class=\"zep-hospital\"><b>{{hospital}}</b></p>\n"
                       "<h2 align=\"center\" class=\"zep-title\">{{title}}</h2>\n");
    if (withParameters)
        h += QStringLiteral("<p class=\"zep-parameters\">{{#parameters}}{{label}}: "
                            "<b>{{value}}</b>&nbsp;&nbsp;&nbsp; {{/parameters}}</p>\n");
    return h + QStringLiteral("<hr/>\n");
}

QString renderFragment(const RenderInput& in, const std::atomic_bool* cancel) {
    const mu::data ctx = context(in, cancel);
    if (cancel && cancel->load())
        return {};
    QString html;
    if (in.def->standardHeader) {
        const bool any = std::any_of(in.fields.begin(), in.fields.end(),
                                     [](const ParameterField& f) { return f.inHeader; });
        html = render(standardHeader(any), ctx, in.def->fileName);
    }
    html += render(in.def->body, ctx, in.def->fileName);
    for (int i = 0; i < in.subs.size(); ++i) {
        const QString marker = subreportMarker(i);
        if (!html.contains(marker))
            continue;
        const QString sub = renderFragment(*in.subs.at(i), cancel);
        if (cancel && cancel->load())
            return {};
        html.replace(marker, sub);
    }
    return html;
}

} // namespace

std::shared_ptr<const RenderInput> collect(const Report& report, db::Connection& conn) {
    return collectDef(report.definitionPtr(), &report, report.hospitalName(), conn);
}

QString renderHtml(const RenderInput& input, const std::atomic_bool* cancel) {
    const QString body = renderFragment(input, cancel);
    if (cancel && cancel->load())
        return {};
    return QStringLiteral("<html><body>\n") + body + QStringLiteral("\n</body></html>\n");
}

QString baseStyleSheet() {
    return QStringLiteral(
        "h1 { font-size: 14pt; margin-top: 0px; margin-bottom: 4px; }\n"
        "h2 { font-size: 12pt; margin-top: 0px; margin-bottom: 4px; }\n"
        "h3 { font-size: 10pt; margin-top: 6px; margin-bottom: 2px; }\n"
        "p.zep-hospital { font-size: 11pt; margin-bottom: 0px; }\n"
        "p.zep-parameters { font-size: 8pt; margin-top: 0px; }\n"
        // Cell borders come from the table's border attribute: CSS borders with
        // border-collapse make Qt's table layout many times slower on long tables.
        "table.grid { border-color: #999999; border-style: solid; }\n"
        "table.grid th { background-color: #e6e6e6; }\n"
        ".num { text-align: right; }\n"
        ".total { font-weight: bold; }\n");
}

} // namespace reports
