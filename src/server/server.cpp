// Fills the procedure registry with every area's procedures, once per process.
#include "server.h"

#include "registry.h"

#include <mutex>

namespace server {

void registerProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        // One call per area, in any order (the areas do not depend on one another).
        registerEmployeeProcedures();
        registerSearchProcedures();
        registerDischargeProcedures();
        registerPatientProcedures();
        registerIntakeProcedures();
        registerClassificationProcedures();
        registerBillingProcedures();
        registerReportProcedures();
        registerCaseProcedures();
        registerReferralProcedures();
        registerReferralSaveProcedures();
        registerFileMaintenanceProcedures();
        registerReprintProcedures();
    });
}

} // namespace server
