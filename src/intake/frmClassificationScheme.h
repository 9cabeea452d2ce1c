#pragma once
// The maintenance screen of the classification scheme: the classes in a grid, and one class
// at a time in the entry boxes to add, change or delete. Opened modally from the main window.
#include "classificationrules.h"
#include "discount/clsPercentages.h"

#include <QAbstractSpinBox>
#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QGroupBox;

namespace db {
class Connection;
}
namespace ui {
class RecordsetModel;
}

namespace intake {

// An up-down spinner without a value of its own: each step is reported to the screen.
class UpDown : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);
    void stepBy(int steps) override;
    QSize sizeHint() const override;

signals:
    void stepped(bool up);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

} // namespace intake

class frmClassificationScheme : public QDialog {
    Q_OBJECT

public:
    explicit frmClassificationScheme(QWidget* parent = nullptr);
    ~frmClassificationScheme() override;

    // The connection the screen reads and writes on, and the hospital name of its caption.
    void setConnection(db::Connection* conn) { conn_ = conn; }
    void setHospitalName(const QString& name);

    // The key (Type) of the class being edited or created; empty when none.
    QString Key() const { return key_; }

    QLabel* lblHeading;
    QLabel* lblGuidelines;
    QLabel* lblHint;
    QTableView* GridClassification;
    QGroupBox* fraSpecifications;
    QGroupBox* fraDiscounts;
    QLineEdit* txtCode;
    QLineEdit* txtClassification;
    QLineEdit* txtIncome;
    QLineEdit* txtDependents;
    QLineEdit* txtProfFee;
    QLineEdit* txtProcPercentO;
    QLineEdit* txtMedsPercentO;
    QLineEdit* txtRoomPercentI;
    QLineEdit* txtProcPercentI;
    QLineEdit* txtMedsPercentI;
    QLineEdit* txtProceduresO;
    QLineEdit* txtMedicinesO;
    QLineEdit* txtRoomI;
    QLineEdit* txtProceduresI;
    QLineEdit* txtMedicinesI;
    std::array<intake::UpDown*, 5> UpDown1{};
    QPushButton* fltNew;
    QPushButton* fltEdit;
    QPushButton* fltSave;
    QPushButton* fltDelete;
    QPushButton* fltCancel;
    QPushButton* fltClose;

public slots:
    // Formats the grid and fills it from the database.
    void loadGrid();
    void fltNew_Click();
    void fltEdit_Click();
    void fltSave_Click();
    void fltDelete_Click();
    void fltCancel_Click();
    // The grid's current row into the entry boxes.
    void GridClassification_DblClick();
    // A step of spinner `index` (0 to 4); other indices do nothing.
    void UpDown1_Change(int index, bool up);

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildLayout();
    void formatGrid();
    void applyStates(intake::Action action);
    void setBoxesEnabled(bool on);
    void clearBoxes();
    void enterPercent(int index);
    void moveFocusFrom(QWidget* w);

    QLineEdit* percentBox(int index) const;
    QLineEdit* fractionBox(int index) const;
    QList<QLineEdit*> entryBoxes() const;

    db::Connection* conn_ = nullptr;
    ui::RecordsetModel* model_;
    clsPercentages percentages_;
    intake::ButtonStates states_;
    QString key_;
    bool loaded_ = false;
};
