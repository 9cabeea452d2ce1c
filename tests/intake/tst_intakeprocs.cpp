// The intake sheet's procedures on a real engine: a whole save read back value by value,
// refused values, case-number ownership, roll-back of a failed save and two workstations
// saving one case number at once.
#include "testdb.h"

#include "db/connection.h"

#include <QTest>
#include <QThread>
#include <functional>
#include <thread>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

const QString kSheet = u"ZEP..sp_ZEP_SaveIntakeSheetData"_s;
const QString kOther = u"ZEP..sp_ZEP_SaveOtherPatientInfo"_s;
const QString kPatient = u"ZEP..sp_ZEP_SavePatientData"_s;
const QString kLoad = u"ZEP..sp_ZEP_LoadExistIntakeSheet"_s;
const QString kFamily = u"ZEP..sp_ZEP_LoadExistFamilyComposition"_s;

void seed(db::Connection& c) {
    const auto run = [&](const QString& sql, const QVariantList& v = {}) { c.Execute(sql, v); };
    run(u"INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification) VALUES "
        "('A1', 'C1', 'Class One'), ('A2', 'C2', 'Class Two')"_s);
    run(u"INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES "
        "('01', 'Medical'), ('02', 'Surgical')"_s);
    run(u"INSERT INTO ZEP.tbZEPReferringParty (Code, ReferringParty) VALUES "
        "('R1', 'Barangay'), ('R2', 'Walk-in')"_s);
    run(u"INSERT INTO ZEP.tbZEPActive (Code, CaseStatus) VALUES ('N', 'New'), ('O', 'Old')"_s);
    for (const auto& [hosp, last, first] :
         {std::tuple{"H1", "O'BRIEN", "MARY \"JO\""}, std::tuple{"H2", "SANTOS", "PEDRO"},
          std::tuple{"H3", "REYES", "ANA"}, std::tuple{"H4", "CRUZ", "LITO"},
          std::tuple{"H5", "GARCIA", "ROSA"}, std::tuple{"H6", "LIM", "TOMAS"},
          std::tuple{"H7", "TAN", "EMMA"}, std::tuple{"H8", "GO", "BEN"}})
        run(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName) "
            "VALUES (?, ?, ?, ?)"_s,
            {QString::fromLatin1(hosp), QString::fromLatin1(last), QString::fromLatin1(first),
             QString::fromLatin1(hosp) == u"H1"_s ? u"DE LA PAZ"_s : QString()});
    run(u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, ChiefComplaint, "
        "AdmittingDiagnosis) VALUES ('1001', 'H1', '2026-03-14 08:00:00', 'Cough; fever', "
        "'Pneumonia')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, Complaint) VALUES "
        "('5001B', 'H2', '2026-03-12 09:30:00', 'Check-up')"_s);
    run(u"INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate) VALUES "
        "('7001E', 'H3', '2026-03-13 22:10:00')"_s);
}

// A complete save of one sheet: the sheet's 32 values, the other information's 27, the
// case data's 12 and the family rows, in the screen's order.
struct Save {
    QVariantList sheet, other, patient;
    QVector<QVariantList> family;
};

Save fullSave() {
    Save s;
    s.sheet = {u"H1"_s,
               u"03/15/2026"_s,
               u"Class One"_s,
               u"Medical"_s,
               u"12,000.50 'monthly'"_s,
               u"College; 2nd yr"_s,
               u"301"_s,
               u"O'BRIEN"_s,
               u"MARY \"JO\""_s,
               u"DE LA PAZ"_s,
               u"12 Mabini St.; Apt 3"_s,
               u"Brgy. 'San Jose'"_s,
               u"3000"_s,
               u"Malolos, Bulacan"_s,
               u"Female"_s,
               u"7/4/1980"_s,
               u"Widow/er"_s,
               u"Vendor"_s,
               u"45"_s,
               u"044-123'4567"_s,
               u"SSS 33-1234"_s,
               u"Hagonoy"_s,
               u"R.C."_s,
               u"Tindahan; Inc."_s,
               u"Market Rd. -- 2"_s,
               u"1001"_s,
               u"03/14/2026"_s,
               u"O"_s,
               u"03/15/2026"_s,
               u"03/15/2027"_s,
               u"Z-100"_s,
               1};
    s.other = {u"H1"_s,
               u"Dr. Cruz; 'Jr.'"_s,
               u"2026-03-10"_s,
               u"Sitio 'Uno'"_s,
               u"DSWD'1"_s,
               u"AO;2"_s,
               u"COE \"3\""_s,
               u"Mayor 4"_s,
               u"Brgy 5"_s,
               u"Other 6"_s,
               u"Nebulised; ''twice''"_s,
               u"MD info"_s,
               u"Pension"_s,
               u"Rent; food"_s,
               1,
               0,
               u"1"_s,
               1,
               0,
               u"Other prob"_s,
               u"Goals');--"_s,
               u"Action"_s,
               u"PH-123"_s,
               u"Daughter"_s,
               u"Employed"_s,
               u"Impression; 'x'"_s,
               u"Walk-in"_s};
    s.patient = {u"H1"_s,         u"1001"_s,       u"Z-100"_s,
                 u"C1"_s,         u"Medical"_s,    u"01"_s,
                 u"03/15/2026"_s, u"03/15/2027"_s, u"SW. JUANA; 'RSW'"_s,
                 u"R2"_s,         u"O"_s,          u"Y"_s};
    s.family = {{u"H1"_s, u"ANA O'BRIEN"_s, u"Daughter"_s, u"20"_s, u"SINGLE"_s, u"College"_s,
                 u"Same; addr"_s, u"Clerk"_s, 8000.5, 8000.5},
                {u"H1"_s, u"PEDRO \"JR\""_s, u"Son"_s, u"17"_s, u"SINGLE"_s, u"HS"_s, u"Same"_s,
                 u"Student"_s, u"0"_s, 8000.5}};
    return s;
}

// The same values for another patient and case number.
Save saveFor(const QString& hosp, const QString& caseNo) {
    Save s = fullSave();
    s.sheet[0] = s.other[0] = s.patient[0] = hosp;
    s.sheet[25] = s.patient[1] = QString();
    s.sheet[30] = s.patient[2] = caseNo;
    for (auto& row : s.family)
        row[0] = hosp;
    return s;
}

// What the screen sends on Save, inside one transaction.
void send(db::Connection& c, const Save& s) {
    db::Transaction t(c);
    c.Call(kSheet, s.sheet);
    c.Call(kOther, s.other);
    c.Call(kPatient, s.patient);
    c.Call(u"ZEP..sp_ZEP_ClearFamilyComposition"_s, {s.sheet.at(0)});
    for (const auto& row : s.family)
        c.Call(u"ZEP..sp_ZEP_SaveFamilyComposition"_s, row);
    t.commit();
}

// Every row of the tables a save touches, as text.
QStringList snapshot(db::Connection& c) {
    QStringList out;
    for (const auto& sql : {u"SELECT * FROM ZEP.tbZEPIntakeSheet ORDER BY HospNum"_s,
                            u"SELECT * FROM ZEP.tbZEPFamilyMember ORDER BY HospNum, MemberNo"_s,
                            u"SELECT * FROM PATIENT_DATA.tbMaster ORDER BY HospNum"_s}) {
        auto rs = c.Query(sql);
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList row;
            for (int i = 0; i < rs.FieldCount(); ++i)
                row << rs.Text(i);
            out << row.join(u'|');
        }
    }
    return out;
}

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const db::Error& e) {
        return e.Description().isEmpty() ? u"(error without description)"_s : e.Description();
    }
    return {};
}

} // namespace

class tst_intakeprocs : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        c = testdb::fresh();
        seed(*c);
        send(*c, fullSave());
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* column, const QString& v) {
            QTest::newRow(name) << QString::fromLatin1(column) << v;
        };
        row("sheet 1 hospital number", "HospNum", u"H1"_s);
        row("sheet 2 interview date", "InterviewDate", u"2026-03-15"_s);
        row("sheet 3 class name (of the code)", "Classification", u"Class One"_s);
        row("sheet 4 / case 5 category", "category", u"Medical"_s);
        row("sheet 5 salary as typed", "Salary", u"12,000.50 'monthly'"_s);
        row("sheet 6 education", "Education", u"College; 2nd yr"_s);
        row("sheet 7 ward", "Ward", u"301"_s);
        row("sheet 8 last name", "LastName", u"O'BRIEN"_s);
        row("sheet 9 first name", "FirstName", u"MARY \"JO\""_s);
        row("sheet 10 middle name", "MiddleName", u"DE LA PAZ"_s);
        row("sheet 11 house and street", "HouseStreet", u"12 Mabini St.; Apt 3"_s);
        row("sheet 12 barangay", "Barangay", u"Brgy. 'San Jose'"_s);
        row("sheet 13 zip code", "ZipCode", u"3000"_s);
        row("sheet 14 town/province", "Province", u"Malolos, Bulacan"_s);
        row("sheet 15 sex", "Sex", u"Female"_s);
        row("sheet 16 birth date", "BirthDate", u"1980-07-04"_s);
        row("sheet 17 civil status", "CivilStatus", u"Widow/er"_s);
        row("sheet 18 occupation", "Occupation", u"Vendor"_s);
        row("sheet 19 age", "Age", u"45"_s);
        row("sheet 20 telephone", "TelNo", u"044-123'4567"_s);
        row("sheet 21 SSS/GSIS", "SSSMember", u"SSS 33-1234"_s);
        row("sheet 22 birthplace", "BirthPlace", u"Hagonoy"_s);
        row("sheet 23 religion", "Religion", u"R.C."_s);
        row("sheet 24 employer", "Employer", u"Tindahan; Inc."_s);
        row("sheet 25 employer's address", "EmploymentAddress", u"Market Rd. -- 2"_s);
        row("sheet 26 / case 2 visit", "IdNum", u"1001"_s);
        row("sheet 27 admission date", "AdmissionDate", u"2026-03-14"_s);
        row("sheet 28 / case 11 status code", "casestatus", u"O"_s);
        row("status name", "Status", u"Old"_s);
        row("sheet 29 / case 7 date of intake", "IntakeDate", u"2026-03-15"_s);
        row("sheet 30 / case 8 expiry", "ExpiryDate", u"2027-03-15"_s);
        row("sheet 31 / case 3 case number", "ZEPNumber", u"Z-100"_s);
        row("sheet 32 senior citizen", "SeniorCitizen", u"1"_s);
        row("other 2 referred by", "ReferredBy", u"Dr. Cruz; 'Jr.'"_s);
        row("other 3 date referred", "DateReferred", u"2026-03-10"_s);
        row("other 4 referral address", "ReferralAddress", u"Sitio 'Uno'"_s);
        row("other 5 DSWD", "DSWDSCSR", u"DSWD'1"_s);
        row("other 6 AO certificate", "AOCert", u"AO;2"_s);
        row("other 7 certificate of employment", "CertOfEmployment", u"COE \"3\""_s);
        row("other 8 mayor's office", "TreasurerMayorOffice", u"Mayor 4"_s);
        row("other 9 barangay clearance", "BrgyClearance", u"Brgy 5"_s);
        row("other 10 other documents", "Others", u"Other 6"_s);
        row("other 11 treatment", "Treatment", u"Nebulised; ''twice''"_s);
        row("other 12 other medical info", "OtherMDInfo", u"MD info"_s);
        row("other 13 resources", "Resources", u"Pension"_s);
        row("other 14 expenses", "Expenses", u"Rent; food"_s);
        row("other 15 financial", "FinancialProb", u"1"_s);
        row("other 16 difficulty", "Difficulty", u"0"_s);
        row("other 17 aggressiveness", "Aggressiveness", u"1"_s);
        row("other 18 refusal", "Refusal", u"1"_s);
        row("other 19 irregular check-up", "IrregularCheckUp", u"0"_s);
        row("other 20 other problem", "OtherProblem", u"Other prob"_s);
        row("other 21 helping goals", "HelpingGoals", u"Goals');--"_s);
        row("other 22 action taken", "ActionTaken", u"Action"_s);
        row("other 23 PhilHealth", "Philhealth", u"PH-123"_s);
        row("other 24 source of information", "InfoSource", u"Daughter"_s);
        row("other 25 work status", "WorkStatus", u"Employed"_s);
        row("other 26 diagnostic impression", "DiagnosticImpress", u"Impression; 'x'"_s);
        row("other 27 / case 10 referring party", "refpartyid", u"R2"_s);
        row("referring party name", "ReferringParty", u"Walk-in"_s);
        row("case 4 class code", "Code", u"C1"_s);
        row("case 6 category id", "CategoryNum", u"01"_s);
        row("case 9 worker", "ZEPW", u"SW. JUANA; 'RSW'"_s);
        row("case 12 active", "activestatus", u"Y"_s);
        row("family total", "TotalFamilyIncome", u"8000.5"_s);
        row("chief complaint of the visit", "ChiefComplaint", u"Cough; fever"_s);
        row("diagnosis of the visit", "Diagnosis", u"Pneumonia"_s);
    }
    void roundTrip() {
        QFETCH(QString, column);
        QFETCH(QString, expected);
        auto rs = c->Call(kLoad, {u"H1"_s});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(column), expected);
    }

    void familyRoundTrip() {
        auto rs = c->Call(kFamily, {u"H1"_s});
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(rs.FieldCount(), 10);
        const QStringList first{u"ANA O'BRIEN"_s, u"Daughter"_s,   u"20"_s,    u"SINGLE"_s,
                                u"College"_s,     u"Same; addr"_s, u"Clerk"_s, u"8000.5"_s,
                                u"1"_s,           u"8000.5"_s};
        for (int i = 0; i < first.size(); ++i)
            QCOMPARE(rs.Text(i), first.at(i));
        rs.MoveNext();
        QCOMPARE(rs.Text(0), u"PEDRO \"JR\""_s);
        QCOMPARE(rs.Text(7), u"0"_s);
        QCOMPARE(rs.Text(u"Number"_s), u"2"_s);

        // A later save replaces the family whole and numbers it again from 1.
        Save s = fullSave();
        s.family = {{u"H1"_s, u"LOLA"_s, u"Mother"_s, u"70"_s, u"WIDOW"_s, u"-"_s, u"Same"_s,
                     u"-"_s, u"1234.567"_s, u"1234.567"_s}};
        send(*c, s);
        rs = c->Call(kFamily, {u"H1"_s});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(0), u"LOLA"_s);
        QCOMPARE(rs.Text(u"Number"_s), u"1"_s);
        QCOMPARE(rs.Text(u"Income"_s), u"1234.57"_s); // money keeps two decimals
        QCOMPARE(rs.Text(u"TotalIncome"_s), u"1234.57"_s);
        send(*c, fullSave());
    }

    void opening() {
        auto rs = c->Call(u"sp_SearchCategoryandClassification"_s, {u"1001"_s});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(u"Classification"_s), u"Class One"_s);
        QCOMPARE(rs.Text(u"classificationid"_s), u"C1"_s);
        QCOMPARE(rs.Text(u"category"_s), u"Medical"_s);
        QCOMPARE(rs.Text(u"categoryid"_s), u"01"_s);
        QCOMPARE(rs.Text(u"ZEP"_s), u"Z-100"_s);
        QCOMPARE(c->Call(u"sp_SearchCategoryandClassification"_s, {u"9999"_s}).RecordCount(), 0);
        // A patient with no case yet still gets his visit's row, empty.
        rs = c->Call(u"sp_SearchCategoryandClassification"_s, {u"5001b"_s});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(u"ZEP"_s), QString());

        rs = c->Call(u"Radiology..spGlobal_RegisteredOPD"_s, {QString(), 1, u"5001B"_s});
        QCOMPARE(rs.RecordCount(), 1);
        QVERIFY(rs.Text(u"AdmDate"_s).startsWith(u"2026-03-12"_s));
        QCOMPARE(c->Call(u"Radiology..spGlobal_RegisteredOPD"_s, {QString(), 1, u"1001"_s})
                     .RecordCount(),
                 0);
        QCOMPARE(c->Call(kLoad, {u"H2"_s}).RecordCount(), 0);
        QCOMPARE(c->Call(kFamily, {u"H2"_s}).RecordCount(), 0);
    }

    // The sheet's own statements for its lists and the look-ups of a chosen text, in the
    // portable form, name the columns the screen reads.
    void lookupStatements_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("categories")
            << u"SELECT Category FROM tbZEPCaseCategory ORDER BY "
               "CategoryID"_s
            << QString() << u"category"_s << QStringList{u"Medical"_s, u"Surgical"_s};
        QTest::newRow("class codes")
            << u"SELECT COALESCE(Code, '') AS Code, COALESCE(Classification, '') AS "
               "Classification FROM ZEP.tbZEPClassificationScheme ORDER BY Code"_s
            << QString() << u"Classification"_s << QStringList{u"Class One"_s, u"Class Two"_s};
        QTest::newRow("case statuses")
            << u"SELECT COALESCE(Code, '') AS Code, "
               "COALESCE(CaseStatus, '') AS CaseStatus FROM "
               "ZEP.tbZEPActive ORDER BY Code"_s
            << QString() << u"CaseStatus"_s << QStringList{u"New"_s, u"Old"_s};
        QTest::newRow("referring parties")
            << u"SELECT COALESCE(Code, '') AS Code, "
               "COALESCE(ReferringParty, '') AS ReferringParty "
               "FROM ZEP.tbZEPReferringParty ORDER BY Code"_s
            << QString() << u"ReferringParty"_s << QStringList{u"Barangay"_s, u"Walk-in"_s};
        QTest::newRow("party by name")
            << u"SELECT * FROM tbZEPReferringParty WHERE ReferringParty = ?"_s << u"Walk-in"_s
            << u"Code"_s << QStringList{u"R2"_s};
        QTest::newRow("status by name") << u"SELECT * FROM tbZEPActive WHERE CaseStatus = ?"_s
                                        << u"Old"_s << u"Code"_s << QStringList{u"O"_s};
        QTest::newRow("category by name")
            << u"SELECT * FROM tbZEPCaseCategory WHERE Category = ?"_s << u"Surgical"_s
            << u"categoryid"_s << QStringList{u"02"_s};
    }
    void lookupStatements() {
        QFETCH(QString, sql);
        QFETCH(QString, value);
        QFETCH(QString, column);
        QFETCH(QStringList, expected);
        auto rs = value.isNull() ? c->Query(sql) : c->Query(sql, {value});
        QStringList got;
        for (; !rs.Eof(); rs.MoveNext())
            got << rs.Text(column);
        QCOMPARE(got, expected);
    }

    // Each problem flag lands in its own column; captions of old sheets read as ticked.
    void flags_data() {
        QTest::addColumn<int>("position"); // 0-based in the other information
        QTest::addColumn<QVariant>("sent");
        QTest::addColumn<QString>("column");
        QTest::newRow("financial") << 14 << QVariant(1) << u"FinancialProb"_s;
        QTest::newRow("difficulty") << 15 << QVariant(u"1"_s) << u"Difficulty"_s;
        QTest::newRow("aggressiveness") << 16 << QVariant(1) << u"Aggressiveness"_s;
        QTest::newRow("refusal") << 17 << QVariant(1) << u"Refusal"_s;
        QTest::newRow("irregular") << 18 << QVariant(u"True"_s) << u"IrregularCheckUp"_s;
        QTest::newRow("old caption")
            << 14 << QVariant(u"Financial Problem"_s) << u"FinancialProb"_s;
        QTest::newRow("old caption, as the box spells it")
            << 16 << QVariant(u"Aggressiveness/Stuborness/Demanding Traits"_s)
            << u"Aggressiveness"_s;
        QTest::newRow("old caption, other case")
            << 17 << QVariant(u"refusal to accept treatment"_s) << u"Refusal"_s;
    }
    void flags() {
        QFETCH(int, position);
        QFETCH(QVariant, sent);
        QFETCH(QString, column);
        Save s = saveFor(u"H6"_s, u"Z-600"_s);
        for (int i = 14; i <= 18; ++i)
            s.other[i] = 0;
        s.other[position] = sent;
        c->Call(kOther, s.other);
        auto rs = c->Call(kLoad, {u"H6"_s});
        for (const auto& col : {u"FinancialProb"_s, u"Difficulty"_s, u"Aggressiveness"_s,
                                u"Refusal"_s, u"IrregularCheckUp"_s})
            QCOMPARE(rs.Text(col), col == column ? u"1"_s : u"0"_s);
    }

    // The senior-citizen box and the active box in the forms the screens send them.
    void yesNoFlags_data() {
        QTest::addColumn<QVariant>("senior");
        QTest::addColumn<QVariant>("active");
        QTest::addColumn<QString>("seniorStored");
        QTest::addColumn<QString>("activeStored");
        QTest::newRow("ticked") << QVariant(1) << QVariant(u"Y"_s) << u"1"_s << u"Y"_s;
        QTest::newRow("not ticked") << QVariant(0) << QVariant(u"N"_s) << u"0"_s << u"N"_s;
        QTest::newRow("as texts") << QVariant(u"True"_s) << QVariant(u"y"_s) << u"1"_s << u"Y"_s;
        QTest::newRow("empty") << QVariant(QString()) << QVariant(QString()) << u"0"_s << u"N"_s;
    }
    void yesNoFlags() {
        QFETCH(QVariant, senior);
        QFETCH(QVariant, active);
        QFETCH(QString, seniorStored);
        QFETCH(QString, activeStored);
        Save s = saveFor(u"H6"_s, u"Z-600"_s);
        s.sheet[31] = senior;
        s.patient[11] = active;
        send(*c, s);
        auto rs = c->Call(kLoad, {u"H6"_s});
        QCOMPARE(rs.Text(u"SeniorCitizen"_s), seniorStored);
        QCOMPARE(rs.Text(u"activestatus"_s), activeStored);
    }

    // A value that is not what its column keeps refuses the whole save: nothing is stored.
    void refused_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("position"); // 0-based
        QTest::addColumn<QVariant>("sent");
        QTest::addColumn<QString>("message");
        QTest::newRow("interview date")
            << kSheet << 1 << QVariant(u"next week"_s) << u"'next week' is not a valid date."_s;
        QTest::newRow("impossible birth date")
            << kSheet << 15 << QVariant(u"02/30/1980"_s) << u"'02/30/1980' is not a valid date."_s;
        QTest::newRow("admission date")
            << kSheet << 26 << QVariant(u"14/03/2026"_s) << u"'14/03/2026' is not a valid date."_s;
        QTest::newRow("sheet expiry")
            << kSheet << 29 << QVariant(u"2027-13-01"_s) << u"'2027-13-01' is not a valid date."_s;
        QTest::newRow("date referred")
            << kOther << 2 << QVariant(u"03/10"_s) << u"'03/10' is not a valid date."_s;
        QTest::newRow("date of intake")
            << kPatient << 6 << QVariant(u"yesterday"_s) << u"'yesterday' is not a valid date."_s;
        QTest::newRow("expiry") << kPatient << 7 << QVariant(u"3/15/27x"_s)
                                << u"'3/15/27x' is not a valid date."_s;
        QTest::newRow("civil status")
            << kSheet << 16 << QVariant(u"Divorced"_s) << u"'Divorced' is not a civil status"_s;
        QTest::newRow("flag") << kOther << 15 << QVariant(u"maybe"_s) << u"'maybe' is not"_s;
        QTest::newRow("active") << kPatient << 11 << QVariant(u"A"_s) << u"'A' is not"_s;
        QTest::newRow("sex") << kSheet << 14 << QVariant(u"X"_s) << u"'X' is not a valid sex"_s;
        QTest::newRow("patient not on file")
            << kOther << 0 << QVariant(u"NOBODY"_s) << u"Hospital number NOBODY is not"_s;
        QTest::newRow("class code")
            << kPatient << 3 << QVariant(u"ZZ"_s) << u"'ZZ' is not a known classification code."_s;
        QTest::newRow("missing case number")
            << kPatient << 2 << QVariant(QString()) << u"The case number is missing."_s;
    }
    void refused() {
        QFETCH(QString, call);
        QFETCH(int, position);
        QFETCH(QVariant, sent);
        QFETCH(QString, message);
        Save s = saveFor(u"H4"_s, u"Z-400"_s);
        QVariantList& list = call == kSheet ? s.sheet : call == kOther ? s.other : s.patient;
        list[position] = sent;
        const QStringList before = snapshot(*c);
        const QString error = errorOf([&] { send(*c, s); });
        QVERIFY2(error.startsWith(message), qPrintable(error));
        QCOMPARE(snapshot(*c), before);
        QVERIFY(!c->inTransaction());
        // The call alone, outside a transaction, leaves nothing of itself either.
        QVERIFY(!errorOf([&] { c->Call(call, list); }).isEmpty());
        QCOMPARE(snapshot(*c), before);
    }

    void caseNumberOwnership() {
        // The owner's row comes first for any other patient who asks.
        auto rs = c->Call(u"ZEP..sp_ZEP_GetExistsZEPNumber"_s, {u"Z-100"_s, u"H5"_s});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(u"HospNum"_s), u"H1"_s);
        QCOMPARE(rs.Text(u"PatientName"_s), u"O'BRIEN, MARY \"JO\" DE LA PAZ"_s);
        QCOMPARE(c->Call(u"ZEP..sp_ZEP_GetExistsZEPNumber"_s, {u"Z-999"_s, u"H5"_s}).RecordCount(),
                 0);

        const QStringList before = snapshot(*c);
        for (const QString& call : {kSheet, kPatient}) {
            const Save s = saveFor(u"H5"_s, u"Z-100"_s);
            try {
                c->Call(call, call == kSheet ? s.sheet : s.patient);
                QFAIL("another patient's case number was taken");
            } catch (const db::Error& e) {
                QVERIFY(e.isUniqueViolation());
                QVERIFY2(e.Description().contains(u"O'BRIEN, MARY \"JO\" DE LA PAZ"_s),
                         qPrintable(e.Description()));
                QVERIFY(e.Description().contains(u"H1"_s));
            }
        }
        QCOMPARE(snapshot(*c), before);

        // The patient's own number saves again.
        send(*c, fullSave());
        QCOMPARE(c->Call(kLoad, {u"H1"_s}).Text(u"ZEPNumber"_s), u"Z-100"_s);
    }

    // A failure anywhere in the sequence leaves the database as it was.
    void faultRollsBack_data() {
        QTest::addColumn<int>("nth");
        for (int n = 2; n <= 5; ++n)
            QTest::addRow("call %d fails", n) << n;
    }
    void faultRollsBack() {
        QFETCH(int, nth);
        Save s = fullSave();
        s.sheet[7] = u"CHANGED"_s;
        s.other[1] = u"Changed"_s;
        s.patient[2] = s.sheet[30] = u"Z-101"_s;
        s.family.removeLast();
        const QStringList before = snapshot(*c);
        c->faults().failCall(nth);
        const QString error = errorOf([&] { send(*c, s); });
        c->faults().disarm();
        QVERIFY(error.startsWith(u"Injected fault"_s));
        QCOMPARE(snapshot(*c), before);
    }

    // Two workstations give one new case number to two patients at once: one keeps it, the
    // other is told who owns it, and nothing of the second is left.
    void concurrentCaseNumber() {
        auto other = testdb::reopen(*c);
        const QStringList before = snapshot(*c);
        const Save first = saveFor(u"H7"_s, u"Z-777"_s), second = saveFor(u"H8"_s, u"Z-777"_s);

        db::Transaction t(*c);
        QString secondError;
        std::unique_ptr<db::Transaction> t2;
        if (testdb::isPg())
            t2 = std::make_unique<db::Transaction>(*other); // both open before either commits
        c->Call(kSheet, first.sheet);
        c->Call(kOther, first.other);
        c->Call(kPatient, first.patient);
        std::thread writer([&] {
            secondError = errorOf([&] {
                if (!t2)
                    t2 = std::make_unique<db::Transaction>(*other); // waits for the first
                other->Call(kSheet, second.sheet);
                other->Call(kOther, second.other);
                other->Call(kPatient, second.patient);
                t2->commit();
            });
            t2.reset();
        });
        if (testdb::isPg()) {
            // Let the second writer reach the case number and wait on it.
            auto watch = testdb::reopen(*c);
            for (int i = 0; i < 200; ++i) {
                if (watch
                        ->Query(u"SELECT COUNT(*) AS n FROM pg_stat_activity WHERE datname = "
                                "current_database() AND wait_event_type = 'Lock'"_s)
                        .Number(u"n"_s) > 0)
                    break;
                QThread::msleep(50);
            }
        }
        t.commit();
        writer.join();

        QVERIFY2(secondError.contains(u"Z-777"_s) && secondError.contains(u"TAN, EMMA"_s) &&
                     secondError.contains(u"H7"_s),
                 qPrintable(secondError));
        QCOMPARE(c->Call(kLoad, {u"H7"_s}).Text(u"ZEPNumber"_s), u"Z-777"_s);
        QCOMPARE(c->Call(kLoad, {u"H8"_s}).RecordCount(), 0);
        QCOMPARE(other->Call(kLoad, {u"H8"_s}).RecordCount(), 0);
        const QStringList after = snapshot(*c);
        QCOMPARE(after.size(), before.size() + 1); // H7's sheet, and H7's master row changed
        for (const QString& row : after)
            if (row.startsWith(u"H8|"_s))
                QVERIFY2(!row.contains(u"Z-777"_s), qPrintable(row));
    }
};

QTEST_GUILESS_MAIN(tst_intakeprocs)
#include "tst_intakeprocs.moc"
