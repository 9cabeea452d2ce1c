// The hospital's item master as the service rate file reads and writes it: the active
// items of one revenue centre, one item's details under its department's own column names,
// and the one change the department may make to an item, its QFS discount type and rate.
// Items live in BUILD_FILE.tbCoRevenueItem; the per-department tables are views of it.
#include "registry.h"

#include "db/connection.h"
#include "db/procedures.h"

#include <cmath>

namespace server {
namespace {

// The department's code and name columns ("LB" → LabExamID, LabExam); every other revenue
// centre uses the other-revenue names.
struct ItemColumns {
    QString code, name;
};

ItemColumns columnsFor(const QString& dept) {
    static const struct {
        const char *dept, *stem;
    } stems[] = {{"LB", "Lab"}, {"XR", "Xray"}, {"US", "Ultra"}, {"CT", "CT"},
                 {"NU", "Nuc"}, {"PT", "PT"},   {"PA", "RTS"},   {"HS", "HS"}};
    for (const auto& s : stems)
        if (dept.compare(QLatin1String(s.dept), Qt::CaseInsensitive) == 0) {
            const QString stem = QString::fromLatin1(s.stem);
            return {stem + QStringLiteral("ExamID"), stem + QStringLiteral("Exam")};
        }
    return {QStringLiteral("OtherRevenueiD"), QStringLiteral("OtherRevenue")};
}

// sp_Bui_Find_Revenue_Center_Items_Active 'RevenueID': the centre's active items by name,
// in the exams grid's column order (a blank first column, name, code, section, rates A to
// E, FixRate, status).
db::Recordset findRevenueCenterItemsActive(db::Connection& c, const db::Args& a) {
    return c.Query(QStringLiteral(
                       "SELECT '' AS Dumm, ItemName, ItemID, SectionID, RateA, RateB, RateC, RateD, "
                       "RateE, FixRate, RecordStatus FROM BUILD_FILE.tbCoRevenueItem "
                       "WHERE RevenueID = ? AND RecordStatus = 'A' ORDER BY ItemName, ItemID"),
                   {a.text(0)});
}

// sp_Bui_Show_Item_Details 'RevenueID','ItemID': the item under its department's column
// names, with its rates and QFS properties; no row when the item is not on file.
db::Recordset showItemDetails(db::Connection& c, const db::Args& a) {
    const ItemColumns cols = columnsFor(a.text(0));
    return c.Query(QStringLiteral("SELECT ItemID AS %1, ItemName AS %2, RateA, RateB, RateC, RateD, "
                                  "RateE, QFSType, QFSRate FROM BUILD_FILE.tbCoRevenueItem "
                                  "WHERE RevenueID = ? AND ItemID = ?")
                       .arg(cols.code, cols.name),
                   {a.text(0), a.text(1)});
}

// sp_Bui_UpdateQFSDiscount 'RevenueID','ItemID','QFSType','QFSRate': sets the two QFS
// properties of one item. An empty type is stored as 1 (use the patient's classification),
// the column's default. A type outside 0 to 3 or a rate outside 0 to 1 is refused rather
// than stored. Returns one row, `Updated`: how many items were changed (0 when the item is
// not on file), so that the screen never reports a save that did not happen.
db::Recordset updateQFSDiscount(db::Connection& c, const db::Args& a) {
    const QString typeText = a.text(2);
    int type = 1;
    if (!typeText.isEmpty()) {
        bool ok = false;
        type = typeText.toInt(&ok);
        if (!ok || type < 0 || type > 3)
            db::raise(QStringLiteral("The QFS discount type must be 0, 1, 2 or 3."));
    }
    const double rate = a.numberOr0(3);
    if (!std::isfinite(rate) || rate < 0 || rate > 1)
        db::raise(QStringLiteral("The QFS discount rate must be a fraction from 0 to 1."));
    const long long n = c.Execute(
        QStringLiteral("UPDATE BUILD_FILE.tbCoRevenueItem SET QFSType = ?, QFSRate = ? "
                       "WHERE RevenueID = ? AND ItemID = ?"),
        {type, std::round(rate * 10000.0) / 10000.0, a.text(0), a.text(1)});
    return db::Recordset({QStringLiteral("Updated")}, {{QVariant(n)}});
}

} // namespace

void registerFileMaintenanceProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("BUILD_FILE..sp_Bui_Find_Revenue_Center_Items_Active"),
          findRevenueCenterItemsActive);
    p.add(QStringLiteral("BUILD_FILE..sp_Bui_Show_Item_Details"), showItemDetails);
    p.add(QStringLiteral("BUILD_FILE..sp_Bui_UpdateQFSDiscount"), updateQFSDiscount);
}

} // namespace server
