// The main window's items for the service rate file and the out-patient rates.
#include "items.h"

#include "mdizep.h"

namespace app {

void wireFileMaintenanceItems(mdiZEP& w) {
    (void)w;
}

} // namespace app
