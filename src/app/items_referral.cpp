// The main window's items for the referral report and its pickers.
#include "items.h"

#include "components/login/clscurrentuser.h"
#include "globals.h"
#include "mdizep.h"

#include "patient/frmListPatient.h"
#include "referral/frmARR.h"
#include "referral/frmReprintARR.h"
#include "referral/frmSearchService.h"

namespace app {

void openReprintScreen(mdiZEP& w) {
    if (auto* open = w.findChild<frmReprintARR*>()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* f = new frmReprintARR(&w);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->setConnection(g().gConnection);
    f->setDepartmentTitle(departmentTitle());
    f->setReportFolder(g().reportFolder);
    if (const frmListPatient* list = w.patientList())
        f->setHospNum(list->HospNum());
    // Application-modal like the referral report, without blocking the caller.
    f->setWindowModality(Qt::ApplicationModal);
    f->show();
}

void wireReferralItems(mdiZEP& w) {
    // The report of the selected visit, modal over the main window. With no patient
    // selected the list comes up instead, so the worker can choose one.
    w.setHandler(QStringLiteral("mnuARR"), [&w] {
        frmListPatient* list = w.patientList();
        if (!list || list->HospNum().isEmpty()) {
            w.showPatientList();
            return;
        }
        // One report at a time: an open one comes to the front.
        if (auto* open = w.findChild<frmARR*>()) {
            open->raise();
            open->activateWindow();
            return;
        }
        auto* arr = new frmARR(&w);
        arr->setAttribute(Qt::WA_DeleteOnClose);
        arr->setConnection(g().gConnection);
        arr->setDepartmentTitle(departmentTitle());
        arr->setUserCode(g().userCode);
        arr->setReportFolder(g().reportFolder);
        arr->setPrintedBy(g().currentUser ? g().currentUser->EmployeeName() : QString());
        arr->setHospNum(list->HospNum());
        arr->setIDNUM(list->IDNUM());
        arr->Form_Load();
        // Application-modal: the main window takes no input until the report closes, and
        // its messages during loading have already been answered.
        arr->setWindowModality(Qt::ApplicationModal);
        arr->show();
    });
    // Service (hidden): the service picker on its own.
    w.setHandler(QStringLiteral("mnuServices"), [&w] {
        auto* picker = new frmSearchService(&w);
        picker->setAttribute(Qt::WA_DeleteOnClose);
        picker->setConnection(g().gConnection);
        picker->setDepartmentTitle(departmentTitle());
        picker->setWindowModality(Qt::ApplicationModal);
        picker->show();
    });
}

} // namespace app
