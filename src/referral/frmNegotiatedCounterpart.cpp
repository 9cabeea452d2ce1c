#include "frmNegotiatedCounterpart.h"

#include "db/connection.h"
#include "frmARR.h"
#include "ui/messages.h"
#include "ui/recordsetmodel.h"
#include "ui/twips.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QLineEdit* readOnlyBox(const char* name) {
    auto* b = new QLineEdit;
    b->setObjectName(QString::fromLatin1(name));
    b->setReadOnly(true);
    return b;
}

} // namespace

frmNegotiatedCounterpart::frmNegotiatedCounterpart(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmNegotiatedCounterpart"));
    setWindowTitle(QStringLiteral("Fund Allocation Entry"));
    auto* outer = new QVBoxLayout(this);

    auto* heading = new QLabel(QStringLiteral("Priority Dev't Assistance Fund Allocation"));
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 3);
    heading->setFont(f);
    outer->addWidget(heading);

    auto* patient = new QGroupBox(QStringLiteral("Patient Information"));
    patient->setObjectName(QStringLiteral("fraPatient"));
    auto* pl = new QGridLayout(patient);
    txtName = readOnlyBox("txtName");
    txtHospNum = readOnlyBox("txtHospNum");
    txtIDNum = readOnlyBox("txtIDNum");
    txtZEPNumber = readOnlyBox("txtZEPNumber");
    txtZEPNumber->setToolTip(QStringLiteral("Case number"));
    pl->addWidget(new QLabel(QStringLiteral("Patient's Name  :")), 0, 0);
    pl->addWidget(txtName, 0, 1, 1, 3);
    pl->addWidget(new QLabel(QStringLiteral("Hospital Num.    :")), 1, 0);
    pl->addWidget(txtHospNum, 1, 1);
    pl->addWidget(new QLabel(QStringLiteral("ZEP No. :")), 1, 2);
    pl->addWidget(txtZEPNumber, 1, 3);
    pl->addWidget(new QLabel(QStringLiteral("Admission Num. :")), 2, 0);
    pl->addWidget(txtIDNum, 2, 1);
    pl->setColumnStretch(1, 1);
    pl->setColumnStretch(3, 1);
    outer->addWidget(patient);

    auto* details = new QGroupBox(QStringLiteral("Transaction Details"));
    details->setObjectName(QStringLiteral("fraTransaction"));
    auto* dl = new QVBoxLayout(details);
    flgSponsorList = new QTableView;
    flgSponsorList->setObjectName(QStringLiteral("flgSponsorList"));
    model_ = new ui::RecordsetModel(this);
    flgSponsorList->setModel(model_);
    flgSponsorList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    flgSponsorList->setSelectionBehavior(QAbstractItemView::SelectRows);
    flgSponsorList->setSelectionMode(QAbstractItemView::SingleSelection);
    flgSponsorList->verticalHeader()->setDefaultSectionSize(22);
    flgSponsorList->setMinimumHeight(200);
    dl->addWidget(flgSponsorList);
    outer->addWidget(details, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    cmdClose = new QPushButton(QStringLiteral("&Close"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    buttons->addWidget(cmdClose);
    outer->addLayout(buttons);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);

    // Wide enough for the whole grid: the hidden account, the company, ten columns of 1500.
    resize(ui::twips(2800 + 10 * 1500) + 100, 460);
}

void frmNegotiatedCounterpart::Form_Load(const frmARR& report) {
    hospNum_ = report.txtHospNum->text();
    idNum_ = report.txtIDNum->text();
    txtHospNum->setText(hospNum_);
    txtIDNum->setText(idNum_);
    txtName->setText(report.txtFirstName->text() + QStringLiteral(",") +
                     report.txtLastName->text());
    txtZEPNumber->setText(report.txtZEPNum->text());
    model_->clear();
    model_->setColumns({}, {});
    if (!conn_)
        return;
    db::Recordset rs;
    try {
        rs = conn_->Call(QStringLiteral("ZEP..sp_Pars_Load_Existing_CDF_Allocation"),
                         {hospNum_.trimmed(), QStringLiteral("1")});
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), QStringLiteral("Message"));
        layOutGrid();
        return;
    }
    // The grid takes the list's own columns, in its order; without rows it stays empty
    // under the same headers.
    model_->setColumns(rs.FieldNames(), rs.FieldNames());
    model_->load(rs);
    layOutGrid();
}

void frmNegotiatedCounterpart::layOutGrid() {
    auto* h = flgSponsorList->horizontalHeader();
    for (int c = 0; c < model_->columnCount(); ++c) {
        const int tw = c == 0 ? 0 : c == 1 ? 2800 : 1500;
        if (tw == 0) {
            flgSponsorList->setColumnHidden(c, true);
        } else {
            flgSponsorList->setColumnHidden(c, false);
            h->resizeSection(c, ui::twips(tw));
        }
    }
}

QStringList frmNegotiatedCounterpart::headers() const {
    QStringList out;
    for (int c = 0; c < model_->columnCount(); ++c)
        out << model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return out;
}

QStringList frmNegotiatedCounterpart::rowTexts(int row) const {
    return model_->row(row);
}

int frmNegotiatedCounterpart::rowCount() const {
    return model_->rowCount();
}
