// The main window's items for the statements of account: Detailed SOA and Summarized SOA
// for the visit selected in the patient list.
#include "items.h"

#include "globals.h"
#include "mdizep.h"

#include "components/login/clscurrentuser.h"
#include "patient/frmListPatient.h"
#include "reports/soa/statements.h"

namespace app {

void wireSoaItems(mdiZEP& w) {
    mdiZEP* win = &w;
    w.setHandler(QStringLiteral("mnuViewPatientBill"), [win] {
        const frmListPatient* list = win->patientList();
        soa::showDetailed(g().gConnection, g().reportFolder, list ? list->HospNum() : QString(),
                          list ? list->IDNUM() : QString());
    });
    w.setHandler(QStringLiteral("mnuSummarizedSOA"), [win] {
        const frmListPatient* list = win->patientList();
        const Globals& gl = g();
        soa::showSummarized(gl.billingConnection.get(), gl.soa.get(),
                            gl.currentUser ? gl.currentUser->ServerName() : QString(),
                            list ? list->HospNum() : QString(), list ? list->IDNUM() : QString(),
                            gl.userCode, gl.currentUser ? gl.currentUser->EmployeeName() : QString());
    });
}

} // namespace app
