#pragma once
// The report operations the screens call: open a report with its ordered parameter list
// (it becomes the current report), open one of its sub-reports, show it in the viewer or
// print it at once. Failures are shown to the user (critical box naming the template) and
// returned as false; nothing half-made is ever shown.
//
// Start-up gives the operations what every report needs: the connection the queries run
// on, the hospital name printed in every header, and the log-on values handed to each
// report as the old engine took them.
#include "reports/report.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

class QWidget;

namespace db {
class Connection;
}

namespace reports {

class RenderedReport;

void setConnection(db::Connection* conn);
void setHospitalName(const QString& name);
void setLogOn(const QString& server, const QString& database, const QString& user,
              const QString& password);

// Opens the template at `path` (the report folder followed by the file name; "\" and "/"
// both separate folders) as the current report, gives it the hospital name and the log-on
// values, and sets the i-th parameter field to the i-th value.
bool OpenReport(const QString& path, const QVariantList& parameters);
bool OpenReport(const QString& folder, const QString& fileName, const QVariantList& parameters);
// Opens the named sub-report of the current report with its own values.
bool OpenSubreport(const QString& name, const QVariantList& parameters);
// Renders the current report and opens a modeless frmReportViewer captioned `title`, or
// prints it at once to the default printer and releases it. There is no group tree; the
// flag is kept for callers and tests.
bool ShowReport(bool showGroupTree, const QString& title, bool directPrint);

Report* currentReport();
void releaseCurrentReport();

// Renders `report` on a worker thread while a progress dialog keeps the program painting;
// returns nullptr when the user cancelled or on failure (then `error` says why).
std::shared_ptr<RenderedReport> renderWithProgress(const Report& report, db::Connection& conn,
                                                   QWidget* parent, QString* error);

// --- test mode -----------------------------------------------------------------------------
// What ShowReport would have shown or printed.
struct ShownReport {
    QString title;    // the viewer's caption
    QString fileName; // the template
    bool showGroupTree = false;
    bool directPrint = false;
    QStringList parameters;                // "Name=value", as the header shows the values
    QMap<QString, QStringList> subreports; // the opened sub-reports' parameters, same form
    QStringList subreportsOpened;          // their names in the order they were opened
    QString hospital;
    LogOnInfo logOn; // the password is never recorded
    int pages = 0;
    QString text; // the rendered pages' text
};
// Switches ShowReport to recording: it renders the report as usual but shows and prints
// nothing.
void startRecording();
void stopRecording();
bool recording();
const QList<ShownReport>& shownReports();
void clearShownReports();

} // namespace reports
