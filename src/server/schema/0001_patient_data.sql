-- PATIENT_DATA: the hospital's patient master, its visits and the hospital's identity.
-- The ZEP department keeps its case number and classification on the master record.

-- The hospital's identity: exactly one row.
CREATE TABLE PATIENT_DATA.tbHospitalInfo (
    HospitalID SMALLINT NOT NULL DEFAULT 1 PRIMARY KEY CHECK (HospitalID = 1),
    Company VARCHAR(120) NOT NULL,
    ShortName VARCHAR(30) NOT NULL DEFAULT '',
    Address1 VARCHAR(200) NOT NULL DEFAULT '',
    Address2 VARCHAR(200) NOT NULL DEFAULT '',
    Title VARCHAR(120) NOT NULL DEFAULT '',
    TinNo VARCHAR(30) NOT NULL DEFAULT '',
    MTSServerName VARCHAR(60) NOT NULL DEFAULT ''
);

-- The patient master file: one row per hospital number. Names are kept in upper case so
-- that a last-name prefix search is a range on ixMasterName.
CREATE TABLE PATIENT_DATA.tbMaster (
    HospNum VARCHAR(20) NOT NULL PRIMARY KEY CHECK (HospNum <> ''),
    LastName VARCHAR(60) NOT NULL CHECK (LastName = UPPER(LastName)),
    FirstName VARCHAR(60) NOT NULL DEFAULT '' CHECK (FirstName = UPPER(FirstName)),
    MiddleName VARCHAR(60) NOT NULL DEFAULT '' CHECK (MiddleName = UPPER(MiddleName)),
    Sex CHAR(1) CHECK (Sex IN ('M', 'F')),
    BirthDate DATE,
    BirthPlace VARCHAR(100),
    CivilStatus CHAR(1) CHECK (CivilStatus IN ('1', '2', '3', '4', '5')),
    Religion VARCHAR(60),
    Occupation VARCHAR(100),
    HouseStreet VARCHAR(200),
    Barangay VARCHAR(100),
    Town VARCHAR(100),
    Province VARCHAR(100),
    ZipCode VARCHAR(10),
    TelNumber VARCHAR(40),
    PatientStatus VARCHAR(60),
    Employer VARCHAR(120),
    EmployerAddress VARCHAR(200),
    SSSGSIS VARCHAR(40),
    ZEPNum VARCHAR(20),
    ZEPClassification VARCHAR(10),
    ZEPDiscountValidity DATE,
    ZEPDiscountExpiry DATE
);

CREATE INDEX ixMasterName ON PATIENT_DATA.tbMaster (LastName, FirstName, MiddleName);

-- A case number belongs to one hospital number.
CREATE UNIQUE INDEX ixMasterZEPNum ON PATIENT_DATA.tbMaster (ZEPNum) WHERE ZEPNum <> '';

CREATE TABLE PATIENT_DATA.tbRoom (
    RoomID VARCHAR(10) NOT NULL PRIMARY KEY CHECK (RoomID <> ''),
    Station VARCHAR(30) NOT NULL DEFAULT '',
    RateClass CHAR(1) NOT NULL DEFAULT 'B' CHECK (RateClass IN ('A', 'B', 'C', 'D', 'E')),
    RoomRate NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (RoomRate >= 0 AND RoomRate = ROUND(RoomRate, 2)),
    Status CHAR(1) NOT NULL DEFAULT 'A' CHECK (Status IN ('A', 'I'))
);

CREATE TABLE PATIENT_DATA.tbDoctor (
    DoctorID VARCHAR(10) NOT NULL PRIMARY KEY CHECK (DoctorID <> ''),
    LastName VARCHAR(60) NOT NULL,
    FirstName VARCHAR(60) NOT NULL DEFAULT '',
    MiddleName VARCHAR(60) NOT NULL DEFAULT '',
    Specialty VARCHAR(60) NOT NULL DEFAULT '',
    Status CHAR(1) NOT NULL DEFAULT 'A' CHECK (Status IN ('A', 'I'))
);

-- Out-patient visits. Their numbers end in "B".
CREATE TABLE PATIENT_DATA.tbOutPatient (
    IdNum VARCHAR(20) NOT NULL PRIMARY KEY
        CHECK (LENGTH(IdNum) > 1 AND SUBSTR(IdNum, LENGTH(IdNum), 1) = 'B'),
    HospNum VARCHAR(20) NOT NULL REFERENCES PATIENT_DATA.tbMaster (HospNum),
    AdmDate TIMESTAMP NOT NULL,
    DcrDate TIMESTAMP,
    PatientType CHAR(1) NOT NULL DEFAULT 'P' CHECK (PatientType IN ('P', 'S')),
    DoctorID VARCHAR(10) REFERENCES PATIENT_DATA.tbDoctor (DoctorID),
    Complaint VARCHAR(255),
    Remarks VARCHAR(255),
    CHECK (DcrDate IS NULL OR DcrDate >= AdmDate)
);

CREATE INDEX ixOutPatientHospNum ON PATIENT_DATA.tbOutPatient (HospNum, AdmDate);
CREATE INDEX ixOutPatientAdmDate ON PATIENT_DATA.tbOutPatient (AdmDate);

-- In-patient admissions. Admission numbers are all digits.
CREATE TABLE PATIENT_DATA.tbPatient2 (
    IdNum VARCHAR(20) NOT NULL PRIMARY KEY
        CHECK (IdNum <> '' AND LTRIM(IdNum, '0123456789') = ''),
    HospNum VARCHAR(20) NOT NULL REFERENCES PATIENT_DATA.tbMaster (HospNum),
    AdmDate TIMESTAMP NOT NULL,
    DcrDate TIMESTAMP,
    RoomID VARCHAR(10) REFERENCES PATIENT_DATA.tbRoom (RoomID),
    PatientClass CHAR(1) NOT NULL DEFAULT 'P' CHECK (PatientClass IN ('P', 'S')),
    DoctorID VARCHAR(10) REFERENCES PATIENT_DATA.tbDoctor (DoctorID),
    ReferringDoctor VARCHAR(120),
    NewAdmission SMALLINT NOT NULL DEFAULT 1 CHECK (NewAdmission IN (0, 1)),
    OPDIdNum VARCHAR(20) REFERENCES PATIENT_DATA.tbOutPatient (IdNum),
    ChiefComplaint TEXT,
    AdmittingDiagnosis TEXT,
    AdmittingImpression TEXT,
    Procedures TEXT,
    Remarks TEXT,
    Disposition VARCHAR(20),
    CHECK (DcrDate IS NULL OR DcrDate >= AdmDate)
);

CREATE INDEX ixPatient2HospNum ON PATIENT_DATA.tbPatient2 (HospNum, AdmDate);
CREATE INDEX ixPatient2AdmDate ON PATIENT_DATA.tbPatient2 (AdmDate);
CREATE INDEX ixPatient2DcrDate ON PATIENT_DATA.tbPatient2 (DcrDate);

-- Emergency-room visits. Their numbers end in "E".
CREATE TABLE PATIENT_DATA.tbERMaster (
    IdNum VARCHAR(20) NOT NULL PRIMARY KEY
        CHECK (LENGTH(IdNum) > 1 AND SUBSTR(IdNum, LENGTH(IdNum), 1) = 'E'),
    HospNum VARCHAR(20) NOT NULL REFERENCES PATIENT_DATA.tbMaster (HospNum),
    AdmDate TIMESTAMP NOT NULL,
    DcrDate TIMESTAMP,
    PatientClassification CHAR(1) NOT NULL DEFAULT 'P'
        CHECK (PatientClassification IN ('P', 'S')),
    DoctorID VARCHAR(10) REFERENCES PATIENT_DATA.tbDoctor (DoctorID),
    Complaint VARCHAR(255),
    Disposition VARCHAR(20),
    Remarks VARCHAR(255),
    CHECK (DcrDate IS NULL OR DcrDate >= AdmDate)
);

CREATE INDEX ixERMasterHospNum ON PATIENT_DATA.tbERMaster (HospNum, AdmDate);
CREATE INDEX ixERMasterAdmDate ON PATIENT_DATA.tbERMaster (AdmDate);
CREATE INDEX ixERMasterDcrDate ON PATIENT_DATA.tbERMaster (DcrDate);
