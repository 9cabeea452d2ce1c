#pragma once
// The service rate file: the chargeable items of one revenue centre (department) of the
// hospital's build file with their rates A to E, and the department's QFS discount of each
// item, its type and, for a specified discount, its percentage. Only the two QFS properties
// are ever written (through BUILD_FILE..sp_Bui_UpdateQFSDiscount); the code, description and
// rates are shown read-only, as a box that can be typed in but is never saved would tell the
// user a change was kept when it was not. Prints the list of procedures with their discounts
// ("DiscountExams.RPT").
#include <QDialog>
#include <QString>
#include <optional>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QKeyEvent;
class QRadioButton;
class QStandardItemModel;
class QTableView;

namespace db {
class Connection;
}

namespace filemaint {

// A number read the way the item master's texts are read: the leading numeric part of the
// text (blanks before it skipped, an optional sign, digits with one decimal point), 0 when
// there is none ("12.5 pesos" gives 12.5, "abc" and "" give 0).
double leadingNumber(const QString& text);

// The QFS percentage as typed, when it is one the item master can hold: a number from 0 to
// 100 with at most two decimals (blanks around it ignored). Anything else gives nothing.
std::optional<double> readQFSPercent(const QString& typed);

// The option index a stored QFS type shows: "0" to "3" (blanks ignored) as they are, any
// other value, empty included, as 1 (use the patient's classification).
int qfsTypeIndex(const QString& stored);

// The name query that finds the first active item of `dept` whose name starts with the
// typed text, and the column it returns: for the eight departments with item tables of
// their own their table and columns ("XR": tbCoXrayExam, XrayExam); for any other the
// other-revenue table, matched on the item code and the department's own code. The query
// binds the LIKE pattern, and for other departments then the department code.
struct NameSearch {
    QString sql;
    QString codeColumn;
    bool bindsDepartment = false;
};
NameSearch nameSearchFor(const QString& dept);

} // namespace filemaint

class frmBuildFile : public QDialog {
    Q_OBJECT

public:
    explicit frmBuildFile(QWidget* parent = nullptr);

    void setConnection(db::Connection* c) { conn_ = c; }
    // The report folder, the hospital's name and its first address line for the print.
    void setReportFolder(const QString& folder) { reportFolder_ = folder; }
    void setHospital(const QString& name, const QString& address1);

    QLabel* lblHeading;
    QLabel* lblStatus;
    QLineEdit* txtDeptCode;
    QLineEdit* txtDepartment;
    QGroupBox* fmeDepartment;
    QTableView* grdDepartment;
    QGroupBox* fraExams;
    QTableView* grdExams;
    QGroupBox* fraSearch;
    QComboBox* cmbSearch;
    QLineEdit* txtSearch;
    QGroupBox* fmeExamInfo;
    QLineEdit* txtCode;
    QLineEdit* txtDecription;
    QGroupBox* fraRates;
    QLineEdit* txtRateA;
    QLineEdit* txtRateB;
    QLineEdit* txtRateC;
    QLineEdit* txtRateD;
    QLineEdit* txtRateE;
    QGroupBox* fmeProperties;
    QRadioButton* optQFSType[4];
    QLineEdit* txtQFSRate;
    QPushButton* btnNew;
    QPushButton* btnEdit;
    QPushButton* btnRefresh;
    QPushButton* btnPrint;
    QPushButton* btnSave;
    QPushButton* btnCancel;
    QPushButton* btnExit;

    // The department whose items the exams grid shows (empty before any was chosen). The
    // details and the save use it, never the department box, which can be retyped after.
    QString loadedDepartment() const { return loadedDept_; }
    bool editing() const;
    // The chosen QFS option, -1 when none is.
    int qfsType() const;

    int departmentRowCount() const;
    QString departmentCell(int row, int column) const;
    int examRowCount() const;
    QString examCell(int row, int column) const;
    // The exams grid's current row, -1 when there is none.
    int currentExamRow() const;

public slots:
    // Enter in the department box: the departments whose code is the text or whose name
    // starts with it, in the pop-up. False (and nothing changed) when none is.
    bool findDepartments();
    // Takes the pop-up's row as the department and loads its items.
    void chooseDepartment(int row);
    // The active items of `dept` in the exams grid.
    void loadItems(const QString& dept);
    // Fills the item fields from the item's details; false when the item is not on file
    // (the fields keep what they showed).
    bool showItem(const QString& code);
    // Makes the exams grid's row of `code` the current one, scrolled into view.
    void selectExam(const QString& code);
    void btnEdit_Click();
    // True when the QFS properties were written.
    bool btnSave_Click();
    void btnCancel_Click();
    void btnRefresh_Click();
    void btnPrint_Click();
    void txtSearch_Change();
    // Choosing a QFS option: a specified discount unlocks the percentage, any other sets it
    // to 0 and locks it.
    void optQFSType_Click(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void setEditing(bool on, QWidget* focus);
    void clearItemFields();
    void showCurrentRow();
    void chooseQFSType(int index);
    bool rateKey(QLineEdit* box, QKeyEvent* k);
    bool upperKey(QLineEdit* box, QKeyEvent* k);

    db::Connection* conn_ = nullptr;
    QString reportFolder_;
    QString hospitalName_;
    QString hospitalAddress_;
    QString loadedDept_;
    QStandardItemModel* departments_;
    QStandardItemModel* exams_;
    QButtonGroup* qfsGroup_;
    bool quiet_ = false;       // a row chosen by the screen itself shows no item
    bool activatedOnce_ = false;
};
