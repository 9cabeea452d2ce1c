#pragma once
// The pieces of the demo hospital and what they hand each other. The catalogues come
// first (every later piece picks from them), then the staff, the patients with their
// visits, the department's case work and the bills.
#include "hospitalgen.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariantList>
#include <QVector>

class QTextStream;
namespace db {
class Connection;
}

namespace tools::demo {

// Inserts rows into one table in batches of a fixed size, so that the engine sees only
// two statement texts per table (the full batch and the last, shorter one) and the
// round trips stay few on a server. Rows that refer to rows of another batched table name
// it as their parent: the parent's pending rows are written first.
class Rows {
public:
    Rows(db::Connection& c, const QString& table, const QStringList& columns,
         Rows* parent = nullptr, int batch = 50);
    Rows(const Rows&) = delete;
    Rows& operator=(const Rows&) = delete;
    void add(const QVariantList& values);
    // Must be called once the rows are added; a pending batch is not written otherwise.
    void flush();
    int count() const { return count_; }

private:
    QString text(int rows);
    db::Connection& c_;
    Rows* parent_;
    QString table_;
    QString head_;
    QString tuple_;
    int columns_;
    int batch_;
    int count_ = 0;
    QVariantList pending_;
    QHash<int, QString> texts_;
};

// "yyyy-MM-dd HH:mm:ss" for a TIMESTAMP column, written from the wall-clock date and time
// so that no time-zone rule can shift it.
QString stamp(const QDate& day, const QTime& time);
// Money from whole centavos, exact to two decimals.
double pesos(qint64 centavos);

// ---- catalogues -------------------------------------------------------------------------

struct ClassRow {
    QString type, code, name;
    double procedures, medicines, room; // in-patient fractions
    double procedures2, medicines2;     // out-patient fractions
    int maxPerCapita;                   // monthly pesos per person; the class's upper bound
};

struct Item {
    QString revenueId, itemId, name;
    qint64 rate[5]; // centavos, rates A to E
};

struct Room {
    QString id, station;
    QChar rateClass;
    qint64 rate; // centavos per day
    bool active;
};

struct Doctor {
    QString id, name, specialty; // name as "Dr. First Last"
};

struct Catalogues {
    QVector<ClassRow> classes;
    QStringList caseCategoryIds, caseCategoryNames; // active ones, parallel
    QStringList parentCategoryIds;                  // active ones
    QStringList referringPartyCodes;
    QStringList caseStatusCodes;
    QStringList serviceCodes, activityCodes;
    QVector<Item> items;
    QVector<Room> rooms;
    QVector<Doctor> doctors;
    QStringList companyIds; // active sponsors

    const Item& item(const QString& revenueId, const QString& itemId) const;
    QVector<const Item*> itemsOf(const QString& revenueId) const;
    const ClassRow* classByCode(const QString& code) const;
    int caseCategory(const QString& name) const; // index into caseCategoryIds, -1 if none
};

void writeHospital(db::Connection& c);
void writeCatalogues(db::Connection& c, Catalogues& out);
void writeBuildFile(db::Connection& c, Catalogues& out); // revenue centres and items

// ---- staff --------------------------------------------------------------------------------

struct Staff {
    QStringList workerIds;   // active social workers, the supervisor first
    QStringList workerNames; // "Last, First Middle" as the system shows them
    QString billingClerk;    // employee code of the billing clerk
    QStringList nurses;      // discharge nurses' names
};
Staff writeStaff(db::Connection& c, QTextStream& users);

// ---- patients and visits ------------------------------------------------------------------

enum class Kind { Admission, OutPatient, ER };

// A household member listed on the intake sheet.
struct Member {
    QString name, relationship, age, civilStatus, education, address, occupation;
    int income; // pesos a month
};

// A sponsor's fund granted to a patient, optionally for one visit.
struct Allocation {
    QString accountNum, refNum, companyId;
    int patient;
    int visit;     // -1: for the patient, not one visit
    qint64 amount; // centavos
    QDate day;
    QTime time;
};

struct Patient {
    QString hospNum;
    hospitalgen::PersonName name;
    hospitalgen::Sex sex;
    QDate birth;
    QString civil;
    hospitalgen::Address address;
    int birthTown;
    QString religion;
    hospitalgen::Work work;
    QString phone;
    // Set by the case work: the department's case number and classification.
    QString zepNum;
    QString classCode;
    bool classLapsed = false; // the class was taken off the master file when it expired
    QDate validity, expiry;
    int intakeVisit = -1;     // the visit at which the intake sheet was taken
    bool intakeSheet = false; // the intake sheet is on file (older cases were on paper)
    QVector<Member> family;
    bool hemodialysis = false; // comes for dialysis twice a week
    QVector<int> visits;       // indexes into World::visits, oldest first
};

struct Visit {
    Kind kind;
    int patient;
    QDate admDay;
    QTime admTime;
    QDate dcrDay; // null while the patient is still admitted or in the ER
    QTime dcrTime;
    QString idNum;
    QString room; // admissions
    int doctor;   // index into Catalogues::doctors
    QChar cls;    // 'P' pay, 'S' service
    int problem;  // index into the clinical pictures
    QString disposition;
    int linkedOpd = -1; // the out-patient visit an admission came from
    bool current() const { return dcrDay.isNull(); }
};

// A case number changed or taken away (newNum empty).
struct CaseChange {
    int patient;
    QString oldNum, newNum;
    QDate day;
};

struct World {
    QDate today;
    QVector<Patient> patients;
    QVector<Visit> visits;
    QVector<Allocation> allocations;
    QVector<CaseChange> caseChanges;
};

// The clinical picture of a visit: what brought the patient and how the department files it.
struct Problem {
    const char* complaint;
    const char* diagnosis;
    const char* procedure;
    const char* category;  // case category name
    const char* parent;    // parent category id
    const char* specialty; // of the attending doctor
    bool dialysis;         // charges dialysis sessions
    bool surgery;          // charges an operation
};
const QVector<Problem>& problems();

// Makes the patients and their visits in memory, numbered in the order they happened.
void buildPatients(hospitalgen::Rng& rng, const Catalogues& cat, World& w);
// Gives patients their case numbers and classifications (in memory).
void assignCases(hospitalgen::Rng& rng, const Catalogues& cat, World& w);
// Writes the master file and the three kinds of visit.
void writePatients(db::Connection& c, const Catalogues& cat, const World& w);

// ---- the department's case work and the bills ---------------------------------------------

struct Assessed {
    int visit;
    QString code;
    bool special;
};

// The worker who handles a patient: the same one across the patient's visits (never the
// supervisor, who is the first of the workers).
inline int workerOf(const Staff& staff, int patient) {
    return 1 + patient % int(staff.workerIds.size() - 1);
}
// The id of a clinical picture's case category.
QString categoryIdOf(const Catalogues& cat, const Problem& pr);

void writeIntakeSheets(db::Connection& c, hospitalgen::Rng& rng, const Catalogues& cat,
                       const Staff& staff, const World& w);
void writeCasework(db::Connection& c, hospitalgen::Rng& rng, const Catalogues& cat,
                   const Staff& staff, World& w, QVector<Assessed>& assessed);
void writeBilling(db::Connection& c, hospitalgen::Rng& rng, const Catalogues& cat,
                  const Staff& staff, const World& w, const QVector<Assessed>& assessed);
// Receipts, deposits and refunds of the billed visits, and the residents of the hospital's
// city with their resident cards (after the bills).
void writePayments(db::Connection& c, hospitalgen::Rng& rng, const Staff& staff, const World& w);

} // namespace tools::demo
