-- One hospital day, 03/04/2026, with visits on both of its edges: at its first midnight, in
-- its last minute, and at the next midnight (which belongs to 03/05). Included by the seeds
-- of the visit lists, the censuses and the data sheet.
INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1, Title)
VALUES ('ZEP REFERENCE HOSPITAL', '1 Reference Street, Quezon City', 'Medical Center');
INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName) VALUES ('E100', 'SANTOS', 'MARIA');
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, Procedures, Medicines,
  Supplies, Room, Procedures2, Medicines2, Supplies2)
VALUES ('A1', 'A', 'Full Pay', 0, 0, 0, 0, 0, 0, 0);
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, Procedures, Medicines,
  Supplies, Room, Procedures2, Medicines2, Supplies2)
VALUES ('A2', 'C1', 'Charity - Partial 25%', 0.25, 0.25, 0.25, 0.25, 0.25, 0.25, 0.25);
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, Procedures, Medicines,
  Supplies, Room, Procedures2, Medicines2, Supplies2)
VALUES ('A3', 'D', 'Full Charity', 1, 1, 1, 1, 1, 1, 1);
INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate) VALUES ('301', 'NS3', 'B', 850);
INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate) VALUES ('302', 'NS3', 'B', 850);
INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RateClass, RoomRate) VALUES ('W12', 'WARD1', 'A', 0);
INSERT INTO PATIENT_DATA.tbDoctor (DoctorID, LastName, FirstName, Specialty)
VALUES ('D01', 'VILLANUEVA', 'ERNESTO', 'Internal Medicine');
INSERT INTO PATIENT_DATA.tbDoctor (DoctorID, LastName, FirstName, Specialty)
VALUES ('D02', 'REYES', 'ANA', 'Surgery');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, BirthDate, CivilStatus,
  Religion, HouseStreet, Barangay, Town, Province, ZipCode, TelNumber, Occupation, ZEPNum,
  ZEPClassification, ZEPDiscountValidity, ZEPDiscountExpiry)
VALUES ('H001', 'ABAD', 'ROSA', 'LIM', 'F', '1968-03-05', '3', 'Roman Catholic', '12 Mabini St.',
  'San Roque', 'Marikina', 'Metro Manila', '1800', '0917-555-0101', 'Vendor', 'ZEP-001', 'C1',
  '2026-02-01', '2026-07-31');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex, ZEPNum, ZEPClassification)
VALUES ('H002', 'BAUTISTA', 'JOSE', 'M', 'ZEP-002', 'D');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex, ZEPClassification)
VALUES ('H003', 'CRUZ', 'ELENA', 'F', 'D');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex) VALUES ('H004', 'DIAZ', 'MARIO', 'M');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex) VALUES ('H005', 'ESTRADA', 'LUZ', 'F');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex, ZEPClassification)
VALUES ('H006', 'FLORES', 'PEDRO', 'M', 'A');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex) VALUES ('H007', 'GARCIA', 'NENA', 'F');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex, ZEPClassification)
VALUES ('H008', 'HERNANDEZ', 'TOMAS', 'M', 'C1');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex) VALUES ('H009', 'IBARRA', 'CARLO', 'M');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex, ZEPClassification)
VALUES ('H010', 'JACINTO', 'MYRA', 'F', 'D');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex, BirthDate, ZEPClassification)
VALUES ('H011', 'LOPEZ', 'BENITO', 'M', '1950-11-30', 'D');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex) VALUES ('H012', 'MENDOZA', 'LINA', 'F');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex) VALUES ('H013', 'NAVARRO', 'RUBEN', 'M');
-- Admissions: at the day's first midnight; in its last minute; the day before and still in;
-- discharged late in the day; at the next midnight; discharged at the next midnight;
-- discharged at the day's first midnight; admitted and died the same day; and an earlier
-- admission of the first patient.
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass, DoctorID,
  ReferringDoctor, NewAdmission, ChiefComplaint, AdmittingDiagnosis, AdmittingImpression, Procedures,
  Remarks, Disposition)
VALUES ('700090', 'H001', '2025-11-10 09:00:00', '2025-11-14 10:00:00', 'W12', 'S', 'D01', NULL, 1,
  'Fever', 'Dengue fever', 'Dengue', NULL, NULL, 'RECOVERED');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass, DoctorID,
  ReferringDoctor, NewAdmission, ChiefComplaint, AdmittingDiagnosis, AdmittingImpression, Procedures,
  Remarks, Disposition)
VALUES ('700101', 'H001', '2026-03-04 00:00:00', NULL, '301', 'P', 'D01', 'Dr. Lito Ramos', 0,
  'Chest pain', 'Acute coronary syndrome', 'To consider ACS', 'ECG', 'Watcher: daughter', NULL);
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, RoomID, PatientClass, DoctorID)
VALUES ('700102', 'H002', '2026-03-04 23:59:30', 'W12', 'S', 'D02');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, RoomID, PatientClass, DoctorID)
VALUES ('700103', 'H003', '2026-03-03 10:00:00', 'W12', 'S', 'D01');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass, DoctorID, Disposition)
VALUES ('700104', 'H004', '2026-03-01 08:00:00', '2026-03-04 23:45:00', '302', 'P', 'D01', 'IMPROVED');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, RoomID, PatientClass, DoctorID)
VALUES ('700105', 'H005', '2026-03-05 00:00:00', '302', 'P', 'D02');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass, DoctorID, Disposition)
VALUES ('700106', 'H006', '2026-02-20 14:00:00', '2026-03-05 00:00:00', '301', 'P', 'D02', 'HAMA');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass, DoctorID, Disposition)
VALUES ('700107', 'H007', '2026-02-25 11:00:00', '2026-03-04 00:00:00', 'W12', 'S', 'D01', 'RECOVERED');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, DcrDate, RoomID, PatientClass, DoctorID, Disposition)
VALUES ('700108', 'H008', '2026-03-04 09:15:00', '2026-03-04 17:00:00', 'W12', 'S', 'D02', 'DIED');
-- ER visits: from the evening before; at the first midnight; absconded; expired in the
-- last second; still in the ER; at the next midnight; admitted to the wards.
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification, DoctorID, Complaint, Disposition)
VALUES ('900201E', 'H001', '2026-03-03 22:10:00', '2026-03-04 00:00:00', 'P', 'D01', 'Chest pain', 'ADMITTED');
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification, DoctorID, Complaint, Disposition)
VALUES ('900202E', 'H009', '2026-03-04 00:00:00', '2026-03-04 02:00:00', 'P', 'D02', 'Laceration, left hand', 'DISCHARGED');
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification, DoctorID, Complaint, Disposition)
VALUES ('900203E', 'H010', '2026-03-04 13:30:00', '2026-03-04 14:10:00', 'S', 'D02', 'Abdominal pain', 'ABSCONDED');
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification, DoctorID, Complaint, Disposition)
VALUES ('900204E', 'H011', '2026-03-04 21:00:00', '2026-03-04 23:59:59', 'S', 'D01', 'Difficulty of breathing', 'EXPIRED');
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, PatientClassification, DoctorID, Complaint)
VALUES ('900205E', 'H012', '2026-03-04 23:50:00', 'P', 'D01', 'Fever');
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification, DoctorID, Complaint, Disposition)
VALUES ('900206E', 'H013', '2026-03-05 00:00:00', '2026-03-05 01:00:00', 'P', 'D02', 'Dog bite', 'DISCHARGED');
INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate, DcrDate, PatientClassification, DoctorID, Complaint, Disposition)
VALUES ('900207E', 'H002', '2026-03-04 19:00:00', '2026-03-04 23:55:00', 'S', 'D02', 'Vomiting', 'ADMITTED');
