-- One patient's bills for the statements of account, with the totals worked out by hand.
-- Included by the seeds of the detailed and summarized statements.
--
-- H501 SANTOS, PEDRO REYES has three visits:
--   8001B  out-patient visit 03/01/2026, the one admission 9001 came from
--   9001   admission 03/02/2026 08:30 to 03/05/2026 14:15, room 401 (1,500.00 a day)
--   9002   admission 03/10/2026 08:30 to 03/13/2026 14:15, room 401, not through the OPD
--
-- 9002 (in-patient statement, summarized statement)
--   LB  R-100  CBC 350.00, urinalysis 150.00                      = 500.00
--   LB  R-101  blood chemistry 1,200.00, paid from fund A-50      = 1,200.00
--   PH  R-200  paracetamol 250.00, returned -50.00                = 200.00
--   RA  (none) room, 3 days                                       = 4,500.00
--   QF  pending department discount -500.00 (no computation stored: it counts)
--   gross 500 + 1,200 + 200 + 4,500                              = 6,400.00
--   medicare RA 1,000.00 + other items (OT) 300.00               = 1,300.00
--   discount (pending line)                                       = 500.00
--   sponsor (A-50)                                                = 1,200.00
--   net 6,400 - 1,300 - 500 - 1,200                              = 3,400.00
--   paid OR-1001 2,000.00 + deposit OR-1002 1,000.00             = 3,000.00
--   refunded OR-R01                                               = 100.00
--   balance 3,400 - 3,000 + 100                                  = 500.00
--   per centre (summarized): LB 1,700 charges, 1,200 sponsor, net 500; OT medicare 300,
--   net -300; PH 200, net 200; QF discount 500, net -500; RA 4,500, medicare 1,000,
--   net 3,500; the nets add up to 3,400.00.
--
-- 9001 with 8001B (consolidated statement)
--   9001  LB R-300 CBC 350.00; XR R-301 chest x-ray 600.00 paid from fund A-51;
--         RA room 4,500.00; a pending QF line of -999.00 that does NOT count, because a
--         computation is stored: LB 87.50 + RA 1,125.00 = 1,212.50
--   8001B LB R-050 urinalysis 150.00; XR R-051 chest x-ray 600.00
--   gross 350 + 600 + 4,500 + 150 + 600                          = 6,200.00
--   medicare RA 800.00                                            = 800.00
--   discount (stored computation)                                 = 1,212.50
--   sponsor (A-51)                                                = 600.00
--   net 6,200 - 800 - 1,212.50 - 600                             = 3,587.50
--   paid 8001B OR-2001 800.00 + 9001 OR-2002 1,000.00            = 1,800.00
--   refunded 8001B OR-R02 (the 50.00 paid too much at the OPD)    = 50.00
--   balance 3,587.50 - 1,800 + 50                                 = 1,837.50
--
-- 9003 (summarized statement, discount beyond what medicare left)
--   LB  laboratory 1,000.00; medicare LB 800.00; stored discount LB 250.00, of which only
--   the 200.00 medicare left is taken off; net 1,000 - 800 - 200 = 0.00
--
-- 8001B alone (out-patient statement)
--   gross 150 + 600 = 750.00; no medicare, discount or sponsor; net 750.00;
--   paid 800.00, refunded 50.00; balance 750 - 800 + 50 = 0.00
INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1, Title)
VALUES ('ZEP REFERENCE HOSPITAL', '1 Reference Street, Quezon City', 'Medical Center');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('LB', 'LABORATORY');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('PH', 'PHARMACY');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('RA', 'ROOM AND BOARD');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('XR', 'RADIOLOGY');
INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate) VALUES ('401', 'NS4', 'B', 1500);
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, HouseStreet,
  Barangay, Town, Province, ZipCode, ZEPNum, ZEPClassification)
VALUES ('H501', 'SANTOS', 'PEDRO', 'REYES', 'M', '5 Luna St.', 'Poblacion', 'Pasig',
  'Metro Manila', '1600', 'ZEP-501', NULL);
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, DcrDate)
VALUES ('8001B', 'H501', '2026-03-01 09:00:00', '2026-03-01 11:00:00');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, OPDIdNum)
VALUES ('9001', 'H501', '2026-03-02 08:30:00', '2026-03-05 14:15:00', '401', '8001B');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID)
VALUES ('9002', 'H501', '2026-03-10 08:30:00', '2026-03-13 14:15:00', '401');
INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('C50', 'PHILIPPINE CHARITY SWEEPSTAKES OFFICE');
INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('C51', 'OFFICE OF THE MAYOR');
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate)
VALUES ('A-50', 'G-50', 'H501', '9002', 'C50', 5000, '2026-03-10 10:00:00');
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate)
VALUES ('A-51', 'G-51', 'H501', '9001', 'C51', 2000, '2026-03-02 10:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9002', 'LB', 'L-01', 'COMPLETE BLOOD COUNT', 1, 350, '2026-03-10 10:15:00', 'CS-11', 'R-100');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9002', 'LB', 'L-02', 'URINALYSIS', 1, 150, '2026-03-10 10:16:00', 'CS-11', 'R-100');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum, CDFAccountNum)
VALUES ('9002', 'LB', 'L-05', 'BLOOD CHEMISTRY', 1, 1200, '2026-03-11 07:00:00', 'CS-12', 'R-101', 'A-50');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9002', 'PH', 'M-10', 'PARACETAMOL 500MG TAB', 10, 250, '2026-03-10 12:00:00', 'PS-21', 'R-200');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9002', 'PH', 'M-10', 'PARACETAMOL 500MG TAB (RETURNED)', -2, -50, '2026-03-12 09:00:00', 'PS-22', 'R-200');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9002', 'RA', 'R-01', 'ROOM 401', 3, 4500, '2026-03-13 14:15:00', '', '');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9002', 'QF', '', 'ZEP DISCOUNT', 1, -500, '2026-03-13 15:00:00', '', 'ZEP-501');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('9002', 'RA', 1000);
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('9002', 'OT', 300);
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID)
VALUES ('9002', 'OR-1001', '2026-03-13 15:30:00', 2000, 'P', 'CASH1');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID)
VALUES ('9002', 'OR-1002', '2026-03-10 09:00:00', 1000, 'D', 'CASH1');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID)
VALUES ('9002', 'OR-R01', '2026-03-13 16:00:00', 100, 'R', 'CASH1');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9001', 'LB', 'L-01', 'COMPLETE BLOOD COUNT', 1, 350, '2026-03-02 09:00:00', 'CS-31', 'R-300');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum, CDFAccountNum)
VALUES ('9001', 'XR', 'X-01', 'CHEST X-RAY PA', 1, 600, '2026-03-03 10:00:00', 'XS-31', 'R-301', 'A-51');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9001', 'RA', 'R-01', 'ROOM 401', 3, 4500, '2026-03-05 14:15:00', '', '');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9001', 'QF', '', 'ZEP DISCOUNT', 1, -999, '2026-03-05 15:00:00', '', 'ZEP-501');
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, Department, ActualCharges, Medicare, Discount, ComputedAt, ComputedBy)
VALUES ('9001', 'QF', 'LB', 'LABORATORY', 350, 0, 87.5, '2026-03-05 15:10:00', 'E100');
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, Department, ActualCharges, Medicare, Discount, ComputedAt, ComputedBy)
VALUES ('9001', 'QF', 'RA', 'ROOM AND BOARD', 4500, 800, 1125, '2026-03-05 15:10:00', 'E100');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('9001', 'RA', 800);
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID)
VALUES ('9001', 'OR-2002', '2026-03-05 16:00:00', 1000, 'P', 'CASH2');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('8001B', 'LB', 'L-02', 'URINALYSIS', 1, 150, '2026-03-01 09:30:00', 'OC-01', 'R-050');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('8001B', 'XR', 'X-01', 'CHEST X-RAY PA', 1, 600, '2026-03-01 10:00:00', 'OX-01', 'R-051');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID)
VALUES ('8001B', 'OR-2001', '2026-03-01 10:30:00', 800, 'P', 'CASH3');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID)
VALUES ('8001B', 'OR-R02', '2026-03-01 10:45:00', 50, 'R', 'CASH3');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID)
VALUES ('9003', 'H501', '2026-03-20 08:00:00', '2026-03-21 10:00:00', '401');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Quantity, Amount, TransDate, ChargeSlip, RefNum)
VALUES ('9003', 'LB', 'L-05', 'BLOOD CHEMISTRY', 1, 1000, '2026-03-20 09:00:00', 'CS-41', 'R-400');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('9003', 'LB', 800);
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, Department, ActualCharges, Medicare, Discount, ComputedAt, ComputedBy)
VALUES ('9003', 'QF', 'LB', 'LABORATORY', 1000, 800, 250, '2026-03-21 09:00:00', 'E100');
