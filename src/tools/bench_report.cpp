#include "bench_report.h"

#include "db/connection.h"
#include "reports/document.h"
#include "reports/engine.h"
#include "reports/report.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

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

struct Stats {
    double median = 0, p95 = 0;
};

Stats stats(QVector<double> v) {
    if (v.isEmpty())
        return {};
    std::sort(v.begin(), v.end());
    const auto at = [&](double q) {
        return v.at(std::min<int>(int(v.size()) - 1, int(q * (v.size() - 1) + 0.5)));
    };
    return {at(0.5), at(0.95)};
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int benchReport(const QString& url, int rows, int runs, QTextStream& out) {
    auto conn = db::Connection::open(db::ConnectionSettings::fromUrl(url));
    auto report = reports::Report::fromText(kTemplate, QStringLiteral("BenchCensus.rpt"));
    report->setHospitalName(QStringLiteral("ZEP BENCHMARK HOSPITAL"));
    report->SetParameterValues({rows});

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("census.pdf"));
    QVector<double> query, html, layout, write, total, text;
    int pages = 0, listed = 0;
    qint64 bytes = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer all, t;
        all.start();
        t.start();
        const auto input = reports::collect(*report, *conn);
        query << msSince(t);
        t.restart();
        const QString body = reports::renderHtml(*input);
        html << msSince(t);
        t.restart();
        const auto rendered = reports::RenderedReport::layOut(input, body);
        layout << msSince(t);
        t.restart();
        QString error;
        if (!rendered->writePdf(pdf, &error)) {
            out << "zep-bench: " << error << "\n";
            return 1;
        }
        write << msSince(t);
        total << msSince(all);
        // The text of every page, as the reference checks read it; not part of the total.
        t.restart();
        const QString all_text = rendered->plainText();
        text << msSince(t);
        pages = rendered->pageCount();
        listed = int(input->mainResult()->rows.size());
        bytes = QFileInfo(pdf).size();
        Q_UNUSED(all_text);
    }

    out << "\n### Report to PDF, " << conn->dialect().name() << ": " << listed << " rows, "
        << pages << " pages, PDF " << bytes / 1024 << " KiB (" << runs << " runs)\n\n"
        << "| stage | median ms | p95 ms |\n|---|---|---|\n";
    const auto row = [&](const char* name, const QVector<double>& v) {
        const Stats s = stats(v);
        out << "| " << name << " | " << QString::number(s.median, 'f', 1) << " | "
            << QString::number(s.p95, 'f', 1) << " |\n";
    };
    row("query", query);
    row("HTML (mustache)", html);
    row("layout (pages)", layout);
    row("PDF write", write);
    row("total, query to PDF", total);
    row("page text, all pages (not in the total)", text);
    out.flush();
    return 0;
}

} // namespace tools
