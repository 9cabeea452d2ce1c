#include "export.h"

#include "document.h"
#include "report.h"
#include "values.h"

#include "db/connection.h"

#include <QFile>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <utility>

namespace reports {

QString exportUsage() {
    return QStringLiteral(
        "usage: zep-admin report TEMPLATE [VALUE...] [--sub NAME [VALUE...]]... "
        "[--hospital NAME] [--today YYYY-MM-DD] [--out FILE.pdf] [--csv FILE.csv] [--text FILE.txt]\n");
}

namespace {

struct Request {
    QString templatePath;
    QStringList values;
    std::vector<std::pair<QString, QStringList>> subs;
    QString hospital, pdf, csv, text;
    QDate today; // a fixed local date, for output that must not change from day to day
};

bool parseArgs(QStringList args, Request* r, QString* why) {
    if (!args.isEmpty() && args.first() == QLatin1String("report"))
        args.removeFirst();
    QStringList* target = &r->values;
    bool literal = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (!literal && a.startsWith(QLatin1String("--"))) {
            auto next = [&](QString* into) {
                if (i + 1 >= args.size()) {
                    *why = a + QStringLiteral(" needs a value");
                    return false;
                }
                *into = args.at(++i);
                return true;
            };
            if (a == QLatin1String("--")) {
                literal = true;
            } else if (a == QLatin1String("--out")) {
                if (!next(&r->pdf))
                    return false;
            } else if (a == QLatin1String("--csv")) {
                if (!next(&r->csv))
                    return false;
            } else if (a == QLatin1String("--text")) {
                if (!next(&r->text))
                    return false;
            } else if (a == QLatin1String("--hospital")) {
                if (!next(&r->hospital))
                    return false;
            } else if (a == QLatin1String("--today")) {
                QString day;
                if (!next(&day))
                    return false;
                r->today = QDate::fromString(day, Qt::ISODate);
                if (!r->today.isValid()) {
                    *why = QStringLiteral("--today needs a date as YYYY-MM-DD, not ") + day;
                    return false;
                }
            } else if (a == QLatin1String("--sub")) {
                QString name;
                if (!next(&name))
                    return false;
                r->subs.emplace_back(name, QStringList());
                target = &r->subs.back().second;
            } else {
                *why = QStringLiteral("unknown option ") + a;
                return false;
            }
            continue;
        }
        if (r->templatePath.isEmpty())
            r->templatePath = a;
        else
            target->append(a);
    }
    if (r->templatePath.isEmpty()) {
        *why = QStringLiteral("no template named");
        return false;
    }
    if (r->pdf.isEmpty() && r->csv.isEmpty() && r->text.isEmpty()) {
        *why = QStringLiteral("nothing to write: give --out, --csv or --text");
        return false;
    }
    return true;
}

QVariantList variants(const QStringList& l) {
    QVariantList v;
    for (const QString& s : l)
        v.append(s);
    return v;
}

bool writeText(const QString& path, const QString& text, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text.toUtf8()) < 0 ||
        !f.flush()) {
        *error = QStringLiteral("Cannot write the text file %1.").arg(path);
        return false;
    }
    return true;
}

} // namespace

QString resolveTemplate(const QString& name, const QString& reportFolder) {
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || reportFolder.isEmpty())
        return name;
    const QString inReports = QDir(reportFolder).filePath(name);
    if (QFileInfo::exists(inReports))
        return inReports;
    return name;
}

int exportCommand(const QStringList& args, db::Connection& conn, QTextStream& err) {
    Request req;
    QString why;
    if (!parseArgs(args, &req, &why)) {
        err << "zep-admin report: " << why << "\n" << exportUsage();
        err.flush();
        return 2;
    }
    try {
        const QFileInfo info(resolveTemplate(
            req.templatePath,
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("REPORTS"))));
        auto report = Report::open(info.absolutePath(), info.fileName());
        report->setHospitalName(req.hospital);
        // Restored below whatever happens, so that later reports of the process read the clock.
        struct TodayScope {
            explicit TodayScope(const QDate& d) { setToday(d); }
            ~TodayScope() { setToday(QDate()); }
        } todayScope(req.today);
        const db::ConnectionSettings& s = conn.settings();
        report->SetLogOnInfo(s.backend == db::Backend::SQLite ? s.folder : s.host, s.database,
                             s.user, QString());
        report->SetParameterValues(variants(req.values));
        for (const auto& [name, values] : req.subs)
            report->OpenSubreport(name).SetParameterValues(variants(values));

        const auto rendered = RenderedReport::build(collect(*report, conn));
        QString error;
        if (!req.pdf.isEmpty() && !rendered->writePdf(req.pdf, &error))
            throw ReportError(error);
        if (!req.csv.isEmpty() && !rendered->writeCsv(req.csv, &error))
            throw ReportError(error);
        if (!req.text.isEmpty() && !writeText(req.text, rendered->plainText(), &error))
            throw ReportError(error);
    } catch (const ReportError& e) {
        err << "zep-admin report: " << e.message() << "\n";
        err.flush();
        return 1;
    }
    return 0;
}

} // namespace reports
