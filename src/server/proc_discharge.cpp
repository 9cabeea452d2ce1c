// Discharge notices: the main window's count of notices waiting for the department.
#include "registry.h"

#include "db/connection.h"
#include "db/procedures.h"

namespace server {

void registerDischargeProcedures() {
    // Notices neither cleared nor revoked, as one row with `recCount`.
    db::Procedures::instance().add(
        QStringLiteral("ZEP..sp_ZEP_LoadDischargeNoticeCount"), [](db::Connection& c, const db::Args&) {
            return c.Query(QStringLiteral("SELECT COUNT(*) AS recCount FROM ZEP.tbZEPDischargeNotice "
                                          "WHERE ClearDate IS NULL AND RevokedAt IS NULL"));
        });
}

} // namespace server
