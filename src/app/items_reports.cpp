// The main window's items for the report catalogue.
#include "items.h"

#include "mdizep.h"

namespace app {

void wireReportItems(mdiZEP& w) {
    (void)w;
}

} // namespace app
