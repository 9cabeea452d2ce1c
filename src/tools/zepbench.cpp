// zep-bench: how fast the workstation answers, beside the raw engine doing the same query.
//   zep-bench DATABASE [DATABASE ...] [--runs N]
// For each database (sqlite:/folder or postgresql://...), each search mode and each kind of
// criterion (--intake: only the intake sheet's opening; --arr: only the referral report's
// opening; --discount [LINES]: one visit's discount computation instead): the median and 95th
// percentile of the search as the list runs it (call and filling the list, on values the cache
// has not seen), of the procedure call alone, and of the same SQL with the same values run
// straight on the engine (sqlite3 C API or libpq), with the ratio call / raw.
#include "db/connection.h"
#include "intake/frmIntakeSurveySheet.h"
#include "referral/frmARR.h"
#include "ui/messages.h"
#include "patient/clsPatientSearch.h"
#include "patient/frmListPatient.h"
#include "reports/template.h"
#include "server/server.h"

#include "bench_arrsave.h"
#include "bench_discount.h"
#include "bench_load.h"
#include "bench_report.h"

#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QFile>
#include <QRadioButton>
#include <QTextStream>
#include <algorithm>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

using tools::Stats;
using tools::stats;

// The same statement on the bare engine, with a prepared-statement cache like ours, every
// value fetched.
class Raw {
public:
    // `workstation` is the workstation's own connection to the same database, whose engine
    // settings the bare one copies.
    Raw(const db::ConnectionSettings& s, db::Connection& workstation) : backend_(s.backend) {
        if (s.backend == db::Backend::SQLite) {
            sqlite3_open_v2((s.folder + QStringLiteral("/main.db")).toUtf8().constData(), &lite_,
                            SQLITE_OPEN_READWRITE, nullptr);
            // The engine set up as the workstation sets it up, so that the comparison is of
            // the two code paths and not of two configurations.
            for (const QString& n : db::databaseNames()) {
                exec(QStringLiteral("ATTACH DATABASE '%1/%2.db' AS %2").arg(s.folder, n));
                const QString size =
                    workstation.Query(QStringLiteral("PRAGMA %1.cache_size").arg(n)).Text(QStringLiteral("cache_size"));
                exec(QStringLiteral("PRAGMA %1.cache_size = %2").arg(n, size));
            }
        } else {
            const QByteArray url = s.toUrl().toUtf8();
            pg_ = PQconnectdb(url.constData());
            PQclear(PQexec(pg_, "SET search_path TO zep, public"));
            PQclear(PQexec(pg_, "SET max_parallel_workers_per_gather = 0")); // as the workstation
        }
    }
    ~Raw() {
        for (auto* st : std::as_const(cache_))
            sqlite3_finalize(st);
        if (lite_)
            sqlite3_close(lite_);
        if (pg_)
            PQfinish(pg_);
    }
    // Runs one statement; returns the rows it gave. With `nullMarks`, a value "NULL" (as the
    // command log writes a NULL) is bound as NULL.
    int run(const QString& sql, const QStringList& values, bool nullMarks = false) {
        if (backend_ == db::Backend::SQLite) {
            sqlite3_stmt* st = cache_.value(sql);
            if (!st) {
                const QByteArray t = sql.toUtf8();
                sqlite3_prepare_v3(lite_, t.constData(), int(t.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr);
                cache_.insert(sql, st);
            }
            sqlite3_reset(st);
            QVector<QByteArray> keep;
            for (int i = 0; i < values.size(); ++i) {
                if (nullMarks && values.at(i) == QLatin1String("NULL")) {
                    sqlite3_bind_null(st, i + 1);
                    keep << QByteArray();
                    continue;
                }
                keep << values.at(i).toUtf8();
                sqlite3_bind_text(st, i + 1, keep.last().constData(), int(keep.last().size()), SQLITE_STATIC);
            }
            int rows = 0;
            const int n = sqlite3_column_count(st);
            qint64 sink = 0;
            while (sqlite3_step(st) == SQLITE_ROW) {
                ++rows;
                for (int c = 0; c < n; ++c)
                    sink += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
            }
            sqlite3_reset(st);
            sink_ += sink;
            return rows;
        }
        QString pgSql;
        int k = 0;
        for (QChar ch : sql)
            pgSql += ch == QLatin1Char('?') ? QStringLiteral("$%1").arg(++k) : QString(ch);
        const QByteArray text = pgSql.toUtf8();
        QVector<QByteArray> keep;
        QVector<const char*> params;
        for (const auto& v : values) {
            keep << v.toUtf8();
            params << (nullMarks && v == QLatin1String("NULL") ? nullptr : keep.last().constData());
        }
        PGresult* r = PQexecParams(pg_, text.constData(), int(params.size()), nullptr, params.constData(),
                                   nullptr, nullptr, 0);
        const int rows = PQntuples(r);
        for (int i = 0; i < rows; ++i)
            for (int c = 0; c < PQnfields(r); ++c)
                sink_ += PQgetlength(r, i, c);
        PQclear(r);
        return rows;
    }

private:
    void exec(const QString& sql) { sqlite3_exec(lite_, sql.toUtf8().constData(), nullptr, nullptr, nullptr); }
    db::Backend backend_;
    sqlite3* lite_ = nullptr;
    PGconn* pg_ = nullptr;
    QHash<QString, sqlite3_stmt*> cache_;
    qint64 sink_ = 0;
};

struct Mode {
    const char* name;
    const char* proc;
    int option; // the list's option index, -1 for the ZEP link
    const char* table; // where its visit numbers are
};
const Mode kModes[] = {
    {"In Patient", "ZEP..sp_ZEP_LoadInPatient", 0, "PATIENT_DATA.tbPatient2"},
    {"Out Patient", "ZEP..sp_ZEP_LoadOutPatient", 1, "PATIENT_DATA.tbOutPatient"},
    {"All Patients", "ZEP..sp_ZEP_LoadAllServicePatient", 2, "PATIENT_DATA.tbPatient2"},
    {"ER Patients", "ZEP..sp_ZEP_LoadERPatient", 3, "PATIENT_DATA.tbERMaster"},
    {"ZEP Patients", "ZEP..sp_ZEP_LoadZEPPatient", -1, "PATIENT_DATA.tbPatient2"},
};

// Sample visits spread over the table: their numbers and their patients' names.
struct Sample {
    QString hosp, id, last, first;
};
QVector<Sample> samples(db::Connection& c, const Mode& m, int n) {
    QVector<Sample> s;
    auto count = c.Query(QStringLiteral("SELECT COUNT(*) AS n FROM %1").arg(QLatin1String(m.table)));
    const qint64 total = count.Value(QStringLiteral("n")).toLongLong();
    const bool zep = m.option < 0;
    for (int i = 0; i < n && total > 0; ++i) {
        const qint64 offset = (total / n) * i + (i * 7919) % std::max<qint64>(1, total / n);
        auto rs = c.Query(QStringLiteral("SELECT v.IdNum, v.HospNum, m.LastName, m.FirstName FROM %1 v JOIN "
                                         "PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum %2 "
                                         "ORDER BY v.IdNum LIMIT 1 OFFSET ?")
                              .arg(QLatin1String(m.table),
                                   zep ? QStringLiteral("WHERE m.ZEPNum <> ''") : QString()),
                          {zep ? offset / 10 : offset});
        if (rs.Eof())
            continue;
        Sample one{rs.Text(QStringLiteral("HospNum")), rs.Text(QStringLiteral("IdNum")),
                   rs.Text(QStringLiteral("LastName")), rs.Text(QStringLiteral("FirstName"))};
        if (zep) {
            // The ZEP list finds a case holder by his latest visit's number: search by that.
            auto latest = c.Call(QString::fromLatin1(m.proc), {one.hosp, QString(), QString(),
                                                               QString(), QString()});
            if (!latest.Eof())
                one.id = latest.Text(QStringLiteral("IDNUM"));
        }
        s << one;
    }
    return s;
}

// Resident memory: the whole, and the part that is the database files' mapped pages (the
// system's file cache, shared and given back under memory pressure).
QString resident() {
    QFile status(QStringLiteral("/proc/self/status"));
    QHash<QByteArray, QString> v;
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n')) {
            const int colon = line.indexOf(':');
            if (colon > 0)
                v.insert(line.left(colon), QString::fromLatin1(line.mid(colon + 1).trimmed()));
        }
    return QStringLiteral("%1 (private %2, mapped files %3)")
        .arg(v.value("VmRSS"), v.value("RssAnon"), v.value("RssFile"));
}

bool intakeOnly = false; // --intake: only the intake sheet's opening
bool arrOnly = false;    // --arr: only the referral report's opening

// Opening the referral report for case holders' admissions spread over the file: from
// creating the screen to its filled first showing (the lists, the master row, the visit's
// record, case history, services, activities and the fund check).
void benchReferral(db::Connection& conn, int runs) {
    const qint64 total = conn.Query(QStringLiteral("SELECT COUNT(*) AS n FROM PATIENT_DATA.tbPatient2"))
                             .Value(QStringLiteral("n"))
                             .toLongLong();
    QVector<QPair<QString, QString>> visits;
    for (int i = 0; i < runs && total > 0; ++i) {
        // About one patient in ten holds a case number.
        const qint64 offset = ((total / runs) * i + (i * 7919) % std::max<qint64>(1, total / runs)) / 10;
        const auto rs = conn.Query(
            QStringLiteral("SELECT v.IdNum, v.HospNum FROM PATIENT_DATA.tbPatient2 v JOIN "
                           "PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
                           "WHERE m.ZEPNum <> '' ORDER BY v.IdNum LIMIT 1 OFFSET ?"),
            {offset});
        if (!rs.Eof())
            visits.append({rs.Text(QStringLiteral("HospNum")), rs.Text(QStringLiteral("IdNum"))});
    }
    // A case holder's opening asks nothing; should one ask, the script answers instead of
    // a box waiting for a user.
    ui::Messages::startScript();
    QVector<double> open;
    for (const auto& [hosp, id] : visits) {
        QElapsedTimer t;
        t.start();
        auto* arr = new frmARR;
        arr->setConnection(&conn);
        arr->setHospNum(hosp);
        arr->setIDNUM(id);
        arr->Form_Load();
        arr->show();
        open << t.nsecsElapsed() / 1e6;
        delete arr;
        QCoreApplication::processEvents();
    }
    const int messages = int(ui::Messages::shown().size());
    ui::Messages::stopScript();
    const Stats o = stats(open);
    out() << "\nOpening the referral report (" << open.size() << " case holders' admissions): median "
          << QString::number(o.median, 'f', 2) << " ms, 95th percentile "
          << QString::number(o.p95, 'f', 2) << " ms; messages shown: " << messages << "\n";
    out().flush();
}

void benchDatabase(const QString& url, int runs) {
    db::ConnectionSettings s = db::ConnectionSettings::fromUrl(url);
    auto conn = db::Connection::open(s);
    Raw raw(s, *conn);
    frmListPatient list;
    list.setConnections(conn.get(), conn.get());
    list.resize(1200, 800);
    list.show();
    auto patients = conn->Query(QStringLiteral("SELECT COUNT(*) AS n FROM PATIENT_DATA.tbMaster"));
    if (arrOnly) {
        out() << "\n### " << conn->dialect().name() << ", "
              << patients.Value(QStringLiteral("n")).toLongLong() << " patients\n";
        benchReferral(*conn, runs);
        return;
    }
    // The workstation as a worker has it after the first big search of the day.
    list.findChild<QRadioButton*>(QStringLiteral("optPatientType_2"))->click();
    list.search({}, QStringLiteral("SAN"), {}, {}, {});
    QCoreApplication::processEvents();
    const QString firstMemory = resident();
    const int firstRows = list.rowCount();
    out() << "\n### " << conn->dialect().name() << ", "
          << patients.Value(QStringLiteral("n")).toLongLong() << " patients (" << runs
          << " runs a case)\n\n"
          << "| mode | criterion | rows (median) | call+list median ms | call+list p95 ms | "
             "call median ms | call p95 ms | raw median ms | raw p95 ms | call/raw (median) |\n"
          << "|---|---|---|---|---|---|---|---|---|---|\n";
    for (const Mode& m : kModes) {
        if (intakeOnly)
            break;
        const QVector<Sample> sample = samples(*conn, m, runs);
        if (sample.isEmpty())
            continue;
        struct Criterion {
            const char* name;
            std::function<QStringList(const Sample&)> values;
        };
        const QVector<Criterion> criteria{
            {"hospital number", [](const Sample& x) { return QStringList{x.hosp, {}, {}, {}, {}}; }},
            {"admission number", [](const Sample& x) { return QStringList{{}, {}, x.id, {}, {}}; }},
            {"last name, 1 letter", [](const Sample& x) { return QStringList{{}, x.last.left(1), {}, {}, {}}; }},
            {"last name, 3 letters", [](const Sample& x) { return QStringList{{}, x.last.left(3), {}, {}, {}}; }},
            {"last name, 6 letters", [](const Sample& x) { return QStringList{{}, x.last.left(6), {}, {}, {}}; }},
            {"full name", [](const Sample& x) { return QStringList{{}, x.last, {}, x.first, {}}; }},
        };
        if (m.option >= 0)
            list.findChild<QRadioButton*>(QStringLiteral("optPatientType_%1").arg(m.option))->click();
        for (const auto& cr : criteria) {
            QVector<double> call, full, bare, rows;
            for (const Sample& x : sample) {
                const QStringList v = cr.values(x);
                const QVariantList vv{v.at(0), v.at(1), v.at(2), v.at(3), v.at(4)};
                // First the search as the user meets it, on a cache that has not seen these
                // values; then the very statement on the bare engine and the call again,
                // both on the cache the first left, so that the two compare like for like.
                conn->log().clear();
                QElapsedTimer t;
                t.start();
                if (m.option >= 0)
                    list.search(v.at(0), v.at(1), v.at(2), v.at(3), v.at(4));
                else
                    conn->Call(QString::fromLatin1(m.proc), vv);
                full << t.nsecsElapsed() / 1e6;
                // The statements the call ran (a full-name search runs two), each with its values.
                QList<QPair<QString, QStringList>> sent;
                for (const auto& e : conn->log().entries())
                    if (e.kind == db::LoggedCommand::Statement)
                        sent.append({e.text, e.values});
                t.restart();
                for (const auto& [sql, bound] : sent)
                    raw.run(sql, bound);
                bare << t.nsecsElapsed() / 1e6;
                t.restart();
                auto rs = conn->Call(QString::fromLatin1(m.proc), vv);
                call << t.nsecsElapsed() / 1e6;
                rows << rs.RecordCount();
                QCoreApplication::processEvents(); // paint outside the measure
                conn->log().clear();
            }
            const Stats a = stats(call), b = stats(full), r = stats(bare), n = stats(rows);
            out() << "| " << m.name << " | " << cr.name << " | " << n.median << " | "
                  << QString::number(b.median, 'f', 2) << " | " << QString::number(b.p95, 'f', 2) << " | "
                  << QString::number(a.median, 'f', 2) << " | " << QString::number(a.p95, 'f', 2) << " | "
                  << QString::number(r.median, 'f', 2) << " | " << QString::number(r.p95, 'f', 2) << " | "
                  << QString::number(r.median > 0 ? a.median / r.median : 0, 'f', 2) << " |\n";
            out().flush();
        }
    }
    // Opening the intake sheet for in-patients spread over the admissions: from creating the
    // screen to its filled first showing (the whole opening sequence and its calls).
    {
        db::Connection* global = conn.get();
        patient::clsPatientSearch::instance().bindGlobalConnection(global);
        patient::clsPatientSearch::instance().InitConnection(conn->ConnectionString());
        QVector<double> open;
        for (const Sample& x : samples(*conn, kModes[0], runs)) {
            QElapsedTimer t;
            t.start();
            auto* sheet = new frmIntakeSurveySheet;
            sheet->setConnection(conn.get());
            sheet->setPatientService(&patient::clsPatientSearch::instance());
            sheet->setHospNum(x.hosp);
            sheet->setIDNUM(x.id);
            sheet->setPatientType(QStringLiteral("0"));
            sheet->show();
            open << t.nsecsElapsed() / 1e6;
            delete sheet;
            QCoreApplication::processEvents();
        }
        const Stats o = stats(open);
        out() << "\nOpening the intake sheet (" << open.size() << " in-patients): median "
              << QString::number(o.median, 'f', 2) << " ms, 95th percentile "
              << QString::number(o.p95, 'f', 2) << " ms\n";
        patient::clsPatientSearch::instance().Release();
    }
    // What the process holds with the biggest list shown.
    list.findChild<QRadioButton*>(QStringLiteral("optPatientType_2"))->click();
    list.search({}, QStringLiteral("S"), {}, {}, {});
    QCoreApplication::processEvents();
    out() << "\nResident memory with " << firstRows
          << " rows listed, after the first search: " << firstMemory;
    out() << "\nResident memory with " << list.rowCount()
          << " rows listed, after every search above: " << resident() << "\n";
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 50;
    bool runsGiven = false;
    if (const int i = args.indexOf(QStringLiteral("--runs")); i >= 0 && i + 1 < args.size()) {
        runs = args.at(i + 1).toInt();
        runsGiven = true;
        args.remove(i, 2);
    }
    if (const int i = args.indexOf(QStringLiteral("--arr")); i >= 0) {
        arrOnly = true;
        args.removeAt(i);
    }
    if (const int i = args.indexOf(QStringLiteral("--intake")); i >= 0) {
        intakeOnly = true;
        args.removeAt(i);
    }
    int reportRows = 0; // --report [ROWS]: a long report to PDF instead of the searches
    if (const int i = args.indexOf(QStringLiteral("--report")); i >= 0) {
        reportRows = 5000;
        bool number = false;
        const int n = args.value(i + 1).toInt(&number);
        if (number && n > 0)
            reportRows = n;
        args.remove(i, number ? 2 : 1);
        if (!runsGiven)
            runs = 7; // each run takes seconds
    }
    bool arrSave = false; // --arrsave: the referral report's save
    if (const int i = args.indexOf(QStringLiteral("--arrsave")); i >= 0) {
        arrSave = true;
        args.removeAt(i);
    }
    int discountLines = 0; // --discount [LINES]: one visit's discount computation
    if (const int i = args.indexOf(QStringLiteral("--discount")); i >= 0) {
        discountLines = 2000;
        bool number = false;
        const int n = args.value(i + 1).toInt(&number);
        if (number && n > 0)
            discountLines = n;
        args.remove(i, number ? 2 : 1);
    }
    // --load N [--minutes M | --seconds S]: N workstations on one server at once.
    int loadWorkstations = 0;
    tools::LoadOptions load;
    for (const char* flag : {"--load", "--minutes", "--seconds", "--think"})
        if (const int i = args.indexOf(QLatin1String(flag)); i >= 0 && i + 1 < args.size()) {
            const int v = args.at(i + 1).toInt();
            if (qstrcmp(flag, "--load") == 0)
                loadWorkstations = v;
            else if (qstrcmp(flag, "--think") == 0)
                load.thinkMs = std::max(0, v);
            else
                load.seconds = qstrcmp(flag, "--minutes") == 0 ? v * 60 : v;
            args.remove(i, 2);
        }
    if (args.isEmpty()) {
        QTextStream(stderr) << "usage: zep-bench DATABASE [DATABASE ...] [--runs N] [--intake] "
                               "[--arr] [--arrsave] [--report [ROWS]] [--discount [LINES]]\n"
                               "       zep-bench --load N [--minutes M | --seconds S] [--think MS] POSTGRESQL-URL\n";
        return 2;
    }
    server::registerProcedures();
    if (loadWorkstations > 0) {
        load.workstations = loadWorkstations;
        int rc = 0;
        for (const QString& url : args)
            rc = std::max(rc, tools::benchLoad(url, load, out()));
        return rc;
    }
    try {
        if (arrSave) {
            for (const QString& url : args) {
                const db::ConnectionSettings s = db::ConnectionSettings::fromUrl(url);
                auto conn = db::Connection::open(s);
                Raw raw(s, *conn);
                const auto replay = [&raw](const QList<QPair<QString, QStringList>>& sent) {
                    QElapsedTimer t;
                    t.start();
                    for (const auto& [sql, values] : sent)
                        raw.run(sql, values, true);
                    return t.nsecsElapsed() / 1e6;
                };
                if (const int rc = tools::benchReferralSave(url, runs, out(), replay); rc != 0)
                    return rc;
            }
            return 0;
        }
        if (discountLines > 0) {
            for (const QString& url : args)
                if (const int rc = tools::benchDiscount(url, discountLines, runs, out()); rc != 0)
                    return rc;
            return 0;
        }
        if (reportRows > 0) {
            for (const QString& url : args)
                if (const int rc = tools::benchReport(url, reportRows, runs, out()); rc != 0)
                    return rc;
            return 0;
        }
        for (const QString& url : args)
            benchDatabase(url, runs);
    } catch (const db::Error& e) {
        QTextStream(stderr) << "zep-bench: " << e.Description() << "\n";
        return 1;
    } catch (const reports::ReportError& e) {
        QTextStream(stderr) << "zep-bench: " << e.message() << "\n";
        return 1;
    }
    return 0;
}
