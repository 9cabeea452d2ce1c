-- The discount computation's working rows belong to the workstation session that computes
-- them. The first table kept one row per revenue centre for everybody, and the screen reads
-- it with statements of its own between the procedure calls, outside any transaction: two
-- workstations computing at once would each see and store the other's patient. Each
-- computation now opens a session row (cleared first when the session had one), its working
-- rows hang from it, and every procedure and every statement of the screen reads and writes
-- its own session's rows only.
CREATE TABLE BILLING.tbDiscountSession (
    SessionID VARCHAR(40) NOT NULL PRIMARY KEY CHECK (SessionID <> ''),
    IdNum VARCHAR(20) NOT NULL,
    StartedAt TIMESTAMP NOT NULL
);

-- Sessions that ended without storing leave their rows behind; the next computation of any
-- session removes those older than a day, found by this index.
CREATE INDEX ixDiscountSessionStarted ON BILLING.tbDiscountSession (StartedAt);

DROP TABLE BILLING.tbDummyDiscountTable;

CREATE TABLE BILLING.tbDummyDiscountTable (
    SessionID VARCHAR(40) NOT NULL
        REFERENCES BILLING.tbDiscountSession (SessionID) ON DELETE CASCADE,
    RevenueID VARCHAR(10) NOT NULL,
    Department VARCHAR(100) NOT NULL DEFAULT '',
    IdNum VARCHAR(20) NOT NULL,
    ActualCharges NUMERIC(14,2) NOT NULL DEFAULT 0
        CHECK (ActualCharges = ROUND(ActualCharges, 2)),
    Medicare NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Medicare = ROUND(Medicare, 2)),
    Discount NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Discount = ROUND(Discount, 2)),
    PRIMARY KEY (SessionID, RevenueID)
);

-- Whether a stored computation is a special arrangement (the negotiated counterpart shared
-- over the departments) rather than the class's discounts.
ALTER TABLE BILLING.tbBillComputedDiscount ADD COLUMN Special SMALLINT NOT NULL DEFAULT 0
    CHECK (Special IN (0, 1));
