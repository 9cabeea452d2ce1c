#pragma once
// The list of discharge notices with their cleared / not-cleared state. The worker picks a
// notice to clear; the caller then opens the clearance (see dischargenotices.h).
#include <QDialog>
#include <QHash>
#include <QIcon>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace db {
class Connection;
}

class frmDischargeNotice : public QDialog {
    Q_OBJECT

public:
    explicit frmDischargeNotice(QWidget* parent = nullptr);

    void setConnection(db::Connection* c) { conn_ = c; }

    // The chosen notice's admission number, and whether one was chosen.
    QString IDNUM() const { return idNum_; }
    bool Valid() const { return valid_; }

    // The status icons by key: "clear" and "open".
    const QHash<QString, QIcon>& imlStatus() const { return imlStatus_; }

    QTreeWidget* lvwRequest;
    QLabel* lblLegend;
    QLabel* imgClear;
    QLabel* lblCleared;
    QLabel* imgOpen;
    QLabel* lblNotCleared;
    QPushButton* cmdSelect;
    QPushButton* cmdClose;

public slots:
    // Fills the list from the notice procedure.
    void load();
    void cmdSelect_Click();
    void cmdClose_Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    db::Connection* conn_ = nullptr;
    QHash<QString, QIcon> imlStatus_;
    QString idNum_;
    bool valid_ = false;
    bool loaded_ = false;
};
