#pragma once
// Removing a case number, reached through the delete-password dialog. Refused while any
// patient holding the number has a classification.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace db {
class Connection;
}

class frmDeleteZEPNum : public QDialog {
    Q_OBJECT

public:
    explicit frmDeleteZEPNum(QWidget* parent = nullptr);

    void setConnection(db::Connection* c) { conn_ = c; }
    void setUserCode(const QString& code) { userCode_ = code; }

    QLineEdit* txtZEPNum;
    QPushButton* cmdDelete;

public slots:
    // True when the number was removed.
    bool cmdDelete_Click();

private:
    db::Connection* conn_ = nullptr;
    QString userCode_;
};
