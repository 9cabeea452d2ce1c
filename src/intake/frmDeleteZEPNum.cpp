#include "frmDeleteZEPNum.h"

#include "casescommon.h"
#include "db/connection.h"
#include "ui/messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmDeleteZEPNum::frmDeleteZEPNum(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDeleteZEPNum"));
    setWindowTitle(QStringLiteral("DELETE ZEP NUMBER"));

    auto* frame = new QGroupBox(QStringLiteral("Enter ZEP Number to be Deleted"), this);
    frame->setObjectName(QStringLiteral("fraZEPNum"));
    txtZEPNum = new QLineEdit(frame);
    txtZEPNum->setObjectName(QStringLiteral("txtZEPNum"));
    txtZEPNum->setMaxLength(20);
    (new QVBoxLayout(frame))->addWidget(txtZEPNum);

    cmdDelete = new QPushButton(QStringLiteral("&Delete"), this);
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    cmdDelete->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDelete);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(frame);
    lay->addLayout(buttons);
    setMinimumWidth(360);

    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
}

bool frmDeleteZEPNum::cmdDelete_Click() {
    const QString num = txtZEPNum->text().trimmed();
    if (!conn_ || num.isEmpty())
        return false; // an empty box names no case number
    try {
        db::Recordset rs = conn_->Query(
            QStringLiteral("SELECT HospNum, ZEPNum, ZEPClassification, ZEPDiscountExpiry FROM "
                           "PATIENT_DATA.tbMaster WHERE ZEPNum = ? ORDER BY HospNum"),
            {num});
        if (rs.Eof())
            return false; // nobody holds it: nothing to do
        // Every holder counts, not only the first one found.
        for (; !rs.Eof(); rs.MoveNext()) {
            const QString cls = rs.Text(QStringLiteral("ZEPClassification")).trimmed();
            if (cls.isEmpty())
                continue;
            ui::Messages::exclamation(
                QStringLiteral("Unable to delete the ZEPNumber. ") + QLatin1Char('\n') +
                    QStringLiteral(" The patient has an existing classification of ") + cls +
                    QLatin1Char('\n') + QStringLiteral(" which will expire on ") +
                    cases::usDate(rs.Text(QStringLiteral("ZEPDiscountExpiry"))),
                cases::kMessageTitle);
            return false;
        }
        conn_->Call(QStringLiteral("ZEP..sp_ZEP_ChangeZEPNumber"), {num, userCode_});
    } catch (const db::Error& e) {
        cases::showFailedSave(e);
        return false;
    }
    ui::Messages::plain(QStringLiteral("ZEP Number Successfully deleted."));
    txtZEPNum->clear();
    return true;
}
