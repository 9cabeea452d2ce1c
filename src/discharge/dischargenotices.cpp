#include "dischargenotices.h"

#include "frmClearPatient.h"
#include "frmDischargeNotice.h"

namespace discharge {

int showDischargeNotices(QWidget* parent, db::Connection* conn, const login::clsCurrentUser* user) {
    int opened = 0;
    for (;;) {
        QString idNum;
        {
            frmDischargeNotice list(parent);
            list.setConnection(conn);
            list.exec();
            if (!list.Valid())
                return opened;
            idNum = list.IDNUM();
        }
        frmClearPatient clear(parent);
        clear.setConnection(conn);
        clear.setUser(user);
        clear.setIDNUM(idNum);
        clear.exec();
        ++opened;
    }
}

} // namespace discharge
