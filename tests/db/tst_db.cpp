// The connection against a real engine (SQLite files or a PostgreSQL server): bound values,
// recordsets, procedures, errors, transactions across databases, the command log and
// fault injection.
#include "testdb.h"

#include "db/connection.h"
#include "db/procedures.h"

#include <QProcess>
#include <QTest>

namespace {

void makeTables(db::Connection& c) {
    c.Execute(QStringLiteral("CREATE TABLE ZEP.tbT1 (Id INTEGER PRIMARY KEY, Name VARCHAR(500), "
                             "Amount NUMERIC(14,2), Seen DATE)"));
    c.Execute(QStringLiteral("CREATE TABLE PATIENT_DATA.tbT2 (Id INTEGER PRIMARY KEY, "
                             "Note TEXT NOT NULL)"));
}

int count(db::Connection& c, const QString& table) {
    auto rs = c.Query(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table);
    return rs.Value(QStringLiteral("n")).toInt();
}

} // namespace

class tst_db : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        db::Procedures::instance().add(
            QStringLiteral("ZEP..sp_Test_Echo"), [](db::Connection& conn, const db::Args& a) {
                return conn.Query(QStringLiteral("SELECT ? AS First, ? AS Second"),
                                  {a.text(0), a.text(1)});
            });
        db::Procedures::instance().add(
            QStringLiteral("PATIENT_DATA..sp_Test_Fail"), [](db::Connection& conn, const db::Args&) {
                conn.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbT2 (Id, Note) VALUES (1, NULL)"));
                return db::Recordset();
            });
    }

    void init() {
        c = testdb::empty();
        makeTables(*c);
        c->log().clear();
    }
    void cleanup() { c.reset(); }

    void hostileTextsArriveUnchanged_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quote") << QStringLiteral("O'Brien");
        QTest::newRow("two quotes") << QStringLiteral("it''s");
        QTest::newRow("statement") << QStringLiteral("x'); DROP TABLE ZEP.tbT1; --");
        QTest::newRow("semicolons") << QStringLiteral(";;; SELECT 1;");
        QTest::newRow("question marks") << QStringLiteral("? ?? $1");
        QTest::newRow("backslash") << QStringLiteral("C:\\REPORTS\\x.rpt");
        QTest::newRow("double dots") << QStringLiteral("ZEP..sp_ZEP_LoadInPatient");
        QTest::newRow("unicode") << QStringLiteral("Peña Ñiño – ü");
        QTest::newRow("percent") << QStringLiteral("100% _x_");
    }
    void hostileTextsArriveUnchanged() {
        QFETCH(QString, text);
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id, Name) VALUES (?, ?)"), {1, text});
        auto rs = c->Query(QStringLiteral("SELECT Name FROM ZEP.tbT1 WHERE Name = ?"), {text});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(QStringLiteral("name")), text);
        // and through a procedure call
        auto echo = c->Call(QStringLiteral("zep..SP_TEST_ECHO"), {text, QStringLiteral(" b ")});
        QCOMPARE(echo.Text(QStringLiteral("first")), text.trimmed());
        QCOMPARE(echo.Text(QStringLiteral("SECOND")), QStringLiteral("b"));
        QCOMPARE(count(*c, QStringLiteral("ZEP.tbT1")), 1); // nothing dropped, nothing extra
    }

    void oldDoubleDotSpellingWorks() {
        c->Execute(QStringLiteral("INSERT INTO PATIENT_DATA..tbT2 (Id, Note) VALUES (?, ?)"),
                   {5, QStringLiteral("a..b")});
        auto rs = c->Query(QStringLiteral("Select * from PATIENT_DATA..tbT2"));
        QCOMPARE(rs.Text(QStringLiteral("note")), QStringLiteral("a..b"));
    }

    void typesComeBackAlike() {
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id, Name, Amount, Seen) VALUES (?,?,?,?)"),
                   {7, QVariant(), 1234.5, QStringLiteral("2026-12-09")});
        auto rs = c->Query(QStringLiteral("SELECT Id, Name, Amount, Seen FROM ZEP.tbT1"));
        QCOMPARE(rs.Value(QStringLiteral("id")).toLongLong(), 7);
        QVERIFY(rs.IsNull(QStringLiteral("name")));
        QCOMPARE(rs.Text(QStringLiteral("name")), QString());
        QCOMPARE(rs.Number(QStringLiteral("amount")), 1234.5);
        QCOMPARE(rs.Text(QStringLiteral("amount")), QStringLiteral("1234.5"));
        QCOMPARE(rs.Text(QStringLiteral("seen")), QStringLiteral("2026-12-09"));
        QCOMPARE(rs.FieldNames().size(), 4);
    }

    void walkingRows() {
        for (int i = 1; i <= 5; ++i)
            c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id, Name) VALUES (?, ?)"),
                       {i, QStringLiteral("N%1").arg(i)});
        auto rs = c->Query(QStringLiteral("SELECT Id FROM ZEP.tbT1 ORDER BY Id"));
        QCOMPARE(rs.RecordCount(), 5);
        int sum = 0;
        while (!rs.Eof()) {
            sum += rs.Value(QStringLiteral("ID")).toInt();
            rs.MoveNext();
        }
        QCOMPARE(sum, 15);
        auto none = c->Query(QStringLiteral("SELECT Id FROM ZEP.tbT1 WHERE Id > ?"), {99});
        QVERIFY(none.Eof() && none.Bof());
        QCOMPARE(none.RecordCount(), 0);
    }

    void updatableRecordset() {
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id, Name) VALUES (1, 'a'), (2, 'b')"));
        auto rs = c->Query(QStringLiteral("SELECT Id, Name FROM ZEP.tbT1 ORDER BY Id"));
        QVERIFY_THROWS_EXCEPTION(db::Error, rs.SetValue(QStringLiteral("Name"), QStringLiteral("x")));
        rs.MakeUpdatable(c.get(), QStringLiteral("ZEP.tbT1"), {QStringLiteral("Id")});
        rs.MoveNext();
        rs.SetValue(QStringLiteral("Name"), QStringLiteral("B'2"));
        rs.Update();
        auto check = c->Query(QStringLiteral("SELECT Name FROM ZEP.tbT1 ORDER BY Id"));
        QCOMPARE(check.Text(QStringLiteral("name")), QStringLiteral("a"));
        check.MoveNext();
        QCOMPARE(check.Text(QStringLiteral("name")), QStringLiteral("B'2"));
    }

    void errorsCollection() {
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id) VALUES (1)"));
        try {
            c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id) VALUES (1)"));
            QFAIL("a duplicate key was accepted");
        } catch (const db::Error& e) {
            QVERIFY(e.isUniqueViolation());
            QCOMPARE(c->errors().Count(), 1);
            QCOMPARE(c->errors().Item(0).Description, e.Description());
            QCOMPARE(c->errors().Item(0).Source, c->dialect().name());
        }
        // the next command starts with an empty collection
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id) VALUES (2)"));
        QCOMPARE(c->errors().Count(), 0);
        QVERIFY_THROWS_EXCEPTION(db::Error, c->Execute(QStringLiteral("SELEKT nonsense")));
        QVERIFY(!c->log().entries().last().ok);
    }

    void unknownProcedure() {
        try {
            c->Call(QStringLiteral("ZEP..sp_NoSuch"), {QStringLiteral("a")});
            QFAIL("an unknown procedure ran");
        } catch (const db::Error& e) {
            QCOMPARE(e.Number(), 2812L);
            QVERIFY(e.Description().contains(QStringLiteral("sp_NoSuch")));
        }
    }

    void closedConnectionRefuses() {
        c->Close();
        QCOMPARE(c->State(), 0);
        QVERIFY_THROWS_EXCEPTION(db::Error, c->Execute(QStringLiteral("SELECT 1")));
        c->Close(); // closing twice is harmless
    }

    void commitSpansTwoDatabases() {
        db::Transaction t(*c);
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id, Name) VALUES (1, 'x')"));
        c->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbT2 (Id, Note) VALUES (1, 'y')"));
        t.commit();
        auto other = testdb::reopen(*c);
        QCOMPARE(count(*other, QStringLiteral("ZEP.tbT1")), 1);
        QCOMPARE(count(*other, QStringLiteral("PATIENT_DATA.tbT2")), 1);
    }

    void failureInTheMiddleLeavesBothUntouched_data() {
        QTest::addColumn<int>("failAt");
        QTest::newRow("first write") << 1;
        QTest::newRow("second write, other database") << 2;
        QTest::newRow("the commit itself") << 3;
    }
    void failureInTheMiddleLeavesBothUntouched() {
        QFETCH(int, failAt);
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id, Name) VALUES (9, 'before')"));
        bool failed = false;
        try {
            db::Transaction t(*c);
            c->faults().failStatement(failAt); // counted from here: BEGIN is behind us
            c->Execute(QStringLiteral("UPDATE ZEP.tbT1 SET Name = 'after' WHERE Id = 9"));
            c->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbT2 (Id, Note) VALUES (1, 'y')"));
            t.commit();
        } catch (const db::Error& e) {
            failed = true;
            QCOMPARE(e.Source(), QStringLiteral("FaultInjection"));
            QCOMPARE(c->errors().Count(), 1); // kept through the roll-back
        }
        c->faults().disarm();
        QVERIFY(failed);
        QVERIFY(!c->inTransaction());
        auto other = testdb::reopen(*c);
        auto rs = other->Query(QStringLiteral("SELECT Name FROM ZEP.tbT1 WHERE Id = 9"));
        QCOMPARE(rs.Text(QStringLiteral("name")), QStringLiteral("before"));
        QCOMPARE(count(*other, QStringLiteral("PATIENT_DATA.tbT2")), 0);
    }

    void procedureFailureRollsBackCaller() {
        try {
            db::Transaction t(*c);
            c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id) VALUES (3)"));
            c->Call(QStringLiteral("Patient_Data..sp_Test_Fail"));
            t.commit();
            QFAIL("NOT NULL was not enforced");
        } catch (const db::Error& e) {
            QVERIFY(e.isConstraintViolation());
        }
        QCOMPARE(count(*c, QStringLiteral("ZEP.tbT1")), 0);
        const auto calls = c->log().calls();
        QCOMPARE(calls.size(), 1);
        QVERIFY(!calls.first().ok);
    }

    void nestedTransactionsCommitOnce() {
        c->BeginTrans();
        {
            db::Transaction inner(*c);
            c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id) VALUES (1)"));
            inner.commit(); // only the outermost commit commits
        }
        QVERIFY(c->inTransaction());
        auto other = testdb::reopen(*c);
        // the outer transaction has not committed yet: another connection sees nothing
        QCOMPARE(count(*other, QStringLiteral("ZEP.tbT1")), 0);
        c->CommitTrans();
        QCOMPARE(count(*other, QStringLiteral("ZEP.tbT1")), 1);
    }

    void innerRollbackRollsBackAll() {
        c->BeginTrans();
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id) VALUES (1)"));
        {
            db::Transaction inner(*c);
            c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id) VALUES (2)"));
        } // left without commit
        QVERIFY(!c->inTransaction());
        QVERIFY_THROWS_EXCEPTION(db::Error, c->CommitTrans());
        QCOMPARE(count(*c, QStringLiteral("ZEP.tbT1")), 0);
    }

    void killedBeforeCommitLeavesBothUntouched() {
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id, Name) VALUES (1, 'kept')"));
        // A child process writes enough to both databases that pages reach the files, then
        // dies without committing.
        QProcess child;
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({QStringLiteral("--write-and-die"), c->ConnectionString()});
        child.start();
        QVERIFY(child.waitForFinished(120000));
        QVERIFY2(child.exitCode() == 3, child.readAllStandardError().constData());
        auto after = testdb::reopen(*c);
        QCOMPARE(count(*after, QStringLiteral("ZEP.tbT1")), 1);
        QCOMPARE(count(*after, QStringLiteral("PATIENT_DATA.tbT2")), 0);
        auto rs = after->Query(QStringLiteral("SELECT Name FROM ZEP.tbT1"));
        QCOMPARE(rs.Text(QStringLiteral("name")), QStringLiteral("kept"));
    }

    void commandLogRecordsValuesButNoSecrets() {
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id, Name) VALUES (?, ?)"),
                   {1, QStringLiteral("visible")});
        c->Execute(QStringLiteral("UPDATE ZEP.tbT1 SET Name = ? WHERE Id = ?"),
                   {QStringLiteral("hunter2-secret"), 1}, db::Options{.secretValues = true});
        c->Call(QStringLiteral("ZEP..sp_Test_Echo"), {QStringLiteral("a"), QStringLiteral("b")});
        const auto& e = c->log().entries();
        QCOMPARE(e.at(0).values, (QStringList{QStringLiteral("1"), QStringLiteral("visible")}));
        QCOMPARE(e.at(1).values, (QStringList{QStringLiteral("***"), QStringLiteral("***")}));
        QVERIFY(!c->log().dump().contains(QStringLiteral("hunter2")));
        QCOMPARE(c->log().callNames(), QStringList{QStringLiteral("ZEP..sp_Test_Echo")});
        // the statement the procedure ran is logged after its call
        QCOMPARE(e.last().kind, db::LoggedCommand::Statement);
    }

    void faultOnNthCall() {
        c->faults().failCall(2);
        c->Call(QStringLiteral("ZEP..sp_Test_Echo"), {1, 2});
        QVERIFY_THROWS_EXCEPTION(db::Error, c->Call(QStringLiteral("ZEP..sp_Test_Echo"), {1, 2}));
        c->Call(QStringLiteral("ZEP..sp_Test_Echo"), {1, 2}); // fires once
        QCOMPARE(c->errors().Count(), 0);
    }

    void multipleStatementsRefused() {
        // One command is one statement: a value can never smuggle a second one in, and
        // neither can a careless caller.
        QVERIFY_THROWS_EXCEPTION(
            db::Error, c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id) VALUES (1); "
                                                 "DELETE FROM ZEP.tbT1")));
        QCOMPARE(count(*c, QStringLiteral("ZEP.tbT1")), 0);
    }

    void missingDatabaseIsAnError() {
        db::ConnectionSettings s = testdb::newSettings();
        s.create = false;
        QVERIFY_THROWS_EXCEPTION(db::Error, db::Connection::open(s));
    }
};

// The child half of killedBeforeCommitLeavesBothUntouched.
static int writeAndDie(const QString& url) try {
    auto s = db::ConnectionSettings::fromUrl(url);
    auto c = db::Connection::open(s);
    if (c->dialect().backend() == db::Backend::SQLite) {
        // A tiny page cache makes SQLite spill the uncommitted pages into the files.
        c->Execute(QStringLiteral("PRAGMA ZEP.cache_size = 10"));
        c->Execute(QStringLiteral("PRAGMA PATIENT_DATA.cache_size = 10"));
    }
    c->BeginTrans();
    c->Execute(QStringLiteral("UPDATE ZEP.tbT1 SET Name = 'changed'"));
    const QString filler(400, QLatin1Char('x'));
    for (int i = 2; i < 3000; ++i) {
        c->Execute(QStringLiteral("INSERT INTO ZEP.tbT1 (Id, Name) VALUES (?, ?)"), {i, filler});
        c->Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbT2 (Id, Note) VALUES (?, ?)"),
                   {i, filler});
    }
    std::_Exit(3); // no commit, no clean close
} catch (const db::Error& e) {
    fprintf(stderr, "%s\n", e.what());
    return 1;
}

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], "--write-and-die") == 0) {
        QCoreApplication app(argc, argv);
        return writeAndDie(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    tst_db t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_db.moc"
