#include "frmReportDate.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QVBoxLayout>

frmReportDate::frmReportDate(QWidget* parent)
    : ReportDialog(QStringLiteral("frmReportDate"), false, parent) {
    setWindowTitle(QStringLiteral("Generate Report"));
    dtStart = makeDatePicker(QStringLiteral("dtStart"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Report Date :"), dtStart);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow());
}

void frmReportDate::opening() {
    dtStart->setDate(QDate::currentDate());
}

void frmReportDate::store() {
    startdate_ = dateText(dtStart);
}
