#pragma once
// Stand-in for the hospital's patient component ("Pelgrin.clsPatient"). It is given only a
// connection string and opens a connection of its own, as the hospital's component did;
// its two sub-objects read the patient master record and one admission or visit over it.
#include "db/settings.h"

#include <QString>
#include <memory>

namespace db {
class Connection;
}

namespace patient {

class clsPatientMaster;
class clsAdmission;

class clsPatient {
public:
    clsPatient();
    ~clsPatient();
    clsPatient(const clsPatient&) = delete;
    clsPatient& operator=(const clsPatient&) = delete;

    // Opens the component's own connection from a connection string as
    // db::ConnectionSettings::toUrl() writes it (the password, which such a string never
    // holds, is the one the log-in remembered for that server). Any earlier connection is
    // closed first. Never throws: false, with LastError() saying why, when it cannot open.
    bool OpenConnection(const QString& connectionString);
    // The settings a connection string names, with the password the log-in remembered for
    // that server and database when the string holds none.
    static db::ConnectionSettings settingsFor(const QString& connectionString);
    // The open connection, or nullptr when none is open.
    db::Connection* ActiveConnection() const;
    void CloseConnection();
    QString LastError() const { return lastError_; }

    // The sub-objects, created on first use and kept (owned) for the component's life;
    // never nullptr.
    patient::clsPatientMaster* clsPatientMaster();
    patient::clsAdmission* clsAdmission();

private:
    std::unique_ptr<db::Connection> conn_;
    std::unique_ptr<patient::clsPatientMaster> master_;
    std::unique_ptr<patient::clsAdmission> admission_;
    QString lastError_;
};

} // namespace patient
