#include "frmAssessmentList.h"

#include "assessmentgrid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

frmAssessmentList::frmAssessmentList(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAssessmentList"));
    setModal(true);

    GridAssessment = new QTableView(this);
    GridAssessment->setObjectName(QStringLiteral("GridAssessment"));
    GridAssessment->setMinimumHeight(240);
    model_ = new referral::AssessmentGrid(
        GridAssessment,
        {QStringLiteral("Adm. Num."), QStringLiteral("Code"), QStringLiteral("Classification"),
         QStringLiteral("Category"), QStringLiteral("AssessDate"), QStringLiteral("Remarks"),
         QStringLiteral("ExpiryDate")},
        {100, 1050, 850, 1200, 1200, 1900, 3000, 1200});

    fraList = new QGroupBox(QStringLiteral("List of Previous Assessment"), this);
    fraList->setObjectName(QStringLiteral("fraList"));
    auto* frameLayout = new QVBoxLayout(fraList);
    frameLayout->addWidget(GridAssessment);

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraList, 1);
    layout->addLayout(buttons);
}

frmAssessmentList::~frmAssessmentList() = default;

void frmAssessmentList::bind(const db::Recordset& rs) {
    model_->bind(rs);
}

QString frmAssessmentList::cell(int row, int column) const {
    return model_->text(row, column);
}

int frmAssessmentList::rowCount() const {
    return model_->rowCount();
}
