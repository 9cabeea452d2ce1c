-- Four classes, keyed so that text order (A10 before A2) and the printed order differ; a
-- fraction with three decimals, a free room and a class with empty texts.
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, PerCapitalIncome,
  LevelPerDependents, PFRF, OPD, IPD, Procedures, Medicines, Supplies, Room, Procedures2,
  Medicines2, Supplies2)
VALUES ('A1', 'A', 'Full Pay', 'Above P 12,000', 'Family of 5 above P 60,000', 'In full',
  '0% on Procedures; 0% on Meds/Supplies', '0% on Procedures; 0% on Meds/Supplies; Free Room',
  0, 0, 0, 0, 0, 0, 0);
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, PerCapitalIncome,
  LevelPerDependents, PFRF, OPD, IPD, Procedures, Medicines, Supplies, Room, Procedures2,
  Medicines2, Supplies2)
VALUES ('A2', 'C1', 'Charity - Partial', 'P 5,001 to P 8,000', 'Family of 5, P 25,001 to P 40,000',
  'Reader''s fees discounted', '7.5% on Procedures; 20% on Meds/Supplies',
  '25.5% on Procedures; 25% on Meds/Supplies; 50% on Room',
  0.255, 0.25, 0.25, 0.5, 0.075, 0.2, 0.2);
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, Procedures, Medicines,
  Supplies, Room, Procedures2, Medicines2, Supplies2)
VALUES ('A3', 'X', 'Unnamed bracket', 0.1, 0.1, 0.1, 0.05, 0.1, 0.1, 0.1);
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, PerCapitalIncome,
  LevelPerDependents, PFRF, OPD, IPD, Procedures, Medicines, Supplies, Room, Procedures2,
  Medicines2, Supplies2)
VALUES ('A10', 'D', 'Full Charity (Indigent)', 'P 2,000 and below', 'Family of 5 up to P 10,000',
  'Waived', '100% on Procedures; 100% on Meds/Supplies',
  '100% on Procedures; 100% on Meds/Supplies; 100% on Room', 1, 1, 1, 1, 1, 1, 1);
