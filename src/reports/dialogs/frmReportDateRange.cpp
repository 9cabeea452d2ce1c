#include "frmReportDateRange.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QVBoxLayout>

frmReportDateRange::frmReportDateRange(QWidget* parent)
    : ReportDialog(QStringLiteral("frmReportDateRange"), true, parent) {
    setWindowTitle(QStringLiteral("Report Date Entry"));
    dtStart = makeDatePicker(QStringLiteral("dtStart"));
    dtEnd = makeDatePicker(QStringLiteral("dtEnd"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Start Date :"), dtStart);
    form->addRow(QStringLiteral("End Date :"), dtEnd);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow());
}

void frmReportDateRange::opening() {
    dtStart->setDate(QDate::currentDate());
    dtEnd->setDate(QDate::currentDate());
}

void frmReportDateRange::store() {
    startdate_ = dateText(dtStart);
    enddate_ = dateText(dtEnd);
}
