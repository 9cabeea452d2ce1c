#pragma once
// The texts of the discharge-notice screens, without widgets.
#include <QString>
#include <QVariant>

namespace discharge {

// A date-time as the screens show it ("12/9/2026 8:05:00 AM"; a date alone without the
// time); empty for NULL or a text that is not a date.
QString generalDate(const QVariant& v);

// The clearance dialog's "Other Info." from the assessment's flags and negotiated
// counterpart (text with two decimals): "with CDF; ", "with PCSO; ", then "Special
// Arrangement (NC: <nc>)", or "Special Arrangement" when the counterpart is "0.00".
QString otherInfo(bool cdf, bool pcso, bool special, const QString& nc);

// Remarks as they are stored: each apostrophe becomes a grave accent.
QString storedRemarks(const QString& typed);

} // namespace discharge
