// The main window's items for the referral report and its pickers.
#include "items.h"

#include "mdizep.h"

namespace app {

void wireReferralItems(mdiZEP& w) {
    (void)w;
}

} // namespace app
