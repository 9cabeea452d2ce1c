#include "clsPatient.h"

#include "clsAdmission.h"
#include "clsPatientMaster.h"
#include "db/connection.h"

#include <exception>

namespace patient {

clsPatient::clsPatient() = default;

clsPatient::~clsPatient() = default;

db::ConnectionSettings clsPatient::settingsFor(const QString& connectionString) {
    db::ConnectionSettings s = db::ConnectionSettings::fromUrl(connectionString);
    if (s.password.isEmpty())
        s.password = db::rememberedPassword(connectionString);
    return s;
}

bool clsPatient::OpenConnection(const QString& connectionString) {
    CloseConnection();
    lastError_.clear();
    const db::ConnectionSettings settings = settingsFor(connectionString);
    if (connectionString.trimmed().isEmpty() || !settings.isValid()) {
        lastError_ = QStringLiteral("No connection string was given.");
        return false;
    }
    try {
        // fromUrl never sets `create`: a mistyped folder must fail, not make a new database.
        conn_ = db::Connection::open(settings);
    } catch (const db::Error& e) {
        lastError_ = e.Description();
    } catch (const std::exception& e) {
        lastError_ = QString::fromLocal8Bit(e.what());
    }
    return conn_ != nullptr;
}

db::Connection* clsPatient::ActiveConnection() const {
    return conn_ && conn_->State() == 1 ? conn_.get() : nullptr;
}

void clsPatient::CloseConnection() {
    if (conn_ && conn_->State() == 1)
        conn_->Close();
    conn_.reset();
}

patient::clsPatientMaster* clsPatient::clsPatientMaster() {
    if (!master_)
        master_ = std::make_unique<patient::clsPatientMaster>(*this);
    return master_.get();
}

patient::clsAdmission* clsPatient::clsAdmission() {
    if (!admission_)
        admission_ = std::make_unique<patient::clsAdmission>(*this);
    return admission_.get();
}

} // namespace patient
