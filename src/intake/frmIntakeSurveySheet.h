#pragma once
// The intake survey sheet of one patient: identity and address, work and income, referral
// and documents, medical data, problems and plan, the family composition, and in its header
// the case number, class, category and case status. The caller sets HospNum, IDNUM and
// PatientType (from the patient list's selection) before the screen is first shown.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QGroupBox;

namespace db {
class Connection;
}
namespace patient {
class clsPatientSearch;
}
namespace codesearch {
class clsCodeSearch;
}

class frmIntakeSurveySheet : public QWidget {
    Q_OBJECT

public:
    explicit frmIntakeSurveySheet(QWidget* parent = nullptr);
    ~frmIntakeSurveySheet() override;

    // What the screen works with; start-up's shared values in production.
    void setConnection(db::Connection* conn) { conn_ = conn; }
    void setPatientService(patient::clsPatientSearch* s) { patients_ = s; }
    void setCodeSearch(codesearch::clsCodeSearch* s) { codeSearch_ = s; }
    void setDepartmentTitle(const QString& title);
    void setHospitalAddress(const QString& a) { hospitalAddress_ = a; }
    void setReportFolder(const QString& f) { reportFolder_ = f; }

    // The patient, copied from the list's selection before the screen is shown.
    QString HospNum() const { return hospNum_; }
    void setHospNum(const QString& v) { hospNum_ = v; }
    QString IDNUM() const { return idNum_; }
    void setIDNUM(const QString& v) { idNum_ = v; }
    QString PatientType() const { return patientType_; }
    void setPatientType(const QString& v) { patientType_ = v; }

    bool sheetExists() const { return sheetExists_; }
    bool saved() const { return saved_; }
    // Whether the worker changed anything since the sheet was loaded or last saved.
    bool hasUnsavedChanges() const;
    QString workerCode() const { return workerCode_; }

    // The codes behind the three lookup combos (what the save sends).
    QString categoryId() const { return categoryTag_; }
    QString statusCode() const { return statusTag_; }
    QString referringPartyCode() const { return partyTag_; }

    QLabel* lblHeading;
    QTabWidget* SSTab1;
    // Header.
    QLineEdit* txtHospitalNo;
    QLineEdit* txtCaseNo;
    QLineEdit* txtAdmissionDate;
    QLineEdit* txtWard;
    QDateEdit* DTDateInterviewed;
    QComboBox* cboClassCode;
    QLineEdit* txtClassification;
    QComboBox* cmbCategory;
    QCheckBox* chkSeniorCitizen;
    QComboBox* cbostatus;
    QCheckBox* chkActive;
    QDateEdit* txtExpiry;
    QRadioButton* optNew;
    QRadioButton* optOld;
    QRadioButton* optClosed;
    QRadioButton* optCarryover;
    // Identifying data.
    QLineEdit* txtLastName;
    QLineEdit* txtFirstName;
    QLineEdit* txtMiddle;
    QLineEdit* txtAge;
    QRadioButton* optSexMale;
    QRadioButton* optSexFemale;
    std::array<QRadioButton*, 5> optCS{};
    QLineEdit* txtReligion;
    QLineEdit* txtEducation;
    QLineEdit* txtOccupation;
    QLineEdit* txtBirthdate;
    QLineEdit* txtBirthPlace;
    QLineEdit* txtHouseStreet;
    QLineEdit* txtBarangay;
    QLineEdit* txtProvince;
    QLineEdit* txtZipCode;
    QPushButton* cmdListZipCodes;
    QLineEdit* txtTelNo;
    QLineEdit* txtStatus;
    QLineEdit* txtEmployer;
    QLineEdit* txtEmploymentAd;
    QLineEdit* txtSalary;
    QLineEdit* txtSSSMember;
    QLineEdit* txtPhilhealth;
    QLineEdit* txtSourceInfo;
    QComboBox* cboReferringParty;
    QLineEdit* txtZEPW;
    QPushButton* cmdAll;
    QLineEdit* txtReferredBy;
    QDateEdit* DTDateReferred;
    QLineEdit* txtRefferAd;
    QLineEdit* txtDocDSWD;
    QLineEdit* txtDocAOCert;
    QLineEdit* txtDocCertEmploy;
    QLineEdit* txtDocMayorOff;
    QLineEdit* txtDocBrgyClear;
    QLineEdit* txtDocOthers;
    // Background.
    QTableWidget* FCFlexGrid;
    QLineEdit* txtFlx;
    QComboBox* cmbFlx;
    QPushButton* cmdAdd;
    QLineEdit* txtTotFamIncome;
    QLineEdit* txtChiefComp;
    QLineEdit* txtDiagnosis;
    QLineEdit* txtTreatment;
    QLineEdit* txtMDOtherInfo;
    // Other significant data.
    QLineEdit* txtOtherResources;
    QLineEdit* txtExpenses;
    QCheckBox* chkFinancialProb;
    QCheckBox* chkRefusalProb;
    QCheckBox* chkAggressiveProb;
    QCheckBox* chkDifficultyProb;
    QRadioButton* optIrregular;
    QLineEdit* txtOtherProb;
    QLineEdit* txtDiagnostic;
    QLineEdit* txtGoalPlan;
    QLineEdit* txtActionTaken;
    // Buttons.
    QPushButton* cmdSave;
    QPushButton* cmdSavePrint;
    QPushButton* cmdEdit;
    QPushButton* cmdCancel;

public slots:
    // The opening sequence; the first show runs it.
    void loadSheet();
    void cmdSave_Click();
    void cmdSavePrint_Click();
    void cmdEdit_Click();
    void cmdListZipCodes_Click();
    void cmdAll_Click();
    // The case-number check; true when the number is free or the patient's own.
    bool checkCaseNumber();
    // Empties and disables the entry fields (the list asks for a fresh sheet).
    void clearSheet();

    // The family grid.
    void placeEditor();
    void computeTotal();
    // Total of every row's income; a cell that does not read as a number counts 0.
    double familyTotal() const;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildLayout();
    QWidget* buildHeader();
    QWidget* buildIdentifying();
    QWidget* buildBackground();
    QWidget* buildOther();
    void buildEnterChain();
    QList<QWidget*> entryFields() const;
    QString snapshot() const;

    // Loading (frmIntakeSurveySheet_load.cpp).
    void runCategorySearch();
    void loadInPatient();
    void loadOutPatient();
    bool loadMaster();
    void readSavedSheet();
    void fillLists();
    void lookupTag(QComboBox* combo);
    void classCodeChosen(int index);

    // The family grid (frmIntakeSurveySheet_grid.cpp).
    void formatGrid();
    void loadFamily();
    bool gridKey(QObject* editor, int key);
    void setCell(int row, int col, const QString& text);
    QString cell(int row, int col) const;
    void moveTo(int row, int col);

    // Saving (frmIntakeSurveySheet_save.cpp).
    bool save();
    bool enterKey(QWidget* w);

    db::Connection* conn_ = nullptr;
    patient::clsPatientSearch* patients_ = nullptr;
    codesearch::clsCodeSearch* codeSearch_ = nullptr;
    QString departmentTitle_;
    QString hospitalAddress_;
    QString reportFolder_;
    QString hospNum_;
    QString idNum_;
    QString patientType_;
    QString workerCode_;
    QString categoryTag_;
    QString statusTag_;
    QString partyTag_;
    QStringList classNames_;
    QHash<QWidget*, QWidget*> next_;
    bool sheetExists_ = false;
    bool saved_ = false;
    bool loaded_ = false;
    QString loadedSnapshot_; // the values as loaded or last saved
    bool conflict_ = false;
};
