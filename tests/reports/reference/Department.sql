-- The department's own records around the hospital day of Visits.sql (03/04/2026), which
-- must be run first: a second worker, sponsors' grants with the charges paid from them,
-- assessments by both workers in several classes and categories, classifications expiring
-- on both sides of the next thirty days, and discharge notices cleared, pending and revoked.
INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, LicenseNumber)
VALUES ('E200', 'REYES', 'CARMEN', 'SW-0456');
INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES ('01', 'Medical');
INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES ('02', 'Surgical');
INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES ('03', 'Orthopedic');
INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES ('04', 'Geriatric');
-- Sponsors: the third has an expired grant only and is not printed.
INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('C01', 'PHILIPPINE CHARITY SWEEPSTAKES OFFICE');
INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('C02', 'OFFICE OF THE MAYOR');
INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('C03', 'CONGRESSIONAL DISTRICT FUND');
-- Grants: valid to the end of the month; valid through 03/04 (its last day); without an end;
-- expired 03/03; not used at all; expired, of the third sponsor.
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate, Validity)
VALUES ('G001', 'PCSO-26-101', 'H001', '700101', 'C01', 10000.00, '2026-03-01 09:00:00', '2026-03-31');
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate, Validity)
VALUES ('G002', 'PCSO-26-102', 'H003', '700103', 'C01', 5000.00, '2026-03-03 11:00:00', '2026-03-04');
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate, Validity)
VALUES ('G003', 'MAYOR-0311', 'H009', '900202E', 'C02', 1500.00, '2026-03-04 01:00:00', NULL);
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate, Validity)
VALUES ('G004', 'MAYOR-0290', 'H010', '900203E', 'C02', 2000.00, '2026-02-20 10:00:00', '2026-03-03');
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate, Validity)
VALUES ('G005', 'MAYOR-0315', 'H008', '700108', 'C02', 2500.00, '2026-03-04 09:30:00', '2026-04-15');
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate, Validity)
VALUES ('G006', 'CDF-0007', 'H004', '700104', 'C03', 3000.00, '2026-01-05 10:00:00', '2026-02-28');
-- Charges paid from the grants (a credit gives back part of one), and one line not paid
-- from any grant.
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum)
VALUES ('700101', 'LAB', 'Troponin I', 2500.00, '2026-03-04 02:00:00', 'G001');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum)
VALUES ('700101', 'PH', 'Clopidogrel 75 mg', 1200.50, '2026-03-04 06:00:00', 'G001');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum)
VALUES ('700101', 'PH', 'Returned medicines', -200.00, '2026-03-04 12:00:00', 'G001');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum)
VALUES ('700101', 'RM', 'Room and board', 850.00, '2026-03-04 23:00:00', NULL);
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum)
VALUES ('700103', 'OR', 'Appendectomy', 5000.00, '2026-03-03 16:00:00', 'G002');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum)
VALUES ('900202E', 'ER', 'Suturing', 750.25, '2026-03-04 01:30:00', 'G003');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum)
VALUES ('900203E', 'ER', 'Ultrasound', 300.00, '2026-03-04 14:00:00', 'G004');
-- Assessments as last saved: the period's first midnight and last second, the next
-- midnight, the day before, an older one, and one with no worker recorded.
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, CaseCategoryID, ZEPW, UserID, AssessDate)
VALUES ('700101', 'H001', 'ZEP-001', 'C1', 'Medical', '01', 'E100', 'E100', '2026-03-04 00:00:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, CaseCategoryID, ZEPW, UserID, AssessDate)
VALUES ('700103', 'H003', '', 'D', 'Surgical', '02', 'E200', 'E200', '2026-03-03 15:20:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, CaseCategoryID, ZEPW, UserID, AssessDate)
VALUES ('900202E', 'H009', '', 'C1', 'Medical', '01', 'E200', 'E200', '2026-03-04 10:05:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, CaseCategoryID, ZEPW, UserID, AssessDate)
VALUES ('900203E', 'H010', '', 'D', 'Medical', '01', 'E100', 'E100', '2026-03-04 23:59:59');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, CaseCategoryID, ZEPW, UserID, AssessDate)
VALUES ('900204E', 'H011', '', 'D', 'Geriatric', '04', '', 'E100', '2026-03-04 21:30:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, CaseCategoryID, ZEPW, UserID, AssessDate)
VALUES ('700108', 'H008', '', 'C1', 'Orthopedic', '03', 'E100', 'E100', '2026-03-05 00:00:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, CaseCategoryID, ZEPW, UserID, AssessDate)
VALUES ('700090', 'H001', 'ZEP-001', 'C1', 'Medical', '01', 'E100', 'E100', '2025-11-10 11:00:00');
-- Expiries around 03/04/2026: today, within the month, the thirtieth day (all listed with
-- the default thirty days); the thirty-first day, yesterday, and one without a class (not
-- listed). H001 expires in July.
UPDATE PATIENT_DATA.tbMaster SET ZEPDiscountValidity = '2025-09-04', ZEPDiscountExpiry = '2026-03-04' WHERE HospNum = 'H002';
UPDATE PATIENT_DATA.tbMaster SET ZEPNum = 'ZEP-010', ZEPDiscountValidity = '2025-09-20', ZEPDiscountExpiry = '2026-03-20' WHERE HospNum = 'H010';
UPDATE PATIENT_DATA.tbMaster SET ZEPDiscountValidity = '2025-09-25', ZEPDiscountExpiry = '2026-03-25' WHERE HospNum = 'H006';
UPDATE PATIENT_DATA.tbMaster SET ZEPDiscountValidity = '2025-10-03', ZEPDiscountExpiry = '2026-04-03' WHERE HospNum = 'H003';
UPDATE PATIENT_DATA.tbMaster SET ZEPDiscountValidity = '2025-10-04', ZEPDiscountExpiry = '2026-04-04' WHERE HospNum = 'H008';
UPDATE PATIENT_DATA.tbMaster SET ZEPDiscountValidity = '2025-09-03', ZEPDiscountExpiry = '2026-03-03' WHERE HospNum = 'H011';
UPDATE PATIENT_DATA.tbMaster SET ZEPDiscountValidity = '2025-09-10', ZEPDiscountExpiry = '2026-03-10' WHERE HospNum = 'H004';
-- Discharge notices of 03/04: cleared; pending; revoked, then given again and cleared;
-- pending at the day's end and revoked at the next midnight. Around them: one of the next
-- midnight, one of the day before, and one revoked on 03/03.
INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, OrderedDate, DischargeNurse, ClearDate, ClearedBy, ClearRemarks)
VALUES ('700101', 'H001', '2026-03-04 08:30:00', '2026-03-04 08:00:00', 'N. PASCUAL', '2026-03-04 10:15:00', 'E100', 'Sponsor grant applied');
INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, OrderedDate, DischargeNurse)
VALUES ('700103', 'H003', '2026-03-04 09:00:00', '2026-03-04 08:45:00', 'L. CRUZ');
INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, DischargeNurse, RevokedAt, RevokedBy, RevokeRemarks)
VALUES ('700104', 'H004', '2026-03-04 07:00:00', 'N. PASCUAL', '2026-03-04 11:00:00', 'E200', 'Doctor deferred the discharge');
INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, DischargeNurse, ClearDate, ClearedBy)
VALUES ('700104', 'H004', '2026-03-04 13:00:00', 'N. PASCUAL', '2026-03-04 15:30:00', 'E200');
INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, DischargeNurse, RevokedAt, RevokedBy, RevokeRemarks)
VALUES ('700108', 'H008', '2026-03-04 16:00:00', 'L. CRUZ', '2026-03-05 00:00:00', 'E100', 'Entered for the wrong patient');
INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, DischargeNurse)
VALUES ('700102', 'H002', '2026-03-05 00:00:00', 'L. CRUZ');
INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, DischargeNurse, ClearDate, ClearedBy)
VALUES ('700107', 'H007', '2026-03-03 16:00:00', 'N. PASCUAL', '2026-03-04 00:00:00', 'E100');
INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, DischargeNurse, RevokedAt, RevokedBy, RevokeRemarks)
VALUES ('700106', 'H006', '2026-03-02 10:00:00', 'L. CRUZ', '2026-03-03 09:00:00', 'E100', 'Patient for further work-up');
-- The activities catalogue and the activities of the assessments above.
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('1', 'Interview', NULL);
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('1.1', 'Intake interview', '1');
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('1.2', 'Follow-up interview', '1');
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('2', 'Home visit', NULL);
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('3', 'Referral to a sponsor', NULL);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('700101', '1.1', 1);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('700101', '3', 2);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('700103', '1.1', 1);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('700103', '2', 2);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('900202E', '1.1', 1);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('900203E', '1.2', 1);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('900203E', '3', 2);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('900204E', '1.1', 1);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('700108', '3', 1);
