// zep-bench --load: N workstations on one PostgreSQL server, each a thread with a connection
// of its own running the procedures the screens run. Each workstation owns a few bench
// patients and saves their intake sheets and referral reports again and again, each save
// with a token of its own that is read back at once and once more at the end (a save that
// is not there, or someone else's, is a lost update). Between these it searches patients
// and clears discharge notices. Every second and a half the conductor sets up a round: up
// to four workstations give one new case number to four different patients at the same
// moment, and two clear one notice at the same moment; each round must have exactly one
// winner, the others the refusal the screens show ("The case number ... is already owned
// by", "The CaseNumber already exists", a notice cleared before). Any other failure counts
// as an error.
#include "bench_load.h"
#include "bench_report.h"

#include "db/connection.h"
#include "intake/intakesave.h"
#include "referral/arrsave.h"
#include "server/server.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <random>
#include <thread>

namespace tools {
namespace {

using Clock = std::chrono::steady_clock;

const char* const kLastNames[] = {"SANTOS", "REYES", "CRUZ", "BAUTISTA", "GARCIA", "DELA CRUZ",
                                  "MENDOZA", "TORRES", "RAMOS", "FLORES", "VILLANUEVA", "AQUINO"};
const char* const kFirstNames[] = {"JUAN", "MARIA", "JOSE", "ANA", "PEDRO", "ROSA", "LITO", "LEA"};

// The codes the saves send: the first of each catalogue, or one the bench adds (and
// removes again) when the catalogue is empty.
struct Catalogue {
    QString classCode, categoryId, categoryName, partyCode, statusCode, worker;
    QStringList added; // DELETE statements for what the bench added
};

struct Patient {
    QString hosp, id, caseNo, last, first;
    QString intakeToken, referralToken; // the last saved, read back at the end
    int transactions = 0;
};

// One round of a race: who took part, and how each came out.
struct Round {
    bool caseNumber = true; // false: one discharge notice cleared at once
    QString key;            // the case number, or the notice's admission
    int participants = 0;
    int won = 0, refused = 0, failed = 0;
    QString winner; // hospital number (case number) or user (clearance)
};

struct Task {
    int round = 0;
    QString hosp, id; // the patient given the case number (case-number rounds)
    bool intake = false;
    Clock::time_point at;
};

struct Timings {
    QVector<double> search, intake, referral, clearance;
};

struct Shared {
    db::ConnectionSettings settings;
    QString tag;
    Catalogue cat;
    Clock::time_point end;
    int thinkMs = 0;
    std::mutex lock;
    std::deque<Round> rounds;
    QVector<std::vector<Task>> mail; // per workstation
    QStringList faults;              // the first unexpected failures, for the report
    std::atomic<long> errors{0}, lostUpdates{0}, readBacks{0}, actions{0};

    void fault(int w, const QString& what) {
        ++errors;
        std::lock_guard g(lock);
        if (faults.size() < 20)
            faults << QStringLiteral("workstation %1: %2").arg(w).arg(what);
    }
    void lost(int w, const QString& what) {
        ++lostUpdates;
        std::lock_guard g(lock);
        if (faults.size() < 20)
            faults << QStringLiteral("workstation %1, lost update: %2").arg(w).arg(what);
    }
};

QString dateText(const QDate& d) {
    return d.toString(QStringLiteral("MM/dd/yyyy"));
}

QString first(db::Connection& c, const QString& sql, const QVariantList& v = {}) {
    const db::Recordset rs = c.Query(sql, v);
    return rs.Eof() ? QString() : rs.Text(rs.FieldNames().value(0));
}

// A catalogue's first code, or `fallback` added under `name` when it has none.
QString codeOrAdd(db::Connection& c, Catalogue& cat, const QString& table, const QString& key,
                  const QString& fallback, const QString& insert, const QVariantList& values) {
    const QString code = first(c, QStringLiteral("SELECT %1 FROM %2 ORDER BY %1 LIMIT 1").arg(key, table));
    if (!code.isEmpty())
        return code.trimmed();
    c.Execute(insert, values);
    cat.added << QStringLiteral("DELETE FROM %1 WHERE %2 = '%3'").arg(table, key, fallback);
    return fallback;
}

Catalogue catalogue(db::Connection& c, const QString& tag) {
    Catalogue cat;
    cat.classCode = codeOrAdd(c, cat, QStringLiteral("ZEP.tbZEPClassification"), QStringLiteral("Code"),
                              QStringLiteral("LDC"),
                              QStringLiteral("INSERT INTO ZEP.tbZEPClassification (Type, Code, "
                                             "Classification) VALUES ('LDT', 'LDC', 'Bench class')"),
                              {});
    cat.categoryId = codeOrAdd(c, cat, QStringLiteral("ZEP.tbZEPCaseCategory"), QStringLiteral("CategoryID"),
                               QStringLiteral("L1"),
                               QStringLiteral("INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, "
                                              "Category) VALUES ('L1', 'Bench category')"),
                               {});
    cat.categoryName = first(c, QStringLiteral("SELECT Category FROM ZEP.tbZEPCaseCategory WHERE CategoryID = ?"),
                             {cat.categoryId});
    cat.partyCode = codeOrAdd(c, cat, QStringLiteral("ZEP.tbZEPReferringParty"), QStringLiteral("Code"),
                              QStringLiteral("L1"),
                              QStringLiteral("INSERT INTO ZEP.tbZEPReferringParty (Code, "
                                             "ReferringParty) VALUES ('L1', 'Bench party')"),
                              {});
    cat.statusCode = codeOrAdd(c, cat, QStringLiteral("ZEP.tbZEPActive"), QStringLiteral("Code"),
                               QStringLiteral("LN"),
                               QStringLiteral("INSERT INTO ZEP.tbZEPActive (Code, CaseStatus) "
                                              "VALUES ('LN', 'Bench new')"),
                               {});
    cat.worker = QStringLiteral("L%1W").arg(tag);
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName) "
                             "VALUES (?, 'BENCH', 'WORKER')"),
              {cat.worker});
    cat.added << QStringLiteral("DELETE FROM ZEP.tbZEPEmployee WHERE EmployeeID = '%1'").arg(cat.worker);
    return cat;
}

// A bench patient with an admission, as registration would file them.
Patient addPatient(db::Connection& c, const QString& tag, int n, std::mt19937& rng) {
    Patient p;
    p.hosp = QStringLiteral("LD%1-%2").arg(tag).arg(n, 6, 10, QLatin1Char('0'));
    p.id = QStringLiteral("9%1%2").arg(tag).arg(n, 6, 10, QLatin1Char('0'));
    p.last = QString::fromLatin1(kLastNames[rng() % std::size(kLastNames)]);
    p.first = QString::fromLatin1(kFirstNames[rng() % std::size(kFirstNames)]);
    c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName) VALUES (?, ?, ?)"),
              {p.hosp, p.last, p.first});
    c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES (?, ?, ?)"),
              {p.id, p.hosp, QStringLiteral("2026-11-%1 08:00:00").arg(n % 28 + 1, 2, 10, QLatin1Char('0'))});
    return p;
}

// A ward's discharge notice on a new admission of the patient.
QString addNotice(db::Connection& c, const QString& tag, const QString& hosp, long seq) {
    const QString id = QStringLiteral("8%1%2").arg(tag).arg(seq, 7, 10, QLatin1Char('0'));
    db::Transaction t(c);
    c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES (?, ?, '2026-12-01 08:00:00')"),
              {id, hosp});
    c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, DischargeNurse) "
                             "VALUES (?, ?, '2026-12-08 10:00:00', 'BENCH NURSE')"),
              {id, hosp});
    t.commit();
    return id;
}

intake::IntakeSave intakeValues(const Shared& sh, const Patient& p, const QString& caseNo,
                                const QString& token) {
    const QString today = dateText(QDate::currentDate());
    const QString expiry = dateText(QDate::currentDate().addYears(1));
    intake::IntakeSave s;
    s.hospNum = p.hosp;
    s.sheet = {p.hosp, today, QStringLiteral("Bench class"), sh.cat.categoryName, QStringLiteral("12000"),
               QStringLiteral("College"), QStringLiteral("Ward 3"), p.last, p.first, QString(),
               QStringLiteral("12 Mabini St."), QStringLiteral("San Jose"), QStringLiteral("3000"),
               QStringLiteral("Bulacan"), QStringLiteral("Female"), QStringLiteral("07/04/1980"),
               QStringLiteral("Married"), QStringLiteral("Vendor"), QStringLiteral("46"),
               QStringLiteral("044-1234"), QString(), QStringLiteral("Hagonoy"), QString(), QString(),
               QString(), p.id, QStringLiteral("11/30/2026"), sh.cat.statusCode, today, expiry, caseNo, 0};
    s.other = {p.hosp, QStringLiteral("Dr. Cruz"), today, QString(), QString(), QString(), QString(),
               QString(), QString(), QString(), QString(), QString(), QStringLiteral("Pension"),
               QStringLiteral("Rent"), 1, 0, 0, 0, 0, QString(), token, token, QString(),
               QStringLiteral("Daughter"), QString(), QString(), QString()};
    s.patient = {p.hosp, p.id, caseNo, sh.cat.classCode, sh.cat.categoryName, sh.cat.categoryId, today,
                 expiry, QStringLiteral("SW. BENCH"), sh.cat.partyCode, sh.cat.statusCode, QStringLiteral("Y")};
    s.family = {{QStringLiteral("ANA"), QStringLiteral("Daughter"), QStringLiteral("20"), QStringLiteral("SINGLE"),
                 QStringLiteral("College"), QStringLiteral("Same"), QStringLiteral("Clerk"), QStringLiteral("8000")},
                {QStringLiteral("LITO"), QStringLiteral("Son"), QStringLiteral("17"), QStringLiteral("SINGLE"),
                 QStringLiteral("HS"), QStringLiteral("Same"), QStringLiteral("Student"), QStringLiteral("500")}};
    s.totalIncome = 8500;
    return s;
}

referral::ArrSave referralValues(const Shared& sh, const Patient& p, const QString& caseNo,
                                 const QString& token, const QString& user) {
    referral::ArrSave s;
    s.hospNum = s.shownHospNum = p.hosp;
    s.idNum = s.shownIdNum = p.id;
    s.caseNumber = caseNo;
    s.classCode = sh.cat.classCode;
    s.categoryName = sh.cat.categoryName;
    s.categoryId = sh.cat.categoryId;
    s.referringParty = sh.cat.partyCode;
    s.remarks = token;
    s.intakeDate = dateText(QDate::currentDate());
    s.expiryDate = dateText(QDate::currentDate().addYears(1));
    s.workerCode = sh.cat.worker;
    s.userCode = user;
    s.counterpart = QStringLiteral("1500.50");
    s.active = true;
    s.statusCode = sh.cat.statusCode;
    s.documentationFlags = QStringLiteral("1|0|0|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|");
    return s;
}

// The refusal the intake sheet's save gives for a case number another patient holds.
bool isCaseNumberRefusal(const db::Error& e) {
    return e.Source() == QLatin1String("ZEP") && e.Number() == 2627;
}

class Workstation {
public:
    Workstation(Shared& sh, int index, QVector<Patient> patients)
        : sh_(sh), w_(index), patients_(std::move(patients)), rng_(7919u * unsigned(index) + 17u),
          user_(QStringLiteral("L%1U%2").arg(sh.tag).arg(index)) {}

    void run() {
        try {
            c_ = db::Connection::open(sh_.settings);
        } catch (const db::Error& e) {
            sh_.fault(w_, QStringLiteral("could not connect: ") + e.Description());
            return;
        }
        c_->log().setEnabled(false);
        while (Clock::now() < sh_.end) {
            serveMail();
            think();
            const unsigned r = rng_() % 100;
            try {
                if (r < 50)
                    search();
                else if (r < 70)
                    saveIntake(patients_[rng_() % patients_.size()]);
                else if (r < 90)
                    saveReferral(patients_[rng_() % patients_.size()]);
                else
                    clearOwnNotice();
            } catch (const db::Error& e) {
                sh_.fault(w_, e.Description());
            }
            ++sh_.actions;
        }
        // A round handed out just before the end is still run, so that every round counts.
        serveMail();
    }

    // The final read-back: every own patient holds what this workstation saved last.
    void verify(db::Connection& c) {
        for (const Patient& p : std::as_const(patients_)) {
            if (!p.intakeToken.isEmpty() &&
                first(c, QStringLiteral("SELECT HelpingGoals FROM ZEP.tbZEPIntakeSheet WHERE HospNum = ?"), {p.hosp}) !=
                    p.intakeToken)
                sh_.lost(w_, QStringLiteral("intake sheet of %1 at the end").arg(p.hosp));
            if (!p.referralToken.isEmpty() &&
                first(c, QStringLiteral("SELECT Remarks FROM ZEP.tbZEPAssessment WHERE IdNum = ?"), {p.id}) !=
                    p.referralToken)
                sh_.lost(w_, QStringLiteral("referral report of %1 at the end").arg(p.hosp));
            if (first(c, QStringLiteral("SELECT COUNT(*) FROM ZEP.tbZEPTransaction WHERE IdNum = ?"), {p.id}).toInt() !=
                p.transactions)
                sh_.lost(w_, QStringLiteral("transaction log of %1 at the end").arg(p.hosp));
            ++sh_.readBacks;
        }
    }

    Timings timings;

private:
    double since(const QElapsedTimer& t) const { return t.nsecsElapsed() / 1e6; }

    // The worker reads the screen and types before the next action; a race handed out
    // meanwhile is run at its moment all the same.
    void think() {
        if (sh_.thinkMs <= 0)
            return;
        const int ms = sh_.thinkMs / 2 + int(rng_() % unsigned(sh_.thinkMs + 1));
        const Clock::time_point until = std::min(sh_.end, Clock::now() + std::chrono::milliseconds(ms));
        while (Clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            serveMail();
        }
    }

    void search() {
        const Patient& p = patients_[rng_() % patients_.size()];
        const unsigned kind = rng_() % 3;
        QVariantList v{QString(), QString(), QString(), QString(), QString()};
        if (kind == 0)
            v[0] = p.hosp;
        else if (kind == 1)
            v[2] = p.id;
        else
            v[1] = QString::fromLatin1(kLastNames[rng_() % std::size(kLastNames)]).left(3);
        QElapsedTimer t;
        t.start();
        db::Recordset rs = c_->Call(QStringLiteral("ZEP..sp_ZEP_LoadInPatient"), v);
        timings.search << since(t);
        if (kind == 2)
            return;
        // A search by an own patient's number must find him.
        bool found = false;
        for (; !rs.Eof() && !found; rs.MoveNext())
            found = rs.Text(QStringLiteral("HospNum")).trimmed() == p.hosp;
        if (!found)
            sh_.fault(w_, QStringLiteral("the search by %1 did not find patient %2")
                              .arg(kind == 0 ? QStringLiteral("hospital number") : QStringLiteral("admission number"), p.hosp));
    }

    void saveIntake(Patient& p) {
        const QString token = QStringLiteral("w%1-i%2").arg(w_).arg(++seq_);
        QElapsedTimer t;
        t.start();
        intake::send(*c_, intakeValues(sh_, p, p.caseNo, token));
        timings.intake << since(t);
        p.intakeToken = token;
        ++sh_.readBacks;
        const db::Recordset rs = c_->Query(
            QStringLiteral("SELECT s.HelpingGoals, s.ActionTaken, m.ZEPNum, (SELECT COUNT(*) FROM "
                           "ZEP.tbZEPFamilyMember f WHERE f.HospNum = s.HospNum) AS Members FROM "
                           "ZEP.tbZEPIntakeSheet s JOIN PATIENT_DATA.tbMaster m ON m.HospNum = s.HospNum "
                           "WHERE s.HospNum = ?"),
            {p.hosp});
        if (rs.Eof() || rs.Text(QStringLiteral("HelpingGoals")) != token ||
            rs.Text(QStringLiteral("ActionTaken")) != token || rs.Text(QStringLiteral("ZEPNum")) != p.caseNo ||
            rs.Value(QStringLiteral("Members")).toInt() != 2)
            sh_.lost(w_, QStringLiteral("intake sheet of %1 read back as \"%2\"")
                             .arg(p.hosp, rs.Eof() ? QStringLiteral("<no row>") : rs.Text(QStringLiteral("HelpingGoals"))));
    }

    void saveReferral(Patient& p) {
        const QString token = QStringLiteral("w%1-r%2").arg(w_).arg(++seq_);
        QElapsedTimer t;
        t.start();
        const referral::SaveOutcome out = referral::send(*c_, referralValues(sh_, p, p.caseNo, token, user_));
        timings.referral << since(t);
        if (!out.saved) {
            sh_.fault(w_, QStringLiteral("own case number %1 refused, owned by %2").arg(p.caseNo, out.owner));
            return;
        }
        p.referralToken = token;
        ++p.transactions;
        ++sh_.readBacks;
        const QString back =
            first(*c_, QStringLiteral("SELECT Remarks FROM ZEP.tbZEPAssessment WHERE IdNum = ?"), {p.id});
        if (back != token)
            sh_.lost(w_, QStringLiteral("referral report of %1 read back as \"%2\"").arg(p.hosp, back));
    }

    void clearOwnNotice() {
        const Patient& p = patients_[rng_() % patients_.size()];
        const QString id = addNotice(*c_, sh_.tag, p.hosp, long(w_) * 100000 + ++notices_);
        QElapsedTimer t;
        t.start();
        const db::Recordset rs = c_->Call(QStringLiteral("ZEP..sp_ZEP_ClearPatientForDischarge"),
                                          {id, user_, QStringLiteral("bench")});
        timings.clearance << since(t);
        ++sh_.readBacks;
        if (rs.Value(QStringLiteral("Cleared")).toInt() != 1 ||
            first(*c_, QStringLiteral("SELECT ClearedBy FROM ZEP.tbZEPDischargeNotice WHERE IdNum = ?"), {id}) != user_)
            sh_.lost(w_, QStringLiteral("the clearance of %1").arg(id));
    }

    void serveMail() {
        std::vector<Task> tasks;
        {
            std::lock_guard g(sh_.lock);
            tasks.swap(sh_.mail[w_]);
        }
        for (const Task& task : tasks) {
            std::this_thread::sleep_until(task.at);
            Round* round;
            {
                std::lock_guard g(sh_.lock);
                round = &sh_.rounds[size_t(task.round)];
            }
            enum { Won, Refused, Failed } how = Failed;
            QElapsedTimer t;
            t.start();
            try {
                if (!round->caseNumber) {
                    const db::Recordset rs = c_->Call(QStringLiteral("ZEP..sp_ZEP_ClearPatientForDischarge"),
                                                      {round->key, user_, QStringLiteral("race")});
                    timings.clearance << since(t);
                    how = rs.Value(QStringLiteral("Cleared")).toInt() == 1 ? Won : Refused;
                } else if (task.intake) {
                    Patient p;
                    p.hosp = task.hosp;
                    p.id = task.id;
                    p.last = QStringLiteral("RACE");
                    p.first = QStringLiteral("RUNNER");
                    try {
                        intake::send(*c_, intakeValues(sh_, p, round->key, QStringLiteral("race")));
                        how = Won;
                    } catch (const db::Error& e) {
                        if (!isCaseNumberRefusal(e))
                            throw;
                        how = Refused;
                    }
                    timings.intake << since(t);
                } else {
                    Patient p;
                    p.hosp = task.hosp;
                    p.id = task.id;
                    const referral::SaveOutcome out =
                        referral::send(*c_, referralValues(sh_, p, round->key, QStringLiteral("race"), user_));
                    timings.referral << since(t);
                    how = out.saved ? Won : Refused;
                }
            } catch (const db::Error& e) {
                sh_.fault(w_, QStringLiteral("race %1: %2").arg(round->key, e.Description()));
            }
            std::lock_guard g(sh_.lock);
            if (how == Won) {
                ++round->won;
                round->winner = round->caseNumber ? task.hosp : user_;
            } else if (how == Refused) {
                ++round->refused;
            } else {
                ++round->failed;
            }
        }
    }

    Shared& sh_;
    int w_;
    QVector<Patient> patients_;
    std::mt19937 rng_;
    QString user_;
    std::unique_ptr<db::Connection> c_;
    long seq_ = 0, notices_ = 0;
};

QString loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2);
}

void removeBenchRows(db::Connection& c, const QString& tag, const Catalogue& cat) {
    const QString hosp = QStringLiteral("LD%1-%").arg(tag);
    db::Transaction t(c);
    for (const char* table : {"ZEP.tbZEPAssessmentService", "ZEP.tbZEPAssessmentActivity"})
        c.Execute(QStringLiteral("DELETE FROM %1 WHERE IdNum IN (SELECT IdNum FROM ZEP.tbZEPAssessment "
                                 "WHERE HospNum LIKE ?)")
                      .arg(QLatin1String(table)),
                  {hosp});
    for (const char* table : {"ZEP.tbZEPFamilyMember", "ZEP.tbZEPIntakeSheet", "ZEP.tbZEPAssessment",
                              "ZEP.tbZEPTransaction", "ZEP.tbZEPDischargeNotice", "PATIENT_DATA.tbPatient2",
                              "PATIENT_DATA.tbMaster"})
        c.Execute(QStringLiteral("DELETE FROM %1 WHERE HospNum LIKE ?").arg(QLatin1String(table)), {hosp});
    for (const QString& sql : cat.added)
        c.Execute(sql);
    t.commit();
}

QString row(const char* what, const QVector<double>& v) {
    if (v.isEmpty())
        return QStringLiteral("| %1 | 0 | - | - | - |\n").arg(QLatin1String(what));
    const Stats s = stats(v);
    return QStringLiteral("| %1 | %2 | %3 | %4 | %5 |\n")
        .arg(QLatin1String(what))
        .arg(v.size())
        .arg(s.median, 0, 'f', 2)
        .arg(s.p95, 0, 'f', 2)
        .arg(*std::max_element(v.begin(), v.end()), 0, 'f', 2);
}

} // namespace

int benchLoad(const QString& url, const LoadOptions& options, QTextStream& out) {
    Shared sh;
    sh.settings = db::ConnectionSettings::fromUrl(url);
    if (sh.settings.backend != db::Backend::PostgreSQL) {
        out << "zep-bench --load runs on a PostgreSQL server (postgresql://...), not on " << url << "\n";
        return 2;
    }
    const int n = std::max(1, options.workstations);
    std::unique_ptr<db::Connection> main;
    try {
        db::ConnectionSettings create = sh.settings;
        create.create = true;
        main = db::Connection::open(create);
        server::migrate(*main);
        // A tag of three digits that no earlier bench run left behind.
        do
            sh.tag = QStringLiteral("%1").arg(QRandomGenerator::global()->bounded(1000), 3, 10, QLatin1Char('0'));
        while (!first(*main, QStringLiteral("SELECT HospNum FROM PATIENT_DATA.tbMaster WHERE HospNum LIKE ? LIMIT 1"),
                      {QStringLiteral("LD%1-%").arg(sh.tag)})
                    .isEmpty());
        sh.cat = catalogue(*main, sh.tag);
    } catch (const db::Error& e) {
        out << "zep-bench --load: " << e.Description() << "\n";
        return 2;
    }
    const QString serverVersion = first(*main, QStringLiteral("SHOW server_version"));
    const QString loadBefore = loadAverage();

    // Each workstation's own patients, each with a case number of his own.
    std::mt19937 rng(12345);
    QVector<QVector<Patient>> own(n);
    int patients = 0;
    {
        db::Transaction t(*main);
        for (int w = 0; w < n; ++w)
            for (int k = 0; k < 4; ++k) {
                Patient p = addPatient(*main, sh.tag, ++patients, rng);
                p.caseNo = QStringLiteral("L%1-%2").arg(sh.tag).arg(patients, 6, 10, QLatin1Char('0'));
                main->Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPNum = ? WHERE HospNum = ?"),
                              {p.caseNo, p.hosp});
                own[w] << p;
            }
        t.commit();
    }
    sh.mail.resize(n);
    sh.thinkMs = options.thinkMs;
    std::vector<std::unique_ptr<Workstation>> stations;
    for (int w = 0; w < n; ++w)
        stations.push_back(std::make_unique<Workstation>(sh, w, own[w]));

    QElapsedTimer wall;
    wall.start();
    sh.end = Clock::now() + std::chrono::seconds(options.seconds);
    std::vector<std::thread> threads;
    for (auto& s : stations)
        threads.emplace_back([&s] { s->run(); });

    // The conductor: a round every second and a half, none in the last two seconds.
    int next = 0;
    long noticeSeq = 0;
    const int racers = std::min(n, 4);
    while (n >= 2 && Clock::now() + std::chrono::seconds(2) < sh.end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        if (Clock::now() + std::chrono::seconds(2) >= sh.end)
            break;
        try {
            // Case number: fresh patients without one, one per racer.
            Round caseRound;
            caseRound.key = QStringLiteral("R%1-%2").arg(sh.tag).arg(sh.rounds.size(), 6, 10, QLatin1Char('0'));
            caseRound.participants = racers;
            QVector<Patient> runners;
            {
                db::Transaction t(*main);
                for (int k = 0; k < racers; ++k)
                    runners << addPatient(*main, sh.tag, ++patients, rng);
                t.commit();
            }
            Round clearRound;
            clearRound.caseNumber = false;
            clearRound.key = addNotice(*main, sh.tag, runners.first().hosp, 9000000 + ++noticeSeq);
            clearRound.participants = 2;
            const Clock::time_point at = Clock::now() + std::chrono::milliseconds(400);
            std::lock_guard g(sh.lock);
            const int caseIndex = int(sh.rounds.size());
            sh.rounds.push_back(caseRound);
            const int clearIndex = int(sh.rounds.size());
            sh.rounds.push_back(clearRound);
            for (int k = 0; k < racers; ++k) {
                const int w = (next + k) % n;
                sh.mail[w].push_back({caseIndex, runners[k].hosp, runners[k].id, k % 2 == 0, at});
            }
            for (int k = 0; k < 2; ++k)
                sh.mail[(next + racers + k) % n].push_back({clearIndex, {}, {}, false, at});
            next = (next + racers + 2) % n;
        } catch (const db::Error& e) {
            sh.fault(-1, QStringLiteral("setting up a round: ") + e.Description());
        }
    }
    for (auto& t : threads)
        t.join();
    const double seconds = wall.nsecsElapsed() / 1e9;
    const QString loadAfter = loadAverage();

    // The checks after the run.
    for (auto& s : stations)
        s->verify(*main);
    int caseRounds = 0, clearRounds = 0, badRounds = 0;
    QStringList badRoundText;
    for (const Round& r : sh.rounds) {
        (r.caseNumber ? caseRounds : clearRounds)++;
        bool ok = r.won == 1 && r.won + r.refused == r.participants;
        if (r.caseNumber) {
            const int holders = first(*main, QStringLiteral("SELECT COUNT(*) FROM PATIENT_DATA.tbMaster WHERE ZEPNum = ?"),
                                      {r.key})
                                    .toInt();
            const QString holder = first(*main, QStringLiteral("SELECT HospNum FROM PATIENT_DATA.tbMaster WHERE ZEPNum = ?"),
                                         {r.key});
            ok = ok && holders == 1 && holder == r.winner;
        } else {
            ok = ok && first(*main, QStringLiteral("SELECT ClearedBy FROM ZEP.tbZEPDischargeNotice WHERE IdNum = ?"),
                             {r.key}) == r.winner;
        }
        if (!ok) {
            ++badRounds;
            if (badRoundText.size() < 10)
                badRoundText << QStringLiteral("%1: %2 won, %3 refused, %4 failed of %5")
                                    .arg(r.key)
                                    .arg(r.won)
                                    .arg(r.refused)
                                    .arg(r.failed)
                                    .arg(r.participants);
        }
    }
    Timings all;
    for (auto& s : stations) {
        all.search += s->timings.search;
        all.intake += s->timings.intake;
        all.referral += s->timings.referral;
        all.clearance += s->timings.clearance;
    }
    try {
        removeBenchRows(*main, sh.tag, sh.cat);
    } catch (const db::Error& e) {
        out << "(the bench rows could not be removed: " << e.Description() << ")\n";
    }

    const long errors = sh.errors.load(), lost = sh.lostUpdates.load();
    out << "\n### Load: " << n << " workstations for " << QString::number(seconds, 'f', 1)
        << " s on PostgreSQL " << serverVersion << ", "
        << (options.thinkMs > 0 ? QStringLiteral("%1 ms between a worker's actions on average").arg(options.thinkMs)
                                : QStringLiteral("flat out (no pause between actions)"))
        << "\n\n"
        << "Load average before " << loadBefore << ", after " << loadAfter << "; "
        << sh.actions.load() << " actions (" << QString::number(sh.actions.load() / seconds, 'f', 1)
        << " a second)\n\n"
        << "| what | count | p50 ms | p95 ms | max ms |\n|---|---|---|---|---|\n"
        << row("patient search", all.search) << row("intake sheet save", all.intake)
        << row("referral report save", all.referral) << row("clearance", all.clearance)
        << row("every save", all.intake + all.referral + all.clearance) << "\n"
        << "Errors other than the refusals: " << errors << "\n"
        << "Lost updates: " << lost << " (" << sh.readBacks.load() << " saves read back)\n"
        << "Case-number races: " << caseRounds << " rounds of " << racers << " workstations, "
        << (caseRounds - std::count_if(sh.rounds.begin(), sh.rounds.end(),
                                       [](const Round& r) { return r.caseNumber && !(r.won == 1); }))
        << " with exactly one winner\n"
        << "Clearance races: " << clearRounds << " rounds of 2 workstations, "
        << (clearRounds - std::count_if(sh.rounds.begin(), sh.rounds.end(),
                                        [](const Round& r) { return !r.caseNumber && !(r.won == 1); }))
        << " with exactly one winner\n";
    for (const QString& f : std::as_const(sh.faults))
        out << "  " << f << "\n";
    for (const QString& f : std::as_const(badRoundText))
        out << "  round " << f << "\n";
    const bool ok = errors == 0 && lost == 0 && badRounds == 0 && sh.actions.load() > 0 &&
                    (n < 2 || caseRounds > 0);
    out << (ok ? "All checks hold.\n" : "CHECKS FAILED.\n");
    out.flush();
    return ok ? 0 : 1;
}

} // namespace tools
