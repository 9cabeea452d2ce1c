#pragma once
// One parser for the date texts that screens send, used by every procedure.
#include <QDate>
#include <QString>

namespace db {
// Accepts "mm/dd/yyyy", "m/d/yyyy", "yyyy-mm-dd" and "yyyy-mm-dd hh:mm[:ss]"; an invalid
// QDate for anything else, including impossible days such as 02/30/2026.
QDate parseDate(const QString& text);
} // namespace db
