// The statements of account as the worker meets them from the Viewing menu: Detailed SOA
// with its refusals, its three templates and their values in order, and Summarized SOA
// through the billing components, also when their connection cannot be established.
#include "reporttest.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "app/modmain.h"
#include "components/billing/billing.h"
#include "components/login/accounts.h"
#include "components/login/clscurrentuser.h"
#include "db/connection.h"
#include "patient/frmListPatient.h"
#include "reports/ui/frmReportViewer.h"
#include "reports/ui/operations.h"
#include "reports/values.h"
#include "ui/messages.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;
using app::modMain;

namespace {

QStringList shown() {
    QStringList out;
    for (const ui::Shown& s : ui::Messages::shown()) {
        const char* icon = s.icon == ui::Icon::Information   ? "information"
                           : s.icon == ui::Icon::Exclamation ? "exclamation"
                           : s.icon == ui::Icon::Critical    ? "critical"
                                                             : "none";
        out << QString::fromLatin1(icon) + u'|' + s.title + u'|' + s.text;
    }
    return out;
}

} // namespace

class tst_soa_gui : public QObject {
    Q_OBJECT
    app::mdiZEP* w = nullptr;

    static QString source(const QString& rel) {
        return qEnvironmentVariable("ZEP_SOURCE_DIR") + u'/' + rel;
    }
    static QString app() { return app::departmentTitle(); }

    // The visit chosen in the list: found by a search under the option for its kind, or,
    // for what no search finds (a cash number, a patient without a visit), set as the
    // department's own list would leave it.
    void select(const QString& hospNum, const QString& idNum) {
        frmListPatient* list = w->showPatientList();
        const bool admission = !idNum.isEmpty() && idNum.back().isDigit();
        const bool outPatient = idNum.endsWith(u'B');
        if ((admission || outPatient) && !idNum.startsWith(u'T') && idNum != u"9999"_s) {
            list->findChild<QRadioButton*>(outPatient ? u"optPatientType_1"_s : u"optPatientType_0"_s)->click();
            list->search(hospNum, {}, idNum, {}, {});
            QCOMPARE(list->IDNUM(), idNum);
            QCOMPARE(list->HospNum(), hospNum);
        } else {
            list->setHospNum(hospNum);
            list->setIDNUM(idNum);
        }
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        auto c = testdb::fresh();
        QVERIFY(reporttest::runSeed(*c, source(u"tests/reports/reference/Statements.sql"_s)));
        login::Employee e;
        e.employeeId = u"E100"_s;
        e.lastName = u"SANTOS"_s;
        e.firstName = u"MARIA"_s;
        e.deptCode = u"ZEP"_s;
        login::addEmployee(*c, e);
        const QString password = u"Right-Horse-7"_s;
        login::addUser(*c, u"msantos"_s, u"E100"_s, password, u"ZEP"_s);
        db::ConnectionSettings settings = c->settings();
        settings.create = false;
        ui::Messages::startScript();
        ui::Messages::setApplicationTitle(app::departmentTitle());
        modMain::setHooks({[settings, password](login::clsCurrentUser& u) {
                               u.setConnectionSettings(settings);
                               u.logIn(u"msantos"_s, password);
                           },
                           {}});
        QCOMPARE(modMain::StartUp(), app::StartupResult::MainWindowShown);
        w = modMain::mainWindow();
        QVERIFY(w);
        // The templates of the source tree stand in for the installed REPORTS folder.
        app::g().reportFolder = source(u"reports/"_s);
        app::g().soa->setReportFolder(app::g().reportFolder);
        reports::setToday(QDate(2026, 3, 14));
        reports::startRecording();
    }

    void cleanupTestCase() {
        reports::stopRecording();
        if (w) {
            w->closeForLogOff();
            delete w;
        }
        app::g().release();
    }

    void init() {
        ui::Messages::clearShown();
        reports::clearShownReports();
    }

    void cleanup() {
        app::g().gConnection->faults().disarm();
        app::g().billingConnection->setConnection(app::g().gConnection);
        w->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Each kind of visit gets its template, its values in order and the same title.
    void detailed_data() {
        QTest::addColumn<QString>("hospNum");
        QTest::addColumn<QString>("idNum");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QString>("shows"); // a line of the rendered statement
        QTest::newRow("admission")
            << u"H501"_s << u"9002"_s << u"DetailedSOAForOstrelRefNumGrouped.rpt"_s
            << QStringList{u"IdNum=9002"_s, u"BillingGroup=501"_s, u"PatientName=SANTOS, PEDRO REYES"_s,
                           u"Address1=5 Luna St., Poblacion"_s, u"Address2=Pasig, Metro Manila 1600"_s,
                           u"AccountNum=A-50"_s, u"Company=PHILIPPINE CHARITY SWEEPSTAKES OFFICE"_s,
                           u"AdmissionNo=9002"_s, u"HospNum=H501"_s, u"AdmDate=03/10/2026"_s,
                           u"DcrDate=03/13/2026"_s, u"RoomID=401"_s, u"RoomRate=1500"_s,
                           u"AdmTime=08:30 AM"_s, u"DcrTime=02:15 PM"_s, u"FinalBill=No"_s, u"Remarks="_s}
            << u"Balance | 500.00"_s;
        QTest::newRow("admission through the out-patient department")
            << u"H501"_s << u"9001"_s << u"DetailedSOAForOstrelRefNumGroupedConsolidated.rpt"_s
            << QStringList{u"IdNum=9001"_s, u"PatientName=SANTOS, PEDRO REYES"_s,
                           u"Address1=5 Luna St., Poblacion"_s, u"Address2=Pasig, Metro Manila 1600"_s,
                           u"AccountNum=A-51"_s, u"Company=OFFICE OF THE MAYOR"_s, u"AdmissionNo=9001"_s,
                           u"HospNum=H501"_s, u"AdmDate=03/02/2026"_s, u"DcrDate=03/05/2026"_s,
                           u"RoomID=401"_s, u"RoomRate=1500"_s, u"AdmTime=08:30 AM"_s,
                           u"DcrTime=02:15 PM"_s, u"OPDIdnum=8001B"_s, u"Remarks="_s}
            << u"Balance | 1,837.50"_s;
        QTest::newRow("out-patient visit")
            << u"H501"_s << u"8001B"_s << u"DetailedSOAForOstrelRefNumGrouped_opd.rpt"_s
            << QStringList{u"IdNum=8001B"_s, u"BillingGroup=102"_s, u"PatientName=SANTOS, PEDRO REYES"_s,
                           u"Address1=5 Luna St., Poblacion"_s, u"Address2=Pasig, Metro Manila 1600"_s,
                           u"AccountNum="_s, u"Company="_s, u"AdmissionNo=8001B"_s, u"HospNum=H501"_s,
                           u"AdmDate=03/01/2026"_s, u"DcrDate=03/01/2026"_s, u"RoomID=OPD"_s,
                           u"RoomRate="_s, u"AdmTime=09:00 AM"_s, u"DcrTime=11:00 AM"_s,
                           u"FinalBill=No"_s, u"Remarks="_s}
            << u"Gross charges | 750.00"_s;
        // Nothing on file for the visit: a statement all the same, its patient fields empty.
        QTest::newRow("nothing on file for the visit")
            << u"H501"_s << u"9999"_s << u"DetailedSOAForOstrelRefNumGrouped.rpt"_s
            << QStringList{u"IdNum=9999"_s, u"BillingGroup=501"_s, u"PatientName="_s, u"Address1="_s,
                           u"Address2="_s, u"AccountNum="_s, u"Company="_s, u"AdmissionNo=9999"_s,
                           u"HospNum=H501"_s, u"AdmDate="_s, u"DcrDate="_s, u"RoomID="_s,
                           u"RoomRate="_s, u"AdmTime="_s, u"DcrTime="_s, u"FinalBill=No"_s, u"Remarks="_s}
            << u"No charges."_s;
    }
    void detailed() {
        QFETCH(QString, hospNum);
        QFETCH(QString, idNum);
        QFETCH(QString, file);
        QFETCH(QStringList, parameters);
        QFETCH(QString, shows);
        select(hospNum, idNum);
        QCOMPARE(w->item(u"mnuViewPatientBill"_s)->text(), u"Detailed SOA"_s);
        w->item(u"mnuViewPatientBill"_s)->trigger();
        QCOMPARE(shown(), QStringList());
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, file);
        QCOMPARE(r.parameters, parameters);
        QCOMPARE(r.title, u"Detailed Statement of Accounts"_s);
        QVERIFY(!r.showGroupTree);
        QVERIFY(!r.directPrint);
        QVERIFY(r.pages >= 1);
        QVERIFY2(r.text.split(u'\n').contains(shows), qPrintable(r.text));
    }

    // What is refused, with the exact box, before anything is read or shown.
    void detailedRefusals_data() {
        QTest::addColumn<QString>("hospNum");
        QTest::addColumn<QString>("idNum");
        QTest::addColumn<QStringList>("messages");
        const QString cash = u"none|"_s + app() + u"|Cannot generate SOA for Cash Patients."_s;
        const QString select = u"information|Message|Please select a patient."_s;
        QTest::newRow("cash patient") << u"H501"_s << u"T0001"_s << QStringList{cash};
        QTest::newRow("cash patient, no hospital number") << QString() << u"T0001"_s << QStringList{cash};
        QTest::newRow("nothing selected") << QString() << QString() << QStringList{select};
        // Used to open the out-patient template for an empty visit and print an empty
        // statement as if it were the patient's.
        QTest::newRow("a patient without a visit") << u"H501"_s << QString() << QStringList{select};
        QTest::newRow("blanks for a visit") << u"H501"_s << u"   "_s << QStringList{select};
    }
    void detailedRefusals() {
        QFETCH(QString, hospNum);
        QFETCH(QString, idNum);
        QFETCH(QStringList, messages);
        select(hospNum, idNum);
        app::g().gConnection->log().clear();
        w->item(u"mnuViewPatientBill"_s)->trigger();
        QCOMPARE(shown(), messages);
        QVERIFY(reports::shownReports().isEmpty());
        QCOMPARE(app::g().gConnection->log().entries().size(), 0); // nothing was read
    }

    // Not recorded: the statement opens in the viewer under its title with its pages.
    void detailedOpensInTheViewer() {
        select(u"H501"_s, u"9002"_s);
        reports::stopRecording();
        w->item(u"mnuViewPatientBill"_s)->trigger();
        reports::frmReportViewer* viewer = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (QWidget* t : QApplication::topLevelWidgets())
                    if (auto* v = qobject_cast<reports::frmReportViewer*>(t); v && v->isVisible())
                        viewer = v;
                return viewer != nullptr;
            }(),
            20000);
        reports::startRecording();
        QCOMPARE(viewer->windowTitle(), u"Detailed Statement of Accounts"_s);
        QVERIFY(viewer->report());
        QVERIFY(viewer->report()->pageCount() >= 1);
        QVERIFY(viewer->report()->plainText().contains(u"Net amount due | 3,400.00"_s));
        if (const QString out = qEnvironmentVariable("ZEP_SCREENSHOT_DIR"); !out.isEmpty()) {
            viewer->resize(1000, 740);
            QTest::qWait(300);
            viewer->grab().save(out + u"/detailed-soa-viewer.png"_s);
        }
        viewer->close();
    }

    // Summarized SOA: the billing component gets the visit, the user and the patient and
    // shows the statement per revenue centre.
    void summarized() {
        select(u"H501"_s, u"9002"_s);
        QCOMPARE(w->item(u"mnuSummarizedSOA"_s)->text(), u"Summarized SOA"_s);
        w->item(u"mnuSummarizedSOA"_s)->trigger();
        QCOMPARE(shown(), QStringList());
        const billing::clssoa* soa = app::g().soa.get();
        QCOMPARE((QStringList{soa->AdmissionNumber(), soa->UserId(), soa->HospitalNumber(), soa->UserName()}),
                 (QStringList{u"9002"_s, u"E100"_s, u"H501"_s, u"SANTOS, MARIA"_s}));
        QVERIFY(app::g().billingConnection->Established());
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, u"SummarizedSOA.rpt"_s);
        QCOMPARE(r.title, u"Summarized Statement of Account"_s);
        QCOMPARE(r.parameters, (QStringList{u"AdmissionNumber=9002"_s, u"HospitalNumber=H501"_s,
                                            u"UserId=E100"_s, u"UserName=SANTOS, MARIA"_s}));
        const QStringList lines = r.text.split(u'\n');
        for (const QString& l : {u"LABORATORY (LB) | 1,700.00 | 0.00 | 0.00 | 1,200.00 | 500.00"_s,
                                 u"ROOM AND BOARD (RA) | 4,500.00 | 1,000.00 | 0.00 | 0.00 | 3,500.00"_s,
                                 u"Total | 6,400.00 | 1,300.00 | 500.00 | 1,200.00 | 3,400.00"_s,
                                 u"Balance | 500.00"_s})
            QVERIFY2(lines.contains(l), qPrintable(l + u"\n"_s + r.text));
    }

    // A discount beyond what medicare left is not taken off; the row that says so keeps
    // the centres adding up to the totals.
    void summarizedDiscountBeyondTheBill() {
        select(u"H501"_s, u"9003"_s);
        w->item(u"mnuSummarizedSOA"_s)->trigger();
        QCOMPARE(shown(), QStringList());
        QCOMPARE(reports::shownReports().size(), 1);
        const QString text = reports::shownReports().first().text;
        const QStringList lines = text.split(u'\n');
        const qsizetype at = lines.indexOf(u"Revenue Centre | Charges | Medicare | Discount | Sponsor | Net"_s);
        QVERIFY2(at >= 0, qPrintable(text));
        QCOMPARE(lines.mid(at + 1, 3),
                 (QStringList{u"LABORATORY (LB) | 1,000.00 | 800.00 | 250.00 | 0.00 | -50.00"_s,
                              u"NOT APPLIED: MORE THAN LEFT TO PAY | 0.00 | 0.00 | -50.00 | 0.00 | 50.00"_s,
                              u"Total | 1,000.00 | 800.00 | 200.00 | 0.00 | 0.00"_s}));
        QVERIFY2(lines.contains(u"Balance | 0.00"_s), qPrintable(text));
    }

    // What stops the summarized statement, each with its box and no report.
    void summarizedRefusals_data() {
        QTest::addColumn<QString>("idNum");
        QTest::addColumn<int>("failure"); // 0 none, 1 the probe fails, 2 no connection
        QTest::addColumn<QStringList>("messages");
        const QString cannot = u"critical|Message|Unable to connect to the billing database; the "
                               "summarized statement of account cannot be shown.\n"_s;
        QTest::newRow("no visit")
            << QString() << 0
            << QStringList{u"information|"_s + app() + u"|Please select first a patient to process."_s};
        QTest::newRow("blanks for a visit")
            << u"  "_s << 0
            << QStringList{u"information|"_s + app() + u"|Please select first a patient to process."_s};
        // Used to stop without a word.
        QTest::newRow("the billing database cannot be reached")
            << u"9002"_s << 1
            << QStringList{cannot + u"Injected fault at: SELECT COUNT(*) AS n FROM BILLING.tbBillCompany"_s};
        QTest::newRow("the component has no connection")
            << u"9002"_s << 2
            << QStringList{cannot + u"There is no open connection to the billing database on SERVER."_s};
    }
    void summarizedRefusals() {
        QFETCH(QString, idNum);
        QFETCH(int, failure);
        QFETCH(QStringList, messages);
        select(u"H501"_s, idNum);
        if (failure == 1)
            app::g().gConnection->faults().failStatement(1);
        if (failure == 2)
            app::g().billingConnection->setConnection(nullptr);
        w->item(u"mnuSummarizedSOA"_s)->trigger();
        // The server is the log-in's: "(local)" for a database file, the host for a server.
        messages.replaceInStrings(u" on SERVER."_s, u" on "_s + app::g().currentUser->ServerName() + u'.');
        QCOMPARE(shown(), messages);
        QVERIFY(reports::shownReports().isEmpty());
        QVERIFY(!app::g().billingConnection->Established() || failure == 0);
    }
};

QTEST_MAIN(tst_soa_gui)
#include "test_soa_gui.moc"
