#pragma once
// Turning a pay visit into a service visit when the referral report opens for a pay patient
// who has no intake sheet yet. Widget-free, so that its all-or-nothing behaviour can be
// proved against the database alone.
#include <QString>

namespace db {
class Connection;
}

namespace referral {

// True for an admission number (digits only); out-patient and ER numbers carry a letter.
bool isAdmissionNumber(const QString& visit);

// Changes the visit's class from "P" to "S" where it is pay (an empty class counts as pay)
// and records the change through ZEP..sp_ZEP_UpdatePatientClass with `userCode`, in one
// transaction: on any failure nothing of it stays and db::Error is thrown for the caller's
// message.
void convertPayToService(db::Connection& conn, const QString& visit, const QString& userCode);

} // namespace referral
