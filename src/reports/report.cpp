#include "report.h"

#include "values.h"

namespace reports {

std::unique_ptr<Report> Report::open(const QString& folder, const QString& fileName) {
    return std::make_unique<Report>(loadTemplate(folder, fileName));
}

std::unique_ptr<Report> Report::fromText(const QString& text, const QString& fileName,
                                         const QString& folder) {
    return std::make_unique<Report>(parseTemplate(text, fileName, folder));
}

Report::Report(std::shared_ptr<const TemplateDef> def) : def_(std::move(def)) {
    for (const ParameterDef& p : def_->parameters) {
        ParameterField f;
        f.name = p.name;
        f.label = p.label;
        f.type = p.type;
        f.defaultValue = p.defaultValue;
        f.value = p.defaultValue;
        f.inHeader = p.inHeader;
        fields_.append(f);
    }
}

Report::~Report() = default;

QVariant Report::checked(int index, const QVariant& value) const {
    const ParameterField& f = fields_.at(index);
    QVariant out;
    QString why;
    if (!convertValue(f.type, value, &out, &why))
        throw ReportError(QStringLiteral("%1: parameter %2 (\"%3\", %4): %5.")
                              .arg(def_->fileName)
                              .arg(index + 1)
                              .arg(f.name, fieldTypeName(f.type), why));
    return out;
}

void Report::SetParameterValues(const QVariantList& values) {
    if (values.size() > fields_.size())
        throw ReportError(QStringLiteral("%1 has %2 parameter field(s) but was given %3 "
                                         "value(s).")
                              .arg(def_->fileName)
                              .arg(fields_.size())
                              .arg(values.size()));
    QVariantList converted;
    for (int i = 0; i < values.size(); ++i)
        converted.append(checked(i, values.at(i)));
    for (int i = 0; i < converted.size(); ++i) {
        fields_[i].value = converted.at(i);
        fields_[i].given = true;
    }
}

void Report::SetParameterValue(int index, const QVariant& value) {
    if (index < 0 || index >= fields_.size())
        throw ReportError(
            QStringLiteral("%1 has no parameter %2.").arg(def_->fileName).arg(index + 1));
    fields_[index].value = checked(index, value);
    fields_[index].given = true;
}

void Report::SetParameterValue(const QString& name, const QVariant& value) {
    const int i = def_->parameterIndex(name);
    if (i < 0)
        throw ReportError(QStringLiteral("%1 has no parameter \"%2\".").arg(def_->fileName, name));
    SetParameterValue(i, value);
}

QVariant Report::parameterValue(const QString& name) const {
    const int i = def_->parameterIndex(name);
    return i < 0 ? QVariant() : fields_.at(i).value;
}

QString Report::parameterText(const QString& name) const {
    const int i = def_->parameterIndex(name);
    return i < 0 ? QString() : displayText(fields_.at(i).type, fields_.at(i).value);
}

Report& Report::OpenSubreport(const QString& name) {
    const SubreportDef* s = def_->subreport(name);
    if (!s)
        throw ReportError(QStringLiteral("%1 has no sub-report \"%2\".").arg(def_->fileName, name));
    auto& slot = subs_[s->name.toLower()];
    if (!slot) {
        slot = std::make_unique<Report>(s->def);
        slot->parent_ = this;
    }
    return *slot;
}

const Report* Report::subreport(const QString& name) const {
    const SubreportDef* s = def_->subreport(name);
    if (!s)
        return nullptr;
    const auto it = subs_.find(s->name.toLower());
    return it == subs_.end() ? nullptr : it->second.get();
}

QStringList Report::subreportNames() const {
    QStringList names;
    for (const SubreportDef& s : def_->subreports)
        names.append(s.name);
    return names;
}

void Report::SetLogOnInfo(const QString& server, const QString& database, const QString& user,
                          const QString& password) {
    logOn_ = {server, database, user, password};
}

QString Report::hospitalName() const {
    if (hospital_.isEmpty() && parent_)
        return parent_->hospitalName();
    return hospital_;
}

} // namespace reports
