#include "frmReportDate2.h"

#include "db/connection.h"
#include "patient/frmEmployeeListing.h"
#include "ui/messages.h"
#include "ui/singletons.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmReportDate2::frmReportDate2(QWidget* parent)
    : ReportDialog(QStringLiteral("frmReportDate2"), true, parent) {
    setWindowTitle(QStringLiteral("Report Date Entry"));
    dtStart = makeDatePicker(QStringLiteral("dtStart"));
    dtEnd = makeDatePicker(QStringLiteral("dtEnd"));

    lblzepw = new QLabel(QStringLiteral(" ZEPW"), this);
    lblzepw->setObjectName(QStringLiteral("lblzepw"));
    // The name comes from the worker search; typing a name here would pick nobody.
    txtZEPW = new QLineEdit(this);
    txtZEPW->setObjectName(QStringLiteral("txtZEPW"));
    txtZEPW->setReadOnly(true);
    cmdSearch = new QPushButton(QStringLiteral("..."), this);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch->setAutoDefault(false);
    connect(cmdSearch, &QPushButton::clicked, this, &frmReportDate2::searchWorker);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Start Date :"), dtStart);
    form->addRow(QStringLiteral("End Date :"), dtEnd);
    auto* workerRow = new QHBoxLayout;
    workerRow->addWidget(lblzepw);
    workerRow->addWidget(txtZEPW, 1);
    workerRow->addWidget(cmdSearch);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(workerRow);
    layout->addLayout(buttonRow());
    setWorkerSearchVisible(false);
}

void frmReportDate2::setWorkerSearchVisible(bool visible) {
    lblzepw->setVisible(visible);
    txtZEPW->setVisible(visible);
    cmdSearch->setVisible(visible);
}

// A worker picked for an earlier report must not carry over unseen into the next one, so
// the worker is cleared with the dates on every opening.
void frmReportDate2::opening() {
    dtStart->setDate(QDate::currentDate());
    dtEnd->setDate(QDate::currentDate());
    txtZEPW->clear();
    workerCode_.clear();
}

void frmReportDate2::store() {
    startdate_ = dateText(dtStart);
    enddate_ = dateText(dtEnd);
}

void frmReportDate2::done(int result) {
    ReportDialog::done(result);
    setWorkerSearchVisible(false);
}

void frmReportDate2::searchWorker() {
    frmEmployeeListing& picker = ui::single<frmEmployeeListing>();
    picker.setConnection(conn_);
    picker.exec();
    // Closing the list without choosing leaves the worker as it was.
    if (!picker.Selected() || !conn_)
        return;
    workerCode_ = picker.WorkerCode();
    if (const auto name = pickedWorkerName(*conn_, workerCode_))
        txtZEPW->setText(*name);
}
