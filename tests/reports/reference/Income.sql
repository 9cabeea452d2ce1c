-- The money of the visits of Visits.sql that ended on 03/04/2026 (run after Visits.sql and
-- Department.sql): charge lines with a credit, medicare by centre and for the other items
-- ('OT'), the department's discount stored by the computation or still pending, lines paid
-- from sponsors' funds, payments, a deposit and a refund; and out-patient visits of that day
-- and of both days around it. The totals each income summary must print are worked out below
-- by hand; the per-visit figures are the ones BILLING.vwBillVisitMoney gives.
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('LAB', 'Laboratory');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('PH', 'Pharmacy');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('RM', 'Room and Board');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('OR', 'Operating Room');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('ER', 'Emergency Room');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('XR', 'X-Ray');
-- Grants for the fund-paid lines below (G005 of H008 is Department.sql's).
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, Amount, TransDate, Validity)
VALUES ('G007', 'PCSO-26-107', 'H007', '700107', 'C01', 5000.00, '2026-02-26 09:00:00', '2026-03-31');
INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, CompanyID, Amount, TransDate, Validity)
VALUES ('G008', 'MAYOR-0320', 'H012', 'C02', 1000.00, '2026-03-01 09:00:00', NULL);
-- In-patients discharged on 03/04: 700104 (23:45), 700107 (00:00), 700108 (17:00).
-- 700104: a credit line; medicare LAB and OT; a stored computation (LAB 150.00, PH 220.00)
-- and a pending line of -400.00 that the computation replaces; a deposit, a payment, a refund.
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('700104', 'LAB', 'Complete blood count', 1500.00, '2026-03-01 10:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('700104', 'PH', 'Antibiotics', 2345.50, '2026-03-02 08:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('700104', 'PH', 'Returned antibiotics', -145.50, '2026-03-03 08:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('700104', 'RM', 'Room 302, 3 days', 2550.00, '2026-03-04 23:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, RefNum) VALUES ('700104', 'QF', 'ZEP discount', -400.00, '2026-03-02 09:00:00', '');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('700104', 'LAB', 500.00);
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('700104', 'OT', 300.00);
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, Department, ActualCharges, Medicare, Discount, ComputedAt)
VALUES ('700104', 'QF', 'LAB', 'Laboratory', 1500.00, 500.00, 150.00, '2026-03-04 20:00:00');
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, Department, ActualCharges, Medicare, Discount, ComputedAt)
VALUES ('700104', 'QF', 'PH', 'Pharmacy', 2200.00, 0, 220.00, '2026-03-04 20:00:00');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind) VALUES ('700104', 'OR-1000', '2026-03-01 08:30:00', 1000.00, 'D');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind) VALUES ('700104', 'OR-1001', '2026-03-04 22:00:00', 2000.00, 'P');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind) VALUES ('700104', 'RF-0001', '2026-03-04 23:30:00', 120.00, 'R');
-- 700107: a fund-paid LAB line; medicare RM; the discount only pending (-1,000.00); a payment.
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum) VALUES ('700107', 'LAB', 'Blood chemistry', 800.00, '2026-02-26 10:00:00', 'G007');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('700107', 'RM', 'Ward, 7 days', 5950.00, '2026-03-03 23:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('700107', 'PH', 'Medicines', 1234.56, '2026-03-01 08:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, RefNum) VALUES ('700107', 'QF', 'ZEP discount', -1000.00, '2026-03-02 09:00:00', '');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('700107', 'RM', 2000.00);
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind) VALUES ('700107', 'OR-1002', '2026-03-03 16:00:00', 3000.00, 'P');
-- 700108: a fund-paid PH line (G005); medicare OT; a computed discount on OR; nothing paid.
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('700108', 'OR', 'Open reduction', 10000.00, '2026-03-04 11:00:00');
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum) VALUES ('700108', 'PH', 'Anaesthetics', 2500.00, '2026-03-04 11:30:00', 'G005');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('700108', 'OT', 1000.00);
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, Department, ActualCharges, Medicare, Discount, ComputedAt)
VALUES ('700108', 'QF', 'OR', 'Operating Room', 10000.00, 0, 2500.00, '2026-03-04 16:00:00');
-- Outside the day: 700106, discharged at the next midnight.
INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('700106', 'LAB', 'Urinalysis', 999.99, '2026-03-04 08:00:00');
-- In-patients of 03/04 (visits' money):
--   700104 gross 1,500.00 + 2,345.50 - 145.50 + 2,550.00 = 6,250.00; medicare 800.00;
--          discount 370.00 (the computation; the pending -400.00 is not counted); sponsor 0;
--          net 5,080.00; paid 3,000.00; refunded 120.00; balance 2,200.00
--   700107 gross 7,984.56; medicare 2,000.00; discount 1,000.00 (pending); sponsor 800.00;
--          net 4,184.56; paid 3,000.00; balance 1,184.56
--   700108 gross 12,500.00; medicare 1,000.00; discount 2,500.00; sponsor 2,500.00;
--          net 6,500.00; paid 0; balance 6,500.00
--   totals: 3 visits; gross 26,734.56; medicare 3,800.00; discount 3,870.00; sponsor 3,300.00;
--          net 15,764.56; paid 6,000.00; refunded 120.00; balance 9,884.56 (all owed)
-- By revenue centre (gross, medicare, discount, sponsor, net):
--   Laboratory      2,300.00    500.00    150.00    800.00     850.00
--   Operating Room 10,000.00      0         2,500.00  0        7,500.00
--   Pharmacy        5,934.56      0         220.00  2,500.00  3,214.56
--   Room and Board  8,500.00  2,000.00      0         0       6,500.00
--   Medicare for the other items (OT)       1,300.00            -1,300.00
--   Discount not yet computed (700107's pending line) 1,000.00  -1,000.00
--   which add up to the totals above.
-- By the number of days: 700108 the same day (1 day), 700104 03/01 to 03/04 (3 days),
-- 700107 02/25 to 03/04 (7 days).
-- ER: 900202E and 900203E carry Department.sql's fund-paid lines (750.25 and 300.00).
-- Out-patients: 800401B and 800402B on 03/04 (the second in its last second); 800403B at the
-- next midnight and 800404B in the last second of 03/03 are outside the day.
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('800401B', 'H005', '2026-03-04 08:00:00', 'S');
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('800402B', 'H012', '2026-03-04 23:59:59', 'P');
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('800403B', 'H013', '2026-03-05 00:00:00', 'P');
INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) VALUES ('800404B', 'H004', '2026-03-03 23:59:59', 'S');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800401B', 'LAB', 'Creatinine', 650.00, '2026-03-04 08:30:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800401B', 'PH', 'Erythropoietin', 420.75, '2026-03-04 09:00:00');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('800401B', 'LAB', 200.00);
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, Department, ActualCharges, Medicare, Discount, ComputedAt)
VALUES ('800401B', 'QF', 'LAB', 'Laboratory', 650.00, 200.00, 97.50, '2026-03-04 09:30:00');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind) VALUES ('800401B', 'OR-2001', '2026-03-04 09:45:00', 773.25, 'P');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800402B', 'XR', 'Chest X-ray', 1200.00, '2026-03-04 23:59:59');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate, CDFAccountNum) VALUES ('800402B', 'PH', 'Medicines', 500.00, '2026-03-04 23:59:59', 'G008');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate, RefNum) VALUES ('800402B', 'QF', 'ZEP discount', -300.00, '2026-03-04 23:59:59', '');
INSERT INTO BILLING.tbBillPayment (IdNum, ORNumber, PaymentDate, Amount, Kind) VALUES ('800402B', 'OR-2002', '2026-03-04 23:59:59', 1000.00, 'P');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800403B', 'LAB', 'Urinalysis', 333.33, '2026-03-05 00:00:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('800404B', 'LAB', 'Urinalysis', 444.44, '2026-03-03 23:59:59');
-- Out-patients of 03/04 (visits' money):
--   800401B gross 1,070.75; medicare 200.00; discount 97.50; net 773.25; paid 773.25; balance 0
--   800402B gross 1,700.00; discount 300.00 (pending); sponsor 500.00; net 900.00;
--           paid 1,000.00; balance -100.00 (a refund due)
--   totals: 2 visits; gross 2,770.75; medicare 200.00; discount 397.50; sponsor 500.00;
--           net 1,673.25; paid 1,773.25; refunded 0; balance -100.00 (owed 0, refunds due 100.00)
-- By revenue centre: Laboratory 650.00, 200.00, 97.50, 0, 352.50; Pharmacy 920.75, 0, 0,
-- 500.00, 420.75; X-Ray 1,200.00, 0, 0, 0, 1,200.00; pending discount 300.00, -300.00.
