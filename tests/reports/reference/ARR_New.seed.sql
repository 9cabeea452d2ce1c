-- One saved referral report of an admission with its services, activities and documents,
-- and a second visit of the same patient whose report must not show on it.
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification) VALUES ('A2', 'C2', 'Charity - Partial 50%');
INSERT INTO ZEP.tbZEPParentCategory (ParentCategoryID, ParentCategory, Status) VALUES ('01', 'Adult', 'A');
INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category, Status) VALUES ('02', 'Hemodialysis', 'A');
INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES ('2', 'Attending Physician');
INSERT INTO ZEP.tbZEPActive (Code, CaseStatus) VALUES ('O', 'Old');
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('1', 'Direct Services', NULL);
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('1.2', 'Financial Assistance', '1');
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('1.10', 'Follow-up', '1');
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('1', 'Casework', NULL);
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('1.1', 'Interview', '1');
INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, LicenseNumber) VALUES ('E100', 'Santos', 'Maria', 'SW-0042');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, ZEPNum, ZEPClassification,
  ZEPDiscountValidity, ZEPDiscountExpiry)
VALUES ('00200417', 'DELA CRUZ', 'ROSARIO', 'MANALO', 'ZEP-02117', 'C2', '2026-03-02', '2027-03-01');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES ('613402', '00200417', '2026-02-27 14:20:00');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES ('613999', '00200417', '2026-06-01 08:00:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, CaseCategoryID,
  ParentCategoryID, ReferringPartyID, Remarks, IntakeDate, ExpiryDate, ZEPW, UserID, IsPCSO, IsCDF,
  IsSpecial, NC, PCSOType, Active, CaseStatus, DocIntakeSheet, DocServiceCard, DocOthers, AssessDate)
VALUES ('613402', '00200417', 'ZEP-02117', 'C2', 'Hemodialysis', '02', '01', '2',
  'Sponsor to cover the dialysis sessions', '2026-03-02', '2027-03-01', 'E100', 'E100', 1, 1, 0,
  1500.5, 'G', 'Y', 'O', 1, 1, 1, '2026-03-02 10:15:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, Remarks, ZEPW, UserID,
  Active, CaseStatus, AssessDate)
VALUES ('613999', '00200417', 'ZEP-02117', 'C2', 'Other visit', 'NOT ON THIS REPORT', 'E100', 'E100',
  'N', 'O', '2026-06-01 09:00:00');
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('613402', '1.10', 1);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('613402', '1.2', 2);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('613999', '1', 1);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('613402', '1.1', 1);
