-- The department's March 2026 around the hospital day of Visits.sql and the assessments of
-- Department.sql, printed for worker E100 (SANTOS, MARIA) over 03/01/2026 to 03/31/2026.
-- Added here: referring parties, out-patient visits on both edges of the month, one more ER
-- assessment, the services catalogue with two-digit parts, activities 1.10 and 10, and the
-- documentation flags.
-- include: Visits.sql
-- include: Department.sql
INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES ('01', 'Walk-in (self)');
INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES ('02', 'Doctor or ward');
INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES ('03', 'Government agency');
INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES ('04', 'Non-government organization');
-- Out-patient visits: inside the month (03/10, and its last second 03/31 23:59:59), the
-- last second before it (02/28), and the next month's first midnight (04/01).
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('800301B', 'H005', '2026-03-10 08:00:00', 'S');
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('800302B', 'H012', '2026-02-28 22:00:00', 'P');
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('800303B', 'H013', '2026-03-31 23:00:00', 'S');
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('800304B', 'H004', '2026-04-01 00:00:00', 'S');
-- 800301B: category by its name only (no id); 800303B: a class the scheme does not hold, a
-- category the catalogue does not hold, no referring party.
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, Category, CaseCategoryID, ReferringPartyID, ZEPW, UserID, AssessDate)
VALUES ('800301B', 'H005', 'A', 'Medical', '', '03', 'E100', 'E100', '2026-03-10 09:00:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, Category, CaseCategoryID, ReferringPartyID, ZEPW, UserID, AssessDate)
VALUES ('800302B', 'H012', 'C1', 'Surgical', '02', '01', 'E100', 'E100', '2026-02-28 23:59:59');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, Category, CaseCategoryID, ReferringPartyID, ZEPW, UserID, AssessDate)
VALUES ('800303B', 'H013', 'X9', 'Pediatric', '', '', 'E100', 'E100', '2026-03-31 23:59:59');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, Category, CaseCategoryID, ReferringPartyID, ZEPW, UserID, AssessDate)
VALUES ('800304B', 'H004', 'D', 'Medical', '01', '02', 'E100', 'E100', '2026-04-01 00:00:00');
-- H012 again, at the ER: an old case, its out-patient visit was assessed on 02/28.
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, Category, CaseCategoryID, ReferringPartyID, ZEPW, UserID, AssessDate)
VALUES ('900205E', 'H012', 'D', 'Geriatric', '04', '02', 'E100', 'E100', '2026-03-04 23:55:00');
UPDATE ZEP.tbZEPAssessment SET ReferringPartyID = '02' WHERE IdNum IN ('700101', '700108', '700090', '900202E');
UPDATE ZEP.tbZEPAssessment SET ReferringPartyID = '01' WHERE IdNum IN ('700103', '900203E');
UPDATE ZEP.tbZEPAssessment SET ReferringPartyID = '03' WHERE IdNum = '900204E';
-- E100's visits of March (last saves from 03/01 00:00 up to 04/01 00:00), six of the nine the
-- department assessed (E200 has 700103 and 900202E; 900204E has no worker):
--   700101 IN  03/04 00:00     C1 Medical(01)     Doctor        old (700090 of 11/2025)
--   900205E ER 03/04 23:55     D  Geriatric(04)   Doctor        old (800302B of 02/28)
--   900203E ER 03/04 23:59:59  D  Medical(01)     Walk-in       new
--   700108 IN  03/05 00:00     C1 Orthopedic(03)  Doctor        new
--   800301B OUT 03/10 09:00    A  Medical (name)  Government    new
--   800303B OUT 03/31 23:59:59 X9 Pediatric       not recorded  new
-- Outside: 700090 (11/2025), 800302B (02/28 23:59:59), 800304B (04/01 00:00).
-- I.   Walk-in 0/0/1=1; Doctor 2/0/1=3; Government 0/1/0=1; NGO 0; Not recorded 0/1/0=1;
--      total in 2, out 2, ER 2 = 6.
-- II.  A 0/1/0=1; C1 2/0/0=2; D 0/0/2=2; not in the scheme 0/1/0=1;
--      new 1/2/1=4 (700108; 800301B, 800303B; 900203E); old 1/0/1=2 (700101; 900205E).
-- III. Medical 1/1/1=3 (700101, 800301B by name, 900203E); Surgical 0; Orthopedic 1/0/0=1;
--      Geriatric 0/0/1=1; not recorded or not in the catalogue 0/1/0=1.
-- The services catalogue: numeric order 1, 1.1, 1.2, 1.10, 2, 2.1, 10 (as text 1.10 would
-- come before 1.2 and 10 before 2).
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('1', 'Financial assistance', NULL);
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('1.1', 'Discount on the hospital bill', '1');
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('1.2', 'Referral to a sponsor', '1');
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('1.10', 'Medicine assistance', '1');
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('2', 'Counselling', NULL);
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('2.1', 'Individual counselling', '2');
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES ('10', 'Discharge planning', NULL);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('700101', '1.1', 1);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('700101', '1.10', 2);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('900203E', '1.2', 1);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('900203E', '2.1', 2);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('700108', '10', 1);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('800301B', '1.1', 1);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('900205E', '1.1', 1);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('900205E', '10', 2);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('700103', '1.1', 1);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('700103', '2', 2);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('900202E', '1.10', 1);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('700090', '1.1', 1);
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo) VALUES ('800304B', '1.2', 1);
-- IV. (E100) 1: 0; 1.1: 1/1/1=3 (700101, 800301B, 900205E); 1.2: 0/0/1=1; 1.10: 1/0/0=1;
--     2: 0; 2.1: 0/0/1=1; 10: 1/0/1=2 (700108, 900205E); 5 visits with services, 8 services.
-- Activities with two-digit parts, and those of the visits above that Department.sql has
-- not given (it gives 700101 1.1 and 3, 900203E 1.2 and 3, 700108 3; 700103, 900202E and
-- 900204E are not E100's).
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('1.10', 'Collateral interview', '1');
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('10', 'Case conference', NULL);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('800301B', '1.10', 1);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('900205E', '10', 1);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('900205E', '1.1', 2);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('800304B', '1.10', 1);
-- Activities (E100), in the order 1, 1.1, 1.2, 1.10, 2, 3, 10: 1: 0; 1.1: 1/0/1=2 (700101,
-- 900205E); 1.2: 0/0/1=1; 1.10: 0/1/0=1; 2: 0; 3: 2/0/1=3 (700101, 700108, 900203E); 10: 0/0/1=1.
UPDATE ZEP.tbZEPAssessment SET DocIntakeSheet = 1, DocSocialCaseStudy = 1, DocProgressNote = 1 WHERE IdNum = '700101';
UPDATE ZEP.tbZEPAssessment SET DocIntakeSheet = 1, DocHomeVisit = 1 WHERE IdNum = '900203E';
UPDATE ZEP.tbZEPAssessment SET DocIntakeSheet = 1, DocClosingSummary = 1, DocOthers = 1 WHERE IdNum = '700108';
UPDATE ZEP.tbZEPAssessment SET DocIntakeSheet = 1, DocServiceCard = 1 WHERE IdNum = '800301B';
UPDATE ZEP.tbZEPAssessment SET DocProgressNote = 1 WHERE IdNum = '800303B';
UPDATE ZEP.tbZEPAssessment SET DocIntakeSheet = 1, DocProgressNote = 1 WHERE IdNum = '900205E';
UPDATE ZEP.tbZEPAssessment SET DocIntakeSheet = 1, DocEligibilityStudy = 1 WHERE IdNum = '700103';
UPDATE ZEP.tbZEPAssessment SET DocIntakeSheet = 1 WHERE IdNum = '800304B';
-- V. (E100) Intake Sheet 2/1/2=5; Service Card 0/1/0=1; Closing Summary 1/0/0=1; Social Case
--    Study 1/0/0=1; Home Visit 0/0/1=1; Progress Note 1/1/1=3; Others 1/0/0=1; Eligibility
--    Study 0 (700103 is E200's); every other record 0.
