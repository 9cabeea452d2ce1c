// The referral report's look-backs as the worker meets them in the main window: Re-Print
// ARR without a patient opens the reprint screen, which searches the saved reports and
// reprints the one chosen; the referral report's "Previous Assessments" lists the patient's
// earlier assessments and "View ARR Transactions" prints every save of the patient. Also
// the procedures behind them, on a real engine, and the fit of both screens on a laptop.
#include "referralseed.h"
#include "screenfit.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/items.h"
#include "app/mdizep.h"
#include "patient/frmListPatient.h"
#include "referral/frmARR.h"
#include "referral/frmAssessmentList.h"
#include "referral/frmReprintARR.h"
#include "reports/ui/operations.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace referralseed;

namespace {

// One shown row as "cell/cell/...", the columns named.
QString rowText(const QTableView* grid, int row, const QList<int>& columns) {
    QStringList cells;
    for (int c : columns)
        cells << grid->model()->index(row, c).data().toString();
    return cells.join(u'/');
}

QStringList headings(const QTableView* grid) {
    QStringList out;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        out << grid->model()->headerData(c, Qt::Horizontal).toString();
    return out;
}

QList<int> widths(const QTableView* grid) {
    QList<int> out{grid->verticalHeader()->width()};
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        out << (grid->isColumnHidden(c) ? 0 : grid->columnWidth(c));
    return out;
}

void clickRow(QTableView* grid, int row) {
    const QRect cell = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class tst_reprint : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;
    std::unique_ptr<app::mdiZEP> w;

    frmReprintARR* reprintScreen() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return w->findChild<frmReprintARR*>();
    }

    frmARR* openReport(const QString& hosp) {
        frmListPatient* list = w->showPatientList();
        list->search(hosp, {}, {}, {}, {});
        if (list->HospNum() != hosp)
            return nullptr;
        w->item(u"mnuARR"_s)->trigger();
        return w->findChild<frmARR*>();
    }

    void search(frmReprintARR* f, const QString& text) {
        f->txtSearch->setText(text);
        f->txtSearch->setFocus();
        QTest::keyClick(f->txtSearch, Qt::Key_Return);
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        ui::Messages::startScript();
        ui::Messages::setApplicationTitle(u"ZEP"_s);
    }

    void init() {
        c = testdb::fresh();
        seed(*c);
        // H1's second visit, assessed later by a second worker who also saved it; and the
        // transaction log of both visits (the first saved twice).
        c->Execute(u"INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, "
                   "LicenseNumber) VALUES ('E200', 'Reyes', 'Carmen', 'SW-0456')"_s);
        c->Execute(u"INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate, PatientType) "
                   "VALUES ('1009B', 'H1', '2026-12-05 09:00:00', 'S')"_s);
        c->Execute(u"INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, ZEPNum, Code, Category, "
                   "Remarks, IntakeDate, ExpiryDate, ZEPW, UserID, Active, CaseStatus, AssessDate) "
                   "VALUES ('1009B', 'H1', 'Z-0001', 'C1', 'Medical', 'Second visit', "
                   "'2026-12-05', '2027-12-31', 'E200', 'E200', 'Y', 'N', "
                   "'2026-12-05 14:30:00')"_s);
        c->Execute(u"INSERT INTO ZEP.tbZEPTransaction (HospNum, IdNum, ZEPNum, Code, IntakeDate, "
                   "ExpiryDate, Category, ZEPW, UserID, Remarks, TransDate) VALUES "
                   "('H1', '1001', 'Z-0001', 'C2', '2026-01-15', '2099-12-31', 'Surgical', 'E100', "
                   "'E100', 'first', '2026-11-30 10:00:00'), "
                   "('H1', '1001', 'Z-0001', 'C2', '2026-01-15', '2099-12-31', 'Surgical', 'E100', "
                   "'E100', 'again', '2026-12-01 10:00:00'), "
                   "('H1', '1009B', 'Z-0001', 'C1', '2026-12-05', '2027-12-31', 'Medical', 'E200', "
                   "'E200', 'Second visit', '2026-12-05 14:30:00')"_s);
        app::g().gConnection = c.get();
        app::g().userCode = u"E100"_s;
        app::g().reportFolder = qEnvironmentVariable("ZEP_SOURCE_DIR") + u"/reports/"_s;
        reports::setConnection(c.get());
        reports::setHospitalName(u"ZEP TEST HOSPITAL"_s);
        reports::startRecording();
        reports::clearShownReports();
        w = std::make_unique<app::mdiZEP>();
        w->show();
        ui::Messages::clearShown();
    }

    void cleanup() {
        reports::stopRecording();
        w.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app::g().gConnection = nullptr;
        c.reset();
    }

    // --- the procedures ------------------------------------------------------------------

    void previousAssessments_data() {
        QTest::addColumn<QString>("hospNum");
        QTest::addColumn<QStringList>("rows");
        const QStringList both{
            u"1009B|C1|Class One|Medical|12/05/2026 02:30 PM|Second visit|12/31/2027"_s,
            u"1001|C2|Class Two|Surgical|12/01/2026 10:00 AM|Follow up the sponsor|12/31/2099"_s};
        QTest::newRow("two visits, newest first") << u"H1"_s << both;
        QTest::newRow("number padded as the list holds it") << u"  H1 "_s << both;
        QTest::newRow("no assessment yet") << u"H2"_s << QStringList{};
        QTest::newRow("no patient") << QString() << QStringList{};
    }
    void previousAssessments() {
        QFETCH(QString, hospNum);
        QFETCH(QStringList, rows);
        db::Recordset rs = c->Call(u"ZEP..sp_ZEP_GetPreviousAssessment"_s, {hospNum});
        // the grid shows the columns in this order
        QCOMPARE(rs.FieldNames(),
                 (QStringList{u"IdNum"_s, u"Code"_s, u"Classification"_s, u"Category"_s,
                              u"AssessDate"_s, u"Remarks"_s, u"ExpiryDate"_s}));
        QStringList got;
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList cells;
            for (int i = 0; i < rs.FieldCount(); ++i)
                cells << rs.Text(i);
            got << cells.join(u'|');
        }
        QCOMPARE(got, rows);
    }

    // --- the reprint screen ----------------------------------------------------------------

    void reprintWithoutPatientOpensTheScreen() {
        w->item(u"mnuRePrintARR"_s)->trigger();
        frmReprintARR* f = reprintScreen();
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->windowModality(), Qt::ApplicationModal);
        QVERIFY(reports::shownReports().isEmpty());
        QCOMPARE(ui::Messages::shownTexts(), QStringList{});
        QCOMPARE(f->windowTitle(), u"ZEP - Social Service Department"_s);
        QCOMPARE(f->lblHeading->text(), u"Reprint Assessment and Referral "_s);
        QCOMPARE(f->fraResults->title(), u"Search Results :"_s);
        QCOMPARE(f->btnPrint->text(), u"    &Print"_s);
        QCOMPARE(f->btnClose->text(), u"    &Close"_s);
        QStringList searchLabels;
        for (const QLabel* l : f->findChildren<QLabel*>())
            if (l->buddy() == f->txtSearch)
                searchLabels << l->text();
        QCOMPARE(searchLabels, QStringList{u"Search Text :"_s});
        QCOMPARE(headings(f->GridAssessment),
                 (QStringList{u"Hosp. Num"_s, u"Adm.Num."_s, u"ZEP Num."_s, u"Patient Name"_s,
                              u"Classification"_s, u"Category"_s, u"AssessDate"_s, u"Remarks"_s,
                              u"User Name"_s, u"LicenseNumber"_s}));
        // twips at 15 to the pixel; the licence column is hidden
        QCOMPARE(widths(f->GridAssessment),
                 (QList<int>{7, 73, 73, 73, 167, 80, 133, 167, 147, 200, 0}));
        QCOMPARE(f->focusWidget(), f->txtSearch);
        // a second click brings the open screen forward instead of a second one
        w->item(u"mnuRePrintARR"_s)->trigger();
        QCOMPARE(w->findChildren<frmReprintARR*>().size(), 1);
        f->btnClose->click();
        QVERIFY(!reprintScreen());
        QVERIFY(reports::shownReports().isEmpty());
    }

    void reprintSearch_data() {
        QTest::addColumn<QStringList>("texts"); // searched one after the other
        QTest::addColumn<QStringList>("rows");  // Hosp/Adm/Patient/Class/Assessed/User/Licence
        const QString second =
            u"H1/1009B/DELA CRUZ, JUAN PEREZ/C1/12/05/2026 02:30 PM/Carmen Reyes/SW-0456"_s;
        const QString first =
            u"H1/1001/DELA CRUZ, JUAN PEREZ/C2/12/01/2026 10:00 AM/Maria Santos/SW-0042"_s;
        QTest::newRow("hospital number") << QStringList{u"H1"_s} << QStringList{second, first};
        QTest::newRow("case number, typed with blanks")
            << QStringList{u"  Z-0001 "_s} << QStringList{second, first};
        QTest::newRow("start of the last name") << QStringList{u"DELA"_s} << QStringList{second, first};
        QTest::newRow("nothing found: the grid stays empty") << QStringList{u"H2"_s} << QStringList{};
        QTest::newRow("nothing found keeps the last results")
            << QStringList{u"H1"_s, u"NOBODY"_s} << QStringList{second, first};
    }
    void reprintSearch() {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, rows);
        w->item(u"mnuRePrintARR"_s)->trigger();
        frmReprintARR* f = reprintScreen();
        QVERIFY(f);
        for (const QString& t : texts)
            search(f, t);
        QStringList got;
        for (int r = 0; r < f->GridAssessment->model()->rowCount(); ++r)
            got << rowText(f->GridAssessment, r, {0, 1, 3, 4, 6, 8, 9});
        QCOMPARE(got, rows);
        QCOMPARE(ui::Messages::shownTexts(), QStringList{});
        QVERIFY(reports::shownReports().isEmpty()); // Enter searches, it does not print
        QVERIFY(f->isVisible());
        f->btnClose->click();
    }

    // The row clicked gives the report's visit, who saved it and the worker's licence; the
    // doctor is always empty on a reprint.
    void reprintTheChosenRow_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QString>("printed"); // a line of the printed text
        QTest::newRow("the newer visit")
            << 0
            << QStringList{u"HospNum=H1"_s, u"IdNum=1009B"_s, u"PrintedBy=Carmen Reyes"_s,
                           u"LicenseNumber=SW-0456"_s, u"Doctor="_s}
            << u"Medical Social Worker, License No. SW-0456"_s;
        QTest::newRow("the older visit")
            << 1
            << QStringList{u"HospNum=H1"_s, u"IdNum=1001"_s, u"PrintedBy=Maria Santos"_s,
                           u"LicenseNumber=SW-0042"_s, u"Doctor="_s}
            << u"Remarks Follow up the sponsor"_s;
    }
    void reprintTheChosenRow() {
        QFETCH(int, row);
        QFETCH(QStringList, parameters);
        QFETCH(QString, printed);
        w->item(u"mnuRePrintARR"_s)->trigger();
        QPointer<frmReprintARR> f = reprintScreen();
        QVERIFY(f);
        search(f, u"H1"_s);
        clickRow(f->GridAssessment, row);
        f->btnPrint->click();
        QCOMPARE(ui::Messages::shownTexts(), QStringList{});
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, u"ARR_New.rpt"_s);
        QCOMPARE(r.title, u"Assessment and Referal report"_s);
        QCOMPARE(r.parameters, parameters);
        QVERIFY2(r.text.contains(printed), qPrintable(r.text));
        QVERIFY(!r.showGroupTree);
        QVERIFY(!r.directPrint);
        QVERIFY(!reprintScreen()); // the screen went before the viewer came
        QCOMPARE(w->mdiArea()->subWindowList().size(), 0);
    }

    // Without a row chosen the print is for the patient the list had selected when the
    // screen opened, without a visit; with no patient there is nothing to print.
    void reprintWithoutARow_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("parameters"); // empty: nothing printed
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("the list's patient")
            << u"H1"_s
            << QStringList{u"HospNum=H1"_s, u"IdNum="_s, u"PrintedBy="_s, u"LicenseNumber="_s,
                           u"Doctor="_s}
            << QStringList{};
        QTest::newRow("nobody")
            << QString() << QStringList{}
            << QStringList{u"Information|Message|Please search for the report and choose it "
                           "before printing."_s};
    }
    void reprintWithoutARow() {
        QFETCH(QString, selected);
        QFETCH(QStringList, parameters);
        QFETCH(QStringList, messages);
        if (!selected.isEmpty()) {
            frmListPatient* list = w->showPatientList();
            list->search(selected, {}, {}, {}, {});
            QCOMPARE(list->HospNum(), selected);
        }
        app::openReprintScreen(*w);
        QPointer<frmReprintARR> f = reprintScreen();
        QVERIFY(f);
        f->btnPrint->click();
        QCOMPARE(shown(), messages);
        if (parameters.isEmpty()) {
            QVERIFY(reports::shownReports().isEmpty());
            QVERIFY(f && f->isVisible()); // still there for a search
            f->btnClose->click();
            return;
        }
        QCOMPARE(reports::shownReports().size(), 1);
        QCOMPARE(reports::shownReports().first().parameters, parameters);
    }

    void reprintScreenFitsALaptop() {
        screenfit::showAsLaptop(*w);
        w->item(u"mnuRePrintARR"_s)->trigger();
        frmReprintARR* f = reprintScreen();
        QVERIFY(f);
        search(f, u"H1"_s);
        QCOMPARE(screenfit::problems(f, {u"btnPrint"_s, u"btnClose"_s}), QStringList{});
        if (const QString out = qEnvironmentVariable("ZEP_SCREENSHOT_DIR"); !out.isEmpty())
            f->grab().save(out + u"/reprint-arr.png"_s);
        f->btnClose->click();
    }

    // --- the referral report's buttons ------------------------------------------------------

    void previousAssessmentsButton() {
        frmARR* arr = openReport(u"H1"_s);
        QVERIFY(arr);
        arr->cmdPrevious->click();
        auto* list = arr->findChild<frmAssessmentList*>();
        QVERIFY(list && list->isVisible());
        QVERIFY(list->isModal());
        QCOMPARE(list->windowTitle(), u"ZEP - Social Service Department"_s);
        QCOMPARE(list->fraList->title(), u"List of Previous Assessment"_s);
        QCOMPARE(list->cmdClose->text(), u"&Close"_s);
        QCOMPARE(headings(list->GridAssessment),
                 (QStringList{u"Adm. Num."_s, u"Code"_s, u"Classification"_s, u"Category"_s,
                              u"AssessDate"_s, u"Remarks"_s, u"ExpiryDate"_s}));
        QCOMPARE(widths(list->GridAssessment), (QList<int>{7, 70, 57, 80, 80, 127, 200, 80}));
        QCOMPARE(rowText(list->GridAssessment, 0, {0, 1, 2, 3, 4, 5, 6}),
                 u"1009B/C1/Class One/Medical/12/05/2026 02:30 PM/Second visit/12/31/2027"_s);
        QCOMPARE(rowText(list->GridAssessment, 1, {0, 1, 2, 3, 4, 5, 6}),
                 u"1001/C2/Class Two/Surgical/12/01/2026 10:00 AM/Follow up the sponsor/12/31/2099"_s);
        QCOMPARE(list->GridAssessment->model()->rowCount(), 2);
        screenfit::showAsLaptop(*w);
        QCOMPARE(screenfit::problems(list, {u"cmdClose"_s}), QStringList{});
        if (const QString out = qEnvironmentVariable("ZEP_SCREENSHOT_DIR"); !out.isEmpty())
            list->grab().save(out + u"/previous-assessments.png"_s);
        QPointer<frmAssessmentList> gone = list;
        list->cmdClose->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!gone);
        QVERIFY(arr->isVisible()); // back on the report
        QCOMPARE(ui::Messages::shownTexts(), QStringList{});
        arr->cmdClose->click();
    }

    void noPreviousAssessmentShowsNothing() {
        frmARR* arr = openReport(u"H2"_s);
        QVERIFY(arr);
        ui::Messages::clearShown();
        arr->cmdPrevious->click();
        QVERIFY(!arr->findChild<frmAssessmentList*>());
        QCOMPARE(ui::Messages::shownTexts(), QStringList{});
        arr->cmdClose->click();
    }

    void transactionsButtonPrintsThePatientsSaves() {
        QPointer<frmARR> arr = openReport(u"H1"_s);
        QVERIFY(arr);
        ui::Messages::clearShown();
        arr->cmdTrans->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!arr); // closed before the viewer
        QCOMPARE(ui::Messages::shownTexts(), QStringList{});
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QCOMPARE(r.fileName, u"ARRTransactionReport.rpt"_s);
        QCOMPARE(r.title, u"Assessment Transaction Report"_s);
        QCOMPARE(r.parameters, QStringList{u"HospNum=H1"_s});
        QVERIFY2(r.text.contains(u"Saved reports: 3; visits: 2; social workers: 2"_s),
                 qPrintable(r.text));
        QVERIFY2(r.text.contains(u"1009B | 1 | 12/05/2026 02:30 PM | 12/05/2026 02:30 PM"_s),
                 qPrintable(r.text));
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1); // the patient list only
    }

    // A missing template is said by the report operation, and the report stays open.
    void transactionsWithoutTheTemplateKeepTheScreen() {
        app::g().reportFolder = QDir::tempPath() + u"/no-reports-here/"_s;
        QPointer<frmARR> arr = openReport(u"H1"_s);
        QVERIFY(arr);
        ui::Messages::clearShown();
        arr->cmdTrans->click();
        QCOMPARE(ui::Messages::shown().size(), 1);
        QCOMPARE(ui::Messages::shown().first().icon, ui::Icon::Critical);
        QVERIFY(reports::shownReports().isEmpty());
        QVERIFY(arr && arr->isVisible());
        arr->cmdClose->click();
    }
};

QTEST_MAIN(tst_reprint)
#include "tst_reprint.moc"
