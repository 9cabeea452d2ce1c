#pragma once
// Asks for a date range and a case category (the NBB report).
#include "reportdialog.h"

class QComboBox;
class QDateEdit;
class QLabel;

namespace db {
class Connection;
}

class frmReportDateCategory : public ReportDialog {
    Q_OBJECT

public:
    explicit frmReportDateCategory(QWidget* parent = nullptr);

    void setConnection(db::Connection* conn) { conn_ = conn; }

    QString startdate() const { return startdate_; }
    QString enddate() const { return enddate_; }
    QString category() const { return category_; }

    QLabel* lblHeading;
    QDateEdit* dtStart;
    QDateEdit* dtEnd;
    QComboBox* cmbCategory;

protected:
    void opening() override;
    void store() override;

private:
    db::Connection* conn_ = nullptr;
    QString startdate_;
    QString enddate_;
    QString category_;
};
