#pragma once
// The global update of the patients' classifications after the classification scheme has
// changed: the two update procedures in one transaction, all or nothing.
#include <QDialog>

class QLabel;
class QPushButton;

namespace db {
class Connection;
}

class frmGlobalClassificationUpdate : public QDialog {
    Q_OBJECT

public:
    explicit frmGlobalClassificationUpdate(QWidget* parent = nullptr);

    void setConnection(db::Connection* c) { conn_ = c; }
    // The caption: the hospital's name + ": Global Classification Update".
    void setHospitalName(const QString& name);

    QLabel* lblHeading;
    QLabel* lblSubHeading;
    QLabel* lblStatus;
    QPushButton* cmdUpdate;

public slots:
    // True when both procedures ran and were committed.
    bool cmdUpdate_Click();

private:
    db::Connection* conn_ = nullptr;
};
