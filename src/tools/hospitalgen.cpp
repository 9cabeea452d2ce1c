#include "hospitalgen.h"
#include "hospitalgen_data.h"

#include <QStringList>
#include <algorithm>

namespace hospitalgen {

std::uint64_t Rng::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::unit() {
    return double(next() >> 11) * 0x1.0p-53;
}

int Rng::range(int lo, int hi) {
    const double span = double(hi) - double(lo) + 1.0;
    return lo + int(unit() * span);
}

bool Rng::percent(int chance) {
    return range(0, 99) < chance;
}

Weighted::Weighted(const QVector<int>& weights) {
    std::int64_t sum = 0;
    cumulative_.reserve(weights.size());
    for (int w : weights) {
        sum += std::max(w, 0);
        cumulative_.append(sum);
    }
}

int Weighted::draw(Rng& rng) const {
    const std::int64_t total = cumulative_.isEmpty() ? 0 : cumulative_.last();
    if (total <= 0)
        return 0;
    const auto r = std::int64_t(rng.unit() * double(total));
    return int(std::upper_bound(cumulative_.begin(), cumulative_.end(), r) - cumulative_.begin());
}

using namespace data;

namespace {

// The weights fall off as 1/(rank + 4): a few names are very common, most are rare.
const Weighted& surnameWeights() {
    static const Weighted w = [] {
        QVector<int> weights;
        for (int rank = 0; rank < surnames().size(); ++rank)
            weights.append(100000 / (rank + 4));
        return Weighted(weights);
    }();
    return w;
}

const Weighted& homeWeights() {
    static const Weighted w = [] {
        QVector<int> weights;
        for (const Town& t : towns())
            weights.append(t.weight);
        return Weighted(weights);
    }();
    return w;
}

} // namespace

QString surname(Rng& rng) {
    return surnames().at(surnameWeights().draw(rng));
}

QString givenName(Rng& rng, Sex sex, int age) {
    const bool older = age >= 40;
    if (sex == Sex::Male)
        return rng.pick(older ? olderMen() : youngerMen());
    return rng.pick(older ? olderWomen() : youngerWomen());
}

PersonName personName(Rng& rng, Sex sex, int age) {
    PersonName n;
    n.last = surname(rng);
    n.first = givenName(rng, sex, age);
    // The middle name is the mother's surname: never the father's, and a few are missing
    // (foundlings, some foreign-born parents).
    if (rng.percent(97)) {
        do
            n.middle = surname(rng);
        while (n.middle == n.last);
    }
    return n;
}

Address homeAddress(Rng& rng) {
    Address a;
    a.town = homeWeights().draw(rng);
    const Town& t = towns().at(a.town);
    switch (rng.range(0, 3)) {
    case 0:
        a.houseStreet = QStringLiteral("Blk %1 Lot %2").arg(rng.range(1, 48)).arg(rng.range(1, 40));
        if (rng.percent(50))
            a.houseStreet += QStringLiteral(" Phase %1").arg(rng.range(1, 5));
        break;
    case 1:
        a.houseStreet = QStringLiteral("Purok %1").arg(rng.range(1, 7));
        break;
    default:
        a.houseStreet = QStringLiteral("%1 %2").arg(rng.range(1, 2400)).arg(rng.pick(streets()));
    }
    a.barangay = t.numberedBarangays ? QStringLiteral("Brgy. %1").arg(rng.range(1, 188))
                                     : rng.pick(barangays());
    return a;
}

int birthTown(Rng& rng) {
    if (rng.percent(75))
        return homeWeights().draw(rng);
    return rng.range(0, int(towns().size()) - 1);
}

QString civilStatus(Rng& rng, int age) {
    if (age < 20)
        return QStringLiteral("1");
    const int r = rng.range(0, 99);
    if (age < 28)
        return r < 60 ? QStringLiteral("1") : r < 96 ? QStringLiteral("3") : QStringLiteral("2");
    if (age < 60)
        return r < 18   ? QStringLiteral("1")
               : r < 86 ? QStringLiteral("3")
               : r < 93 ? QStringLiteral("2")
               : r < 98 ? QStringLiteral("4")
                        : QStringLiteral("5");
    return r < 8    ? QStringLiteral("1")
           : r < 60 ? QStringLiteral("3")
           : r < 64 ? QStringLiteral("2")
                    : QStringLiteral("4");
}

QString religion(Rng& rng) {
    static const QVector<QString> names =
        list({"Roman Catholic", "Iglesia ni Cristo", "Born Again Christian", "Islam",
              "Seventh-day Adventist", "Aglipayan", "Jehovah's Witness", "Baptist", "Methodist",
              "Latter-day Saints"});
    static const Weighted w(QVector<int>{790, 60, 50, 30, 20, 15, 15, 10, 5, 5});
    return names.at(w.draw(rng));
}

namespace {

struct Job {
    const char* occupation;
    const char* status;
    int employer; // 0 none, 1 self-employed, 2 private company, 3 government
    int minIncome, maxIncome;
};

const QVector<QString>& companies() {
    static const QVector<QString> v =
        list({"Mabuhay Garments Inc.", "Pacific Star Security Agency", "Golden Harvest Rice Mill",
              "Metro Transit Drivers Cooperative", "Asterisk Contact Solutions",
              "Sta. Lucia Hardware and Construction Supply", "Tres Marias Bakeshop",
              "Bagong Araw Fishing Corp.", "Luzon Steel Fabricators", "Kalinga Manpower Services",
              "San Miguel Poultry Farm", "Northpoint Shopping Center", "Ilaw Electric Cooperative",
              "Dagat Shipping Lines", "Masagana Trading"});
    return v;
}
const QVector<QString>& offices() {
    static const QVector<QString> v =
        list({"Department of Education", "Barangay Hall", "Municipal Hall",
              "Department of Public "
              "Works and Highways",
              "Philippine National Police", "City Health Office", "Bureau of Fire Protection",
              "Provincial Capitol"});
    return v;
}

} // namespace

Work work(Rng& rng, int age, Sex sex) {
    static const Job adults[] = {
        {"Farmer", "Self-employed", 1, 4000, 9000},
        {"Fisherman", "Self-employed", 1, 4000, 9000},
        {"Tricycle Driver", "Self-employed", 1, 6000, 12000},
        {"Jeepney Driver", "Self-employed", 1, 8000, 15000},
        {"Vendor", "Self-employed", 1, 4000, 10000},
        {"Sari-sari Store Owner", "Self-employed", 1, 5000, 14000},
        {"Construction Worker", "Employed", 2, 9000, 14000},
        {"Security Guard", "Employed", 2, 12000, 16000},
        {"Carpenter", "Self-employed", 1, 8000, 14000},
        {"Electrician", "Employed", 2, 12000, 20000},
        {"Mechanic", "Employed", 2, 10000, 18000},
        {"Factory Worker", "Employed", 2, 11000, 15000},
        {"Office Clerk", "Employed", 2, 14000, 22000},
        {"Call Center Agent", "Employed", 2, 18000, 30000},
        {"Seaman", "Employed", 2, 40000, 90000},
        {"Public School Teacher", "Employed", 3, 25000, 40000},
        {"Government Employee", "Employed", 3, 18000, 35000},
        {"Police Officer", "Employed", 3, 30000, 45000},
        {"Domestic Helper", "Employed", 0, 5000, 8000},
        {"Laundrywoman", "Self-employed", 0, 3000, 6000},
        {"Housewife", "Dependent", 0, 0, 0},
        {"Unemployed", "Unemployed", 0, 0, 0},
        {"Overseas Worker", "Employed", 2, 30000, 60000},
        {"Businessman", "Self-employed", 1, 30000, 120000},
    };
    static const QVector<int> maleWeights{8, 4, 8, 6, 5, 3, 8, 6, 5, 3,  4, 5,
                                          4, 3, 3, 2, 3, 2, 0, 0, 0, 10, 4, 2};
    static const QVector<int> femaleWeights{3, 0, 0, 0, 7, 6, 0, 1, 0,  0,  0, 5,
                                            5, 4, 0, 4, 3, 1, 5, 4, 22, 10, 4, 2};
    static const Weighted male(maleWeights), female(femaleWeights);

    Work w;
    if (age < 6) {
        w.occupation = QStringLiteral("None");
        w.status = QStringLiteral("Dependent");
        return w;
    }
    if (age < 22) {
        w.occupation = QStringLiteral("Student");
        w.status = QStringLiteral("Student");
        return w;
    }
    if (age >= 65 && rng.percent(70)) {
        w.occupation = QStringLiteral("Retired");
        w.status = QStringLiteral("Retired");
        if (rng.percent(40)) {
            w.membership =
                QStringLiteral("GSIS %1").arg(rng.range(100000000, 999999999) + 2000000000LL);
            w.monthlyIncome = rng.range(6000, 15000);
        }
        return w;
    }
    const Job& j = adults[(sex == Sex::Male ? male : female).draw(rng)];
    w.occupation = QString::fromLatin1(j.occupation);
    w.status = QString::fromLatin1(j.status);
    w.monthlyIncome = j.maxIncome > 0 ? rng.range(j.minIncome, j.maxIncome) / 100 * 100 : 0;
    const Town& t = towns().at(homeWeights().draw(rng));
    switch (j.employer) {
    case 1:
        w.employer = QStringLiteral("Self-employed");
        break;
    case 2:
        w.employer = rng.pick(companies());
        w.employerAddress = t.town + QStringLiteral(", ") + t.province;
        w.membership = QStringLiteral("SSS %1-%2-%3")
                           .arg(rng.range(1, 34), 2, 10, QLatin1Char('0'))
                           .arg(rng.range(0, 9999999), 7, 10, QLatin1Char('0'))
                           .arg(rng.range(0, 9));
        break;
    case 3:
        w.employer = rng.pick(offices()) + QStringLiteral(" - ") + t.town;
        w.employerAddress = t.town + QStringLiteral(", ") + t.province;
        w.membership =
            QStringLiteral("GSIS %1").arg(rng.range(100000000, 999999999) + 2000000000LL);
        break;
    default:
        break;
    }
    return w;
}

QString mobileNumber(Rng& rng) {
    static const QVector<QString> prefixes =
        list({"0917", "0918", "0919", "0920", "0921", "0927", "0928", "0929", "0939", "0945",
              "0947", "0955", "0961", "0977", "0998", "0999"});
    return QStringLiteral("%1-%2-%3")
        .arg(rng.pick(prefixes))
        .arg(rng.range(100, 999))
        .arg(rng.range(0, 9999), 4, 10, QLatin1Char('0'));
}

int patientAge(Rng& rng) {
    // Kidney disease is mostly a disease of adults past forty; the paediatric nephrology
    // service and young transplant donors make the rest.
    static const QVector<int> bandStart{1, 12, 18, 30, 40, 50, 60, 70, 80};
    static const QVector<int> bandEnd{11, 17, 29, 39, 49, 59, 69, 79, 92};
    static const Weighted bands(QVector<int>{4, 4, 9, 13, 18, 22, 18, 9, 3});
    const int b = bands.draw(rng);
    return rng.range(bandStart.at(b), bandEnd.at(b));
}

QDate birthDate(Rng& rng, const QDate& today, int age) {
    // Between `age` years and `age` + 1 years minus a day before today.
    const QDate latest = today.addYears(-age);
    const QDate earliest = today.addYears(-age - 1).addDays(1);
    return earliest.addDays(rng.range(0, int(earliest.daysTo(latest))));
}

int ageOn(const QDate& birth, const QDate& day) {
    int age = day.year() - birth.year();
    if (day.month() < birth.month() || (day.month() == birth.month() && day.day() < birth.day()))
        --age;
    return age;
}

QString hospitalNumber(qint64 serial) {
    return QStringLiteral("%1").arg(serial, 8, 10, QLatin1Char('0'));
}
QString admissionNumber(qint64 serial) {
    return QString::number(serial);
}
QString outPatientNumber(qint64 serial) {
    return QStringLiteral("%1B").arg(serial, 7, 10, QLatin1Char('0'));
}
QString erNumber(qint64 serial) {
    return QStringLiteral("%1E").arg(serial, 6, 10, QLatin1Char('0'));
}
QString caseNumber(qint64 serial) {
    return QStringLiteral("ZEP-%1").arg(serial, 5, 10, QLatin1Char('0'));
}

QString titleCase(const QString& upper) {
    QString s = upper.toLower();
    bool start = true;
    for (QChar& c : s) {
        if (start && c.isLetter())
            c = c.toUpper();
        start = c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('.');
    }
    return s;
}

} // namespace hospitalgen
