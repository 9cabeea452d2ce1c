#include "bench_report.h"

#include "db/connection.h"
#include "reports/document.h"
#include "reports/engine.h"
#include "reports/report.h"
#include "server/server.h"

#include <QCoreApplication>
#include <QDir>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <climits>
#include <ctime>

namespace tools {

namespace {

// A statement of admissions like the department's census reports: the standard header, a
// bordered detail table of seven columns with a header row that repeats on every page, and a
// totals line. Charges and discounts are the admission's billing lines, summed.
const QString kTemplate = QStringLiteral(R"([report]
title = Census of Admissions with Charges
page = Letter portrait
margin = 12.7
font-size = 9
main = admissions

[parameter Rows]
type = number
label = Admissions listed

[query admissions]
bind: Rows
format: AdmDate = date, Charges = money, Discount = money
SELECT m.HospNum, m.LastName || ', ' || m.FirstName AS PatientName, p.AdmDate,
       p.RoomID AS Code,
       COALESCE((SELECT SUM(b.Amount) FROM BILLING.tbBillDailyBill b
                  WHERE b.IdNum = p.IdNum), 0) AS Charges,
       COALESCE((SELECT SUM(d.Discount) FROM BILLING.tbBillComputedDiscount d
                  WHERE d.IdNum = p.IdNum), 0) AS Discount
  FROM PATIENT_DATA.tbPatient2 p
  JOIN PATIENT_DATA.tbMaster m ON m.HospNum = p.HospNum
 ORDER BY p.AdmDate DESC, p.IdNum
 LIMIT ?

[query totals]
bind: Rows
format: Charges = money, Discount = money
SELECT COUNT(*) AS Admissions, SUM(Charges) AS Charges, SUM(Discount) AS Discount FROM (
SELECT COALESCE((SELECT SUM(b.Amount) FROM BILLING.tbBillDailyBill b
                  WHERE b.IdNum = p.IdNum), 0) AS Charges,
       COALESCE((SELECT SUM(d.Discount) FROM BILLING.tbBillComputedDiscount d
                  WHERE d.IdNum = p.IdNum), 0) AS Discount
  FROM PATIENT_DATA.tbPatient2 p
 ORDER BY p.AdmDate DESC, p.IdNum
 LIMIT ?) t

[style]
td.name { width: 34%; }

[body]
<table class="grid" border="1" cellspacing="0" cellpadding="2" width="100%">
<thead><tr><th>#</th><th>Hosp. No.</th><th>Patient</th><th>Admitted</th><th>Room</th><th class="num">Charges</th><th class="num">Discount</th></tr></thead>
{{#admissions}}<tr><td>{{_row}}</td><td>{{HospNum}}</td><td class="name">{{PatientName}}</td><td>{{AdmDate}}</td><td>{{Code}}</td><td class="num">{{Charges}}</td><td class="num">{{Discount}}</td></tr>
{{/admissions}}
</table>
{{^admissions}}<p>No admissions.</p>{{/admissions}}
{{#totals}}<p class="total">{{Admissions}} admission(s), charges {{Charges}}, discounts {{Discount}}</p>{{/totals}}
)");

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

// CPU time of the whole process: beside the elapsed time it shows how much of a stage was
// spent waiting for the processor on a busy machine.
double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Runs the report `runs` times, its tables from `longTableRows` body rows on laid out in
// pieces, and prints a table of the stages headed `heading`. False when the PDF failed.
bool measure(db::Connection& conn, const reports::Report& report, int runs, int longTableRows,
             const QString& heading, QTextStream& out) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("census.pdf"));
    enum Stage { Query, Html, Layout, Pdf, Total, Text, Stages };
    QVector<double> wall[Stages], cpu[Stages];
    int pages = 0, listed = 0;
    qint64 bytes = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer all, t;
        double allCpu = cpuMs(), c = allCpu;
        all.start();
        t.start();
        const auto stage = [&](Stage s) {
            wall[s] << msSince(t);
            const double now = cpuMs();
            cpu[s] << now - c;
            c = now;
            t.restart();
        };
        const auto input = reports::collect(report, conn);
        stage(Query);
        const QString body = reports::renderHtml(*input);
        stage(Html);
        const auto rendered = reports::RenderedReport::layOut(input, body, nullptr, longTableRows);
        stage(Layout);
        QString error;
        if (!rendered->writePdf(pdf, &error)) {
            out << "zep-bench: " << error << "\n";
            return false;
        }
        stage(Pdf);
        wall[Total] << msSince(all);
        cpu[Total] << cpuMs() - allCpu;
        // The text of every page, as the reference checks read it; not part of the total.
        t.restart();
        c = cpuMs();
        const QString text = rendered->plainText();
        stage(Text);
        pages = rendered->pageCount();
        listed = int(input->mainResult()->rows.size());
        bytes = QFileInfo(pdf).size();
        Q_UNUSED(text);
    }

    out << "\n### " << heading << ", " << conn.dialect().name() << ": " << listed << " rows, "
        << pages << " pages, PDF " << bytes / 1024 << " KiB (" << runs << " runs)\n\n"
        << "| stage | median ms | p95 ms | CPU median ms |\n|---|---|---|---|\n";
    const auto row = [&](const char* name, Stage s) {
        const Stats w = stats(wall[s]), c = stats(cpu[s]);
        out << "| " << name << " | " << QString::number(w.median, 'f', 1) << " | "
            << QString::number(w.p95, 'f', 1) << " | " << QString::number(c.median, 'f', 1)
            << " |\n";
    };
    row("query", Query);
    row("HTML (mustache)", Html);
    row("layout (pages)", Layout);
    row("PDF write", Pdf);
    row("total, query to PDF", Total);
    row("page text, all pages (not in the total)", Text);
    out.flush();
    return true;
}

// The admission census as the department prints it (the shipped template), on a database of
// its own where 5,000 admissions are in the hospital at the end of one day: the census
// lists them all, beside the day's movement and the counts per class.
bool measureCensus(int admissions, int runs, QTextStream& out) {
    QString folder;
    // The source tree's templates first: the REPORTS copy beside the program is only as new
    // as the program's last build.
    for (const QString& candidate :
         {QStringLiteral(ZEP_SOURCE_REPORTS),
          QCoreApplication::applicationDirPath() + QStringLiteral("/REPORTS"),
          QCoreApplication::applicationDirPath() + QStringLiteral("/../app/REPORTS")})
        if (QFileInfo::exists(candidate + QStringLiteral("/Daily_Report_Admission.rpt"))) {
            folder = candidate;
            break;
        }
    if (folder.isEmpty()) {
        out << "zep-bench: Daily_Report_Admission.rpt not found\n";
        return false;
    }
    QTemporaryDir dir;
    db::ConnectionSettings settings;
    settings.backend = db::Backend::SQLite;
    settings.folder = dir.path();
    settings.create = true;
    auto conn = db::Connection::open(settings);
    server::migrate(*conn);
    static const char* const classes[] = {"A", "B", "C1", "C2", "D", ""};
    {
        db::Transaction t(*conn);
        conn->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1) "
                                     "VALUES ('ZEP BENCHMARK HOSPITAL', '1 Benchmark Street')"));
        conn->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station) VALUES "
                                     "('W1', 'WARD1'), ('W2', 'WARD2'), ('P1', 'NS3')"));
        static const char* const rooms[] = {"W1", "W2", "P1"};
        for (int i = 0; i < admissions; ++i) {
            const QString hosp = QStringLiteral("B%1").arg(i, 7, 10, QLatin1Char('0'));
            conn->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, "
                                         "FirstName, ZEPClassification) VALUES (?, ?, ?, ?)"),
                          {hosp, QStringLiteral("PATIENT%1").arg(i), QStringLiteral("BENCH"),
                           QString::fromLatin1(classes[i % 6])});
            // Admitted over the four days up to the day itself, none discharged yet.
            const QString adm = QStringLiteral("2026-03-%1 %2:%3:00")
                                    .arg(1 + i % 4, 2, 10, QLatin1Char('0'))
                                    .arg(i % 24, 2, 10, QLatin1Char('0'))
                                    .arg(i % 60, 2, 10, QLatin1Char('0'));
            conn->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, "
                                         "AdmDate, RoomID, PatientClass) VALUES (?, ?, ?, ?, ?)"),
                          {QString::number(800000 + i), hosp, adm,
                           QString::fromLatin1(rooms[i % 3]),
                           i % 3 == 0 ? QStringLiteral("P") : QStringLiteral("S")});
        }
        t.commit();
    }
    auto report = reports::Report::open(folder, QStringLiteral("Daily_Report_Admission.rpt"));
    report->setHospitalName(QStringLiteral("ZEP BENCHMARK HOSPITAL"));
    report->SetParameterValues({QStringLiteral("03/04/2026"), QStringLiteral("E100")});
    return measure(*conn, *report, runs, reports::RenderedReport::kLongTableRows,
                   QStringLiteral("Admission census (%1), %2 admissions in the hospital")
                       .arg(QDir(folder).filePath(QStringLiteral("Daily_Report_Admission.rpt")))
                       .arg(admissions),
                   out);
}

} // namespace

int benchReport(const QString& url, int rows, int runs, QTextStream& out) {
    auto conn = db::Connection::open(db::ConnectionSettings::fromUrl(url));
    auto report = reports::Report::fromText(kTemplate, QStringLiteral("BenchCensus.rpt"));
    report->setHospitalName(QStringLiteral("ZEP BENCHMARK HOSPITAL"));
    report->SetParameterValues({rows});
    if (!measure(*conn, *report, runs, reports::RenderedReport::kLongTableRows,
                 QStringLiteral("Report to PDF"), out))
        return 1;
    // The same with every table laid out whole, as one document, for comparison.
    if (!measure(*conn, *report, std::max(3, runs / 2), INT_MAX,
                 QStringLiteral("For comparison: tables laid out whole"), out))
        return 1;
    if (!measureCensus(rows, runs, out))
        return 1;
    return 0;
}

Stats stats(QVector<double> v) {
    if (v.isEmpty())
        return {};
    std::sort(v.begin(), v.end());
    const auto at = [&](double q) {
        return v.at(std::min<int>(int(v.size()) - 1, int(q * (v.size() - 1) + 0.5)));
    };
    return {at(0.5), at(0.95)};
}

} // namespace tools
