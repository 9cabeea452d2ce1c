-- Saved referral reports for the synthetic hospital, so that `zep-bench --arr` opens full
-- reports: a small service and activity catalogue, one worker, and for every case holder's
-- admission a report with three services and two activities. Portable SQL; on SQLite run it
-- with the five database files attached under their names (see docs/performance.md).
INSERT INTO ZEP.tbZEPServiceCategory (Code, Description, ParentCode) VALUES
    ('1', 'Direct Services', NULL), ('1.1', 'Intake and Assessment', '1'),
    ('1.2', 'Financial Assistance', '1'), ('1.3', 'Counselling', '1');
INSERT INTO ZEP.tbZEPActivity (Code, Description, ParentCode) VALUES
    ('1', 'Casework', NULL), ('1.1', 'Interview', '1'), ('1.2', 'Documentation', '1');
INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName) VALUES ('B100', 'BENCH', 'WORKER');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, Remarks, ZEPW, UserID,
    IsPCSO, IsCDF, NC, Active, CaseStatus, DocIntakeSheet, DocServiceCard, AssessDate)
    SELECT v.IdNum, v.HospNum, m.ZEPNum, COALESCE(m.ZEPClassification, ''), 'Medical',
           'Synthetic report', 'B100', 'B100', 0, 1, 250, 'Y', '', 1, 1, v.AdmDate
    FROM PATIENT_DATA.tbPatient2 v JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum
    WHERE m.ZEPNum <> '';
INSERT INTO ZEP.tbZEPAssessmentService (IdNum, ServiceCode, SeqNo)
    SELECT IdNum, '1.1', 1 FROM ZEP.tbZEPAssessment UNION ALL
    SELECT IdNum, '1.2', 2 FROM ZEP.tbZEPAssessment UNION ALL
    SELECT IdNum, '1.3', 3 FROM ZEP.tbZEPAssessment;
INSERT INTO ZEP.tbZEPAssessmentActivity (IdNum, ActivityCode, SeqNo)
    SELECT IdNum, '1.1', 1 FROM ZEP.tbZEPAssessment UNION ALL
    SELECT IdNum, '1.2', 2 FROM ZEP.tbZEPAssessment;
