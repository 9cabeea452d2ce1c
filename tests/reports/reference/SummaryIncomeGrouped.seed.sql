-- include: Income.sql
-- include: RevenueCentres.sql
-- The ER patients the department served whose ER visit ended from 03/01 to 03/04: Income.sql's
-- 900101E (03/02 20:00 to 03/03 02:00: 1 night) and 900110E below (03/04 01:00 to 05:00, the
-- same day: 0 days), whose computed discount (750.00, worked out on the actual charges) is
-- more than medicare left of the bill (1,500.00 - 1,000.00 = 500.00). 900102E is still at the
-- ER.
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification, Disposition)
VALUES ('900110E', 'H104', '2026-03-04 01:00:00', '2026-03-04 05:00:00', 'S', 'DISCHARGED');
INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, AssessDate) VALUES ('900110E', 'H104', 'D', '2026-03-04 02:00:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('900110E', 'ER', 'ER fee', 1000, '2026-03-04 01:10:00');
INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Description, Amount, TransDate) VALUES ('900110E', 'LB', 'Laboratory', 500, '2026-03-04 01:30:00');
INSERT INTO BILLING.tbBillMedicare (IdNum, RevenueID, Amount) VALUES ('900110E', 'ER', 1000);
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, ActualCharges, Discount, ComputedAt)
VALUES ('900110E', 'QF', 'ER', 1000, 250, '2026-03-04 02:30:00');
INSERT INTO BILLING.tbBillComputedDiscount (IdNum, DiscountID, RevenueID, ActualCharges, Discount, ComputedAt)
VALUES ('900110E', 'QF', 'LB', 500, 500, '2026-03-04 02:30:00');
-- The visits' money:
--   900101E gross 1,150.50; discount 287.63 (pending); net 862.87; paid 900.00; refunded
--           37.13; balance 0.00
--   900110E gross 1,500.00; medicare 1,000.00; discount 500.00 (of the 750.00 computed);
--           net 0.00; balance 0.00
--   totals: 2 visits; gross 2,650.50; medicare 1,000.00; discount 787.63; sponsor 0.00;
--           net 862.87; paid 900.00; refunded 37.13; balance 0.00
-- By revenue centre (gross, medicare, discount, sponsor, net):
--   Emergency Room  800.00 + 1,000.00 = 1,800.00; 1,000.00; 250.00; 0; 550.00
--   Laboratory      350.50 + 500.00 = 850.50; 0; 500.00; 0; 350.50
--   Discount not yet computed: 287.63; net -287.63
--   Discount beyond what medicare left: -250.00; net 250.00
--   sums: gross 2,650.50; medicare 1,000.00; discount 250.00 + 500.00 + 287.63 - 250.00 =
--         787.63; net 550.00 + 350.50 - 287.63 + 250.00 = 862.87.
-- By the number of days: 0 days 900110E (1,500.00; 1,000.00; 500.00; 0; 0.00; 0.00; 0.00);
-- 1 day 900101E (1,150.50; 0; 287.63; 0; 862.87; 900.00; 0.00).
