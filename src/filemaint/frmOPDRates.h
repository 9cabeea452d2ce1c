#pragma once
// The department's out-patient procedure rates (ZEP.tbZEPOPSRates): every rate in a grid,
// and the price of one rate at a time changed through the edit frame. Only the price is
// ever written, so the code, description and active flag are shown read-only: a box that
// can be typed in but is never saved would tell the user a change was kept when it was not.
#include <QDialog>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace db {
class Connection;
}

namespace filemaint {

// The price as typed, when it is one the table can hold: a number of 0 or more with at
// most two decimals (blanks around it ignored). Empty or anything else gives nothing.
std::optional<double> readPrice(const QString& typed);

} // namespace filemaint

class frmOPDRates : public QDialog {
    Q_OBJECT

public:
    explicit frmOPDRates(QWidget* parent = nullptr);

    // Sets the connection and loads the rates.
    void setConnection(db::Connection* c);

    QLabel* lblHeading;
    QGroupBox* Frame1;
    QTableView* grdRates;
    QGroupBox* Frame2;
    QLineEdit* txtCode;
    QLineEdit* txtDescription;
    QLineEdit* txtPrice;
    QCheckBox* chkActive;
    QPushButton* cmdEdit;
    QPushButton* cmdUpdate;
    QPushButton* cmdCancel;
    QPushButton* cmdClose;

    // The grid's text at (row, column), as shown.
    QString cell(int row, int column) const;
    int rowCount() const;
    bool editing() const;

public slots:
    // Clears the grid and loads every rate again.
    void loadRates();
    // Copies the current row into the edit frame; false when there is no current row.
    bool takeRow();
    void cmdEdit_Click();
    // True when the price was written.
    bool cmdUpdate_Click();
    void cmdCancel_Click();

private:
    void setEditing(bool on);
    void selectCode(const QString& code);

    db::Connection* conn_ = nullptr;
    QStandardItemModel* model_;
};
