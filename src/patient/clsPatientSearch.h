#pragma once
// The patient validation service: checks at start-up that the patient component can reach
// the database, tells whether an admission number exists, and hands out the component's
// patient master and admission objects for the patient and admission last asked for.
#include <QString>
#include <memory>

namespace db {
class Connection;
}

namespace patient {

class clsPatient;
class clsPatientMaster;
class clsAdmission;

class clsPatientSearch {
public:
    clsPatientSearch();
    ~clsPatientSearch();
    clsPatientSearch(const clsPatientSearch&) = delete;
    clsPatientSearch& operator=(const clsPatientSearch&) = delete;

    // The one shared instance.
    static clsPatientSearch& instance();

    // Where start-up keeps the global connection, for the life of the service: the service
    // validates admissions on whatever it holds at the time. Without a binding the service
    // keeps the global connection that its last InitConnection came to.
    void bindGlobalConnection(db::Connection*& global);
    db::Connection* GlobalConnection() const { return *global_; }

    // Creates the patient component (always in this process; `serverName` is where the
    // hospital's component would have been created) and opens its connection with the
    // connection string. On success, when the global connection is not open yet (nullptr or
    // closed), opens one with the same string into it; the service owns a connection it
    // opened. True when both hold; otherwise shows "Unable to stablish a connection..." and
    // gives false. A blank connection string fails.
    // This form works on the bound global connection.
    bool InitConnection(const QString& connectionString, const QString& serverName = {});
    // This form works on `global`, which it may set; its address is not kept.
    bool InitConnection(const QString& connectionString, const QString& serverName,
                        db::Connection*& global);

    // Closes the global connection the service opened for its check, once the global
    // connection is another one: left open it would sit idle for the whole session, a
    // connection per workstation on a shared server.
    void releaseOpenedGlobal();

    // True when "Patient_Data..sp_Adm_LoadInPatient" knows the trimmed admission number.
    // `stationId` is not used: the check is for any nursing station. Any error gives false.
    bool ValidateAdmission(const QString& idNumber, const QString& stationId = {});
    // The outcome of the last validation.
    bool Found() const { return found_; }
    QString LastValidated() const { return lastValidated_; }

    // The component's sub-objects. Before InitConnection they belong to a component that
    // has no connection, so loading through them finds nothing.
    patient::clsPatientMaster& PatientMaster();
    // Opens the last validated admission first when it is not the one opened last.
    patient::clsAdmission& Admission();

    clsPatient& Component();
    QString ServerName() const { return serverName_; }

    // Releases the component, its sub-objects and the keys (the service's end of life).
    void Release();

private:
    bool connect(const QString& connectionString, const QString& serverName,
                 db::Connection*& global);

    std::unique_ptr<clsPatient> component_;
    patient::clsPatientMaster* master_ = nullptr;
    patient::clsAdmission* admission_ = nullptr;
    db::Connection* ownSlot_ = nullptr;
    db::Connection** global_ = &ownSlot_;          // the bound global, or ownSlot_
    std::unique_ptr<db::Connection> openedGlobal_; // a global connection this service opened
    QString serverName_;
    QString lastValidated_;
    QString openedWith_;
    bool admissionOpened_ = false;
    bool found_ = false;
};

} // namespace patient
