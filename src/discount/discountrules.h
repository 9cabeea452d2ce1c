#pragma once
// The arithmetic of the discount computation that needs no database and no widget: the
// department table of a special assessment, the pro-rata medicare shares, the special
// arrangement's discount, the modes the billing procedures are asked for, the amount format.
#include <QString>
#include <QVector>
#include <optional>

namespace discount {

// A class's four discount fractions (0 to 1) as the computation applies them.
struct ClassFractions {
    double procedures = 0, supplies = 0, medicines = 0, room = 0;
};

// Which fraction a department code takes in a special assessment.
enum class DepartmentKind { Room, Supplies, Medicines, Procedures, Doctors, Other };
DepartmentKind departmentKind(const QString& code);

// The discount a department shows in a special assessment: its actual charges times the
// fraction its code takes, the doctors' fees ("MD") in full, any other code 0.
double departmentDiscount(const QString& code, double actualCharges, const ClassFractions& f);

// The other items' medicare `total` shared over items in proportion to their amounts, in
// their order. Nothing when the amounts add up to 0: there is nothing to share it by.
std::optional<QVector<double>> medicareShares(double total, const QVector<double>& amounts);

// A department's discount in a special arrangement: the doctors' fees ("MD") in full;
// every other department its part of what the department covers, the hospital `bill` less
// the negotiated `counterpart` (never less than 0), in proportion to its charges among
// `othersTotal`, the charges of all departments other than "MD" (0 when that is 0).
double specialDiscount(const QString& revenueId, double actualCharges, double bill,
                       double counterpart, double othersTotal);

// Amounts shared out of `total`, each rounded to centavos, the last taking what rounding
// left over so that they add up to the total in centavos (1,000 over three equal items
// gives 333.33, 333.33 and 333.34, not 999.99 in all).
QVector<double> inCentavos(const QVector<double>& shares, double total);

// The modes of the billing procedures for a visit: an admission with its matching
// out-patient visit, an admission without one, any other visit.
int chargesMode(bool admission, bool hasMatching);  // 4, 3, 7
int hospitalBillMode(bool admission, bool hasMatching); // 7, 6, 10

// True for a visit number of an admission (all digits).
bool isAdmissionNumber(const QString& idNum);

// Money as the screen shows it: thousands separated by commas, two decimals
// ("##,###,###,##0.00"): 1234.5 gives "1,234.50", 0 gives "0.00", -8 gives "-8.00".
QString amountText(double value);

} // namespace discount
