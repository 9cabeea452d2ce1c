#pragma once
// Generators for made-up hospital data: people with Filipino names, addresses in real
// towns, and the hospital's numbering of patients and visits. The demo hospital and the
// synthetic benchmark hospital are both built from these, so every function takes its
// random source and "today" from the caller and keeps no state of its own: the same seed
// gives the same hospital on every machine and with every library version.
#include <QDate>
#include <QString>
#include <QVector>
#include <cstdint>

namespace hospitalgen {

// splitmix64: tiny, fast and fully specified, unlike the std:: distributions whose
// mapping to ranges differs between standard libraries.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // A whole number from lo to hi, both included (lo <= hi).
    int range(int lo, int hi);
    // A number in [0, 1).
    double unit();
    // True with the given chance in percent (0 never, 100 always).
    bool percent(int chance);
    template <typename T> const T& pick(const QVector<T>& items) {
        return items.at(range(0, int(items.size()) - 1));
    }

private:
    std::uint64_t state_;
};

// A fixed list of choices with whole-number weights, drawn in proportion to the weights.
class Weighted {
public:
    Weighted() = default;
    explicit Weighted(const QVector<int>& weights);
    int draw(Rng& rng) const; // an index into the weights
    int size() const { return int(cumulative_.size()); }

private:
    QVector<std::int64_t> cumulative_;
};

// A zip code of the address look-up with its town and province. `weight` says how often
// patients come from there (0: only a birthplace, never a home address).
struct Town {
    QString zipCode;
    QString town;
    QString province;
    int weight;
    bool numberedBarangays; // cities whose barangays are numbered ("Brgy. 123")
};
const QVector<Town>& towns();

enum class Sex { Male, Female };

struct PersonName {
    QString last; // upper case, as the master file keeps names
    QString first;
    QString middle; // the mother's maiden surname
};

// A surname, drawn with the skew of real populations: a few names are very common and
// many share their first letters (SANTOS, SANTIAGO, SAN JOSE; DE LEON, DE GUZMAN ...).
QString surname(Rng& rng);
// A given name typical of someone of that age (names go in and out of fashion). Ages,
// not birth years, so that a generated person keeps the name whatever today's date is.
QString givenName(Rng& rng, Sex sex, int age);
PersonName personName(Rng& rng, Sex sex, int age);

struct Address {
    QString houseStreet;
    QString barangay;
    int town; // index into towns()
};
Address homeAddress(Rng& rng);
// A town index for a birthplace: mostly where people live, sometimes a far province.
int birthTown(Rng& rng);

// Civil status codes of the master file: "1" single, "2" separated, "3" married,
// "4" widowed, "5" divorced or annulled.
QString civilStatus(Rng& rng, int age);
QString religion(Rng& rng);

struct Work {
    QString occupation;
    QString status; // "Employed", "Self-employed", "Unemployed", "Retired", "Student", ...
    QString employer;
    QString employerAddress;
    QString membership;    // SSS or GSIS number, empty when none
    int monthlyIncome = 0; // pesos
};
Work work(Rng& rng, int age, Sex sex);
QString mobileNumber(Rng& rng);

// An age in years for a patient of a kidney and transplant hospital (mostly adults).
int patientAge(Rng& rng);
// A birth date that makes someone `age` years old on `today`.
QDate birthDate(Rng& rng, const QDate& today, int age);
int ageOn(const QDate& birthDate, const QDate& day);

// Numbering. Serials are the hospital's running counters.
QString hospitalNumber(qint64 serial);   // "00104321"
QString admissionNumber(qint64 serial);  // all digits: "500123"
QString outPatientNumber(qint64 serial); // ends in B: "0012345B"
QString erNumber(qint64 serial);         // ends in E: "004567E"
QString caseNumber(qint64 serial);       // "ZEP-00042"

// "Dela Cruz" from "DELA CRUZ": how people write names on forms.
QString titleCase(const QString& upper);

} // namespace hospitalgen
