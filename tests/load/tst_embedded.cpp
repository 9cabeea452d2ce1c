// The embedded database on a full disk and in a folder the workstation may not write to:
// the intake sheet and the referral report, opened from the main window, say so in words a
// worker can act on, keep what was typed, and leave nothing half-written; once there is
// room again (or write access) the same screen saves.
#include "referralseed.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "app/modmain.h"
#include "components/login/accounts.h"
#include "components/login/clscurrentuser.h"
#include "db/connection.h"
#include "intake/frmIntakeSurveySheet.h"
#include "patient/frmListPatient.h"
#include "referral/frmARR.h"
#include "ui/messages.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <unistd.h>

using namespace referralseed;
using app::modMain;
using app::StartupResult;

namespace {

// What a save may have touched, row by row.
QString snapshot(db::Connection& c) {
    QStringList out;
    for (const char* sql :
         {"SELECT HospNum || '/' || COALESCE(ZEPNum, '') || '/' || COALESCE(ZEPClassification, '') "
          "FROM PATIENT_DATA.tbMaster ORDER BY HospNum",
          "SELECT HospNum || '/' || COALESCE(HelpingGoals, '') FROM ZEP.tbZEPIntakeSheet "
          "ORDER BY HospNum",
          "SELECT HospNum || '/' || Name FROM ZEP.tbZEPFamilyMember ORDER BY HospNum, MemberNo",
          "SELECT IdNum || '/' || COALESCE(Remarks, '') FROM ZEP.tbZEPAssessment ORDER BY IdNum",
          "SELECT IdNum || '/' || COALESCE(Remarks, '') FROM ZEP.tbZEPTransaction ORDER BY IdNum"})
        for (db::Recordset rs = c.Query(QString::fromLatin1(sql)); !rs.Eof(); rs.MoveNext())
            out << rs.Text(rs.FieldNames().value(0));
    return out.join(u'\n');
}

void setWritable(const QString& path, bool on) {
    QFile::Permissions p = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    if (QFileInfo(path).isDir())
        p |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    if (on)
        p |= QFile::WriteOwner;
    QFile::setPermissions(path, p);
}

} // namespace

class tst_embedded : public QObject {
    Q_OBJECT
    db::ConnectionSettings settings;
    const QString password = u"Right-Horse-7"_s;
    const int year = QDate::currentDate().year();
    bool actingAsPlainUser = false;

    app::mdiZEP* logIn() {
        modMain::setHooks({[this](login::clsCurrentUser& u) {
                               u.setConnectionSettings(settings);
                               u.logIn(u"msantos"_s, password);
                           },
                           {}});
        if (modMain::StartUp() != StartupResult::MainWindowShown) {
            qWarning() << "the log-in did not show the main window:" << shown();
            return nullptr;
        }
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

    // The page limit of every database file at what it holds now, with no free pages left
    // in it: the next page any save needs is refused as on a full disk (a text longer than
    // a page always needs new ones).
    static void capPages(db::Connection& c, bool cap) {
        for (const QString& n : db::databaseNames()) {
            if (cap)
                c.Execute(u"VACUUM %1"_s.arg(n));
            const QString pages =
                cap ? c.Query(u"PRAGMA %1.page_count"_s.arg(n)).Text(u"page_count"_s)
                    : u"2147483646"_s;
            c.Query(u"PRAGMA %1.max_page_count = %2"_s.arg(n, pages));
        }
    }

    std::unique_ptr<db::Connection> reopen() { return db::Connection::open(settings); }

    QString folderText() const { return QDir::toNativeSeparators(settings.folder); }

private slots:
    void initTestCase() {
        // File permissions do not hold for root: the folder's owner is then a plain user.
        if (::geteuid() == 0) {
            if (::seteuid(65534) != 0)
                QSKIP("running as root and cannot act as a plain user for the read-only folder");
            actingAsPlainUser = true;
        }
        auto c = testdb::fresh();
        settings = c->settings();
        settings.create = false;
        seed(*c);
        c->Execute(u"INSERT INTO PATIENT_DATA.tbHospitalInfo (Company, Address1) VALUES "
                   "('St. Test General Hospital', '1 Test Street')"_s);
        login::addUser(*c, u"msantos"_s, u"E100"_s, password, u"ZEP"_s);
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
        setWritable(settings.folder, true);
        for (const QString& n : QDir(settings.folder).entryList(QDir::Files))
            setWritable(settings.folder + u'/' + n, true);
        QCOMPARE(ui::Messages::unusedAnswers(), 0);
    }

    void intakeSheetOnAFullDisk() {
        app::mdiZEP* w = logIn();
        QVERIFY(w);
        auto* f = openFor<frmIntakeSurveySheet>(w, u"H4"_s, u"mnuIntakeSheet"_s);
        QVERIFY(f);
        f->txtCaseNo->setText(u"Z-0600"_s);
        f->optCS[0]->setChecked(true);
        const QString goals = QString(20000, u'g');
        f->txtGoalPlan->setText(goals);
        f->FCFlexGrid->setRowCount(40);
        for (int r = 0; r < 40; ++r)
            for (int col = 0; col < 8; ++col)
                f->FCFlexGrid->setItem(r, col, new QTableWidgetItem(
                                                   col == 7 ? u"100"_s : u"Member %1"_s.arg(r + 1)));
        db::Connection& c = *app::g().gConnection;
        const QString before = snapshot(*reopen());
        capPages(c, true);
        QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        QCOMPARE(shown(), QStringList{u"Critical|Message|Data Not Successfully Saved.\nThe disk "
                                      "that holds the database (%1) is full: nothing of this "
                                      "save was kept. Free some space on it, then try again. "
                                      "(database or disk is full)"_s.arg(folderText())});
        QVERIFY(!f->saved());
        QVERIFY(!c.inTransaction());
        QCOMPARE(snapshot(*reopen()), before);
        QCOMPARE(f->txtGoalPlan->text(), goals);
        QCOMPARE(f->FCFlexGrid->item(39, 0)->text(), u"Member 40"_s);

        capPages(c, false);
        ui::Messages::clearShown();
        QTest::mouseClick(f->cmdSave, Qt::LeftButton);
        QCOMPARE(shown(), QStringList{u"None|Message|Record of LIM, TOMASSaved."_s});
        QCOMPARE(reopen()->Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPFamilyMember WHERE "
                                 "HospNum = 'H4'"_s)
                     .Value(u"n"_s)
                     .toInt(),
                 40);
    }

    void referralReportOnAFullDisk() {
        app::mdiZEP* w = logIn();
        QVERIFY(w);
        auto* f = openFor<frmARR>(w, u"H1"_s, u"mnuARR"_s);
        QVERIFY(f);
        f->mskRange1->setText(u"06/30/"_s + QString::number(year + 1));
        f->txtRemarks->setText(QString(20000, u'r'));
        db::Connection& c = *app::g().gConnection;
        const QString before = snapshot(*reopen());
        capPages(c, true);
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        QCOMPARE(shown().value(1),
                 u"Critical|Message|Data Not Successfully Saved.The disk that holds the database "
                 "(%1) is full: nothing of this save was kept. Free some space on it, then try "
                 "again. (database or disk is full)"_s.arg(folderText()));
        QVERIFY(!f->saved());
        QCOMPARE(snapshot(*reopen()), before);
        QCOMPARE(f->txtRemarks->text(), QString(20000, u'r'));
        capPages(c, false);
    }

    // The folder made read-only while the workstation runs (the files still writable: the
    // engine cannot make its journal), or the files read-only from the log-in on.
    // Root again at the end: the sanitizer build's leak check at exit must be able to look
    // into the process.
    void cleanupTestCase() {
        if (actingAsPlainUser && ::seteuid(0) != 0)
            qWarning("could not act as root again");
    }

    void readOnly_data() {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("engine");
        QTest::newRow("folder") << true << u"attempt to write a readonly database"_s;
        QTest::newRow("files") << false << u"attempt to write a readonly database"_s;
    }
    void readOnly() {
        QFETCH(bool, folder);
        QFETCH(QString, engine);
        const QString before = snapshot(*reopen());
        if (!folder)
            for (const QString& n : QDir(settings.folder).entryList(QDir::Files))
                setWritable(settings.folder + u'/' + n, false);
        app::mdiZEP* w = logIn();
        QVERIFY(w);
        auto* f = openFor<frmARR>(w, u"H1"_s, u"mnuARR"_s);
        QVERIFY(f);
        if (folder)
            setWritable(settings.folder, false);
        f->mskRange1->setText(u"06/30/"_s + QString::number(year + 1));
        f->txtRemarks->setText(u"typed and kept"_s);
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        QCOMPARE(shown().value(1),
                 u"Critical|Message|Data Not Successfully Saved.The database folder %1 is "
                 "read-only for this workstation: nothing of this save was kept. Ask for write "
                 "access to it, then try again. (%2)"_s.arg(folderText(), engine));
        QVERIFY(!f->saved());
        QCOMPARE(f->txtRemarks->text(), u"typed and kept"_s);
        QCOMPARE(snapshot(*reopen()), before);
    }
};

QTEST_MAIN(tst_embedded)
#include "tst_embedded.moc"
