#pragma once
// Checks and normalises the mustache tags of a template body before it is compiled.
//
// Names in a body are matched without regard to case, as the database matches column
// names (PostgreSQL folds them to lower case, SQLite keeps them as written): every tag name
// is lower-cased here and every key of the rendering context is lower-case too.
// Sections must be closed in order; changing the delimiters is refused, so that every
// "{{" of a body is a tag. Partial tags ({{> Name}}) place sub-reports; they are returned
// in order of appearance for the caller to resolve.
#include <QString>
#include <QStringList>

namespace reports {

struct PartialTag {
    QString name; // as written, trimmed
    int line = 0;
    qsizetype start = 0, length = 0; // of the whole tag in the normalised body
};

// Throws ReportError "<fileName>, line <n>: <what>"; `firstLine` is the file line of the
// body's first line.
QString normaliseBody(const QString& body, const QString& fileName, int firstLine,
                      QList<PartialTag>* partials);

// The marker that stands for a sub-report in a body until its HTML is put in. Escaped
// values can never produce it, since mustache escapes '<'.
QString subreportMarker(int index);

} // namespace reports
