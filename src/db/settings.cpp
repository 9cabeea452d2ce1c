#include "settings.h"

#include <QHash>
#include <QUrl>

namespace db {

namespace {
QHash<QString, QString>& passwords() {
    static QHash<QString, QString> p;
    return p;
}
} // namespace


QString ConnectionSettings::toUrl() const {
    if (backend == Backend::SQLite)
        return QStringLiteral("sqlite:") + folder;
    QUrl u;
    u.setScheme(QStringLiteral("postgresql"));
    u.setHost(host);
    u.setPort(port);
    u.setUserName(user);
    u.setPath(QLatin1Char('/') + database);
    return u.toString();
}

ConnectionSettings ConnectionSettings::fromUrl(const QString& url) {
    ConnectionSettings s;
    const QString t = url.trimmed();
    if (t.startsWith(QLatin1String("postgresql://")) || t.startsWith(QLatin1String("postgres://"))) {
        const QUrl u(t);
        s.backend = Backend::PostgreSQL;
        s.host = u.host().isEmpty() ? QStringLiteral("localhost") : u.host();
        s.port = u.port(5432);
        s.user = u.userName();
        s.password = u.password();
        s.database = u.path().mid(1);
        if (s.database.isEmpty())
            s.database = QStringLiteral("zep");
        if (s.password.isEmpty())
            s.password = passwords().value(s.toUrl());
        return s;
    }
    s.backend = Backend::SQLite;
    s.folder = t.startsWith(QLatin1String("sqlite:")) ? t.mid(7) : t;
    return s;
}

void rememberPassword(const ConnectionSettings& s) {
    if (s.backend == Backend::PostgreSQL && !s.password.isEmpty())
        passwords().insert(s.toUrl(), s.password);
}

QString rememberedPassword(const QString& url) {
    return passwords().value(ConnectionSettings::fromUrl(url).toUrl());
}

bool ConnectionSettings::isValid() const {
    if (backend == Backend::SQLite)
        return !folder.trimmed().isEmpty();
    return !host.isEmpty() && !database.isEmpty() && port > 0;
}

} // namespace db
