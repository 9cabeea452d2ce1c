// The main window's items for the service rate file and the out-patient rates.
#include "items.h"

#include "globals.h"
#include "mdizep.h"

#include "filemaint/frmBuildFile.h"
#include "filemaint/frmOPDRates.h"
#include "intake/frmDeletePassword.h"

namespace app {

void wireFileMaintenanceItems(mdiZEP& w) {
    mdiZEP* win = &w;
    w.setHandler(QStringLiteral("mnuOPSRates"), [win] {
        frmOPDRates f(win);
        f.setConnection(g().gConnection);
        f.exec();
    });
    // Edit Discount (per Item): the password dialog first, which opens the rate file once
    // the entry is accepted. The rate file is modal to the main window only, so the report
    // viewer its print opens (a window of its own) can be used while it stays open.
    frmDeletePassword::setServiceRateFileOpener([](QWidget* parent) {
        if (auto* open = parent->findChild<frmBuildFile*>()) {
            open->raise();
            open->activateWindow();
            return;
        }
        auto* f = new frmBuildFile(parent);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setConnection(g().gConnection);
        f->setReportFolder(g().reportFolder);
        f->setHospital(g().hospitalName, g().hospitalAddress);
        f->setWindowModality(Qt::WindowModal);
        f->show();
    });
    w.setHandler(QStringLiteral("mnuEditDiscount"), [win] {
        frmDeletePassword::run(win, frmDeletePassword::ServiceRateFile, g().currentUser.get());
    });
}

} // namespace app
