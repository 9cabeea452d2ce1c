#include "frmARR.h"

#include "frmSearchService.h"
#include "rules/codeditem.h"
#include "rules/codelist.h"
#include "rules/numeric.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <typename W> W* named(W* w, const QString& name) {
    w->setObjectName(name);
    return w;
}
template <typename W> W* named(W* w, const char* name) {
    return named(w, QString::fromLatin1(name));
}

QLineEdit* box(const char* name) {
    return named(new QLineEdit, name);
}

QLineEdit* dateBox(const char* name) {
    auto* b = box(name);
    b->setInputMask(QStringLiteral("99/99/9999;_"));
    b->setMaximumWidth(120);
    b->setMinimumWidth(100);
    return b;
}

QPushButton* button(const char* name, const char* caption) {
    auto* b = named(new QPushButton(QString::fromUtf8(caption)), name);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(const char* text) {
    return new QLabel(QString::fromUtf8(text));
}

QListWidget* listBox(const char* name) {
    auto* l = named(new QListWidget, name);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the code stays out of sight
    l->setTextElideMode(Qt::ElideNone);
    return l;
}

} // namespace

frmARR::frmARR(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmARR"));
    buildLayout();
    tmrCDF = named(new QTimer(this), "tmrCDF");
    tmrCDF->setInterval(100);
    connect(tmrCDF, &QTimer::timeout, this, &frmARR::tmrCDF_Timer);

    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdService, &QPushButton::clicked, this, &frmARR::cmdService_Click);
    connect(cmdAddActivity, &QPushButton::clicked, this, &frmARR::cmdAddActivity_Click);
    connect(cmdCloseServices, &QPushButton::clicked, fmeService, &QWidget::hide);
    // A service double-clicked leaves the list and the codes the save sends alike.
    connect(lstServices, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const QString code = item->data(Qt::UserRole).toString();
        serviceCodes_ = rules::removeFromCodeList(serviceCodes_, code);
        for (int i = lstServices->count() - 1; i >= 0; --i)
            if (lstServices->item(i)->data(Qt::UserRole).toString() == code)
                delete lstServices->takeItem(i);
    });
    // A case has one category: a click leaves selected the items of the clicked text.
    connect(lstCategory, &QListWidget::itemClicked, this, [this](QListWidgetItem* clicked) {
        const QString text = clicked->text();
        for (int i = 0; i < lstCategory->count(); ++i)
            lstCategory->item(i)->setSelected(lstCategory->item(i)->text() == text);
    });
    connect(cmdSave, &QPushButton::clicked, this, &frmARR::cmdSave_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmARR::cmdPrint_Click);
    connect(cmdRePrint, &QPushButton::clicked, this, &frmARR::cmdRePrint_Click);
    connect(cmdSearch, &QPushButton::clicked, this, &frmARR::cmdSearch_Click);
    // The status code follows the text both when the worker leaves the box and when he
    // picks an item, so a Save by its shortcut right after a pick sends the new status.
    connect(cboactive, &QComboBox::activated, this, &frmARR::cboactive_Update);
    connect(cboactive->lineEdit(), &QLineEdit::editingFinished, this, &frmARR::cboactive_Update);
    connect(txtNC, &QLineEdit::textEdited, this, &frmARR::txtNC_Edited);
    connect(txtNC, &QLineEdit::textChanged, this, [this] {
        const QString t = txtNC->text();
        if (t.trimmed().isEmpty() || rules::readNumber(t))
            ncBefore_ = t;
    });
    connect(cmdTrans, &QPushButton::clicked, this, &frmARR::cmdTrans_Click);
    connect(cmdPrevious, &QPushButton::clicked, this, &frmARR::cmdPrevious_Click);
    // The actions still to come say so.
    for (QPushButton* b : {cmdViewCDF})
        connect(b, &QPushButton::clicked, this, [b] {
            ui::Messages::info(QStringLiteral("\"%1\" is not available yet.")
                                   .arg(b->text().remove(QLatin1Char('&')).trimmed()));
        });
}

frmARR::~frmARR() = default;

void frmARR::setDepartmentTitle(const QString& title) {
    departmentTitle_ = title;
    setWindowTitle(title);
}

void frmARR::buildLayout() {
    auto* outer = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    lblHeading = named(label("Assessment and Referral entry"), "lblHeading");
    QFont f = lblHeading->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    lblHeading->setFont(f);
    lblHeading2 = named(label("Assessment and Referral "), "lblHeading2");
    auto* hint = named(label("***Press F1 for Help"), "lblF1");
    head->addWidget(lblHeading);
    head->addWidget(lblHeading2);
    head->addStretch();
    head->addWidget(hint);
    outer->addLayout(head);

    // The body scrolls on a small screen; the command buttons below it never do.
    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("body"));
    auto* bl = new QVBoxLayout(body);
    bl->setContentsMargins(0, 0, 0, 0);
    bl->addWidget(buildPatientInfo());
    SSTab1 = named(new QTabWidget, "SSTab1");
    SSTab1->addTab(buildCategoryTab(), QStringLiteral("*CATEGORY AND SERVICES"));
    SSTab1->addTab(buildDocumentationTab(), QStringLiteral("DOCUMENTATION"));
    bl->addWidget(SSTab1, 1);
    auto* help = named(
        label("1. Click the button Previous Assessments to view the history of assessments "
              "entered.\n2. If the CDF Allocation button is blinking, click on it to view the "
              "fund.\n3. To remove services, double-click on the list box."),
        "lblHelp");
    bl->addWidget(help);
    auto* scroll = named(new QScrollArea, "scrBody");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(body);
    outer->addWidget(scroll, 1);

    auto* bottom = new QHBoxLayout;
    lblStatus = named(label("Status"), "lblStatus");
    lblStatus->setFrameShape(QFrame::StyledPanel);
    lblStatus->setMinimumWidth(360);
    bottom->addWidget(lblStatus, 1);
    cmdSave = button("cmdSave", "&Save");
    cmdPrint = button("cmdPrint", "Save/&Print");
    cmdRePrint = button("cmdRePrint", "&RePrint");
    cmdTrans = button("cmdTrans", "View ARR &Transactions");
    cmdPrevious = button("cmdPrevious", "&Previous Assessments");
    cmdViewCDF = button("cmdViewCDF", "&View CDF Allocation");
    cmdClose = button("cmdClose", "&Close");
    for (QPushButton* b :
         {cmdSave, cmdPrint, cmdRePrint, cmdTrans, cmdPrevious, cmdViewCDF, cmdClose})
        bottom->addWidget(b);
    outer->addLayout(bottom);
    resize(1240, 700);
}

QWidget* frmARR::buildPatientInfo() {
    auto* frame = named(new QGroupBox(QStringLiteral("Patient's Information")), "fraPatientInfo");
    auto* grid = new QGridLayout(frame);
    txtHospNum = box("txtHospNum");
    txtLastName = box("txtLastName");
    txtFirstName = box("txtFirstName");
    txtMiddleName = box("txtMiddleName");
    txtDoctor = box("txtDoctor");
    txtZEPNum = box("txtZEPNum");
    txtZEPNum->setReadOnly(true); // locked unless the patient has none yet
    txtIDNum = box("txtIDNum");
    txtRoomID = box("txtRoomID");
    for (QLineEdit* b :
         {txtHospNum, txtLastName, txtFirstName, txtMiddleName, txtDoctor, txtIDNum, txtRoomID})
        b->setReadOnly(true);
    cboClassification = named(new QComboBox, "cboClassification");
    cboClassification->setMinimumWidth(220);
    lblCode = named(new QLabel, "lblCode");
    lblCode->setMinimumWidth(30);
    mskIntake = dateBox("mskIntake");
    mskIntake->setToolTip(QStringLiteral("Date of intake"));
    txtValidityDate = box("txtValidityDate");
    txtValidityDate->setReadOnly(true);
    txtValidityDate->setMaximumWidth(120);
    txtValidityDate->setMinimumWidth(100);
    mskRange1 = dateBox("mskRange1");
    mskRange1->setToolTip(QStringLiteral("Expiry date"));
    cboactive = named(new QComboBox, "cboactive");
    cboactive->setEditable(true);
    cboactive->setInsertPolicy(QComboBox::NoInsert);
    chkActive = named(new QCheckBox(QStringLiteral("&Active")), "chkActive");
    cboReferring = named(new QComboBox, "cboReferring");
    cboReferring->setEditable(true);
    cboReferring->setInsertPolicy(QComboBox::NoInsert);
    cboReferring->setMinimumWidth(220);

    auto pair = [](QWidget* a, QWidget* b, QWidget* c = nullptr) {
        auto* w = new QWidget;
        auto* l = new QHBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(a, 1);
        l->addWidget(b);
        if (c)
            l->addWidget(c);
        return w;
    };
    const struct {
        const char* caption;
        QWidget* field;
    } cells[] = {
        {" HOSP. NUM.", txtHospNum},
        {" LASTNAME  ", txtLastName},
        {" FIRSTNAME", txtFirstName},
        {" MIDDLENAME", txtMiddleName},
        {" ADM NUM.", txtIDNum},
        {" ROOM NUM", txtRoomID},
        {" DOCTOR", txtDoctor},
        {" ZEP NUM.", txtZEPNum},
        {" CLASSIFICATION", pair(cboClassification, lblCode)},
        {" DT of INTAKE", mskIntake},
        {" VALIDITY", pair(txtValidityDate, mskRange1)},
        {" STATUS", pair(cboactive, chkActive)},
        {" Referring Party", cboReferring},
    };
    int i = 0;
    for (const auto& c : cells) {
        const int row = i / 4, col = (i % 4) * 2;
        grid->addWidget(label(c.caption), row, col);
        grid->addWidget(c.field, row, col + 1);
        ++i;
    }
    for (int col = 1; col < 8; col += 2)
        grid->setColumnStretch(col, 1);
    return frame;
}

QWidget* frmARR::buildCategoryTab() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);

    auto* cat = named(new QGroupBox(QStringLiteral("Patient's Category")), "fraCategory");
    auto* cl = new QVBoxLayout(cat);
    lstParentCategory = listBox("lstParentCategory");
    lstParentCategory->setSelectionMode(QAbstractItemView::MultiSelection);
    lstCategory = listBox("lstCategory");
    lstCategory->setSelectionMode(QAbstractItemView::MultiSelection);
    cl->addWidget(label("Parent Category"));
    cl->addWidget(lstParentCategory, 1);
    cl->addWidget(label("Category"));
    cl->addWidget(lstCategory, 2);
    // The option group of the old screen sat under the lists and was never shown; it is
    // kept (hidden) for the category name the save falls back on.
    fraOptCategory = named(new QGroupBox(QStringLiteral("Patient's Category")), "fraOptCategory");
    auto* ol = new QGridLayout(fraOptCategory);
    static const char* const kOptCategory[15] = {
        "Medical",     "Post-Transplant", "Peritoneal Dialysis",
        "Others",      "Donor Work-Up",   "Donor Nephrectomy",
        "Surgical",    "Transplant",      "Urology/Vascular/GS",
        "Out-Patient", "Hemodialysis",    "Post Transplant",
        "ER",          "Nephrology",      "Pedia Nephro."};
    for (int k = 0; k < 15; ++k) {
        optCategory[k] = named(new QRadioButton(QString::fromLatin1(kOptCategory[k])),
                               QStringLiteral("optCategory_%1").arg(k));
        ol->addWidget(optCategory[k], k / 3, k % 3);
    }
    fraOptCategory->hide();
    cl->addWidget(fraOptCategory);
    row->addWidget(cat, 3);

    fmeService = named(new QGroupBox(QStringLiteral("Services")), "fmeService");
    auto* sl = new QVBoxLayout(fmeService);
    lstServices = listBox("lstServices");
    sl->addWidget(lstServices, 1);
    auto* sb = new QHBoxLayout;
    cmdService = button("cmdService", "Add/ Search Services");
    cmdCloseServices = button("cmdCloseServices", "&Close");
    sb->addWidget(cmdService);
    sb->addWidget(cmdCloseServices);
    sl->addLayout(sb);
    row->addWidget(fmeService, 3);

    auto* tags = named(new QGroupBox(QStringLiteral("Tagging/Remarks/Counterpart")), "fraTagging");
    auto* tl = new QFormLayout(tags);
    txtRemarks = box("txtRemarks");
    txtNC = box("txtNC");
    txtZEPW = box("txtZEPW");
    txtZEPW->setReadOnly(true);
    cmdSearch = button("cmdSearch", "...");
    cmdSearch->setMaximumWidth(32);
    auto* worker = new QHBoxLayout;
    worker->addWidget(txtZEPW, 1);
    worker->addWidget(cmdSearch);
    tl->addRow(label("                                 REMARKS"));
    tl->addRow(txtRemarks);
    tl->addRow(label(" Neg. Counterpart"), txtNC);
    tl->addRow(label(" ZEPW"), worker);
    chkSponsor = named(new QCheckBox(QStringLiteral("c/o Sponsor")), "chkSponsor");
    chkPCSO = named(new QCheckBox(QStringLiteral("c/o PCSO")), "chkPCSO");
    chkSpecial = named(new QCheckBox(QStringLiteral("Special")), "chkSpecial");
    auto* checks = new QHBoxLayout;
    for (QCheckBox* c : {chkSponsor, chkPCSO, chkSpecial})
        checks->addWidget(c);
    tl->addRow(checks);
    auto* pcso = named(new QGroupBox(QStringLiteral("Types of PCSO Allocation")), "fraPCSO");
    auto* pl = new QHBoxLayout(pcso);
    static const char* const kPCSO[3] = {"Endowment", "Guarantee Letter", "Check"};
    for (int k = 0; k < 3; ++k) {
        optPCSO[k] = named(new QRadioButton(QString::fromLatin1(kPCSO[k])),
                           QStringLiteral("optPCSO_%1").arg(k));
        pl->addWidget(optPCSO[k]);
    }
    tl->addRow(pcso);
    row->addWidget(tags, 3);
    return page;
}

QWidget* frmARR::buildDocumentationTab() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    frmactivity = named(new QGroupBox(QStringLiteral("Activity")), "frmactivity");
    auto* al = new QVBoxLayout(frmactivity);
    lstactivity = listBox("lstactivity");
    cmdAddActivity = button("cmdAddActivity", "Add/ Search Activity");
    al->addWidget(lstactivity, 1);
    al->addWidget(cmdAddActivity);
    row->addWidget(frmactivity, 2);

    static const char* const kDocs[18] = {"Intake Sheet",
                                          "Patients Profile",
                                          "Registration Logbook",
                                          "Service Card",
                                          "Patients Data Card",
                                          "Transfer Summary",
                                          "Closing Summary",
                                          "Groupwork Recording",
                                          "Eligibility Study Report",
                                          "Social Case Study Report",
                                          "Home Visit Report",
                                          "Work Plan",
                                          "Daily Accomplishment ",
                                          "Monthly Census of Cases",
                                          "FeedBack",
                                          "Annual Report",
                                          "Progress Note",
                                          "Others"};
    auto* recording =
        named(new QGroupBox(QStringLiteral("Documentation-Recording")), "fraRecording");
    auto* rl = new QGridLayout(recording);
    auto* reporting = named(new QGroupBox(QStringLiteral("Reporting")), "fraReporting");
    auto* pl = new QVBoxLayout(reporting);
    int placed = 0;
    for (int k = 0; k < 18; ++k) {
        chkdoc[k] =
            named(new QCheckBox(QString::fromLatin1(kDocs[k])), QStringLiteral("chkdoc_%1").arg(k));
        if (k >= 11 && k <= 15) {
            pl->addWidget(chkdoc[k]);
        } else {
            rl->addWidget(chkdoc[k], placed % 7, placed / 7);
            ++placed;
        }
    }
    pl->addStretch();
    row->addWidget(recording, 3);
    row->addWidget(reporting, 2);
    return page;
}

QString frmARR::categoryId() const {
    QString id;
    for (int i = 0; i < lstCategory->count(); ++i)
        if (lstCategory->item(i)->isSelected())
            id = lstCategory->item(i)->data(Qt::UserRole).toString();
    return id;
}

QString frmARR::parentCategoryId() const {
    QString id;
    for (int i = 0; i < lstParentCategory->count(); ++i)
        if (lstParentCategory->item(i)->isSelected())
            id = lstParentCategory->item(i)->data(Qt::UserRole).toString();
    return id;
}

QString frmARR::classificationCode() const {
    return cboClassification->currentIndex() < 0 ? QString()
                                                 : cboClassification->currentData().toString();
}

QString frmARR::referringPartyCode() const {
    const int i = cboReferring->findText(cboReferring->currentText());
    return i < 0 ? QString() : cboReferring->itemData(i).toString();
}

QString frmARR::documentationFlags() const {
    QString flags;
    for (const QCheckBox* b : chkdoc)
        flags += (b->isChecked() ? QStringLiteral("1") : QStringLiteral("0")) + QLatin1Char('|');
    return flags;
}

void frmARR::setServiceCodes(const QString& codes) {
    serviceCodes_ = codes;
    showServices();
}

void frmARR::setActivityCodes(const QString& codes) {
    activityCodes_ = codes;
    showActivities();
}

// The pickers open over the screen and hand their choice back when they close with OK.
void frmARR::cmdService_Click() {
    auto* picker = new frmSearchService(this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->setConnection(conn_);
    picker->setDepartmentTitle(departmentTitle_);
    picker->setResultCode(serviceCodes_);
    connect(picker, &QDialog::finished, this, [this, picker] {
        if (picker->Selected())
            setServiceCodes(picker->ResultCode());
    });
    picker->open();
}

void frmARR::cmdAddActivity_Click() {
    auto* picker = new frmSearchActivity(this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->setConnection(conn_);
    picker->setResultCode(activityCodes_);
    connect(picker, &QDialog::finished, this, [this, picker] {
        if (picker->Selected())
            setActivityCodes(picker->ResultCode());
    });
    picker->open();
}

// The fund button blinks through pale yellows while the visit has a company behind it.
void frmARR::tmrCDF_Timer() {
    static const QRgb kSteps[6] = {qRgb(0xFF, 0xFF, 0xA4), qRgb(0xFF, 0xFF, 0xB3),
                                   qRgb(0xFF, 0xFF, 0xE1), qRgb(0xFF, 0xFF, 0xC8),
                                   qRgb(0xFB, 0xFD, 0xB3), qRgb(0xFF, 0xFF, 0xE1)};
    if (blinkStep_ < 6)
        cmdViewCDF->setStyleSheet(
            QStringLiteral("background-color: %1").arg(QColor(kSteps[blinkStep_]).name()));
    else if (blinkStep_ == 6)
        cmdViewCDF->setStyleSheet(QString());
    blinkStep_ = blinkStep_ >= 7 ? 0 : blinkStep_ + 1;
}
