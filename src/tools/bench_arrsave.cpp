// zep-bench --arrsave: the referral report's save as the screen sends it, on case holders'
// admissions that already have a report (the daily renewal): the case-number check, the
// assessment with its services, the transaction log, the removal of the pending charge and
// the documentation with its activities, in one transaction. Beside it, the very statements
// the save sent, with the same values, replayed on the bare engine.
#include "bench_arrsave.h"
#include "bench_report.h"

#include "db/connection.h"
#include "referral/arrsave.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace tools {

namespace {

struct Visit {
    QString hosp, id, caseNo, code;
};

// Case holders' admissions with a saved report, spread over the file.
QVector<Visit> sampleVisits(db::Connection& c, int runs) {
    const qint64 total = c.Query(QStringLiteral("SELECT COUNT(*) AS n FROM ZEP.tbZEPAssessment"))
                             .Value(QStringLiteral("n"))
                             .toLongLong();
    QVector<Visit> out;
    for (int i = 0; i < runs && total > 0; ++i) {
        const qint64 offset = (total / runs) * i + (i * 7919) % std::max<qint64>(1, total / runs);
        const db::Recordset rs = c.Query(
            QStringLiteral("SELECT a.IdNum, a.HospNum, m.ZEPNum, "
                           "COALESCE(m.ZEPClassification, '') AS Code "
                           "FROM ZEP.tbZEPAssessment a JOIN PATIENT_DATA.tbMaster m "
                           "ON m.HospNum = a.HospNum WHERE m.ZEPNum <> '' "
                           "ORDER BY a.IdNum LIMIT 1 OFFSET ?"),
            {offset});
        if (!rs.Eof())
            out.append({rs.Text(QStringLiteral("HospNum")), rs.Text(QStringLiteral("IdNum")),
                        rs.Text(QStringLiteral("ZEPNum")), rs.Text(QStringLiteral("Code"))});
    }
    return out;
}

referral::ArrSave reportOf(const Visit& v, int run) {
    referral::ArrSave s;
    s.hospNum = s.shownHospNum = v.hosp;
    s.idNum = s.shownIdNum = v.id;
    s.caseNumber = v.caseNo;
    s.classCode = v.code;
    s.categoryName = QStringLiteral("Medical");
    s.remarks = QStringLiteral("Bench renewal %1").arg(run);
    s.intakeDate = QStringLiteral("12/01/2026");
    s.expiryDate = QStringLiteral("12/31/2027");
    s.workerCode = QStringLiteral("B100");
    s.userCode = QStringLiteral("B100");
    s.sponsor = true;
    s.counterpart = QStringLiteral("250");
    s.active = true;
    s.serviceCodes = QStringLiteral("1.1|1.2|1.3|");
    s.documentationFlags = QStringLiteral("1|0|0|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|");
    s.activityCodes = QStringLiteral("1.1|1.2|");
    return s;
}

} // namespace

int benchReferralSave(const QString& url, int runs, QTextStream& out, const RawReplay& raw) {
    db::ConnectionSettings s = db::ConnectionSettings::fromUrl(url);
    s.create = false;
    auto c = db::Connection::open(s);
    const qint64 patients = c->Query(QStringLiteral("SELECT COUNT(*) AS n FROM PATIENT_DATA.tbMaster"))
                                .Value(QStringLiteral("n"))
                                .toLongLong();
    const QVector<Visit> visits = sampleVisits(*c, runs + 1);
    if (visits.size() < 2) {
        out << "zep-bench --arrsave: no saved referral reports to renew (see docs/performance.md)\n";
        return 1;
    }
    QVector<double> save, bare;
    int statements = 0;
    for (int i = 0; i < visits.size(); ++i) {
        c->log().clear();
        QElapsedTimer t;
        t.start();
        const referral::SaveOutcome o = referral::send(*c, reportOf(visits.at(i), i));
        const double ms = t.nsecsElapsed() / 1e6;
        if (!o.saved) {
            out << "zep-bench --arrsave: " << visits.at(i).caseNo << " is owned by " << o.owner << "\n";
            return 1;
        }
        // The statements the save sent, the transaction's begin and commit among them.
        QList<QPair<QString, QStringList>> sent;
        for (const auto& e : c->log().entries())
            if (e.kind == db::LoggedCommand::Statement)
                sent.append({e.text, e.values});
        const double rawMs = raw(sent);
        if (i == 0)
            continue; // the first run warms the caches
        statements = int(sent.size());
        save << ms;
        bare << rawMs;
    }
    const Stats a = stats(save), r = stats(bare);
    out << "\n### Referral report save, " << c->dialect().name() << ", " << patients
        << " patients (" << save.size() << " renewals, " << statements
        << " statements each)\n\n| | median ms | p95 ms |\n|---|---|---|\n"
        << "| save (check, 4 statements, commit) | " << QString::number(a.median, 'f', 2) << " | "
        << QString::number(a.p95, 'f', 2) << " |\n"
        << "| raw engine, the same statements | " << QString::number(r.median, 'f', 2) << " | "
        << QString::number(r.p95, 'f', 2) << " |\n"
        << "| save / raw (median) | " << QString::number(r.median > 0 ? a.median / r.median : 0, 'f', 2)
        << " | |\n";
    out.flush();
    return 0;
}

} // namespace tools
