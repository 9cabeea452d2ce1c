#pragma once
// User accounts of the log-in component: password hashing and the checks of a log-in,
// without any widget, so that zep-admin can add users and set passwords too.
//
// Users are rows of ZEP.tbZEPUser (user name stored upper-case) tied to an employee of
// ZEP.tbZEPEmployee. Passwords are kept as argon2id hashes (libsodium's crypto_pwhash_str);
// the hash is always sent as a secret value so that it never reaches the command log.
#include <QDateTime>
#include <QString>

namespace db {
class Connection;
}

namespace login {

// An argon2id hash in libsodium's string form ("$argon2id$v=19$..."), salted, so two hashes
// of one password differ. Throws std::runtime_error when libsodium cannot hash (out of
// memory).
QString hashPassword(const QString& password);
// True when `password` matches `hash`; false for a wrong password or a malformed hash.
bool verifyPassword(const QString& password, const QString& hash);

// The employee's name as the system shows it: "LastName, FirstName MiddleName", each part
// trimmed, missing parts left out with their separator ("Cruz, Ana", "Cruz").
QString fullName(const QString& lastName, const QString& firstName, const QString& middleName);

// The wait before the next try after `failedAttempts` failures in a row: none for 0, then
// 500 ms, doubling, at most 8 s.
int retryDelayMs(int failedAttempts);

struct Employee {
    QString employeeId;
    QString lastName;
    QString firstName;
    QString middleName;
    QString licenseNumber;
    QString position;
    QString deptCode;
    bool active = true;
};

// Adds an employee. Throws db::Error (a unique violation when the ID is taken).
void addEmployee(db::Connection& conn, const Employee& e);

// Adds a user for an existing employee, active, with no failed attempts. The user name is
// trimmed and stored upper-case; `rights` is a list of right codes ("A" supervisor, "" none).
// Throws db::Error when the name or password is empty, the employee does not exist or the
// user name is taken.
void addUser(db::Connection& conn, const QString& userName, const QString& employeeId,
             const QString& password, const QString& deptCode, const QString& rights = {});

// Replaces a user's password and clears the failed attempts. Throws db::Error when the
// password is empty or there is no such user.
void setPassword(db::Connection& conn, const QString& userName, const QString& password);

// The user a successful log-in gives.
struct Account {
    QString userName; // upper-case
    QString employeeId;
    QString employeeName; // fullName() of the employee
    QString deptCode;
    QString rights;
};

enum class AuthStatus {
    Ok,
    InvalidCredentials, // unknown user or wrong password; the two are not told apart
    TooSoon,            // a try before the wait after the last failure was over
    Inactive,           // right password, but the user or the employee is inactive
    OtherDepartment,    // right password, but the user belongs to another department
};

struct AuthResult {
    AuthStatus status = AuthStatus::InvalidCredentials;
    Account account;      // filled when status is Ok
    int retryDelayMs = 0; // how long the next try must wait (InvalidCredentials, TooSoon)
    bool ok() const { return status == AuthStatus::Ok; }
    // The text to show the user; empty for Ok. Never names the password or its hash.
    QString message() const;
};

// Checks a log-in. A wrong password counts a failure for the user (FailedAttempts,
// LastFailedAt) and the next try of that user is refused, without looking at the password,
// until retryDelayMs(FailedAttempts) has passed since LastFailedAt; a successful log-in
// clears the count. Department and active flags are checked only after the password is
// right, so that they tell nothing to someone who does not know it. `now` is the
// workstation's clock in UTC (a parameter so tests need not wait). Throws db::Error when the
// database fails.
AuthResult authenticate(db::Connection& conn, const QString& userName, const QString& password,
                        const QString& deptCode,
                        const QDateTime& now = QDateTime::currentDateTimeUtc());

// True when a rights text ("A", "A|B", "A, B") holds the right `right` (case-insensitive).
bool hasRight(const QString& rights, const QString& right);

} // namespace login
