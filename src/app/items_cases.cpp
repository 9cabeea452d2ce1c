// The main window's items for class edit, case numbers and discharge notices.
#include "items.h"

#include "mdizep.h"

namespace app {

void wireCaseItems(mdiZEP& w) {
    (void)w;
}

} // namespace app
