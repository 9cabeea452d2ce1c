#pragma once
// View Patient Fund Allocation: the sponsors that granted funds to the patient selected in
// the patient list and, for the sponsor double-clicked, the charges paid from its fund with
// the amount consumed and the fund left. Opened modal from the main window; only reads.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace db {
class Connection;
}

class frmViewPatientFund : public QDialog {
    Q_OBJECT
public:
    // The grids' header rows as the grids were laid out, first column a row marker.
    static const QString kFundFormat;
    static const QString kMonitoringFormat;

    explicit frmViewPatientFund(QWidget* parent = nullptr);

    void setConnection(db::Connection* c) { conn_ = c; }
    // The patient list's selection, copied when the screen loads.
    void setSelection(const QString& hospNum, const QString& idNum);

    // The opening sequence; the first show runs it.
    void Load();
    // A double-click on a sponsor row of GridFund (row counted from 0 over the data rows).
    void GridFund_DblClick(int row);

    QString HospNum() const { return hospNum_; }
    QString IDNUM() const { return idNum_; }
    // The fund amount of the sponsor last double-clicked.
    double fundAmount() const { return fund_; }

    QLineEdit* txtPatientName;
    QLineEdit* txtHospNum;
    QLineEdit* txtPhysician;
    QLineEdit* txtZEPNum;
    QLineEdit* txtClassification;
    QLineEdit* txtRoomID;
    QTableWidget* GridFund;
    QLabel* lblSponsorName;
    QTableWidget* GridMonitoring;
    QLineEdit* txtConsumed;
    QLineEdit* txtFundLeft;
    QPushButton* cmdClose;

protected:
    void showEvent(QShowEvent* e) override;

private:
    db::Connection* conn_ = nullptr;
    QString selHospNum_, selIdNum_;
    QString hospNum_, idNum_;
    double fund_ = 0;
    bool loaded_ = false;
};
