#pragma once
// Reading dates and times back from the patient tables: PostgreSQL hands back QDate and
// QDateTime values, SQLite the ISO texts they were stored as.
#include <QDate>
#include <QDateTime>
#include <QVariant>

namespace patient::detail {

QDate toDate(const QVariant& v);
QDateTime toDateTime(const QVariant& v);
// Whole years from `birth` to `on`; -1 when the birth date is unknown or in the future.
int yearsBetween(const QDate& birth, const QDate& on);

} // namespace patient::detail
