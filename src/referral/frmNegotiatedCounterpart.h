#pragma once
// The fund allocations already granted to the patient of the open referral report, read
// only. The report opens it over itself; it shows the report's patient and binds the
// allocation list whole to its grid, in the columns the list comes with.
#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class QTableView;
class frmARR;

namespace db {
class Connection;
}
namespace ui {
class RecordsetModel;
}

class frmNegotiatedCounterpart : public QDialog {
    Q_OBJECT

public:
    explicit frmNegotiatedCounterpart(QWidget* parent = nullptr);

    void setConnection(db::Connection* conn) { conn_ = conn; }
    // Copies the patient from the report and lists the allocations.
    void Form_Load(const frmARR& report);

    QString HospNum() const { return hospNum_; }
    QString IDNUM() const { return idNum_; }
    QString AccountNum() const { return accountNum_; }
    void setAccountNum(const QString& v) { accountNum_ = v; }

    // The grid's header texts and one row's texts, as shown.
    QStringList headers() const;
    QStringList rowTexts(int row) const;
    int rowCount() const;

    QLineEdit* txtName;
    QLineEdit* txtHospNum;
    QLineEdit* txtIDNum;
    QLineEdit* txtZEPNumber;
    QTableView* flgSponsorList;
    QPushButton* cmdClose;

private:
    void layOutGrid();

    db::Connection* conn_ = nullptr;
    ui::RecordsetModel* model_;
    QString hospNum_;
    QString idNum_;
    QString accountNum_;
};
