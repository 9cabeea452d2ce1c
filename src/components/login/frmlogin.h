#pragma once
// The log-in dialog of the log-in component: user name and password, and a folding
// "Connection..." part that says where the database is.
#include "db/settings.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace login {

class clsCurrentUser;

class frmLogin : public QDialog {
    Q_OBJECT

public:
    explicit frmLogin(clsCurrentUser& user, QWidget* parent = nullptr);

    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdConnection = nullptr;

    QGroupBox* fraConnection = nullptr;
    QRadioButton* optEmbedded = nullptr;
    QRadioButton* optPostgreSQL = nullptr;
    QLineEdit* txtFolder = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QLineEdit* txtHost = nullptr;
    QSpinBox* spnPort = nullptr;
    QLineEdit* txtDatabase = nullptr;
    QLineEdit* txtDbUser = nullptr;
    QLineEdit* txtDbPassword = nullptr;
    // Keeps OK disabled for the wait after a refused log-in.
    QTimer* tmrRetry = nullptr;

    // The connection the fields describe.
    db::ConnectionSettings settingsFromFields() const;

private slots:
    void cmdOK_Click();
    void cmdBrowse_Click();
    void updateBackendFields();

private:
    void showSettings(const db::ConnectionSettings& s);
    void holdOk(int ms);

    clsCurrentUser& user_;
    bool fromEnvironment_ = false;
    bool connectionEdited_ = false;
};

} // namespace login
