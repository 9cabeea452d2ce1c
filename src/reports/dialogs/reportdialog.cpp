#include "reportdialog.h"

#include <QDateEdit>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

ReportDialog::ReportDialog(const QString& name, bool centred, QWidget* parent)
    : QDialog(parent), centred_(centred) {
    setObjectName(name);
    setModal(true);
    cmdEnter = new QPushButton(QStringLiteral("&Enter"), this);
    cmdEnter->setObjectName(QStringLiteral("cmdEnter"));
    cmdEnter->setDefault(true);
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    connect(cmdEnter, &QPushButton::clicked, this, &ReportDialog::enter);
    connect(cmdClose, &QPushButton::clicked, this, &ReportDialog::reject);
}

QDateEdit* ReportDialog::makeDatePicker(const QString& name) {
    auto* picker = new QDateEdit(this);
    picker->setObjectName(name);
    picker->setDisplayFormat(dateFormat());
    picker->setCalendarPopup(true);
    picker->setDate(QDate::currentDate());
    return picker;
}

QString ReportDialog::dateText(const QDateEdit* picker) {
    return picker->date().toString(picker->displayFormat());
}

QHBoxLayout* ReportDialog::buttonRow() {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(cmdEnter);
    row->addWidget(cmdClose);
    return row;
}

void ReportDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous())
        return; // restored from minimised: not a new opening
    closeForm_ = false;
    opening();
    if (centred_) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
}

void ReportDialog::enter() {
    store();
    accept();
}

// Closing the window by its close box or Esc is a cancel as much as Close is: the caller
// must not go on to produce the report.
void ReportDialog::reject() {
    closeForm_ = true;
    QDialog::reject();
}
