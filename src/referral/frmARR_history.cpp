// The referral report's look-backs: the transaction report of every saved report of the
// patient, and the list of the patient's previous assessments.
#include "frmARR.h"

#include "db/connection.h"
#include "frmAssessmentList.h"
#include "reports/ui/operations.h"
#include "ui/messages.h"

#include <QLineEdit>

// Like the other prints, the screen closes before the viewer opens; when the template
// cannot be opened (the operation says why) the screen stays with everything typed.
void frmARR::cmdTrans_Click() {
    if (!reports::OpenReport(reportFolder_, QStringLiteral("ARRTransactionReport.rpt"),
                             {txtHospNum->text().trimmed()}))
        return;
    close();
    reports::ShowReport(false, QStringLiteral("Assessment Transaction Report"), false);
}

// A patient without earlier assessments gets no empty list.
void frmARR::cmdPrevious_Click() {
    if (!conn_)
        return;
    db::Recordset rs;
    try {
        rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetPreviousAssessment"),
                         {txtHospNum->text().trimmed()});
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), QStringLiteral("Message"));
        return;
    }
    if (rs.Eof())
        return;
    auto* list = new frmAssessmentList(this);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setDepartmentTitle(departmentTitle_);
    list->bind(rs);
    list->open();
}
