-- BILLING: charges of the visits by revenue centre, medicare, the sponsors (companies) and
-- their fund allocations, and the discount computation's working and stored rows.
-- Money is NUMERIC(14,2); the ROUND checks make SQLite keep two decimals as PostgreSQL does.

CREATE TABLE BILLING.tbBillCompany (
    CompanyID VARCHAR(10) NOT NULL PRIMARY KEY CHECK (CompanyID <> ''),
    Company VARCHAR(120) NOT NULL,
    Address VARCHAR(200) NOT NULL DEFAULT '',
    Status CHAR(1) NOT NULL DEFAULT 'A' CHECK (Status IN ('A', 'I'))
);

-- A fund granted by a sponsor to a patient, optionally for one visit.
CREATE TABLE BILLING.tbBillCDFAllocation (
    AccountNum VARCHAR(20) NOT NULL PRIMARY KEY CHECK (AccountNum <> ''),
    RefNum VARCHAR(30) NOT NULL DEFAULT '',
    HospNum VARCHAR(20) NOT NULL,
    IdNum VARCHAR(20),
    CompanyID VARCHAR(10) NOT NULL REFERENCES BILLING.tbBillCompany (CompanyID),
    Amount NUMERIC(14,2) NOT NULL CHECK (Amount >= 0 AND Amount = ROUND(Amount, 2)),
    TransDate TIMESTAMP NOT NULL,
    Validity DATE,
    UserID VARCHAR(20) NOT NULL DEFAULT ''
);

CREATE INDEX ixCDFAllocationHospNum ON BILLING.tbBillCDFAllocation (HospNum);
CREATE INDEX ixCDFAllocationIdNum ON BILLING.tbBillCDFAllocation (IdNum);

-- Charge lines of in-patient admissions. RevenueID 'QF' with RefNum = the case number is
-- the department's pending discount line.
CREATE TABLE BILLING.tbBillDailyBill (
    Id {ID},
    IdNum VARCHAR(20) NOT NULL,
    RevenueID VARCHAR(10) NOT NULL,
    ItemID VARCHAR(20) NOT NULL DEFAULT '',
    Description VARCHAR(200) NOT NULL DEFAULT '',
    Quantity NUMERIC(10,2) NOT NULL DEFAULT 1,
    Amount NUMERIC(14,2) NOT NULL CHECK (Amount = ROUND(Amount, 2)),
    TransDate TIMESTAMP NOT NULL,
    ChargeSlip VARCHAR(20) NOT NULL DEFAULT '',
    RefNum VARCHAR(20) NOT NULL DEFAULT '',
    RoomID VARCHAR(10) NOT NULL DEFAULT '',
    CDFAccountNum VARCHAR(20) REFERENCES BILLING.tbBillCDFAllocation (AccountNum),
    UserID VARCHAR(20) NOT NULL DEFAULT ''
);

CREATE INDEX ixDailyBillIdNum ON BILLING.tbBillDailyBill (IdNum, RevenueID);
CREATE INDEX ixDailyBillCDF ON BILLING.tbBillDailyBill (CDFAccountNum);

-- Charge lines of out-patient and ER visits; the same shape.
CREATE TABLE BILLING.tbBillOPDailyOut (
    Id {ID},
    IdNum VARCHAR(20) NOT NULL,
    RevenueID VARCHAR(10) NOT NULL,
    ItemID VARCHAR(20) NOT NULL DEFAULT '',
    Description VARCHAR(200) NOT NULL DEFAULT '',
    Quantity NUMERIC(10,2) NOT NULL DEFAULT 1,
    Amount NUMERIC(14,2) NOT NULL CHECK (Amount = ROUND(Amount, 2)),
    TransDate TIMESTAMP NOT NULL,
    ChargeSlip VARCHAR(20) NOT NULL DEFAULT '',
    RefNum VARCHAR(20) NOT NULL DEFAULT '',
    RoomID VARCHAR(10) NOT NULL DEFAULT '',
    CDFAccountNum VARCHAR(20) REFERENCES BILLING.tbBillCDFAllocation (AccountNum),
    UserID VARCHAR(20) NOT NULL DEFAULT ''
);

CREATE INDEX ixOPDailyOutIdNum ON BILLING.tbBillOPDailyOut (IdNum, RevenueID);
CREATE INDEX ixOPDailyOutCDF ON BILLING.tbBillOPDailyOut (CDFAccountNum);

-- Medicare cover of a visit per revenue centre. The row under RevenueID 'OT' is the cover
-- of the other items, shared pro rata over the revenue centres that have no row of their own.
CREATE TABLE BILLING.tbBillMedicare (
    IdNum VARCHAR(20) NOT NULL,
    RevenueID VARCHAR(10) NOT NULL,
    Amount NUMERIC(14,2) NOT NULL CHECK (Amount >= 0 AND Amount = ROUND(Amount, 2)),
    PRIMARY KEY (IdNum, RevenueID)
);

-- Working rows of one discount computation, one per revenue centre. Rows live only inside
-- the transaction that computes them: the computation fills the table, works on it, stores
-- the result in tbBillComputedDiscount and empties it again before it commits.
CREATE TABLE BILLING.tbDummyDiscountTable (
    RevenueID VARCHAR(10) NOT NULL PRIMARY KEY,
    Department VARCHAR(100) NOT NULL DEFAULT '',
    IdNum VARCHAR(20) NOT NULL,
    ActualCharges NUMERIC(14,2) NOT NULL DEFAULT 0
        CHECK (ActualCharges = ROUND(ActualCharges, 2)),
    Medicare NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Medicare = ROUND(Medicare, 2)),
    Discount NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Discount = ROUND(Discount, 2))
);

-- A stored discount computation: per visit and discount (DiscountID 'QF'), one row per
-- revenue centre.
CREATE TABLE BILLING.tbBillComputedDiscount (
    IdNum VARCHAR(20) NOT NULL,
    DiscountID VARCHAR(10) NOT NULL,
    RevenueID VARCHAR(10) NOT NULL,
    Department VARCHAR(100) NOT NULL DEFAULT '',
    ActualCharges NUMERIC(14,2) NOT NULL DEFAULT 0
        CHECK (ActualCharges = ROUND(ActualCharges, 2)),
    Medicare NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Medicare = ROUND(Medicare, 2)),
    Discount NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Discount = ROUND(Discount, 2)),
    ComputedAt TIMESTAMP NOT NULL,
    ComputedBy VARCHAR(20) NOT NULL DEFAULT '',
    PRIMARY KEY (IdNum, DiscountID, RevenueID)
);
