#pragma once
// Computation of Discount: for one visit, how the department's discount falls on the
// charges department by department, with medicare, the totals and what is left to pay.
// Opened modeless in the main window for the visit selected in the patient list.
#include "discount/discountcompute.h"

#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace db {
class Connection;
}

class frmComputeDiscount : public QWidget {
    Q_OBJECT
public:
    // The grid's columns: hidden, department code (hidden), department, actual charges,
    // medicare, discount.
    enum Column { ColFixed, ColCode, ColDepartment, ColActual, ColMedicare, ColDiscount };

    explicit frmComputeDiscount(QWidget* parent = nullptr);

    void setConnection(db::Connection* c) { conn_ = c; }
    // The visit selected in the patient list.
    void setSelection(const QString& hospNum, const QString& idNum);
    // What closing the screen does (the main window shows the patient list).
    void setOnUnload(std::function<void()> f) { onUnload_ = std::move(f); }

    // The opening sequence; the first show runs it.
    void Load();
    void cmdIsSpecial_Click();
    void cmdRecompute_Click();

    // What the screen holds, for its callers and tests.
    const discount::ClassFractions& fractions() const { return fractions_; }
    double NC() const { return nc_; }
    bool isSpecialAssessment() const { return special_; }

    QLineEdit* txtCode;
    QLineEdit* txtIDNum;
    QLineEdit* txtPatientName;
    QLineEdit* txtHospNum;
    QLineEdit* txtZEPNum;
    QLineEdit* txtRoomID;
    QGroupBox* frameCovered;
    QTableWidget* mshDiscount;
    QLabel* lblTotal;
    QLabel* lblMedicareTotal;
    QLabel* lblTotalCovered;
    QLabel* lblQFS;
    QGroupBox* frameSpecial;
    QLineEdit* txtNC;
    QLineEdit* txtQFSSpecial;
    QPushButton* cmdIsSpecial;
    QPushButton* cmdRecompute;
    QPushButton* cmdExit;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void fillPatient();
    void readAssessment();
    void readFractions();
    void compute(bool recompute);
    void showRows(const QVector<discount::DiscountRow>& rows);
    void showTotals(const discount::Totals& t);
    static void showError(const QString& description);

    db::Connection* conn_ = nullptr;
    std::function<void()> onUnload_;
    QString selHospNum_, selIdNum_;
    QString matching_;
    discount::ClassFractions fractions_;
    double nc_ = 0;
    bool special_ = false;
    bool opened_ = false;
};
