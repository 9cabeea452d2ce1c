-- The patient search list at hospital scale.
--
-- 1. Every patient's latest visit of any kind, kept on the master record by triggers on the
--    three visit tables, so that the ZEP patients' list does not look into three visit
--    tables for each of two thousand case holders.
-- 2. Indexes that carry the columns the list shows, so that a search of two thousand rows
--    reads the name index in order and one index entry per visit, instead of two thousand
--    master and visit records scattered over the whole file.

ALTER TABLE PATIENT_DATA.tbMaster ADD COLUMN LastVisitIdNum VARCHAR(20);
ALTER TABLE PATIENT_DATA.tbMaster ADD COLUMN LastVisitDate TIMESTAMP;

UPDATE PATIENT_DATA.tbMaster SET (LastVisitIdNum, LastVisitDate) = (
    SELECT v.IdNum, v.AdmDate FROM (SELECT IdNum, AdmDate FROM PATIENT_DATA.tbPatient2 WHERE HospNum = tbMaster.HospNum
        UNION ALL SELECT IdNum, AdmDate FROM PATIENT_DATA.tbOutPatient WHERE HospNum = tbMaster.HospNum
        UNION ALL SELECT IdNum, AdmDate FROM PATIENT_DATA.tbERMaster WHERE HospNum = tbMaster.HospNum) v ORDER BY v.AdmDate DESC, v.IdNum DESC LIMIT 1);


-- The embedded engine: a trigger's body names tables of its own file without the database.
-- A new visit becomes the latest when it is not older than the one on record; a visit
-- moved, renumbered or removed makes the patients concerned look again.
{SQLITE} CREATE TRIGGER PATIENT_DATA.trPatient2LatestInsert AFTER INSERT ON tbPatient2 BEGIN
    UPDATE tbMaster SET LastVisitIdNum = NEW.IdNum, LastVisitDate = NEW.AdmDate
     WHERE HospNum = NEW.HospNum
       AND (LastVisitDate IS NULL OR LastVisitDate < NEW.AdmDate
            OR (LastVisitDate = NEW.AdmDate AND LastVisitIdNum < NEW.IdNum));
END;
{SQLITE} CREATE TRIGGER PATIENT_DATA.trPatient2LatestUpdate
    AFTER UPDATE OF HospNum, AdmDate, IdNum ON tbPatient2 BEGIN
    UPDATE tbMaster SET (LastVisitIdNum, LastVisitDate) = (
        SELECT v.IdNum, v.AdmDate FROM (SELECT IdNum, AdmDate FROM tbPatient2 WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbOutPatient WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbERMaster WHERE HospNum = tbMaster.HospNum) v ORDER BY v.AdmDate DESC, v.IdNum DESC LIMIT 1)
     WHERE HospNum IN (OLD.HospNum, NEW.HospNum);
END;
{SQLITE} CREATE TRIGGER PATIENT_DATA.trPatient2LatestDelete AFTER DELETE ON tbPatient2 BEGIN
    UPDATE tbMaster SET (LastVisitIdNum, LastVisitDate) = (
        SELECT v.IdNum, v.AdmDate FROM (SELECT IdNum, AdmDate FROM tbPatient2 WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbOutPatient WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbERMaster WHERE HospNum = tbMaster.HospNum) v ORDER BY v.AdmDate DESC, v.IdNum DESC LIMIT 1)
     WHERE HospNum = OLD.HospNum;
END;
{SQLITE} CREATE TRIGGER PATIENT_DATA.trOutPatientLatestInsert AFTER INSERT ON tbOutPatient BEGIN
    UPDATE tbMaster SET LastVisitIdNum = NEW.IdNum, LastVisitDate = NEW.AdmDate
     WHERE HospNum = NEW.HospNum
       AND (LastVisitDate IS NULL OR LastVisitDate < NEW.AdmDate
            OR (LastVisitDate = NEW.AdmDate AND LastVisitIdNum < NEW.IdNum));
END;
{SQLITE} CREATE TRIGGER PATIENT_DATA.trOutPatientLatestUpdate
    AFTER UPDATE OF HospNum, AdmDate, IdNum ON tbOutPatient BEGIN
    UPDATE tbMaster SET (LastVisitIdNum, LastVisitDate) = (
        SELECT v.IdNum, v.AdmDate FROM (SELECT IdNum, AdmDate FROM tbPatient2 WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbOutPatient WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbERMaster WHERE HospNum = tbMaster.HospNum) v ORDER BY v.AdmDate DESC, v.IdNum DESC LIMIT 1)
     WHERE HospNum IN (OLD.HospNum, NEW.HospNum);
END;
{SQLITE} CREATE TRIGGER PATIENT_DATA.trOutPatientLatestDelete AFTER DELETE ON tbOutPatient BEGIN
    UPDATE tbMaster SET (LastVisitIdNum, LastVisitDate) = (
        SELECT v.IdNum, v.AdmDate FROM (SELECT IdNum, AdmDate FROM tbPatient2 WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbOutPatient WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbERMaster WHERE HospNum = tbMaster.HospNum) v ORDER BY v.AdmDate DESC, v.IdNum DESC LIMIT 1)
     WHERE HospNum = OLD.HospNum;
END;
{SQLITE} CREATE TRIGGER PATIENT_DATA.trERMasterLatestInsert AFTER INSERT ON tbERMaster BEGIN
    UPDATE tbMaster SET LastVisitIdNum = NEW.IdNum, LastVisitDate = NEW.AdmDate
     WHERE HospNum = NEW.HospNum
       AND (LastVisitDate IS NULL OR LastVisitDate < NEW.AdmDate
            OR (LastVisitDate = NEW.AdmDate AND LastVisitIdNum < NEW.IdNum));
END;
{SQLITE} CREATE TRIGGER PATIENT_DATA.trERMasterLatestUpdate
    AFTER UPDATE OF HospNum, AdmDate, IdNum ON tbERMaster BEGIN
    UPDATE tbMaster SET (LastVisitIdNum, LastVisitDate) = (
        SELECT v.IdNum, v.AdmDate FROM (SELECT IdNum, AdmDate FROM tbPatient2 WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbOutPatient WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbERMaster WHERE HospNum = tbMaster.HospNum) v ORDER BY v.AdmDate DESC, v.IdNum DESC LIMIT 1)
     WHERE HospNum IN (OLD.HospNum, NEW.HospNum);
END;
{SQLITE} CREATE TRIGGER PATIENT_DATA.trERMasterLatestDelete AFTER DELETE ON tbERMaster BEGIN
    UPDATE tbMaster SET (LastVisitIdNum, LastVisitDate) = (
        SELECT v.IdNum, v.AdmDate FROM (SELECT IdNum, AdmDate FROM tbPatient2 WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbOutPatient WHERE HospNum = tbMaster.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM tbERMaster WHERE HospNum = tbMaster.HospNum) v ORDER BY v.AdmDate DESC, v.IdNum DESC LIMIT 1)
     WHERE HospNum = OLD.HospNum;
END;

-- The server: one trigger function for the three visit tables.
{POSTGRESQL} CREATE FUNCTION PATIENT_DATA.fnMasterLatestVisit() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    IF TG_OP = 'INSERT' THEN
        UPDATE PATIENT_DATA.tbMaster SET LastVisitIdNum = NEW.IdNum, LastVisitDate = NEW.AdmDate
         WHERE HospNum = NEW.HospNum
           AND (LastVisitDate IS NULL OR LastVisitDate < NEW.AdmDate
                OR (LastVisitDate = NEW.AdmDate AND LastVisitIdNum < NEW.IdNum));
        RETURN NULL;
    END IF;
    UPDATE PATIENT_DATA.tbMaster m SET (LastVisitIdNum, LastVisitDate) = (
        SELECT v.IdNum, v.AdmDate FROM (SELECT IdNum, AdmDate FROM PATIENT_DATA.tbPatient2 WHERE HospNum = m.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM PATIENT_DATA.tbOutPatient WHERE HospNum = m.HospNum
            UNION ALL SELECT IdNum, AdmDate FROM PATIENT_DATA.tbERMaster WHERE HospNum = m.HospNum) v ORDER BY v.AdmDate DESC, v.IdNum DESC LIMIT 1)
     WHERE m.HospNum = OLD.HospNum;
    IF TG_OP = 'UPDATE' AND NEW.HospNum <> OLD.HospNum THEN
        UPDATE PATIENT_DATA.tbMaster m SET (LastVisitIdNum, LastVisitDate) = (
            SELECT v.IdNum, v.AdmDate FROM (SELECT IdNum, AdmDate FROM PATIENT_DATA.tbPatient2 WHERE HospNum = m.HospNum
                UNION ALL SELECT IdNum, AdmDate FROM PATIENT_DATA.tbOutPatient WHERE HospNum = m.HospNum
                UNION ALL SELECT IdNum, AdmDate FROM PATIENT_DATA.tbERMaster WHERE HospNum = m.HospNum) v ORDER BY v.AdmDate DESC, v.IdNum DESC LIMIT 1)
         WHERE m.HospNum = NEW.HospNum;
    END IF;
    RETURN NULL;
END $$;
{POSTGRESQL} CREATE TRIGGER trPatient2LatestVisit
    AFTER INSERT OR DELETE OR UPDATE OF HospNum, AdmDate, IdNum ON PATIENT_DATA.tbPatient2
    FOR EACH ROW EXECUTE FUNCTION PATIENT_DATA.fnMasterLatestVisit();
{POSTGRESQL} CREATE TRIGGER trOutPatientLatestVisit
    AFTER INSERT OR DELETE OR UPDATE OF HospNum, AdmDate, IdNum ON PATIENT_DATA.tbOutPatient
    FOR EACH ROW EXECUTE FUNCTION PATIENT_DATA.fnMasterLatestVisit();
{POSTGRESQL} CREATE TRIGGER trERMasterLatestVisit
    AFTER INSERT OR DELETE OR UPDATE OF HospNum, AdmDate, IdNum ON PATIENT_DATA.tbERMaster
    FOR EACH ROW EXECUTE FUNCTION PATIENT_DATA.fnMasterLatestVisit();

-- The master file by name, with every column the list shows.
DROP INDEX PATIENT_DATA.ixMasterName;
CREATE INDEX ixMasterName ON PATIENT_DATA.tbMaster
    (LastName, FirstName, MiddleName, HospNum, ZEPNum, HouseStreet, Barangay, Town, Province);

-- Case holders by name, with their latest visit: the ZEP patients' search walks only the
-- patients with a case number instead of every patient of that name.
CREATE INDEX ixMasterZEPName ON PATIENT_DATA.tbMaster
    (LastName, FirstName, MiddleName, HospNum, ZEPNum, LastVisitIdNum, HouseStreet, Barangay,
     Town, Province)
    WHERE ZEPNum <> '';

-- A patient's visits with what the list shows of them.
DROP INDEX PATIENT_DATA.ixPatient2HospNum;
CREATE INDEX ixPatient2HospNum ON PATIENT_DATA.tbPatient2 (HospNum, AdmDate, IdNum, DcrDate, RoomID);
DROP INDEX PATIENT_DATA.ixOutPatientHospNum;
CREATE INDEX ixOutPatientHospNum ON PATIENT_DATA.tbOutPatient (HospNum, AdmDate, IdNum, DcrDate);
DROP INDEX PATIENT_DATA.ixERMasterHospNum;
CREATE INDEX ixERMasterHospNum ON PATIENT_DATA.tbERMaster (HospNum, AdmDate, IdNum, DcrDate);

-- A visit's latest charge: one step into the index instead of reading every charge line.
CREATE INDEX ixDailyBillIdNumDate ON BILLING.tbBillDailyBill (IdNum, TransDate);
CREATE INDEX ixOPDailyOutIdNumDate ON BILLING.tbBillOPDailyOut (IdNum, TransDate);
