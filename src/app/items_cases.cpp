// The main window's items for class edit, case numbers and discharge notices.
#include "items.h"

#include "globals.h"
#include "mdizep.h"

#include "components/login/clscurrentuser.h"
#include "discharge/dischargenotices.h"
#include "intake/frmDeletePassword.h"
#include "intake/frmDeleteZEPNum.h"
#include "intake/frmEditClass.h"
#include "intake/frmEditZEPNumber.h"
#include "intake/frmGlobalClassificationUpdate.h"
#include "patient/frmListPatient.h"

namespace app {

namespace {

// The selected patient, or nullptr after showing the list so that one can be chosen.
frmListPatient* selectionOrList(mdiZEP& w) {
    frmListPatient* list = w.patientList();
    if (!list || list->HospNum().trimmed().isEmpty()) {
        w.showPatientList();
        return nullptr;
    }
    return list;
}

} // namespace

void wireCaseItems(mdiZEP& w) {
    mdiZEP* win = &w;
    w.setHandler(QStringLiteral("mnuEditPatClass"), [win] {
        frmListPatient* list = selectionOrList(*win);
        if (!list)
            return;
        frmEditClass f(win);
        f.setConnection(g().gConnection);
        f.setUser(g().currentUser.get());
        f.setPatient(list->HospNum(), list->PatientName(), list->IDNUM(), list->ZEPID());
        f.exec();
    });
    w.setHandler(QStringLiteral("mnuEditZEPNo"), [win] {
        frmListPatient* list = selectionOrList(*win);
        if (!list)
            return;
        frmEditZEPNumber f(win);
        f.setConnection(g().gConnection);
        f.setUserCode(g().userCode);
        f.setPatient(list->HospNum(), list->PatientName(), list->ZEPID(), list->IDNUM());
        f.exec();
    });
    // Delete ZEP Number (hidden): through the password dialog, which then opens the deletion.
    frmDeletePassword::setCaseNumberDeletionOpener([](QWidget* parent) {
        frmDeleteZEPNum f(parent);
        f.setConnection(g().gConnection);
        f.setUserCode(g().userCode);
        f.exec();
    });
    w.setHandler(QStringLiteral("mnuDeleZEPNum"), [win] {
        frmDeletePassword::run(win, frmDeletePassword::CaseNumberDeletion, g().currentUser.get());
    });
    w.setHandler(QStringLiteral("mnuGlobalClassificationUpdate"), [win] {
        frmGlobalClassificationUpdate f(win);
        f.setConnection(g().gConnection);
        f.setHospitalName(g().hospitalName);
        f.exec();
    });
    const auto notices = [win] {
        discharge::showDischargeNotices(win, g().gConnection, g().currentUser.get());
    };
    w.setHandler(QStringLiteral("mnuDischargeNotice"), notices);
    w.setHandler(QStringLiteral("btnDischargeNotice"), notices);
}

} // namespace app
