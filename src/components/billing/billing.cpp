#include "billing.h"

#include "db/connection.h"

namespace billing {
bool clsOpenConnection::IsOpen() const { return conn_ && conn_->State() != 0; }
} // namespace billing
