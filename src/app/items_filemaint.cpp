// The main window's items for the service rate file and the out-patient rates.
#include "items.h"

#include "globals.h"
#include "mdizep.h"

#include "filemaint/frmOPDRates.h"

namespace app {

void wireFileMaintenanceItems(mdiZEP& w) {
    mdiZEP* win = &w;
    w.setHandler(QStringLiteral("mnuOPSRates"), [win] {
        frmOPDRates f(win);
        f.setConnection(g().gConnection);
        f.exec();
    });
}

} // namespace app
