#include "clsPatientSearch.h"

#include "components/patient/clsAdmission.h"
#include "components/patient/clsPatient.h"
#include "components/patient/clsPatientMaster.h"
#include "db/connection.h"
#include "ui/messages.h"

#include <exception>

namespace patient {

clsPatientSearch::clsPatientSearch() = default;

clsPatientSearch::~clsPatientSearch() = default;

clsPatientSearch& clsPatientSearch::instance() {
    static clsPatientSearch service;
    return service;
}

void clsPatientSearch::bindGlobalConnection(db::Connection*& global) {
    global_ = &global;
}

bool clsPatientSearch::InitConnection(const QString& connectionString, const QString& serverName) {
    return connect(connectionString, serverName, *global_);
}

bool clsPatientSearch::InitConnection(const QString& connectionString, const QString& serverName,
                                      db::Connection*& global) {
    const bool ok = connect(connectionString, serverName, global);
    if (global_ == &ownSlot_)
        ownSlot_ = ok ? global : nullptr;
    return ok;
}

bool clsPatientSearch::connect(const QString& connectionString, const QString& serverName,
                               db::Connection*& global) {
    // Start-up runs again after every log-off: start over with a new component.
    Release();
    serverName_ = serverName.trimmed();
    bool ok = false;
    try {
        component_ = std::make_unique<clsPatient>();
        if (!connectionString.trimmed().isEmpty() && component_->OpenConnection(connectionString) &&
            component_->ActiveConnection()) {
            if (!global || global->State() == 0) {
                openedGlobal_ = db::Connection::open(clsPatient::settingsFor(connectionString));
                global = openedGlobal_.get();
            }
            ok = global != nullptr;
        }
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok) {
        Release();
        ui::Messages::plain(QStringLiteral("Unable to stablish a connection..."));
    }
    return ok;
}

void clsPatientSearch::releaseOpenedGlobal() {
    if (openedGlobal_ && *global_ != openedGlobal_.get()) {
        if (ownSlot_ == openedGlobal_.get())
            ownSlot_ = nullptr;
        openedGlobal_.reset();
    }
}

bool clsPatientSearch::ValidateAdmission(const QString& idNumber, const QString& stationId) {
    Q_UNUSED(stationId)
    // Found says what the last check came to; a failed check must not leave it set.
    found_ = false;
    const QString number = idNumber.trimmed();
    db::Connection* conn = *global_;
    if (number.isEmpty() || !conn)
        return false;
    try {
        const db::Recordset rs =
            conn->Call(QStringLiteral("Patient_Data..sp_Adm_LoadInPatient"), {number, QString()});
        if (rs.Eof() && rs.Bof())
            return false;
    } catch (const std::exception&) {
        return false;
    }
    lastValidated_ = number;
    found_ = true;
    return true;
}

clsPatient& clsPatientSearch::Component() {
    if (!component_)
        component_ = std::make_unique<clsPatient>();
    return *component_;
}

patient::clsPatientMaster& clsPatientSearch::PatientMaster() {
    if (!master_)
        master_ = Component().clsPatientMaster();
    return *master_;
}

patient::clsAdmission& clsPatientSearch::Admission() {
    if (!admission_)
        admission_ = Component().clsAdmission();
    if (!lastValidated_.isEmpty() && (!admissionOpened_ || openedWith_ != lastValidated_)) {
        admission_->OpenAdmission(lastValidated_);
        openedWith_ = lastValidated_;
        admissionOpened_ = true;
    }
    return *admission_;
}

void clsPatientSearch::Release() {
    master_ = nullptr;
    admission_ = nullptr;
    component_.reset();
    lastValidated_.clear();
    openedWith_.clear();
    admissionOpened_ = false;
    found_ = false;
}

} // namespace patient
