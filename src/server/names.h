#pragma once
// How the procedures write a person's name for the screens.
#include <QString>

namespace server {

// "LastName, FirstName MiddleName", leaving out the parts that are empty.
inline QString personName(const QString& last, const QString& first, const QString& middle) {
    QString given = first.trimmed();
    if (!middle.trimmed().isEmpty())
        given += (given.isEmpty() ? QString() : QStringLiteral(" ")) + middle.trimmed();
    QString name = last.trimmed();
    if (!given.isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral(", ")) + given;
    return name;
}

} // namespace server
