#pragma once
// The patient search list: the one place where a social worker chooses a patient. The row
// last chosen is the selected patient, published through read-only properties that every
// patient screen reads when it opens.
#include <QString>
#include <QWidget>
#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTreeView;

namespace db {
class Connection;
}
namespace ui {
class RecordsetModel;
}

class frmListPatient : public QWidget {
    Q_OBJECT
public:
    // The column headers with their widths in twips, and the result columns behind them.
    static const QStringList& headers();
    static const QStringList& fields();

    frmListPatient(QWidget* parent = nullptr);
    ~frmListPatient() override;

    // Where the searches run: `global` for the four patient-type searches, `user` (the
    // log-in's sqlconnection) for the department's own patients. Both are the same
    // connection in this workstation.
    void setConnections(db::Connection* global, db::Connection* user);
    // The main window's File menu (right-click) and its "Patient Datasheet" switch.
    void setFileMenu(QMenu* m) { fileMenu_ = m; }
    void setDatasheetEnabler(std::function<void(bool)> f) { datasheet_ = std::move(f); }

    // The selection (empty when nothing is selected).
    QString HospNum() const { return hospNum_; }
    QString IDNUM() const { return idNum_; }
    QString RoomID() const { return roomId_; }
    QString ZEPID() const { return zepId_; }
    QString PatientName() const { return patientName_; }
    // The option last clicked: "0" in, "1" out, "2" all, "3" ER, "5" ZEP patients; "2" when
    // no option was ever clicked.
    QString PatientType() const { return patientType_.isEmpty() ? QStringLiteral("2") : patientType_; }
    QString Billdate() const { return billDate_; }
    // Callers may preset these before the list is shown: it then searches by them at once.
    void setHospNum(const QString& v) { hospNum_ = v; preset_ = true; }
    void setIDNUM(const QString& v) { idNum_ = v; preset_ = true; }
    void setPatientName(const QString& v) { patientName_ = v; preset_ = true; }
    // Fills the three boxes (the main window's Listing button does, when it resets the list).
    void setBoxes(const QString& hospNum, const QString& idNum, const QString& lastName);

    bool listEnabled() const { return listEnabled_; }
    bool capped() const { return capped_; }
    int rowCount() const;

    // Runs the search with the five values, by the chosen option (Enter in a box does).
    void search(const QString& hospNum, const QString& lastName, const QString& idNum,
                const QString& firstName, const QString& middleName);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private slots:
    void cmdSearch_Click();
    void lblZEP_Click();

private:
    void buildScreen();
    void runSearch(const QString& procedure, db::Connection* conn, const QStringList& values);
    void selectCurrentRow();
    void sortBy(int column);
    void boxEntered(QLineEdit* box);
    QStringList boxValues() const;

    QLineEdit* txtHospNum = nullptr;
    QLineEdit* txtIDNum = nullptr;
    QLineEdit* txtLastName = nullptr;
    QLineEdit* txtFirstName = nullptr;
    QLineEdit* txtMiddleName = nullptr;
    QButtonGroup* optPatientType = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblZEP = nullptr;
    QTreeView* lvwSearchPatient = nullptr;
    QProgressBar* pbProgress = nullptr;
    QLabel* lblRecCount = nullptr;
    QSplitter* imgSplitter = nullptr;
    ui::RecordsetModel* model_ = nullptr;

    db::Connection* global_ = nullptr;
    db::Connection* user_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    std::function<void(bool)> datasheet_;

    QString hospNum_, idNum_, roomId_, zepId_, patientName_, patientType_, billDate_;
    bool preset_ = false;
    bool opened_ = false;
    bool listEnabled_ = false;
    bool capped_ = false;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder; // the first header click turns it
};
