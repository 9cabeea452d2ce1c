// The report items as the worker meets them: chosen from the main window's menus, each asks
// with its dialog, prepares its data, opens its template with its values in order and shows
// it under its title; an item whose template is not there yet says so.
#include "reporttest.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "app/modmain.h"
#include "components/login/accounts.h"
#include "components/login/clscurrentuser.h"
#include "db/connection.h"
#include "db/procedures.h"
#include "patient/frmEmployeeListing.h"
#include "patient/frmListPatient.h"
#include "reports/dialogs/reportdialog.h"
#include "reports/ui/frmReportViewer.h"
#include "reports/ui/operations.h"
#include "reports/values.h"
#include "ui/messages.h"

#include <QAction>
#include <QDialog>
#include <QScopeGuard>
#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using app::modMain;

namespace {

// What the scripted worker did with the dialog that came up.
struct DialogSeen {
    QString name;    // objectName: frmReportDate, frmReportDate2, ...
    QString caption;
    bool workerVisible = false;
};

} // namespace

class tst_catalogue_gui : public QObject {
    Q_OBJECT
    app::mdiZEP* w = nullptr;
    QList<DialogSeen> seen;

    static QString source(const QString& rel) {
        return qEnvironmentVariable("ZEP_SOURCE_DIR") + u'/' + rel;
    }

    // The next report dialog gets these dates and Enter (or Close), as a worker would.
    // With a worker, the worker search is used first and that worker picked from its list.
    void answerNextDialog(const QDate& start, const QDate& end, bool enter,
                          const QString& worker = {}) {
        auto* poll = new QTimer(this);
        poll->setInterval(10);
        connect(poll, &QTimer::timeout, this, [this, poll, start, end, enter, worker] {
            auto* d = qobject_cast<ReportDialog*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            DialogSeen s{d->objectName(), d->windowTitle(), false};
            if (auto* zepw = d->findChild<QWidget*>(u"txtZEPW"_s))
                s.workerVisible = zepw->isVisible();
            seen << s;
            if (auto* p = d->findChild<QDateEdit*>(u"dtStart"_s))
                p->setDate(start);
            if (auto* p = d->findChild<QDateEdit*>(u"dtEnd"_s))
                p->setDate(end);
            if (!worker.isEmpty())
                pickWorker(d, worker);
            (enter ? d->cmdEnter : d->cmdClose)->click();
        });
        poll->start();
    }

    // The worker search of frmReportDate2: its list comes up modal and the worker is chosen.
    static void pickWorker(QDialog* dialog, const QString& worker) {
        QTimer::singleShot(0, dialog, [worker] {
            auto* list = qobject_cast<frmEmployeeListing*>(QApplication::activeModalWidget());
            if (!list)
                return;
            QAbstractItemModel* m = list->GridListWorkers->model();
            for (int r = 0; r < m->rowCount(); ++r)
                if (m->index(r, 0).data().toString() == worker) {
                    list->GridListWorkers->setCurrentIndex(m->index(r, 0));
                    list->cmdSelect->click();
                }
            if (list->isVisible())
                list->reject(); // never left open: the worker is then missing, and the test says so
        });
        dialog->findChild<QPushButton*>(u"cmdSearch"_s)->click();
    }

    void trigger(const QString& name) {
        QAction* a = w->item(name);
        QVERIFY2(a, qPrintable(name));
        a->setVisible(true); // hidden items are reached the same way once shown
        a->setEnabled(true);
        a->trigger();
    }

    void selectPatient(const QString& hospNum, bool er) {
        frmListPatient* list = w->showPatientList();
        if (er)
            list->findChild<QRadioButton*>(u"optPatientType_3"_s)->click();
        else
            list->findChild<QRadioButton*>(u"optPatientType_0"_s)->click();
        list->search(hospNum, {}, {}, {}, {});
    }

    void closeScreens() {
        w->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        auto c = testdb::fresh();
        // The hospital day, then the department's grants, assessments and notices around it.
        for (const QString& seed : {u"Visits.sql"_s, u"Department.sql"_s}) {
            QVERIFY2(reporttest::runSeed(*c, source(u"tests/reports/reference/"_s + seed)),
                     qPrintable(seed));
        }
        // The grants valid today and the classes expiring soon are read on the hospital day.
        reports::setToday(QDate(2026, 3, 4));
        const QString password = u"Right-Horse-7"_s;
        login::addUser(*c, u"msantos"_s, u"E100"_s, password, u"ZEP"_s);
        db::ConnectionSettings settings = c->settings();
        settings.create = false;
        ui::Messages::startScript();
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
        seen.clear();
    }

    void cleanup() { closeScreens(); }

    void itemThroughTheMenu_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shows"); // a line of the rendered pages
        QTest::newRow("Daily Admission List")
            << u"mnuListAdmissions"_s << u"frmReportDate"_s << u"Admissions.rpt"_s
            << QStringList{u"ReportDate=03/04/2026"_s, u"UserCode=E100"_s}
            << u"Daily Admission List"_s << u"Admitted: 3; Pay: 1; Service: 2"_s;
        QTest::newRow("Daily Discharge List")
            << u"mnuListDischarges"_s << u"frmReportDate"_s << u"DailyDischargeList.rpt"_s
            << QStringList{u"ReportDate=03/04/2026"_s, u"UserCode=E100"_s} << u"DailyDischargeList"_s
            << u"Discharged: 3"_s;
        QTest::newRow("Admission Census")
            << u"mnuCensus"_s << u"frmReportDate"_s << u"Daily_Report_Admission.rpt"_s
            << QStringList{u"ReportDate=03/04/2026"_s, u"UserCode=E100"_s}
            << u"List of Admitted Patients (Census)"_s << u"In the hospital 4"_s;
        QTest::newRow("ER Census")
            << u"mnuDailyERCensus"_s << u"frmReportDate"_s << u"ER_Census_LikeAdmitting.rpt"_s
            << QStringList{u"ReportDate=03/04/2026"_s} << u"List of Admitted Patients (Census)"_s
            << u"Total: 5 patient(s)"_s;
        QTest::newRow("Daily ER Admission")
            << u"mnuERAdmission"_s << u"frmReportDate"_s << u"ERAdmission.rpt"_s
            << QStringList{u"Mode=2"_s, u"ReportDate=03/04/2026"_s} << u"Daily ER Admission Report"_s
            << u"DAILY ER ADMISSION REPORT"_s;
        QTest::newRow("Daily ER Discharges")
            << u"mnuDischarges"_s << u"frmReportDate"_s << u"ERAdmission.rpt"_s
            << QStringList{u"Mode=1"_s, u"ReportDate=03/04/2026"_s} << u"Daily ER Discharges Report"_s
            << u"DAILY ER DISCHARGES REPORT"_s;
        QTest::newRow("Absconded Patient Report")
            << u"mnuAbsconReport"_s << u"frmReportDate"_s << u"ERAdmission.rpt"_s
            << QStringList{u"Mode=4"_s, u"ReportDate=03/04/2026"_s} << u"Absconded Patients Report"_s
            << u"Total: 1 patient(s)"_s;
        QTest::newRow("Expired Patient Report (ER)")
            << u"mnuExpiredPatientER"_s << u"frmReportDate"_s << u"Expired Patient.rpt"_s
            << QStringList{u"StartDate=03/04/2026"_s, u"EndDate=03/04/2026"_s}
            << u"Expired Patient Report (ER)"_s << u"Total: 1 patient(s)"_s;
        QTest::newRow("Admission Census (Service Only)")
            << u"mnuAdmCensusService"_s << u"frmReportDate"_s << u"Daily_Report_AdmissionService.rpt"_s
            << QStringList{u"ReportDate=03/04/2026"_s, u"UserCode=E100"_s}
            << u"List of Admitted Patients (Census)"_s << u"In the hospital 2"_s;
        QTest::newRow("ER Census (Service Only)")
            << u"mnuERCensusService"_s << u"frmReportDate"_s << u"ER_Census_Service.rpt"_s
            << QStringList{u"ReportDate=03/04/2026"_s} << u"List of Admitted Patients (Census)"_s
            << u"Total: 3 patient(s)"_s;
        QTest::newRow("ER Admission Range")
            << u"mnuERCensus"_s << u"frmReportDate2"_s << u"ER_Census_Report_new.RPT"_s
            << QStringList{u"StartDate=03/03/2026"_s, u"EndDate=03/04/2026"_s} << u"ER Census Report"_s
            << u"Total: 6 patient(s)"_s;
        QTest::newRow("ER Discharges")
            << u"mnuERDischarges"_s << u"frmReportDate2"_s << u"ER_Discharges_Report_New.RPT"_s
            << QStringList{u"StartDate=03/03/2026"_s, u"EndDate=03/04/2026"_s}
            << u"ER Discharges Report"_s << u"Total: 5 patient(s)"_s;
        QTest::newRow("View List of Grantees")
            << u"mnuListGrantees"_s << QString() << u"ListofGrantees.rpt"_s << QStringList{}
            << u"List of Grantees"_s
            << u"Total: 4 grant(s) of 2 sponsor(s); granted 19,000.00, used 9,250.75, balance 9,749.25"_s;
        QTest::newRow("List of Assessments")
            << u"mnuAssessment"_s << u"frmReportDateRange"_s << u"ListofAssessment.rpt"_s
            << QStringList{u"StartDate=03/03/2026"_s, u"EndDate=03/04/2026"_s}
            << u"List of Assessments"_s << u"Total: 5 visit(s) assessed"_s;
        QTest::newRow("Daily List of Assessment")
            << u"mnuDailyAssessment"_s << u"frmReportDate"_s << u"DailyZEPAssessment.rpt"_s
            << QStringList{u"ReportDate=03/04/2026"_s} << u"List of Assessments (Daily Census)"_s
            << u"Total: 4 visit(s) assessed"_s;
        QTest::newRow("Nearly Expired Patient")
            << u"mnuNearlyExpired"_s << QString() << u"ForExpiration.rpt"_s
            << QStringList{u"Days=30"_s} << u"ZEP Patients"_s << u"Total: 4 patient(s)"_s;
        QTest::newRow("Discharge Notice Monitoring")
            << u"mnuDischargeNoticeReport"_s << u"frmReportDate"_s
            << u"DischargeNoticeMonitoring.rpt"_s << QStringList{u"ReportDate=03/04/2026"_s}
            << u"Discharge Notice Monitoring Report"_s
            << u"Notices given: 5; cleared: 2; pending: 2; revoked: 1"_s;
        QTest::newRow("Revoked Discharge Notice")
            << u"mnuDischargeNoticeRevoked"_s << u"frmReportDate2"_s << u"DischargeRevoked.rpt"_s
            << QStringList{u"StartDate=03/03/2026"_s, u"EndDate=03/04/2026"_s}
            << u"Revoked Discharge Notice Monitoring Report"_s << u"Total: 2 notice(s) revoked"_s;
        QTest::newRow("Contract/Responsibility Slip, nobody selected")
            << u"mnuContractSlip"_s << QString() << u"ContractSlip.rpt"_s
            << QStringList{u"HospNum="_s} << u"Contract Slip"_s << u"No patient is selected."_s;
        QTest::newRow("ARR Transaction Report, nobody selected")
            << u"mnuTransaction"_s << QString() << u"ARRTransactionReport.rpt"_s
            << QStringList{u"HospNum="_s} << u"Assessment Transaction Report"_s
            << u"No patient is selected."_s;
        // The summaries by service: the ER visits that ended on 03/04 carry the fund-paid lines;
        // the admissions with charges (700101, 700103) are still in and are not counted.
        const auto income = [](int group, const QString& heading) {
            return QStringList{u"StartDate=03/03/2026"_s, u"EndDate=03/04/2026"_s,
                               u"PatientGroup="_s + QString::number(group),
                               u"HospitalName=ZEP REFERENCE HOSPITAL"_s,
                               u"HospitalAddress=1 Reference Street, Quezon City"_s,
                               u"Heading="_s + heading};
        };
        QTest::newRow("Service Income Grouped by Service - In Patients")
            << u"mnuIn"_s << u"frmReportDate2"_s << u"SummaryIncome.rpt"_s
            << income(1, u"Daily Service Income Report - In Patient"_s)
            << u"Daily Service Income Report - In Patient"_s
            << u"Total of 0 visit(s) | 0.00 | 0.00 | 0.00 | 0.00 | 0.00"_s;
        QTest::newRow("Service Income Grouped by Service - ER Patients")
            << u"mnuER"_s << u"frmReportDate2"_s << u"SummaryIncome.rpt"_s
            << income(2, u"Daily Service Income Report - ER Patient"_s)
            << u"Daily Service Income Report - ER Patient"_s
            << u"Total of 2 visit(s) | 1,050.25 | 0.00 | 0.00 | 1,050.25 | 0.00"_s;
        QTest::newRow("Service Income Grouped by Service - Out Patients")
            << u"mnuOut"_s << u"frmReportDate2"_s << u"SummaryIncomeOutPatient.rpt"_s
            << income(3, u"Daily Service Income Report - Out Patient"_s)
            << u"Daily Service Income Report - Out Patient"_s
            << u"GROUPED BY SERVICE: OUT-PATIENTS SEEN 03/03/2026 to 03/04/2026"_s;
        QTest::newRow("Service Income Grouped by Service - In Patient Grouped by No. of Days")
            << u"mnuInG"_s << u"frmReportDate2"_s << u"SummaryIncomeGrouped.rpt"_s
            << income(1, u"Daily Service Income Report - In Patient"_s)
            << u"Daily Service Income Report - In Patient (Grouped by No. of Days)"_s
            << u"No visit with charges in this period."_s;
        QTest::newRow("Service Income Grouped by Service - ER Patients Grouped by No. of Days")
            << u"mnuERG"_s << u"frmReportDate2"_s << u"SummaryIncomeGrouped.rpt"_s
            << income(2, u"Daily Service Income Report - ER Patient"_s)
            << u"Daily Service Income Report - ER Patient (Grouped by No. of Days)"_s
            << u"0 | 2 | 1,050.25 | 0.00 | 0.00 | 1,050.25 | 0.00 | 0.00 | 0.00"_s; // hours at the ER: 0 days
        // the worker search is never used: an empty worker, the department's counts alone
        QTest::newRow("Activity Comparison Table")
            << u"mnuactivity"_s << u"frmReportDate2"_s << u"ActivityComparison.rpt"_s
            << QStringList{u"UserName=SANTOS, MARIA"_s, u"StartDate=03/03/2026"_s,
                           u"EndDate=03/04/2026"_s, u"Worker="_s}
            << u"ACTIVITY COMPARISON TABLE"_s << u"Visits assessed: worker 0, department 5"_s;
    }

    void itemThroughTheMenu() {
        QFETCH(QString, item);
        QFETCH(QString, dialog);
        QFETCH(QString, file);
        QFETCH(QStringList, parameters);
        QFETCH(QString, title);
        QFETCH(QString, shows);
        // One date dialogs get 03/04/2026; range dialogs 03/03/2026 to 03/04/2026; an item
        // without a dialog (no dialog named) must not open one.
        const bool range = dialog == u"frmReportDate2"_s || dialog == u"frmReportDateRange"_s;
        answerNextDialog(range ? QDate(2026, 3, 3) : QDate(2026, 3, 4), QDate(2026, 3, 4), true);
        trigger(item);
        QVERIFY2(ui::Messages::shown().isEmpty(), qPrintable(ui::Messages::shownTexts().join(u'|')));
        if (dialog.isEmpty()) {
            QVERIFY(seen.isEmpty());
            for (QTimer* t : findChildren<QTimer*>()) // the unused answer
                t->deleteLater();
        } else {
            QCOMPARE(seen.size(), 1);
            QCOMPARE(seen.first().name, dialog);
            QCOMPARE(seen.first().caption, range ? u"Report Date Entry"_s : u"Generate Report"_s);
            // only the comparisons of one worker show the worker search
            QCOMPARE(seen.first().workerVisible, item == u"mnuactivity"_s);
        }
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, file);
        QCOMPARE(r.parameters, parameters);
        QCOMPARE(r.title, title);
        QVERIFY(!r.showGroupTree);
        QVERIFY(!r.directPrint);
        QVERIFY2(r.text.contains(u"ZEP REFERENCE HOSPITAL"_s), qPrintable(r.text));
        QVERIFY2(r.text.contains(shows), qPrintable(r.text));
    }

    // The Monthly Performance Report opens its five sub-reports in their order, each with its
    // own values; a worker never searched for is empty, which counts the whole department.
    void monthlyPerformanceThroughTheMenu_data() {
        QTest::addColumn<QString>("worker"); // picked through the worker search; empty: not used
        QTest::addColumn<QStringList>("shows");
        QTest::newRow("worker search never used")
            << QString()
            << QStringList{u"Social Worker: the whole department"_s,
                           u"Total | 2 | 0 | 3 | 5"_s, // I: 700101, 700103; three ER visits
                           u" | New cases | 1 | 0 | 3 | 4"_s,
                           u" | Old cases (follow-up) | 1 | 0 | 0 | 1"_s, // 700101 after 700090
                           u"5 | 900203E | ER | H010 | JACINTO, MYRA | D | Medical | SANTOS, MARIA | 03/04/2026 11:59 PM"_s};
        QTest::newRow("a worker chosen")
            << u"E200"_s
            << QStringList{u"Social Worker: REYES, CARMEN (E200)"_s, u"Total | 1 | 0 | 1 | 2"_s,
                           u"Medical | 0 | 0 | 1 | 1"_s, u"Surgical | 1 | 0 | 0 | 1"_s,
                           u"2 | 900202E | ER | H009 | IBARRA, CARLO | C1 | Medical | REYES, CARMEN | 03/04/2026 10:05 AM"_s};
    }

    void monthlyPerformanceThroughTheMenu() {
        QFETCH(QString, worker);
        QFETCH(QStringList, shows);
        answerNextDialog(QDate(2026, 3, 3), QDate(2026, 3, 4), true, worker);
        trigger(u"mnuMonthlyPerformanceReport"_s);
        QVERIFY2(ui::Messages::shown().isEmpty(), qPrintable(ui::Messages::shownTexts().join(u'|')));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().name, u"frmReportDate2"_s);
        QCOMPARE(seen.first().caption, u"Report Date Entry"_s);
        QVERIFY(seen.first().workerVisible);
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, u"MonthlyPerformance.rpt"_s);
        QCOMPARE(r.title, u"Monthly Performance Report"_s);
        QVERIFY(!r.showGroupTree);
        QVERIFY(!r.directPrint);
        QCOMPARE(r.parameters,
                 (QStringList{u"HospitalName=ZEP REFERENCE HOSPITAL"_s,
                              u"HospitalAddress=1 Reference Street, Quezon City"_s,
                              u"UserName=SANTOS, MARIA"_s, u"StartDate=03/03/2026"_s,
                              u"EndDate=03/04/2026"_s, u"Worker="_s + worker}));
        QCOMPARE(r.subreportsOpened,
                 (QStringList{u"I.SourceOfReferral"_s, u"II.Caseload"_s,
                              u"III.CaseloadPerCategory"_s, u"IV.Services"_s, u"documentation"_s}));
        const QStringList period{u"StartDate=03/03/2026"_s, u"EndDate=03/04/2026"_s,
                                 u"Worker="_s + worker};
        QCOMPARE(r.subreports.value(u"I.SourceOfReferral"_s), period);
        QCOMPARE(r.subreports.value(u"II.Caseload"_s), period);
        QCOMPARE(r.subreports.value(u"III.CaseloadPerCategory"_s), period);
        QCOMPARE(r.subreports.value(u"IV.Services"_s), period + QStringList{u"Service="_s});
        QCOMPARE(r.subreports.value(u"documentation"_s), period + QStringList{u"UserCode=E100"_s});
        const QStringList lines = r.text.split(u'\n');
        for (const QString& line : shows)
            QVERIFY2(lines.contains(line), qPrintable(line + u"\n---\n"_s + r.text));
    }

    void closingTheDialogRunsNothing_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("command");
        QTest::newRow("census") << u"mnuCensus"_s << u"sp_Adm_DailyAdmission"_s;
        QTest::newRow("discharges") << u"mnuListDischarges"_s << u"sp_Adm_DailyDischarges"_s;
        QTest::newRow("ER census") << u"mnuDailyERCensus"_s << u"sp_ZEP_getERDailyCensus"_s;
    }

    void closingTheDialogRunsNothing() {
        QFETCH(QString, item);
        QFETCH(QString, command);
        const auto runs = [&] {
            return app::g().gConnection->log().dump().count(command, Qt::CaseInsensitive);
        };
        const qsizetype before = runs();
        answerNextDialog(QDate(2026, 3, 4), QDate(2026, 3, 4), false);
        trigger(item);
        QCOMPARE(seen.size(), 1);
        QVERIFY(ui::Messages::shown().isEmpty());
        QVERIFY(reports::shownReports().isEmpty());
        QCOMPARE(runs(), before);
        // and Enter runs it once
        answerNextDialog(QDate(2026, 3, 4), QDate(2026, 3, 4), true);
        trigger(item);
        QCOMPARE(runs(), before + 1);
        QCOMPARE(reports::shownReports().size(), 1);
    }

    // A failing preparing command must not be followed by a report of stale or no rows.
    void failingPreparingCommandShowsNoReport() {
        const QString name = u"ZEP..sp_ZEP_getERDailyCensus"_s;
        auto& registry = db::Procedures::instance();
        const db::Procedure original = *registry.find(name, u"ZEP"_s);
        registry.replace(name, [](db::Connection&, const db::Args&) -> db::Recordset {
            db::raise(u"Lost connection to the server."_s);
        });
        answerNextDialog(QDate(2026, 3, 4), QDate(2026, 3, 4), true);
        trigger(u"mnuDailyERCensus"_s);
        registry.replace(name, original);
        QVERIFY(reports::shownReports().isEmpty());
        QCOMPARE(ui::Messages::shown().size(), 1);
        const ui::Shown& m = ui::Messages::shown().first();
        QCOMPARE(m.icon, ui::Icon::Critical);
        QCOMPARE(m.text, u"The report \"ER Census\" could not be prepared; nothing was printed.\n\n"
                         "Lost connection to the server."_s);
    }

    void itemNotBuiltSaysSo_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::newRow("another sub-menu") << u"mnuQCIPD"_s
                                   << u"The report \"QC Residents Report - In-Patient\" (ZEP_Report_QC.rpt) is not available yet."_s;
        QTest::newRow("with a dialog") << u"mnuMonthlyPerformanceReport"_s
                                       << u"The report \"Monthly Performance Report\" (MonthlyPerformance.rpt) is not available yet."_s;
        QTest::newRow("sub-menu") << u"mnuIn"_s
                                  << u"The report \"Service Income Report Grouped by Service - In Patients\" (SummaryIncome.rpt) is not available yet."_s;
    }

    void itemNotBuiltSaysSo() {
        QFETCH(QString, item);
        QFETCH(QString, text);
        // A report folder without these templates, as on a workstation installed before them.
        QTemporaryDir empty;
        const QString folder = app::g().reportFolder;
        app::g().reportFolder = empty.path() + u'/';
        answerNextDialog(QDate(2026, 3, 4), QDate(2026, 3, 4), true); // must not be needed
        trigger(item);
        app::g().reportFolder = folder;
        QCOMPARE(ui::Messages::shownTexts(), QStringList{text});
        QCOMPARE(ui::Messages::shown().first().icon, ui::Icon::Information);
        QVERIFY(reports::shownReports().isEmpty());
        QTest::qWait(50);
        QVERIFY(seen.isEmpty()); // the worker is not asked for dates first
        // the pending answer would catch the next test's dialog
        for (QTimer* t : findChildren<QTimer*>())
            t->deleteLater();
    }

    // Re-Print ARR without a patient opens the reprint screen, modal, and prints nothing.
    void referralReprintWithoutPatientOpensTheScreen() {
        trigger(u"mnuRePrintARR"_s);
        QCOMPARE(ui::Messages::shownTexts(), QStringList{});
        QVERIFY(reports::shownReports().isEmpty());
        auto* f = w->findChild<QDialog*>(u"frmReprintARR"_s);
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->windowModality(), Qt::ApplicationModal);
        f->findChild<QPushButton*>(u"btnClose"_s)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->findChild<QDialog*>(u"frmReprintARR"_s));
    }

    // With a patient selected it reprints the selected visit's report with the name and
    // licence of that report, even when the patient has a newer report of another visit by
    // another worker; a visit without a report of its own gets neither.
    void referralReprintOfTheSelectedVisit_data() {
        QTest::addColumn<QString>("hospNum");
        QTest::addColumn<QString>("idNum");
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QString>("shows");
        QTest::newRow("this visit's worker")
            << u"H003"_s << u"700103"_s
            << QStringList{u"HospNum=H003"_s, u"IdNum=700103"_s, u"PrintedBy=CARMEN REYES"_s,
                           u"LicenseNumber=SW-0456"_s, u"Doctor="_s}
            << u"Medical Social Worker, License No. SW-0456"_s;
        QTest::newRow("no report of this visit")
            << u"H002"_s << u"700102"_s
            << QStringList{u"HospNum=H002"_s, u"IdNum=700102"_s, u"PrintedBy="_s,
                           u"LicenseNumber="_s, u"Doctor="_s}
            << u"No referral report has been saved for hospital number H002, visit 700102."_s;
    }

    void referralReprintOfTheSelectedVisit() {
        QFETCH(QString, hospNum);
        QFETCH(QString, idNum);
        QFETCH(QStringList, parameters);
        QFETCH(QString, shows);
        db::Connection& c = *app::g().gConnection;
        // Newer reports of other visits of both patients, by the other worker, who has a
        // licence of his own here; taken away again at the end.
        c.Execute(u"UPDATE ZEP.tbZEPEmployee SET LicenseNumber = 'SW-0100' WHERE EmployeeID = 'E100'"_s);
        c.Execute(u"INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, ZEPW, "
                  "UserID, AssessDate) VALUES ('700093', 'H003', '', 'D', 'Medical', 'E100', 'E100', "
                  "'2026-03-05 08:00:00'), ('900207E', 'H002', '', 'D', 'Medical', 'E100', 'E100', "
                  "'2026-03-05 09:00:00')"_s);
        const auto restore = qScopeGuard([&c] {
            c.Execute(u"DELETE FROM ZEP.tbZEPAssessment WHERE IdNum IN ('700093', '900207E')"_s);
            c.Execute(u"UPDATE ZEP.tbZEPEmployee SET LicenseNumber = '' WHERE EmployeeID = 'E100'"_s);
        });
        selectPatient(hospNum, false);
        QCOMPARE(w->patientList()->IDNUM(), idNum);
        trigger(u"mnuRePrintARR"_s);
        QCOMPARE(ui::Messages::shownTexts(), QStringList{});
        QVERIFY(!w->findChild<QDialog*>(u"frmReprintARR"_s));
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, u"ARR_New.rpt"_s);
        QCOMPARE(r.title, u"Assessment and Referal report"_s);
        QCOMPARE(r.parameters, parameters);
        QVERIFY2(r.text.contains(shows), qPrintable(r.text));
        QVERIFY2(!r.text.contains(u"SW-0100"_s), qPrintable(r.text));
        QVERIFY2(!r.text.contains(u"MARIA SANTOS"_s), qPrintable(r.text));
    }

    // The transaction report of the selected patient: every save, counted by visit and worker.
    void transactionReportOfTheSelectedPatient() {
        db::Connection& c = *app::g().gConnection;
        c.Execute(u"INSERT INTO ZEP.tbZEPTransaction (HospNum, IdNum, ZEPNum, Code, IntakeDate, "
                  "ExpiryDate, Category, ZEPW, UserID, Remarks, TransDate) VALUES "
                  "('H003', '700093', '', 'D', '2025-12-01', '2026-05-31', 'Medical', 'E100', "
                  "'E100', 'older visit', '2025-12-01 09:00:00'), "
                  "('H003', '700103', '', 'D', '2026-03-03', '2026-04-03', 'Surgical', 'E200', "
                  "'E200', 'this visit', '2026-03-03 15:20:00'), "
                  "('H001', '700101', 'ZEP-001', 'C1', '2026-03-04', '2026-07-01', 'Medical', "
                  "'E100', 'E100', 'ANOTHER PATIENT', '2026-03-04 00:00:00')"_s);
        const auto restore = qScopeGuard([&c] { c.Execute(u"DELETE FROM ZEP.tbZEPTransaction"_s); });
        selectPatient(u"H003"_s, false);
        trigger(u"mnuTransaction"_s);
        QCOMPARE(ui::Messages::shownTexts(), QStringList{});
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, u"ARRTransactionReport.rpt"_s);
        QCOMPARE(r.title, u"Assessment Transaction Report"_s);
        QCOMPARE(r.parameters, QStringList{u"HospNum=H003"_s});
        QVERIFY2(r.text.contains(u"Saved reports: 2; visits: 2; social workers: 2"_s), qPrintable(r.text));
        QVERIFY2(r.text.contains(u"REYES, CARMEN | 1 | 1"_s), qPrintable(r.text));
        QVERIFY2(!r.text.contains(u"ANOTHER PATIENT"_s), qPrintable(r.text));
    }

    // File Maintenance's reprint runs with whatever patient is selected, also with none.
    void reprintIntakeSheet_data() {
        QTest::addColumn<QString>("hospNum");
        QTest::addColumn<QStringList>("parameters");
        QTest::newRow("selected patient")
            << u"H003"_s
            << QStringList{u"DepartmentTitle=ZEP - SOCIAL SERVICE DEPARTMENT"_s,
                           u"HospitalAddress=1 Reference Street, Quezon City"_s, u"HospNum=H003"_s,
                           u"FamilyHospNum=H003"_s};
        QTest::newRow("nobody selected")
            << QString()
            << QStringList{u"DepartmentTitle=ZEP - SOCIAL SERVICE DEPARTMENT"_s,
                           u"HospitalAddress=1 Reference Street, Quezon City"_s, u"HospNum="_s,
                           u"FamilyHospNum="_s};
    }

    void reprintIntakeSheet() {
        QFETCH(QString, hospNum);
        QFETCH(QStringList, parameters);
        if (!hospNum.isEmpty())
            selectPatient(hospNum, false);
        trigger(u"mnuRePrintIntake"_s);
        QVERIFY2(ui::Messages::shown().isEmpty(), qPrintable(ui::Messages::shownTexts().join(u'|')));
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, u"IntakeSheet-Final.rpt"_s);
        QCOMPARE(r.parameters, parameters);
        QCOMPARE(r.title, u"Intake Sheet Data"_s);
    }

    void datasheetOfTheSelectedAdmission() {
        selectPatient(u"H003"_s, false);
        QCOMPARE(w->patientList()->IDNUM(), u"700103"_s);
        QVERIFY(w->item(u"mnuViewPatientDatasheet"_s)->isEnabled());
        w->item(u"mnuViewPatientDatasheet"_s)->trigger();
        QVERIFY2(ui::Messages::shown().isEmpty(), qPrintable(ui::Messages::shownTexts().join(u'|')));
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, u"DataSheet.rpt"_s);
        QCOMPARE(r.parameters, (QStringList{u"HospitalAddress=1 Reference Street, Quezon City"_s,
                                            u"IdNum=700103"_s}));
        QCOMPARE(r.title, u"In-Patient Data Sheet"_s);
        QVERIFY2(r.text.contains(u"CRUZ"_s), qPrintable(r.text));
    }

    // The item may still be enabled from an earlier selection; the click checks again.
    void datasheetChecksTheVisitAtTheClick_data() {
        QTest::addColumn<QString>("hospNum"); // empty: the list is closed, nobody selected
        QTest::addColumn<QString>("text");
        QTest::newRow("nobody selected") << QString() << u"Please select a patient."_s;
        QTest::newRow("an ER visit")
            << u"H009"_s << u"The Patient Datasheet is for admitted patients; visit 900202E is not an admission."_s;
    }

    void datasheetChecksTheVisitAtTheClick() {
        QFETCH(QString, hospNum);
        QFETCH(QString, text);
        if (!hospNum.isEmpty())
            selectPatient(hospNum, true);
        QAction* a = w->item(u"mnuViewPatientDatasheet"_s);
        a->setEnabled(true); // left on by an earlier admission
        a->trigger();
        QCOMPARE(ui::Messages::shownTexts(), QStringList{text});
        QCOMPARE(ui::Messages::shown().first().title, u"Message"_s);
        QVERIFY(reports::shownReports().isEmpty());
    }

    // Not recorded: the census opens in the viewer under its title, and its rows can be saved.
    void censusOpensInTheViewer() {
        reports::stopRecording();
        answerNextDialog(QDate(2026, 3, 4), QDate(2026, 3, 4), true);
        trigger(u"mnuCensus"_s);
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
        QCOMPARE(viewer->windowTitle(), u"List of Admitted Patients (Census)"_s);
        QVERIFY(ui::Messages::shown().isEmpty());
        QTemporaryDir dir;
        const QString csv = dir.filePath(u"census.csv"_s);
        QVERIFY(viewer->saveCsv(csv));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5); // the header and the four in-patients
        QCOMPARE(lines.at(1), u"700101,H001,\"ABAD, ROSA LIM\",03/04/2026 12:00 AM,301,NS3,Pay,C1,ZEP-001,Yes"_s);
        // A picture of the viewer for a person to look at, when asked for.
        if (const QString out = qEnvironmentVariable("ZEP_SCREENSHOT_DIR"); !out.isEmpty()) {
            viewer->resize(1200, 740);
            QTest::qWait(300);
            viewer->grab().save(out + u"/census-viewer.png"_s);
        }
        viewer->close();
    }

    void nbbCollectsAndSaysThereIsNoReport() {
        answerNextDialog(QDate(2026, 3, 1), QDate(2026, 3, 4), true);
        trigger(u"mnuNBB"_s);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().name, u"frmReportDateCategory"_s);
        QCOMPARE(ui::Messages::shownTexts(),
                 QStringList{u"The NBB Report has no printed report in this system; nothing was printed."_s});
        QVERIFY(reports::shownReports().isEmpty());
    }
};

QTEST_MAIN(tst_catalogue_gui)
#include "test_catalogue_gui.moc"
