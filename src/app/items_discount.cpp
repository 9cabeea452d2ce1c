// The main window's items for the discount computation and the fund views.
#include "items.h"

#include "globals.h"
#include "mdizep.h"

#include "discount/frmComputeDiscount.h"
#include "discount/frmViewPatientFund.h"
#include "patient/frmListPatient.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

namespace app {

void wireDiscountItems(mdiZEP& w) {
    // View Computation of Discount: for the visit selected in the patient list, modeless in
    // the window; with no visit selected the list comes up instead.
    w.setHandler(QStringLiteral("mnuComputeDiscount"), [&w] {
        frmListPatient* list = w.patientList();
        if (!list || list->HospNum().isEmpty() || list->IDNUM().isEmpty()) {
            w.showPatientList();
            return;
        }
        // One computation screen at a time: an open one comes to the front.
        for (QMdiSubWindow* s : w.mdiArea()->subWindowList())
            if (qobject_cast<frmComputeDiscount*>(s->widget())) {
                w.mdiArea()->setActiveSubWindow(s);
                return;
            }
        auto* f = new frmComputeDiscount;
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setConnection(g().gConnection);
        f->setSelection(list->HospNum(), list->IDNUM());
        QPointer<mdiZEP> main(&w);
        // Closing the screen brings the list back: a list showing search results is
        // unloaded first so that it comes back fresh, without the earlier selection. It
        // happens once the close is over, and not at all when the window closes every
        // screen itself (closing, logging off, Listing), which sees to the list on its own.
        f->setOnUnload([main] {
            if (!main)
                return;
            QPointer<frmListPatient> list = main->patientList();
            const bool enabled = list && list->listEnabled();
            QTimer::singleShot(0, main, [main, list, enabled] {
                if (!main || !main->isVisible())
                    return;
                auto* sub = list ? qobject_cast<QMdiSubWindow*>(list->parentWidget()) : nullptr;
                if (list && (!sub || !sub->isVisible()))
                    return; // the list is being closed by someone else
                if (sub && enabled)
                    delete sub;
                main->showPatientList();
            });
        });
        QMdiSubWindow* sub = w.mdiArea()->addSubWindow(f);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show(); // the first show runs the opening sequence
    });
    // View Patient Fund Allocation (hidden): the selected patient's sponsor funds, modal;
    // with no patient selected the list comes up instead.
    w.setHandler(QStringLiteral("mnuCDF"), [&w] {
        frmListPatient* list = w.patientList();
        if (!list || list->HospNum().trimmed().isEmpty()) {
            w.showPatientList();
            return;
        }
        frmViewPatientFund f(&w);
        f.setConnection(g().gConnection);
        f.setSelection(list->HospNum(), list->IDNUM());
        f.exec();
    });
}

} // namespace app
