-- One patient's saves over two visits by two workers: the first visit saved twice (a second
-- worker took the case over), the second visit saved by that worker and saved again with no
-- worker recorded; and another patient's save that must not show.
INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1, Title)
VALUES ('ZEP REFERENCE HOSPITAL', '1 Reference Street, Quezon City', 'ZEP - SOCIAL SERVICE DEPARTMENT');
INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, LicenseNumber) VALUES ('E100', 'SANTOS', 'MARIA', 'SW-0042');
INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, LicenseNumber) VALUES ('E200', 'REYES', 'CARMEN', 'SW-0456');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, ZEPNum, ZEPClassification,
  ZEPDiscountValidity, ZEPDiscountExpiry)
VALUES ('00200417', 'DELA CRUZ', 'ROSARIO', 'MANALO', 'ZEP-02117', 'C1', '2026-06-02', '2027-06-01');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, ZEPNum, ZEPClassification)
VALUES ('00300001', 'ABAD', 'ROSA', 'ZEP-03001', 'D');
INSERT INTO ZEP.tbZEPTransaction (HospNum, IdNum, ZEPNum, Code, IntakeDate, ExpiryDate, Category, ZEPW, UserID, Remarks, TransDate)
VALUES ('00200417', '613402', 'ZEP-02117', 'C2', '2026-03-02', '2027-03-01', 'Hemodialysis', 'E100', 'E100', 'First assessment', '2026-03-02 10:15:00');
INSERT INTO ZEP.tbZEPTransaction (HospNum, IdNum, ZEPNum, Code, IntakeDate, ExpiryDate, Category, ZEPW, UserID, Remarks, TransDate)
VALUES ('00200417', '613402', 'ZEP-02117', 'C2', '2026-03-02', '2027-03-01', 'Hemodialysis', 'E200', 'E100', 'Case taken over', '2026-03-05 09:00:00');
INSERT INTO ZEP.tbZEPTransaction (HospNum, IdNum, ZEPNum, Code, IntakeDate, ExpiryDate, Category, ZEPW, UserID, Remarks, TransDate)
VALUES ('00200417', '613999B', 'ZEP-02117', 'C1', '2026-06-01', '2027-05-31', 'Post-Transplant', 'E200', 'E200', NULL, '2026-06-01 09:00:00');
INSERT INTO ZEP.tbZEPTransaction (HospNum, IdNum, ZEPNum, Code, IntakeDate, ExpiryDate, Category, ZEPW, UserID, Remarks, TransDate)
VALUES ('00200417', '613999B', 'ZEP-02117', 'C1', '2026-06-02', '2027-06-01', 'Post-Transplant', '', 'E200', 'Expiry moved', '2026-06-02 08:30:00');
INSERT INTO ZEP.tbZEPTransaction (HospNum, IdNum, ZEPNum, Code, IntakeDate, ExpiryDate, Category, ZEPW, UserID, Remarks, TransDate)
VALUES ('00300001', '700101', 'ZEP-03001', 'D', '2026-03-04', '2027-03-03', 'Medical', 'E100', 'E100', 'NOT ON THIS REPORT', '2026-03-04 11:00:00');
