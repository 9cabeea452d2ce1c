-- Each database file opens on its own. The embedded engine's views name the tables of their
-- own file without the database, as its triggers already do: a view that names its own
-- database (ZEP.tbZEPClassification) works only while the file is attached under that name,
-- and opened alone (by a backup or inspection tool) the whole file reads as a malformed
-- schema. The embedded engine looks a view's bare names up in the view's own file, attached
-- or not. The server's views are made again as they were, named with their schema.

DROP VIEW ZEP.tbZEPClassificationScheme;
{SQLITE} CREATE VIEW ZEP.tbZEPClassificationScheme AS
    SELECT Code, Classification FROM tbZEPClassification;
{POSTGRESQL} CREATE VIEW ZEP.tbZEPClassificationScheme AS
    SELECT Code, Classification FROM ZEP.tbZEPClassification;

DROP VIEW BUILD_FILE.tbCoLabExam;
{SQLITE} CREATE VIEW BUILD_FILE.tbCoLabExam AS
    SELECT ItemID AS LabExamID, ItemName AS LabExam, SectionID AS LabSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM tbCoRevenueItem WHERE RevenueID = 'LB';
{POSTGRESQL} CREATE VIEW BUILD_FILE.tbCoLabExam AS
    SELECT ItemID AS LabExamID, ItemName AS LabExam, SectionID AS LabSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'LB';

DROP VIEW BUILD_FILE.tbCoXrayExam;
{SQLITE} CREATE VIEW BUILD_FILE.tbCoXrayExam AS
    SELECT ItemID AS XrayExamID, ItemName AS XrayExam, SectionID AS XraySectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM tbCoRevenueItem WHERE RevenueID = 'XR';
{POSTGRESQL} CREATE VIEW BUILD_FILE.tbCoXrayExam AS
    SELECT ItemID AS XrayExamID, ItemName AS XrayExam, SectionID AS XraySectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'XR';

DROP VIEW BUILD_FILE.tbCoUltraExam;
{SQLITE} CREATE VIEW BUILD_FILE.tbCoUltraExam AS
    SELECT ItemID AS UltraExamID, ItemName AS UltraExam, SectionID AS UltraSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM tbCoRevenueItem WHERE RevenueID = 'US';
{POSTGRESQL} CREATE VIEW BUILD_FILE.tbCoUltraExam AS
    SELECT ItemID AS UltraExamID, ItemName AS UltraExam, SectionID AS UltraSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'US';

DROP VIEW BUILD_FILE.tbCoCTExam;
{SQLITE} CREATE VIEW BUILD_FILE.tbCoCTExam AS
    SELECT ItemID AS CTExamID, ItemName AS CTExam, SectionID AS CTSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM tbCoRevenueItem WHERE RevenueID = 'CT';
{POSTGRESQL} CREATE VIEW BUILD_FILE.tbCoCTExam AS
    SELECT ItemID AS CTExamID, ItemName AS CTExam, SectionID AS CTSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'CT';

DROP VIEW BUILD_FILE.tbCoNucExam;
{SQLITE} CREATE VIEW BUILD_FILE.tbCoNucExam AS
    SELECT ItemID AS NucExamID, ItemName AS NucExam, SectionID AS NucSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM tbCoRevenueItem WHERE RevenueID = 'NU';
{POSTGRESQL} CREATE VIEW BUILD_FILE.tbCoNucExam AS
    SELECT ItemID AS NucExamID, ItemName AS NucExam, SectionID AS NucSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'NU';

DROP VIEW BUILD_FILE.tbCoPTExam;
{SQLITE} CREATE VIEW BUILD_FILE.tbCoPTExam AS
    SELECT ItemID AS PTExamID, ItemName AS PTExam, SectionID AS PTSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM tbCoRevenueItem WHERE RevenueID = 'PT';
{POSTGRESQL} CREATE VIEW BUILD_FILE.tbCoPTExam AS
    SELECT ItemID AS PTExamID, ItemName AS PTExam, SectionID AS PTSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'PT';

DROP VIEW BUILD_FILE.tbCoRTSExam;
{SQLITE} CREATE VIEW BUILD_FILE.tbCoRTSExam AS
    SELECT ItemID AS RTSExamID, ItemName AS RTSExam, SectionID AS RTSSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM tbCoRevenueItem WHERE RevenueID = 'PA';
{POSTGRESQL} CREATE VIEW BUILD_FILE.tbCoRTSExam AS
    SELECT ItemID AS RTSExamID, ItemName AS RTSExam, SectionID AS RTSSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'PA';

DROP VIEW BUILD_FILE.tbCoHSExam;
{SQLITE} CREATE VIEW BUILD_FILE.tbCoHSExam AS
    SELECT ItemID AS HSExamID, ItemName AS HSExam, SectionID AS HSSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM tbCoRevenueItem WHERE RevenueID = 'HS';
{POSTGRESQL} CREATE VIEW BUILD_FILE.tbCoHSExam AS
    SELECT ItemID AS HSExamID, ItemName AS HSExam, SectionID AS HSSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'HS';

DROP VIEW BUILD_FILE.tbCoOtherRevenue;
{SQLITE} CREATE VIEW BUILD_FILE.tbCoOtherRevenue AS
    SELECT ItemID AS OtherRevenueID, ItemName AS OtherRevenue, RevenueID AS OtherSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM tbCoRevenueItem
    WHERE RevenueID NOT IN ('LB', 'XR', 'US', 'CT', 'NU', 'PT', 'PA', 'HS');
{POSTGRESQL} CREATE VIEW BUILD_FILE.tbCoOtherRevenue AS
    SELECT ItemID AS OtherRevenueID, ItemName AS OtherRevenue, RevenueID AS OtherSectionID,
           RateA, RateB, RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus
    FROM BUILD_FILE.tbCoRevenueItem
    WHERE RevenueID NOT IN ('LB', 'XR', 'US', 'CT', 'NU', 'PT', 'PA', 'HS');
