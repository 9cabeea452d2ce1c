#include "clsPatientMaster.h"

#include "clsPatient.h"
#include "db/connection.h"
#include "values.h"

namespace patient {

void clsPatientMaster::Clear() {
    *this = clsPatientMaster(*owner_);
}

bool clsPatientMaster::LoadPatient(const QString& hospNum) {
    Clear();
    const QString number = hospNum.trimmed();
    db::Connection* conn = owner_->ActiveConnection();
    if (number.isEmpty() || !conn)
        return false;
    try {
        const db::Recordset rs = conn->Query(
            QStringLiteral(
                "SELECT HospNum, LastName, FirstName, MiddleName, Sex, BirthDate, BirthPlace, "
                "CivilStatus, Religion, Occupation, HouseStreet, Barangay, Town, Province, "
                "ZipCode, TelNumber, PatientStatus, Employer, EmployerAddress, SSSGSIS, "
                "ZEPNum, ZEPClassification, ZEPDiscountExpiry "
                "FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"),
            {number});
        if (rs.Eof())
            return false;
        auto text = [&rs](const char* column) {
            return rs.Text(QString::fromLatin1(column)).trimmed();
        };
        HospitalNumber = text("HospNum");
        LastName = text("LastName");
        FirstName = text("FirstName");
        MiddleName = text("MiddleName");
        Sex = text("Sex");
        CivilStatus = text("CivilStatus");
        BirthDate = detail::toDate(rs.Value(QStringLiteral("BirthDate")));
        const int years = detail::yearsBetween(BirthDate, QDate::currentDate());
        Age = years < 0 ? QString() : QString::number(years);
        BirthPlace = text("BirthPlace");
        Occupation = text("Occupation");
        TelNumber = text("TelNumber");
        PatientStatus = text("PatientStatus");
        SSSGSIS = text("SSSGSIS");
        Religion.Description = text("Religion");
        Address.Housestreet = text("HouseStreet");
        Address.Barangay = text("Barangay");
        Address.Town = text("Town");
        Address.Province = text("Province");
        Address.Zipcode = text("ZipCode");
        Employer.EmployerName = text("Employer");
        Employer.EmployerAddress = text("EmployerAddress");
        ZEPNum = text("ZEPNum");
        ZEPClassification = text("ZEPClassification");
        ZEPDiscountExpiry = detail::toDate(rs.Value(QStringLiteral("ZEPDiscountExpiry")));
        return true;
    } catch (const db::Error&) {
        // The error stays in the connection's collection; the patient counts as not found.
        Clear();
        return false;
    }
}

} // namespace patient
