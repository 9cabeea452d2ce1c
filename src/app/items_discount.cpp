// The main window's items for the discount computation and the fund views.
#include "items.h"

#include "mdizep.h"

namespace app {

void wireDiscountItems(mdiZEP& w) {
    (void)w;
}

} // namespace app
