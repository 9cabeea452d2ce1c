// The report parameter dialogs: captions, what Enter and Close leave for the caller, and the
// worker search of frmReportDate2 on a real database.
#include "patient/frmEmployeeListing.h"
#include "reports/dialogs/frmReportDate.h"
#include "reports/dialogs/frmReportDate2.h"
#include "reports/dialogs/frmReportDateCategory.h"
#include "reports/dialogs/frmReportDateRange.h"
#include "testdb.h"
#include "ui/messages.h"
#include "ui/singletons.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

QString today() {
    return QDate::currentDate().toString(u"MM/dd/yyyy"_s);
}

QStringList labelTexts(const QWidget* w) {
    QStringList out;
    for (const QLabel* l : w->findChildren<QLabel*>())
        out << l->text();
    return out;
}

// The dialogs by kind, for the checks every one of them must pass.
enum Kind { Date, Range, Date2, Category };

ReportDialog* make(Kind k, db::Connection* conn) {
    switch (k) {
    case Date:
        return &ui::single<frmReportDate>();
    case Range:
        return &ui::single<frmReportDateRange>();
    case Date2: {
        auto* d = &ui::single<frmReportDate2>();
        d->setConnection(conn);
        return d;
    }
    case Category: {
        auto* d = &ui::single<frmReportDateCategory>();
        d->setConnection(conn);
        return d;
    }
    }
    return nullptr;
}

QString startOf(Kind k, ReportDialog* d) {
    switch (k) {
    case Date:
        return static_cast<frmReportDate*>(d)->startdate();
    case Range:
        return static_cast<frmReportDateRange*>(d)->startdate();
    case Date2:
        return static_cast<frmReportDate2*>(d)->startdate();
    case Category:
        return static_cast<frmReportDateCategory*>(d)->startdate();
    }
    return {};
}

} // namespace

class TestReportDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void captions_data();
    void captions();
    void enterAndClose_data();
    void enterAndClose();
    void datesPassedAsChosen();
    void centredOnScreen_data();
    void centredOnScreen();
    void categoryList();
    void workerControlsHiddenUnlessShown();
    void workerSearch();
    void workerSearchClosedWithoutChoice();
    void workerNoLongerExists();

private:
    // Clicks cmdSearch; while the worker list is open, `inList` runs on it (it must close it).
    void searchWorker(const std::function<void(frmEmployeeListing&)>& inList);

    std::unique_ptr<db::Connection> conn_;
};

void TestReportDialogs::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::fresh();
    const QString employee = u"INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, "
                             u"LicenseNumber) VALUES (?, ?, ?, ?)"_s;
    conn_->Execute(employee, {u"W01"_s, u"BAUTISTA"_s, u"ELENA"_s, u"SW-77"_s});
    conn_->Execute(employee, {u"W02"_s, u"NAVARRO"_s, u"PEDRO"_s, u""_s});
    const QString category =
        u"INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES (?, ?)"_s;
    conn_->Execute(category, {u"02"_s, u"PD"_s});
    conn_->Execute(category, {u"01"_s, u"Hemodialysis"_s});
    conn_->Execute(category, {u"10"_s, u"Urology"_s});
    ui::Messages::startScript();
}

void TestReportDialogs::init() {
    ui::Messages::clearShown();
}

void TestReportDialogs::cleanupTestCase() {
    ui::dropAllSingles();
}

void TestReportDialogs::captions_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("frmReportDate")
        << int(Date) << u"Generate Report"_s << QStringList{u"Report Date :"_s};
    QTest::newRow("frmReportDateRange")
        << int(Range) << u"Report Date Entry"_s << QStringList{u"Start Date :"_s, u"End Date :"_s};
    QTest::newRow("frmReportDate2") << int(Date2) << u"Report Date Entry"_s
                                    << QStringList{u"Start Date :"_s, u"End Date :"_s, u" ZEPW"_s};
    QTest::newRow("frmReportDateCategory")
        << int(Category) << u"Report "_s
        << QStringList{u"Search NBB Report"_s, u"Start Date :"_s, u"End Date :"_s, u"Category :"_s};
}

void TestReportDialogs::captions() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QStringList, labels);
    ReportDialog* d = make(Kind(kind), conn_.get());
    QCOMPARE(d->windowTitle(), title);
    QVERIFY(d->isModal());
    QCOMPARE(d->cmdEnter->text(), u"&Enter"_s);
    QCOMPARE(d->cmdClose->text(), u"&Close"_s);
    const QStringList shown = labelTexts(d);
    for (const QString& l : labels)
        QVERIFY2(shown.contains(l), qPrintable(l));
    QCOMPARE(shown.size(), labels.size());
    // One shared instance per dialog.
    QCOMPARE(make(Kind(kind), conn_.get()), d);
}

void TestReportDialogs::enterAndClose_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("frmReportDate") << int(Date);
    QTest::newRow("frmReportDateRange") << int(Range);
    QTest::newRow("frmReportDate2") << int(Date2);
    QTest::newRow("frmReportDateCategory") << int(Category);
}

// Enter leaves the dates for the caller; Close, Esc and the close box mean "cancelled" and
// show nothing; the values of the last Enter stay readable, and each opening starts again
// with CloseForm false and today's date.
void TestReportDialogs::enterAndClose() {
    QFETCH(int, kind);
    const Kind k = Kind(kind);
    ReportDialog* d = make(k, conn_.get());
    auto* dtStart = d->findChild<QDateEdit*>(u"dtStart"_s);
    QVERIFY(dtStart);

    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QVERIFY(!d->CloseForm());
    QCOMPARE(dtStart->date(), QDate::currentDate());
    if (auto* dtEnd = d->findChild<QDateEdit*>(u"dtEnd"_s))
        QCOMPARE(dtEnd->date(), QDate::currentDate());
    QTest::mouseClick(d->cmdEnter, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QVERIFY(!d->CloseForm());
    QCOMPARE(startOf(k, d), today());

    d->show();
    dtStart->setDate(QDate(2024, 3, 7));
    QTest::mouseClick(d->cmdEnter, Qt::LeftButton);
    QCOMPARE(startOf(k, d), u"03/07/2024"_s);

    d->show();
    QCOMPARE(dtStart->date(), QDate::currentDate());
    QTest::mouseClick(d->cmdClose, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QVERIFY(d->CloseForm());
    QCOMPARE(startOf(k, d), u"03/07/2024"_s);

    d->show();
    QVERIFY(!d->CloseForm());
    QTest::keyClick(d, Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    QVERIFY(d->CloseForm());

    d->show();
    QVERIFY(!d->CloseForm());
    d->close();
    QVERIFY(d->CloseForm());
    QCOMPARE(ui::Messages::shownTexts(), QStringList());
}

// An end date before the start date is not the dialogs' business.
void TestReportDialogs::datesPassedAsChosen() {
    auto& range = ui::single<frmReportDateRange>();
    range.show();
    range.dtStart->setDate(QDate(2025, 12, 31));
    range.dtEnd->setDate(QDate(2025, 1, 2));
    range.cmdEnter->click();
    QCOMPARE(range.startdate(), u"12/31/2025"_s);
    QCOMPARE(range.enddate(), u"01/02/2025"_s);

    auto& category = ui::single<frmReportDateCategory>();
    category.setConnection(conn_.get());
    category.show();
    category.dtStart->setDate(QDate(2025, 6, 1));
    category.dtEnd->setDate(QDate(2025, 5, 1));
    category.cmdEnter->click();
    QCOMPARE(category.startdate(), u"06/01/2025"_s);
    QCOMPARE(category.enddate(), u"05/01/2025"_s);
    QCOMPARE(ui::Messages::shownTexts(), QStringList());
}

void TestReportDialogs::centredOnScreen_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("frmReportDateRange") << int(Range);
    QTest::newRow("frmReportDate2") << int(Date2);
    QTest::newRow("frmReportDateCategory") << int(Category);
}

void TestReportDialogs::centredOnScreen() {
    QFETCH(int, kind);
    ReportDialog* d = make(Kind(kind), conn_.get());
    d->move(0, 0);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint mine = d->frameGeometry().center();
    QVERIFY2((mine - centre).manhattanLength() <= 2,
             qPrintable(u"%1,%2"_s.arg(mine.x()).arg(mine.y())));
    d->cmdClose->click();
}

void TestReportDialogs::categoryList() {
    auto& d = ui::single<frmReportDateCategory>();
    d.setConnection(conn_.get());
    d.show();
    QStringList items;
    for (int i = 0; i < d.cmbCategory->count(); ++i)
        items << d.cmbCategory->itemText(i);
    QCOMPARE(items, (QStringList{u"Hemodialysis"_s, u"PD"_s, u"Urology"_s}));
    d.cmbCategory->setCurrentIndex(2);
    d.cmdEnter->click();
    QCOMPARE(d.category(), u"Urology"_s);

    // Filled afresh on each opening, never appended to.
    conn_->Execute(u"INSERT INTO ZEP.tbZEPCaseCategory (CategoryID, Category) VALUES (?, ?)"_s,
                   {u"03"_s, u"Donor work-up"_s});
    d.show();
    QCOMPARE(d.cmbCategory->count(), 4);
    QCOMPARE(d.cmbCategory->itemText(2), u"Donor work-up"_s);
    d.cmdClose->click();
    QCOMPARE(d.category(), u"Urology"_s);
    conn_->Execute(u"DELETE FROM ZEP.tbZEPCaseCategory WHERE CategoryID = ?"_s, {u"03"_s});
}

void TestReportDialogs::workerControlsHiddenUnlessShown() {
    auto& d = ui::single<frmReportDate2>();
    d.setConnection(conn_.get());
    const QList<QWidget*> worker{d.lblzepw, d.txtZEPW, d.cmdSearch};
    d.show();
    for (QWidget* w : worker)
        QVERIFY(w->isHidden());
    d.cmdEnter->click();

    d.setWorkerSearchVisible(true);
    d.show();
    for (QWidget* w : worker)
        QVERIFY(w->isVisible());
    d.cmdClose->click();

    // The next report that does not ask for them does not get them.
    d.show();
    for (QWidget* w : worker)
        QVERIFY(w->isHidden());
    d.cmdClose->click();
}

void TestReportDialogs::searchWorker(const std::function<void(frmEmployeeListing&)>& inList) {
    auto& d = ui::single<frmReportDate2>();
    bool ran = false;
    QTimer::singleShot(0, this, [&] {
        auto* list = qobject_cast<frmEmployeeListing*>(QApplication::activeModalWidget());
        if (!list)
            return;
        ran = true;
        inList(*list);
        if (list->isVisible())
            list->reject(); // never leave the test waiting on an open list
    });
    QTest::mouseClick(d.cmdSearch, Qt::LeftButton);
    QVERIFY(ran);
}

static void choose(frmEmployeeListing& list, const QString& id) {
    QAbstractItemModel* m = list.GridListWorkers->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        if (m->index(r, 0).data().toString() == id) {
            list.GridListWorkers->setCurrentIndex(m->index(r, 0));
            list.cmdSelect->click();
            return;
        }
    }
}

void TestReportDialogs::workerSearch() {
    auto& d = ui::single<frmReportDate2>();
    d.setConnection(conn_.get());
    d.setWorkerSearchVisible(true);
    d.show();
    QCOMPARE(d.WorkerCode(), QString());
    searchWorker([](frmEmployeeListing& list) { choose(list, u"W02"_s); });
    QCOMPARE(d.WorkerCode(), u"W02"_s);
    QCOMPARE(d.txtZEPW->text(), u"NAVARRO, PEDRO"_s);
    QVERIFY(d.isVisible());
    d.cmdEnter->click();
    QVERIFY(!d.CloseForm());
    QCOMPARE(d.WorkerCode(), u"W02"_s);
    QCOMPARE(d.startdate(), today());
    QCOMPARE(d.enddate(), today());

    // A later report that never uses the search gets no worker.
    d.setWorkerSearchVisible(true);
    d.show();
    QCOMPARE(d.WorkerCode(), QString());
    QCOMPARE(d.txtZEPW->text(), QString());
    d.cmdEnter->click();
    QCOMPARE(d.WorkerCode(), QString());
    QCOMPARE(ui::Messages::shownTexts(), QStringList());
}

void TestReportDialogs::workerSearchClosedWithoutChoice() {
    auto& d = ui::single<frmReportDate2>();
    d.setConnection(conn_.get());
    d.setWorkerSearchVisible(true);
    d.show();
    searchWorker([](frmEmployeeListing& list) { choose(list, u"W01"_s); });
    QCOMPARE(d.txtZEPW->text(), u"BAUTISTA, ELENA"_s);
    searchWorker([](frmEmployeeListing& list) {
        list.GridListWorkers->setCurrentIndex(list.GridListWorkers->model()->index(1, 0));
        list.cmdClose->click();
    });
    QCOMPARE(d.WorkerCode(), u"W01"_s);
    QCOMPARE(d.txtZEPW->text(), u"BAUTISTA, ELENA"_s);
    QCOMPARE(ui::Messages::shownTexts(), QStringList());
    d.cmdClose->click();
    QVERIFY(d.CloseForm());
}

// The worker is removed while the list is open: the code is taken, the name is not found.
void TestReportDialogs::workerNoLongerExists() {
    auto& d = ui::single<frmReportDate2>();
    d.setConnection(conn_.get());
    d.setWorkerSearchVisible(true);
    d.show();
    searchWorker([this](frmEmployeeListing& list) {
        conn_->Execute(u"DELETE FROM ZEP.tbZEPEmployee WHERE EmployeeID = ?"_s, {u"W02"_s});
        choose(list, u"W02"_s);
    });
    QCOMPARE(d.WorkerCode(), u"W02"_s);
    QCOMPARE(d.txtZEPW->text(), QString());
    QCOMPARE(ui::Messages::shown().size(), 1);
    const ui::Shown& box = ui::Messages::shown().first();
    QCOMPARE(box.text, u"Employee No Longer Exists."_s);
    QCOMPARE(box.title, u"MESSAGE"_s);
    QCOMPARE(box.icon, ui::Icon::Exclamation);
    d.cmdClose->click();
}

QTEST_MAIN(TestReportDialogs)
#include "tst_reportdialogs.moc"
