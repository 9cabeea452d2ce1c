#pragma once
// One parser for the date texts that screens send, used by every procedure.
#include <QDate>
#include <QString>
#include <QVariant>

namespace db {
// Accepts "mm/dd/yyyy", "m/d/yyyy", "yyyy-mm-dd" and "yyyy-mm-dd hh:mm[:ss]"; an invalid
// QDate for anything else, including impossible days such as 02/30/2026.
QDate parseDate(const QString& text);
// A date column as the engines hand it back: a date or timestamp value, or its text in one
// of the forms above (a timestamp's time, however written, is ignored).
QDate dateValue(const QVariant& v);
} // namespace db
