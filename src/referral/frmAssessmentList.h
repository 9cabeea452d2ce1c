#pragma once
// The list of a patient's previous assessments, opened from the referral report's
// "Previous Assessments". The caller binds the rows it read (bind) and then shows the
// screen modally; the screen only shows them.
#include <QDialog>

class QGroupBox;
class QPushButton;
class QTableView;

namespace db {
class Recordset;
}
namespace referral {
class AssessmentGrid;
}

class frmAssessmentList : public QDialog {
    Q_OBJECT

public:
    explicit frmAssessmentList(QWidget* parent = nullptr);
    ~frmAssessmentList() override;

    void setDepartmentTitle(const QString& title) { setWindowTitle(title); }
    // The rows of "ZEP..sp_ZEP_GetPreviousAssessment", shown in the order of the
    // recordset's columns under the grid's fixed headings.
    void bind(const db::Recordset& rs);
    // The text of one cell as shown (tests and the worker's eye read the same thing).
    QString cell(int row, int column) const;
    int rowCount() const;

    QGroupBox* fraList;
    QTableView* GridAssessment;
    QPushButton* cmdClose;

private:
    referral::AssessmentGrid* model_;
};
