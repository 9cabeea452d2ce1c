#pragma once
// Reprints a saved assessment and referral report without opening the referral report: the
// worker searches the saved reports (hospital number, case number or the start of a last
// name), picks one and prints it. The main window opens it, modal, from "Re-Print ARR" when
// no patient is selected; the hospital number starts as the patient list's.
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace db {
class Connection;
}
namespace referral {
class AssessmentGrid;
}

class frmReprintARR : public QDialog {
    Q_OBJECT

public:
    explicit frmReprintARR(QWidget* parent = nullptr);
    ~frmReprintARR() override;

    void setConnection(db::Connection* conn) { conn_ = conn; }
    void setDepartmentTitle(const QString& title) { setWindowTitle(title); }
    void setReportFolder(const QString& folder) { reportFolder_ = folder; }
    // The patient list's selection when the screen opens; a chosen row replaces it.
    void setHospNum(const QString& v) { hospNum_ = v; }

    // The four values the print sends with the row chosen (or as preset).
    QString HospNum() const { return hospNum_; }
    QString IDNUM() const { return idNum_; }
    QString UserName() const { return userName_; }
    QString LicenseNumber() const { return licence_; }
    // The text of one shown cell, in the grid's columns (0 = Hosp. Num).
    QString cell(int row, int column) const;
    int rowCount() const;

    QLabel* lblHeading;
    QLineEdit* txtSearch;
    QGroupBox* fraResults;
    QTableView* GridAssessment;
    QPushButton* btnPrint;
    QPushButton* btnClose;

public slots:
    // The search of Enter in txtSearch, with the box's text as it stands.
    void search();
    // Takes the values of a shown row, as a click on it does.
    void chooseRow(int row);
    void btnPrint_Click();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    referral::AssessmentGrid* model_;
    db::Connection* conn_ = nullptr;
    QString reportFolder_;
    QString hospNum_;
    QString idNum_;
    QString userName_;
    QString licence_;
};
