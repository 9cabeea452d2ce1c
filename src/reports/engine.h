#pragma once
// Filling a report: collect() runs the template's queries on the connection (on the thread
// that owns it) and takes a copy of everything rendering needs; renderHtml() turns that
// copy into HTML and touches neither the connection nor the report object, so it may run
// on a worker thread.
#include "report.h"

#include <QHash>
#include <QStringList>
#include <atomic>
#include <memory>

namespace db {
class Connection;
}

namespace reports {

struct QueryResult {
    QString name;
    QStringList columns; // spelled as in the query text where it names them
    QVector<QVector<QVariant>> rows;
    QHash<QString, ColumnFormat> formats; // by lower-case column name
    ColumnFormat format(int column) const;
};

struct RenderInput {
    std::shared_ptr<const TemplateDef> def;
    QVector<ParameterField> fields;
    QString hospital;
    QDate today; // the local date when the report was filled
    QVector<QueryResult> results;                     // in template order
    QVector<std::shared_ptr<const RenderInput>> subs; // by index of def->subreports
    const QueryResult* mainResult() const;            // nullptr without queries
};

// Runs every query of the report and of its sub-reports (a sub-report never opened keeps
// its defaults). A failing query is a ReportError naming the file and the query.
std::shared_ptr<const RenderInput> collect(const Report& report, db::Connection& conn);

// The whole document: the standard header (unless the template turns it off), the body,
// the sub-reports in their places. Returns an empty string when `cancel` became true.
QString renderHtml(const RenderInput& input, const std::atomic_bool* cancel = nullptr);

// The style sheet every report starts from; the template's [style] comes after it.
QString baseStyleSheet();

// Result column names as the query text spells them: PostgreSQL folds unquoted names to
// lower case, so "SELECT Code" comes back as "code"; the text still says "Code".
QStringList spelledColumns(const QString& sql, const QStringList& columns);

} // namespace reports
