#include "frmIntakeSurveySheet.h"

#include "components/codesearch/clsCodeSearch.h"
#include "db/connection.h"
#include "patient/frmEmployeeListing.h"
#include "ui/messages.h"
#include "ui/screen.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLineEdit* box(const char* name) {
    return named(new QLineEdit, name);
}

QDateEdit* datePicker(const char* name) {
    auto* d = named(new QDateEdit(QDate::currentDate()), name);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    return d;
}

QComboBox* combo(const char* name) {
    auto* c = named(new QComboBox, name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QPushButton* button(const char* name, const char* caption) {
    auto* b = named(new QPushButton(QString::fromUtf8(caption)), name);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(const char* text) {
    return new QLabel(QString::fromUtf8(text));
}

// A row of a form: the label, then one or more widgets side by side.
void addRow(QFormLayout* f, const char* text, std::initializer_list<QWidget*> widgets) {
    if (widgets.size() == 1) {
        f->addRow(label(text), *widgets.begin());
        return;
    }
    auto* row = new QHBoxLayout;
    for (QWidget* w : widgets)
        row->addWidget(w);
    f->addRow(label(text), row);
}

} // namespace

frmIntakeSurveySheet::frmIntakeSurveySheet(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmIntakeSurveySheet"));
    buildLayout();
    buildEnterChain();
    formatGrid();
    connect(cmdSave, &QPushButton::clicked, this, &frmIntakeSurveySheet::cmdSave_Click);
    connect(cmdSavePrint, &QPushButton::clicked, this, &frmIntakeSurveySheet::cmdSavePrint_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmIntakeSurveySheet::cmdEdit_Click);
    // In the main window the sheet lives in a sub-window, which is what Close closes.
    connect(cmdCancel, &QPushButton::clicked, this, [this] { ui::closeScreen(this); });
    connect(cmdListZipCodes, &QPushButton::clicked, this,
            &frmIntakeSurveySheet::cmdListZipCodes_Click);
    connect(cmdAll, &QPushButton::clicked, this, &frmIntakeSurveySheet::cmdAll_Click);
    connect(cboClassCode, &QComboBox::activated, this, &frmIntakeSurveySheet::classCodeChosen);
    for (QComboBox* c : {cmbCategory, cbostatus, cboReferringParty}) {
        connect(c, &QComboBox::activated, this, [this, c] { lookupTag(c); });
        connect(c->lineEdit(), &QLineEdit::editingFinished, this, [this, c] { lookupTag(c); });
    }
}

frmIntakeSurveySheet::~frmIntakeSurveySheet() = default;

void frmIntakeSurveySheet::setDepartmentTitle(const QString& title) {
    departmentTitle_ = title;
    setWindowTitle(title);
}

void frmIntakeSurveySheet::buildLayout() {
    auto* outer = new QVBoxLayout(this);
    lblHeading = named(label("Intake Sheet Entry"), "lblHeading");
    QFont f = lblHeading->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    lblHeading->setFont(f);
    outer->addWidget(lblHeading);

    // The sheet is taller than a laptop's screen: its body scrolls, and the command
    // buttons below it stay in view.
    auto* body = named(new QWidget, "fraBody");
    auto* inner = new QVBoxLayout(body);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(buildHeader());
    SSTab1 = named(new QTabWidget, "SSTab1");
    SSTab1->addTab(buildIdentifying(), QStringLiteral(" IDENTIFYING DATA"));
    SSTab1->addTab(buildBackground(), QStringLiteral("BACKGROUND INFO"));
    SSTab1->addTab(buildOther(), QStringLiteral("OTHER SIGNIFICANT DATA"));
    inner->addWidget(SSTab1, 1);
    inner->addWidget(label("NOTE : Click on the TABS above to Enter other relative data..."));
    auto* scroll = named(new QScrollArea, "scrBody");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(body);
    outer->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    cmdSave = button("cmdSave", "&Save");
    cmdSavePrint = button("cmdSavePrint", "Save/&Print");
    cmdEdit = button("cmdEdit", "&Edit");
    cmdCancel = button("cmdCancel", "&Close");
    for (QPushButton* b : {cmdSave, cmdSavePrint, cmdEdit, cmdCancel})
        buttons->addWidget(b);
    outer->addLayout(buttons);
}

QWidget* frmIntakeSurveySheet::buildHeader() {
    auto* frame = named(new QGroupBox(QStringLiteral("Patient's Information")), "fraPatientInfo");
    auto* grid = new QGridLayout(frame);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    txtHospitalNo = box("txtHospitalNo");
    txtHospitalNo->setReadOnly(true);
    txtCaseNo = box("txtCaseNo");
    txtAdmissionDate = box("txtAdmissionDate");
    txtWard = box("txtWard");
    DTDateInterviewed = datePicker("DTDateInterviewed");
    cboClassCode = combo("cboClassCode");
    txtClassification = box("txtClassification");
    cmbCategory = combo("cmbCategory");
    chkSeniorCitizen = named(new QCheckBox(QStringLiteral("Senior Citizen")), "chkSeniorCitizen");
    cbostatus = combo("cbostatus");
    chkActive = named(new QCheckBox(QStringLiteral("&Active")), "chkActive");
    txtExpiry = datePicker("txtExpiry");
    addRow(left, "Hospital No.", {txtHospitalNo});
    addRow(left, "Case No.", {txtCaseNo});
    addRow(left, "Date of Admission", {txtAdmissionDate});
    addRow(left, "W a r d/ Room #", {txtWard});
    addRow(left, "Date Interviewed ", {DTDateInterviewed});
    addRow(right, "Classification", {cboClassCode, txtClassification});
    addRow(right, "C a t e g o r y ", {cmbCategory, chkSeniorCitizen});
    addRow(right, "Patient Status", {cbostatus, chkActive});
    addRow(right, "Expiration Date:", {txtExpiry});

    auto* status = named(new QGroupBox(QStringLiteral("Patient's Status")), "fraPatientStatus");
    auto* sl = new QHBoxLayout(status);
    optNew = named(new QRadioButton(QStringLiteral("New")), "optNew");
    optOld = named(new QRadioButton(QStringLiteral("Old")), "optOld");
    optClosed = named(new QRadioButton(QStringLiteral("Closed")), "optClosed");
    optCarryover = named(new QRadioButton(QStringLiteral("Carry over")), "optCarryover");
    for (QRadioButton* o : {optNew, optOld, optClosed, optCarryover})
        sl->addWidget(o);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(status, 1, 0, 1, 2);
    return frame;
}

QWidget* frmIntakeSurveySheet::buildIdentifying() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    txtLastName = box("txtLastName");
    txtFirstName = box("txtFirstName");
    txtMiddle = box("txtMiddle");
    txtAge = box("txtAge");
    addRow(left, "Lastname", {txtLastName});
    addRow(left, "Firstname", {txtFirstName});
    addRow(left, "Middlename ", {txtMiddle});
    addRow(left, "Age ", {txtAge});

    auto* sex = named(new QGroupBox(QStringLiteral("Sex")), "fraSex");
    auto* sexl = new QHBoxLayout(sex);
    optSexMale = named(new QRadioButton(QStringLiteral("Male")), "optSexMale");
    optSexFemale = named(new QRadioButton(QStringLiteral("Female")), "optSexFemale");
    sexl->addWidget(optSexMale);
    sexl->addWidget(optSexFemale);
    left->addRow(sex);
    auto* cs = named(new QGroupBox(QStringLiteral("Civil Status")), "fraCivilStatus");
    auto* csl = new QHBoxLayout(cs);
    const char* civil[] = {"Single", "Separated", "Married", "Widow", "Divorced"};
    for (int i = 0; i < 5; ++i) {
        optCS[i] = new QRadioButton(QString::fromLatin1(civil[i]));
        optCS[i]->setObjectName(QStringLiteral("optCS_%1").arg(i));
        csl->addWidget(optCS[i]);
    }
    left->addRow(cs);

    txtReligion = box("txtReligion");
    txtEducation = box("txtEducation");
    txtOccupation = box("txtOccupation");
    txtBirthdate = box("txtBirthdate");
    txtBirthPlace = box("txtBirthPlace");
    txtHouseStreet = box("txtHouseStreet");
    txtBarangay = box("txtBarangay");
    txtProvince = box("txtProvince");
    txtZipCode = box("txtZipCode");
    cmdListZipCodes = button("cmdListZipCodes", "...");
    txtTelNo = box("txtTelNo");
    addRow(left, "B i r t h d a y", {txtBirthdate});
    addRow(left, "Birthplace", {txtBirthPlace});
    addRow(left, "House Street:", {txtHouseStreet});
    addRow(left, "Barangay:", {txtBarangay});
    addRow(left, "Zip Code", {txtZipCode, cmdListZipCodes});
    addRow(left, "Town/Province:", {txtProvince});
    addRow(left, "Telephone No.", {txtTelNo});
    addRow(left, "Religion", {txtReligion});

    txtStatus = box("txtStatus");
    txtEmployer = box("txtEmployer");
    txtEmploymentAd = box("txtEmploymentAd");
    txtSalary = box("txtSalary");
    txtSSSMember = box("txtSSSMember");
    txtPhilhealth = box("txtPhilhealth");
    txtSourceInfo = box("txtSourceInfo");
    cboReferringParty = combo("cboReferringParty");
    txtZEPW = box("txtZEPW");
    cmdAll = button("cmdAll", "...");
    txtReferredBy = box("txtReferredBy");
    DTDateReferred = datePicker("DTDateReferred");
    txtRefferAd = box("txtRefferAd");
    addRow(right, "Education", {txtEducation});
    addRow(right, "Occupation", {txtOccupation});
    addRow(right, "Employer", {txtEmployer});
    addRow(right, "S t a t u s", {txtStatus});
    addRow(right, "Place of Employment", {txtEmploymentAd});
    addRow(right, "S a l a r y", {txtSalary});
    addRow(right, "SSS/GSIS Member", {txtSSSMember});
    addRow(right, "PhilHealth", {txtPhilhealth});
    addRow(right, "Source of Information", {txtSourceInfo});
    addRow(right, "Referring Party", {cboReferringParty});
    addRow(right, "Social Worker", {txtZEPW, cmdAll});
    addRow(right, "Referred by", {txtReferredBy});
    addRow(right, "Date Referred", {DTDateReferred});
    addRow(right, "Referring Party Address ", {txtRefferAd});

    auto* docs = named(new QGroupBox(QStringLiteral("Documents")), "fraDocuments");
    auto* dl = new QFormLayout(docs);
    txtDocDSWD = box("txtDocDSWD");
    txtDocAOCert = box("txtDocAOCert");
    txtDocCertEmploy = box("txtDocCertEmploy");
    txtDocMayorOff = box("txtDocMayorOff");
    txtDocBrgyClear = box("txtDocBrgyClear");
    txtDocOthers = box("txtDocOthers");
    addRow(dl, "DSWD-SCCR", {txtDocDSWD});
    addRow(dl, "AO Cert.", {txtDocAOCert});
    addRow(dl, "Cert. of Employement", {txtDocCertEmploy});
    addRow(dl, "Treasurer/Mayor's Office", {txtDocMayorOff});
    addRow(dl, "Barangay Clearance", {txtDocBrgyClear});
    addRow(dl, "Others", {txtDocOthers});
    right->addRow(docs);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    return page;
}

QWidget* frmIntakeSurveySheet::buildBackground() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(label("Family Compositon"));
    FCFlexGrid = named(new QTableWidget, "FCFlexGrid");
    FCFlexGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FCFlexGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FCFlexGrid->verticalHeader()->setVisible(false);
    v->addWidget(FCFlexGrid, 1);
    // The floating editors live on the grid's viewport so they scroll with its cells.
    txtFlx = box("txtFlx");
    txtFlx->setParent(FCFlexGrid->viewport());
    txtFlx->hide();
    cmbFlx = combo("cmbFlx");
    cmbFlx->setParent(FCFlexGrid->viewport());
    cmbFlx->addItems({QStringLiteral("SINGLE"), QStringLiteral("MARRIED"), QStringLiteral("WIDOW"),
                      QStringLiteral("WIDOWER"), QStringLiteral("SEPARATED")});
    cmbFlx->hide();
    auto* row = new QHBoxLayout;
    cmdAdd = button("cmdAdd", "&Add Members");
    row->addWidget(cmdAdd);
    row->addWidget(label("Click the Button to ADD a Family Members."));
    row->addStretch();
    txtTotFamIncome = box("txtTotFamIncome");
    txtTotFamIncome->setReadOnly(true);
    row->addWidget(label("Total Family Income : "));
    row->addWidget(txtTotFamIncome);
    v->addLayout(row);

    auto* f = new QFormLayout;
    txtChiefComp = box("txtChiefComp");
    txtDiagnosis = box("txtDiagnosis");
    txtTreatment = box("txtTreatment");
    txtMDOtherInfo = box("txtMDOtherInfo");
    addRow(f, "Chief Complaint", {txtChiefComp});
    addRow(f, "Diagnosis", {txtDiagnosis});
    addRow(f, "Treatment Done", {txtTreatment});
    addRow(f, "Other Medical Information", {txtMDOtherInfo});
    v->addLayout(f);

    connect(FCFlexGrid, &QTableWidget::cellClicked, this, [this] { placeEditor(); });
    connect(txtFlx, &QLineEdit::textEdited, this, [this](const QString& t) {
        setCell(FCFlexGrid->currentRow(), FCFlexGrid->currentColumn(), t);
    });
    connect(cmbFlx, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (cmbFlx->isVisible())
            setCell(FCFlexGrid->currentRow(), FCFlexGrid->currentColumn(), t);
    });
    txtFlx->installEventFilter(this);
    cmbFlx->installEventFilter(this);
    return page;
}

QWidget* frmIntakeSurveySheet::buildOther() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* f = new QFormLayout;
    txtOtherResources = box("txtOtherResources");
    txtExpenses = box("txtExpenses");
    addRow(f, "Other Resources", {txtOtherResources});
    addRow(f, "Expenses/Liabilities", {txtExpenses});
    v->addLayout(f);

    auto* problems = named(new QGroupBox(QStringLiteral("Presenting Problem")), "fraProblem");
    auto* pl = new QVBoxLayout(problems);
    chkFinancialProb =
        named(new QCheckBox(QStringLiteral("Financial Problem")), "chkFinancialProb");
    pl->addWidget(chkFinancialProb);
    auto* emo =
        named(new QGroupBox(QStringLiteral("Emotional/Adjustment Problem ")), "fraEmotional");
    auto* el = new QVBoxLayout(emo);
    chkRefusalProb =
        named(new QCheckBox(QStringLiteral("Refusal to accept treatment")), "chkRefusalProb");
    chkAggressiveProb =
        named(new QCheckBox(QStringLiteral("Aggressiveness/Stuborness/Demanding Traits")),
              "chkAggressiveProb");
    chkDifficultyProb = named(new QCheckBox(QStringLiteral("Difficulty in coping with stress")),
                              "chkDifficultyProb");
    el->addWidget(chkRefusalProb);
    el->addWidget(chkAggressiveProb);
    el->addWidget(chkDifficultyProb);
    pl->addWidget(emo);
    auto* after = named(new QGroupBox(QStringLiteral("After Care Treatment")), "fraAfterCare");
    auto* al = new QVBoxLayout(after);
    optIrregular = named(new QRadioButton(QStringLiteral("Irregular Check-up")), "optIrregular");
    // A lone option that the worker may also take back.
    optIrregular->setAutoExclusive(false);
    al->addWidget(optIrregular);
    pl->addWidget(after);
    v->addWidget(problems);

    auto* g = new QFormLayout;
    txtOtherProb = box("txtOtherProb");
    txtDiagnostic = box("txtDiagnostic");
    txtGoalPlan = box("txtGoalPlan");
    txtActionTaken = box("txtActionTaken");
    addRow(g, "Others: Please Specify", {txtOtherProb});
    addRow(g, "Diagnostic Impression", {txtDiagnostic});
    addRow(g, "Helping Goals/Plans", {txtGoalPlan});
    addRow(g, "Action Taken", {txtActionTaken});
    v->addLayout(g);
    return page;
}

// Enter moves to the next field in this order; the chain breaks where the sheet's own
// layout leaves the worker to click (after the sex options, the last problem box).
void frmIntakeSurveySheet::buildEnterChain() {
    const QList<QList<QWidget*>> chains{
        {txtLastName, txtFirstName, txtMiddle, txtAge, optSexMale},
        {txtBirthdate, txtBirthPlace, txtHouseStreet, txtBarangay, txtZipCode},
        {txtTelNo,      txtEducation,     txtOccupation,  txtReligion,     txtEmployer,
         txtStatus,     txtEmploymentAd,  txtSalary,      txtSSSMember,    txtPhilhealth,
         txtSourceInfo, txtReferredBy,    DTDateReferred, txtRefferAd,     txtDocDSWD,
         txtDocAOCert,  txtDocCertEmploy, txtDocMayorOff, txtDocBrgyClear, txtDocOthers},
        {txtChiefComp, txtDiagnosis, txtTreatment, txtMDOtherInfo, txtOtherResources, txtExpenses,
         chkFinancialProb},
        {txtOtherProb, txtDiagnostic, txtGoalPlan, txtActionTaken, cmdSave}};
    for (const auto& chain : chains)
        for (int i = 0; i + 1 < chain.size(); ++i)
            next_.insert(chain.at(i), chain.at(i + 1));
    for (const auto& chain : chains)
        for (QWidget* w : chain)
            w->installEventFilter(this);
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtCaseNo, txtZEPW, cmdSavePrint, cmdEdit, cmdCancel})
        w->installEventFilter(this);
}

bool frmIntakeSurveySheet::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (watched == txtFlx || watched == cmbFlx)
            return gridKey(watched, key);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && watched->isWidgetType())
            return enterKey(static_cast<QWidget*>(watched));
    } else if (e->type() == QEvent::FocusOut) {
        // Leaving an editor hides it; clicking another cell places it again.
        if (watched == txtFlx) {
            txtFlx->hide();
            computeTotal();
        } else if (watched == cmbFlx && !cmbFlx->view()->isVisible()) {
            cmbFlx->hide();
        }
    }
    return QWidget::eventFilter(watched, e);
}

bool frmIntakeSurveySheet::enterKey(QWidget* w) {
    if (w == txtCaseNo) {
        checkCaseNumber();
        return true;
    }
    if (w == txtZEPW) {
        if (txtZEPW->text().isEmpty())
            cmdAll_Click();
        return true;
    }
    if (w == txtZipCode) {
        cmdListZipCodes_Click();
        return true;
    }
    if (w == txtDocOthers) {
        SSTab1->setCurrentIndex(1);
        moveTo(0, 0);
        return true;
    }
    // Enter on a button presses it, as on the other data-entry screens.
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        b->click();
        return true;
    }
    QWidget* next = next_.value(w);
    if (!next)
        return false;
    if (next == txtOtherResources)
        SSTab1->setCurrentIndex(2);
    next->setFocus(Qt::TabFocusReason);
    return true; // the key never reaches the field that receives the focus
}

QList<QWidget*> frmIntakeSurveySheet::entryFields() const {
    QList<QWidget*> out;
    for (QWidget* page : {SSTab1->widget(0), SSTab1->widget(1), SSTab1->widget(2)})
        for (QWidget* w : page->findChildren<QWidget*>())
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) ||
                qobject_cast<QDateEdit*>(w))
                out << w;
    for (QWidget* w : std::initializer_list<QWidget*>{
             txtCaseNo, txtAdmissionDate, txtWard, DTDateInterviewed, cboClassCode,
             txtClassification, cmbCategory, chkSeniorCitizen, cbostatus, chkActive, txtExpiry,
             optNew, optOld, optClosed, optCarryover})
        out << w;
    return out;
}

QString frmIntakeSurveySheet::snapshot() const {
    // Every value the worker can change, field by field and cell by cell; a unit separator
    // keeps "AB" + "C" apart from "A" + "BC".
    QStringList values;
    for (QWidget* w : entryFields()) {
        if (auto* e = qobject_cast<QLineEdit*>(w))
            values << e->text();
        else if (auto* c = qobject_cast<QComboBox*>(w))
            values << c->currentText();
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            values << (b->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        else if (auto* d = qobject_cast<QDateEdit*>(w))
            values << d->date().toString(Qt::ISODate);
    }
    for (int r = 0; r < FCFlexGrid->rowCount(); ++r)
        for (int c = 0; c < FCFlexGrid->columnCount(); ++c)
            values << cell(r, c);
    values << workerCode_;
    return values.join(QChar(0x1f));
}

bool frmIntakeSurveySheet::hasUnsavedChanges() const {
    return loaded_ && snapshot() != loadedSnapshot_;
}

void frmIntakeSurveySheet::cmdEdit_Click() {
    for (QWidget* w : entryFields())
        w->setEnabled(true);
}

void frmIntakeSurveySheet::clearSheet() {
    for (QWidget* w : entryFields()) {
        if (auto* e = qobject_cast<QLineEdit*>(w); e && e != cmbFlx->lineEdit())
            e->clear();
        else if (auto* c = qobject_cast<QComboBox*>(w); c && c != cmbFlx)
            c->setCurrentText(QString());
        else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            const bool exclusive = b->autoExclusive();
            b->setAutoExclusive(false);
            b->setChecked(false);
            b->setAutoExclusive(exclusive);
        }
        w->setEnabled(false);
    }
    formatGrid();
}

void frmIntakeSurveySheet::cmdListZipCodes_Click() {
    if (codeSearch_ &&
        codeSearch_->SearchListing(codesearch::clsCodeSearch::ZipCodes, txtZipCode->text())) {
        const auto& r = codeSearch_->AddressRecord();
        txtZipCode->setText(r.ResultCode);
        txtProvince->setText(r.Town + QStringLiteral(", ") + r.Province);
    }
    txtTelNo->setFocus(Qt::TabFocusReason);
}

void frmIntakeSurveySheet::cmdAll_Click() {
    frmEmployeeListing f(this);
    f.setConnection(conn_);
    f.exec();
    if (!f.Selected() || !conn_)
        return;
    workerCode_ = f.WorkerCode();
    if (const auto name = pickedWorkerName(*conn_, workerCode_, QStringLiteral("MESSAGE")))
        txtZEPW->setText(*name);
}

void frmIntakeSurveySheet::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!loaded_) {
        loaded_ = true;
        loadSheet();
    }
}
