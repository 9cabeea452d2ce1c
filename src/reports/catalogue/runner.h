#pragma once
// Runs one report item of the catalogue: its dialog, its preparing command, its template
// with the values in order, the viewer with its title. Every item answers: a report whose
// template is not there yet says so, a command that fails says so and shows nothing.
#include "catalogue.h"

#include <QString>
#include <QVariantList>
#include <functional>

class QWidget;
class frmReportDate;
class frmReportDate2;
class frmReportDateRange;
class frmReportDateCategory;

namespace db {
class Connection;
}

namespace catalogue {

// What the runner needs from the workstation: the connection, the report folder, the
// hospital and the user, the selected patient.
struct Context {
    db::Connection* conn = nullptr;
    QString reportFolder;
    QString hospitalName;
    QString hospitalAddress;
    QString departmentTitle;
    QString userName;
    QString userCode;
    QString hospNum; // the selected patient, as the list holds them
    QString idNum;
    QWidget* parent = nullptr; // the dialogs' parent
    // Re-Print ARR without a patient: the reprint screen. Empty when it is not there yet.
    std::function<void()> openReprintScreen;
};

enum class Outcome {
    Shown,       // the report went to the viewer
    Cancelled,   // the dialog was closed
    NotBuilt,    // the template is not in the report folder yet (information box)
    Refused,     // a check before any work failed (message shown)
    Failed,      // the command or the report failed (critical box); nothing shown
    NoReport,    // the item produces no report by design
    OtherScreen, // another screen took over (Re-Print ARR without a patient)
};

// The values of one run, once the dialog has closed.
struct Answers {
    QString start, end, date;           // "mm/dd/yyyy"
    QString startText, endText;         // as the pickers show them
    QString worker, category;
    QString arrUserName, arrLicence;
};

// The value list of `values` for one run.
QVariantList valuesFor(const QVector<Value>& values, const Context& ctx, const Answers& a);

Outcome run(const Item& item, const Context& ctx);

// The shared dialogs, made on first use as children of `parent`.
frmReportDate& reportDate(QWidget* parent = nullptr);
frmReportDate2& reportDate2(QWidget* parent = nullptr);
frmReportDateRange& reportDateRange(QWidget* parent = nullptr);
frmReportDateCategory& reportDateCategory(QWidget* parent = nullptr);

} // namespace catalogue
