// The referral report's Save as the worker uses it from the main window: the expiry checks
// and the confirmation, the saved message, the ownership and failure messages with the
// screen left as typed, and the edits that guard what the save sends (the worker pick, the
// counterpart, the case status, the removal of a service).
#include "referralseed.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "patient/frmEmployeeListing.h"
#include "patient/frmListPatient.h"
#include "referral/arrsave.h"
#include "referral/frmARR.h"
#include "reports/ui/operations.h"
#include "ui/messages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace referralseed;

namespace {

const int kYear = QDate::currentDate().year();

} // namespace

class tst_arrscreen : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;
    std::unique_ptr<app::mdiZEP> w;

    frmARR* openFor(const QString& hosp) {
        frmListPatient* list = w->showPatientList();
        list->search(hosp, {}, {}, {}, {});
        if (list->HospNum() != hosp)
            return nullptr;
        w->item(u"mnuARR"_s)->trigger();
        auto* f = w->findChild<frmARR*>();
        ui::Messages::clearShown();
        return f;
    }

    QString one(const QString& sql) {
        const db::Recordset rs = c->Query(sql);
        return rs.Eof() ? u"<no row>"_s : rs.Text(rs.FieldNames().value(0));
    }

    int reports() { return one(u"SELECT COUNT(*) FROM ZEP.tbZEPTransaction"_s).toInt(); }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        ui::Messages::startScript();
        ui::Messages::setApplicationTitle(u"ZEP"_s);
    }

    void init() {
        c = testdb::fresh();
        seed(*c);
        c->Execute(u"INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, "
                   "LicenseNumber) VALUES ('E200', 'Cruz', 'Pedro', 'SW-0077')"_s);
        app::g().gConnection = c.get();
        app::g().userCode = u"E100"_s;
        app::g().reportFolder = qEnvironmentVariable("ZEP_SOURCE_DIR") + u"/reports/"_s;
        reports::setConnection(c.get());
        reports::setHospitalName(u"ZEP TEST HOSPITAL"_s);
        w = std::make_unique<app::mdiZEP>();
        w->show();
        ui::Messages::clearShown();
    }

    void cleanup() {
        const int unused = ui::Messages::unusedAnswers();
        while (ui::Messages::unusedAnswers() > 0)
            ui::Messages::question(QString());
        QCOMPARE(unused, 0);
        w.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app::g().gConnection = nullptr;
        c.reset();
    }

    void saveFromTheScreen() {
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        const QString expiry = u"12/31/"_s + QString::number(kYear + 1);
        f->mskRange1->setText(expiry);
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        QCOMPARE(shown(),
                 (QStringList{u"Question|ZEP|***VERIFICATION***\n \n  PATIENT NAME: DELA CRUZ, "
                              "JUAN PEREZ\n  HOSP. NO. : H1\n  ZEP NO.: Z-0001   CLASSIFICATION: "
                              "C2 -Class Two\n  EXPIRY DATE: "_s +
                                  expiry + u"\nIs that a valid information?"_s,
                              u"Information|Message|Clasification for DELA CRUZ, JUAN saved.\n"
                              "    HospNum : H1\n    Expriy Date : "_s +
                                  expiry + u" 11:59 PM"_s}));
        QVERIFY(f->saved());
        QCOMPARE(reports(), 1);
        // What was loaded goes back as it was: worker, status, sponsor, PCSO type, services.
        QCOMPARE(one(u"SELECT ZEPW || '/' || CaseStatus || '/' || IsCDF || '/' || PCSOType || "
                     "'/' || Category || '/' || Active FROM ZEP.tbZEPAssessment "
                     "WHERE IdNum = '1001'"_s),
                 u"E100/O/1/G/Surgical/Y"_s);
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPAssessmentService WHERE IdNum = '1001'"_s),
                 u"2"_s);
        QCOMPARE(one(u"SELECT NC FROM ZEP.tbZEPAssessment WHERE IdNum = '1001'"_s), u"1500.5"_s);
    }

    void expiryChecks_data() {
        QTest::addColumn<QString>("expiry");
        QTest::addColumn<QList<ui::Answer>>("answers");
        QTest::addColumn<QString>("firstMessage");
        QTest::addColumn<bool>("focusInExpiry");
        QTest::newRow("not a date")
            << u"13/45/2026"_s << QList<ui::Answer>{}
            << u"Critical|ZEP|You have entered an invalid date 13/45/2026."_s << true;
        QTest::newRow("empty") << u"//"_s << QList<ui::Answer>{}
                               << u"Critical|ZEP|You have entered an invalid date //."_s << true;
        // Whatever the answer, a far-future expiry is not saved from here.
        QTest::newRow("three years ahead, Yes")
            << u"01/01/"_s + QString::number(kYear + 3) << QList<ui::Answer>{ui::Answer::Yes}
            << u"Question|ZEP|The date you have entered is 2 years ahead of the current date or "
               "previous date.\nIs that valid?"_s
            << true;
        QTest::newRow("last day two years ahead, No to the confirmation")
            << u"12/31/"_s + QString::number(kYear + 2) << QList<ui::Answer>{ui::Answer::No}
            << u"Question|ZEP|***VERIFICATION***"_s << false;
    }
    void expiryChecks() {
        QFETCH(QString, expiry);
        QFETCH(QList<ui::Answer>, answers);
        QFETCH(QString, firstMessage);
        QFETCH(bool, focusInExpiry);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        f->txtRemarks->setFocus();
        f->mskRange1->setText(expiry);
        for (ui::Answer a : answers)
            ui::Messages::queueAnswer(a);
        f->cmdSave->click();
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown().first().section(u'\n', 0, focusInExpiry ? 1 : 0), firstMessage);
        QCOMPARE(f->focusWidget() == f->mskRange1, focusInExpiry);
        QCOMPARE(reports(), 0);
        QVERIFY(!f->saved());
    }

    void noClassification() {
        frmARR* f = openFor(u"H4"_s);
        QVERIFY(f);
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        QCOMPARE(shown().last(),
                 u"Information|Message|Please enter classification before saving."_s);
        QCOMPARE(reports(), 0);
    }

    void caseNumberOfAnotherPatient() {
        frmARR* f = openFor(u"H4"_s);
        QVERIFY(f);
        f->cboClassification->setCurrentIndex(0);
        f->txtZEPNum->setText(u"Z-0002"_s);
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        QCOMPARE(shown().last(),
                 u"None|Message|The CaseNumber already exists. \nIt is owned by BAUTISTA, ANA"_s);
        QCOMPARE(f->txtZEPNum->text(), QString());
        QVERIFY(!f->txtZEPNum->isReadOnly());
        QVERIFY(f->caseNumberConflict());
        QCOMPARE(reports(), 0);
        QCOMPARE(one(u"SELECT COUNT(*) FROM ZEP.tbZEPAssessment"_s), u"1"_s);
        // A number of his own then goes through.
        f->txtZEPNum->setText(u"Z-0400"_s);
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        QVERIFY(f->saved());
        QVERIFY(!f->caseNumberConflict());
        QCOMPARE(one(u"SELECT ZEPNum FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H4'"_s),
                 u"Z-0400"_s);
    }

    void failureKeepsTheScreen() {
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        f->mskRange1->setText(u"06/30/"_s + QString::number(kYear + 1));
        f->txtRemarks->setText(u"typed and kept"_s);
        c->faults().failCall(4); // the documentation
        ui::Messages::queueAnswer(ui::Answer::Yes);
        f->cmdSave->click();
        c->faults().disarm();
        QCOMPARE(shown().last(), u"Critical|Message|Data Not Successfully Saved.Injected fault at: "
                                 "Zep..spZEP_SaveDocumentation"_s);
        QVERIFY(!f->saved());
        QCOMPARE(f->txtRemarks->text(), u"typed and kept"_s);
        QCOMPARE(reports(), 0);
        QCOMPARE(one(u"SELECT Remarks FROM ZEP.tbZEPAssessment WHERE IdNum = '1001'"_s),
                 u"Follow up the sponsor"_s);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    // The lookup's code is taken only when the employee file knows it.
    void workerPick_data() {
        QTest::addColumn<bool>("leftInBetween");
        QTest::addColumn<QString>("shownName");
        QTest::addColumn<QString>("savedCode");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("known worker") << false << u"Cruz, Pedro"_s << u"E200"_s << QStringList{};
        QTest::newRow("left the file meanwhile")
            << true << u"Santos, Maria"_s << u"E100"_s
            << QStringList{u"Exclamation|MESSAGE|Employee No Longer Exists."_s};
    }
    void workerPick() {
        QFETCH(bool, leftInBetween);
        QFETCH(QString, shownName);
        QFETCH(QString, savedCode);
        QFETCH(QStringList, messages);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        f->cmdSearch->click();
        auto* picker = f->findChild<frmEmployeeListing*>();
        QVERIFY(picker && picker->isVisible());
        picker->txtSearch->setText(u"Cruz"_s);
        picker->search();
        if (leftInBetween)
            c->Execute(u"DELETE FROM ZEP.tbZEPEmployee WHERE EmployeeID = 'E200'"_s);
        picker->cmdSelect->click();
        QCOMPARE(shown(), messages);
        QCOMPARE(f->txtZEPW->text(), shownName);
        QCOMPARE(f->saveValues().workerCode, savedCode);
        QCOMPARE(f->licenseNumber(), leftInBetween ? QString() : u"SW-0077"_s);
    }

    // A bad character puts back the amount from before the edit, with one message.
    void counterpartEdits_data() {
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("messages");
        QTest::newRow("letter in the middle") << 2 << u"x"_s << u"1500.5"_s << 1;
        QTest::newRow("letter at the end") << 6 << u"k"_s << u"1500.5"_s << 1;
        QTest::newRow("digits") << 6 << u"75"_s << u"1500.575"_s << 0;
        QTest::newRow("second point") << 1 << u"."_s << u"1500.5"_s << 1;
        QTest::newRow("cleared") << -1 << QString() << QString() << 1;
    }
    void counterpartEdits() {
        QFETCH(int, cursor);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, messages);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        QCOMPARE(f->txtNC->text(), u"1500.5"_s); // loaded without a message
        QVERIFY(shown().isEmpty());
        f->txtNC->setFocus();
        if (cursor < 0) {
            f->txtNC->selectAll();
            QTest::keyClick(f->txtNC, Qt::Key_Backspace);
        } else {
            f->txtNC->setCursorPosition(cursor);
            QTest::keyClicks(f->txtNC, keys);
        }
        QCOMPARE(f->txtNC->text(), text);
        QCOMPARE(shown().size(), messages);
        if (messages)
            QCOMPARE(shown().first(), u"Information|Message|Can't accept non-numeric values."_s);
    }

    void caseStatusFollowsThePick() {
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        QCOMPARE(f->statusCode(), u"O"_s);
        f->cboactive->setFocus();
        QTest::keyClick(f->cboactive, Qt::Key_Down); // the first item, "New"; the focus stays
        QCOMPARE(f->cboactive->currentText(), u"New"_s);
        QCOMPARE(f->statusCode(), u"N"_s);
        // A status the table does not hold keeps the code it had.
        f->cboactive->lineEdit()->setText(u"Closed"_s);
        QTest::keyClick(f->cboactive->lineEdit(), Qt::Key_Return);
        QCOMPARE(f->statusCode(), u"N"_s);
    }

    // Save/Print prints once the report is saved, by this save or an earlier one; RePrint
    // prints without saving. The screen closes before the viewer opens.
    void printing_data() {
        QTest::addColumn<bool>("savedBefore");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<ui::Answer>>("answers");
        QTest::addColumn<QString>("title"); // empty: nothing printed
        QTest::newRow("Save/Print, Yes")
            << false << u"cmdPrint"_s << QList<ui::Answer>{ui::Answer::Yes}
            << u"Assessment and Referal report"_s;
        QTest::newRow("Save/Print, No")
            << false << u"cmdPrint"_s << QList<ui::Answer>{ui::Answer::No} << QString();
        QTest::newRow("Save/Print, No after a save")
            << true << u"cmdPrint"_s << QList<ui::Answer>{ui::Answer::No}
            << u"Assessment and Referal report"_s;
        QTest::newRow("RePrint") << false << u"cmdRePrint"_s << QList<ui::Answer>{}
                                 << u"Reprint Assessment and Referal report"_s;
    }
    void printing() {
        QFETCH(bool, savedBefore);
        QFETCH(QString, button);
        QFETCH(QList<ui::Answer>, answers);
        QFETCH(QString, title);
        QPointer<frmARR> f = openFor(u"H1"_s);
        QVERIFY(f);
        f->setPrintedBy(u"Juan Reyes"_s);
        f->mskRange1->setText(u"12/31/"_s + QString::number(kYear + 1));
        f->txtRemarks->setText(u"printed remark"_s);
        if (savedBefore) {
            ui::Messages::queueAnswer(ui::Answer::Yes);
            f->cmdSave->click();
            QVERIFY(f->saved());
        }
        reports::startRecording();
        reports::clearShownReports();
        for (ui::Answer a : answers)
            ui::Messages::queueAnswer(a);
        f->findChild<QPushButton*>(button)->click();
        const QList<reports::ShownReport> printed = reports::shownReports();
        reports::stopRecording();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (title.isEmpty()) {
            QVERIFY(printed.isEmpty());
            QVERIFY(f && f->isVisible());
            return;
        }
        QCOMPARE(printed.size(), 1);
        const reports::ShownReport& r = printed.first();
        QCOMPARE(r.title, title);
        QCOMPARE(r.fileName, u"ARR_New.rpt"_s);
        QCOMPARE(r.parameters,
                 (QStringList{u"HospNum=H1"_s, u"IdNum=1001"_s, u"PrintedBy=Juan Reyes"_s,
                              u"LicenseNumber="_s, u"Doctor=REYES, JOSE"_s}));
        QVERIFY2(r.text.contains(u"Case No. Z-0001"_s), qPrintable(r.text));
        // A reprint shows what is on file, not what is typed.
        QCOMPARE(r.text.contains(u"printed remark"_s), button == u"cmdPrint");
        QVERIFY(!f);
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1); // the patient list only
    }

    // Whole codes only: taking out 1.1 leaves 1.1.1 alone.
    void serviceRemoval() {
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        f->setServiceCodes(u"1.1.1|1.1|1.2|1.1|"_s);
        QListWidgetItem* item = nullptr;
        for (int i = 0; i < f->lstServices->count(); ++i)
            if (f->lstServices->item(i)->data(Qt::UserRole).toString() == u"1.1")
                item = f->lstServices->item(i);
        QVERIFY(item);
        emit f->lstServices->itemDoubleClicked(item);
        QCOMPARE(f->serviceCodes(), u"1.1.1|1.2|"_s);
        QStringList listed;
        for (int i = 0; i < f->lstServices->count(); ++i)
            listed << f->lstServices->item(i)->data(Qt::UserRole).toString();
        QCOMPARE(listed, (QStringList{u"1.1.1"_s, u"1.2"_s}));
        QCOMPARE(f->saveValues().serviceCodes, u"1.1.1|1.2|"_s);
    }
};

QTEST_MAIN(tst_arrscreen)
#include "tst_arrscreen.moc"
