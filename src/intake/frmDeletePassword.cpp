#include "frmDeletePassword.h"

#include "components/login/clscurrentuser.h"
#include "ui/messages.h"
#include "ui/singletons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::function<void(QWidget*)>& serviceRateFileOpener() {
    static std::function<void(QWidget*)> open;
    return open;
}

std::function<void(QWidget*)>& caseNumberDeletionOpener() {
    static std::function<void(QWidget*)> open;
    return open;
}

} // namespace

frmDeletePassword::frmDeletePassword(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDeletePassword"));
    setWindowTitle(QStringLiteral("Password"));
    setModal(true);

    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    // The department's dialogs mask with the middle dot, whatever the style draws.
    txtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 183;"));
    txtPassword->setMinimumWidth(220);
    cmdEnter = new QPushButton(QStringLiteral("&Enter"), this);
    cmdEnter->setObjectName(QStringLiteral("cmdEnter"));
    cmdEnter->setDefault(true); // Enter in the box presses it

    auto* row = new QHBoxLayout;
    row->addWidget(txtPassword, 1);
    row->addWidget(cmdEnter);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(row);
    setFixedSize(sizeHint());

    connect(cmdEnter, &QPushButton::clicked, this, &frmDeletePassword::cmdEnter_Click);
}

frmDeletePassword& frmDeletePassword::instance(QWidget* parent) {
    frmDeletePassword& d = ui::single<frmDeletePassword>();
    if (d.parentWidget() != parent)
        d.setParent(parent, Qt::Dialog);
    return d;
}

void frmDeletePassword::setServiceRateFileOpener(std::function<void(QWidget*)> open) {
    serviceRateFileOpener() = std::move(open);
}

void frmDeletePassword::setCaseNumberDeletionOpener(std::function<void(QWidget*)> open) {
    caseNumberDeletionOpener() = std::move(open);
}

bool frmDeletePassword::run(QWidget* parent, int purpose, const login::clsCurrentUser* user) {
    frmDeletePassword& d = instance(parent);
    d.setGetForm(purpose);
    d.setUser(user);
    d.exec();
    const bool ok = d.DeleteOK();
    if (!ok)
        return false;
    if (purpose == ServiceRateFile && serviceRateFileOpener())
        serviceRateFileOpener()(parent);
    else if (purpose == CaseNumberDeletion && caseNumberDeletionOpener())
        caseNumberDeletionOpener()(parent);
    return true;
}

bool frmDeletePassword::validEntry(const QString& typed, const login::clsCurrentUser* user) {
    if (!user || !user->Connected())
        return false;
    const QString code = user->employeecode();
    const QString password = user->Password();
    if (code.isEmpty() || password.isEmpty())
        return false;
    return typed.compare(code + password, Qt::CaseInsensitive) == 0 &&
           user->have_rights(QStringLiteral("A"));
}

void frmDeletePassword::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Each showing starts unconfirmed and empty: a caller never reads an earlier answer.
    deleteOK_ = false;
    txtPassword->clear();
    txtPassword->setFocus();
}

void frmDeletePassword::cmdEnter_Click() {
    if (!validEntry(txtPassword->text(), user_)) {
        ui::Messages::info(QStringLiteral("Password not valid!"));
        txtPassword->setFocus();
        txtPassword->selectAll();
        return;
    }
    txtPassword->clear(); // the entry holds the password: it does not stay in the box
    deleteOK_ = true;
    accept();
}
