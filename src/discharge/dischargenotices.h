#pragma once
// The list-and-clearance cycle of the discharge notices: the list, the clearance of the
// notice chosen, the list again (now showing that clearance), until the worker closes the
// list. The caller runs it, one dialog after the other, so that no modal loop ever runs
// inside another however many notices are cleared.
class QWidget;

namespace db {
class Connection;
}
namespace login {
class clsCurrentUser;
}

namespace discharge {

// Returns the number of clearance dialogs that were opened.
int showDischargeNotices(QWidget* parent, db::Connection* conn, const login::clsCurrentUser* user);

} // namespace discharge
