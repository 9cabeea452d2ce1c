#include "synth.h"

#include "hospitalgen.h"

#include "db/connection.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace tools {
namespace {

using namespace hospitalgen;

// Rows go in batches of many rows per INSERT: one statement per row would spend most of
// its time on the round trip, on PostgreSQL most of all.
class Batch {
public:
    Batch(db::Connection& c, QString head, int columns, int rowsPerStatement = 200)
        : c_(c), head_(std::move(head)), columns_(columns), perStatement_(rowsPerStatement) {
        QStringList marks(columns_, QStringLiteral("?"));
        row_ = QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    ~Batch() = default;
    void add(const QVariantList& row) {
        values_ += row;
        if (++pending_ == perStatement_)
            flush();
    }
    void flush() {
        if (pending_ == 0)
            return;
        QStringList rows(pending_, row_);
        c_.Execute(head_ + QStringLiteral(" VALUES ") + rows.join(QLatin1Char(',')), values_);
        values_.clear();
        pending_ = 0;
    }

private:
    db::Connection& c_;
    QString head_;
    QString row_;
    int columns_;
    int perStatement_;
    int pending_ = 0;
    QVariantList values_;
};

QString stamp(const QDate& d, int minutes) {
    return d.toString(Qt::ISODate) +
           QStringLiteral(" %1:%2:00").arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// Bills and receipts of the visits of the last year, so the money reports have rows to
// read at any size: a few charge lines, sometimes the department's pending discount and a
// medicare row, and what the cashier took. They draw from a stream of their own, so the
// patients and visits stay what they were.
class Money {
public:
    Money(db::Connection& c, quint64 seed)
        : rng_(seed),
          inBill_(c, QStringLiteral("INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, "
                                    "Description, Amount, TransDate, RefNum)"), 6, 500),
          outBill_(c, QStringLiteral("INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, "
                                     "Description, Amount, TransDate, RefNum)"), 6, 500),
          medicare_(c, QStringLiteral("INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, "
                                      "Amount)"), 3, 500),
          payments_(c, QStringLiteral("INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, "
                                      "PaymentDate, Amount, Kind, UserID)"), 6, 500) {}

    // One visit that began on `in` and ended on `out` (null: not yet), with the patient's case
    // number when the department classified the patient.
    void visit(const QString& idNum, bool admission, const QDate& in, const QDate& out,
               const QVariant& caseNumber) {
        Batch& bill = admission ? inBill_ : outBill_;
        const QDate last = out.isValid() ? out : in;
        qint64 total = 0; // centavos
        const auto line = [&](const char* revenue, const char* what, qint64 centavos,
                              const QDate& day) {
            bill.add({idNum, QString::fromLatin1(revenue), QString::fromLatin1(what),
                      double(centavos) / 100, stamp(day, 600 + rng_.range(0, 480)), QString()});
            total += centavos;
        };
        if (admission) {
            const int nights = std::max<qint64>(1, in.daysTo(last));
            line("RA", "Room and board", qint64(nights) * 150000, last);
            line("LB", "Laboratory", qint64(rng_.range(5, 60)) * 10000 + rng_.range(0, 99), in);
            line("PH", "Medicines", qint64(rng_.range(10, 200)) * 5000 + rng_.range(0, 99), last);
            if (rng_.percent(40))
                line("XR", "X-ray", qint64(rng_.range(4, 30)) * 10000, in);
        } else {
            line("LB", "Laboratory", qint64(rng_.range(2, 20)) * 10000 + rng_.range(0, 99), in);
            if (rng_.percent(50))
                line("PH", "Medicines", qint64(rng_.range(2, 40)) * 5000, in);
        }
        qint64 discount = 0;
        if (caseNumber.isValid() && rng_.percent(60)) {
            discount = total * rng_.range(10, 50) / 100;
            bill.add({idNum, QStringLiteral("QF"), QStringLiteral("QFS Discount"),
                      -double(discount) / 100, stamp(last, 1140), caseNumber});
        }
        qint64 medicare = 0;
        if (admission && rng_.percent(50)) {
            medicare = total * rng_.range(20, 50) / 100;
            medicare_.add({idNum, QStringLiteral("OT"), double(medicare) / 100});
        }
        const qint64 net = total - discount - medicare;
        if (!out.isValid()) {
            if (admission && rng_.percent(60))
                pay(idNum, in, 480, 500000, 'D');
            return;
        }
        const int fate = rng_.range(1, 100);
        if (fate <= 10)
            return; // not paid yet
        if (fate <= 13) {
            pay(idNum, out, 900, net + 50000, 'P');
            pay(idNum, out.addDays(2), 600, 50000, 'R');
            return;
        }
        pay(idNum, out, 900 + rng_.range(0, 300), net, 'P');
    }

    void flush() {
        inBill_.flush();
        outBill_.flush();
        medicare_.flush();
        payments_.flush();
    }

private:
    void pay(const QString& idNum, const QDate& day, int minutes, qint64 centavos, char kind) {
        if (centavos <= 0)
            return;
        payments_.add({idNum, QStringLiteral("SY%1").arg(++receipt_, 9, 10, QLatin1Char('0')),
                       stamp(day, minutes), double(centavos) / 100, QString(QLatin1Char(kind)),
                       QStringLiteral("SYNTH")});
    }

    Rng rng_;
    Batch inBill_, outBill_, medicare_, payments_;
    qint64 receipt_ = 0;
};

} // namespace

void createSynthetic(db::Connection& conn, qint64 patients, QTextStream& log) {
    const QDate today = QDate::currentDate();
    Rng rng(0x5EED2026ULL + quint64(patients));
    QElapsedTimer clock;
    clock.start();

    // Counters start high so that the synthetic numbers never meet a demo hospital's.
    const qint64 hospBase = 50000000, admBase = 70000000, opdBase = 80000000, erBase = 90000000;
    auto probe = conn.Query(QStringLiteral("SELECT COUNT(*) AS n FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"),
                            {hospitalNumber(hospBase + 1)});
    if (probe.Value(QStringLiteral("n")).toLongLong() > 0)
        db::raise(QStringLiteral("This database already holds a synthetic hospital."));

    db::Transaction t(conn);
    // Rooms and doctors of their own, so the visits need nothing else in the database.
    {
        Batch rooms(conn, QStringLiteral("INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate)"), 4);
        for (int i = 0; i < 400; ++i)
            rooms.add({QStringLiteral("S%1").arg(i, 3, 10, QLatin1Char('0')),
                       QStringLiteral("Station %1").arg(i / 40 + 1),
                       QString(QChar(u'A' + i % 5)), 500.0 + 100 * (i % 5)});
        rooms.flush();
        Batch doctors(conn, QStringLiteral("INSERT INTO PATIENT_DATA.tbDoctor (DoctorID, LastName, FirstName)"), 3);
        for (int i = 0; i < 150; ++i) {
            const PersonName n = personName(rng, i % 2 ? Sex::Male : Sex::Female, 45);
            doctors.add({QStringLiteral("SD%1").arg(i, 3, 10, QLatin1Char('0')), n.last, n.first});
        }
        doctors.flush();
    }

    Batch master(conn, QStringLiteral(
        "INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, BirthDate, "
        "CivilStatus, HouseStreet, Barangay, Town, Province, ZipCode, ZEPNum, ZEPClassification, "
        "ZEPDiscountExpiry)"), 15, 1000);
    Batch adm(conn, QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass, DoctorID)"), 7, 1000);
    Batch opd(conn, QStringLiteral("INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, DcrDate, PatientType, DoctorID)"), 6, 1000);
    Batch er(conn, QStringLiteral("INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification, DoctorID)"), 6, 1000);
    static const QStringList classes{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C1"),
                                     QStringLiteral("C2"), QStringLiteral("C3"), QStringLiteral("D")};
    qint64 admissions = 0, outPatients = 0, erVisits = 0, cases = 0;
    constexpr int kBilledDays = 365;
    Money money(conn, 0xB111ED00ULL + quint64(patients));
    for (qint64 p = 1; p <= patients; ++p) {
        const Sex sex = rng.percent(52) ? Sex::Female : Sex::Male;
        const int age = patientAge(rng);
        const PersonName name = personName(rng, sex, age);
        const Address addr = homeAddress(rng);
        const Town& town = towns().at(addr.town);
        const QString hosp = hospitalNumber(hospBase + p);
        // About one patient in ten is a case of the department.
        const bool isCase = rng.percent(10);
        const QVariant caseNo = isCase ? QVariant(caseNumber(++cases + 1000000)) : QVariant();
        master.add({hosp, name.last, name.first, name.middle,
                    sex == Sex::Female ? QStringLiteral("F") : QStringLiteral("M"),
                    birthDate(rng, today, age).toString(Qt::ISODate), civilStatus(rng, age),
                    addr.houseStreet, addr.barangay, town.town, town.province, town.zipCode,
                    caseNo,
                    isCase ? QVariant(classes.at(rng.range(0, 5))) : QVariant(),
                    isCase ? QVariant(today.addDays(rng.range(-200, 500)).toString(Qt::ISODate)) : QVariant()});
        // About three visits a patient: admissions, out-patient and ER visits.
        const int visits = rng.range(1, 5);
        for (int v = 0; v < visits; ++v) {
            const int kind = rng.range(0, 9); // 0-3 admission, 4-7 out-patient, 8-9 ER
            const QString doctor = QStringLiteral("SD%1").arg(rng.range(0, 149), 3, 10, QLatin1Char('0'));
            const QString cls = rng.percent(30) ? QStringLiteral("S") : QStringLiteral("P");
            if (kind <= 3) {
                // A few in a thousand are in the hospital now.
                const bool current = rng.range(0, 999) < 4;
                const QDate in = current ? today.addDays(-rng.range(0, 20)) : today.addDays(-rng.range(21, 3650));
                const QString idNum = admissionNumber(admBase + ++admissions);
                const QDate out = current ? QDate() : in.addDays(rng.range(1, 20));
                adm.add({idNum, hosp, stamp(in, rng.range(0, 1439)),
                         current ? QVariant() : QVariant(stamp(out, 600)),
                         QStringLiteral("S%1").arg(rng.range(0, 399), 3, 10, QLatin1Char('0')), cls, doctor});
                if (in.daysTo(today) <= kBilledDays)
                    money.visit(idNum, true, in, out, caseNo);
            } else {
                const bool isToday = rng.range(0, 999) < 3;
                const QDate on = isToday ? today : today.addDays(-rng.range(1, 3650));
                const QString at = stamp(on, rng.range(420, 1020));
                const QString idNum = kind <= 7 ? outPatientNumber(opdBase + ++outPatients)
                                                : erNumber(erBase + ++erVisits);
                (kind <= 7 ? opd : er).add({idNum, hosp, at, QVariant(), cls, doctor});
                // A clinic or ER visit is paid the same day.
                if (on.daysTo(today) <= kBilledDays)
                    money.visit(idNum, false, on, on, caseNo);
            }
        }
        // The patients go in before the visits that refer to them.
        if (p % 100 == 0) {
            master.flush();
            adm.flush();
            opd.flush();
            er.flush();
            money.flush();
        }
        if (p % 100000 == 0) {
            log << p << " patients (" << clock.elapsed() / 1000 << " s)\n";
            log.flush();
        }
    }
    master.flush();
    adm.flush();
    opd.flush();
    er.flush();
    money.flush();
    t.commit();
    // Fresh statistics, or the planners guess at a million rows as if there were none. The
    // server also wants its visibility map made, or its index-only reads go to the tables.
    conn.Execute(conn.dialect().backend() == db::Backend::PostgreSQL ? QStringLiteral("VACUUM ANALYZE")
                                                                     : QStringLiteral("ANALYZE"));
    log << patients << " patients, " << admissions << " admissions, " << outPatients
        << " out-patient visits, " << erVisits << " ER visits, " << cases << " case numbers in "
        << clock.elapsed() / 1000 << " s\n";
    log.flush();
}

} // namespace tools
