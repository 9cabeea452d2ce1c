#pragma once
// A PostgreSQL server of the test's own, which the test stops and starts again: the shared
// server going away in the middle of a session. It runs on a free loopback port with its data
// in a folder of its own, through scripts/pg-test-server, and is stopped when the test ends.
#include <QDir>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

class OwnServer {
public:
    OwnServer() {
        dir_.setAutoRemove(true);
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                               QFile::ExeOwner | QFile::ReadGroup |
                                               QFile::ExeGroup | QFile::ReadOther |
                                               QFile::ExeOther);
        port_ = freePort();
    }
    ~OwnServer() { stop(); }
    OwnServer(const OwnServer&) = delete;
    OwnServer& operator=(const OwnServer&) = delete;

    // Starts (the first time: creates) the server; false with the script's output in
    // `error` when it would not start.
    bool start(QString* error = nullptr) {
        QString out;
        if (!script({QStringLiteral("start"), data(), QString::number(port_)}, &out)) {
            if (error)
                *error = out;
            return false;
        }
        url_ = out.trimmed().section(QLatin1Char('\n'), -1);
        running_ = true;
        return true;
    }
    // A fast shutdown, as an administrator restarting the server does it: every session is
    // told and closed.
    void stop() {
        if (running_)
            script({QStringLiteral("stop"), data()}, nullptr);
        running_ = false;
    }
    QString url() const { return url_; }

private:
    QString data() const { return dir_.path() + QStringLiteral("/data"); }

    static bool script(const QStringList& args, QString* out) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(qEnvironmentVariable("ZEP_SOURCE_DIR") + QStringLiteral("/scripts/pg-test-server"),
                args);
        if (!p.waitForFinished(120000))
            return false;
        if (out)
            *out = QString::fromUtf8(p.readAll());
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    // A port nobody listens on now: the system picks one, and it is given back at once.
    static int freePort() {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        socklen_t len = sizeof a;
        int port = 55437;
        if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        if (s >= 0)
            ::close(s);
        return port;
    }

    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/zep-own-pg-XXXXXX")};
    int port_ = 0;
    QString url_;
    bool running_ = false;
};
