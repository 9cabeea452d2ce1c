// The shared server goes away in the middle of a session: stopped and started again by an
// administrator, or one session ended by the server. A lost connection is opened again by
// the next action once the server is back, never in the middle of a transaction; the
// intake sheet and the referral report, opened from the main window, say what happened and
// keep everything typed, and their next save works without a new log-in.
#include "ownserver.h"
#include "referralseed.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "app/modmain.h"
#include "components/login/accounts.h"
#include "components/login/clscurrentuser.h"
#include "db/connection.h"
#include "intake/frmIntakeSurveySheet.h"
#include "patient/frmListPatient.h"
#include "referral/frmARR.h"
#include "reports/ui/operations.h"
#include "server/server.h"
#include "ui/messages.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QUuid>

using namespace referralseed;
using app::modMain;
using app::StartupResult;

class tst_serverloss : public QObject {
    Q_OBJECT
    OwnServer server;
    db::ConnectionSettings settings;
    const QString password = u"Right-Horse-7"_s;
    int logIns = 0;

    std::unique_ptr<db::Connection> second() { return db::Connection::open(settings); }

    QString one(const QString& sql, const QVariantList& values = {}) {
        auto c = second();
        const db::Recordset rs = c->Query(sql, values);
        return rs.Eof() ? u"<no row>"_s : rs.Text(rs.FieldNames().value(0));
    }

    static qlonglong backend(db::Connection& c) {
        return c.Query(u"SELECT pg_backend_pid() AS pid"_s).Value(u"pid"_s).toLongLong();
    }

    // The ways a session loses its server.
    void lose(const QString& how, db::Connection& c) {
        if (how == u"restart"_s) {
            server.stop();
            QVERIFY(server.start());
        } else {
            const qlonglong pid = backend(c);
            auto other = second();
            other->Query(u"SELECT pg_terminate_backend(?)"_s, {pid});
            // The server ends the session a moment after it is asked to.
            for (int i = 0; i < 100 && !other->Query(u"SELECT 1 AS x FROM pg_stat_activity "
                                                     "WHERE pid = ?"_s,
                                                     {pid})
                                            .Eof();
                 ++i)
                QTest::qWait(50);
        }
    }

    app::mdiZEP* logIn() {
        modMain::setHooks({[this](login::clsCurrentUser& u) {
                               ++logIns;
                               u.setConnectionSettings(settings);
                               u.logIn(u"msantos"_s, password);
                           },
                           {}});
        if (modMain::StartUp() != StartupResult::MainWindowShown)
            return nullptr;
        app::g().reportFolder = qEnvironmentVariable("ZEP_SOURCE_DIR") + u"/reports/"_s;
        ui::Messages::clearShown();
        return modMain::mainWindow();
    }

    template <typename Screen>
    Screen* openFor(app::mdiZEP* w, const QString& hosp, const QString& item) {
        frmListPatient* list = w->showPatientList();
        list->search(hosp, {}, {}, {}, {});
        if (list->HospNum() != hosp)
            return nullptr;
        w->item(item)->trigger();
        ui::Messages::clearShown();
        return w->findChild<Screen*>();
    }

private slots:
    void initTestCase() {
        QString why;
        QVERIFY2(server.start(&why), qPrintable(why));
        settings = db::ConnectionSettings::fromUrl(server.url());
        settings.database = u"zl_"_s + QUuid::createUuid().toString(QUuid::Id128).left(12);
        settings.create = true;
        auto c = db::Connection::open(settings);
        settings.create = false;
        server::registerProcedures();
        server::migrate(*c);
        seed(*c);
        c->Execute(u"INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1) VALUES "
                   "('St. Test General Hospital', '1 Test Street')"_s);
        login::addUser(*c, u"msantos"_s, u"E100"_s, password, u"ZEP"_s);
        c->Execute(u"CREATE TABLE zep.tbloadprobe (Code varchar(10) PRIMARY KEY)"_s);
        ui::Messages::startScript();
        ui::Messages::setApplicationTitle(u"ZEP"_s);
    }

    void init() { ui::Messages::clearShown(); }

    void cleanup() {
        if (auto* w = modMain::mainWindow()) {
            w->closeForLogOff();
            delete w;
        }
        app::g().release();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!server.url().isEmpty() && one(u"SELECT 1"_s).isEmpty())
            QVERIFY(server.start());
        second()->Execute(u"DELETE FROM zep.tbloadprobe"_s);
        QCOMPARE(ui::Messages::unusedAnswers(), 0);
    }

    void cleanupTestCase() { server.stop(); }

    // Lost between two actions: the next one opens a new session with the same settings
    // (the default database too) and simply works.
    void lostWhileIdle_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("server restarted") << u"restart"_s;
        QTest::newRow("session ended by the server") << u"terminate"_s;
    }
    void lostWhileIdle() {
        QFETCH(QString, how);
        auto c = second();
        const qlonglong before = backend(*c);
        lose(how, *c);
        const db::Recordset rs = c->Query(u"SELECT COUNT(*) AS n FROM tbZEPActive"_s);
        QCOMPARE(rs.Value(u"n"_s).toInt(), 2);
        QVERIFY(backend(*c) != before);
        QCOMPARE(c->Query(u"SHOW DateStyle"_s).Text(u"DateStyle"_s), u"ISO, MDY"_s);
        QCOMPARE(c->Call(u"ZEP..sp_ZEP_GetExistsZEPNumber"_s, {u"Z-0002"_s, u"H9"_s})
                     .Text(u"PatientName"_s),
                 u"BAUTISTA, ANA"_s);
        QCOMPARE(c->State(), 1);
    }

    // While the server is down every action says so; the first one after it is back works.
    void serverDown() {
        auto c = second();
        server.stop();
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                c->Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPActive"_s);
                QFAIL("a statement went through with the server down");
            } catch (const db::Error& e) {
                QVERIFY(e.isConnectionLost());
                QVERIFY2(e.Description().startsWith(u"The database server cannot be reached ("_s),
                         qPrintable(e.Description()));
                QVERIFY2(e.Description().endsWith(
                             u"). Nothing was saved; try again when the server is back."_s),
                         qPrintable(e.Description()));
                QCOMPARE(c->errors().Count(), 1);
            }
        }
        QVERIFY(server.start());
        QCOMPARE(c->Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPActive"_s).Value(u"n"_s).toInt(), 2);
    }

    // Lost inside a transaction: that statement and every later one of the transaction
    // fail (none of them runs on a new session on its own), the roll-back leaves nothing,
    // and the next transaction works. A lost commit is not said to have failed.
    void lostInsideTransaction_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("atCommit");
        QTest::addColumn<QString>("message");
        const QString midway = u"The connection to the database server was lost: nothing of "
                               "this save was kept. Try again when the server is back."_s;
        const QString commit = u"The connection to the database server was lost while the "
                               "save was being committed: it may or may not have been saved. "
                               "Look it up before saving again."_s;
        QTest::newRow("restart, midway") << u"restart"_s << false << midway;
        QTest::newRow("terminated, midway") << u"terminate"_s << false << midway;
        QTest::newRow("terminated, at the commit") << u"terminate"_s << true << commit;
    }
    void lostInsideTransaction() {
        QFETCH(QString, how);
        QFETCH(bool, atCommit);
        QFETCH(QString, message);
        auto c = second();
        {
            db::Transaction t(*c);
            c->Execute(u"INSERT INTO zep.tbloadprobe (Code) VALUES ('T1')"_s);
            lose(how, *c);
            QString said;
            try {
                if (!atCommit) {
                    c->Execute(u"INSERT INTO zep.tbloadprobe (Code) VALUES ('T2')"_s);
                    QFAIL("a statement went through on a lost session");
                }
                t.commit();
                QFAIL("a commit went through on a lost session");
            } catch (const db::Error& e) {
                QVERIFY(e.isConnectionLost());
                said = e.Description();
            }
            QVERIFY2(said.startsWith(message), qPrintable(said));
            if (!atCommit) {
                QVERIFY_THROWS_EXCEPTION(
                    db::Error, c->Execute(u"INSERT INTO zep.tbloadprobe (Code) VALUES ('T3')"_s));
                QVERIFY(c->inTransaction());
            }
        }
        QVERIFY(!c->inTransaction());
        QCOMPARE(one(u"SELECT COUNT(*) FROM zep.tbloadprobe"_s), u"0"_s);
        db::Transaction t(*c);
        c->Execute(u"INSERT INTO zep.tbloadprobe (Code) VALUES ('T4')"_s);
        t.commit();
        QCOMPARE(one(u"SELECT string_agg(Code, ',') FROM zep.tbloadprobe"_s), u"T4"_s);
    }

    // The intake sheet: Save with the server down says so and keeps the sheet; Save once it
    // is back, with the session ended by the server in the middle of the save, leaves
    // nothing; Save again saves it, on the same log-in.
    void intakeSheetAcrossARestart() {
        logIns = 0;
        app::mdiZEP* w = logIn();
        QVERIFY(w);
        auto* f = openFor<frmIntakeSurveySheet>(w, u"H3"_s, u"mnuIntakeSheet"_s);
        QVERIFY(f);
        f->txtCaseNo->setText(u"Z-0500"_s);
        f->cboClassCode->setCurrentText(u"C1"_s);
        f->txtGoalPlan->setText(u"typed before the restart"_s);
        f->optCS[2]->setChecked(true);
        server.stop();
        QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        const QStringList said = shown();
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().startsWith(u"Critical|Message|The database server cannot be reached ("_s),
                 qPrintable(said.first()));
        QVERIFY(said.first().endsWith(u"Nothing was saved; try again when the server is back."_s));
        QVERIFY(!f->saved());
        QCOMPARE(f->txtCaseNo->text(), u"Z-0500"_s);
        QCOMPARE(f->txtGoalPlan->text(), u"typed before the restart"_s);
        QVERIFY(f->optCS[2]->isChecked());

        QVERIFY(server.start());
        // The session ends itself when the first family member is written: the sheet and
        // the case data were already sent in that transaction.
        f->FCFlexGrid->setRowCount(1);
        for (int col = 0; col < 8; ++col)
            f->FCFlexGrid->setItem(0, col, new QTableWidgetItem(col == 7 ? u"900"_s : u"ANA"_s));
        second()->Execute(u"CREATE FUNCTION zep.zl_end_sheet() RETURNS trigger LANGUAGE plpgsql "
                          "AS $$ BEGIN PERFORM pg_terminate_backend(pg_backend_pid()); RETURN NEW; "
                          "END $$"_s);
        second()->Execute(u"CREATE TRIGGER zl_end_sheet BEFORE INSERT ON zep.tbzepfamilymember "
                          "FOR EACH ROW EXECUTE FUNCTION zep.zl_end_sheet()"_s);
        ui::Messages::clearShown();
        QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        QCOMPARE(shown().size(), 1);
        QVERIFY2(shown().first().startsWith(
                     u"Critical|Message|Data Not Successfully Saved.\nThe connection to the "
                     "database server was lost: nothing of this save was kept. Try again when "
                     "the server is back."_s),
                 qPrintable(shown().first()));
        QVERIFY(!f->saved());
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPIntakeSheet WHERE HospNum = 'H3'"_s), u"0"_s);
        QCOMPARE(one(u"SELECT COALESCE(ZEPNum, '-') FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H3'"_s),
                 u"-"_s);
        QCOMPARE(f->txtGoalPlan->text(), u"typed before the restart"_s);
        QCOMPARE(f->FCFlexGrid->item(0, 0)->text(), u"ANA"_s);
        second()->Execute(u"DROP TRIGGER zl_end_sheet ON zep.tbzepfamilymember"_s);

        ui::Messages::clearShown();
        QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        QCOMPARE(shown(), QStringList{u"None|Message|Record of GARCIA, ROSASaved."_s});
        QVERIFY(f->saved());
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPFamilyMember WHERE HospNum = 'H3'"_s), u"1"_s);
        QCOMPARE(one(u"SELECT ZEPNum FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H3'"_s),
                 u"Z-0500"_s);
        QCOMPARE(one(u"SELECT HelpingGoals FROM ZEP.tbZEPIntakeSheet WHERE HospNum = 'H3'"_s),
                 u"typed before the restart"_s);
        QCOMPARE(logIns, 1);
    }

    // The referral report: the server down at Save, then the session ended by the server
    // in the middle of the save (after the assessment, at the transaction log), then a save
    // that goes through; nothing of the failed ones stays, the screen keeps what was typed.
    void referralReportAcrossALoss() {
        logIns = 0;
        app::mdiZEP* w = logIn();
        QVERIFY(w);
        auto* f = openFor<frmARR>(w, u"H1"_s, u"mnuARR"_s);
        QVERIFY(f);
        f->mskRange1->setText(u"06/30/"_s + QString::number(QDate::currentDate().year() + 1));
        f->txtRemarks->setText(u"typed and kept"_s);

        server.stop();
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        QStringList said = shown();
        QCOMPARE(said.size(), 2); // the confirmation, then the failure
        QVERIFY2(said.last().startsWith(u"Critical|Message|Data Not Successfully Saved.The "
                                        "database server cannot be reached ("_s),
                 qPrintable(said.last()));
        QVERIFY(!f->saved());
        QCOMPARE(f->txtRemarks->text(), u"typed and kept"_s);
        QVERIFY(server.start());

        // The session ends itself when the transaction log is written.
        second()->Execute(u"CREATE FUNCTION zep.zl_end_session() RETURNS trigger LANGUAGE plpgsql "
                          "AS $$ BEGIN PERFORM pg_terminate_backend(pg_backend_pid()); RETURN NEW; "
                          "END $$"_s);
        second()->Execute(u"CREATE TRIGGER zl_end_session BEFORE INSERT ON zep.tbzeptransaction "
                          "FOR EACH ROW EXECUTE FUNCTION zep.zl_end_session()"_s);
        ui::Messages::clearShown();
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        said = shown();
        QCOMPARE(said.size(), 2);
        QVERIFY2(said.last().startsWith(
                     u"Critical|Message|Data Not Successfully Saved.The connection to the "
                     "database server was lost: nothing of this save was kept. Try again when "
                     "the server is back."_s),
                 qPrintable(said.last()));
        QCOMPARE(one(u"SELECT Remarks FROM ZEP.tbZEPAssessment WHERE IdNum = '1001'"_s),
                 u"Follow up the sponsor"_s);
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPTransaction"_s), u"0"_s);
        QCOMPARE(f->txtRemarks->text(), u"typed and kept"_s);
        second()->Execute(u"DROP TRIGGER zl_end_session ON zep.tbzeptransaction"_s);

        ui::Messages::clearShown();
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        said = shown();
        QCOMPARE(said.size(), 2);
        QVERIFY2(said.last().startsWith(u"Information|Message|Clasification for DELA CRUZ, JUAN "
                                        "saved."_s),
                 qPrintable(said.last()));
        QVERIFY(f->saved());
        QCOMPARE(one(u"SELECT Remarks FROM ZEP.tbZEPAssessment WHERE IdNum = '1001'"_s),
                 u"typed and kept"_s);
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPTransaction"_s), u"1"_s);
        QCOMPARE(logIns, 1);
    }
};

QTEST_MAIN(tst_serverloss)
#include "tst_serverloss.moc"
