#include "frmReportDateCategory.h"

#include "db/connection.h"
#include "ui/messages.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

frmReportDateCategory::frmReportDateCategory(QWidget* parent)
    : ReportDialog(QStringLiteral("frmReportDateCategory"), true, parent) {
    setWindowTitle(QStringLiteral("Report "));
    lblHeading = new QLabel(QStringLiteral("Search NBB Report"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont headingFont = lblHeading->font();
    headingFont.setBold(true);
    lblHeading->setFont(headingFont);
    dtStart = makeDatePicker(QStringLiteral("dtStart"));
    dtEnd = makeDatePicker(QStringLiteral("dtEnd"));
    cmbCategory = new QComboBox(this);
    cmbCategory->setObjectName(QStringLiteral("cmbCategory"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Start Date :"), dtStart);
    form->addRow(QStringLiteral("End Date :"), dtEnd);
    form->addRow(QStringLiteral("Category :"), cmbCategory);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHeading);
    layout->addLayout(form);
    layout->addLayout(buttonRow());
}

void frmReportDateCategory::opening() {
    dtStart->setDate(QDate::currentDate());
    dtEnd->setDate(QDate::currentDate());
    cmbCategory->clear();
    if (!conn_)
        return;
    try {
        // The categories in the order of their ids, as the other screens list them.
        db::Recordset rs = conn_->Query(
            QStringLiteral("SELECT category FROM ZEP.tbZEPCaseCategory ORDER BY categoryid"));
        for (; !rs.Eof(); rs.MoveNext())
            cmbCategory->addItem(rs.Text(QStringLiteral("category")));
    } catch (const db::Error& err) {
        ui::Messages::critical(err.Description());
    }
}

void frmReportDateCategory::store() {
    startdate_ = dateText(dtStart);
    enddate_ = dateText(dtEnd);
    category_ = cmbCategory->currentText();
}
