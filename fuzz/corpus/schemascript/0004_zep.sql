-- ZEP: the department's own database: users and workers, its catalogues (classification
-- scheme, case categories, referring parties, case statuses, services, activities, OPS
-- rates), the intake sheets with family composition, the assessment and referral reports
-- per visit, and the logs of transactions, class changes and case-number changes.
-- The schema version table ZEP.tbZEPSchemaVersion is created by the migration code itself.

-- The department's employees (social workers and other users).
CREATE TABLE ZEP.tbZEPEmployee (
    EmployeeID VARCHAR(20) PRIMARY KEY,
    LastName VARCHAR(60) NOT NULL,
    FirstName VARCHAR(60) NOT NULL DEFAULT '',
    MiddleName VARCHAR(60) NOT NULL DEFAULT '',
    LicenseNumber VARCHAR(30) NOT NULL DEFAULT '',
    Position VARCHAR(60) NOT NULL DEFAULT '',
    DeptCode VARCHAR(10) NOT NULL DEFAULT 'ZEP',
    Active SMALLINT NOT NULL DEFAULT 1
);

-- Log-in accounts; UserName is stored in upper case.
CREATE TABLE ZEP.tbZEPUser (
    UserName VARCHAR(30) PRIMARY KEY,
    EmployeeID VARCHAR(20) NOT NULL REFERENCES ZEP.tbZEPEmployee (EmployeeID),
    PasswordHash VARCHAR(255) NOT NULL,
    DeptCode VARCHAR(10) NOT NULL DEFAULT 'ZEP',
    Rights VARCHAR(30) NOT NULL DEFAULT '',
    FailedAttempts INTEGER NOT NULL DEFAULT 0,
    LastFailedAt TIMESTAMP,
    Active SMALLINT NOT NULL DEFAULT 1
);

CREATE INDEX ixZEPUserEmployee ON ZEP.tbZEPUser (EmployeeID);

-- The classification scheme: one row per class. Type is the row key ("A1", "A2", ...),
-- Code the class code users know; the fractions are discounts from 0 to 1, in-patient
-- (Procedures, Medicines, Supplies, Room) and out-patient (the ones ending in 2).
CREATE TABLE ZEP.tbZEPClassification (
    Type VARCHAR(10) NOT NULL PRIMARY KEY CHECK (Type <> ''),
    Code VARCHAR(10) NOT NULL CHECK (Code <> ''),
    Classification VARCHAR(100) NOT NULL DEFAULT '',
    PerCapitalIncome VARCHAR(255) NOT NULL DEFAULT '',
    LevelPerDependents VARCHAR(255) NOT NULL DEFAULT '',
    PFRF VARCHAR(255) NOT NULL DEFAULT '',
    OPD VARCHAR(255) NOT NULL DEFAULT '',
    IPD VARCHAR(255) NOT NULL DEFAULT '',
    Procedures NUMERIC(7,4) NOT NULL DEFAULT 0 CHECK (Procedures >= 0 AND Procedures <= 1),
    Medicines NUMERIC(7,4) NOT NULL DEFAULT 0 CHECK (Medicines >= 0 AND Medicines <= 1),
    Supplies NUMERIC(7,4) NOT NULL DEFAULT 0 CHECK (Supplies >= 0 AND Supplies <= 1),
    Room NUMERIC(7,4) NOT NULL DEFAULT 0 CHECK (Room >= 0 AND Room <= 1),
    Procedures2 NUMERIC(7,4) NOT NULL DEFAULT 0 CHECK (Procedures2 >= 0 AND Procedures2 <= 1),
    Medicines2 NUMERIC(7,4) NOT NULL DEFAULT 0 CHECK (Medicines2 >= 0 AND Medicines2 <= 1),
    Supplies2 NUMERIC(7,4) NOT NULL DEFAULT 0 CHECK (Supplies2 >= 0 AND Supplies2 <= 1)
);

CREATE UNIQUE INDEX ixZEPClassificationCode ON ZEP.tbZEPClassification (Code);

-- The code list the pickers read: the classes' codes and names, never out of step.
CREATE VIEW ZEP.tbZEPClassificationScheme AS
    SELECT Code, Classification FROM ZEP.tbZEPClassification;

CREATE TABLE ZEP.tbZEPCaseCategory (
    CategoryID VARCHAR(2) NOT NULL PRIMARY KEY CHECK (CategoryID <> ''),
    Category VARCHAR(100) NOT NULL,
    Status CHAR(1) NOT NULL DEFAULT 'A' CHECK (Status IN ('A', 'I'))
);

CREATE UNIQUE INDEX ixZEPCaseCategoryName ON ZEP.tbZEPCaseCategory (Category);

CREATE TABLE ZEP.tbZEPParentCategory (
    ParentCategoryID VARCHAR(2) NOT NULL PRIMARY KEY CHECK (ParentCategoryID <> ''),
    ParentCategory VARCHAR(100) NOT NULL,
    Status CHAR(1) NOT NULL DEFAULT 'A' CHECK (Status IN ('A', 'I'))
);

CREATE UNIQUE INDEX ixZEPParentCategoryName ON ZEP.tbZEPParentCategory (ParentCategory);

CREATE TABLE ZEP.tbZEPReferringParty (
    Code VARCHAR(2) NOT NULL PRIMARY KEY CHECK (Code <> ''),
    ReferringParty VARCHAR(100) NOT NULL
);

CREATE UNIQUE INDEX ixZEPReferringPartyName ON ZEP.tbZEPReferringParty (ReferringParty);

-- Case statuses.
CREATE TABLE ZEP.tbZEPActive (
    Code VARCHAR(5) NOT NULL PRIMARY KEY CHECK (Code <> ''),
    CaseStatus VARCHAR(60) NOT NULL
);

CREATE UNIQUE INDEX ixZEPActiveName ON ZEP.tbZEPActive (CaseStatus);

-- The services catalogue, a tree of dotted codes ("1", "1.2", "1.2.3"); ParentCode is NULL
-- at the top level. Codes hold no letter A: the picker's tree keys are "A" + code.
CREATE TABLE ZEP.tbZEPServiceCategory (
    Code VARCHAR(10) NOT NULL PRIMARY KEY
        CHECK (Code <> '' AND Code <> '0' AND REPLACE(Code, 'A', '') = Code),
    Description VARCHAR(200) NOT NULL,
    ParentCode VARCHAR(10) REFERENCES ZEP.tbZEPServiceCategory (Code)
);

CREATE INDEX ixZEPServiceCategoryParent ON ZEP.tbZEPServiceCategory (ParentCode);

-- The activities catalogue, the same shape.
CREATE TABLE ZEP.tbZEPActivity (
    Code VARCHAR(10) NOT NULL PRIMARY KEY
        CHECK (Code <> '' AND Code <> '0' AND REPLACE(Code, 'A', '') = Code),
    Description VARCHAR(200) NOT NULL,
    ParentCode VARCHAR(10) REFERENCES ZEP.tbZEPActivity (Code)
);

CREATE INDEX ixZEPActivityParent ON ZEP.tbZEPActivity (ParentCode);

-- Out-patient procedure rates; the column order is the order the rates screen shows.
CREATE TABLE ZEP.tbZEPOPSRates (
    Code VARCHAR(10) NOT NULL PRIMARY KEY CHECK (Code <> ''),
    Description VARCHAR(100) NOT NULL DEFAULT '',
    Price NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Price >= 0 AND Price = ROUND(Price, 2)),
    Status CHAR(1) NOT NULL DEFAULT 'A' CHECK (Status IN ('A', 'I'))
);

-- The intake sheet of a patient: one per hospital number, replaced by every save. The case
-- number, class code, date of intake and expiry live on PATIENT_DATA.tbMaster.
CREATE TABLE ZEP.tbZEPIntakeSheet (
    HospNum VARCHAR(20) NOT NULL PRIMARY KEY CHECK (HospNum <> ''),
    IdNum VARCHAR(20) NOT NULL DEFAULT '',
    InterviewDate DATE,
    Ward VARCHAR(20) NOT NULL DEFAULT '',
    LastName VARCHAR(60) NOT NULL DEFAULT '',
    FirstName VARCHAR(60) NOT NULL DEFAULT '',
    MiddleName VARCHAR(60) NOT NULL DEFAULT '',
    HouseStreet VARCHAR(200) NOT NULL DEFAULT '',
    Barangay VARCHAR(100) NOT NULL DEFAULT '',
    ZipCode VARCHAR(10) NOT NULL DEFAULT '',
    Province VARCHAR(200) NOT NULL DEFAULT '',
    Sex VARCHAR(6) CHECK (Sex IN ('Male', 'Female')),
    BirthDate DATE,
    CivilStatus VARCHAR(10) CHECK (CivilStatus IN ('Single', 'Separated', 'Married', 'Widow/er')),
    Occupation VARCHAR(100) NOT NULL DEFAULT '',
    Age VARCHAR(20) NOT NULL DEFAULT '',
    TelNo VARCHAR(40) NOT NULL DEFAULT '',
    SSSMember VARCHAR(40) NOT NULL DEFAULT '',
    BirthPlace VARCHAR(100) NOT NULL DEFAULT '',
    Religion VARCHAR(60) NOT NULL DEFAULT '',
    Employer VARCHAR(120) NOT NULL DEFAULT '',
    EmploymentAddress VARCHAR(200) NOT NULL DEFAULT '',
    Education VARCHAR(100) NOT NULL DEFAULT '',
    Salary VARCHAR(40) NOT NULL DEFAULT '',
    AdmissionDate DATE,
    SeniorCitizen SMALLINT NOT NULL DEFAULT 0 CHECK (SeniorCitizen IN (0, 1)),
    Category VARCHAR(100) NOT NULL DEFAULT '',
    CategoryID VARCHAR(2) NOT NULL DEFAULT '',
    CaseStatus VARCHAR(5) NOT NULL DEFAULT '',
    ReferringPartyID VARCHAR(2) NOT NULL DEFAULT '',
    ZEPW VARCHAR(120) NOT NULL DEFAULT '',
    ActiveStatus CHAR(1) NOT NULL DEFAULT 'Y' CHECK (ActiveStatus IN ('Y', 'N')),
    TotalFamilyIncome NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (TotalFamilyIncome = ROUND(TotalFamilyIncome, 2)),
    ReferredBy VARCHAR(120) NOT NULL DEFAULT '',
    DateReferred DATE,
    ReferralAddress VARCHAR(200) NOT NULL DEFAULT '',
    DSWDSCSR VARCHAR(100) NOT NULL DEFAULT '',
    AOCert VARCHAR(100) NOT NULL DEFAULT '',
    CertOfEmployment VARCHAR(100) NOT NULL DEFAULT '',
    TreasurerMayorOffice VARCHAR(100) NOT NULL DEFAULT '',
    BrgyClearance VARCHAR(100) NOT NULL DEFAULT '',
    Others VARCHAR(100) NOT NULL DEFAULT '',
    Treatment TEXT,
    OtherMDInfo TEXT,
    Resources TEXT,
    Expenses TEXT,
    FinancialProb SMALLINT NOT NULL DEFAULT 0 CHECK (FinancialProb IN (0, 1)),
    Difficulty SMALLINT NOT NULL DEFAULT 0 CHECK (Difficulty IN (0, 1)),
    Aggressiveness SMALLINT NOT NULL DEFAULT 0 CHECK (Aggressiveness IN (0, 1)),
    Refusal SMALLINT NOT NULL DEFAULT 0 CHECK (Refusal IN (0, 1)),
    IrregularCheckUp SMALLINT NOT NULL DEFAULT 0 CHECK (IrregularCheckUp IN (0, 1)),
    OtherProblem TEXT,
    HelpingGoals TEXT,
    ActionTaken TEXT,
    Philhealth VARCHAR(40) NOT NULL DEFAULT '',
    InfoSource VARCHAR(120) NOT NULL DEFAULT '',
    WorkStatus VARCHAR(60) NOT NULL DEFAULT '',
    DiagnosticImpress TEXT,
    UpdatedAt TIMESTAMP NOT NULL
);

-- The family members listed on an intake sheet, in grid order.
CREATE TABLE ZEP.tbZEPFamilyMember (
    HospNum VARCHAR(20) NOT NULL REFERENCES ZEP.tbZEPIntakeSheet (HospNum) ON DELETE CASCADE,
    MemberNo INTEGER NOT NULL CHECK (MemberNo > 0),
    Name VARCHAR(120) NOT NULL CHECK (Name <> ''),
    Relationship VARCHAR(60) NOT NULL DEFAULT '',
    Age VARCHAR(20) NOT NULL DEFAULT '',
    CivilStatus VARCHAR(20) NOT NULL DEFAULT '',
    Education VARCHAR(100) NOT NULL DEFAULT '',
    Address VARCHAR(200) NOT NULL DEFAULT '',
    Occupation VARCHAR(100) NOT NULL DEFAULT '',
    Income NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Income = ROUND(Income, 2)),
    PRIMARY KEY (HospNum, MemberNo)
);

-- The assessment and referral report of one visit (admission, out-patient or ER number),
-- with its documentation flags; replaced by every save of that visit.
CREATE TABLE ZEP.tbZEPAssessment (
    IdNum VARCHAR(20) NOT NULL PRIMARY KEY CHECK (IdNum <> ''),
    HospNum VARCHAR(20) NOT NULL CHECK (HospNum <> ''),
    ZEPNum VARCHAR(20) NOT NULL DEFAULT '',
    Code VARCHAR(10) NOT NULL DEFAULT '',
    Category VARCHAR(100) NOT NULL DEFAULT '',
    CaseCategoryID VARCHAR(2) NOT NULL DEFAULT '',
    ParentCategoryID VARCHAR(2) NOT NULL DEFAULT '',
    ReferringPartyID VARCHAR(2) NOT NULL DEFAULT '',
    Remarks TEXT,
    IntakeDate DATE,
    ExpiryDate DATE,
    ZEPW VARCHAR(20) NOT NULL DEFAULT '',
    UserID VARCHAR(20) NOT NULL DEFAULT '',
    IsPCSO SMALLINT NOT NULL DEFAULT 0 CHECK (IsPCSO IN (0, 1)),
    IsCDF SMALLINT NOT NULL DEFAULT 0 CHECK (IsCDF IN (0, 1)),
    IsSpecial SMALLINT NOT NULL DEFAULT 0 CHECK (IsSpecial IN (0, 1)),
    NC NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (NC >= 0 AND NC = ROUND(NC, 2)),
    PCSOType CHAR(1) CHECK (PCSOType IN ('E', 'G', 'C')),
    Active CHAR(1) NOT NULL DEFAULT 'Y' CHECK (Active IN ('Y', 'N')),
    CaseStatus VARCHAR(5) NOT NULL DEFAULT '',
    DocIntakeSheet SMALLINT NOT NULL DEFAULT 0 CHECK (DocIntakeSheet IN (0, 1)),
    DocPatientsProfile SMALLINT NOT NULL DEFAULT 0 CHECK (DocPatientsProfile IN (0, 1)),
    DocRegistrationLogbook SMALLINT NOT NULL DEFAULT 0 CHECK (DocRegistrationLogbook IN (0, 1)),
    DocServiceCard SMALLINT NOT NULL DEFAULT 0 CHECK (DocServiceCard IN (0, 1)),
    DocPatientsDataCard SMALLINT NOT NULL DEFAULT 0 CHECK (DocPatientsDataCard IN (0, 1)),
    DocTransferSummary SMALLINT NOT NULL DEFAULT 0 CHECK (DocTransferSummary IN (0, 1)),
    DocClosingSummary SMALLINT NOT NULL DEFAULT 0 CHECK (DocClosingSummary IN (0, 1)),
    DocGroupworkRecording SMALLINT NOT NULL DEFAULT 0 CHECK (DocGroupworkRecording IN (0, 1)),
    DocEligibilityStudy SMALLINT NOT NULL DEFAULT 0 CHECK (DocEligibilityStudy IN (0, 1)),
    DocSocialCaseStudy SMALLINT NOT NULL DEFAULT 0 CHECK (DocSocialCaseStudy IN (0, 1)),
    DocHomeVisit SMALLINT NOT NULL DEFAULT 0 CHECK (DocHomeVisit IN (0, 1)),
    DocWorkPlan SMALLINT NOT NULL DEFAULT 0 CHECK (DocWorkPlan IN (0, 1)),
    DocDailyAccomplishment SMALLINT NOT NULL DEFAULT 0 CHECK (DocDailyAccomplishment IN (0, 1)),
    DocMonthlyCensus SMALLINT NOT NULL DEFAULT 0 CHECK (DocMonthlyCensus IN (0, 1)),
    DocFeedBack SMALLINT NOT NULL DEFAULT 0 CHECK (DocFeedBack IN (0, 1)),
    DocAnnualReport SMALLINT NOT NULL DEFAULT 0 CHECK (DocAnnualReport IN (0, 1)),
    DocProgressNote SMALLINT NOT NULL DEFAULT 0 CHECK (DocProgressNote IN (0, 1)),
    DocOthers SMALLINT NOT NULL DEFAULT 0 CHECK (DocOthers IN (0, 1)),
    AssessDate TIMESTAMP NOT NULL,
    CHECK (PCSOType IS NULL OR IsPCSO = 1)
);

CREATE INDEX ixZEPAssessmentHospNum ON ZEP.tbZEPAssessment (HospNum);
CREATE INDEX ixZEPAssessmentZEPNum ON ZEP.tbZEPAssessment (ZEPNum);
CREATE INDEX ixZEPAssessmentDate ON ZEP.tbZEPAssessment (AssessDate);

-- Services rendered in a visit's assessment, in list order.
CREATE TABLE ZEP.tbZEPAssessmentService (
    IdNum VARCHAR(20) NOT NULL REFERENCES ZEP.tbZEPAssessment (IdNum) ON DELETE CASCADE,
    ServiceCode VARCHAR(10) NOT NULL REFERENCES ZEP.tbZEPServiceCategory (Code),
    SeqNo INTEGER NOT NULL,
    PRIMARY KEY (IdNum, ServiceCode)
);

CREATE INDEX ixZEPAssessmentServiceCode ON ZEP.tbZEPAssessmentService (ServiceCode);

-- Activities done in a visit's documentation, in list order.
CREATE TABLE ZEP.tbZEPAssessmentActivity (
    IdNum VARCHAR(20) NOT NULL REFERENCES ZEP.tbZEPAssessment (IdNum) ON DELETE CASCADE,
    ActivityCode VARCHAR(10) NOT NULL REFERENCES ZEP.tbZEPActivity (Code),
    SeqNo INTEGER NOT NULL,
    PRIMARY KEY (IdNum, ActivityCode)
);

CREATE INDEX ixZEPAssessmentActivityCode ON ZEP.tbZEPAssessmentActivity (ActivityCode);

-- One row per saved referral report: what was saved, by whom, when.
CREATE TABLE ZEP.tbZEPTransaction (
    Id {ID},
    HospNum VARCHAR(20) NOT NULL,
    IdNum VARCHAR(20) NOT NULL,
    ZEPNum VARCHAR(20) NOT NULL DEFAULT '',
    Code VARCHAR(10) NOT NULL DEFAULT '',
    IntakeDate DATE,
    ExpiryDate DATE,
    Category VARCHAR(100) NOT NULL DEFAULT '',
    ZEPW VARCHAR(20) NOT NULL DEFAULT '',
    UserID VARCHAR(20) NOT NULL DEFAULT '',
    Remarks TEXT,
    TransDate TIMESTAMP NOT NULL
);

CREATE INDEX ixZEPTransactionHospNum ON ZEP.tbZEPTransaction (HospNum, TransDate);
CREATE INDEX ixZEPTransactionDate ON ZEP.tbZEPTransaction (TransDate);

-- Changes of a visit's patient class, P (pay) or S (service).
CREATE TABLE ZEP.tbZEPPatClassHistory (
    Id {ID},
    IdNum VARCHAR(20) NOT NULL,
    PatientClass CHAR(1) NOT NULL CHECK (PatientClass IN ('P', 'S')),
    TransDate TIMESTAMP NOT NULL,
    UserID VARCHAR(20) NOT NULL DEFAULT ''
);

CREATE INDEX ixZEPPatClassHistoryIdNum ON ZEP.tbZEPPatClassHistory (IdNum, TransDate);

-- Class-history entries that were deleted, with the reason.
CREATE TABLE ZEP.tbZEPPatClassHistoryDeletion (
    Id {ID},
    HistoryID BIGINT NOT NULL,
    IdNum VARCHAR(20) NOT NULL,
    PatientClass CHAR(1) NOT NULL,
    TransDate TIMESTAMP NOT NULL,
    ChangedBy VARCHAR(20) NOT NULL DEFAULT '',
    Reason VARCHAR(255) NOT NULL CHECK (LENGTH(TRIM(Reason)) >= 6),
    DeletedBy VARCHAR(20) NOT NULL DEFAULT '',
    DeletedAt TIMESTAMP NOT NULL
);

CREATE INDEX ixZEPPatClassDeletionIdNum ON ZEP.tbZEPPatClassHistoryDeletion (IdNum);

-- Changes and removals of patients' case numbers (NewZEPNum NULL when removed).
CREATE TABLE ZEP.tbZEPCaseNumberChange (
    Id {ID},
    HospNum VARCHAR(20) NOT NULL,
    OldZEPNum VARCHAR(20),
    NewZEPNum VARCHAR(20),
    ChangedBy VARCHAR(20) NOT NULL DEFAULT '',
    ChangedAt TIMESTAMP NOT NULL
);

CREATE INDEX ixZEPCaseNumberChangeHospNum ON ZEP.tbZEPCaseNumberChange (HospNum);

-- Discharge notices for admitted patients and their clearance by the department. At most
-- one notice per admission is in force (not revoked); a clearance has a date and a user.
CREATE TABLE ZEP.tbZEPDischargeNotice (
    Id {ID},
    IdNum VARCHAR(20) NOT NULL,
    HospNum VARCHAR(20) NOT NULL,
    NoticeDate TIMESTAMP NOT NULL,
    OrderedDate TIMESTAMP,
    DischargeNurse VARCHAR(120) NOT NULL DEFAULT '',
    Remarks VARCHAR(255) NOT NULL DEFAULT '',
    ClearDate TIMESTAMP,
    ClearedBy VARCHAR(20),
    ClearRemarks VARCHAR(255),
    RevokedAt TIMESTAMP,
    RevokedBy VARCHAR(20),
    RevokeRemarks VARCHAR(255),
    CHECK ((ClearDate IS NULL AND ClearedBy IS NULL)
           OR (ClearDate IS NOT NULL AND ClearedBy IS NOT NULL)),
    CHECK ((RevokedAt IS NULL AND RevokedBy IS NULL)
           OR (RevokedAt IS NOT NULL AND RevokedBy IS NOT NULL))
);

CREATE UNIQUE INDEX ixZEPDischargeNoticeInForce ON ZEP.tbZEPDischargeNotice (IdNum)
    WHERE RevokedAt IS NULL;
CREATE INDEX ixZEPDischargeNoticeDate ON ZEP.tbZEPDischargeNotice (NoticeDate);
