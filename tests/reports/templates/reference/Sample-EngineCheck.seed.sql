-- Charges of two patient groups over two months.
CREATE TABLE ZEP.tbRptSampleCharge (HospNum VARCHAR(10), PatientName VARCHAR(60),
  ChargeDate DATE, Amount NUMERIC(12,2), Discount NUMERIC(5,4), PatientGroup INTEGER);
INSERT INTO ZEP.tbRptSampleCharge VALUES ('000101', 'DELA CRUZ, JUAN', '2026-01-05', 1500.50, 0.15, 1);
INSERT INTO ZEP.tbRptSampleCharge VALUES ('000101', 'DELA CRUZ, JUAN', '2026-01-06', 320, 0.15, 1);
INSERT INTO ZEP.tbRptSampleCharge VALUES ('000245', 'O''BRIEN, ANN', '2026-01-20', 12000, 1, 1);
INSERT INTO ZEP.tbRptSampleCharge VALUES ('000245', 'O''BRIEN, ANN', '2026-02-03', 75.25, 0.5, 1);
INSERT INTO ZEP.tbRptSampleCharge VALUES ('000377', 'SANTOS, MARIA', '2026-01-15', 980, 0.3, 2);
