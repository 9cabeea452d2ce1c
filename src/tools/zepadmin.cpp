// zep-admin: creates and upgrades databases, writes the demo hospital, manages users and
// exports reports from the command line.
#include "backup.h"
#include "copy.h"
#include "demo.h"
#include "synth.h"

#include "components/login/accounts.h"
#include "db/connection.h"
#include "reports/export.h"
#include "server/server.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}
QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

int usage() {
    err() << "usage:\n"
             "  zep-admin init DATABASE            create the database or bring it up to date\n"
             "  zep-admin demo DATABASE            write the demo hospital into a new database\n"
             "  zep-admin synth DATABASE --patients N   add a synthetic hospital (benchmarks)\n"
             "  zep-admin user add DATABASE USER EMPLOYEE-ID [--rights A] [--dept ZEP]\n"
             "  zep-admin user passwd DATABASE USER\n"
             "  zep-admin report [--database DATABASE] TEMPLATE [VALUE...] --out FILE.pdf\n"
             "                   [--csv FILE.csv] [--text FILE.txt]   (DATABASE defaults to $ZEP_DATABASE)\n"
             "  zep-admin backup DATABASE FILE     a backup taken while workstations work\n"
             "  zep-admin restore FILE DATABASE    into a new or empty database only\n"
             "  zep-admin copy sqlite:FOLDER postgresql://...   move to a shared server\n"
             "DATABASE is sqlite:/folder or postgresql://user@host:port/name.\n"
             "Passwords are read from standard input (without echo on a terminal).\n";
    err().flush();
    return 2;
}

// One line from standard input; echo switched off while a person types it.
QString readPassword(const QString& prompt) {
    const bool tty = isatty(STDIN_FILENO);
    termios old{};
    if (tty) {
        err() << prompt;
        err().flush();
        tcgetattr(STDIN_FILENO, &old);
        termios quiet = old;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    QTextStream in(stdin);
    const QString line = in.readLine();
    if (tty) {
        tcsetattr(STDIN_FILENO, TCSANOW, &old);
        err() << "\n";
        err().flush();
    }
    return line;
}

std::unique_ptr<db::Connection> openDatabase(const QString& url, bool create) {
    db::ConnectionSettings s = db::ConnectionSettings::fromUrl(url);
    s.create = create;
    server::registerProcedures();
    return db::Connection::open(s);
}

// Everything but init needs a database at this build's version.
std::unique_ptr<db::Connection> openCurrent(const QString& url) {
    auto c = openDatabase(url, false);
    const int v = server::schemaVersion(*c);
    if (v != server::latestSchemaVersion())
        db::raise(QStringLiteral("The database is at schema version %1; this build needs %2. "
                                 "Run zep-admin init first.")
                      .arg(v)
                      .arg(server::latestSchemaVersion()));
    return c;
}

QString option(QStringList& args, const QString& name, const QString& fallback) {
    const int i = args.indexOf(name);
    if (i < 0 || i + 1 >= args.size())
        return fallback;
    const QString v = args.at(i + 1);
    args.remove(i, 2);
    return v;
}

int run(QStringList args) {
    if (args.size() < 2)
        return usage();
    const QString cmd = args.takeFirst();
    if (cmd == QLatin1String("init")) {
        auto c = openDatabase(args.at(0), true);
        const int before = server::schemaVersion(*c);
        server::migrate(*c);
        out() << "Schema version " << server::schemaVersion(*c) << " (was " << before << ") in "
              << c->ConnectionString() << "\n";
        return 0;
    }
    if (cmd == QLatin1String("demo")) {
        auto c = openCurrent(args.at(0));
        tools::createDemo(*c, out());
        return 0;
    }
    if (cmd == QLatin1String("report")) {
        const QString url = option(args, QStringLiteral("--database"),
                                   qEnvironmentVariable("ZEP_DATABASE"));
        if (url.isEmpty()) {
            err() << "zep-admin report: name the database with --database or ZEP_DATABASE\n";
            err().flush();
            return 2;
        }
        auto c = openCurrent(url);
        const int rc = reports::exportCommand(args, *c, err());
        err().flush();
        return rc;
    }
    if (cmd == QLatin1String("backup") && args.size() == 2) {
        server::registerProcedures();
        tools::backupDatabase(args.at(0), args.at(1), out());
        return 0;
    }
    if (cmd == QLatin1String("restore") && args.size() == 2) {
        server::registerProcedures();
        tools::restoreDatabase(args.at(0), args.at(1), out());
        return 0;
    }
    if (cmd == QLatin1String("copy") && args.size() == 2) {
        server::registerProcedures();
        tools::copyDatabase(args.at(0), args.at(1), out());
        return 0;
    }
    if (cmd == QLatin1String("synth")) {
        const qint64 n = option(args, QStringLiteral("--patients"), QStringLiteral("0")).toLongLong();
        if (n <= 0 || args.size() != 1)
            return usage();
        auto c = openCurrent(args.at(0));
        c->log().setEnabled(false); // millions of rows: nothing to trace
        tools::createSynthetic(*c, n, err());
        return 0;
    }
    if (cmd == QLatin1String("user") && args.size() >= 3) {
        const QString sub = args.takeFirst();
        const QString rights = option(args, QStringLiteral("--rights"), QString());
        const QString dept = option(args, QStringLiteral("--dept"), QStringLiteral("ZEP"));
        if (sub == QLatin1String("add") && args.size() == 3) {
            auto c = openCurrent(args.at(0));
            const QString pw = readPassword(QStringLiteral("Password for %1: ").arg(args.at(1)));
            login::addUser(*c, args.at(1), args.at(2), pw, dept, rights);
            out() << "User " << args.at(1).trimmed().toUpper() << " added.\n";
            return 0;
        }
        if (sub == QLatin1String("passwd") && args.size() == 2) {
            auto c = openCurrent(args.at(0));
            const QString pw = readPassword(QStringLiteral("New password for %1: ").arg(args.at(1)));
            login::setPassword(*c, args.at(1), pw);
            out() << "Password of " << args.at(1).trimmed().toUpper() << " changed.\n";
            return 0;
        }
    }
    return usage();
}

} // namespace

int main(int argc, char** argv) {
    // Reports lay out text, and text needs fonts, which need a GUI application (offscreen
    // when there is no display); everything else is a plain console tool.
    const bool report = argc > 1 && qstrcmp(argv[1], "report") == 0;
    if (report && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application =
        report ? std::make_unique<QGuiApplication>(argc, argv)
               : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
    QStringList args = app.arguments();
    args.removeFirst();
    try {
        const int rc = run(args);
        out().flush();
        return rc;
    } catch (const db::Error& e) {
        out().flush();
        err() << "zep-admin: " << e.Description() << "\n";
        err().flush();
        return 1;
    } catch (const std::exception& e) {
        out().flush();
        err() << "zep-admin: " << e.what() << "\n";
        err().flush();
        return 1;
    }
}
