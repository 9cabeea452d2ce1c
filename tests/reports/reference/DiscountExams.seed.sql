-- Three revenue centres (one without items), items of every QFS type, a specified rate with
-- a fraction of a percent, a withdrawn item that must not print, and names with an
-- apostrophe and an ampersand.
INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName, Rwith, RecordStatus) VALUES
  ('XR', 'Radiology - X-Ray', 'Y', 'A'), ('LB', 'Laboratory', 'Y', 'A'),
  ('OR', 'Operating Room', 'Y', 'A'), ('MD', 'Professional Fees', 'N', 'A');
INSERT INTO BUILD_FILE.tbCoRevenueItem (RevenueID, ItemID, ItemName, SectionID, RateA, RateB,
  RateC, RateD, RateE, FixRate, QFSType, QFSRate, RecordStatus) VALUES
  ('XR', 'XR0002', 'Chest PA', 'GEN', 315, 350, 437.5, 525, 612.5, 0, 3, 0.15, 'A'),
  ('XR', 'XR0001', 'Abdomen Supine & Upright', 'GEN', 450, 500, 625, 750, 875, 0, 1, 0, 'A'),
  ('XR', 'XR0099', 'Tomogram (withdrawn)', 'SPC', 900, 1000, 1250, 1500, 1750, 0, 3, 0.5, 'I'),
  ('LB', 'LB0001', 'Complete Blood Count', 'HEM', 225, 250, 312.5, 375, 437.5, 0, 2, 0, 'A'),
  ('LB', 'LB0002', 'Children''s Urinalysis', 'CM', 110, 120, 150, 180, 210, 0, 3, 0.075, 'A'),
  ('OR', 'OR0001', 'Operating Room Fee - Minor', '', 3500, 3500, 3500, 3500, 3500, 1, 0, 0, 'A'),
  ('OR', 'OR0003', 'Kidney Transplant Package', '', 185000, 185000, 185000, 185000, 185000, 0, 3, 1, 'A');
