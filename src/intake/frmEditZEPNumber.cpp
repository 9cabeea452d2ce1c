#include "frmEditZEPNumber.h"

#include "casescommon.h"
#include "db/connection.h"
#include "ui/messages.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmEditZEPNumber::frmEditZEPNumber(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmEditZEPNumber"));
    setWindowTitle(QStringLiteral("Edit ZEP Number"));

    lblHeading = new QLabel(QStringLiteral("Edit ZEP Number"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont big = lblHeading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lblHeading->setFont(big);

    auto box = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(true);
        return e;
    };
    txtHospNo = box("txtHospNo");
    txtName = box("txtName");
    txtZEPno = box("txtZEPno");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Hosp. No. :"), txtHospNo);
    form->addRow(QStringLiteral("Name :"), txtName);
    form->addRow(QStringLiteral("ZEP No. :"), txtZEPno);

    auto* frame = new QGroupBox(QStringLiteral("Enter New ZEP Number :"), this);
    frame->setObjectName(QStringLiteral("fraNewZEPNo"));
    txtNewZEPNo = new QLineEdit(frame);
    txtNewZEPNo->setObjectName(QStringLiteral("txtNewZEPNo"));
    txtNewZEPNo->setMaxLength(20);
    (new QVBoxLayout(frame))->addWidget(txtNewZEPNo);

    cmdUpdate = new QPushButton(QStringLiteral("&Update"), this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    cmdUpdate->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdUpdate);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(lblHeading);
    lay->addLayout(form);
    lay->addWidget(frame);
    lay->addLayout(buttons);
    setMinimumWidth(420);

    connect(cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    connect(txtNewZEPNo, &QLineEdit::returnPressed, this, [this] { cmdUpdate_Click(); });
}

void frmEditZEPNumber::setPatient(const QString& hospNum, const QString& name,
                                  const QString& zepId, const QString& idNum) {
    txtHospNo->setText(hospNum);
    txtName->setText(name);
    txtZEPno->setText(zepId);
    idNum_ = idNum;
}

bool frmEditZEPNumber::cmdUpdate_Click() {
    if (!conn_)
        return false;
    const QString hospNum = txtHospNo->text().trimmed();
    const QString newNum = txtNewZEPNo->text().trimmed();
    if (newNum.isEmpty()) {
        // An empty number would take the case number away without the password and the
        // classification check that deleting it needs.
        ui::Messages::exclamation(
            QStringLiteral("Please enter the new ZEP Number.\nTo remove a ZEP Number, use "
                           "\"Delete ZEP Number\"."),
            cases::kMessageTitle);
        txtNewZEPNo->setFocus();
        return false;
    }
    try {
        const db::Recordset rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetExistsZEPNumber"),
                                             {newNum, hospNum});
        if (!rs.Eof() && rs.Text(QStringLiteral("HospNum")).trimmed() != hospNum) {
            ui::Messages::plain(QStringLiteral("The CaseNumber already exists and is owned by ") +
                                    rs.Text(QStringLiteral("PatientName")),
                                cases::kMessageTitle);
            txtNewZEPNo->setFocus();
            txtNewZEPNo->selectAll();
            return false;
        }
        conn_->Call(QStringLiteral("ZEP..sp_ZEP_UpdateZEPNumber"), {hospNum, newNum, userCode_});
    } catch (const db::Error& e) {
        cases::showFailedSave(e);
        return false;
    }
    ui::Messages::info(QStringLiteral("Records Successfully Updated"), cases::kMessageTitle);
    txtZEPno->setText(newNum);
    txtNewZEPNo->clear();
    return true;
}
