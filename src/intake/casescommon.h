#pragma once
// What the case-number and class-edit screens share: the title of their messages and the
// box of a failed save.
#include <QString>

namespace db {
class Connection;
class Error;
}

namespace cases {

inline const QString kMessageTitle = QStringLiteral("Message");

// "Data Not Successfully Saved." with the error's description under it (critical icon,
// title "Message").
void showFailedSave(const db::Error& e);

// A date read from the database ("yyyy-mm-dd", with or without a time) as "mm/dd/yyyy";
// empty when the text is empty or not a date.
QString usDate(const QString& text);

// The global classification update: the assessments' class codes, then the patients'
// classes on the master record, in one transaction. Throws db::Error after rolling back.
void runGlobalUpdate(db::Connection& conn);

} // namespace cases
