-- Revenue centres of Income.sql's charge lines (run after it), for the summaries by service.
-- MD (professional fees) is not in the building file and is
-- printed by its code.
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('RA', 'Room Accommodation');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('LB', 'Laboratory');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('PH', 'Pharmacy');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('OR', 'Operating Room');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('ER', 'Emergency Room');
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName) VALUES ('DI', 'Dialysis Unit');
