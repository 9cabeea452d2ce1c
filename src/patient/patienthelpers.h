#pragma once
// Two small look-ups the discount and referral screens share.
#include <QString>

namespace db {
class Connection;
}

namespace patient {

// The out-patient visit that billing links to a visit number (an admission that came
// through the out-patient department): the trimmed OPDIdnum of the first row, or empty when
// there is none. A failing call throws db::Error for the caller's own error path.
QString MatchingOPDNumber(db::Connection& conn, const QString& number);

// True when billing has a company (sponsor) behind the given number: the referral screen
// passes the visit number and blinks its fund button while this holds. Throws db::Error
// when the call fails.
bool CheckCompany(db::Connection& conn, const QString& code);

} // namespace patient
