#pragma once
// One discharge notice with the patient's data and the department's own data on the
// visit; Save records the clearance. A notice is cleared once: one cleared meanwhile at
// another workstation is not cleared again, and the worker is told who cleared it.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace db {
class Connection;
}
namespace login {
class clsCurrentUser;
}

class frmClearPatient : public QDialog {
    Q_OBJECT

public:
    explicit frmClearPatient(QWidget* parent = nullptr);

    void setConnection(db::Connection* c) { conn_ = c; }
    void setUser(const login::clsCurrentUser* user) { user_ = user; }
    // The notice's admission number (the notice list's IDNUM); read on opening.
    void setIDNUM(const QString& idNum) { idNum_ = idNum; }

    // True when the opened notice had its detail row.
    bool noticeFound() const { return found_; }

    QLabel* lblHeading;
    QLineEdit* txtHospNo;
    QLineEdit* txtAdmNo;
    QLineEdit* txtAdmDate;
    QLineEdit* txtRoomNo;
    QLineEdit* txtDoctor;
    QLineEdit* txtSname;
    QLineEdit* txtFname;
    QLineEdit* txtMname;
    QLineEdit* txtNoticeDate;
    QLineEdit* txtOrderDate;
    QLineEdit* txtDischargeNurse;
    QLineEdit* txtRemarks;
    QLineEdit* txtClearDate;
    QLineEdit* txtClearedBy;
    QLineEdit* txtClearRemarks;
    QLineEdit* txtZEPNum;
    QLineEdit* txtCategory;
    QLineEdit* txtOtherInfo;
    QLabel* lblClassification;
    QPushButton* cmdSave;
    QPushButton* cmdIgnore;

public slots:
    // Reads the notice and the department's data into the boxes.
    void load();
    // True when this call cleared the notice (the dialog then closes).
    bool cmdSave_Click();
    void cmdIgnore_Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void clearBoxes();

    db::Connection* conn_ = nullptr;
    const login::clsCurrentUser* user_ = nullptr;
    QString idNum_;
    bool found_ = false;
    bool loaded_ = false;
};
