-- One full intake sheet of an in-patient with four family members, and a second patient
-- whose sheet and family must not show on it. The sheet's saved total (the income of the
-- row last edited) differs from the members' sum, which is what the sheet prints.
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, Procedures, Medicines,
  Supplies, Room, Procedures2, Medicines2, Supplies2)
VALUES ('A1', 'A', 'Full Pay', 0, 0, 0, 0, 0, 0, 0);
INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification, Procedures, Medicines,
  Supplies, Room, Procedures2, Medicines2, Supplies2)
VALUES ('A2', 'C2', 'Charity - Partial 50%', 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5);
INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES ('02', 'Hemodialysis');
INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES ('11', 'Internal Medicine');
INSERT INTO ZEP.tbZEPActive (Code, CaseStatus) VALUES ('N', 'New');
INSERT INTO ZEP.tbZEPActive (Code, CaseStatus) VALUES ('O', 'Old');
INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES ('2', 'Attending Physician');
INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES ('7', 'Relative or Friend');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, BirthDate,
  CivilStatus, ZEPNum, ZEPClassification, ZEPDiscountValidity, ZEPDiscountExpiry)
VALUES ('00200417', 'DELA CRUZ', 'ROSARIO', 'MANALO', 'F', '1968-02-14', '3', 'ZEP-02117', 'C2',
  '2026-03-02', '2026-08-29');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, Sex, ZEPNum, ZEPClassification)
VALUES ('00200418', 'OCAMPO', 'LEANDRO', 'M', 'ZEP-02118', 'A');
INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, ReferringDoctor, ChiefComplaint,
  AdmittingDiagnosis, AdmittingImpression, Procedures)
VALUES ('613402', '00200417', '2026-02-27 14:20:00', 'Dr. Ernesto Villanueva',
  'Body weakness and swelling of both legs', 'End-stage renal disease secondary to diabetic nephropathy',
  'ESRD', 'Hemodialysis');
INSERT INTO ZEP.tbZEPIntakeSheet (HospNum, IdNum, InterviewDate, Ward, LastName, FirstName,
  MiddleName, HouseStreet, Barangay, ZipCode, Province, Sex, BirthDate, CivilStatus, Occupation,
  Age, TelNo, SSSMember, BirthPlace, Religion, Employer, EmploymentAddress, Education, Salary,
  AdmissionDate, SeniorCitizen, Category, CategoryID, CaseStatus, ReferringPartyID, ZEPW,
  ActiveStatus, TotalFamilyIncome, ReferredBy, DateReferred, ReferralAddress, DSWDSCSR, AOCert,
  CertOfEmployment, TreasurerMayorOffice, BrgyClearance, Others, Treatment, OtherMDInfo,
  Resources, Expenses, FinancialProb, Difficulty, Aggressiveness, Refusal, IrregularCheckUp,
  OtherProblem, HelpingGoals, ActionTaken, Philhealth, InfoSource, WorkStatus,
  DiagnosticImpress, UpdatedAt)
VALUES ('00200417', '613402', '2026-03-02', '3W-12', 'DELA CRUZ', 'ROSARIO', 'MANALO',
  '45 Sampaguita St.', 'Bagong Silangan', '1119', 'Quezon City, Metro Manila', 'Female',
  '1968-02-14', 'Married', 'Vendor', '58', '0917-555-0142', '03-1234567-8', 'Lucena, Quezon',
  'Roman Catholic', 'Self-employed', 'Commonwealth Market, Quezon City', 'High School Graduate',
  '4,500 a month', '2026-02-27', 0, 'Hemodialysis', '02', 'N', '2', 'Reyes, Ana Liza Bautista',
  'Y', 4500, 'Dr. Ernesto Villanueva', '2026-03-01', 'Department of Medicine, 3rd floor',
  'Submitted', '', 'Not employed', 'Certificate of indigency', 'Submitted', 'Senior ID of husband',
  'Hemodialysis twice a week', 'Needs an AV fistula', 'Children help with the rent',
  'Rent P 3,000
Electricity and water P 1,800', 1, 1, 0, 0, 1,
  'Cannot afford transport to the dialysis centre', 'Help the family plan the cost of dialysis.
Refer to PCSO for the fistula.', 'Classified C2; referred to PCSO with a guarantee letter.',
  'PhilHealth member (informal sector)', 'Patient and husband', 'Self-employed',
  'Family under financial strain from long-term dialysis', '2026-03-02 10:15:00');
INSERT INTO ZEP.tbZEPFamilyMember (HospNum, MemberNo, Name, Relationship, Age, CivilStatus,
  Education, Address, Occupation, Income)
VALUES ('00200417', 1, 'Ramon S. Dela Cruz', 'Husband', '61', 'MARRIED', 'Elementary Graduate',
  'Same', 'Tricycle driver', 6500);
INSERT INTO ZEP.tbZEPFamilyMember (HospNum, MemberNo, Name, Relationship, Age, CivilStatus,
  Education, Address, Occupation, Income)
VALUES ('00200417', 2, 'Maricel M. Dela Cruz', 'Daughter', '32', 'SINGLE', 'College Graduate',
  'Caloocan City', 'Call centre agent', 18250.5);
INSERT INTO ZEP.tbZEPFamilyMember (HospNum, MemberNo, Name, Relationship, Age, CivilStatus,
  Education, Address, Occupation, Income)
VALUES ('00200417', 3, 'Jomar M. Dela Cruz', 'Son', '24', 'SINGLE', 'College Level', 'Same',
  'Student', 0);
INSERT INTO ZEP.tbZEPFamilyMember (HospNum, MemberNo, Name, Relationship, Age, CivilStatus,
  Education, Address, Occupation, Income)
VALUES ('00200417', 4, 'Lorna D. Manalo', 'Sister', '55', 'WIDOW/ER', 'High School Graduate',
  'Same', 'Laundry woman', 2000);
INSERT INTO ZEP.tbZEPIntakeSheet (HospNum, LastName, FirstName, Category, CategoryID,
  CaseStatus, ZEPW, TotalFamilyIncome, FinancialProb, HelpingGoals, UpdatedAt)
VALUES ('00200418', 'OCAMPO', 'LEANDRO', 'Internal Medicine', '11', 'O', 'Bautista, Joel Cruz',
  90000, 0, 'Another patient''s goals', '2026-03-05 08:00:00');
INSERT INTO ZEP.tbZEPFamilyMember (HospNum, MemberNo, Name, Relationship, Income)
VALUES ('00200418', 1, 'Teresa Ocampo', 'Wife', 90000);
