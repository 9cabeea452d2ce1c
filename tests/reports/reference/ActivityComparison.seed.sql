-- include: Visits.sql
-- include: Department.sql
-- Codes with a two-digit part: numbered order 1, 1.1, 1.2, 1.10, 2, 3, 10, where the order
-- of the texts would put 1.10 before 1.2 and 10 before 2.
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('1.10', 'Collateral interview', '1');
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES ('10', 'Case conference', NULL);
-- 1.10: E100's 700101 (1 of 1); 10: E200's 700103 and E100's 900203E (1 of 2, 50%).
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('700101', '1.10', 3);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('700103', '10', 3);
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo) VALUES ('900203E', '10', 3);
