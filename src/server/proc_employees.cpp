// The department's employees: the worker lookup's search and the name behind a worker code.
#include "registry.h"

#include "db/connection.h"
#include "db/procedures.h"
#include "names.h"

#include <algorithm>

namespace server {
namespace {

// The search text matches an employee when it occurs anywhere, ignoring case, in the code,
// in one of the names or in the name as the list shows it ("cruz, j"). Matching "anywhere"
// rather than "at the start" lets a worker be found by a middle name or part of a code.
// The list of a department's workers is short, so it is read whole and filtered here:
// that folds case the same way on both engines, for names such as PEÑA too, and a typed
// "%" or "_" is just a character.
db::Recordset getEmployees(db::Connection& c, const db::Args& a) {
    const QString text = a.text(0);
    db::Recordset rs =
        c.Query(QStringLiteral("SELECT EmployeeID, LastName, FirstName, MiddleName "
                               "FROM ZEP.tbZEPEmployee WHERE Active = 1 AND DeptCode = ?"),
                {QStringLiteral("ZEP")});

    struct Row {
        QString id, name;
    };
    QVector<Row> found;
    for (; !rs.Eof(); rs.MoveNext()) {
        const QString id = rs.Text(QStringLiteral("EmployeeID")).trimmed();
        const QString last = rs.Text(QStringLiteral("LastName"));
        const QString first = rs.Text(QStringLiteral("FirstName"));
        const QString middle = rs.Text(QStringLiteral("MiddleName"));
        const QString name = personName(last, first, middle);
        const bool match =
            text.isEmpty() || id.contains(text, Qt::CaseInsensitive) ||
            last.contains(text, Qt::CaseInsensitive) || first.contains(text, Qt::CaseInsensitive) ||
            middle.contains(text, Qt::CaseInsensitive) || name.contains(text, Qt::CaseInsensitive);
        if (match)
            found.append({id, name});
    }

    // By name, then code; the same order on both engines whatever their collation.
    std::sort(found.begin(), found.end(), [](const Row& x, const Row& y) {
        const int byName = x.name.compare(y.name, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : x.id < y.id;
    });

    QVector<QVector<QVariant>> rows;
    rows.reserve(found.size());
    for (const Row& r : found)
        rows.append({r.id, r.name});
    return db::Recordset({QStringLiteral("EmployeeID"), QStringLiteral("EmployeeName")},
                         std::move(rows));
}

// Any employee on file, active or not: a saved sheet still names a worker who has left.
db::Recordset getEmployeeName(db::Connection& c, const db::Args& a) {
    db::Recordset rs =
        c.Query(QStringLiteral("SELECT LastName, FirstName, MiddleName, LicenseNumber "
                               "FROM ZEP.tbZEPEmployee WHERE EmployeeID = ?"),
                {a.text(0)});
    QVector<QVector<QVariant>> rows;
    if (!rs.Eof()) {
        rows.append(
            {personName(rs.Text(QStringLiteral("LastName")), rs.Text(QStringLiteral("FirstName")),
                          rs.Text(QStringLiteral("MiddleName"))),
             rs.Text(QStringLiteral("LicenseNumber")).trimmed()});
    }
    return db::Recordset({QStringLiteral("EmployeeName"), QStringLiteral("licensenumber")},
                         std::move(rows));
}

} // namespace

void registerEmployeeProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("ZEP..sp_ZEP_GetEmployees"), getEmployees);
    p.add(QStringLiteral("ZEP..sp_ZEP_GetEmployeeName"), getEmployeeName);
}

} // namespace server
