#pragma once
// The assessment and referral report of one visit: the patient's class with its validity,
// the case category and parent category, the referring party and case status, the tags,
// counterpart, remarks and worker, the services and activities and the case documents.
// The caller sets HospNum and IDNUM from the patient list's selection, then Form_Load()
// fills the screen from the database.
#include <QDialog>
#include <QList>
#include <QString>
#include <array>

namespace referral {
struct ArrSave;
}

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace db {
class Connection;
}

class frmARR : public QDialog {
    Q_OBJECT

public:
    explicit frmARR(QWidget* parent = nullptr);
    ~frmARR() override;

    // What the screen works with; start-up's shared values in production.
    void setConnection(db::Connection* conn) { conn_ = conn; }
    void setDepartmentTitle(const QString& title);
    void setUserCode(const QString& code) { userCode_ = code; }
    // Where the printed report's template lives, and who prints it (the user's name).
    void setReportFolder(const QString& folder) { reportFolder_ = folder; }
    void setPrintedBy(const QString& name) { printedBy_ = name; }

    // Set by the caller before Form_Load; kept as given, trimmed where used.
    void setHospNum(const QString& v) { hospNum_ = v; }
    void setIDNUM(const QString& v) { idNum_ = v; }
    QString HospNum() const { return hospNum_; }
    QString IDNUM() const { return idNum_; }

    // The opening sequence.
    void Form_Load();

    // The record as loaded (what the later save sends when nothing is changed).
    QString loadedWorkerCode() const { return loadedWorker_; }
    QString workerName() const { return workerName_; }
    QString serviceCodes() const { return serviceCodes_; }
    QString activityCodes() const { return activityCodes_; }
    // The case status code (the tag of cboactive).
    QString statusCode() const { return statusTag_; }
    QString categoryId() const;       // the selected case category, last one wins
    QString parentCategoryId() const; // the same for the parent category
    QString classificationCode() const;
    QString referringPartyCode() const;
    QString documentationFlags() const; // "1|0|...|", 18 values
    bool saved() const { return saved_; }
    // The worker code the save sends: the one picked on this screen, else the loaded one.
    QString pickedWorkerCode() const { return pickedWorker_; }
    QString licenseNumber() const { return licenseNumber_; }
    // The case number was refused as another patient's by the last save.
    bool caseNumberConflict() const { return conflict_; }
    // The category name the save sends: the selected category's, else the hidden option's.
    QString categoryName() const;
    // The values the save sends as the screen stands (the worker code as the save takes it).
    referral::ArrSave saveValues();

    // The displayed lists rebuilt from the code lists.
    void showServices();
    void showActivities();
    void setServiceCodes(const QString& codes);
    void setActivityCodes(const QString& codes);

    QLabel* lblHeading;
    QLabel* lblHeading2;
    QLabel* lblStatus;
    QLabel* lblCode;
    QTabWidget* SSTab1;
    // Patient's information.
    QLineEdit* txtHospNum;
    QLineEdit* txtLastName;
    QLineEdit* txtFirstName;
    QLineEdit* txtMiddleName;
    QLineEdit* txtDoctor;
    QLineEdit* txtZEPNum;
    QLineEdit* txtIDNum;
    QLineEdit* txtRoomID;
    QComboBox* cboClassification;
    QLineEdit* mskIntake;
    QLineEdit* txtValidityDate;
    QLineEdit* mskRange1;
    QComboBox* cboactive;
    QCheckBox* chkActive;
    QComboBox* cboReferring;
    // Category and services.
    QListWidget* lstParentCategory;
    QListWidget* lstCategory;
    QGroupBox* fmeService;
    QListWidget* lstServices;
    QPushButton* cmdService;
    QPushButton* cmdCloseServices;
    QLineEdit* txtRemarks;
    QLineEdit* txtNC;
    QLineEdit* txtZEPW;
    QPushButton* cmdSearch;
    QCheckBox* chkSponsor;
    QCheckBox* chkPCSO;
    QCheckBox* chkSpecial;
    std::array<QRadioButton*, 3> optPCSO{};
    QGroupBox* fraOptCategory;
    std::array<QRadioButton*, 15> optCategory{};
    // Documentation.
    QGroupBox* frmactivity;
    QListWidget* lstactivity;
    QPushButton* cmdAddActivity;
    std::array<QCheckBox*, 18> chkdoc{};
    // Buttons.
    QPushButton* cmdSave;
    QPushButton* cmdPrint;
    QPushButton* cmdRePrint;
    QPushButton* cmdTrans;
    QPushButton* cmdPrevious;
    QPushButton* cmdViewCDF;
    QPushButton* cmdClose;
    QTimer* tmrCDF;

public slots:
    void cmdService_Click();
    void cmdAddActivity_Click();
    void tmrCDF_Timer();
    void cmdSave_Click();
    void cmdPrint_Click();
    void cmdRePrint_Click();
    void cmdSearch_Click();
    // The patient's transaction report, and the list of the patient's earlier assessments
    // (frmARR_history.cpp).
    void cmdTrans_Click();
    void cmdPrevious_Click();
    void cmdViewCDF_Click();
    // The case status code of the text in cboactive, when the status table knows it.
    void cboactive_Update();
    // The case status's code for the shown status; `tell` shows a failed look-up.
    void updateStatusTag(bool tell);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildLayout();
    // Keys (frmARR_keys.cpp): Enter from field to field, and the expiry's check on leaving.
    void buildEnterChain();
    QWidget* nextField(QWidget* from) const;
    void checkExpiryOnLeaving();
    QWidget* buildPatientInfo();
    QWidget* buildCategoryTab();
    QWidget* buildDocumentationTab();

    // Opening (frmARR_load.cpp).
    enum class Outcome { Failed, Loaded, Continue };
    void fillLists();
    Outcome noCaseNumber();
    bool payToService();
    void fillWithoutIntake();
    void loadAssessment();
    void loadCaseHistory();
    QString visitNumber() const { return idNum_.trimmed(); }

    // Saving (frmARR_save.cpp).
    enum class Confirmed { Stopped, No, Yes };
    Confirmed confirmSave(const QString& heading);
    bool saveReport();
    void txtNC_Edited(const QString& text);
    void takeWorker(const QString& code);
    void printReport(const QString& title);

    db::Connection* conn_ = nullptr;
    QString departmentTitle_;
    QString userCode_;
    QString reportFolder_;
    QString printedBy_;
    QString hospNum_;
    QString idNum_;
    QString loadedWorker_;
    QString pickedWorker_;
    QString licenseNumber_;
    QString workerName_;
    QString serviceCodes_;
    QString activityCodes_;
    QString statusTag_;
    QString categoryLoaded_;
    QString parentLoaded_;
    QString referringLoaded_;
    bool sponsor_ = false;
    bool pcso_ = false;
    bool special_ = false;
    bool saved_ = false;
    bool conflict_ = false;
    short blinkStep_ = 0;
    QString ncBefore_; // the counterpart as it stood before the user's last edit
    QList<QWidget*> enterChain_;
};
