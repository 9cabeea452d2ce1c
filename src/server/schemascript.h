#pragma once
// The schema scripts built into the program and how one script is cut into statements.
#include <QList>
#include <QString>
#include <QStringList>

namespace server {

// One numbered script: "0003_billing.sql" is version 3.
struct SchemaScript {
    int version = 0;
    QString fileName;
    QString text;
};

// The built-in scripts in version order. Throws db::Error when none are built in or when a
// name does not start with a number, or two scripts share a number.
QList<SchemaScript> schemaScripts();

// The statements of a script: a statement ends with a line that ends in ";"; lines whose
// first non-blank characters are "--" are comments and are dropped, as are blank statements.
// The final ";" is removed. A function body between $$ and $$ is kept whole, comments and
// all, and a CREATE TRIGGER runs up to the line that ends in "END;".
QStringList splitSchemaScript(const QString& text);

} // namespace server
