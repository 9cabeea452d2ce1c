#include "frmClearPatient.h"

#include "dischargerules.h"

#include "components/login/clscurrentuser.h"
#include "db/connection.h"
#include "ui/messages.h"

#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Message");

QLineEdit* box(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption,
                 const QList<QPair<QString, QWidget*>>& rows) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(QString::fromLatin1(name));
    auto* f = new QFormLayout(g);
    for (const auto& [label, w] : rows) {
        w->setParent(g);
        f->addRow(label, w);
    }
    return g;
}

} // namespace

frmClearPatient::frmClearPatient(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmClearPatient"));
    setWindowTitle(QStringLiteral("Clear Patient"));

    lblHeading = new QLabel(QStringLiteral("Clear Patient for Discharge"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont big = lblHeading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lblHeading->setFont(big);

    txtHospNo = box(this, "txtHospNo");
    txtAdmNo = box(this, "txtAdmNo");
    txtAdmDate = box(this, "txtAdmDate");
    txtRoomNo = box(this, "txtRoomNo");
    txtDoctor = box(this, "txtDoctor");
    txtSname = box(this, "txtSname");
    txtFname = box(this, "txtFname");
    txtMname = box(this, "txtMname");
    txtNoticeDate = box(this, "txtNoticeDate");
    txtOrderDate = box(this, "txtOrderDate");
    txtDischargeNurse = box(this, "txtDischargeNurse");
    txtRemarks = box(this, "txtRemarks");
    txtClearDate = box(this, "txtClearDate");
    txtClearedBy = box(this, "txtClearedBy");
    txtClearRemarks = box(this, "txtClearRemarks");
    txtClearRemarks->setReadOnly(false);
    txtClearRemarks->setMaxLength(255);
    txtZEPNum = box(this, "txtZEPNum");
    txtCategory = box(this, "txtCategory");
    txtOtherInfo = box(this, "txtOtherInfo");
    lblClassification = new QLabel(this);
    lblClassification->setObjectName(QStringLiteral("lblClassification"));
    QFont huge = lblClassification->font();
    huge.setBold(true);
    huge.setPointSizeF(huge.pointSizeF() * 2.6);
    lblClassification->setFont(huge);
    lblClassification->setAlignment(Qt::AlignCenter);
    lblClassification->hide();

    auto* hospital = frame(this, "fraHospital", QStringLiteral("Hospital Information"),
                           {{QStringLiteral("Hospital No."), txtHospNo},
                            {QStringLiteral("Admission No."), txtAdmNo},
                            {QStringLiteral("Admission Date"), txtAdmDate},
                            {QStringLiteral("Room No."), txtRoomNo},
                            {QStringLiteral("Attending Dr."), txtDoctor}});
    auto* name = frame(this, "fraName", QStringLiteral("Patient's Name"),
                       {{QStringLiteral("Last Name "), txtSname},
                        {QStringLiteral("First Name  "), txtFname},
                        {QStringLiteral("Middle Name "), txtMname}});
    auto* notice = frame(this, "fraNotice", QStringLiteral("Notice Information"),
                         {{QStringLiteral("Notice Date/Time "), txtNoticeDate},
                          {QStringLiteral("Order Date/Time "), txtOrderDate},
                          {QStringLiteral("Discharge Nurse"), txtDischargeNurse},
                          {QStringLiteral("Remarks"), txtRemarks}});
    auto* clearing = frame(this, "fraClearing", QStringLiteral("Clearing Information"),
                           {{QStringLiteral("Cleared Date:"), txtClearDate},
                            {QStringLiteral("Cleared by:"), txtClearedBy},
                            {QStringLiteral("Remarks"), txtClearRemarks}});
    auto* zep = frame(this, "fraZEP", QStringLiteral("ZEP Data"),
                      {{QStringLiteral("ZEP Number :"), txtZEPNum},
                       {QStringLiteral("Category :"), txtCategory},
                       {QStringLiteral("Other Info. :"), txtOtherInfo}});
    static_cast<QFormLayout*>(zep->layout())->addRow(lblClassification);

    cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdIgnore = new QPushButton(QStringLiteral("&Ignore"), this);
    cmdIgnore->setObjectName(QStringLiteral("cmdIgnore"));
    for (QPushButton* b : {cmdSave, cmdIgnore})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(hospital, 0, 0);
    grid->addWidget(notice, 0, 1);
    grid->addWidget(name, 1, 0);
    grid->addWidget(clearing, 1, 1);
    grid->addWidget(zep, 2, 0, 1, 2);
    grid->setColumnMinimumWidth(0, 340);
    grid->setColumnMinimumWidth(1, 380);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdIgnore);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(lblHeading);
    lay->addLayout(grid);
    lay->addLayout(buttons);

    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdIgnore, &QPushButton::clicked, this, &frmClearPatient::cmdIgnore_Click);
}

void frmClearPatient::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!loaded_) {
        loaded_ = true;
        load();
    }
}

void frmClearPatient::clearBoxes() {
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->clear();
    lblClassification->clear();
    lblClassification->hide();
}

void frmClearPatient::load() {
    clearBoxes();
    found_ = false;
    bool cleared = false;
    if (conn_) {
        try {
            const db::Recordset rs = conn_->Call(
                QStringLiteral("ZEP..sp_ZEP_LoadDischargeNoticePatient"), {idNum_});
            if (!rs.Eof()) {
                found_ = true;
                txtSname->setText(rs.Text(QStringLiteral("LastName")));
                txtFname->setText(rs.Text(QStringLiteral("FirstName")));
                txtMname->setText(rs.Text(QStringLiteral("MiddleName")));
                txtHospNo->setText(rs.Text(QStringLiteral("HospNum")));
                txtAdmNo->setText(rs.Text(QStringLiteral("IDNUM")));
                txtAdmDate->setText(discharge::generalDate(rs.Value(QStringLiteral("AdmDate"))));
                txtNoticeDate->setText(discharge::generalDate(rs.Value(QStringLiteral("NoticeDate"))));
                txtOrderDate->setText(discharge::generalDate(rs.Value(QStringLiteral("OrderedDate"))));
                txtDoctor->setText(rs.Text(QStringLiteral("Doctor")));
                txtRoomNo->setText(rs.Text(QStringLiteral("RoomID")));
                txtDischargeNurse->setText(rs.Text(QStringLiteral("DischargeNurse")));
                txtRemarks->setText(rs.Text(QStringLiteral("Remarks")));
                if (rs.IsNull(QStringLiteral("UserId")))
                    txtClearedBy->setText(user_ ? user_->EmployeeName() + QLatin1Char('(') +
                                                      user_->employeecode() + QStringLiteral(") ")
                                                : QString());
                else
                    txtClearedBy->setText(rs.Text(QStringLiteral("UserId")));
                cleared = !rs.IsNull(QStringLiteral("ClearDate"));
                if (cleared) {
                    txtClearDate->setText(discharge::generalDate(rs.Value(QStringLiteral("ClearDate"))));
                    txtClearRemarks->setText(rs.Text(QStringLiteral("ClearRemarks")));
                } else {
                    txtClearDate->setText(QStringLiteral("For clearing"));
                }
            }
            if (found_) {
                const db::Recordset a = conn_->Call(QStringLiteral("ZEP..sp_ZEP_PrintAssessment"),
                                                    {txtHospNo->text().trimmed(),
                                                     txtAdmNo->text().trimmed()});
                if (!a.Eof()) {
                    // The case number, not the hospital number the old box showed.
                    txtZEPNum->setText(a.Text(QStringLiteral("ZEPNum")));
                    txtCategory->setText(a.Text(QStringLiteral("category")));
                    lblClassification->setText(a.Text(QStringLiteral("Code")));
                    lblClassification->show();
                    txtOtherInfo->setText(discharge::otherInfo(
                        a.Number(QStringLiteral("CDF")) == 1, a.Number(QStringLiteral("PCSO")) == 1,
                        a.Number(QStringLiteral("special")) == 1, a.Text(QStringLiteral("NC"))));
                }
            }
        } catch (const db::Error& e) {
            ui::Messages::critical(e.Description(), kTitle);
        }
    }
    // A cleared notice is looked at, not cleared again; one without its detail row names
    // no admission to clear.
    txtClearRemarks->setReadOnly(cleared || !found_);
    cmdSave->setEnabled(found_ && !cleared);
    cmdIgnore->setText(cleared ? QStringLiteral("&Close") : QStringLiteral("&Ignore"));
}

bool frmClearPatient::cmdSave_Click() {
    if (!conn_ || !cmdSave->isEnabled())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    db::Recordset rs;
    try {
        rs = conn_->Call(QStringLiteral("ZEP..sp_ZEP_ClearPatientForDischarge"),
                         {txtAdmNo->text().trimmed(), user_ ? user_->employeecode() : QString(),
                          discharge::storedRemarks(txtClearRemarks->text())});
    } catch (const db::Error& e) {
        QApplication::restoreOverrideCursor();
        ui::Messages::critical(QStringLiteral("Data Not Successfully Saved.\n") + e.Description(),
                               kTitle);
        return false;
    }
    QApplication::restoreOverrideCursor();
    if (rs.Eof() || rs.Number(QStringLiteral("Cleared")) != 1) {
        // Another workstation came first: its clearance stands and is shown.
        const QString by = rs.Eof() ? QString() : rs.Text(QStringLiteral("ClearedBy")).trimmed();
        const QString at =
            rs.Eof() ? QString() : discharge::generalDate(rs.Value(QStringLiteral("ClearDate")));
        ui::Messages::exclamation(QStringLiteral("This patient has already been cleared for "
                                                 "discharge by %1 on %2.")
                                      .arg(by, at),
                                  kTitle);
        load();
        return false;
    }
    ui::Messages::info(QStringLiteral("Patient has been cleared for discharge."));
    accept();
    return true;
}

void frmClearPatient::cmdIgnore_Click() {
    reject();
}
