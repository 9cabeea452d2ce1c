-- What the patients paid, and one reckoning of a visit's money for every money report.
--
-- The income, QC and unpaid-bill reports and the statements of account all print gross
-- charges, medicare, the department's discount, sponsor, net, paid, refunded and balance.
-- Each template working these out with its own sums would let two reports of the same visit
-- disagree by the pending discount line, a credit line or a refund; so the sums live in one
-- view, BILLING.vwBillVisitMoney, and the templates only read it.

-- Money received from (or given back to) the patient for a visit, one row per official
-- receipt or refund slip. Amounts are positive; the kind says which way the money went:
-- 'P' a payment, 'D' a deposit made ahead of the bill, 'R' a refund.
CREATE TABLE BILLING.tbBillPayment (
    Id {ID},
    IdNum VARCHAR(20) NOT NULL CHECK (IdNum <> ''),
    ORNumber VARCHAR(20) NOT NULL CHECK (ORNumber <> ''),
    PaymentDate TIMESTAMP NOT NULL,
    Amount NUMERIC(14,2) NOT NULL CHECK (Amount > 0 AND Amount = ROUND(Amount, 2)),
    Kind CHAR(1) NOT NULL DEFAULT 'P' CHECK (Kind IN ('P', 'D', 'R')),
    UserID VARCHAR(20) NOT NULL DEFAULT '',
    Remarks VARCHAR(200) NOT NULL DEFAULT ''
);

-- A receipt number is printed once: a second row with it is a double entry.
CREATE UNIQUE INDEX ixPaymentORNumber ON BILLING.tbBillPayment (ORNumber);
CREATE INDEX ixPaymentIdNum ON BILLING.tbBillPayment (IdNum);
CREATE INDEX ixPaymentDate ON BILLING.tbBillPayment (PaymentDate);

-- The city whose residents the QC reports list (the patient's Town on the master record is
-- compared with it, without regard to case or blanks), and the patient's resident card.
ALTER TABLE PATIENT_DATA.tbHospitalInfo ADD COLUMN ResidentCity VARCHAR(100) NOT NULL DEFAULT '';
ALTER TABLE PATIENT_DATA.tbMaster ADD COLUMN ResidentCardNum VARCHAR(30) NOT NULL DEFAULT '';

-- One row per visit that has any money row: charge lines, medicare, a stored discount
-- computation or a payment.
--   Gross     every charge line but the department's pending discount lines ('QF');
--             credit lines (negative) reduce it.
--   Medicare  every medicare row of the visit, the others' cover ('OT') included.
--   DiscountComputed  the department's discount: the visit's stored computation
--             (DiscountID 'QF') when it has one, otherwise its pending 'QF' lines (stored
--             negative, shown positive). Never both: the computation is what the assessment
--             settled, and the pending line is billing's estimate until then (a special case
--             keeps its line, but its computation is what counts).
--   Discount  what of it applies to this bill: never more than medicare left to pay. The
--             computation works on the actual charges, medicare or not, so the two can
--             overlap; taking both off in full would show the patient a refund due that
--             nobody owes.
--   SponsorCharged  the charge lines paid from a sponsor's fund (CDFAccountNum), in full, as
--             the list of grantees counts them used.
--   Sponsor   what the sponsor bears of this bill: its lines, but never more than medicare
--             and the discount left to pay, for the same reason.
--   Net       Gross - Medicare - Discount - Sponsor: what the patient is to pay.
--   Paid      payments and deposits; Refunded: refunds.
--   Balance   Net - Paid + Refunded: above 0 the patient still owes, below 0 the hospital
--             owes the patient a refund.
-- The patient group is the one the income templates select on, told by the visit number's
-- form: 1 an admission (all digits), 2 an ER visit (ends in E), 3 an out-patient visit.
{SQLITE} CREATE VIEW BILLING.vwBillVisitMoney AS
SELECT IdNum, PatientGroup, Gross, Medicare, DiscountComputed, Discount, SponsorCharged,
       Sponsor, ROUND(Gross - Medicare - Discount - Sponsor, 2) AS Net, Paid, Refunded,
       ROUND(Gross - Medicare - Discount - Sponsor - Paid + Refunded, 2) AS Balance
  FROM (SELECT IdNum, PatientGroup, Gross, Medicare, DiscountComputed, Discount, SponsorCharged,
               CASE WHEN Gross - Medicare - Discount <= 0 THEN 0
                    WHEN SponsorCharged < Gross - Medicare - Discount THEN SponsorCharged
                    ELSE ROUND(Gross - Medicare - Discount, 2) END AS Sponsor,
               Paid, Refunded
  FROM (SELECT IdNum, PatientGroup, Gross, Medicare, DiscountComputed,
               CASE WHEN Gross - Medicare <= 0 THEN 0
                    WHEN DiscountComputed < Gross - Medicare THEN DiscountComputed
                    ELSE ROUND(Gross - Medicare, 2) END AS Discount,
               SponsorCharged, Paid, Refunded
          FROM (SELECT IdNum,
                       CASE WHEN IdNum LIKE '%E' THEN 2 WHEN IdNum LIKE '%B' THEN 3 ELSE 1 END
                           AS PatientGroup,
                       ROUND(SUM(Gross), 2) AS Gross,
                       ROUND(SUM(Medicare), 2) AS Medicare,
                       ROUND(CASE WHEN SUM(Computed) > 0 THEN SUM(ComputedDiscount)
                                  ELSE SUM(PendingDiscount) END, 2) AS DiscountComputed,
                       ROUND(SUM(Sponsor), 2) AS SponsorCharged,
                       ROUND(SUM(Paid), 2) AS Paid,
                       ROUND(SUM(Refunded), 2) AS Refunded
                  FROM (SELECT IdNum,
                               CASE WHEN RevenueID = 'QF' THEN 0 ELSE Amount END AS Gross,
                               0 AS Medicare, 0 AS Computed, 0 AS ComputedDiscount,
                               CASE WHEN RevenueID = 'QF' THEN -Amount ELSE 0 END
                                   AS PendingDiscount,
                               CASE WHEN RevenueID <> 'QF' AND CDFAccountNum IS NOT NULL
                                    THEN Amount ELSE 0 END AS Sponsor,
                               0 AS Paid, 0 AS Refunded
                          FROM tbBillDailyBill
                        UNION ALL
                        SELECT IdNum,
                               CASE WHEN RevenueID = 'QF' THEN 0 ELSE Amount END,
                               0, 0, 0,
                               CASE WHEN RevenueID = 'QF' THEN -Amount ELSE 0 END,
                               CASE WHEN RevenueID <> 'QF' AND CDFAccountNum IS NOT NULL
                                    THEN Amount ELSE 0 END,
                               0, 0
                          FROM tbBillOPDailyOut
                        UNION ALL
                        SELECT IdNum, 0, Amount, 0, 0, 0, 0, 0, 0 FROM tbBillMedicare
                        UNION ALL
                        SELECT IdNum, 0, 0, 1, Discount, 0, 0, 0, 0
                          FROM tbBillComputedDiscount WHERE DiscountID = 'QF'
                        UNION ALL
                        SELECT IdNum, 0, 0, 0, 0, 0, 0,
                               CASE WHEN Kind = 'R' THEN 0 ELSE Amount END,
                               CASE WHEN Kind = 'R' THEN Amount ELSE 0 END
                          FROM tbBillPayment) AS lines
                 GROUP BY IdNum) AS sums) AS discounts) AS shares;
{POSTGRESQL} CREATE VIEW BILLING.vwBillVisitMoney AS
SELECT IdNum, PatientGroup, Gross, Medicare, DiscountComputed, Discount, SponsorCharged,
       Sponsor, ROUND(Gross - Medicare - Discount - Sponsor, 2) AS Net, Paid, Refunded,
       ROUND(Gross - Medicare - Discount - Sponsor - Paid + Refunded, 2) AS Balance
  FROM (SELECT IdNum, PatientGroup, Gross, Medicare, DiscountComputed, Discount, SponsorCharged,
               CASE WHEN Gross - Medicare - Discount <= 0 THEN 0
                    WHEN SponsorCharged < Gross - Medicare - Discount THEN SponsorCharged
                    ELSE ROUND(Gross - Medicare - Discount, 2) END AS Sponsor,
               Paid, Refunded
  FROM (SELECT IdNum, PatientGroup, Gross, Medicare, DiscountComputed,
               CASE WHEN Gross - Medicare <= 0 THEN 0
                    WHEN DiscountComputed < Gross - Medicare THEN DiscountComputed
                    ELSE ROUND(Gross - Medicare, 2) END AS Discount,
               SponsorCharged, Paid, Refunded
          FROM (SELECT IdNum,
                       CASE WHEN IdNum LIKE '%E' THEN 2 WHEN IdNum LIKE '%B' THEN 3 ELSE 1 END
                           AS PatientGroup,
                       ROUND(SUM(Gross), 2) AS Gross,
                       ROUND(SUM(Medicare), 2) AS Medicare,
                       ROUND(CASE WHEN SUM(Computed) > 0 THEN SUM(ComputedDiscount)
                                  ELSE SUM(PendingDiscount) END, 2) AS DiscountComputed,
                       ROUND(SUM(Sponsor), 2) AS SponsorCharged,
                       ROUND(SUM(Paid), 2) AS Paid,
                       ROUND(SUM(Refunded), 2) AS Refunded
                  FROM (SELECT IdNum,
                               CASE WHEN RevenueID = 'QF' THEN 0 ELSE Amount END AS Gross,
                               0 AS Medicare, 0 AS Computed, 0 AS ComputedDiscount,
                               CASE WHEN RevenueID = 'QF' THEN -Amount ELSE 0 END
                                   AS PendingDiscount,
                               CASE WHEN RevenueID <> 'QF' AND CDFAccountNum IS NOT NULL
                                    THEN Amount ELSE 0 END AS Sponsor,
                               0 AS Paid, 0 AS Refunded
                          FROM BILLING.tbBillDailyBill
                        UNION ALL
                        SELECT IdNum,
                               CASE WHEN RevenueID = 'QF' THEN 0 ELSE Amount END,
                               0, 0, 0,
                               CASE WHEN RevenueID = 'QF' THEN -Amount ELSE 0 END,
                               CASE WHEN RevenueID <> 'QF' AND CDFAccountNum IS NOT NULL
                                    THEN Amount ELSE 0 END,
                               0, 0
                          FROM BILLING.tbBillOPDailyOut
                        UNION ALL
                        SELECT IdNum, 0, Amount, 0, 0, 0, 0, 0, 0 FROM BILLING.tbBillMedicare
                        UNION ALL
                        SELECT IdNum, 0, 0, 1, Discount, 0, 0, 0, 0
                          FROM BILLING.tbBillComputedDiscount WHERE DiscountID = 'QF'
                        UNION ALL
                        SELECT IdNum, 0, 0, 0, 0, 0, 0,
                               CASE WHEN Kind = 'R' THEN 0 ELSE Amount END,
                               CASE WHEN Kind = 'R' THEN Amount ELSE 0 END
                          FROM BILLING.tbBillPayment) AS lines
                 GROUP BY IdNum) AS sums) AS discounts) AS shares;

-- The payer of a visit's statement: the sponsor's fund allocation granted for the visit, or
-- else one that paid some of its charge lines; of several, the one granted first (then the
-- lower account number). One row per visit that has one.
{SQLITE} CREATE VIEW BILLING.vwBillVisitPayer AS
SELECT IdNum, AccountNum, CompanyID, Company
  FROM (SELECT c.IdNum, a.AccountNum, a.CompanyID, co.Company,
               ROW_NUMBER() OVER (PARTITION BY c.IdNum
                                  ORDER BY MIN(c.Pref), a.TransDate, a.AccountNum) AS n
          FROM (SELECT IdNum, AccountNum, 0 AS Pref FROM tbBillCDFAllocation
                 WHERE IdNum IS NOT NULL AND IdNum <> ''
                UNION ALL
                SELECT IdNum, CDFAccountNum, 1 FROM tbBillDailyBill
                 WHERE CDFAccountNum IS NOT NULL
                UNION ALL
                SELECT IdNum, CDFAccountNum, 1 FROM tbBillOPDailyOut
                 WHERE CDFAccountNum IS NOT NULL) AS c
          JOIN tbBillCDFAllocation a ON a.AccountNum = c.AccountNum
          JOIN tbBillCompany co ON co.CompanyID = a.CompanyID
         GROUP BY c.IdNum, a.AccountNum, a.CompanyID, co.Company, a.TransDate) AS r
 WHERE n = 1;
{POSTGRESQL} CREATE VIEW BILLING.vwBillVisitPayer AS
SELECT IdNum, AccountNum, CompanyID, Company
  FROM (SELECT c.IdNum, a.AccountNum, a.CompanyID, co.Company,
               ROW_NUMBER() OVER (PARTITION BY c.IdNum
                                  ORDER BY MIN(c.Pref), a.TransDate, a.AccountNum) AS n
          FROM (SELECT IdNum, AccountNum, 0 AS Pref FROM BILLING.tbBillCDFAllocation
                 WHERE IdNum IS NOT NULL AND IdNum <> ''
                UNION ALL
                SELECT IdNum, CDFAccountNum, 1 FROM BILLING.tbBillDailyBill
                 WHERE CDFAccountNum IS NOT NULL
                UNION ALL
                SELECT IdNum, CDFAccountNum, 1 FROM BILLING.tbBillOPDailyOut
                 WHERE CDFAccountNum IS NOT NULL) AS c
          JOIN BILLING.tbBillCDFAllocation a ON a.AccountNum = c.AccountNum
          JOIN BILLING.tbBillCompany co ON co.CompanyID = a.CompanyID
         GROUP BY c.IdNum, a.AccountNum, a.CompanyID, co.Company, a.TransDate) AS r
 WHERE n = 1;
