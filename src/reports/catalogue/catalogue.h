#pragma once
// The report items of the main window as one table: for each item the dialog it asks with,
// the command that prepares its data, the template, the values the template is given in
// order, and the viewer's title. The runner (runner.h) does the rest the same way for all.
#include <QString>
#include <QVariant>
#include <QVector>

namespace catalogue {

// D1 = one date, D2 = a date range, D2W = a date range and a social worker, DR = the other
// date-range dialog, DC = a date range and a case category.
enum class Dialog { None, D1, D2, D2W, DR, DC };

// Where one value of a list comes from.
enum class Source {
    Start,           // the dialog's first date as "mm/dd/yyyy" text
    End,             // its second date, the same
    Date,            // the one date of D1, the same
    StartAsDate,     // the dates as date values
    EndAsDate,
    DateAsDate,
    StartText,       // the dates as the dialog's pickers show them
    EndText,
    HospitalName,    // the hospital's name (Company)
    HospitalAddress, // its street address (Address1)
    HospitalNameUpper,
    DepartmentTitleUpper,
    UserName,        // the user's name and code
    UserCode,
    Worker,          // the social worker picked in D2W; empty when none was
    HospNum,         // the selected patient's numbers, trimmed
    IdNum,
    Category,        // the category picked in DC
    ArrUserName,     // who wrote the patient's referral report, and the licence number
    ArrLicence,
    Fixed,           // `fixed`, a text or a whole number
};

struct Value {
    Source source;
    QVariant fixed = {};
};

struct Subreport {
    QString name;
    QVector<Value> values;
};

struct Item {
    QString name;          // the menu item ("mnuListAdmissions")
    QString report;        // what the worker calls the report (the item's caption)
    Dialog dialog = Dialog::None;
    QString prepare;       // the preparing or read command; empty when none
    QVector<Value> prepareValues;
    QString templateFile;  // empty when the item produces no report
    QVector<Value> values; // in the order of the template's parameter fields
    QString title;         // the viewer's caption
    QVector<Subreport> subreports;
    // Items that first need a patient: the datasheet needs an admission.
    bool needsAdmission = false;
    // Re-Print ARR: without a patient the reprint screen opens instead; with one, the
    // selected visit's own referral report tells who wrote it.
    bool referralReprint = false;
};

// Every report item of the Reports and File Maintenance menus, the hidden ones too, and
// the Patient Datasheet of the Viewing menu.
const QVector<Item>& items();
// The item of a menu name; nullptr when it is not a report item.
const Item* find(const QString& name);

} // namespace catalogue
