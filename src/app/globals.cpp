#include "globals.h"

#include "components/billing/billing.h"
#include "components/codesearch/clsCodeSearch.h"
#include "components/keypress/keypress.h"
#include "components/login/clscurrentuser.h"
#include "components/patient/clsPatient.h"

namespace app {

QString departmentTitle() { return QStringLiteral("ZEP - Social Service Department"); }

Globals::Globals() = default;
Globals::~Globals() = default;

void Globals::release() {
    patientMaster = nullptr;
    admission = nullptr;
    patientComponent.reset();
    codeSearch.reset();
    soa.reset();
    billingConnection.reset();
    gConnection = nullptr;
}

Globals& g() {
    static Globals globals;
    return globals;
}

} // namespace app
