#pragma once
// The patient master record of one hospital number, as the patient component hands it out.
#include <QDate>
#include <QString>

namespace patient {

class clsPatient;

struct PatientAddress {
    QString Housestreet;
    QString Barangay;
    QString Town;
    QString Province;
    QString Zipcode;
};

struct PatientReligion {
    QString Description;
};

struct PatientEmployer {
    QString EmployerName;
    QString EmployerAddress;
};

class clsPatientMaster {
public:
    explicit clsPatientMaster(clsPatient& owner) : owner_(&owner) {}

    // Reads the master record of the trimmed hospital number over the component's
    // connection. Every member is cleared first, so a number the master does not know (or a
    // failed read) leaves nothing of the patient loaded before. True when found.
    bool LoadPatient(const QString& hospNum);
    void Clear();
    bool Loaded() const { return !HospitalNumber.isEmpty(); }

    QString HospitalNumber;
    QString LastName;
    QString FirstName;
    QString MiddleName;
    QString Sex;         // "M", "F" or empty
    QString CivilStatus; // "1" single ... "5", or empty
    QDate BirthDate;     // invalid when not on file
    QString Age;         // whole years today, as text; empty without a birth date
    QString BirthPlace;
    QString Occupation;
    QString TelNumber;
    QString PatientStatus; // the patient's work status
    QString SSSGSIS;
    PatientReligion Religion;
    PatientAddress Address;
    PatientEmployer Employer;
    // The department's case number and classification kept on the master record.
    QString ZEPNum;
    QString ZEPClassification;
    QDate ZEPDiscountExpiry;

private:
    clsPatient* owner_;
};

} // namespace patient
