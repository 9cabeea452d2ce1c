#pragma once
// Asks for a start and an end date. The two are not compared: a range given backwards is
// passed on as chosen.
#include "reportdialog.h"

class QDateEdit;

class frmReportDateRange : public ReportDialog {
    Q_OBJECT

public:
    explicit frmReportDateRange(QWidget* parent = nullptr);

    QString startdate() const { return startdate_; }
    QString enddate() const { return enddate_; }

    QDateEdit* dtStart;
    QDateEdit* dtEnd;

protected:
    void opening() override;
    void store() override;

private:
    QString startdate_;
    QString enddate_;
};
