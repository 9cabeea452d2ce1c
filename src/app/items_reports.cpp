// The main window's items for the report catalogue: every report item of the Reports and
// File Maintenance menus and the Patient Datasheet go through the one catalogue runner.
#include "items.h"

#include "globals.h"
#include "mdizep.h"

#include "components/login/clscurrentuser.h"
#include "patient/frmListPatient.h"
#include "reports/catalogue/runner.h"

namespace app {

namespace {

catalogue::Context contextFor(mdiZEP& w) {
    catalogue::Context c;
    const Globals& gl = g();
    c.conn = gl.gConnection;
    c.reportFolder = gl.reportFolder;
    c.hospitalName = gl.hospitalName;
    c.hospitalAddress = gl.hospitalAddress;
    c.departmentTitle = departmentTitle();
    if (gl.currentUser) {
        c.userName = gl.currentUser->EmployeeName();
        c.userCode = gl.currentUser->employeecode();
    }
    // The selection is read at the click: with no list open there is no patient.
    if (const frmListPatient* list = w.patientList()) {
        c.hospNum = list->HospNum();
        c.idNum = list->IDNUM();
    }
    c.parent = &w;
    c.openReprintScreen = [&w] { openReprintScreen(w); };
    return c;
}

} // namespace

void wireReportItems(mdiZEP& w) {
    for (const catalogue::Item& item : catalogue::items()) {
        if (!w.item(item.name))
            continue; // not an item of this menu tree
        // An area that wired the item with a screen of its own keeps it (the main window's
        // own Classification Scheme print gives the same report).
        if (w.hasHandler(item.name))
            continue;
        const QString name = item.name;
        w.setHandler(name, [&w, name] {
            if (const catalogue::Item* i = catalogue::find(name))
                catalogue::run(*i, contextFor(w));
        });
    }
}

} // namespace app
