#pragma once
// Each area of procedures registers itself through one function, defined in that area's
// own file (procedures_intake.cpp defines registerIntakeProcedures, and so on) and called
// once from server::registerProcedures() in server.cpp. To add an area: declare its
// function here, define it in the area's file, list the file in CMakeLists.txt and add the
// call in server.cpp.

namespace server {

void registerEmployeeProcedures(); // proc_employees.cpp
void registerSearchProcedures();   // proc_search.cpp
void registerPatientProcedures();  // proc_patient.cpp
void registerIntakeProcedures(); // proc_intake.cpp
void registerClassificationProcedures(); // proc_classification.cpp
void registerDischargeProcedures(); // proc_discharge.cpp
void registerBillingProcedures(); // proc_billing.cpp
void registerReportProcedures(); // proc_reports.cpp
void registerCaseProcedures(); // proc_cases.cpp
void registerReferralProcedures(); // proc_referral.cpp
void registerReferralSaveProcedures(); // proc_referralsave.cpp
void registerFileMaintenanceProcedures(); // proc_filemaint.cpp
void registerReprintProcedures(); // proc_reprint.cpp

} // namespace server
