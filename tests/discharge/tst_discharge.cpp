// The discharge notices as the worker meets them from the main window: the list with its
// icons and legend, the clearance, the list again after each clearance, a notice cleared
// at another workstation in the meantime, and a clearance that fails.
#include "casefixture.h"
#include "modalscript.h"
#include "screenfit.h"

#include "discharge/frmClearPatient.h"
#include "discharge/frmDischargeNotice.h"

#include <QApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;
using ui::Icon;
using ui::Messages;

class tst_discharge : public QObject {
    Q_OBJECT
    CaseFixture fx;
    QString clearedAt; // when the notice of 5200 was cleared, as stored

    db::Connection& c() { return CaseFixture::conn(); }
    QString one(const QString& sql, const QVariantList& v = {}) {
        const db::Recordset rs = c().Query(sql, v);
        return rs.Eof() ? u"<none>"_s : rs.Text(0);
    }
    static QStringList shown() {
        QStringList out;
        for (const ui::Shown& s : Messages::shown()) {
            const char* icon = s.icon == Icon::Information ? "information"
                               : s.icon == Icon::Exclamation ? "exclamation"
                               : s.icon == Icon::Critical    ? "critical"
                                                             : "none";
            out << QString::fromLatin1(icon) + u'|' + s.title + u'|' + s.text;
        }
        return out;
    }
    static QString app() { return app::departmentTitle(); }
    static QImage image(const QIcon& i) { return i.pixmap(16, 16).toImage(); }

    // The list's rows as "icon key|patient|room|adm|nurse|notice time".
    static QStringList rows(frmDischargeNotice* f) {
        QStringList out;
        for (int i = 0; i < f->lvwRequest->topLevelItemCount(); ++i) {
            QTreeWidgetItem* it = f->lvwRequest->topLevelItem(i);
            QString r = it->data(0, Qt::UserRole).toString();
            for (int col = 0; col < 5; ++col)
                r += u'|' + it->text(col);
            out << r;
            // The icon shown is the image list's icon of that key.
            if (image(it->icon(0)) != image(f->imlStatus().value(it->data(0, Qt::UserRole).toString())))
                out << u"(wrong icon)"_s;
        }
        return out;
    }
    static void choose(frmDischargeNotice* f, const QString& adm) {
        for (int i = 0; i < f->lvwRequest->topLevelItemCount(); ++i)
            if (f->lvwRequest->topLevelItem(i)->text(2) == adm) {
                f->lvwRequest->setCurrentItem(f->lvwRequest->topLevelItem(i));
                return;
            }
        QFAIL(qPrintable(u"no row for "_s + adm));
    }
    static void drive(ModalScript& script, const std::function<void()>& open) {
        script.start();
        open();
        script.stop();
        QVERIFY2(!script.stalled(), qPrintable(script.seen().join(u',')));
        QVERIFY2(script.done(), qPrintable(u"%1 steps left"_s.arg(script.left())));
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        auto s = fx.create();
        s->Execute(u"INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station) VALUES ('301A', '3W'), ('302B', '3W')"_s);
        s->Execute(u"INSERT INTO PATIENT_DATA.tbDoctor (DoctorID, LastName, FirstName) VALUES ('D1', 'REYES', 'PAOLO')"_s);
        s->Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, ZEPNum) VALUES "
                   "('H100', 'DELA CRUZ', 'ANA', 'BAUTISTA', 'Z-100'), ('H200', 'REYES', 'JOSE', '', 'Z-200'), "
                   "('H300', 'LIM', 'CARLO', '', NULL), ('H400', 'TAN', 'LUZ', '', NULL)"_s);
        s->Execute(u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, RoomID, DoctorID) VALUES "
                   "('5100', 'H100', '2026-12-01 08:00:00', '301A', 'D1'), "
                   "('5200', 'H200', '2026-12-02 09:15:00', '302B', NULL), "
                   "('5300', 'H300', '2026-12-03 10:00:00', NULL, NULL), "
                   "('5400', 'H400', '2026-10-01 10:00:00', NULL, NULL)"_s);
        s->Execute(u"INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, IsCDF, IsPCSO, "
                   "IsSpecial, NC, AssessDate) VALUES ('5100', 'H100', 'Z-100', 'C1', 'Hemodialysis', 1, 1, 1, "
                   "1500, '2026-12-01 10:00:00'), ('5200', 'H200', 'Z-200', 'B', 'IM', 0, 0, 1, 0, "
                   "'2026-12-02 10:00:00')"_s);
        Messages::startScript();
        Messages::setApplicationTitle(app::departmentTitle());
    }
    void init() {
        Messages::clearShown();
        QVERIFY(fx.start());
        clearedAt = QDateTime::currentDateTime().addSecs(-3600).toString(u"yyyy-MM-dd HH:mm:ss"_s);
        c().Execute(u"DELETE FROM ZEP.tbZEPDischargeNotice"_s);
        c().Execute(u"INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, OrderedDate, "
                    "DischargeNurse, Remarks) VALUES ('5100', 'H100', '2026-12-09 08:05:00', "
                    "'2026-12-09 07:30:00', 'Nurse Joy Santos', 'May go home')"_s);
        c().Execute(u"INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, DischargeNurse, "
                    "ClearDate, ClearedBy, ClearRemarks) VALUES ('5200', 'H200', '2026-12-08 14:30:00', "
                    "'Nurse Ben Ocampo', ?, 'E200', 'Cleared; discount applied')"_s,
                    {clearedAt});
        c().Execute(u"INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, DischargeNurse, "
                    "RevokedAt, RevokedBy) VALUES ('5300', 'H300', '2026-12-09 06:00:00', 'Nurse Joy Santos', "
                    "'2026-12-09 07:00:00', 'NURSE-3W')"_s);
        // Cleared long ago: no longer listed.
        c().Execute(u"INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate, ClearDate, "
                    "ClearedBy) VALUES ('5400', 'H400', '2026-10-01 08:00:00', ?, 'E200')"_s,
                    {QDateTime::currentDateTime().addDays(-31).toString(u"yyyy-MM-dd HH:mm:ss"_s)});
    }
    void cleanup() {
        const int unused = Messages::unusedAnswers();
        Messages::startScript(); // a failed test leaves no answers to the next one
        fx.stop();
        QCOMPARE(unused, 0);
    }

    // The list from the toolbar button and from the menu: texts, icons, legend, order.
    void noticeList_data() {
        QTest::addColumn<bool>("fromToolbar");
        QTest::newRow("View Discharge Notice") << false;
        QTest::newRow("toolbar button") << true;
    }
    void noticeList() {
        QFETCH(bool, fromToolbar);
        app::mdiZEP* w = app::modMain::mainWindow();
        QCOMPARE(w->item(u"mnuDischargeNotice"_s)->text(), u"View Discharge Notice"_s);
        ModalScript s;
        s.then(u"frmDischargeNotice"_s, [&](QWidget* d) {
            auto* f = static_cast<frmDischargeNotice*>(d);
            QCOMPARE(f->windowTitle(), u"Discharge Notice"_s);
            QCOMPARE(f->parentWidget(), w);
            QStringList headers;
            for (int col = 0; col < f->lvwRequest->columnCount(); ++col)
                headers << f->lvwRequest->headerItem()->text(col) + u' ' +
                               QString::number(f->lvwRequest->columnWidth(col));
            QCOMPARE(headers, (QStringList{u"Patient 200"_s, u"Room 200"_s, u"Adm. # 200"_s,
                                           u"Discharge Nurse 200"_s, u"Notice Time 140"_s}));
            // Waiting first, then cleared; neither the revoked notice nor the one cleared a
            // month ago is listed.
            QCOMPARE(rows(f), (QStringList{
                                  u"open|DELA CRUZ, ANA BAUTISTA|301A|5100|Nurse Joy Santos|12/9/2026 8:05:00 AM"_s,
                                  u"clear|REYES, JOSE|302B|5200|Nurse Ben Ocampo|12/8/2026 2:30:00 PM"_s}));
            QCOMPARE(f->lblLegend->text(), u"Legend:"_s);
            QCOMPARE(f->lblCleared->text(), u"Cleared"_s);
            QCOMPARE(f->lblNotCleared->text(), u"Not Cleared"_s);
            QCOMPARE(f->imgClear->pixmap().toImage(), image(f->imlStatus().value(u"clear"_s)));
            QCOMPARE(f->imgOpen->pixmap().toImage(), image(f->imlStatus().value(u"open"_s)));
            QVERIFY(image(f->imlStatus().value(u"clear"_s)) != image(f->imlStatus().value(u"open"_s)));
            QCOMPARE(f->cmdSelect->text(), u"&Select"_s);
            QCOMPARE(f->cmdClose->text(), u"&Close"_s);
            screenfit::showAsLaptop(*app::modMain::mainWindow());
            QCOMPARE(screenfit::problems(f, {u"cmdSelect"_s, u"cmdClose"_s}), QStringList());
            CaseFixture::shot(f, u"frmDischargeNotice"_s);
            f->cmdSelect->click(); // nothing chosen: nothing happens
            QVERIFY(f->isVisible());
            QVERIFY(!f->Valid());
            f->cmdClose->click();
            QVERIFY(!f->Valid());
            QCOMPARE(f->IDNUM(), QString());
        });
        drive(s, [&] {
            if (fromToolbar)
                w->button(u"btnDischargeNotice"_s)->click();
            else
                w->item(u"mnuDischargeNotice"_s)->trigger();
        });
        QCOMPARE(shown(), QStringList());
    }

    // Select, clear with a remark holding an apostrophe, and the list again with the row
    // cleared.
    void clearanceAndTheListAgain() {
        app::mdiZEP* w = app::modMain::mainWindow();
        ModalScript s;
        s.then(u"frmDischargeNotice"_s, [](QWidget* d) {
             auto* f = static_cast<frmDischargeNotice*>(d);
             choose(f, u"5100"_s);
             f->cmdSelect->click();
             QCOMPARE(f->IDNUM(), u"5100"_s);
             QVERIFY(f->Valid());
         }).then(u"frmClearPatient"_s, [](QWidget* d) {
            auto* f = static_cast<frmClearPatient*>(d);
            QCOMPARE(f->windowTitle(), u"Clear Patient"_s);
            QCOMPARE(f->lblHeading->text(), u"Clear Patient for Discharge"_s);
            const QStringList frames{u"Hospital Information"_s, u"Patient's Name"_s, u"Notice Information"_s,
                                     u"Clearing Information"_s, u"ZEP Data"_s};
            QStringList titles;
            for (QGroupBox* g : f->findChildren<QGroupBox*>())
                titles << g->title();
            for (const QString& t : frames)
                QVERIFY2(titles.contains(t), qPrintable(t));
            QStringList boxes;
            for (QLineEdit* e : {f->txtHospNo, f->txtAdmNo, f->txtAdmDate, f->txtRoomNo, f->txtDoctor,
                                 f->txtSname, f->txtFname, f->txtMname, f->txtNoticeDate, f->txtOrderDate,
                                 f->txtDischargeNurse, f->txtRemarks, f->txtClearDate, f->txtClearedBy,
                                 f->txtZEPNum, f->txtCategory, f->txtOtherInfo})
                boxes << e->text();
            QCOMPARE(boxes, (QStringList{u"H100"_s, u"5100"_s, u"12/1/2026 8:00:00 AM"_s, u"301A"_s,
                                         u"Dr. REYES, PAOLO"_s, u"DELA CRUZ"_s, u"ANA"_s, u"BAUTISTA"_s,
                                         u"12/9/2026 8:05:00 AM"_s, u"12/9/2026 7:30:00 AM"_s,
                                         u"Nurse Joy Santos"_s, u"May go home"_s, u"For clearing"_s,
                                         u"Santos, Maria(E100) "_s, u"Z-100"_s, u"Hemodialysis"_s,
                                         u"with CDF; with PCSO; Special Arrangement (NC: 1500.00)"_s}));
            QCOMPARE(f->lblClassification->text(), u"C1"_s);
            QVERIFY(f->lblClassification->isVisible());
            QCOMPARE(f->cmdSave->text(), u"&Save"_s);
            QCOMPARE(f->cmdIgnore->text(), u"&Ignore"_s);
            QVERIFY(f->cmdSave->isEnabled());
            QVERIFY(!f->txtClearRemarks->isReadOnly());
            screenfit::showAsLaptop(*app::modMain::mainWindow());
            QCOMPARE(screenfit::problems(f, {u"cmdSave"_s, u"cmdIgnore"_s}), QStringList());
            QTest::keyClicks(f->txtClearRemarks, u"Family's promissory note"_s);
            CaseFixture::shot(f, u"frmClearPatient"_s);
            f->cmdSave->click();
            QVERIFY(!f->isVisible());
        }).then(u"frmDischargeNotice"_s, [](QWidget* d) {
            auto* f = static_cast<frmDischargeNotice*>(d);
            QCOMPARE(rows(f).first().section(u'|', 0, 3), u"clear|DELA CRUZ, ANA BAUTISTA|301A|5100"_s);
            f->cmdClose->click();
        });
        drive(s, [&] { w->item(u"mnuDischargeNotice"_s)->trigger(); });
        QCOMPARE(s.deepestLoop(), 1);
        QCOMPARE(shown(), QStringList{u"information|"_s + app() + u"|Patient has been cleared for discharge."_s});
        QCOMPARE(one(u"SELECT ClearedBy || '|' || ClearRemarks FROM ZEP.tbZEPDischargeNotice WHERE IdNum = '5100'"_s),
                 u"E100|Family`s promissory note"_s);
        QVERIFY(one(u"SELECT ClearDate FROM ZEP.tbZEPDischargeNotice WHERE IdNum = '5100'"_s) != u""_s);
    }

    // A cleared notice is looked at, not cleared again; Close brings the list back.
    void clearedNoticeIsShownLocked() {
        app::mdiZEP* w = app::modMain::mainWindow();
        ModalScript s;
        s.then(u"frmDischargeNotice"_s, [](QWidget* d) {
             auto* f = static_cast<frmDischargeNotice*>(d);
             choose(f, u"5200"_s);
             const QPoint at = f->lvwRequest->visualItemRect(f->lvwRequest->currentItem()).center();
             QTest::mouseClick(f->lvwRequest->viewport(), Qt::LeftButton, {}, at);
             QTest::mouseDClick(f->lvwRequest->viewport(), Qt::LeftButton, {}, at);
         }).then(u"frmClearPatient"_s, [this](QWidget* d) {
             auto* f = static_cast<frmClearPatient*>(d);
             QCOMPARE(f->txtClearDate->text(),
                      QLocale(QLocale::English, QLocale::UnitedStates)
                          .toString(QDateTime::fromString(clearedAt, u"yyyy-MM-dd HH:mm:ss"_s), u"M/d/yyyy h:mm:ss AP"_s));
             QCOMPARE(f->txtClearedBy->text(), u"Cruz, Juan(E200) "_s);
             QCOMPARE(f->txtClearRemarks->text(), u"Cleared; discount applied"_s);
             QVERIFY(f->txtClearRemarks->isReadOnly());
             QVERIFY(!f->cmdSave->isEnabled());
             QCOMPARE(f->cmdIgnore->text(), u"&Close"_s);
             QCOMPARE(f->txtOtherInfo->text(), u"Special Arrangement"_s);
             QCOMPARE(f->txtZEPNum->text(), u"Z-200"_s);
             CaseFixture::shot(f, u"frmClearPatient-cleared"_s);
             f->cmdIgnore->click();
         }).then(u"frmDischargeNotice"_s, [](QWidget* d) { static_cast<frmDischargeNotice*>(d)->cmdClose->click(); });
        drive(s, [&] { w->item(u"mnuDischargeNotice"_s)->trigger(); });
        QCOMPARE(shown(), QStringList());
        QCOMPARE(one(u"SELECT ClearedBy FROM ZEP.tbZEPDischargeNotice WHERE IdNum = '5200'"_s), u"E200"_s);
    }

    // A notice revoked after it was listed has no detail row: nothing to clear.
    void noticeWithoutDetailCannotBeCleared() {
        app::mdiZEP* w = app::modMain::mainWindow();
        ModalScript s;
        s.then(u"frmDischargeNotice"_s, [this](QWidget* d) {
             auto* f = static_cast<frmDischargeNotice*>(d);
             choose(f, u"5100"_s);
             c().Execute(u"UPDATE ZEP.tbZEPDischargeNotice SET RevokedAt = '2026-12-09 09:00:00', "
                         "RevokedBy = 'NURSE-3W' WHERE IdNum = '5100'"_s);
             f->cmdSelect->click();
         }).then(u"frmClearPatient"_s, [](QWidget* d) {
             auto* f = static_cast<frmClearPatient*>(d);
             QVERIFY(!f->noticeFound());
             QCOMPARE(f->txtAdmNo->text(), QString());
             QCOMPARE(f->txtClearDate->text(), QString());
             QVERIFY(!f->cmdSave->isEnabled());
             QVERIFY(!f->cmdSave_Click());
             f->cmdIgnore->click();
         }).then(u"frmDischargeNotice"_s, [](QWidget* d) { static_cast<frmDischargeNotice*>(d)->cmdClose->click(); });
        drive(s, [&] { w->item(u"mnuDischargeNotice"_s)->trigger(); });
        QCOMPARE(shown(), QStringList());
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPDischargeNotice WHERE ClearDate IS NOT NULL"_s), u"2"_s);
    }

    // Two workstations on one notice: the other one clears it while this one has it open.
    // This one is told, and the first clearance stays as it was.
    void clearedMeanwhileAtAnotherWorkstation() {
        auto other = testdb::reopen(c());
        app::mdiZEP* w = app::modMain::mainWindow();
        ModalScript s;
        s.then(u"frmDischargeNotice"_s, [](QWidget* d) {
             auto* f = static_cast<frmDischargeNotice*>(d);
             choose(f, u"5100"_s);
             f->cmdSelect->click();
         }).then(u"frmClearPatient"_s, [&](QWidget* d) {
             auto* f = static_cast<frmClearPatient*>(d);
             QVERIFY(f->cmdSave->isEnabled());
             const db::Recordset first = other->Call(u"ZEP..sp_ZEP_ClearPatientForDischarge"_s,
                                                     {u"5100"_s, u"E200"_s, u"Cleared at the ward"_s});
             QCOMPARE(first.Text(u"Cleared"_s), u"1"_s);
             QTest::keyClicks(f->txtClearRemarks, u"Mine"_s);
             QVERIFY(!f->cmdSave_Click());
             QVERIFY(f->isVisible());
             // The dialog now shows the clearance that stands.
             QCOMPARE(f->txtClearedBy->text(), u"Cruz, Juan(E200) "_s);
             QCOMPARE(f->txtClearRemarks->text(), u"Cleared at the ward"_s);
             QVERIFY(!f->cmdSave->isEnabled());
             QCOMPARE(f->cmdIgnore->text(), u"&Close"_s);
             f->cmdIgnore->click();
         }).then(u"frmDischargeNotice"_s, [](QWidget* d) { static_cast<frmDischargeNotice*>(d)->cmdClose->click(); });
        drive(s, [&] { w->item(u"mnuDischargeNotice"_s)->trigger(); });
        const QStringList msgs = shown();
        QCOMPARE(msgs.size(), 1);
        QVERIFY2(msgs.first().startsWith(u"exclamation|Message|This patient has already been cleared for "
                                         "discharge by E200 on "_s),
                 qPrintable(msgs.first()));
        QCOMPARE(one(u"SELECT ClearedBy || '|' || ClearRemarks FROM ZEP.tbZEPDischargeNotice WHERE IdNum = '5100'"_s),
                 u"E200|Cleared at the ward"_s);
    }

    // Both workstations press Save at the same moment: the first holds the row until it
    // commits, the second waits for it and then finds the notice cleared.
    void twoClearancesAtOnce() {
        if (!testdb::isPg())
            QSKIP("one writer at a time on the embedded database; the server lets both run");
        auto first = testdb::reopen(c());
        auto second = testdb::reopen(c());
        first->BeginTrans();
        QCOMPARE(first->Call(u"ZEP..sp_ZEP_ClearPatientForDischarge"_s, {u"5100"_s, u"E100"_s, u"first"_s})
                     .Text(u"Cleared"_s),
                 u"1"_s);
        // The result is read only after join(); before that only the flag is looked at, so
        // the check does not race the thread's write of the text.
        QString secondResult;
        std::atomic<bool> secondDone{false};
        std::thread t([&] {
            const db::Recordset r = second->Call(u"ZEP..sp_ZEP_ClearPatientForDischarge"_s,
                                                 {u"5100"_s, u"E200"_s, u"second"_s});
            secondResult = r.Text(u"Cleared"_s) + u'|' + r.Text(u"ClearedBy"_s);
            secondDone = true;
        });
        // The second is blocked on the row lock while the first is open.
        QTest::qWait(300);
        const bool finishedEarly = secondDone;
        first->CommitTrans();
        t.join();
        QVERIFY2(!finishedEarly, "the second clearance did not wait for the first to commit");
        QCOMPARE(secondResult, u"0|E100"_s);
        QCOMPARE(one(u"SELECT ClearedBy || '|' || ClearRemarks FROM ZEP.tbZEPDischargeNotice WHERE IdNum = '5100'"_s),
                 u"E100|first"_s);
    }

    void failedClearance() {
        app::mdiZEP* w = app::modMain::mainWindow();
        ModalScript s;
        s.then(u"frmDischargeNotice"_s, [](QWidget* d) {
             auto* f = static_cast<frmDischargeNotice*>(d);
             choose(f, u"5100"_s);
             f->cmdSelect->click();
         }).then(u"frmClearPatient"_s, [this](QWidget* d) {
             auto* f = static_cast<frmClearPatient*>(d);
             c().faults().failStatement(1);
             f->cmdSave->click();
             c().faults().disarm();
             QVERIFY(f->isVisible());
             QVERIFY(!QApplication::overrideCursor());
             f->cmdIgnore->click();
         }).then(u"frmDischargeNotice"_s, [](QWidget* d) { static_cast<frmDischargeNotice*>(d)->cmdClose->click(); });
        drive(s, [&] { w->item(u"mnuDischargeNotice"_s)->trigger(); });
        const QStringList msgs = shown();
        QCOMPARE(msgs.size(), 1);
        QVERIFY2(msgs.first().startsWith(u"critical|Message|Data Not Successfully Saved.\n"_s), qPrintable(msgs.first()));
        QVERIFY(msgs.first().size() > int(qstrlen("critical|Message|Data Not Successfully Saved.\n")));
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPDischargeNotice WHERE ClearDate IS NOT NULL"_s), u"2"_s);
    }

    // Thirty notices cleared one after another, each from the list shown again: every
    // dialog runs in the first modal loop, none inside another.
    void thirtyCycles() {
        c().Execute(u"DELETE FROM ZEP.tbZEPDischargeNotice"_s);
        for (int i = 0; i < 30; ++i) {
            const QString hosp = u"H9%1"_s.arg(i, 2, 10, QLatin1Char('0'));
            const QString adm = u"90%1"_s.arg(i, 2, 10, QLatin1Char('0'));
            c().Execute(u"INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName) VALUES (?, 'CYCLE')"_s, {hosp});
            c().Execute(u"INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) VALUES (?, ?, '2026-12-01 08:00:00')"_s,
                        {adm, hosp});
            c().Execute(u"INSERT INTO ZEP.tbZEPDischargeNotice (IdNum, HospNum, NoticeDate) VALUES (?, ?, ?)"_s,
                        {adm, hosp, u"2026-12-09 08:%1:00"_s.arg(i, 2, 10, QLatin1Char('0'))});
        }
        app::mdiZEP* w = app::modMain::mainWindow();
        ModalScript s;
        QStringList cleared;
        for (int i = 0; i < 30; ++i) {
            s.then(u"frmDischargeNotice"_s, [&cleared](QWidget* d) {
                 auto* f = static_cast<frmDischargeNotice*>(d);
                 // The oldest waiting notice is first; those cleared before sit below.
                 QCOMPARE(f->lvwRequest->topLevelItem(0)->data(0, Qt::UserRole).toString(),
                          u"open"_s);
                 QCOMPARE(f->lvwRequest->topLevelItemCount(), 30);
                 f->lvwRequest->setCurrentItem(f->lvwRequest->topLevelItem(0));
                 cleared << f->lvwRequest->topLevelItem(0)->text(2);
                 f->cmdSelect->click();
             }).then(u"frmClearPatient"_s, [](QWidget* d) { static_cast<frmClearPatient*>(d)->cmdSave->click(); });
        }
        s.then(u"frmDischargeNotice"_s, [](QWidget* d) {
            auto* f = static_cast<frmDischargeNotice*>(d);
            for (int i = 0; i < f->lvwRequest->topLevelItemCount(); ++i)
                QCOMPARE(f->lvwRequest->topLevelItem(i)->data(0, Qt::UserRole).toString(), u"clear"_s);
            f->cmdClose->click();
        });
        drive(s, [&] { w->item(u"mnuDischargeNotice"_s)->trigger(); });
        QCOMPARE(s.deepestLoop(), 1);
        QCOMPARE(cleared.first(), u"9000"_s);
        QCOMPARE(cleared.last(), u"9029"_s);
        QCOMPARE(cleared.size(), 30);
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPDischargeNotice WHERE ClearedBy = 'E100'"_s), u"30"_s);
        QCOMPARE(Messages::shown().size(), 30);
        QVERIFY(w->findChildren<frmDischargeNotice*>().isEmpty());
        QVERIFY(w->findChildren<frmClearPatient*>().isEmpty());
        for (int i = 0; i < 30; ++i) {
            c().Execute(u"DELETE FROM ZEP.tbZEPDischargeNotice WHERE IdNum = ?"_s, {u"90%1"_s.arg(i, 2, 10, QLatin1Char('0'))});
            c().Execute(u"DELETE FROM PATIENT_DATA.tbPatient2 WHERE IdNum = ?"_s, {u"90%1"_s.arg(i, 2, 10, QLatin1Char('0'))});
            c().Execute(u"DELETE FROM PATIENT_DATA.tbMaster WHERE HospNum = ?"_s, {u"H9%1"_s.arg(i, 2, 10, QLatin1Char('0'))});
        }
    }
};

QTEST_MAIN(tst_discharge)
#include "tst_discharge.moc"
