-- The discount computation's working rows belong to the workstation session that computes
-- them. The first table kept one row per revenue centre for everybody, and the screen reads
-- it with statements of its own between the procedure calls, outside any transaction: two
-- workstations computing at once would each see and store the other's patient. The rows
-- now carry the session's key; every procedure and every statement of the screen reads and
-- writes its own session's rows only, and each computation clears them first.
DROP TABLE BILLING.tbDummyDiscountTable;

CREATE TABLE BILLING.tbDummyDiscountTable (
    SessionID VARCHAR(40) NOT NULL CHECK (SessionID <> ''),
    RevenueID VARCHAR(10) NOT NULL,
    Department VARCHAR(100) NOT NULL DEFAULT '',
    IdNum VARCHAR(20) NOT NULL,
    ActualCharges NUMERIC(14,2) NOT NULL DEFAULT 0
        CHECK (ActualCharges = ROUND(ActualCharges, 2)),
    Medicare NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Medicare = ROUND(Medicare, 2)),
    Discount NUMERIC(14,2) NOT NULL DEFAULT 0 CHECK (Discount = ROUND(Discount, 2)),
    StartedAt TIMESTAMP NOT NULL,
    PRIMARY KEY (SessionID, RevenueID)
);

-- Sessions that ended without computing again leave their rows behind; the next
-- computation of any session removes rows older than a day, found by this index.
CREATE INDEX ixDummyDiscountStarted ON BILLING.tbDummyDiscountTable (StartedAt);

-- Whether a stored computation is a special arrangement (the negotiated counterpart shared
-- over the departments) rather than the class's discounts.
ALTER TABLE BILLING.tbBillComputedDiscount ADD COLUMN Special SMALLINT NOT NULL DEFAULT 0
    CHECK (Special IN (0, 1));
