// The referral report's save on a real engine: what reaches the database and in which
// order, a failure at each statement and at the commit, the special case, and a case
// number held by another patient.
#include "referralseed.h"
#include "testdb.h"

#include "referral/arrsave.h"

#include <QTest>

using namespace referralseed;

namespace {

// H1's report on admission 1001 as a worker would save it.
referral::ArrSave h1Report() {
    referral::ArrSave s;
    s.hospNum = u"H1 "_s; // the property goes out as given
    s.idNum = u"1001"_s;
    s.shownHospNum = u"H1"_s;
    s.shownIdNum = u"1001"_s;
    s.caseNumber = u" Z-0001 "_s;
    s.classCode = u"C1"_s;
    s.categoryName = u"Medical"_s;
    s.categoryId = u"01"_s;
    s.parentCategoryId = u"02"_s;
    s.referringParty = u"1"_s;
    s.remarks = u" sponsor called "_s;
    s.intakeDate = u"02/01/2026"_s;
    s.expiryDate = u"01/31/2027"_s;
    s.workerCode = u"E100"_s;
    s.userCode = u"U7"_s;
    s.pcso = true;
    s.sponsor = false;
    s.special = false;
    s.pcsoType = u"C"_s;
    s.counterpart = u"2500.50"_s;
    s.active = true;
    s.statusCode = u"N"_s;
    s.serviceCodes = u"1.1.1|1.2.3|"_s;
    s.documentationFlags = u"0|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|1|0|"_s;
    s.activityCodes = u"1.2.1|"_s;
    return s;
}

} // namespace

class tst_arrsave : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

    QString one(const QString& sql, const QVariantList& values = {}) {
        const db::Recordset rs = c->Query(sql, values);
        return rs.Eof() ? u"<no row>"_s : rs.Text(rs.FieldNames().value(0));
    }

    // Everything a save of visit 1001 or 1003 may touch, as one text.
    QString snapshot() {
        QStringList parts;
        for (db::Recordset rs = c->Query(
                 u"SELECT IdNum, ZEPNum, Code, Category, CaseCategoryID, ParentCategoryID, "
                 "ReferringPartyID, Remarks, ZEPW, UserID, IsPCSO, IsCDF, IsSpecial, NC, "
                 "PCSOType, Active, CaseStatus, DocPatientsProfile, DocProgressNote "
                 "FROM ZEP.tbZEPAssessment ORDER BY IdNum"_s);
             !rs.Eof(); rs.MoveNext()) {
            QStringList row;
            for (const QString& f : rs.FieldNames())
                row << rs.Text(f);
            parts << row.join(u',');
        }
        parts << u"services "_s + one(u"SELECT COUNT(*) FROM ZEP.tbZEPAssessmentService"_s);
        parts << u"activities "_s + one(u"SELECT COUNT(*) FROM ZEP.tbZEPAssessmentActivity"_s);
        parts << u"log "_s + one(u"SELECT COUNT(*) FROM ZEP.tbZEPTransaction"_s);
        parts << u"charges "_s + one(u"SELECT COUNT(*) FROM BILLING.tbBillDailyBill"_s);
        parts << u"master "_s +
                     one(u"SELECT COALESCE(ZEPNum, '') || '/' || COALESCE(ZEPClassification, '') "
                         "FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H1'"_s);
        return parts.join(u'\n');
    }

    // The procedure calls since `from`, as "name(values)".
    QStringList callsSince(int from) {
        QStringList out;
        const auto& e = c->log().entries();
        for (int i = from; i < e.size(); ++i)
            if (e.at(i).kind == db::LoggedCommand::Call ||
                e.at(i).text.startsWith(u"DELETE FROM BILLING"_s))
                out << e.at(i).text + u'(' + e.at(i).values.join(u"','"_s) + u')';
        return out;
    }

private slots:
    void init() {
        TESTDB_REQUIRE_BACKEND();
        c = testdb::fresh();
        seed(*c);
        // The department's pending charge on H1's admission, another department's charge,
        // and a QF charge under another case number: only the first goes.
        c->Execute(u"INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Amount, TransDate, "
                   "RefNum) VALUES ('1001', 'QF', 300, '2026-12-01 10:00:00', 'Z-0001'), "
                   "('1001', 'LB', 120, '2026-12-01 10:00:00', 'Z-0001'), "
                   "('1001', 'QF', 300, '2026-12-01 10:00:00', 'Z-0009')"_s);
        c->Execute(u"INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Amount, TransDate, "
                   "RefNum) VALUES ('6001B', 'QF', 150, '2026-12-05 10:00:00', 'Z-0600')"_s);
    }
    void cleanup() { c.reset(); }

    void statementsInOrder() {
        const int from = c->log().entries().size();
        QVERIFY(referral::send(*c, h1Report()).saved);
        QCOMPARE(callsSince(from),
                 (QStringList{
                     u"ZEP..sp_ZEP_GetExistsZEPNumber(Z-0001','H1)"_s,
                     u"ZEP..sp_ZEP_SaveAssessment_NEW(H1 ','1001','Z-0001','C1','Medical','01',' "
                     "sponsor called ','02/01/2026','01/31/2027','E100','U7','1','','','2500.5',"
                     "'C','02','01','1','Y','N','1.1.1|1.2.3|)"_s,
                     u"ZEP..sp_ZEP_SaveTransaction(H1 ','1001','Z-0001','C1','02/01/2026',"
                     "'01/31/2027','Medical','E100','U7',' sponsor called )"_s,
                     u"DELETE FROM BILLING.tbBillDailyBill WHERE RevenueID = 'QF' AND RefNum = ? "
                     "AND IdNum = ?(Z-0001','1001)"_s,
                     u"Zep..spZEP_SaveDocumentation(H1','1001','Y','N','0|1|0|0|0|0|0|0|0|0|0|0|"
                     "0|0|0|0|1|0|','02/01/2026','U7','E100','1.2.1|)"_s}));
        QCOMPARE(snapshot(),
                 u"1001,Z-0001,C1,Medical,01,02,1, sponsor called ,E100,U7,1,0,0,2500.5,C,Y,N,"
                 "1,1\n"
                 "services 2\nactivities 1\nlog 1\ncharges 2\nmaster Z-0001/C1"_s);
        QCOMPARE(one(u"SELECT ServiceCode FROM ZEP.tbZEPAssessmentService WHERE SeqNo = 2"_s),
                 u"1.2.3"_s);
        QCOMPARE(one(u"SELECT ExpiryDate FROM ZEP.tbZEPTransaction"_s).left(10), u"2027-01-31"_s);
        QCOMPARE(one(u"SELECT ZEPDiscountExpiry FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H1'"_s)
                     .left(10),
                 u"2027-01-31"_s);
        QCOMPARE(one(u"SELECT RefNum || RevenueID FROM BILLING.tbBillDailyBill WHERE "
                     "RevenueID = 'QF'"_s),
                 u"Z-0009QF"_s);
    }

    // A first report on an out-patient visit with a new case number: its own bill loses
    // the pending charge, and the assessment is added rather than changed.
    void outPatientFirstReport() {
        referral::ArrSave s = h1Report();
        s.hospNum = s.shownHospNum = u"H6"_s;
        s.idNum = s.shownIdNum = u"6001B"_s;
        s.caseNumber = u"Z-0600"_s;
        s.counterpart = QString();
        s.pcso = false;
        QVERIFY(referral::send(*c, s).saved);
        QCOMPARE(one(u"SELECT COUNT(*) FROM BILLING.tbBillOPDailyOut"_s), u"0"_s);
        QCOMPARE(one(u"SELECT COUNT(*) FROM BILLING.tbBillDailyBill"_s), u"3"_s);
        QCOMPARE(one(u"SELECT ZEPNum || ':' || COALESCE(PCSOType, '-') "
                     "FROM ZEP.tbZEPAssessment WHERE IdNum = '6001B'"_s),
                 u"Z-0600:-"_s);
        QCOMPARE(one(u"SELECT NC FROM ZEP.tbZEPAssessment WHERE IdNum = '6001B'"_s), u"0"_s);
        QCOMPARE(one(u"SELECT ZEPNum FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H6'"_s),
                 u"Z-0600"_s);
    }

    void specialCaseKeepsTheCharge() {
        referral::ArrSave s = h1Report();
        s.special = true;
        const int from = c->log().entries().size();
        QVERIFY(referral::send(*c, s).saved);
        QStringList names;
        for (const QString& call : callsSince(from))
            names << call.section(u'(', 0, 0);
        QCOMPARE(
            names,
            (QStringList{u"ZEP..sp_ZEP_GetExistsZEPNumber"_s, u"ZEP..sp_ZEP_SaveAssessment_NEW"_s,
                         u"ZEP..sp_ZEP_SaveTransaction"_s, u"Zep..spZEP_SaveDocumentation"_s}));
        QCOMPARE(one(u"SELECT COUNT(*) FROM BILLING.tbBillDailyBill"_s), u"3"_s);
        QCOMPARE(one(u"SELECT IsSpecial FROM ZEP.tbZEPAssessment WHERE IdNum = '1001'"_s), u"1"_s);
    }

    void failureLeavesNothing_data() {
        QTest::addColumn<QString>("at");
        QTest::newRow("assessment") << u"ZEP..sp_ZEP_SaveAssessment_NEW"_s;
        QTest::newRow("transaction log") << u"ZEP..sp_ZEP_SaveTransaction"_s;
        QTest::newRow("charge removal") << u"DELETE"_s;
        QTest::newRow("documentation") << u"Zep..spZEP_SaveDocumentation"_s;
        QTest::newRow("commit") << u"COMMIT"_s;
        QTest::newRow("documentation's last row") << u"activity insert"_s;
    }
    void failureLeavesNothing() {
        QFETCH(QString, at);
        const QString before = snapshot();
        // A run inside a transaction that is then rolled back tells where each statement
        // falls; the real run has its BEGIN first.
        c->BeginTrans();
        const int from = c->log().entries().size();
        referral::send(*c, h1Report());
        int statements = 0, calls = 0, statementAt = 0, callAt = 0;
        const auto& e = c->log().entries();
        for (int i = from; i < e.size(); ++i) {
            const bool call = e.at(i).kind == db::LoggedCommand::Call;
            call ? ++calls : ++statements;
            if (call && e.at(i).text == at)
                callAt = calls;
            if (!call && at == u"DELETE" && e.at(i).text.startsWith(u"DELETE FROM BILLING"_s))
                statementAt = statements;
            if (!call && at == u"activity insert" &&
                e.at(i).text.startsWith(u"INSERT INTO ZEP.tbZEPAssessmentActivity"_s))
                statementAt = statements;
        }
        c->RollbackTrans();
        QCOMPARE(snapshot(), before);
        if (at == u"COMMIT")
            statementAt = statements + 1;
        QVERIFY(callAt > 0 || statementAt > 0);
        if (callAt > 0)
            c->faults().failCall(callAt);
        else
            c->faults().failStatement(statementAt + 1);
        try {
            referral::send(*c, h1Report());
            QFAIL("the save went through");
        } catch (const db::Error& err) {
            QVERIFY2(err.Description().startsWith(u"Injected fault at: "_s),
                     qPrintable(err.Description()));
        }
        c->faults().disarm();
        QVERIFY(!c->inTransaction());
        QCOMPARE(snapshot(), before);
    }

    void caseNumberOfAnotherPatient_data() {
        QTest::addColumn<QString>("caseNumber");
        QTest::addColumn<QString>("owner");
        QTest::newRow("another patient's") << u"Z-0002"_s << u"BAUTISTA, ANA"_s;
        QTest::newRow("with blanks around") << u" Z-0002 "_s << u"BAUTISTA, ANA"_s;
        QTest::newRow("a new number") << u"Z-0300"_s << QString();
    }
    void caseNumberOfAnotherPatient() {
        QFETCH(QString, caseNumber);
        QFETCH(QString, owner);
        referral::ArrSave s = h1Report();
        s.hospNum = s.shownHospNum = u"H3"_s;
        s.idNum = s.shownIdNum = u"1003"_s;
        s.caseNumber = caseNumber;
        const QString before = snapshot();
        const int from = c->log().entries().size();
        const referral::SaveOutcome out = referral::send(*c, s);
        QCOMPARE(out.owner, owner);
        QCOMPARE(out.saved, owner.isEmpty());
        QVERIFY(!c->inTransaction());
        if (owner.isEmpty()) {
            QCOMPARE(one(u"SELECT ZEPNum FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H3'"_s),
                     u"Z-0300"_s);
            return;
        }
        QCOMPARE(callsSince(from), QStringList{u"ZEP..sp_ZEP_GetExistsZEPNumber(Z-0002','H3)"_s});
        QCOMPARE(snapshot(), before);
        QCOMPARE(one(u"SELECT COALESCE(ZEPNum, '-') FROM PATIENT_DATA.tbMaster "
                     "WHERE HospNum = 'H3'"_s),
                 u"-"_s);
    }

    // Values the procedures refuse: the transaction takes nothing of the report.
    void refusedValues_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("date of intake") << u"intake"_s << u"13/45/2026"_s;
        QTest::newRow("counterpart") << u"counterpart"_s << u"12a"_s;
        QTest::newRow("unknown service") << u"services"_s << u"1.1.1|9.9|"_s;
        QTest::newRow("unknown activity") << u"activities"_s << u"7.7|"_s;
    }
    void refusedValues() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        referral::ArrSave s = h1Report();
        if (field == u"intake")
            s.intakeDate = value;
        else if (field == u"counterpart")
            s.counterpart = value;
        else if (field == u"services")
            s.serviceCodes = value;
        else
            s.activityCodes = value;
        const QString before = snapshot();
        QVERIFY_THROWS_EXCEPTION(db::Error, referral::send(*c, s));
        QVERIFY(!c->inTransaction());
        QCOMPARE(snapshot(), before);
    }

    // The saved reports a reprint search finds, with who saved them and the worker's licence.
    void reprintSearch_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("found");
        QTest::newRow("hospital number") << u"H1"_s
                                         << u"H1/1001/Z-0001/DELA CRUZ, JUAN PEREZ/Maria "
                                            "Santos/SW-0042"_s;
        QTest::newRow("case number") << u"Z-0001"_s << u"1001"_s;
        QTest::newRow("start of the last name") << u"DELA"_s << u"1001"_s;
        QTest::newRow("no report") << u"H2"_s << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void reprintSearch() {
        QFETCH(QString, text);
        QFETCH(QString, found);
        QStringList rows;
        for (db::Recordset rs = c->Call(u"ZEP..sp_ZEP_ReprintARR"_s, {text}); !rs.Eof();
             rs.MoveNext())
            rows << (found.contains(u'/')
                         ? QStringList{rs.Text(u"HospNum"_s), rs.Text(u"IdNum"_s),
                                       rs.Text(u"ZEPNum"_s), rs.Text(u"PatientName"_s),
                                       rs.Text(u"UserName"_s), rs.Text(u"lisencenumber"_s)}
                               .join(u'/')
                         : rs.Text(u"IdNum"_s));
        QCOMPARE(rows.join(u';'), found);
    }

    void counterpartText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent");
        QTest::newRow("empty") << QString() << u"0"_s;
        QTest::newRow("zero with decimals") << u"0.00"_s << u"0"_s;
        QTest::newRow("trailing zero") << u"1500.50"_s << u"1500.5"_s;
        QTest::newRow("whole") << u" 12 "_s << u"12"_s;
        QTest::newRow("cents") << u"99.99"_s << u"99.99"_s;
        QTest::newRow("letters") << u"12a"_s << u"<not a number>"_s;
    }
    void counterpartText() {
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        bool ok = false;
        const QString out = referral::counterpartText(typed, &ok);
        QCOMPARE(ok ? out : u"<not a number>"_s, sent);
    }
};

QTEST_GUILESS_MAIN(tst_arrsave)
#include "tst_arrsave.moc"
