// The classification scheme: the list the maintenance screen shows, its save (add or
// change one class) and its delete.
#include "registry.h"

#include "db/connection.h"
#include "db/procedures.h"

#include <algorithm>

namespace server {
namespace {

// The number after the "A" of a row key ("A12" gives 12), or -1 for a key of another form.
long long keyNumber(const QString& type) {
    if (type.size() < 2 || type.at(0) != QLatin1Char('A'))
        return -1;
    bool ok = false;
    const long long n = type.mid(1).toLongLong(&ok);
    return ok && n >= 0 && !type.mid(1).startsWith(QLatin1Char('+')) ? n : -1;
}

// The fifteen columns of the screen's grid, in its order. Classes come in the order they
// were added (by the number of their key), the order the scheme is usually read in: from
// full pay down to full charity.
db::Recordset loadClassification(db::Connection& c, const db::Args&) {
    db::Recordset rs = c.Query(QStringLiteral(
        "SELECT Code, Classification, PerCapitalIncome, LevelPerDependents, PFRF, OPD, IPD, "
        "Procedures, Medicines, Supplies, Room, Procedures2, Medicines2, Supplies2, Type "
        "FROM ZEP.tbZEPClassification"));
    static const char* const textColumns[] = {
        "Code", "Classification", "PerCapitalIncome", "LevelPerDependents", "PFRF", "OPD", "IPD"};
    static const char* const fractionColumns[] = {"Procedures",  "Medicines",  "Supplies", "Room",
                                                  "Procedures2", "Medicines2", "Supplies2"};
    QVector<QVector<QVariant>> rows;
    for (; !rs.Eof(); rs.MoveNext()) {
        QVector<QVariant> row;
        for (const char* name : textColumns)
            row.append(rs.Text(QString::fromLatin1(name)));
        // As plain doubles: PostgreSQL hands NUMERIC back with its scale ("0.2500").
        for (const char* name : fractionColumns)
            row.append(rs.Number(QString::fromLatin1(name)));
        row.append(rs.Text(QStringLiteral("Type")));
        rows.append(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& x, const auto& y) {
        const QString tx = x.last().toString(), ty = y.last().toString();
        const long long nx = keyNumber(tx), ny = keyNumber(ty);
        if (nx != ny)
            return nx < ny;
        return tx < ty;
    });
    return db::Recordset({QStringLiteral("Code"), QStringLiteral("Classification"),
                          QStringLiteral("PerCapitalIncome"), QStringLiteral("LevelPerDependents"),
                          QStringLiteral("PF/RF"), QStringLiteral("OPD"), QStringLiteral("IPD"),
                          QStringLiteral("IPDProcedures"), QStringLiteral("IPDMedicines"),
                          QStringLiteral("IPDSupplies"), QStringLiteral("IPDRoom"),
                          QStringLiteral("OPDProcedures"), QStringLiteral("OPDMedicines"),
                          QStringLiteral("OPDSupplies"), QStringLiteral("Type")},
                         std::move(rows));
}

// A discount fraction: empty (a box never filled) is no discount; anything else must be a
// number from 0 to 1, or the class would hand out more than the charge.
double fraction(const db::Args& a, int i, const char* what) {
    const QVariant v = a.number(i);
    if (v.isNull())
        return 0;
    const double f = v.toDouble();
    if (f < 0 || f > 1)
        db::raise(QStringLiteral("The %1 discount must lie between 0% and 100%.")
                      .arg(QString::fromLatin1(what)));
    return f;
}

// Values: key, code, in-patient procedures, medicines, supplies, room, out-patient
// procedures, medicines, supplies, name, per-capita income, level per dependents,
// professional/reader's fee, in-patient summary, out-patient summary. Changes the class
// under the key, or adds it when the key is new.
db::Recordset updateClassificationScheme(db::Connection& c, const db::Args& a) {
    const QString type = a.text(0);
    const QString code = a.text(1);
    if (type.isEmpty())
        db::raise(QStringLiteral("No classification was chosen to save."));
    if (code.isEmpty())
        db::raise(QStringLiteral("The classification code is empty."));
    const QVariantList fractions{
        fraction(a, 2, "in-patient procedures"),  fraction(a, 3, "in-patient medicines"),
        fraction(a, 4, "in-patient supplies"),    fraction(a, 5, "in-patient room"),
        fraction(a, 6, "out-patient procedures"), fraction(a, 7, "out-patient medicines"),
        fraction(a, 8, "out-patient supplies")};

    db::Transaction t(c);
    db::Recordset other = c.Query(
        QStringLiteral("SELECT Type FROM ZEP.tbZEPClassification WHERE Code = ? AND Type <> ?"),
        {code, type});
    if (!other.Eof())
        db::raise(
            QStringLiteral("The code %1 already belongs to another classification.").arg(code));

    QVariantList values{code,       a.text(9),  a.text(10), a.text(11),
                        a.text(12), a.text(13), a.text(14)};
    values += fractions;
    values.append(type);
    const long long changed = c.Execute(
        QStringLiteral("UPDATE ZEP.tbZEPClassification SET Code = ?, Classification = ?, "
                       "PerCapitalIncome = ?, LevelPerDependents = ?, PFRF = ?, IPD = ?, OPD = ?, "
                       "Procedures = ?, Medicines = ?, Supplies = ?, Room = ?, Procedures2 = ?, "
                       "Medicines2 = ?, Supplies2 = ? WHERE Type = ?"),
        values);
    if (changed == 0) {
        c.Execute(QStringLiteral("INSERT INTO ZEP.tbZEPClassification (Code, Classification, "
                                 "PerCapitalIncome, LevelPerDependents, PFRF, IPD, OPD, "
                                 "Procedures, Medicines, Supplies, Room, Procedures2, "
                                 "Medicines2, Supplies2, Type) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  values);
    }
    t.commit();
    return {};
}

// Removes the class under the key. Returns one row, Deleted: the number of classes removed
// (0 when no class has that key), so the screen can tell a delete from nothing done.
db::Recordset deleteClassification(db::Connection& c, const db::Args& a) {
    const long long n = c.Execute(
        QStringLiteral("DELETE FROM ZEP.tbZEPClassification WHERE Type = ?"), {a.text(0)});
    return db::Recordset({QStringLiteral("Deleted")}, {{QVariant(n)}});
}

} // namespace

void registerClassificationProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadClassification"), loadClassification);
    p.add(QStringLiteral("ZEP..sp_ZEP_UpdateClassificationScheme"), updateClassificationScheme);
    p.add(QStringLiteral("ZEP..sp_ZEP_DeleteClassification"), deleteClassification);
}

} // namespace server
