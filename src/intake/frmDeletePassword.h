#pragma once
// The delete-password dialog that guards deletions: the user's employee code followed by
// the password typed at this session's log-in, from a user holding the right "A". One
// shared dialog; callers set the purpose (GetForm) and read DeleteOK after it closes.
#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace login {
class clsCurrentUser;
}

class frmDeletePassword : public QDialog {
    Q_OBJECT

public:
    // What the dialog guards.
    enum Purpose { ServiceRateFile = 1, ClassHistoryDeletion = 2, CaseNumberDeletion = 3 };

    explicit frmDeletePassword(QWidget* parent = nullptr);

    // The shared dialog, made on first use, shown over `parent`.
    static frmDeletePassword& instance(QWidget* parent);
    // Sets the purpose, shows the dialog modally and, after it has closed with a valid
    // entry, opens what the purpose leads to (the service rate file, the case-number
    // deletion) from here, so that no modal loop runs inside another. Returns DeleteOK.
    static bool run(QWidget* parent, int purpose, const login::clsCurrentUser* user);
    // What purpose 1 opens (the service rate file belongs to file maintenance).
    static void setServiceRateFileOpener(std::function<void(QWidget* parent)> open);
    // What purpose 3 opens: the case-number deletion (set by whoever wires that screen).
    static void setCaseNumberDeletionOpener(std::function<void(QWidget* parent)> open);

    int GetForm() const { return getForm_; }
    void setGetForm(int purpose) { getForm_ = purpose; }
    bool DeleteOK() const { return deleteOK_; }
    void setDeleteOK(bool ok) { deleteOK_ = ok; }
    // Whose code and log-in password make the entry.
    void setUser(const login::clsCurrentUser* user) { user_ = user; }

    // True when `typed` is the user's code and log-in password (any letter case) and the
    // user holds the right "A".
    static bool validEntry(const QString& typed, const login::clsCurrentUser* user);

    QLineEdit* txtPassword;
    QPushButton* cmdEnter;

public slots:
    void cmdEnter_Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    int getForm_ = 0;
    bool deleteOK_ = false;
    const login::clsCurrentUser* user_ = nullptr;
};
