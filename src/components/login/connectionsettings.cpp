#include "connectionsettings.h"

#include <QSettings>
#include <QStandardPaths>

namespace login {

db::ConnectionSettings defaultConnectionSettings() {
    db::ConnectionSettings s;
    s.backend = db::Backend::SQLite;
    s.folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
               QStringLiteral("/database");
    return s;
}

db::ConnectionSettings savedConnectionSettings() {
    db::ConnectionSettings s = defaultConnectionSettings();
    QSettings q(QStringLiteral("ZEP"), QStringLiteral("Workstation"));
    q.beginGroup(QStringLiteral("connection"));
    if (q.value(QStringLiteral("backend")).toString() == QLatin1String("postgresql"))
        s.backend = db::Backend::PostgreSQL;
    s.folder = q.value(QStringLiteral("folder"), s.folder).toString();
    s.host = q.value(QStringLiteral("host"), s.host).toString();
    bool ok = false;
    const int port = q.value(QStringLiteral("port"), s.port).toInt(&ok);
    if (ok && port > 0 && port < 65536)
        s.port = port;
    s.database = q.value(QStringLiteral("database"), s.database).toString();
    s.user = q.value(QStringLiteral("user"), s.user).toString();
    return s;
}

void saveConnectionSettings(const db::ConnectionSettings& s) {
    QSettings q(QStringLiteral("ZEP"), QStringLiteral("Workstation"));
    q.beginGroup(QStringLiteral("connection"));
    q.setValue(QStringLiteral("backend"), s.backend == db::Backend::PostgreSQL
                                              ? QStringLiteral("postgresql")
                                              : QStringLiteral("sqlite"));
    q.setValue(QStringLiteral("folder"), s.folder);
    q.setValue(QStringLiteral("host"), s.host);
    q.setValue(QStringLiteral("port"), s.port);
    q.setValue(QStringLiteral("database"), s.database);
    q.setValue(QStringLiteral("user"), s.user);
    q.endGroup();
    q.sync();
}

bool environmentOverride(db::ConnectionSettings* out) {
    const QString url = qEnvironmentVariable("ZEP_DATABASE").trimmed();
    if (url.isEmpty())
        return false;
    const db::ConnectionSettings s = db::ConnectionSettings::fromUrl(url);
    if (!s.isValid())
        return false;
    if (out)
        *out = s;
    return true;
}

db::ConnectionSettings initialConnectionSettings() {
    db::ConnectionSettings s;
    if (environmentOverride(&s))
        return s;
    return savedConnectionSettings();
}

} // namespace login
