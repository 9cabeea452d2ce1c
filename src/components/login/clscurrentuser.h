#pragma once
// The hospital's log-in component ("Vorsan_User.clsCurrentUser"): shows the log-in dialog,
// opens the database connection, checks the user and then hands out the connection and the
// user's details. It owns the connection for as long as it lives.
#include "accounts.h"
#include "db/settings.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace db {
class Connection;
}

namespace login {

// What one log-in attempt came to.
struct LogInResult {
    enum Kind {
        Ok,
        ConnectionFailed, // the database could not be opened; nothing was checked
        Refused,          // the user was refused (see auth)
        DatabaseError,    // the database failed while the user was checked
    };
    Kind kind = Refused;
    AuthResult auth;
    QString message; // the text to show; empty for Ok
    bool ok() const { return kind == Ok; }
    // How long the next try must wait (after a refusal).
    int retryDelayMs() const { return kind == Refused ? auth.retryDelayMs : 0; }
};

class clsCurrentUser : public QObject {
    Q_OBJECT

public:
    explicit clsCurrentUser(QObject* parent = nullptr);
    ~clsCurrentUser() override;

    // The department whose members may log in ("ZEP").
    void setPasswordDeptCode(const QString& code) { deptCode_ = code.trimmed(); }
    QString PasswordDeptCode() const { return deptCode_; }

    // Shows the modal log-in dialog and returns when it is closed, logged in or cancelled.
    void ShowMain();

    bool Connected() const { return connected_; }
    // The open connection after a log-in (nullptr before); owned by this component.
    db::Connection* sqlconnection() const;
    QString employeecode() const { return connected_ ? account_.employeeId : QString(); }
    // "LastName, FirstName MiddleName" (see login::fullName).
    QString EmployeeName() const { return connected_ ? account_.employeeName : QString(); }
    QString UserName() const { return connected_ ? account_.userName : QString(); }
    // The PostgreSQL host, or "(local)" for the embedded database.
    QString ServerName() const;
    // The PostgreSQL database name, or the embedded database's folder.
    QString Database() const;
    // The PostgreSQL password of this session (empty for the embedded database, or when
    // libpq takes it from ~/.pgpass). Memory only.
    QString ServerPassword() const;
    // The password typed for this log-in. Memory only.
    QString Password() const { return connected_ ? password_ : QString(); }
    // True when the logged-in user holds the right ("A" supervisor).
    bool have_rights(const QString& right) const;

    // Where the next log-in connects; starts as initialConnectionSettings().
    const db::ConnectionSettings& connectionSettings() const { return settings_; }
    void setConnectionSettings(const db::ConnectionSettings& s) { settings_ = s; }
    // Makes the next log-in use this open connection instead of opening one (tools, tests).
    void useConnection(std::unique_ptr<db::Connection> conn);
    // Runs on every connection this component opens, before any user is read: the start-up
    // brings the schema up to date here. A db::Error it throws fails the log-in.
    void setConnectionPreparer(std::function<void(db::Connection&)> prepare) {
        prepare_ = std::move(prepare);
    }

    // One log-in attempt without any dialog: connects when needed, checks the user and, on
    // success, makes this component Connected. The log-in dialog calls it for OK.
    LogInResult logIn(const QString& userName, const QString& password,
                      const QDateTime& now = QDateTime::currentDateTimeUtc());
    // Forgets the user and closes the connection.
    void logOff();

signals:
    void loggedIn();

private:
    void clearUser();
    bool connectionMatchesSettings() const;

    QString deptCode_;
    db::ConnectionSettings settings_;
    std::unique_ptr<db::Connection> conn_;
    db::ConnectionSettings connSettings_; // what conn_ was opened with
    std::function<void(db::Connection&)> prepare_;
    bool connected_ = false;
    Account account_;
    QString password_;
};

} // namespace login
