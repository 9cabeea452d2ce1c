#include "accounts.h"

#include "db/connection.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QTimeZone>
#include <mutex>
#include <sodium.h>
#include <stdexcept>

namespace login {

namespace {

void initSodium() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (sodium_init() < 0)
            throw std::runtime_error("libsodium could not be initialised");
    });
}

// Holds a password's UTF-8 bytes and wipes them when done.
class SecretBytes {
public:
    explicit SecretBytes(const QString& s) : bytes_(s.toUtf8()) {}
    ~SecretBytes() { sodium_memzero(bytes_.data(), size_t(bytes_.size())); }
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;
    const char* data() const { return bytes_.constData(); }
    unsigned long long size() const { return static_cast<unsigned long long>(bytes_.size()); }

private:
    QByteArray bytes_;
};

// An unknown user name still costs one verification, so that the time an answer takes does
// not tell whether the user exists.
const QString& dummyHash() {
    static const QString hash = hashPassword(QStringLiteral("no such user"));
    return hash;
}

QString normalizedUserName(const QString& userName) {
    return userName.trimmed().toUpper();
}

// Timestamps are kept as UTC text "yyyy-MM-dd HH:mm:ss.zzz", which both engines store in a
// TIMESTAMP column and give back in the same form (possibly without the milliseconds).
QString timestampText(const QDateTime& t) {
    return t.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

QDateTime parseTimestamp(const QString& text) {
    QString s = text.trimmed();
    if (s.isEmpty())
        return {};
    s.replace(QLatin1Char(' '), QLatin1Char('T'));
    QDateTime t = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!t.isValid())
        t = QDateTime::fromString(s, Qt::ISODate);
    if (t.isValid())
        t.setTimeZone(QTimeZone::utc());
    return t;
}

void requirePassword(const QString& password) {
    if (password.isEmpty())
        db::raise(QStringLiteral("The password must not be empty."));
}

} // namespace

QString hashPassword(const QString& password) {
    initSodium();
    const SecretBytes pw(password);
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, pw.data(), pw.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("not enough memory to hash a password");
    return QString::fromLatin1(out);
}

bool verifyPassword(const QString& password, const QString& hash) {
    initSodium();
    const QByteArray h = hash.toLatin1();
    if (h.isEmpty() || h.size() >= crypto_pwhash_STRBYTES)
        return false;
    char stored[crypto_pwhash_STRBYTES] = {};
    std::copy(h.begin(), h.end(), stored);
    const SecretBytes pw(password);
    return crypto_pwhash_str_verify(stored, pw.data(), pw.size()) == 0;
}

QString fullName(const QString& lastName, const QString& firstName, const QString& middleName) {
    const QString given = (firstName.trimmed() + QLatin1Char(' ') + middleName.trimmed()).trimmed();
    const QString last = lastName.trimmed();
    if (last.isEmpty())
        return given;
    if (given.isEmpty())
        return last;
    return last + QStringLiteral(", ") + given;
}

int retryDelayMs(int failedAttempts) {
    if (failedAttempts <= 0)
        return 0;
    constexpr int first = 500, cap = 8000;
    int delay = first;
    for (int i = 1; i < failedAttempts && delay < cap; ++i)
        delay *= 2;
    return std::min(delay, cap);
}

bool hasRight(const QString& rights, const QString& right) {
    const QString wanted = right.trimmed();
    if (wanted.isEmpty())
        return false;
    static const QRegularExpression separators(QStringLiteral("[\\s,;|]+"));
    const QStringList held = rights.split(separators, Qt::SkipEmptyParts);
    return held.contains(wanted, Qt::CaseInsensitive);
}

void addEmployee(db::Connection& conn, const Employee& e) {
    if (e.employeeId.trimmed().isEmpty())
        db::raise(QStringLiteral("The employee ID must not be empty."));
    conn.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, "
                                "MiddleName, LicenseNumber, Position, DeptCode, Active) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {e.employeeId.trimmed(), e.lastName.trimmed(), e.firstName.trimmed(),
                  e.middleName.trimmed(), e.licenseNumber.trimmed(), e.position.trimmed(),
                  e.deptCode.trimmed().toUpper(), e.active ? 1 : 0});
}

void addUser(db::Connection& conn, const QString& userName, const QString& employeeId,
             const QString& password, const QString& deptCode, const QString& rights) {
    const QString name = normalizedUserName(userName);
    if (name.isEmpty())
        db::raise(QStringLiteral("The user name must not be empty."));
    requirePassword(password);
    const db::Recordset emp =
        conn.Query(QStringLiteral("SELECT EmployeeID FROM ZEP.tbZEPEmployee WHERE EmployeeID = ?"),
                   {employeeId.trimmed()});
    if (emp.RecordCount() == 0)
        db::raise(QStringLiteral("There is no employee with the ID ") + employeeId.trimmed() +
                  QLatin1Char('.'));
    const QString hash = hashPassword(password);
    conn.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPUser (UserName, EmployeeID, PasswordHash, "
                                "DeptCode, Rights, FailedAttempts, LastFailedAt, Active) "
                                "VALUES (?, ?, ?, ?, ?, 0, NULL, 1)"),
                 {name, employeeId.trimmed(), hash, deptCode.trimmed().toUpper(),
                  rights.trimmed().toUpper()},
                 db::Options{.secretValues = true});
}

void setPassword(db::Connection& conn, const QString& userName, const QString& password) {
    requirePassword(password);
    const QString hash = hashPassword(password);
    const long long changed = conn.Execute(
        QStringLiteral("UPDATE ZEP.tbZEPUser SET PasswordHash = ?, FailedAttempts = 0, "
                       "LastFailedAt = NULL WHERE UserName = ?"),
        {hash, normalizedUserName(userName)}, db::Options{.secretValues = true});
    if (changed == 0)
        db::raise(QStringLiteral("There is no user ") + normalizedUserName(userName) +
                  QLatin1Char('.'));
}

QString AuthResult::message() const {
    switch (status) {
    case AuthStatus::Ok:
        return {};
    case AuthStatus::InvalidCredentials:
        return QStringLiteral("Invalid user name or password.");
    case AuthStatus::TooSoon:
        return QStringLiteral("Too many failed log-in attempts. Please wait a moment and try "
                              "again.");
    case AuthStatus::Inactive:
        return QStringLiteral("Your user account is not active.");
    case AuthStatus::OtherDepartment:
        return QStringLiteral("You are not a member of this department.");
    }
    return {};
}

AuthResult authenticate(db::Connection& conn, const QString& userName, const QString& password,
                        const QString& deptCode, const QDateTime& now) {
    AuthResult result;
    const QString name = normalizedUserName(userName);
    db::Recordset rs;
    if (!name.isEmpty())
        rs = conn.Query(
            QStringLiteral("SELECT u.UserName, u.EmployeeID, u.PasswordHash, u.DeptCode, "
                           "u.Rights, u.FailedAttempts, u.LastFailedAt, u.Active AS UserActive, "
                           "e.Active AS EmployeeActive, e.LastName, e.FirstName, e.MiddleName "
                           "FROM ZEP.tbZEPUser u LEFT JOIN ZEP.tbZEPEmployee e "
                           "ON e.EmployeeID = u.EmployeeID WHERE u.UserName = ?"),
            {name});
    if (rs.RecordCount() == 0) {
        verifyPassword(password, dummyHash());
        result.retryDelayMs = retryDelayMs(1);
        return result;
    }

    const int failed = int(rs.Number(QStringLiteral("FailedAttempts")));
    const QDateTime lastFailed = parseTimestamp(rs.Text(QStringLiteral("LastFailedAt")));
    const int wait = retryDelayMs(failed);
    if (wait > 0 && lastFailed.isValid()) {
        const qint64 left = now.msecsTo(lastFailed.addMSecs(wait));
        // A failure stamped further ahead than the longest wait comes from a workstation
        // whose clock is wrong; it must not lock the user out for longer.
        if (left > 0 && left <= wait) {
            result.status = AuthStatus::TooSoon;
            result.retryDelayMs = int(left);
            return result;
        }
    }

    if (!verifyPassword(password, rs.Text(QStringLiteral("PasswordHash")))) {
        conn.Execute(QStringLiteral("UPDATE ZEP.tbZEPUser SET FailedAttempts = "
                                    "COALESCE(FailedAttempts, 0) + 1, LastFailedAt = ? "
                                    "WHERE UserName = ?"),
                     {timestampText(now), name});
        result.retryDelayMs = retryDelayMs(failed + 1);
        return result;
    }

    // The employee row may be missing (the databases do not all enforce the reference); a
    // user without an employee has no name and is treated as inactive.
    if (rs.Number(QStringLiteral("UserActive")) != 1 ||
        rs.IsNull(QStringLiteral("EmployeeActive")) ||
        rs.Number(QStringLiteral("EmployeeActive")) != 1) {
        result.status = AuthStatus::Inactive;
        return result;
    }
    const QString userDept = rs.Text(QStringLiteral("DeptCode")).trimmed();
    if (userDept.compare(deptCode.trimmed(), Qt::CaseInsensitive) != 0) {
        result.status = AuthStatus::OtherDepartment;
        return result;
    }

    if (failed != 0 || lastFailed.isValid())
        conn.Execute(QStringLiteral("UPDATE ZEP.tbZEPUser SET FailedAttempts = 0, "
                                    "LastFailedAt = NULL WHERE UserName = ?"),
                     {name});
    result.status = AuthStatus::Ok;
    result.account.userName = name;
    result.account.employeeId = rs.Text(QStringLiteral("EmployeeID")).trimmed();
    result.account.employeeName =
        fullName(rs.Text(QStringLiteral("LastName")), rs.Text(QStringLiteral("FirstName")),
                 rs.Text(QStringLiteral("MiddleName")));
    result.account.deptCode = userDept.toUpper();
    result.account.rights = rs.Text(QStringLiteral("Rights")).trimmed();
    return result;
}

} // namespace login
