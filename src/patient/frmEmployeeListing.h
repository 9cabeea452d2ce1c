#pragma once
// The picker of the department's social workers. The caller opens it modally and, after it
// closes, reads WorkerCode (and Selected, to tell a choice from a plain Close).
#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;
class QTableView;
class QLabel;
class QGroupBox;

namespace db {
class Connection;
}

class frmEmployeeListing : public QDialog {
    Q_OBJECT

public:
    explicit frmEmployeeListing(QWidget* parent = nullptr);
    ~frmEmployeeListing() override;

    // The connection the searches run on (the log-in's shared connection).
    void setConnection(db::Connection* conn) { conn_ = conn; }
    db::Connection* connection() const { return conn_; }

    // The EmployeeID of the row last chosen with Select; Close leaves it as it was.
    QString WorkerCode() const { return workerCode_; }
    void setWorkerCode(const QString& code) { workerCode_ = code; }
    // True when the last opening ended with a row chosen, false after Close.
    bool Selected() const { return selected_; }

    QLabel* lblHeading;
    QLineEdit* txtSearch;
    QPushButton* btnSearch;
    QGroupBox* fraResults;
    QTableView* GridListWorkers;
    QLineEdit* txtRecCount;
    QPushButton* cmdSelect;
    QPushButton* cmdClose;

public slots:
    // Searches with the search box's text as it stands.
    void search();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void searchFor(const QString& text);
    void selectCurrent();

    class Model;
    Model* model_;
    db::Connection* conn_ = nullptr;
    QString workerCode_;
    bool selected_ = false;
};

// The name of the worker just picked, as every screen with a worker search shows it: the
// name when "ZEP..sp_ZEP_GetEmployeeName" finds the code; otherwise "Employee No Longer
// Exists." (title "MESSAGE") and nothing; a failed call is shown as a critical box with
// `errorTitle` and gives nothing.
std::optional<QString> pickedWorkerName(db::Connection& conn, const QString& code,
                                        const QString& errorTitle = {});
