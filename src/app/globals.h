#pragma once
// The values start-up keeps for the life of the process, read everywhere.
#include <QString>
#include <memory>

namespace db {
class Connection;
}
namespace login {
class clsCurrentUser;
}
namespace keypress {
class KeyPress;
}
namespace billing {
class clsOpenConnection;
class clssoa;
}
namespace patient {
class clsPatient;
class clsPatientMaster;
class clsAdmission;
}
namespace codesearch {
class clsCodeSearch;
}

namespace app {

// The department's title: the main window's caption and the title of untitled messages.
QString departmentTitle();

struct Globals {
    std::unique_ptr<login::clsCurrentUser> currentUser;
    db::Connection* gConnection = nullptr; // the current user's sqlconnection
    int cursorLocation = 0;                // 3 = client-side, as every query here is
    QString reportFolder;                  // application folder + REPORTS + separator
    QString hospitalName;                  // tbHospitalInfo.Company
    QString hospitalAddress;               // Address1
    QString hospitalTitle;                 // Title
    QString hospitalTinNo;                 // TinNo
    QString appServer;                     // MTSServerName
    QString userCode;                      // the user's employeecode, saved as the user ID

    std::unique_ptr<keypress::KeyPress> keyPress;
    std::unique_ptr<patient::clsPatient> patientComponent;
    patient::clsPatientMaster* patientMaster = nullptr;
    patient::clsAdmission* admission = nullptr;
    std::unique_ptr<codesearch::clsCodeSearch> codeSearch;
    std::unique_ptr<billing::clsOpenConnection> billingConnection;
    std::unique_ptr<billing::clssoa> soa;

    Globals();
    ~Globals();
    // Releases the components and the user (log off).
    void release();
};

Globals& g();

} // namespace app
