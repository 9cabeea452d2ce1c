-- BUILD_FILE: the hospital's build file: revenue centres (departments), their chargeable
-- items with rates A to E and the department's QFS discount properties, and zip codes.

CREATE TABLE BUILD_FILE.tbCoRevenueCode (
    RevenueID VARCHAR(10) NOT NULL PRIMARY KEY CHECK (RevenueID <> ''),
    ItemName VARCHAR(100) NOT NULL,
    Rwith CHAR(1) NOT NULL DEFAULT 'Y' CHECK (Rwith IN ('Y', 'N')),
    RecordStatus CHAR(1) NOT NULL DEFAULT 'A' CHECK (RecordStatus IN ('A', 'I'))
);

CREATE INDEX ixRevenueCodeName ON BUILD_FILE.tbCoRevenueCode (ItemName);

-- Every chargeable item (exam, procedure, other revenue) of every revenue centre. The
-- per-department item tables that screens name are views over this one table.
-- QFSType: 0 no discount, 1 use the patient's classification, 2 fixed 20%, 3 QFSRate.
CREATE TABLE BUILD_FILE.tbCoRevenueItem (
    RevenueID VARCHAR(10) NOT NULL REFERENCES BUILD_FILE.tbCoRevenueCode (RevenueID),
    ItemID VARCHAR(20) NOT NULL CHECK (ItemID <> ''),
    ItemName VARCHAR(200) NOT NULL,
    SectionID VARCHAR(10) NOT NULL DEFAULT '',
    RateA NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (RateA >= 0 AND RateA = ROUND(RateA, 2)),
    RateB NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (RateB >= 0 AND RateB = ROUND(RateB, 2)),
    RateC NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (RateC >= 0 AND RateC = ROUND(RateC, 2)),
    RateD NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (RateD >= 0 AND RateD = ROUND(RateD, 2)),
    RateE NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (RateE >= 0 AND RateE = ROUND(RateE, 2)),
    FixRate SMALLINT NOT NULL DEFAULT 0 CHECK (FixRate IN (0, 1)),
    QFSType SMALLINT NOT NULL DEFAULT 1 CHECK (QFSType IN (0, 1, 2, 3)),
    QFSRate NUMERIC(7,4) NOT NULL DEFAULT 0 CHECK (QFSRate >= 0 AND QFSRate <= 1),
    RecordStatus CHAR(1) NOT NULL DEFAULT 'A' CHECK (RecordStatus IN ('A', 'I')),
    PRIMARY KEY (RevenueID, ItemID)
);

CREATE INDEX ixRevenueItemName ON BUILD_FILE.tbCoRevenueItem (RevenueID, ItemName);

CREATE VIEW BUILD_FILE.tbCoLabExam AS
    SELECT ItemID AS LabExamID, ItemName AS LabExam, SectionID AS LabSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'LB';

CREATE VIEW BUILD_FILE.tbCoXrayExam AS
    SELECT ItemID AS XrayExamID, ItemName AS XrayExam, SectionID AS XraySectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'XR';

CREATE VIEW BUILD_FILE.tbCoUltraExam AS
    SELECT ItemID AS UltraExamID, ItemName AS UltraExam, SectionID AS UltraSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'US';

CREATE VIEW BUILD_FILE.tbCoCTExam AS
    SELECT ItemID AS CTExamID, ItemName AS CTExam, SectionID AS CTSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'CT';

CREATE VIEW BUILD_FILE.tbCoNucExam AS
    SELECT ItemID AS NucExamID, ItemName AS NucExam, SectionID AS NucSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'NU';

CREATE VIEW BUILD_FILE.tbCoPTExam AS
    SELECT ItemID AS PTExamID, ItemName AS PTExam, SectionID AS PTSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'PT';

CREATE VIEW BUILD_FILE.tbCoRTSExam AS
    SELECT ItemID AS RTSExamID, ItemName AS RTSExam, SectionID AS RTSSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'PA';

CREATE VIEW BUILD_FILE.tbCoHSExam AS
    SELECT ItemID AS HSExamID, ItemName AS HSExam, SectionID AS HSSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'HS';

-- Items of every other revenue centre; OtherSectionID is the revenue centre's code.
CREATE VIEW BUILD_FILE.tbCoOtherRevenue AS
    SELECT ItemID AS OtherRevenueID, ItemName AS OtherRevenue, RevenueID AS OtherSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem
    WHERE RevenueID NOT IN ('LB', 'XR', 'US', 'CT', 'NU', 'PT', 'PA', 'HS');

-- Zip codes for the address look-up: one town per code.
CREATE TABLE BUILD_FILE.tbCoZipCode (
    ZipCode VARCHAR(10) NOT NULL PRIMARY KEY CHECK (ZipCode <> ''),
    Town VARCHAR(100) NOT NULL,
    Province VARCHAR(100) NOT NULL DEFAULT ''
);

CREATE INDEX ixZipCodeTown ON BUILD_FILE.tbCoZipCode (Town, Province);
