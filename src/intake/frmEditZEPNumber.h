#pragma once
// Changing the case number of the patient selected on the patient list. A number held by
// another hospital number is refused with the intake sheet's message; an empty number is
// refused too, since removing a case number has its own guarded screen.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QLabel;

namespace db {
class Connection;
}

class frmEditZEPNumber : public QDialog {
    Q_OBJECT

public:
    explicit frmEditZEPNumber(QWidget* parent = nullptr);

    void setConnection(db::Connection* c) { conn_ = c; }
    void setUserCode(const QString& code) { userCode_ = code; }
    // The selection of the patient list, copied on opening.
    void setPatient(const QString& hospNum, const QString& name, const QString& zepId,
                    const QString& idNum);
    QString IDNUM() const { return idNum_; }

    QLabel* lblHeading;
    QLineEdit* txtHospNo;
    QLineEdit* txtName;
    QLineEdit* txtZEPno;
    QLineEdit* txtNewZEPNo;
    QPushButton* cmdUpdate;

public slots:
    // True when the new number was saved.
    bool cmdUpdate_Click();

private:
    db::Connection* conn_ = nullptr;
    QString userCode_;
    QString idNum_;
};
