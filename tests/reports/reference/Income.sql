-- The money of a few visits that ended from 03/01/2026 to 03/04/2026, with visits on both
-- edges of the period: charges, a credit line, medicare, the department's discount (stored
-- computations and pending 'QF' lines), sponsors' funds, payments, deposits and refunds.
-- Included by the seeds of the service income, QC and unpaid-bill reports. Each visit's
-- figures are worked out by hand below; the reports' totals in each seed.
--
-- Residents: the hospital's city is Quezon City. ABAD (card QC-0001) and DIAZ (card QC-0004)
-- live there; BAUTISTA too, written 'quezon city ' (no card); CRUZ lives in Marikina and
-- ESTRADA in Pasig.
INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1, Title, ResidentCity)
VALUES ('ZEP REFERENCE HOSPITAL', '1 Reference Street, Quezon City', 'Medical Center', 'Quezon City');
-- The social worker who prints them.
INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName) VALUES ('E100', 'SANTOS', 'MARIA');
INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate) VALUES ('301', 'NS3', 'B', 1500);
INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate) VALUES ('W12', 'WARD1', 'A', 1000);
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, HouseStreet, Barangay, Town,
  ZEPNum, ZEPClassification, ResidentCardNum)
VALUES ('H101', 'ABAD', 'ROSA', '12 Mabini St.', 'Bagong Pag-asa', 'Quezon City', 'ZEP-101', 'C1', 'QC-0001');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, HouseStreet, Barangay, Town,
  ZEPNum, ZEPClassification)
VALUES ('H102', 'BAUTISTA', 'JOSE', '4 Luna St.', 'Batasan Hills', 'quezon city ', 'ZEP-102', 'D');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, HouseStreet, Barangay, Town,
  ZEPNum, ZEPClassification)
VALUES ('H103', 'CRUZ', 'ELENA', '8 Rizal Ave.', 'Concepcion', 'Marikina', 'ZEP-103', 'C1');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, HouseStreet, Barangay, Town,
  ResidentCardNum)
VALUES ('H104', 'DIAZ', 'MARIO', '3 Kamias Rd.', 'Kamias', 'Quezon City', 'QC-0004');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, HouseStreet, Barangay, Town,
  ZEPNum, ZEPClassification)
VALUES ('H105', 'ESTRADA', 'LUZ', '21 Ortigas Ave.', 'Ugong', 'Pasig', 'ZEP-105', 'D');
INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('PCSO', 'PHILIPPINE CHARITY SWEEPSTAKES OFFICE');
INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('DSWD', 'DEPT. OF SOCIAL WELFARE');
-- AC01 granted for admission 800101; AC02 and AC03 for the patient, any visit.
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate)
VALUES ('AC01', 'PCSO-26-201', 'H101', '800101', 'PCSO', 5000, '2026-02-26 10:00:00');
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate)
VALUES ('AC02', 'DSWD-26-031', 'H105', NULL, 'DSWD', 10000, '2026-02-21 09:00:00');
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate)
VALUES ('AC03', 'PCSO-26-202', 'H101', NULL, 'PCSO', 1000, '2026-03-01 11:00:00');

-- 800101 ABAD, admitted 02/26 08:00, discharged 03/01 00:00:00 (the period's first
-- midnight: in), 3 days; assessed C1 as a special case, which keeps its pending line.
--   gross    RA 4,500.00 + LB 1,200.50 + PH 850.25 + MD 3,000.00       =  9,550.75
--   medicare RA 2,000.00 + OT 300.00                                   =  2,300.00
--   discount the stored computation 1,125.00 + 300.13 (the pending
--            line of 1,500.00 does not count beside it)                =  1,425.13
--   sponsor  PH 850.25 from AC01 (PCSO); 9,550.75 - 2,300.00 - 1,425.13
--            = 5,825.62 was left, so all of it                         =    850.25
--   net      5,825.62 - 850.25                                         =  4,975.37
--   paid     deposit 2,000.00 + payment 3,000.00                       =  5,000.00
--   refunded                                                           =     24.63
--   balance  4,975.37 - 5,000.00 + 24.63                               =      0.00
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass)
VALUES ('800101', 'H101', '2026-02-26 08:00:00', '2026-03-01 00:00:00', '301', 'P');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, IsSpecial, NC, AssessDate)
VALUES ('800101', 'H101', 'ZEP-101', 'C1', 1, 3000, '2026-02-27 10:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800101', 'RA', 'Room 301, 3 nights', 4500, '2026-02-28 23:59:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800101', 'LB', 'Laboratory', 1200.50, '2026-02-26 09:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum) VALUES ('800101', 'PH', 'Medicines', 850.25, '2026-02-27 09:00:00', 'AC01');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800101', 'MD', 'Professional fee', 3000, '2026-02-28 12:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, RefNum) VALUES ('800101', 'QF', 'QFS Discount - Class C1', -1500, '2026-02-28 12:05:00', 'ZEP-101');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('800101', 'RA', 2000);
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('800101', 'OT', 300);
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, ActualCharges, Discount, ComputedAt, Special)
VALUES ('800101', 'QF', 'RA', 4500, 1125, '2026-02-27 10:30:00', 1);
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, ActualCharges, Discount, ComputedAt, Special)
VALUES ('800101', 'QF', 'LB', 1200.50, 300.13, '2026-02-27 10:30:00', 1);
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID) VALUES ('800101', 'OR-50001', '2026-02-26 08:30:00', 2000, 'D', 'C01');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID) VALUES ('800101', 'OR-50007', '2026-02-28 16:00:00', 3000, 'P', 'C01');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID, Remarks) VALUES ('800101', 'RF-00011', '2026-03-03 10:00:00', 24.63, 'R', 'C01', 'Excess payment');

-- 800106 CRUZ, admitted 02/28 14:00, discharged 03/02 09:00, 2 days; not assessed, billed
-- her class's pending discount.
--   gross    LB 2,000.00 + PH 1,000.00                                 =  3,000.00
--   discount the pending line                                          =    750.00
--   net                                                                =  2,250.00
--   paid                                                               =  2,250.00
--   balance                                                            =      0.00
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass)
VALUES ('800106', 'H103', '2026-02-28 14:00:00', '2026-03-02 09:00:00', 'W12', 'S');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800106', 'LB', 'Laboratory', 2000, '2026-02-28 15:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800106', 'PH', 'Medicines', 1000, '2026-03-01 09:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, RefNum) VALUES ('800106', 'QF', 'QFS Discount - Class C1', -750, '2026-03-01 09:05:00', 'ZEP-103');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID) VALUES ('800106', 'OR-50012', '2026-03-02 08:45:00', 2250, 'P', 'C01');

-- 800105 ESTRADA, admitted 02/20 08:00, discharged 03/03 15:00, 11 days; assessed D.
--   gross    RA 11,000.00 + OR 25,000.00 + PH 4,300.40                 = 40,300.40
--   medicare RA 5,000.00 + OR 10,000.00                                = 15,000.00
--   discount the stored computation 6,000.00 + 15,000.00 + 4,300.40    = 25,300.40
--   sponsor  PH 4,300.40 charged to AC02 (DSWD), but medicare and the
--            discount left nothing: 40,300.40 - 15,000.00 - 25,300.40  =      0.00
--   net                                                                =      0.00
--   paid                                                               =    500.00
--   balance  a refund of 500.00 is due                                 =   -500.00
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass)
VALUES ('800105', 'H105', '2026-02-20 08:00:00', '2026-03-03 15:00:00', 'W12', 'S');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, AssessDate)
VALUES ('800105', 'H105', 'ZEP-105', 'D', '2026-02-21 10:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800105', 'RA', 'Ward, 11 nights', 11000, '2026-03-02 23:59:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800105', 'OR', 'Operating room', 25000, '2026-02-22 09:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum) VALUES ('800105', 'PH', 'Medicines', 4300.40, '2026-02-23 09:00:00', 'AC02');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('800105', 'RA', 5000);
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('800105', 'OR', 10000);
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, ActualCharges, Discount, ComputedAt)
VALUES ('800105', 'QF', 'RA', 11000, 6000, '2026-02-21 10:30:00');
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, ActualCharges, Discount, ComputedAt)
VALUES ('800105', 'QF', 'OR', 25000, 15000, '2026-02-21 10:30:00');
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, ActualCharges, Discount, ComputedAt)
VALUES ('800105', 'QF', 'PH', 4300.40, 4300.40, '2026-02-21 10:30:00');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID) VALUES ('800105', 'OR-50003', '2026-02-20 09:00:00', 500, 'D', 'C01');

-- 800102 BAUTISTA, admitted 03/02 10:00, discharged 03/04 23:59 (the period's last minute),
-- 2 days; assessed D; only the pending line so far.
--   gross    RA 3,000.00 + LB 640.00 - LB credit 40.00                 =  3,600.00
--   discount the pending line                                          =  1,800.00
--   net                                                                =  1,800.00
--   paid                                                               =  1,000.00
--   balance  still owed                                                =    800.00
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass)
VALUES ('800102', 'H102', '2026-03-02 10:00:00', '2026-03-04 23:59:00', '301', 'S');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, AssessDate)
VALUES ('800102', 'H102', 'ZEP-102', 'D', '2026-03-03 10:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800102', 'RA', 'Room 301, 2 nights', 3000, '2026-03-03 23:59:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800102', 'LB', 'Laboratory', 640, '2026-03-02 11:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800102', 'LB', 'Laboratory (cancelled test)', -40, '2026-03-02 15:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, RefNum) VALUES ('800102', 'QF', 'QFS Discount - Class D', -1800, '2026-03-03 12:00:00', 'ZEP-102');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID) VALUES ('800102', 'OR-50020', '2026-03-04 22:00:00', 1000, 'P', 'C01');

-- Admissions outside the report: 800103 CRUZ left at the next midnight (03/05 00:00:00,
-- assessed); 800104 DIAZ left inside the period but is not the department's (no assessment,
-- no discount).
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass)
VALUES ('800103', 'H103', '2026-03-03 09:00:00', '2026-03-05 00:00:00', 'W12', 'S');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, AssessDate)
VALUES ('800103', 'H103', 'ZEP-103', 'C1', '2026-03-03 11:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800103', 'LB', 'Laboratory', 999, '2026-03-03 10:00:00');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass)
VALUES ('800104', 'H104', '2026-03-01 08:00:00', '2026-03-03 12:00:00', 'W12', 'P');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800104', 'LB', 'Laboratory', 500, '2026-03-01 09:00:00');

-- 900101E DIAZ at the ER, 03/02 20:00 to 03/03 02:00 (0 days); assessed C1.
--   gross    ER 800.00 + LB 350.50                                     =  1,150.50
--   discount the pending line                                          =    287.63
--   net                                                                =    862.87
--   paid 900.00, refunded 37.13, balance                               =      0.00
-- 900102E ESTRADA is still at the ER (assessed): not in the report.
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification, Disposition)
VALUES ('900101E', 'H104', '2026-03-02 20:00:00', '2026-03-03 02:00:00', 'S', 'DISCHARGED');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, AssessDate)
VALUES ('900101E', 'H104', 'C1', '2026-03-02 22:00:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('900101E', 'ER', 'ER fee', 800, '2026-03-02 20:10:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('900101E', 'LB', 'Laboratory', 350.50, '2026-03-02 20:30:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate, RefNum) VALUES ('900101E', 'QF', 'QFS Discount - Class C1', -287.63, '2026-03-02 22:05:00', '');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID) VALUES ('900101E', 'OR-50015', '2026-03-03 01:50:00', 900, 'P', 'C02');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID) VALUES ('900101E', 'RF-00012', '2026-03-03 01:55:00', 37.13, 'R', 'C02');
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification)
VALUES ('900102E', 'H105', '2026-03-04 21:00:00', NULL, 'S');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, AssessDate)
VALUES ('900102E', 'H105', 'D', '2026-03-04 22:00:00');

-- Out-patient visits count on the day of the visit.
-- 100101B ABAD, 03/04 09:00; assessed C1.
--   gross    LB 400.00 + PH 200.00                                     =    600.00
--   discount the pending line                                          =    100.00
--   sponsor  PH 200.00 from AC03 (PCSO)                                =    200.00
--   net 300.00, paid 300.00, balance                                   =      0.00
-- 100103B ESTRADA, 03/01 00:00:00 (the first midnight); assessed D; dialysis paid by the fund
-- AC02 and covered by medicare as well.
--   gross    DI 2,790.00                                               =  2,790.00
--   medicare                                                           =  2,600.00
--   sponsor  charged 2,790.00, but only 190.00 was left                =    190.00
--   net 0.00, nothing paid, balance                                    =      0.00
-- 100102B BAUTISTA, 02/28 (before the period, assessed): not in the report.
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('100101B', 'H101', '2026-03-04 09:00:00', 'P');
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('100102B', 'H102', '2026-02-28 23:59:59', 'S');
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('100103B', 'H105', '2026-03-01 00:00:00', 'S');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, AssessDate) VALUES ('100101B', 'H101', 'C1', '2026-03-04 09:30:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, AssessDate) VALUES ('100102B', 'H102', 'D', '2026-02-28 12:00:00');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, AssessDate) VALUES ('100103B', 'H105', 'D', '2026-03-01 08:00:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('100101B', 'LB', 'Laboratory', 400, '2026-03-04 09:10:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum) VALUES ('100101B', 'PH', 'Medicines', 200, '2026-03-04 09:20:00', 'AC03');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate, RefNum) VALUES ('100101B', 'QF', 'QFS Discount - Class C1', -100, '2026-03-04 09:40:00', 'ZEP-101');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind, UserID) VALUES ('100101B', 'OR-50021', '2026-03-04 10:00:00', 300, 'P', 'C02');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('100102B', 'LB', 'Laboratory', 777, '2026-02-28 12:00:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum) VALUES ('100103B', 'DI', 'Hemodialysis', 2790, '2026-03-01 06:00:00', 'AC02');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('100103B', 'DI', 2600);
