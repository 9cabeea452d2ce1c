// The demo patients as the hospital's tables hold them: the master file and the three
// kinds of visit, written in the order the visits happened.
#include "demo_internal.h"

#include "db/connection.h"

#include <QSet>
#include <algorithm>

namespace tools::demo {

using namespace hospitalgen;

namespace {

QVariant dateOrNull(const QDate& d) {
    return d.isNull() ? QVariant() : QVariant(d.toString(Qt::ISODate));
}
QVariant textOrNull(const QString& s) {
    return s.isEmpty() ? QVariant() : QVariant(s);
}
QVariant stampOrNull(const QDate& d, const QTime& t) {
    return d.isNull() ? QVariant() : QVariant(stamp(d, t));
}

QString referringDoctor(Rng& rng, const Catalogues& cat, const Visit& v) {
    const int r = rng.range(0, 99);
    if (r < 45)
        return {};
    if (r < 75)
        return cat.doctors[(v.doctor + 1 + rng.range(0, 5)) % cat.doctors.size()].name;
    const Town& t = towns().at(homeAddress(rng).town);
    return QStringLiteral("Dr. ") + titleCase(givenName(rng, Sex(rng.range(0, 1)), 50)) +
           QLatin1Char(' ') + titleCase(surname(rng)) + QStringLiteral(" (") + t.town +
           QStringLiteral(" District Hospital)");
}

} // namespace

void writePatients(db::Connection& c, const Catalogues& cat, const World& w) {
    Rng rng(0x5EED0002);
    Rows master(c, QStringLiteral("PATIENT_DATA.tbMaster"),
                {QStringLiteral("HospNum"),
                 QStringLiteral("LastName"),
                 QStringLiteral("FirstName"),
                 QStringLiteral("MiddleName"),
                 QStringLiteral("Sex"),
                 QStringLiteral("BirthDate"),
                 QStringLiteral("BirthPlace"),
                 QStringLiteral("CivilStatus"),
                 QStringLiteral("Religion"),
                 QStringLiteral("Occupation"),
                 QStringLiteral("HouseStreet"),
                 QStringLiteral("Barangay"),
                 QStringLiteral("Town"),
                 QStringLiteral("Province"),
                 QStringLiteral("ZipCode"),
                 QStringLiteral("TelNumber"),
                 QStringLiteral("PatientStatus"),
                 QStringLiteral("Employer"),
                 QStringLiteral("EmployerAddress"),
                 QStringLiteral("SSSGSIS"),
                 QStringLiteral("ZEPNum"),
                 QStringLiteral("ZEPClassification"),
                 QStringLiteral("ZEPDiscountValidity"),
                 QStringLiteral("ZEPDiscountExpiry")});
    for (const Patient& p : w.patients) {
        const Town& home = towns().at(p.address.town);
        const Town& born = towns().at(p.birthTown);
        master.add({p.hospNum,
                    p.name.last,
                    p.name.first,
                    p.name.middle,
                    p.sex == Sex::Male ? QStringLiteral("M") : QStringLiteral("F"),
                    p.birth.toString(Qt::ISODate),
                    born.town + QStringLiteral(", ") + born.province,
                    p.civil,
                    p.religion,
                    p.work.occupation,
                    p.address.houseStreet,
                    p.address.barangay,
                    home.town,
                    home.province,
                    home.zipCode,
                    textOrNull(p.phone),
                    p.work.status,
                    textOrNull(p.work.employer),
                    textOrNull(p.work.employerAddress),
                    textOrNull(p.work.membership),
                    textOrNull(p.zepNum),
                    textOrNull(p.classLapsed ? QString() : p.classCode),
                    dateOrNull(p.validity),
                    dateOrNull(p.expiry)});
    }
    master.flush();

    // In the order the visits happened, so that the tables read like the hospital's own.
    QVector<int> order(w.visits.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return w.visits[a].idNum.size() != w.visits[b].idNum.size()
                   ? w.visits[a].idNum.size() < w.visits[b].idNum.size()
                   : w.visits[a].idNum < w.visits[b].idNum;
    });

    Rows opd(c, QStringLiteral("PATIENT_DATA.tbOutPatient"),
             {QStringLiteral("IdNum"), QStringLiteral("HospNum"), QStringLiteral("AdmDate"),
              QStringLiteral("DcrDate"), QStringLiteral("PatientType"), QStringLiteral("DoctorID"),
              QStringLiteral("Complaint"), QStringLiteral("Remarks")});
    Rows er(c, QStringLiteral("PATIENT_DATA.tbERMaster"),
            {QStringLiteral("IdNum"), QStringLiteral("HospNum"), QStringLiteral("AdmDate"),
             QStringLiteral("DcrDate"), QStringLiteral("PatientClassification"),
             QStringLiteral("DoctorID"), QStringLiteral("Complaint"), QStringLiteral("Disposition"),
             QStringLiteral("Remarks")});
    for (int i : order) {
        const Visit& v = w.visits[i];
        const Problem& pr = problems().at(v.problem);
        const QString hosp = w.patients[v.patient].hospNum;
        if (v.kind == Kind::OutPatient) {
            QString remarks;
            if (v.disposition == QLatin1String("ADMITTED"))
                remarks = QStringLiteral("For admission");
            else if (v.problem == 14)
                remarks = QStringLiteral("HD session, ") +
                          (rng.percent(60) ? QStringLiteral("tolerated well")
                                           : QStringLiteral("hypotensive episode, managed"));
            opd.add({v.idNum, hosp, stamp(v.admDay, v.admTime), stampOrNull(v.dcrDay, v.dcrTime),
                     QString(v.cls), cat.doctors[v.doctor].id, QString::fromUtf8(pr.complaint),
                     textOrNull(remarks)});
        } else if (v.kind == Kind::ER) {
            er.add({v.idNum, hosp, stamp(v.admDay, v.admTime), stampOrNull(v.dcrDay, v.dcrTime),
                    QString(v.cls), cat.doctors[v.doctor].id, QString::fromUtf8(pr.complaint),
                    textOrNull(v.disposition),
                    v.current() ? QVariant(QStringLiteral("Under observation")) : QVariant()});
        }
    }
    opd.flush();
    er.flush();

    Rows adm(c, QStringLiteral("PATIENT_DATA.tbPatient2"),
             {QStringLiteral("IdNum"), QStringLiteral("HospNum"), QStringLiteral("AdmDate"),
              QStringLiteral("DcrDate"), QStringLiteral("RoomID"), QStringLiteral("PatientClass"),
              QStringLiteral("DoctorID"), QStringLiteral("ReferringDoctor"),
              QStringLiteral("NewAdmission"), QStringLiteral("OPDIdNum"),
              QStringLiteral("ChiefComplaint"), QStringLiteral("AdmittingDiagnosis"),
              QStringLiteral("AdmittingImpression"), QStringLiteral("Procedures"),
              QStringLiteral("Remarks"), QStringLiteral("Disposition")});
    QSet<int> admittedBefore;
    static const QVector<QString> remarks{QString(),
                                          QString(),
                                          QStringLiteral("PhilHealth member"),
                                          QStringLiteral("Watcher: spouse"),
                                          QStringLiteral("Watcher: daughter"),
                                          QStringLiteral("Needs financial assistance"),
                                          QStringLiteral("Referred to social service"),
                                          QStringLiteral("Known hypertensive, diabetic")};
    for (int i : order) {
        const Visit& v = w.visits[i];
        if (v.kind != Kind::Admission)
            continue;
        const Problem& pr = problems().at(v.problem);
        const QString diagnosis = QString::fromUtf8(pr.diagnosis);
        const bool first = !admittedBefore.contains(v.patient);
        admittedBefore.insert(v.patient);
        adm.add({v.idNum, w.patients[v.patient].hospNum, stamp(v.admDay, v.admTime),
                 stampOrNull(v.dcrDay, v.dcrTime), v.room, QString(v.cls), cat.doctors[v.doctor].id,
                 textOrNull(referringDoctor(rng, cat, v)), first ? 1 : 0,
                 v.linkedOpd >= 0 ? QVariant(w.visits[v.linkedOpd].idNum) : QVariant(),
                 QString::fromUtf8(pr.complaint), diagnosis,
                 rng.percent(30) ? QStringLiteral("To consider ") + diagnosis : diagnosis,
                 textOrNull(QString::fromUtf8(pr.procedure)), textOrNull(rng.pick(remarks)),
                 textOrNull(v.disposition)});
    }
    adm.flush();
}

} // namespace tools::demo
