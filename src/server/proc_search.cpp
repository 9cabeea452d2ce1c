// The patient search list's five procedures. Each takes, in this order: hospital number,
// last name, admission number, first name, middle name (empty = no condition) and returns
// IDNUM, HospNum, AdmDate, LastName, FirstName, MiddleName, RoomID, ZEP, Address, dcrdate,
// BillingDate.
//
// What each returns:
// - In-patients: with no condition, the patients admitted now; with conditions, every
//   admission that matches, current or past.
// - Out-patients and ER: with no condition, today's visits; with conditions, every visit
//   that matches.
// - All patients: in-patient, out-patient and ER visits that match, together.
// - ZEP patients: patients who hold a case number, each with his latest visit of any kind
//   (kept on the master record by the visit tables' triggers).
// Names match by prefix (the screens send them upper-case, as the master file keeps them);
// hospital and admission numbers match exactly. Results are capped: a search never returns
// more than searchLimit() + 1 rows, the extra row telling the screen that there were more.
#include "registry.h"
#include "search.h"

#include "db/connection.h"
#include "db/procedures.h"

#include <QDate>
#include <QHash>
#include <functional>
#include <mutex>

namespace server {
namespace {

// The smallest text greater than every text that starts with `prefix`: the upper bound of
// a prefix range that a plain index can answer on both engines.
QString prefixEnd(const QString& prefix) {
    QString end = prefix;
    end.back() = QChar(end.back().unicode() + 1);
    return end;
}

// LIKE's own characters in a typed name are meant literally.
QString likePrefix(const QString& prefix) {
    QString p = prefix;
    p.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    p.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    p.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return p + QLatin1Char('%');
}

struct Criteria {
    QString hospNum, lastName, idNum, firstName, middleName;
    explicit Criteria(const db::Args& a)
        : hospNum(a.text(0)), lastName(a.text(1).toUpper()), idNum(a.text(2)),
          firstName(a.text(3).toUpper()), middleName(a.text(4).toUpper()) {}
    bool none() const {
        return hospNum.isEmpty() && lastName.isEmpty() && idNum.isEmpty() &&
               firstName.isEmpty() && middleName.isEmpty();
    }
};

// How the last name matches: as a prefix (every last name that starts with it), or one of
// the two halves of that prefix: this very last name, or the longer ones.
enum class LastName { Prefix, Exact, Longer };

// The WHERE conditions for the criteria given, over the visit alias `v` and master `m`.
// Only the conditions present are written, so each form of search gets its own plan.
void addConditions(const Criteria& c, QStringList& where, QVariantList& values,
                   LastName last = LastName::Prefix) {
    if (!c.hospNum.isEmpty()) {
        where << QStringLiteral("m.HospNum = ?");
        values << c.hospNum;
    }
    if (!c.idNum.isEmpty()) {
        where << QStringLiteral("v.IdNum = ?");
        values << c.idNum;
    }
    const auto name = [&](const QString& column, const QString& prefix) {
        if (prefix.isEmpty())
            return;
        where << QStringLiteral("m.%1 >= ? AND m.%1 < ? AND m.%1 LIKE ? ESCAPE '\\'").arg(column);
        values << prefix << prefixEnd(prefix) << likePrefix(prefix);
    };
    if (last == LastName::Exact) {
        where << QStringLiteral("m.LastName = ?");
        values << c.lastName;
    } else if (last == LastName::Longer) {
        where << QStringLiteral("m.LastName > ? AND m.LastName < ? AND m.LastName LIKE ? ESCAPE '\\'");
        values << c.lastName << prefixEnd(c.lastName) << likePrefix(c.lastName);
    } else {
        name(QStringLiteral("LastName"), c.lastName);
    }
    name(QStringLiteral("FirstName"), c.firstName);
    name(QStringLiteral("MiddleName"), c.middleName);
}

const QString kAddress = QStringLiteral(
    "TRIM(COALESCE(m.HouseStreet, '') || CASE WHEN COALESCE(m.Barangay, '') = '' THEN '' "
    "ELSE ' ' || m.Barangay END || CASE WHEN COALESCE(m.Town, '') = '' THEN '' ELSE ', ' || "
    "m.Town END || CASE WHEN COALESCE(m.Province, '') = '' THEN '' ELSE ', ' || m.Province END)");

struct VisitKind {
    const char* table;   // the visit table
    const char* room;    // its room column, or NULL
    const char* bill;    // the billing table its charges are in
};
const VisitKind kInPatient{"PATIENT_DATA.tbPatient2", "v.RoomID", "BILLING.tbBillDailyBill"};
const VisitKind kOutPatient{"PATIENT_DATA.tbOutPatient", "NULL", "BILLING.tbBillOPDailyOut"};
const VisitKind kER{"PATIENT_DATA.tbERMaster", "NULL", "BILLING.tbBillOPDailyOut"};

// The statement texts depend only on which criteria are given, so each is built once; a
// search is then the cost of the query itself. Connections of several threads (a server
// process, the load bench) search at once, so the texts are shared under a lock.
QString memo(const QString& key, const std::function<QString()>& make) {
    static QHash<QString, QString> texts;
    static std::mutex lock;
    const std::lock_guard guard(lock);
    auto it = texts.constFind(key);
    if (it == texts.constEnd())
        it = texts.insert(key, make());
    return it.value();
}

QString selectVisits(const VisitKind& k) {
    return QStringLiteral(
               "SELECT v.IdNum AS IDNUM, v.HospNum AS HospNum, v.AdmDate AS AdmDate, "
               "m.LastName AS LastName, m.FirstName AS FirstName, m.MiddleName AS MiddleName, "
               "%1 AS RoomID, m.ZEPNum AS ZEP, %2 AS Address, v.DcrDate AS dcrdate, "
               "(SELECT MAX(b.TransDate) FROM %3 b WHERE b.IdNum = v.IdNum) AS BillingDate "
               "FROM %4 v JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum")
        .arg(QLatin1String(k.room), kAddress, QLatin1String(k.bill), QLatin1String(k.table));
}

// With names the rows come in name order, exactly the name index's order, so that a search
// for a common name walks the index and stops at the cap instead of sorting every visit of
// every SANTOS first; otherwise the newest visit first.
QString orderFor(const Criteria& c) {
    if (!c.lastName.isEmpty() || !c.firstName.isEmpty() || !c.middleName.isEmpty())
        return QStringLiteral(" ORDER BY LastName, FirstName, MiddleName");
    return QStringLiteral(" ORDER BY AdmDate DESC, IDNUM");
}

QString limit() { return QStringLiteral(" LIMIT %1").arg(searchLimit() + 1); }

// A search by last and first name. The name index is in last-name order, so a prefix range
// on the last name cannot use the first name: it would read every patient whose last name
// starts so (every SANTOS, to find the few SANTOS, PEDRO). The prefix is therefore asked in
// two halves, each a range the index answers with both names: this very last name, whose
// first names narrow it, and then the longer last names (SANTOSA, SANTOS-REYES ...). In name
// order the first half comes wholly before the second, so the two together are the prefix
// search's rows in its order; the second is asked only for what the cap leaves.
bool splitsLastName(const Criteria& c) { return !c.lastName.isEmpty() && !c.firstName.isEmpty(); }

// One half of a split search: its statement (ending in "LIMIT ?") and its values.
struct Half {
    QString sql;
    QVariantList values;
};

db::Recordset queryHalves(db::Connection& conn, const Half& exact, const Half& longer) {
    const int cap = searchLimit() + 1;
    db::Recordset first = conn.Query(exact.sql, exact.values + QVariantList{cap});
    if (first.RecordCount() >= cap)
        return first;
    db::Recordset rest =
        conn.Query(longer.sql, longer.values + QVariantList{cap - first.RecordCount()});
    if (first.RecordCount() == 0)
        return rest;
    QVector<QVector<QVariant>> rows = first.Rows();
    rows += rest.Rows();
    return db::Recordset(first.FieldNames(), std::move(rows));
}

enum class Empty { AdmittedNow, Today };

db::Recordset searchVisits(db::Connection& conn, const db::Args& a, const VisitKind& k,
                           Empty whenEmpty) {
    const Criteria c(a);
    QStringList where;
    QVariantList values;
    if (c.none()) {
        if (whenEmpty == Empty::AdmittedNow) {
            where << QStringLiteral("v.DcrDate IS NULL");
        } else {
            // Today's visits: a range on the visit time, so the AdmDate index answers it.
            where << QStringLiteral("v.AdmDate >= ? AND v.AdmDate < ?");
            const QDate today = QDate::currentDate();
            values << today.toString(Qt::ISODate) << today.addDays(1).toString(Qt::ISODate);
        }
    }
    const auto statement = [&](LastName last, const QString& tail) {
        QStringList w = where;
        QVariantList v = values;
        addConditions(c, w, v, last);
        const QString conditions = w.join(QStringLiteral(" AND "));
        return Half{memo(QLatin1String(k.table) + conditions + tail, [&] {
                        return selectVisits(k) +
                               (conditions.isEmpty() ? QString()
                                                     : QStringLiteral(" WHERE ") + conditions) +
                               orderFor(c) + tail;
                    }),
                    v};
    };
    if (splitsLastName(c))
        return queryHalves(conn, statement(LastName::Exact, QStringLiteral(" LIMIT ?")),
                           statement(LastName::Longer, QStringLiteral(" LIMIT ?")));
    const Half whole = statement(LastName::Prefix, limit());
    return conn.Query(whole.sql, whole.values);
}

// The server's form of All Patients: the master by name, joined to the three visit tables
// as one. The server reads the three tables' indexes for each patient in name order and
// stops at the cap; it does not merge three separately ordered joins.
QString selectAllVisitsJoined() {
    return QStringLiteral(
               "SELECT v.IdNum AS IDNUM, v.HospNum AS HospNum, v.AdmDate AS AdmDate, "
               "m.LastName AS LastName, m.FirstName AS FirstName, m.MiddleName AS MiddleName, "
               "v.RoomID AS RoomID, m.ZEPNum AS ZEP, %1 AS Address, v.DcrDate AS dcrdate, "
               "CASE WHEN v.Kind = 1 THEN (SELECT MAX(b.TransDate) FROM %2 b WHERE b.IdNum = "
               "v.IdNum) ELSE (SELECT MAX(b.TransDate) FROM %3 b WHERE b.IdNum = v.IdNum) END "
               "AS BillingDate FROM PATIENT_DATA.tbMaster m JOIN ("
               "SELECT IdNum, HospNum, AdmDate, DcrDate, RoomID, 1 AS Kind FROM %4 UNION ALL "
               "SELECT IdNum, HospNum, AdmDate, DcrDate, NULL, 2 FROM %5 UNION ALL "
               "SELECT IdNum, HospNum, AdmDate, DcrDate, NULL, 3 FROM %6"
               ") v ON v.HospNum = m.HospNum")
        .arg(kAddress, QLatin1String(kInPatient.bill), QLatin1String(kOutPatient.bill),
             QLatin1String(kInPatient.table), QLatin1String(kOutPatient.table),
             QLatin1String(kER.table));
}

db::Recordset searchAll(db::Connection& conn, const db::Args& a) {
    const Criteria c(a);
    const bool server = conn.dialect().backend() == db::Backend::PostgreSQL;
    const auto statement = [&](LastName last, const QString& tail) {
        QStringList conditions;
        QVariantList once;
        addConditions(c, conditions, once, last);
        const QString key = conditions.join(QStringLiteral(" AND "));
        const QString where = key.isEmpty() ? QString() : QStringLiteral(" WHERE ") + key;
        if (server)
            return Half{memo(QStringLiteral("all/pg:") + key + tail,
                             [&] { return selectAllVisitsJoined() + where + orderFor(c) + tail; }),
                        once};
        // The embedded engine's statement states the conditions once per kind of visit.
        return Half{memo(QStringLiteral("all:") + key + tail,
                         [&] {
                             // One compound statement ordered as a whole: the embedded engine
                             // merges the three kinds of visit, each read in its index's
                             // order, and stops at the cap, instead of reading up to the cap
                             // from each and sorting the three lists together.
                             QStringList parts;
                             for (const VisitKind* k : {&kInPatient, &kOutPatient, &kER})
                                 parts << selectVisits(*k) + where;
                             return parts.join(QStringLiteral(" UNION ALL ")) + orderFor(c) +
                                    tail;
                         }),
                    once + once + once};
    };
    if (splitsLastName(c))
        return queryHalves(conn, statement(LastName::Exact, QStringLiteral(" LIMIT ?")),
                           statement(LastName::Longer, QStringLiteral(" LIMIT ?")));
    const Half whole = statement(LastName::Prefix, limit());
    return conn.Query(whole.sql, whole.values);
}

db::Recordset searchZepPatients(db::Connection& conn, const db::Args& a) {
    const Criteria c(a);
    QStringList where{QStringLiteral("m.ZEPNum <> ''")};
    QVariantList values;
    // The admission number is the patient's latest visit (kept on the master record);
    // the visit tables' keys find whose it is.
    if (!c.idNum.isEmpty()) {
        where << QStringLiteral(
            "m.HospNum IN (SELECT HospNum FROM PATIENT_DATA.tbPatient2 WHERE IdNum = ? UNION ALL "
            "SELECT HospNum FROM PATIENT_DATA.tbOutPatient WHERE IdNum = ? UNION ALL SELECT "
            "HospNum FROM PATIENT_DATA.tbERMaster WHERE IdNum = ?) AND m.LastVisitIdNum = ?");
        values << c.idNum << c.idNum << c.idNum << c.idNum;
    }
    Criteria masterOnly = c;
    masterOnly.idNum.clear();
    const auto statement = [&](LastName last, const QString& tail) {
        QStringList w = where;
        QVariantList v = values;
        addConditions(masterOnly, w, v, last);
        const QString conditions = w.join(QStringLiteral(" AND "));
        return Half{memo(QStringLiteral("zep:") + conditions + tail, [&] {
                        return QStringLiteral(
                                   "SELECT m.LastVisitIdNum AS IDNUM, m.HospNum AS HospNum, "
                                   "NULL AS AdmDate, m.LastName AS LastName, m.FirstName AS "
                                   "FirstName, m.MiddleName AS MiddleName, NULL AS RoomID, "
                                   "m.ZEPNum AS ZEP, %1 AS Address, NULL AS dcrdate "
                                   "FROM PATIENT_DATA.tbMaster m WHERE %2 "
                                   "ORDER BY LastName, FirstName, MiddleName")
                                   .arg(kAddress, conditions) +
                               tail;
                    }),
                    v};
    };
    if (splitsLastName(c))
        return queryHalves(conn, statement(LastName::Exact, QStringLiteral(" LIMIT ?")),
                           statement(LastName::Longer, QStringLiteral(" LIMIT ?")));
    const Half whole = statement(LastName::Prefix, limit());
    return conn.Query(whole.sql, whole.values);
}

} // namespace

int searchLimit() { return 2000; }

void registerSearchProcedures() {
    auto& p = db::Procedures::instance();
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadInPatient"), [](db::Connection& c, const db::Args& a) {
        return searchVisits(c, a, kInPatient, Empty::AdmittedNow);
    });
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadOutPatient"), [](db::Connection& c, const db::Args& a) {
        return searchVisits(c, a, kOutPatient, Empty::Today);
    });
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadERPatient"), [](db::Connection& c, const db::Args& a) {
        return searchVisits(c, a, kER, Empty::Today);
    });
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadAllServicePatient"), searchAll);
    p.add(QStringLiteral("ZEP..sp_ZEP_LoadZEPPatient"), searchZepPatients);
}

} // namespace server
