#pragma once
// One admission or visit of a patient, as the patient component hands it out: an in-patient
// admission (an all-digit number), an out-patient visit (a number ending in "B") or an
// emergency-room visit (ending in "E").
#include <QDateTime>
#include <QString>

namespace patient {

class clsPatient;

enum class VisitKind { None, InPatient, OutPatient, Emergency };

// The kind a visit number names, by its last letter; None for an empty number.
VisitKind visitKindOf(const QString& idNum);

struct AdmissionRoom {
    QString RoomID;
    QString Station;
    QString RateClass;
    double RoomRate = 0;
};

struct AdmissionHistory {
    QString ChiefComplaint;
    QString AdmittingDiagnosis;
    QString AdmittingImpression;
    QString Procedures;
};

struct AdmissionDoctor {
    QString DoctorID;
    QString Name; // "LastName, FirstName MiddleName"
    QString Specialty;
};

class clsAdmission {
public:
    explicit clsAdmission(clsPatient& owner) : owner_(&owner) {}

    // Reads the admission or visit of the trimmed number over the component's connection.
    // Every member is cleared first, so an unknown number (or a failed read) leaves nothing
    // of the visit opened before. True when found.
    bool OpenAdmission(const QString& idNum);
    void Clear();
    bool Opened() const { return !IdNum.isEmpty(); }

    QString IdNum;
    QString HospNum;
    VisitKind Kind = VisitKind::None;
    QDateTime AdmissionDate;
    QDateTime DischargeDate; // invalid while the patient is still in
    // True for the patient's first admission (as registered), or for an out-patient or ER
    // visit with no earlier visit of the same kind.
    bool NewAdmission = false;
    QString PatientClass; // "P" pay or "S" service
    AdmissionRoom Room;   // empty for out-patient and ER visits
    AdmissionDoctor AttendingDoctor;
    QString ReferringDoctor;
    AdmissionHistory History; // out-patient and ER visits carry only the chief complaint
    QString Remarks;
    QString Disposition;
    QString OPDIdNum; // the out-patient visit an admission came from, if any

private:
    clsPatient* owner_;
};

} // namespace patient
