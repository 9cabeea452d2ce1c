#include "frmlogin.h"

#include "clscurrentuser.h"
#include "connectionsettings.h"
#include "ui/messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace login {

namespace {

template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// Enter must not press a button by itself: it moves through the fields instead.
QPushButton* button(const QString& text, const char* name) {
    auto* b = named(new QPushButton(text), name);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

frmLogin::frmLogin(clsCurrentUser& user, QWidget* parent) : QDialog(parent), user_(user) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Log In"));

    txtUserName = named(new QLineEdit, "txtUserName");
    txtPassword = named(new QLineEdit, "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK = button(QStringLiteral("OK"), "cmdOK");
    cmdCancel = button(QStringLiteral("Cancel"), "cmdCancel");
    cmdConnection = button(QStringLiteral("Connection..."), "cmdConnection");
    cmdConnection->setCheckable(true);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("User name:"), txtUserName);
    fields->addRow(QStringLiteral("Password:"), txtPassword);

    fraConnection = named(new QGroupBox(QStringLiteral("Database")), "fraConnection");
    optEmbedded = named(new QRadioButton(QStringLiteral("Embedded database")), "optEmbedded");
    optPostgreSQL = named(new QRadioButton(QStringLiteral("PostgreSQL server")), "optPostgreSQL");
    txtFolder = named(new QLineEdit, "txtFolder");
    cmdBrowse = button(QStringLiteral("Browse..."), "cmdBrowse");
    txtHost = named(new QLineEdit, "txtHost");
    spnPort = named(new QSpinBox, "spnPort");
    spnPort->setRange(1, 65535);
    txtDatabase = named(new QLineEdit, "txtDatabase");
    txtDbUser = named(new QLineEdit, "txtDbUser");
    txtDbPassword = named(new QLineEdit, "txtDbPassword");
    txtDbPassword->setEchoMode(QLineEdit::Password);
    txtDbPassword->setPlaceholderText(QStringLiteral("empty: from ~/.pgpass"));

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(txtFolder, 1);
    folderRow->addWidget(cmdBrowse);
    auto* conn = new QFormLayout(fraConnection);
    conn->addRow(optEmbedded);
    conn->addRow(QStringLiteral("Folder:"), folderRow);
    conn->addRow(optPostgreSQL);
    conn->addRow(QStringLiteral("Host:"), txtHost);
    conn->addRow(QStringLiteral("Port:"), spnPort);
    conn->addRow(QStringLiteral("Database:"), txtDatabase);
    conn->addRow(QStringLiteral("User:"), txtDbUser);
    conn->addRow(QStringLiteral("Password:"), txtDbPassword);
    fraConnection->setVisible(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdConnection);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(fraConnection);
    layout->addLayout(buttons);

    tmrRetry = named(new QTimer(this), "tmrRetry");
    tmrRetry->setSingleShot(true);
    connect(tmrRetry, &QTimer::timeout, this, [this] { cmdOK->setEnabled(true); });

    // The component starts from ZEP_DATABASE when it is set; such a run must not overwrite
    // the workstation's saved settings unless the user changes them here.
    fromEnvironment_ = environmentOverride(nullptr);
    showSettings(user_.connectionSettings());

    connect(txtUserName, &QLineEdit::returnPressed, txtPassword,
            [this] { txtPassword->setFocus(Qt::OtherFocusReason); });
    connect(txtPassword, &QLineEdit::returnPressed, cmdOK, &QPushButton::click);
    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdConnection, &QPushButton::toggled, this, [this](bool on) {
        fraConnection->setVisible(on);
        adjustSize();
    });
    connect(cmdBrowse, &QPushButton::clicked, this, &frmLogin::cmdBrowse_Click);
    connect(optEmbedded, &QRadioButton::toggled, this, &frmLogin::updateBackendFields);

    const auto edited = [this] { connectionEdited_ = true; };
    for (QLineEdit* e : {txtFolder, txtHost, txtDatabase, txtDbUser})
        connect(e, &QLineEdit::textEdited, this, edited);
    connect(optEmbedded, &QRadioButton::clicked, this, edited);
    connect(optPostgreSQL, &QRadioButton::clicked, this, edited);
    connect(spnPort, &QSpinBox::valueChanged, this, [this] {
        if (spnPort->hasFocus())
            connectionEdited_ = true;
    });

    txtUserName->setFocus(Qt::OtherFocusReason);
}

void frmLogin::showSettings(const db::ConnectionSettings& s) {
    const bool pg = s.backend == db::Backend::PostgreSQL;
    optEmbedded->setChecked(!pg);
    optPostgreSQL->setChecked(pg);
    txtFolder->setText(s.folder);
    txtHost->setText(s.host);
    spnPort->setValue(s.port);
    txtDatabase->setText(s.database);
    txtDbUser->setText(s.user);
    txtDbPassword->setText(s.password);
    updateBackendFields();
}

db::ConnectionSettings frmLogin::settingsFromFields() const {
    db::ConnectionSettings s;
    s.backend = optPostgreSQL->isChecked() ? db::Backend::PostgreSQL : db::Backend::SQLite;
    s.folder = txtFolder->text().trimmed();
    s.host = txtHost->text().trimmed();
    s.port = spnPort->value();
    s.database = txtDatabase->text().trimmed();
    s.user = txtDbUser->text().trimmed();
    s.password = txtDbPassword->text();
    return s;
}

void frmLogin::updateBackendFields() {
    const bool embedded = optEmbedded->isChecked();
    txtFolder->setEnabled(embedded);
    cmdBrowse->setEnabled(embedded);
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtHost, spnPort, txtDatabase, txtDbUser, txtDbPassword})
        w->setEnabled(!embedded);
}

void frmLogin::cmdBrowse_Click() {
    const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Database folder"),
                                                          txtFolder->text());
    if (dir.isEmpty())
        return;
    txtFolder->setText(dir);
    connectionEdited_ = true;
}

void frmLogin::holdOk(int ms) {
    if (ms <= 0)
        return;
    cmdOK->setEnabled(false);
    tmrRetry->start(ms);
}

void frmLogin::cmdOK_Click() {
    if (!cmdOK->isEnabled())
        return;
    const db::ConnectionSettings s = settingsFromFields();
    if (!s.isValid()) {
        ui::Messages::exclamation(QStringLiteral("Please complete the connection settings."));
        cmdConnection->setChecked(true);
        return;
    }
    user_.setConnectionSettings(s);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LogInResult r = user_.logIn(txtUserName->text(), txtPassword->text());
    QApplication::restoreOverrideCursor();

    switch (r.kind) {
    case LogInResult::Ok:
        if (!fromEnvironment_ || connectionEdited_)
            saveConnectionSettings(s);
        txtPassword->clear();
        accept();
        return;
    case LogInResult::Refused:
        // The wait starts now, while the message is still on the screen.
        holdOk(r.retryDelayMs());
        ui::Messages::exclamation(r.message);
        txtPassword->clear();
        txtPassword->setFocus(Qt::OtherFocusReason);
        return;
    case LogInResult::ConnectionFailed:
        ui::Messages::critical(r.message);
        cmdConnection->setChecked(true);
        return;
    case LogInResult::DatabaseError:
        ui::Messages::critical(r.message);
        return;
    }
}

} // namespace login
