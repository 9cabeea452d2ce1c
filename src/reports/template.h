#pragma once
// A report template as read from its *.rpt file: title, page set-up, ordered parameter
// fields, data queries, sub-reports and the mustache HTML body. The file format is
// described in docs/reports.md; parseTemplate() is strict and names file and line in every
// complaint.
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <stdexcept>

namespace reports {

// Anything that stops a report: a missing or broken template, a bad parameter value, a
// query that fails. The message is meant for the user and names the file.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message);
    const QString& message() const { return message_; }

private:
    QString message_;
};

enum class FieldType { Text, Number, Date, DateTime, Boolean };

// How a column's value is shown in the body and in the CSV rows.
enum class ColumnFormat { Text, Number, Integer, Money, Date, DateTime, Time, Percent, YesNo };

struct ParameterDef {
    QString name;
    FieldType type = FieldType::Text;
    QVariant defaultValue; // already converted to the field's type; null when none
    QString label;         // shown in the standard header; the name when not given
    bool inHeader = true;  // false for values the body prints prominently itself
    int line = 0;
};

struct QueryDef {
    QString name;
    QString sql;                          // with '?' placeholders
    QStringList bind;                     // parameter name for each '?', in order, or
                                          // "today" (the workstation's local date)
    QVector<int> bindDays;                // days added to each bound date ("EndDate+1")
    QStringList bindDaysField;            // or the number field whose value is added
                                          // ("today+Days"); empty when the days are fixed
    QHash<QString, ColumnFormat> formats; // by lower-case column name
    int line = 0;
};

struct PageSetup {
    QPageSize::PageSizeId size = QPageSize::Letter;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginMm = 12.7;
};

struct TemplateDef;

struct SubreportDef {
    QString name;
    QString file; // set when the sub-report is another template file
    std::shared_ptr<const TemplateDef> def;
    int line = 0;
};

struct TemplateDef {
    QString fileName; // as named in messages
    QString title;
    PageSetup page;
    QString fontFamily = QStringLiteral("DejaVu Sans");
    double fontSize = 9;
    bool standardHeader = true;
    QString mainQuery; // the rows saved as CSV; the first query when not named
    QVector<ParameterDef> parameters;
    QVector<QueryDef> queries;
    QVector<SubreportDef> subreports;
    QString style; // CSS for the whole document
    QString body;  // mustache HTML, tags already normalised (see mustachetags.h)
    int bodyLine = 0;

    int parameterIndex(const QString& name) const; // -1 when unknown (case-insensitive)
    const QueryDef* query(const QString& name) const;
    const SubreportDef* subreport(const QString& name) const;
    const QueryDef* main() const; // nullptr when the template has no query
};

// Parses template text. `fileName` names the file in messages; `folder` is where
// sub-report files are looked for. Throws ReportError "<file>, line <n>: <what>".
std::shared_ptr<const TemplateDef> parseTemplate(const QString& text, const QString& fileName,
                                                 const QString& folder = {});
// Whether folder holds the template, under its name or one that differs only in case.
bool templateExists(const QString& folder, const QString& fileName);
// Reads and parses folder/fileName. A missing file is a ReportError naming it.
std::shared_ptr<const TemplateDef> loadTemplate(const QString& folder, const QString& fileName);

QString fieldTypeName(FieldType t);

// The name a query binds for the workstation's local date. SQLite's date('now') is UTC and
// the server's CURRENT_DATE is the server's day; the department's day is the workstation's.
inline QString todayBindName() { return QStringLiteral("today"); }

} // namespace reports
