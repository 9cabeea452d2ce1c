#pragma once
// The value rules of reports: what a parameter field accepts, how a value is shown, how it
// is bound to a query, and how a column is formatted.
#include "template.h"

#include <QString>
#include <QVariant>

namespace reports {

// Converts a value handed to a field of type `t` into the field's own form: QString for
// text, qlonglong or double for numbers, QDate, QDateTime, bool; a null QVariant for an
// empty value (empty text, null variant). Texts are checked: a date field takes "mm/dd/yyyy"
// (also "m/d/yyyy" and "yyyy-mm-dd") or a QDate; anything else that is not empty is refused.
// On refusal returns false and puts the reason in `why` ("\"13/45/2026\" is not a date").
bool convertValue(FieldType t, const QVariant& in, QVariant* out, QString* why);

// The value as the header and the body show it: dates "MM/dd/yyyy", numbers by the shared
// number rule, booleans "Yes"/"No", empty for null.
QString displayText(FieldType t, const QVariant& v);

// The value as it is bound to a '?' of a query: dates and timestamps as ISO text.
QVariant bindValue(FieldType t, const QVariant& v);

// A column value as the body shows it under `f`. Values that do not fit the format (a
// text in a money column) are shown as they are.
QString formatColumn(ColumnFormat f, const QVariant& v);
// The same for a CSV cell: like formatColumn but money without thousands separators.
QString csvColumn(ColumnFormat f, const QVariant& v);

bool parseColumnFormat(const QString& name, ColumnFormat* f);
bool parseFieldType(const QString& name, FieldType* t);

// The workstation's local date as reports see it ("today" in a query's bind line). A fixed
// date may be set for reproducible output (reference checks); an invalid date goes back to
// the clock.
QDate today();
void setToday(const QDate& fixed);

// "1,234.50" / "-0.75": two decimals, comma thousands separator.
QString moneyText(double v);

} // namespace reports
