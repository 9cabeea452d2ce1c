#pragma once
// The rule of the class edit: a change to pay waits until the patient's department
// classification has expired.
#include <QDate>
#include <QString>

namespace cases {

// The refusal to show when a change to pay must wait, or an empty text when it may go on.
// `classification` is the patient's department class (empty when none); `expiry` its
// expiry as read ("mm/dd/yyyy", empty when none). The change may go on when the expiry is
// on or before `today`, or when there is no classification; a classification without an
// expiry date never expires.
QString payRefusal(const QString& classification, const QString& expiry, const QDate& today);

} // namespace cases
