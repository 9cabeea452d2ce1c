#pragma once
// Asks for one report date.
#include "reportdialog.h"

class QDateEdit;

class frmReportDate : public ReportDialog {
    Q_OBJECT

public:
    explicit frmReportDate(QWidget* parent = nullptr);

    QString startdate() const { return startdate_; }

    QDateEdit* dtStart;

protected:
    void opening() override;
    void store() override;

private:
    QString startdate_;
};
