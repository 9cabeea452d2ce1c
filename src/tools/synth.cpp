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
    for (qint64 p = 1; p <= patients; ++p) {
        const Sex sex = rng.percent(52) ? Sex::Female : Sex::Male;
        const int age = patientAge(rng);
        const PersonName name = personName(rng, sex, age);
        const Address addr = homeAddress(rng);
        const Town& town = towns().at(addr.town);
        const QString hosp = hospitalNumber(hospBase + p);
        // About one patient in ten is a case of the department.
        const bool isCase = rng.percent(10);
        master.add({hosp, name.last, name.first, name.middle,
                    sex == Sex::Female ? QStringLiteral("F") : QStringLiteral("M"),
                    birthDate(rng, today, age).toString(Qt::ISODate), civilStatus(rng, age),
                    addr.houseStreet, addr.barangay, town.town, town.province, town.zipCode,
                    isCase ? QVariant(caseNumber(++cases + 1000000)) : QVariant(),
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
                adm.add({admissionNumber(admBase + ++admissions), hosp, stamp(in, rng.range(0, 1439)),
                         current ? QVariant() : QVariant(stamp(in.addDays(rng.range(1, 20)), 600)),
                         QStringLiteral("S%1").arg(rng.range(0, 399), 3, 10, QLatin1Char('0')), cls, doctor});
            } else {
                const bool isToday = rng.range(0, 999) < 3;
                const QDate on = isToday ? today : today.addDays(-rng.range(1, 3650));
                const QString at = stamp(on, rng.range(420, 1020));
                if (kind <= 7)
                    opd.add({outPatientNumber(opdBase + ++outPatients), hosp, at, QVariant(), cls, doctor});
                else
                    er.add({erNumber(erBase + ++erVisits), hosp, at, QVariant(), cls, doctor});
            }
        }
        // The patients go in before the visits that refer to them.
        if (p % 100 == 0) {
            master.flush();
            adm.flush();
            opd.flush();
            er.flush();
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
