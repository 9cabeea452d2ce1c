#pragma once
// Asks for a date range and, for the reports that are about one social worker, the worker.
// The worker controls are hidden unless the caller shows them before opening; they are
// hidden again when the dialog closes, so the next report starts without them.
#include "reportdialog.h"

class QDateEdit;
class QLabel;
class QLineEdit;

namespace db {
class Connection;
}

class frmReportDate2 : public ReportDialog {
    Q_OBJECT

public:
    explicit frmReportDate2(QWidget* parent = nullptr);

    void setConnection(db::Connection* conn) { conn_ = conn; }

    // Shows (or hides) lblzepw, txtZEPW and cmdSearch for the coming opening.
    void setWorkerSearchVisible(bool visible);

    QString startdate() const { return startdate_; }
    QString enddate() const { return enddate_; }
    // The worker picked in this opening; empty when the worker search was not used.
    QString WorkerCode() const { return workerCode_; }

    QDateEdit* dtStart;
    QDateEdit* dtEnd;
    QLabel* lblzepw;
    QLineEdit* txtZEPW;
    QPushButton* cmdSearch;

public slots:
    void done(int result) override;

protected:
    void opening() override;
    void store() override;

private:
    void searchWorker();

    db::Connection* conn_ = nullptr;
    QString startdate_;
    QString enddate_;
    QString workerCode_;
};
