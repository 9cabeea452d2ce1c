#include "frmEditClass.h"

#include "casescommon.h"
#include "classedit.h"
#include "frmDeletePassword.h"

#include "components/login/clscurrentuser.h"
#include "db/connection.h"
#include "ui/messages.h"
#include "ui/recordsetmodel.h"
#include "ui/twips.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The grid: a narrow fixed column 0, then the history procedure's columns.
struct Column {
    const char* header;
    const char* field;
    int twips;
};
constexpr Column kColumns[] = {{"", "", 50},
                               {"Transdate", "Transdate", 1800},
                               {"Class", "Class", 500},
                               {"UserID", "UserID", 800},
                               {"UserName", "UserName", 1800}};
constexpr int kHeightTwips = 5400;

QLineEdit* readOnlyBox(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

QFont headingFont(QFont f) {
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    return f;
}

bool isAllDigits(const QString& s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!c.isDigit())
            return false;
    return true;
}

} // namespace

frmEditClass::frmEditClass(QWidget* parent)
    : QDialog(parent), model_(new ui::RecordsetModel(this)), today_(QDate::currentDate()) {
    setObjectName(QStringLiteral("frmEditClass"));
    setWindowTitle(QStringLiteral("ZEP"));

    // The edit part, always shown.
    auto* edit = new QWidget(this);
    edit->setObjectName(QStringLiteral("picEdit"));
    lblHeading = new QLabel(QStringLiteral("Edit Patient Classification"), edit);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    lblHeading->setFont(headingFont(lblHeading->font()));
    txtHospNo = readOnlyBox(edit, "txtHospNo");
    txtName = readOnlyBox(edit, "txtName");
    txtIDNum = readOnlyBox(edit, "txtIDNum");
    txtZEPno = readOnlyBox(edit, "txtZEPno");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Hosp. No. :"), txtHospNo);
    form->addRow(QStringLiteral("Name :"), txtName);
    form->addRow(QStringLiteral("Adm. No. :"), txtIDNum);
    form->addRow(QStringLiteral("ZEP No. :"), txtZEPno);

    fraEditClass = new QGroupBox(QStringLiteral("Edit Classification"), edit);
    fraEditClass->setObjectName(QStringLiteral("fraEditClass"));
    auto* opts = new QHBoxLayout(fraEditClass);
    const char* captions[2] = {"Pay", "Service"};
    for (int i = 0; i < 2; ++i) {
        optClass[i] = new QRadioButton(QString::fromLatin1(captions[i]), fraEditClass);
        optClass[i]->setObjectName(QStringLiteral("optClass_%1").arg(i));
        opts->addWidget(optClass[i]);
    }

    cmdSave = new QPushButton(QStringLiteral("&SAVE"), edit);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdPrev = new QPushButton(QStringLiteral("&View Previous Classifications"), edit);
    cmdPrev->setObjectName(QStringLiteral("cmdPrev"));
    for (QPushButton* b : {cmdSave, cmdPrev})
        b->setAutoDefault(false);
    auto* editLay = new QVBoxLayout(edit);
    editLay->setContentsMargins(0, 0, 0, 0);
    editLay->addWidget(lblHeading);
    editLay->addLayout(form);
    editLay->addWidget(fraEditClass);
    editLay->addStretch();
    editLay->addWidget(cmdSave);
    editLay->addWidget(cmdPrev);

    // The history part, shown when the screen is widened.
    auto* history = new QWidget(this);
    history->setObjectName(QStringLiteral("picHistory"));
    lblHistoryHeading = new QLabel(QStringLiteral("Remove Saved Patient Classification"), history);
    lblHistoryHeading->setObjectName(QStringLiteral("lblHistoryHeading"));
    lblHistoryHeading->setFont(headingFont(lblHistoryHeading->font()));
    lblHistoryHeading->setWordWrap(true);
    fraHistory = new QGroupBox(QStringLiteral("Previous Classifications"), history);
    fraHistory->setObjectName(QStringLiteral("fraHistory"));
    grdClassHistory = new QTableView(fraHistory);
    grdClassHistory->setObjectName(QStringLiteral("grdClassHistory"));
    QStringList headers, fields;
    for (const Column& c : kColumns) {
        headers << QString::fromLatin1(c.header);
        fields << QString::fromLatin1(c.field);
    }
    model_->setColumns(headers, fields);
    grdClassHistory->setModel(model_);
    grdClassHistory->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdClassHistory->setSelectionMode(QAbstractItemView::SingleSelection);
    grdClassHistory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdClassHistory->verticalHeader()->hide();
    grdClassHistory->setWordWrap(false);
    grdClassHistory->horizontalHeader()->setMinimumSectionSize(1); // column 0 is a sliver
    grdClassHistory->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int c = 0; c < int(std::size(kColumns)); ++c)
        grdClassHistory->setColumnWidth(c, ui::twips(kColumns[c].twips));
    (new QVBoxLayout(fraHistory))->addWidget(grdClassHistory);
    cmdBack = new QPushButton(QStringLiteral("<< BACK"), history);
    cmdBack->setObjectName(QStringLiteral("cmdBack"));
    cmdBack->setAutoDefault(false);
    auto* histLay = new QVBoxLayout(history);
    histLay->setContentsMargins(0, 0, 0, 0);
    histLay->addWidget(lblHistoryHeading);
    histLay->addWidget(fraHistory, 1);
    histLay->addWidget(cmdBack, 0, Qt::AlignRight);
    history->hide();

    auto* lay = new QHBoxLayout(this);
    lay->addWidget(edit);
    lay->addWidget(history, 1);
    edit->setFixedWidth(ui::twips(kNarrowTwips) - lay->contentsMargins().left() -
                        lay->contentsMargins().right());
    setFixedSize(ui::twips(kNarrowTwips), ui::twips(kHeightTwips));

    mnuFileDelete = new QMenu(QStringLiteral("File"), this);
    mnuFileDelete->setObjectName(QStringLiteral("mnuFileDelete"));
    mnuDelete = mnuFileDelete->addAction(QStringLiteral("Delete record"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));

    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdPrev, &QPushButton::clicked, this, &frmEditClass::cmdPrev_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmEditClass::cmdBack_Click);
    connect(mnuDelete, &QAction::triggered, this, [this] { mnuDelete_Click(); });
    connect(grdClassHistory, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& at) { popUp(grdClassHistory->viewport()->mapToGlobal(at)); });
    connect(grdClassHistory, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) {
                popUp(grdClassHistory->viewport()->mapToGlobal(
                    grdClassHistory->visualRect(i).center()));
            });
    grdClassHistory->installEventFilter(this);
}

void frmEditClass::setPatient(const QString& hospNum, const QString& name, const QString& idNum,
                              const QString& zepId) {
    txtHospNo->setText(hospNum);
    txtName->setText(name);
    txtIDNum->setText(idNum);
    txtZEPno->setText(zepId);
    currentClass_.clear();
    const QString id = idNum.trimmed();
    if (conn_ && !id.isEmpty()) {
        // The class lives on the visit's own table: admissions are all digits, ER visits
        // end in E, the rest are out-patient visits.
        QString sql;
        if (isAllDigits(id))
            sql = QStringLiteral("SELECT SUBSTR(COALESCE(PatientClass, ''), 1, 1) AS PatientClass "
                                 "FROM PATIENT_DATA.tbPatient2 WHERE IdNum = ?");
        else if (id.endsWith(QLatin1Char('E'), Qt::CaseInsensitive))
            sql = QStringLiteral("SELECT SUBSTR(COALESCE(PatientClassification, ''), 1, 1) AS "
                                 "PatientClass FROM PATIENT_DATA.tbERMaster WHERE IdNum = ?");
        else
            sql = QStringLiteral("SELECT SUBSTR(COALESCE(PatientType, ''), 1, 1) AS PatientClass "
                                 "FROM PATIENT_DATA.tbOutPatient WHERE IdNum = ?");
        try {
            const db::Recordset rs = conn_->Query(sql, {id});
            if (!rs.Eof())
                currentClass_ = rs.Text(QStringLiteral("PatientClass")).trimmed().toUpper();
        } catch (const db::Error&) {
            // An unreadable class leaves both options clear; the worker picks one.
        }
    }
    // Neither option when the class is unknown.
    for (QRadioButton* o : optClass)
        o->setAutoExclusive(false);
    optClass[0]->setChecked(currentClass_ == QLatin1String("P"));
    optClass[1]->setChecked(currentClass_ == QLatin1String("S"));
    for (QRadioButton* o : optClass)
        o->setAutoExclusive(true);
}

bool frmEditClass::cmdSave_Click() {
    if (!conn_)
        return false;
    QString letter;
    if (optClass[0]->isChecked())
        letter = QStringLiteral("P");
    else if (optClass[1]->isChecked())
        letter = QStringLiteral("S");
    if (letter.isEmpty()) {
        ui::Messages::exclamation(QStringLiteral("Please choose the class: Pay or Service."),
                                  cases::kMessageTitle);
        return false;
    }
    try {
        if (letter == QLatin1String("P")) {
            const db::Recordset rs = conn_->Query(
                QStringLiteral("SELECT COALESCE(ZEPClassification, '') AS ZEPClassification, "
                               "ZEPDiscountExpiry FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"),
                {txtHospNo->text().trimmed()});
            if (!rs.Eof()) {
                const QString refusal = cases::payRefusal(
                    rs.Text(QStringLiteral("ZEPClassification")),
                    cases::usDate(rs.Text(QStringLiteral("ZEPDiscountExpiry"))), today_);
                if (!refusal.isEmpty()) {
                    ui::Messages::exclamation(refusal, cases::kMessageTitle);
                    optClass[0]->setChecked(true);
                    return false;
                }
            }
        }
        conn_->Call(QStringLiteral("ZEP..sp_ZEP_UpdatePatientClass"),
                    {txtIDNum->text().trimmed(), letter, user_ ? user_->employeecode() : QString()});
    } catch (const db::Error& e) {
        cases::showFailedSave(e);
        return false;
    }
    ui::Messages::info(QStringLiteral("Record Updated"));
    accept();
    return true;
}

void frmEditClass::cmdPrev_Click() {
    widened_ = true;
    findChild<QWidget*>(QStringLiteral("picHistory"))->show();
    setFixedSize(ui::twips(kWideTwips), height());
    loadHistory();
}

void frmEditClass::cmdBack_Click() {
    widened_ = false;
    findChild<QWidget*>(QStringLiteral("picHistory"))->hide();
    setFixedSize(ui::twips(kNarrowTwips), height());
}

void frmEditClass::loadHistory() {
    model_->clear();
    if (!conn_)
        return;
    try {
        model_->load(conn_->Call(QStringLiteral("ZEP..sp_ZEP_GetPatClassHistory"),
                                 {txtIDNum->text().trimmed()}));
        // The widths are the least each column gets; a date and a name are read whole, on
        // one line, and the grid scrolls sideways instead.
        for (int c = 1; c < int(std::size(kColumns)); ++c) {
            grdClassHistory->resizeColumnToContents(c);
            grdClassHistory->setColumnWidth(
                c, std::max(grdClassHistory->columnWidth(c), ui::twips(kColumns[c].twips)));
        }
    } catch (const db::Error& e) {
        ui::Messages::critical(e.Description(), cases::kMessageTitle);
    }
}

void frmEditClass::popUp(const QPoint& global) {
    // The row under the pointer is the one the menu acts on.
    const QModelIndex at = grdClassHistory->indexAt(grdClassHistory->viewport()->mapFromGlobal(global));
    if (at.isValid())
        grdClassHistory->selectRow(at.row());
    mnuFileDelete->popup(global);
}

bool frmEditClass::mnuDelete_Click() {
    if (!conn_)
        return false;
    // The row the worker chose, taken before any dialog can move the selection.
    const QModelIndexList chosen = grdClassHistory->selectionModel()->selectedRows();
    if (model_->rowCount() == 0 || chosen.isEmpty())
        return false;
    const int row = chosen.first().row();
    const QString transDate = model_->text(row, 1).trimmed();
    const QString cls = model_->text(row, 2).trimmed();

    const bool confirmed =
        confirm_ ? confirm_(this)
                 : frmDeletePassword::run(this, frmDeletePassword::ClassHistoryDeletion, user_);
    if (!confirmed) {
        ui::Messages::info(QStringLiteral("Unauthorized User."));
        return false;
    }
    bool ok = false;
    const QString reason =
        ui::Messages::input(QStringLiteral("Enter Reason for deleting the Class History: "),
                            QStringLiteral("Update Record"), QString(), &ok)
            .trimmed();
    if (!ok)
        return false; // the worker changed their mind
    if (reason.size() < 6) {
        ui::Messages::critical(QStringLiteral("Deletion Unsuccessful. ") + QLatin1Char('\n') +
                               QStringLiteral("You must have a reason for deleting the record. ") +
                               QLatin1Char('\n') +
                               QStringLiteral("Hwag ka na po mahiya. tell us your reason."));
        return false;
    }
    try {
        conn_->Call(QStringLiteral("sp_ZEP_SavePatClassHistory_Deletion"),
                    {txtIDNum->text().trimmed(), cls, reason, transDate, transDate,
                     user_ ? user_->employeecode() : QString()});
    } catch (const db::Error&) {
        ui::Messages::critical(QStringLiteral("Error in saving/ deleting data."));
        return false;
    }
    loadHistory();
    ui::Messages::info(QStringLiteral("Record Successfully deleted."));
    return true;
}

bool frmEditClass::eventFilter(QObject* o, QEvent* e) {
    if (o == grdClassHistory && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_F10) {
        mnuDelete_Click();
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void frmEditClass::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F10) {
        mnuDelete_Click();
        return;
    }
    QDialog::keyPressEvent(e);
}
