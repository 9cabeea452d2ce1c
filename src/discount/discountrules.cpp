#include "discountrules.h"

#include <QHash>
#include <cmath>

namespace discount {

DepartmentKind departmentKind(const QString& code) {
    static const QHash<QString, DepartmentKind> kinds = [] {
        QHash<QString, DepartmentKind> k;
        k.insert(QStringLiteral("RA"), DepartmentKind::Room);
        for (const char* c : {"XS", "CU", "UU", "RU", "CS", "KS", "OS"})
            k.insert(QString::fromLatin1(c), DepartmentKind::Supplies);
        for (const char* c : {"RN", "PH", "RM", "XD", "CN", "UM"})
            k.insert(QString::fromLatin1(c), DepartmentKind::Medicines);
        for (const char* c : {"LB", "PA", "NU", "NE", "XR", "CT", "UL", "HS", "PT", "DI", "OR"})
            k.insert(QString::fromLatin1(c), DepartmentKind::Procedures);
        k.insert(QStringLiteral("MD"), DepartmentKind::Doctors);
        return k;
    }();
    return kinds.value(code.trimmed(), DepartmentKind::Other);
}

double departmentDiscount(const QString& code, double actualCharges, const ClassFractions& f) {
    switch (departmentKind(code)) {
    case DepartmentKind::Room: return actualCharges * f.room;
    case DepartmentKind::Supplies: return actualCharges * f.supplies;
    case DepartmentKind::Medicines: return actualCharges * f.medicines;
    case DepartmentKind::Procedures: return actualCharges * f.procedures;
    case DepartmentKind::Doctors: return actualCharges;
    case DepartmentKind::Other: return 0;
    }
    return 0;
}

std::optional<QVector<double>> medicareShares(double total, const QVector<double>& amounts) {
    double sum = 0;
    for (double a : amounts)
        sum += a;
    if (sum == 0 || !std::isfinite(sum))
        return std::nullopt;
    QVector<double> shares;
    shares.reserve(amounts.size());
    for (double a : amounts)
        shares.append(total * a / sum);
    return shares;
}

double specialDiscount(const QString& revenueId, double actualCharges, double bill,
                       double counterpart, double othersTotal) {
    if (revenueId.trimmed() == QLatin1String("MD"))
        return actualCharges;
    if (othersTotal == 0)
        return 0;
    // A counterpart above the bill leaves the department nothing to cover; a negative
    // share would raise what the patient pays above the charges.
    const double covered = std::max(0.0, bill - counterpart);
    return covered * actualCharges / othersTotal;
}

QVector<double> inCentavos(const QVector<double>& shares, double total) {
    QVector<double> out;
    out.reserve(shares.size());
    qint64 given = 0;
    for (int i = 0; i < shares.size(); ++i) {
        const qint64 cents = i + 1 < shares.size() ? qint64(std::llround(shares.at(i) * 100.0))
                                                   : qint64(std::llround(total * 100.0)) - given;
        given += cents;
        out.append(double(cents) / 100.0);
    }
    return out;
}

int chargesMode(bool admission, bool hasMatching) {
    return admission ? (hasMatching ? 4 : 3) : 7;
}

int hospitalBillMode(bool admission, bool hasMatching) {
    return admission ? (hasMatching ? 7 : 6) : 10;
}

bool isAdmissionNumber(const QString& idNum) {
    const QString t = idNum.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (!c.isDigit())
            return false;
    return true;
}

QString amountText(double value) {
    const double cents = std::round(value * 100.0);
    const bool negative = cents < 0;
    const qint64 whole = qint64(std::fabs(cents)) / 100;
    const int fraction = int(qint64(std::fabs(cents)) % 100);
    QString digits = QString::number(whole);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return (negative ? QStringLiteral("-") : QString()) + digits + QLatin1Char('.') +
           QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
}

} // namespace discount
