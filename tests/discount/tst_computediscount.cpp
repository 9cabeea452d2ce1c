// Computation of Discount as the worker opens it: from the main window's item for the visit
// selected in the patient list, inside the window, on a real database. What it shows after
// computing and for a stored computation, the special assessment's department table, the
// special-arrangement button, Recompute (refused, done, failing), the zero bill, closing,
// and that it fits a 1366×768 laptop.
#include "discountseed.h"
#include "screenfit.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "discount/discountcompute.h"
#include "discount/frmComputeDiscount.h"
#include "patient/frmListPatient.h"
#include "ui/messages.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using ui::Messages;

class TestComputeDiscount : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void withoutSelectionTheListOpens();
    void computesOnOpening();
    void fitsTheLaptop();
    void specialAssessment_data();
    void specialAssessment();
    void storedComputationIsShown();
    void recomputeAnsweredNo();
    void recomputeFailingKeepsEarlier();
    void zeroBill();
    void closingBringsTheListBack();
    void demoBreakdown();

private:
    frmComputeDiscount* open(const QString& hospNum, const QString& idNum);
    QStringList grid() const;
    QStringList totals() const;
    void settle();

    std::unique_ptr<db::Connection> conn_;
    app::mdiZEP* main_ = nullptr;
    frmComputeDiscount* screen_ = nullptr;
};

void TestComputeDiscount::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::fresh();
    discountseed::seed(*conn_);
    Messages::startScript();
}

void TestComputeDiscount::init() {
    for (const char* t : {"BILLING.tbBillDailyBill", "BILLING.tbBillOPDailyOut",
                          "BILLING.tbBillMedicare", "BILLING.tbBillComputedDiscount",
                          "BILLING.tbDummyDiscountTable", "ZEP.tbZEPAssessment"})
        conn_->Execute(u"DELETE FROM "_s + QString::fromLatin1(t));
    conn_->faults().disarm();
    app::g().gConnection = conn_.get();
    main_ = new app::mdiZEP;
    main_->show();
    Messages::clearShown();
}

void TestComputeDiscount::cleanup() {
    main_->mdiArea()->closeAllSubWindows();
    delete main_;
    main_ = nullptr;
    screen_ = nullptr;
    app::g().gConnection = nullptr;
    QCOMPARE(Messages::unusedAnswers(), 0);
}

void TestComputeDiscount::settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// The worker finds the visit in the list, then chooses View Computation of Discount.
frmComputeDiscount* TestComputeDiscount::open(const QString& hospNum, const QString& idNum) {
    frmListPatient* list = main_->showPatientList();
    list->search(hospNum, {}, idNum, {}, {});
    if (list->IDNUM() != idNum)
        qWarning() << "the list selected" << list->IDNUM() << "instead of" << idNum;
    main_->item(u"mnuComputeDiscount"_s)->trigger();
    const auto screens = main_->mdiArea()->findChildren<frmComputeDiscount*>();
    screen_ = screens.size() == 1 ? screens.first() : nullptr;
    return screen_;
}

// The visible columns of every grid row: department | actual | medicare | discount.
QStringList TestComputeDiscount::grid() const {
    QStringList rows;
    QTableWidget* g = screen_->mshDiscount;
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = frmComputeDiscount::ColCode; c <= frmComputeDiscount::ColDiscount; ++c)
            cells << (g->item(r, c) ? g->item(r, c)->text() : QString());
        rows << cells.join(u'|');
    }
    return rows;
}

QStringList TestComputeDiscount::totals() const {
    return {screen_->lblTotal->text(), screen_->lblMedicareTotal->text(),
            screen_->lblTotalCovered->text(), screen_->lblQFS->text()};
}

void TestComputeDiscount::withoutSelectionTheListOpens() {
    QVERIFY(!main_->patientList());
    main_->item(u"mnuComputeDiscount"_s)->trigger();
    QVERIFY(main_->patientList());
    QVERIFY(main_->mdiArea()->findChildren<frmComputeDiscount*>().isEmpty());
    QCOMPARE(main_->mdiArea()->subWindowList().size(), 1);
}

void TestComputeDiscount::computesOnOpening() {
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    discountseed::charge(*conn_, u"2003"_s, u"XR"_s, u"XR01"_s, 200);
    discountseed::charge(*conn_, u"2003"_s, u"RA"_s, u"R1"_s, 500);
    discountseed::charge(*conn_, u"2003"_s, u"MD"_s, u"D1"_s, 2000);
    discountseed::medicare(*conn_, u"2003"_s, u"RA"_s, 100);
    discountseed::medicare(*conn_, u"2003"_s, u"OT"_s, 1000);
    QVERIFY(open(u"H1"_s, u"2003"_s));
    QVERIFY(qobject_cast<QMdiSubWindow*>(screen_->parentWidget()));
    QCOMPARE(screen_->windowTitle(), u"Computation of Discount"_s);
    QCOMPARE((QStringList{screen_->txtCode->text(), screen_->txtIDNum->text(),
                          screen_->txtPatientName->text(), screen_->txtHospNum->text(),
                          screen_->txtZEPNum->text(), screen_->txtRoomID->text()}),
             (QStringList{u"C2"_s, u"2003"_s, u"SANTOS, PEDRO DIAZ"_s, u"H1"_s, u"Z-1"_s,
                          u"301"_s}));
    QCOMPARE(grid(), (QStringList{u"LB|Laboratory|300.00|600.00|150.00"_s,
                                  u"MD|Professional Fee|2,000.00|0.00|0.00"_s,
                                  u"RA|Room and Board|500.00|100.00|125.00"_s,
                                  u"XR|X-Ray|200.00|400.00|40.00"_s}));
    QCOMPARE(totals(), (QStringList{u"3,000.00"_s, u"1,100.00"_s, u"315.00"_s, u"2,685.00"_s}));
    QVERIFY(screen_->frameCovered->isEnabled());
    QVERIFY(screen_->cmdRecompute->isEnabled());
    QVERIFY(screen_->cmdIsSpecial->isHidden());
    QVERIFY(Messages::shown().isEmpty());
    // The grid's layout: two hidden columns, then the department and three amounts.
    QHeaderView* h = screen_->mshDiscount->horizontalHeader();
    QVERIFY(screen_->mshDiscount->isColumnHidden(0));
    QVERIFY(screen_->mshDiscount->isColumnHidden(1));
    QCOMPARE(h->sectionSize(2), 207);
    // The amounts: at least their laid-out widths, and wide enough for millions.
    const int millions = screen_->mshDiscount->fontMetrics().horizontalAdvance(u"99,999,999.99"_s);
    for (const auto& [column, least] : {std::pair{3, 93}, std::pair{4, 70}, std::pair{5, 93}}) {
        QVERIFY(h->sectionSize(column) >= least);
        QVERIFY(h->sectionSize(column) > millions);
    }
    QVERIFY(screen_->lblMedicareTotal->width() > millions);
    QCOMPARE(screen_->mshDiscount->horizontalHeaderItem(3)->text(), u"Actual Charges"_s);
    QVERIFY(screen_->mshDiscount->item(0, 3)->textAlignment() & Qt::AlignRight);
    // What was shown is what was stored.
    QCOMPARE(discount::existingComputation(*conn_, u"2003"_s).size(), 4);
}

void TestComputeDiscount::fitsTheLaptop() {
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    discountseed::assessment(*conn_, u"2003"_s, u"H1"_s, true, 100);
    QVERIFY(open(u"H1"_s, u"2003"_s));
    screenfit::showAsLaptop(*main_);
    const QStringList buttons{u"cmdIsSpecial"_s, u"cmdRecompute"_s, u"cmdExit"_s};
    QCOMPARE(screenfit::problems(screen_, buttons), QStringList{});
    // Enlarged for the special arrangement it still fits.
    screen_->cmdIsSpecial->click();
    screenfit::showAsLaptop(*main_);
    QVERIFY(screen_->frameSpecial->isVisible());
    QCOMPARE(screenfit::problems(screen_, buttons), QStringList{});
    if (const QString shot = qEnvironmentVariable("ZEP_SCREENSHOT_DIR"); !shot.isEmpty())
        main_->grab().save(shot + u"/compute-discount-fit.png"_s);
}

void TestComputeDiscount::specialAssessment_data() {
    QTest::addColumn<QString>("hospNum");
    QTest::addColumn<QString>("visit");
    QTest::addColumn<QStringList>("grid");
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<QString>("qfsSpecial");
    // PH 1,000, US 700 (no fraction), LB 400, MD 2,000; NC 1,050.
    QTest::newRow("class C2: medicines 0.5, procedures 0.5")
        << u"H1"_s << u"2003"_s
        << QStringList{u"LB|Laboratory|400.00|0.00|200.00"_s,
                       u"MD|Professional Fee|2,000.00|0.00|2,000.00"_s,
                       u"PH|Pharmacy|1,000.00|0.00|500.00"_s, u"US|Ultrasound|700.00|0.00|0.00"_s}
        << QStringList{u"4,100.00"_s, u"0.00"_s, u"2,700.00"_s, u"1,400.00"_s} << u"3050"_s;
    QTest::newRow("a class the scheme does not hold: all 0 but the doctors")
        << u"H2"_s << u"2002"_s
        << QStringList{u"LB|Laboratory|400.00|0.00|0.00"_s,
                       u"MD|Professional Fee|2,000.00|0.00|2,000.00"_s,
                       u"PH|Pharmacy|1,000.00|0.00|0.00"_s, u"US|Ultrasound|700.00|0.00|0.00"_s}
        << QStringList{u"4,100.00"_s, u"0.00"_s, u"2,000.00"_s, u"2,100.00"_s} << u"3050"_s;
}

void TestComputeDiscount::specialAssessment() {
    QFETCH(QString, hospNum);
    QFETCH(QString, visit);
    QFETCH(QStringList, grid);
    QFETCH(QStringList, totals);
    QFETCH(QString, qfsSpecial);
    discountseed::charge(*conn_, visit, u"PH"_s, u"PH02"_s, 1000);
    discountseed::charge(*conn_, visit, u"US"_s, u"U1"_s, 700);
    discountseed::charge(*conn_, visit, u"LB"_s, u"LB01"_s, 400);
    discountseed::charge(*conn_, visit, u"MD"_s, u"D1"_s, 2000);
    discountseed::assessment(*conn_, visit, hospNum, true, 1050);
    QVERIFY(open(hospNum, visit));
    QCOMPARE(this->grid(), grid);
    QCOMPARE(this->totals(), totals);
    QCOMPARE(screen_->txtQFSSpecial->text(), qfsSpecial);
    QVERIFY(Messages::shown().isEmpty());
    // The stored computation is the arrangement's: 2,100 less 1,050 shared over 2,100.
    QCOMPARE(discount::totalsOf(discount::existingComputation(*conn_, visit)).discount, 3050.0);
    // The button shows the counterpart and enlarges the window.
    QVERIFY(screen_->cmdIsSpecial->isVisibleTo(screen_));
    QVERIFY(screen_->frameSpecial->isHidden());
    screen_->cmdIsSpecial->click();
    QVERIFY(!screen_->frameSpecial->isHidden());
    QCOMPARE(screen_->txtNC->text(), u"1050"_s);
    QVERIFY(screen_->parentWidget()->height() >= 486);
}

void TestComputeDiscount::storedComputationIsShown() {
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    discount::computeDiscount(*conn_, {u"2003"_s, QString()});
    discountseed::charge(*conn_, u"2003"_s, u"XR"_s, u"XR01"_s, 1000); // billed since
    conn_->log().clear();
    QVERIFY(open(u"H1"_s, u"2003"_s));
    QCOMPARE(grid(), QStringList{u"LB|Laboratory|300.00|0.00|150.00"_s});
    QCOMPARE(totals(), (QStringList{u"300.00"_s, u"0.00"_s, u"150.00"_s, u"150.00"_s}));
    QVERIFY(!conn_->log().callNames().contains(u"Billing..sp_Billing_Get_ActualCharges_ForDiscount"_s));
    // Recompute asks first, then throws the stored one away and computes again.
    Messages::queueAnswer(ui::Answer::Yes);
    screen_->cmdRecompute->click();
    QCOMPARE(Messages::shown().size(), 1);
    QCOMPARE(Messages::shown().first().text,
             u"All previous computed discount will be deleted.\nDo you wish to continue?"_s);
    QCOMPARE(Messages::shown().first().title, u"Warning!"_s);
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Critical);
    QCOMPARE(Messages::shown().first().buttons, ui::Buttons::YesNo);
    QCOMPARE(grid(), (QStringList{u"LB|Laboratory|300.00|0.00|150.00"_s,
                                  u"XR|X-Ray|1,000.00|0.00|200.00"_s}));
    QCOMPARE(totals(), (QStringList{u"1,300.00"_s, u"0.00"_s, u"350.00"_s, u"950.00"_s}));
    QVERIFY(!screen_->cmdRecompute->isEnabled());
    QCOMPARE(discount::existingComputation(*conn_, u"2003"_s).size(), 2);
}

void TestComputeDiscount::recomputeAnsweredNo() {
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    QVERIFY(open(u"H1"_s, u"2003"_s));
    discountseed::charge(*conn_, u"2003"_s, u"XR"_s, u"XR01"_s, 1000);
    conn_->log().clear();
    Messages::queueAnswer(ui::Answer::No);
    screen_->cmdRecompute->click();
    QCOMPARE(Messages::shown().size(), 1);
    QCOMPARE(conn_->log().entries().size(), 0);
    QCOMPARE(grid(), QStringList{u"LB|Laboratory|300.00|0.00|150.00"_s});
    QVERIFY(screen_->cmdRecompute->isEnabled());
}

void TestComputeDiscount::recomputeFailingKeepsEarlier() {
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    QVERIFY(open(u"H1"_s, u"2003"_s));
    discountseed::charge(*conn_, u"2003"_s, u"XR"_s, u"XR01"_s, 1000);
    Messages::clearShown();
    Messages::queueAnswer(ui::Answer::Yes);
    conn_->faults().failCall(2); // the call right after the delete
    screen_->cmdRecompute->click();
    conn_->faults().disarm();
    QCOMPARE(Messages::shown().size(), 2);
    const ui::Shown& error = Messages::shown().at(1);
    QVERIFY2(error.text.startsWith(u"Discount Not Successfully Computed.\n"_s), qPrintable(error.text));
    QVERIFY(error.text.size() > u"Discount Not Successfully Computed.\n"_s.size());
    QCOMPARE(error.title, u"Message"_s);
    QCOMPARE(error.icon, ui::Icon::Critical);
    QCOMPARE(grid(), QStringList{u"LB|Laboratory|300.00|0.00|150.00"_s});
    QCOMPARE(totals(), (QStringList{u"300.00"_s, u"0.00"_s, u"150.00"_s, u"150.00"_s}));
    QCOMPARE(discount::existingComputation(*conn_, u"2003"_s).size(), 1);
    QVERIFY(!conn_->inTransaction());
    QVERIFY(screen_->cmdRecompute->isEnabled()); // nothing changed: it may be tried again
}

void TestComputeDiscount::zeroBill() {
    discountseed::charge(*conn_, u"2003"_s, u"MD"_s, u"D1"_s, 2500);
    discountseed::assessment(*conn_, u"2003"_s, u"H1"_s, true, 1000);
    QVERIFY(open(u"H1"_s, u"2003"_s));
    QCOMPARE(Messages::shown().size(), 1);
    QCOMPARE(Messages::shown().first().text,
             u"Total Hospital Bill is zero (0) therefore no more discount is needed."_s);
    QCOMPARE(Messages::shown().first().title, u"Information"_s);
    QCOMPARE(Messages::shown().first().icon, ui::Icon::Information);
    QCOMPARE(screen_->mshDiscount->rowCount(), 0);
    QVERIFY(!screen_->frameCovered->isEnabled());
    QCOMPARE(discount::existingComputation(*conn_, u"2003"_s).size(), 0);
}

void TestComputeDiscount::closingBringsTheListBack() {
    discountseed::charge(*conn_, u"2003"_s, u"LB"_s, u"LB01"_s, 300);
    QVERIFY(open(u"H1"_s, u"2003"_s));
    QVERIFY(main_->patientList()->listEnabled());
    screen_->cmdExit->click();
    settle();
    QVERIFY(main_->mdiArea()->findChildren<frmComputeDiscount*>().isEmpty());
    // One sub-window, the list, fresh: no search results and no selection.
    QCOMPARE(main_->mdiArea()->subWindowList().size(), 1);
    frmListPatient* list = main_->patientList();
    QVERIFY(list && list->isVisible());
    QVERIFY(!list->listEnabled());
    QCOMPARE(list->IDNUM(), QString());
    // A list without results is shown as it is.
    QVERIFY(open(u"H9"_s, QString()) == nullptr); // nothing found: the list stays
    QCOMPARE(main_->mdiArea()->findChildren<frmComputeDiscount*>().size(), 0);
}

// With ZEP_DEMO_URL naming a demo database, a special assessment of the demo hospital is
// opened and its breakdown saved as a picture (ZEP_SCREENSHOT_DIR) to be looked at.
void TestComputeDiscount::demoBreakdown() {
    const QString url = qEnvironmentVariable("ZEP_DEMO_URL");
    if (url.isEmpty() || testdb::isPg())
        QSKIP("ZEP_DEMO_URL names no demo database");
    db::ConnectionSettings s = db::ConnectionSettings::fromUrl(url);
    auto demo = db::Connection::open(s);
    demo->setDefaultDatabase(u"ZEP"_s);
    db::Recordset rs = demo->Query(
        u"SELECT a.IdNum, a.HospNum FROM ZEP.tbZEPAssessment a "
        "LEFT JOIN BILLING.tbBillMedicare m ON m.IdNum = a.IdNum AND m.RevenueID = 'OT' "
        "WHERE a.IsSpecial = 1 AND a.NC > 0 "
        "ORDER BY CASE WHEN m.IdNum IS NULL THEN 1 ELSE 0 END, a.AssessDate DESC LIMIT 1"_s);
    QVERIFY(!rs.Eof());
    delete main_;
    app::g().gConnection = demo.get();
    main_ = new app::mdiZEP;
    main_->show();
    screenfit::showAsLaptop(*main_);
    QVERIFY(open(rs.Text(u"HospNum"_s), rs.Text(u"IdNum"_s)));
    screen_->cmdIsSpecial->click();
    screenfit::showAsLaptop(*main_);
    QVERIFY(screen_->mshDiscount->rowCount() > 0);
    const QString dir = qEnvironmentVariable("ZEP_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        main_->grab().save(dir + u"/compute-discount-demo.png"_s);
    // Computed afresh, the special assessment shows the department table's discounts.
    Messages::queueAnswer(ui::Answer::Yes);
    screen_->cmdRecompute->click();
    QVERIFY(!screen_->txtQFSSpecial->text().isEmpty());
    if (!dir.isEmpty())
        main_->grab().save(dir + u"/compute-discount-demo-recomputed.png"_s);
    main_->mdiArea()->closeAllSubWindows();
    delete main_;
    main_ = new app::mdiZEP;
    app::g().gConnection = conn_.get();
}

QTEST_MAIN(TestComputeDiscount)
#include "tst_computediscount.moc"
