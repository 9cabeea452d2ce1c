#include "clscurrentuser.h"

#include "connectionsettings.h"
#include "db/connection.h"
#include "frmlogin.h"

#include <exception>

namespace login {

namespace {

bool sameTarget(const db::ConnectionSettings& a, const db::ConnectionSettings& b) {
    if (a.backend != b.backend)
        return false;
    if (a.backend == db::Backend::SQLite)
        return a.folder == b.folder;
    return a.host == b.host && a.port == b.port && a.database == b.database && a.user == b.user &&
           a.password == b.password;
}

LogInResult failure(LogInResult::Kind kind, const QString& text, const QString& description) {
    LogInResult r;
    r.kind = kind;
    r.message = description.isEmpty() ? text : text + QLatin1Char('\n') + description;
    return r;
}

} // namespace

clsCurrentUser::clsCurrentUser(QObject* parent)
    : QObject(parent), settings_(initialConnectionSettings()) {}

clsCurrentUser::~clsCurrentUser() = default;

db::Connection* clsCurrentUser::sqlconnection() const {
    return connected_ ? conn_.get() : nullptr;
}

QString clsCurrentUser::ServerName() const {
    const db::ConnectionSettings& s = conn_ ? connSettings_ : settings_;
    return s.backend == db::Backend::SQLite ? QStringLiteral("(local)") : s.host;
}

QString clsCurrentUser::Database() const {
    const db::ConnectionSettings& s = conn_ ? connSettings_ : settings_;
    return s.backend == db::Backend::SQLite ? s.folder : s.database;
}

QString clsCurrentUser::ServerPassword() const {
    if (!connected_ || connSettings_.backend == db::Backend::SQLite)
        return {};
    return connSettings_.password;
}

bool clsCurrentUser::have_rights(const QString& right) const {
    return connected_ && hasRight(account_.rights, right);
}

void clsCurrentUser::ShowMain() {
    frmLogin dlg(*this);
    dlg.exec();
}

void clsCurrentUser::useConnection(std::unique_ptr<db::Connection> conn) {
    clearUser();
    conn_ = std::move(conn);
    if (conn_) {
        connSettings_ = conn_->settings();
        settings_ = connSettings_;
        db::rememberPassword(connSettings_);
    }
}

bool clsCurrentUser::connectionMatchesSettings() const {
    return conn_ && conn_->State() != 0 && sameTarget(connSettings_, settings_);
}

LogInResult clsCurrentUser::logIn(const QString& userName, const QString& password,
                                  const QDateTime& now) {
    clearUser();
    if (!connectionMatchesSettings()) {
        conn_.reset();
        try {
            db::ConnectionSettings s = settings_;
            s.create = false; // a mistyped folder or database must fail, not be created
            auto conn = db::Connection::open(s);
            if (prepare_)
                prepare_(*conn);
            conn_ = std::move(conn);
            connSettings_ = s;
            // Outside components get only the connection string and open their own.
            db::rememberPassword(s);
        } catch (const db::Error& e) {
            return failure(LogInResult::ConnectionFailed,
                           QStringLiteral("Unable to connect to the database."), e.Description());
        } catch (const std::exception& e) {
            return failure(LogInResult::ConnectionFailed,
                           QStringLiteral("Unable to connect to the database."),
                           QString::fromLocal8Bit(e.what()));
        }
    }

    LogInResult result;
    try {
        result.auth = authenticate(*conn_, userName, password, deptCode_, now);
    } catch (const db::Error& e) {
        return failure(LogInResult::DatabaseError,
                       QStringLiteral("Unable to read the user accounts."), e.Description());
    } catch (const std::exception& e) {
        return failure(LogInResult::DatabaseError,
                       QStringLiteral("Unable to read the user accounts."),
                       QString::fromLocal8Bit(e.what()));
    }
    if (!result.auth.ok()) {
        result.kind = LogInResult::Refused;
        result.message = result.auth.message();
        return result;
    }

    result.kind = LogInResult::Ok;
    account_ = result.auth.account;
    password_ = password;
    connected_ = true;
    emit loggedIn();
    return result;
}

void clsCurrentUser::logOff() {
    clearUser();
    conn_.reset();
    connSettings_ = {};
}

void clsCurrentUser::clearUser() {
    connected_ = false;
    account_ = {};
    password_.clear();
}

} // namespace login
