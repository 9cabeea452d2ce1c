#include "frmGlobalClassificationUpdate.h"

#include "casescommon.h"
#include "db/connection.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmGlobalClassificationUpdate::frmGlobalClassificationUpdate(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmGlobalClassificationUpdate"));
    setHospitalName(QString());

    lblHeading = new QLabel(QStringLiteral("Update Classification of Patients"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont big = lblHeading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lblHeading->setFont(big);
    lblSubHeading = new QLabel(QStringLiteral("Prior to the Updates in Classification Scheme"), this);
    lblSubHeading->setObjectName(QStringLiteral("lblSubHeading"));
    lblStatus = new QLabel(QStringLiteral("Updating Tables. Please Wait..."), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->hide();

    cmdUpdate = new QPushButton(QStringLiteral("Update Tables"), this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    cmdUpdate->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblStatus, 1);
    buttons->addWidget(cmdUpdate);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(lblHeading);
    lay->addWidget(lblSubHeading);
    lay->addSpacing(12);
    lay->addLayout(buttons);
    setMinimumWidth(460);

    connect(cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
}

void frmGlobalClassificationUpdate::setHospitalName(const QString& name) {
    setWindowTitle(name + QStringLiteral(": Global Classification Update"));
}

bool frmGlobalClassificationUpdate::cmdUpdate_Click() {
    if (!conn_)
        return false;
    lblStatus->setText(QStringLiteral("Updating Tables. Please Wait..."));
    lblStatus->show();
    lblStatus->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        cases::runGlobalUpdate(*conn_);
    } catch (const db::Error& e) {
        QApplication::restoreOverrideCursor();
        lblStatus->hide();
        cases::showFailedSave(e);
        return false;
    }
    QApplication::restoreOverrideCursor();
    lblStatus->hide();
    return true;
}
