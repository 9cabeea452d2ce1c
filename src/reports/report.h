#pragma once
// The report object the screens work with (the "current report"): a template opened from
// the report folder, its parameter fields with their current values, its sub-reports, the
// database log-on values and the hospital name the header prints.
#include "template.h"

#include <QVariantList>
#include <map>
#include <memory>

namespace reports {

struct ParameterField {
    QString name;
    QString label;
    FieldType type = FieldType::Text;
    QVariant defaultValue;
    QVariant value; // the current value: the given one, else the default
    bool given = false;
    bool inHeader = true;
};

// Log-on values as the screens hand them over. They are kept in memory only; the queries
// run on the connection given to the renderer.
struct LogOnInfo {
    QString server, database, user, password;
};

class Report {
public:
    // Opens folder/fileName; throws ReportError naming the file when it is missing or
    // broken.
    static std::unique_ptr<Report> open(const QString& folder, const QString& fileName);
    // A template given as text (tests, tools); sub-report files are looked for in `folder`.
    static std::unique_ptr<Report> fromText(const QString& text, const QString& fileName,
                                            const QString& folder = {});
    explicit Report(std::shared_ptr<const TemplateDef> def);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const TemplateDef& definition() const { return *def_; }
    std::shared_ptr<const TemplateDef> definitionPtr() const { return def_; }
    QString fileName() const { return def_->fileName; }
    QString title() const { return def_->title; }

    // In the order the template lists them.
    const QVector<ParameterField>& ParameterFields() const { return fields_; }
    // The i-th value to the i-th field; fields after the last value keep their values; an
    // empty list sets none. Every value is checked first: when one is refused nothing is
    // set and ReportError names the field and the file.
    void SetParameterValues(const QVariantList& values);
    void SetParameterValue(int index, const QVariant& value);
    void SetParameterValue(const QString& name, const QVariant& value);
    QVariant parameterValue(const QString& name) const; // null when unknown
    QString parameterText(const QString& name) const;   // as the header shows it

    // The named sub-report (case-insensitive); ReportError when the template has none.
    Report& OpenSubreport(const QString& name);
    const Report* subreport(const QString& name) const;
    QStringList subreportNames() const;

    void SetLogOnInfo(const QString& server, const QString& database, const QString& user,
                      const QString& password);
    const LogOnInfo& logOnInfo() const { return logOn_; }

    // The report-level text printed in every header: the hospital's name. Sub-reports
    // print their parent's.
    void setHospitalName(const QString& name) { hospital_ = name; }
    QString hospitalName() const;

private:
    QVariant checked(int index, const QVariant& value) const;

    std::shared_ptr<const TemplateDef> def_;
    QVector<ParameterField> fields_;
    std::map<QString, std::unique_ptr<Report>> subs_; // by lower-case name, made on demand
    LogOnInfo logOn_;
    QString hospital_;
    const Report* parent_ = nullptr;
};

} // namespace reports
