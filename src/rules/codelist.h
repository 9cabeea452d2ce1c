#pragma once
// Code lists: codes each followed by "|" ("1.2|1.3.5|"). Service codes, activity codes and
// the documentation flags of a referral report are all kept this way.
#include <QString>
#include <QStringList>

namespace rules {

// The codes of a list, trimmed, in order. The text after the last "|" is not a code (for a
// well-formed list it is the empty remainder), so a text without any "|" has no codes.
// Empty places inside the list are kept, so position k is still the k-th value.
QStringList splitCodeList(const QString& list);

// Each code, trimmed, followed by "|"; no codes give the empty text.
QString joinCodeList(const QStringList& codes);

// The list without every element equal to `code` (after trimming both). Whole elements are
// compared, so taking out "1.2" leaves "11.2" and "1.2.3" alone.
QString removeFromCodeList(const QString& list, const QString& code);

} // namespace rules
