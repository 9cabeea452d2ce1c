#pragma once
// What the discount computation's callers share with its procedures: the key under which a
// workstation session's working rows live in BILLING.tbDummyDiscountTable.
#include <QString>

namespace db {
class Connection;
}

namespace server {

// The key of this connection's working rows: made the first time a connection asks and
// kept while it lives, so two workstations (two connections) never share one.
QString discountSession(db::Connection& c);

} // namespace server
