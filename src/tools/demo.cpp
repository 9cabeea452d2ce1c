// `zep-admin demo`: the demo hospital, written into a new database in one transaction.
// Everything comes from fixed seeds, so every run writes the same hospital; only the dates
// move, each one a fixed number of days from today, so that there are always patients
// admitted now and visits of today.
#include "demo.h"

#include "demo_internal.h"

#include "components/login/accounts.h"
#include "db/connection.h"

#include <QTextStream>

namespace tools {

namespace demo {

Rows::Rows(db::Connection& c, const QString& table, const QStringList& columns, Rows* parent,
           int batch)
    : c_(c), parent_(parent), table_(table), columns_(int(columns.size())), batch_(batch) {
    head_ = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
            columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES ");
    QStringList marks;
    for (int i = 0; i < columns_; ++i)
        marks << QStringLiteral("?");
    tuple_ = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    pending_.reserve(columns_ * batch_);
}

QString Rows::text(int rows) {
    auto it = texts_.constFind(rows);
    if (it != texts_.constEnd())
        return *it;
    QStringList tuples;
    for (int i = 0; i < rows; ++i)
        tuples << tuple_;
    return *texts_.insert(rows, head_ + tuples.join(QStringLiteral(", ")));
}

void Rows::add(const QVariantList& values) {
    if (values.size() != columns_)
        db::raise(QStringLiteral("%1 values for the %2 columns of %3")
                      .arg(values.size())
                      .arg(columns_)
                      .arg(head_));
    pending_ += values;
    ++count_;
    if (pending_.size() == columns_ * batch_)
        flush();
}

void Rows::flush() {
    if (pending_.isEmpty())
        return;
    if (parent_)
        parent_->flush();
    try {
        c_.Execute(text(int(pending_.size()) / columns_), pending_);
    } catch (const db::Error& e) {
        // Say which table refused: a failing batch of fifty rows is otherwise hard to place.
        db::ErrorItem item = e.item();
        item.Description = table_ + QStringLiteral(": ") + item.Description;
        throw db::Error(item);
    }
    pending_.clear();
}

QString stamp(const QDate& day, const QTime& time) {
    return day.toString(Qt::ISODate) + QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
}

double pesos(qint64 centavos) {
    return double(centavos) / 100.0;
}

namespace {

struct Person {
    const char *id, *last, *first, *middle, *licence, *position, *dept;
    bool active;
};

// The department's staff and the demo users. Passwords are fixed so that the newcomer's
// notes stay right from one demo database to the next.
const Person kStaff[] = {
    {"SW01", "Dimaculangan", "Teresita", "Mendoza", "0004512", "Social Welfare Officer IV (Head)",
     "ZEP", true},
    {"SW02", "Reyes", "Ana Liza", "Bautista", "0021877", "Social Welfare Officer II", "ZEP", true},
    {"SW03", "Bautista", "Joel", "Cruz", "0030215", "Social Welfare Officer II", "ZEP", true},
    {"SW04", "Dela Paz", "Maricel", "Santos", "0035540", "Social Welfare Officer I", "ZEP", true},
    {"SW05", "Santiago", "Rodel", "Pascual", "0041196", "Social Welfare Officer I", "ZEP", true},
    {"SW06", "Manalo", "Cristina", "Villanueva", "0018803", "Social Welfare Officer III", "ZEP",
     true},
    {"SW07", "Galvez", "Patricia", "Ramos", "0047731", "Social Welfare Officer I", "ZEP", true},
    {"SW08", "Tolentino", "Ramon", "Dizon", "0012269", "Social Welfare Officer II (resigned)",
     "ZEP", false},
    {"BL01", "Lim", "Romeo", "Tan", "", "Billing Clerk", "BILLING", true},
};

struct User {
    const char *name, *employee, *password, *rights, *dept, *role;
};

const User kUsers[] = {
    {"TESS", "SW01", "tess2468", "A", "ZEP", "supervisor, right A"},
    {"ANA", "SW02", "ana1357", "", "ZEP", "social worker"},
    {"JOEL", "SW03", "joel8642", "", "ZEP", "social worker"},
    {"ROMY", "BL01", "romy9753", "", "BILLING", "billing clerk, another department"},
};

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

Staff writeStaff(db::Connection& c, QTextStream& users) {
    Staff staff;
    for (const Person& p : kStaff) {
        login::addEmployee(c, login::Employee{u8(p.id), u8(p.last), u8(p.first), u8(p.middle),
                                              u8(p.licence), u8(p.position), u8(p.dept), p.active});
        if (p.active && u8(p.dept) == QLatin1String("ZEP")) {
            staff.workerIds << u8(p.id);
            staff.workerNames << login::fullName(u8(p.last), u8(p.first), u8(p.middle));
        }
        if (u8(p.dept) == QLatin1String("BILLING"))
            staff.billingClerk = u8(p.id);
    }
    for (const User& u : kUsers) {
        login::addUser(c, u8(u.name), u8(u.employee), u8(u.password), u8(u.dept), u8(u.rights));
        users << u8(u.name) << QStringLiteral(" / ") << u8(u.password) << QStringLiteral(" (")
              << u8(u.role) << QStringLiteral(")\n");
    }
    users.flush();
    staff.nurses =
        QStringList{QStringLiteral("Nurse Rowena Macaraeg"), QStringLiteral("Nurse Jerome Salonga"),
                    QStringLiteral("Nurse Kristine Abad"), QStringLiteral("Nurse Edgardo Umali"),
                    QStringLiteral("Nurse Liezl Bagtas")};
    return staff;
}

} // namespace demo

void createDemo(db::Connection& conn, QTextStream& users) {
    using namespace demo;
    db::Transaction t(conn);
    const db::Recordset held = conn.Query(
        QStringLiteral("SELECT (SELECT COUNT(*) FROM PATIENT_DATA.tbMaster) AS patients, "
                       "(SELECT COUNT(*) FROM PATIENT_DATA.tbHospitalInfo) AS hospitals"));
    if (held.Number(QStringLiteral("patients")) > 0 || held.Number(QStringLiteral("hospitals")) > 0)
        db::raise(QStringLiteral("This database already holds a hospital's patients; the demo "
                                 "hospital is written only into a new database."));

    World world;
    world.today = QDate::currentDate();
    Catalogues cat;
    writeHospital(conn);
    writeCatalogues(conn, cat);

    // The users go to a buffer first: nothing is printed unless the whole demo commits.
    QString accounts;
    QTextStream accountLines(&accounts);
    const Staff staff = writeStaff(conn, accountLines);

    // Each piece draws from its own seed, so that a change in one leaves the others alone.
    hospitalgen::Rng people(0x5EED0001);
    buildPatients(people, cat, world);
    hospitalgen::Rng cases(0x5EED0003);
    assignCases(cases, cat, world);
    writePatients(conn, cat, world);

    QVector<Assessed> assessed;
    hospitalgen::Rng casework(0x5EED0004);
    writeCasework(conn, casework, cat, staff, world, assessed);
    hospitalgen::Rng bills(0x5EED0005);
    writeBilling(conn, bills, cat, staff, world, assessed);
    hospitalgen::Rng cashier(0x5EED0006);
    writePayments(conn, cashier, staff, world);
    t.commit();
    users << accounts;
    users.flush();
}

} // namespace tools
