#pragma once
// What the main window's items do, one file per area so that each area wires its own
// screens: items_<area>.cpp defines its function, mdiZEP::wireItems() calls them all. An
// area sets a handler with mdiZEP::setHandler(); an item no area handles answers with an
// information box (mdiZEP::onItem), never with nothing.
namespace app {

class mdiZEP;

void wireReferralItems(mdiZEP& w);   // items_referral.cpp: Assessment and Referal, Service
void wireCaseItems(mdiZEP& w);       // items_cases.cpp: class edit, case numbers, notices
void wireDiscountItems(mdiZEP& w);   // items_discount.cpp: discount computation, funds
void wireReportItems(mdiZEP& w);     // items_reports.cpp: the report catalogue
void wireFileMaintenanceItems(mdiZEP& w); // items_filemaint.cpp: rate files

// The reprint screen of the referral reports, modal over the main window (items_referral.cpp);
// Re-Print ARR opens it when no patient is selected.
void openReprintScreen(mdiZEP& w);

} // namespace app
