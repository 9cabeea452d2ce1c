// The service rate file as the worker opens it from File Maintenance › Edit Discount (per
// Item), through the password dialog: the department pop-up, the exams grid, the item
// fields with their rates, the QFS discount and what its save writes, refuses and reports,
// the searches, the keys, and the printed list.
#include "../intake/casefixture.h"
#include "../intake/modalscript.h"
#include "screenfit.h"

#include "db/procedures.h"
#include "filemaint/frmBuildFile.h"
#include "reports/ui/operations.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;
using ui::Icon;
using ui::Messages;

class tst_buildfile : public QObject {
    Q_OBJECT
    CaseFixture fx;
    app::mdiZEP* w = nullptr;

    db::Connection& c() { return CaseFixture::conn(); }

    // "QFSType|QFSRate" of one stored item, the rate with four decimals.
    QString stored(const QString& dept, const QString& item) {
        const db::Recordset rs = c().Query(
            u"SELECT QFSType, QFSRate FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = ? AND ItemID = ?"_s,
            {dept, item});
        return rs.Eof() ? u"<none>"_s
                        : rs.Text(u"QFSType"_s) + u'|' + QString::number(rs.Number(u"QFSRate"_s), 'f', 4);
    }
    static QString iconName(Icon i) {
        switch (i) {
        case Icon::Information: return u"information"_s;
        case Icon::Exclamation: return u"exclamation"_s;
        case Icon::Critical: return u"critical"_s;
        case Icon::Question: return u"question"_s;
        case Icon::None: break;
        }
        return u"none"_s;
    }
    static QStringList shown() {
        QStringList out;
        for (const ui::Shown& s : Messages::shown())
            out << iconName(s.icon) + u'|' + s.title + u'|' + s.text;
        return out;
    }
    // "name|code|rate A|rate E|status" per row of the exams grid.
    static QStringList exams(frmBuildFile* f) {
        QStringList out;
        for (int r = 0; r < f->examRowCount(); ++r)
            out << f->examCell(r, 1) + u'|' + f->examCell(r, 2) + u'|' + f->examCell(r, 4) + u'|' +
                       f->examCell(r, 8) + u'|' + f->examCell(r, 10);
        return out;
    }
    // What the item fields show: code|description|A|B|C|D|E|option|percent|percent locked.
    static QString fields(frmBuildFile* f) {
        const int t = f->qfsType();
        return QStringList{f->txtCode->text(), f->txtDecription->text(), f->txtRateA->text(),
                           f->txtRateB->text(), f->txtRateC->text(), f->txtRateD->text(),
                           f->txtRateE->text(), t < 0 ? u"(none)"_s : f->optQFSType[t]->text(),
                           f->txtQFSRate->text(), f->txtQFSRate->isReadOnly() ? u"locked"_s : u"open"_s}
            .join(u'|');
    }
    // Which of the controls can be used: the state the worker sees.
    static QString state(frmBuildFile* f) {
        QStringList on;
        for (QPushButton* b : {f->btnNew, f->btnEdit, f->btnRefresh, f->btnPrint, f->btnSave, f->btnCancel,
                               f->btnExit})
            if (b->isVisible() && b->isEnabled())
                on << b->objectName();
        if (f->fmeExamInfo->isEnabled())
            on << u"fmeExamInfo"_s;
        if (f->grdExams->isEnabled())
            on << u"grdExams"_s;
        return on.join(u' ');
    }
    static void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    static int rowOf(frmBuildFile* f, const QString& code) {
        for (int r = 0; r < f->examRowCount(); ++r)
            if (f->examCell(r, 2) == code)
                return r;
        return -1;
    }
    // A click on the exams grid's row of `code`, as the worker makes it.
    static void clickRow(frmBuildFile* f, const QString& code) {
        const int r = rowOf(f, code);
        QVERIFY2(r >= 0, qPrintable(code));
        f->grdExams->scrollTo(f->grdExams->model()->index(r, 1));
        const QRect cell = f->grdExams->visualRect(f->grdExams->model()->index(r, 1));
        QTest::mouseClick(f->grdExams->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // The department typed and chosen in the pop-up, as the worker does it.
    static void chooseDepartment(frmBuildFile* f, const QString& typed, const QString& code) {
        f->txtDeptCode->clear();
        QTest::keyClicks(f->txtDeptCode, typed);
        QTest::keyClick(f->txtDeptCode, Qt::Key_Return);
        QVERIFY(f->fmeDepartment->isVisible());
        for (int r = 0; r < f->departmentRowCount(); ++r)
            if (f->departmentCell(r, 1) == code) {
                const QModelIndex i = f->grdDepartment->model()->index(r, 1);
                f->grdDepartment->setCurrentIndex(i);
                emit f->grdDepartment->doubleClicked(i);
                return;
            }
        QFAIL(qPrintable(u"no department "_s + code));
    }

    // Opens the screen from its menu item with the supervisor's entry in the password
    // dialog. The screen stays open (modal to the main window) until closed.
    frmBuildFile* open(const QString& entry = u"E100Right-Horse-7"_s) {
        ModalScript s;
        s.then(u"frmDeletePassword"_s, [&](QWidget* d) {
            auto* box = d->findChild<QLineEdit*>(u"txtPassword"_s);
            QTest::keyClicks(box, entry);
            QTest::keyClick(box, Qt::Key_Return);
            if (d->isVisible())
                QTest::keyClick(d, Qt::Key_Escape);
        });
        s.start();
        w->item(u"mnuEditDiscount"_s)->trigger();
        s.stop();
        if (s.stalled() || !s.done())
            return nullptr;
        // The screen as the worker has it: the active window, with the focus events and
        // status texts that come with that.
        auto* f = w->findChild<frmBuildFile*>();
        if (f) {
            f->activateWindow();
            if (!QTest::qWaitForWindowActive(f))
                return nullptr;
        }
        return f;
    }
    void close(frmBuildFile* f) {
        click(f->btnExit);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->findChild<frmBuildFile*>());
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        auto setup = fx.create();
        Q_UNUSED(setup);
        Messages::startScript();
        Messages::setApplicationTitle(app::departmentTitle());
        reports::startRecording();
    }
    void init() {
        Messages::clearShown();
        reports::clearShownReports();
        w = fx.start();
        QVERIFY(w);
        app::g().reportFolder = qEnvironmentVariable("ZEP_SOURCE_DIR") + u"/reports/"_s;
        c().Execute(u"DELETE FROM BUILD_FILE.tbCoRevenueItem"_s);
        c().Execute(u"DELETE FROM BUILD_FILE.tbCoRevenueCode"_s);
        c().Execute(u"INSERT INTO BUILD_FILE.tbCoRevenueCode (RevenueID, ItemName, Rwith, RecordStatus) VALUES "
                    "('XR', 'Radiology - X-Ray', 'Y', 'A'), ('LB', 'Laboratory', 'Y', 'A'), "
                    "('OR', 'Operating Room', 'Y', 'A'), ('OS', 'Operating Room Supplies', 'Y', 'A'), "
                    "('RA', 'Room and Board', 'Y', 'I'), ('MD', 'Professional Fees', 'N', 'A')"_s);
        c().Execute(u"INSERT INTO BUILD_FILE.tbCoRevenueItem (RevenueID, ItemID, ItemName, SectionID, "
                    "RateA, RateB, RateC, RateD, RateE, QFSType, QFSRate, RecordStatus) VALUES "
                    "('XR', 'X002', 'CHEST PA', 'S1', 315, 350, 437.5, 525, 612.5, 3, 0.15, 'A'), "
                    "('XR', 'X001', 'Abdomen Supine', 'S1', 450, 500, 625, 750, 875, 0, 0.07, 'A'), "
                    "('XR', 'X003', 'Chest Lateral', 'S1', 300, 300, 300, 300, 300, 2, 0, 'A'), "
                    "('XR', 'X009', 'Chest Old Film', '', 100, 100, 100, 100, 100, 1, 0, 'I'), "
                    "('LB', 'X002', 'LAB ITEM WITH AN X-RAY CODE', '', 90, 90, 90, 90, 90, 1, 0, 'A'), "
                    "('LB', 'LB01', 'Complete Blood Count', 'HEM', 225, 250, 312.5, 375, 437.5, 1, 0, 'A'), "
                    "('OR', 'OR0001', 'Operating Room Fee - Minor', '', 3500, 3500, 3500, 3500, 3500, 0, 0, 'A'), "
                    "('OR', 'OR0002', 'Operating Room Fee - Major', '', 12000, 12000, 12000, 12000, 12000, 1, 0, 'A'), "
                    "('OS', 'OR0009', 'Suture Set (code like the OR items)', '', 420, 420, 420, 420, 420, 1, 0, 'A')"_s);
    }
    void cleanup() {
        const int unused = Messages::unusedAnswers();
        Messages::startScript();
        fx.stop();
        QCOMPARE(unused, 0);
    }

    // Only the supervisor's code and log-in password (any letter case) open the screen.
    void passwordGuardsTheScreen_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("opens");
        QTest::newRow("supervisor") << "msantos" << "E100Right-Horse-7" << true;
        QTest::newRow("any case") << "msantos" << "e100RIGHT-HORSE-7" << true;
        QTest::newRow("wrong password") << "msantos" << "E100Right-Horse-8" << false;
        QTest::newRow("without right A") << "jcruz" << "E200Right-Horse-7" << false;
    }
    void passwordGuardsTheScreen() {
        QFETCH(QString, user);
        QFETCH(QString, entry);
        QFETCH(bool, opens);
        fx.stop();
        w = fx.start(user);
        QVERIFY(w);
        frmBuildFile* f = open(entry);
        QCOMPARE(f != nullptr, opens);
        QCOMPARE(shown(), opens ? QStringList() : QStringList{u"information|"_s + app::departmentTitle() +
                                                             u"|Password not valid!"_s});
        if (f) {
            QVERIFY(f->isVisible());
            QCOMPARE(f->parentWidget(), w);
            QCOMPARE(f->windowModality(), Qt::WindowModal);
            close(f);
        }
    }

    void opensWithItsTexts() {
        frmBuildFile* f = open();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"QFS"_s);
        QCOMPARE(f->lblHeading->text(), u"Edit QFS Discounts (per item)"_s);
        // The opening's status text, before any pointer or focus names a control.
        QCOMPARE(frmBuildFile(w).lblStatus->text(), u"Nuclear Exams"_s);
        QCOMPARE(f->focusWidget(), f->txtDeptCode); // the worker starts with the department
        QStringList labels;
        for (QLabel* l : f->findChildren<QLabel*>())
            if (l != f->lblHeading && l != f->lblStatus)
                labels << l->text();
        labels.sort();
        QCOMPARE(labels, (QStringList{u"(A) OPD "_s, u"(B) Ward"_s, u"(C) Private "_s, u"(D) Suite "_s,
                                      u"(E) Suite "_s, u"Code :"_s, u"Desciption :"_s, u"Search Department :"_s,
                                      u"Search by :"_s, u"percent"_s}));
        QCOMPARE(f->fraExams->title(), u"List of Exams"_s);
        QCOMPARE(f->fraSearch->title(), u"Search Exams"_s);
        QCOMPARE(f->fmeExamInfo->title(), u"Exam Information"_s);
        QCOMPARE(f->fraRates->title(), u"Rates"_s);
        QCOMPARE(f->fmeProperties->title(), u"QFS Discount Properties"_s);
        QStringList options;
        for (QRadioButton* o : f->optQFSType)
            options << o->text();
        QCOMPARE(options, (QStringList{u"No Discount"_s, u"Use Classification"_s, u"Fixed 20% Discount"_s,
                                       u"Specified Discount "_s}));
        QCOMPARE(f->cmbSearch->count(), 2);
        QCOMPARE(f->cmbSearch->itemText(0), u"Decription"_s);
        QCOMPARE(f->cmbSearch->itemText(1), u"Code"_s);
        QCOMPARE(f->cmbSearch->currentIndex(), 0);
        QStringList captions;
        for (QPushButton* b : {f->btnNew, f->btnEdit, f->btnRefresh, f->btnPrint, f->btnSave, f->btnCancel,
                               f->btnExit})
            captions << b->text();
        QCOMPARE(captions, (QStringList{u"F8=New"_s, u"F7=Edit"_s, u"F5=Refresh"_s, u"F9=Print"_s, u"&Save"_s,
                                        u"&Cancel"_s, u"E&xit"_s}));
        QCOMPARE(state(f), u"btnNew btnEdit btnRefresh btnPrint btnExit grdExams"_s);
        QVERIFY(!f->fmeDepartment->isVisible());
        QStringList headers;
        for (int col = 0; col < 11; ++col)
            headers << f->grdExams->model()->headerData(col, Qt::Horizontal).toString();
        QCOMPARE(headers, (QStringList{u"dumm"_s, u"Exam Description"_s, u"Exam Code"_s, u"NucSectionID"_s,
                                       u"Rate A"_s, u"Rate B"_s, u"Rate C"_s, u"Rate D"_s, u"Rate E"_s,
                                       u"FixRate"_s, u"Status"_s}));
        // The code, the description and the rates are shown, never saved: no typing.
        for (QLineEdit* e : {f->txtCode, f->txtDecription, f->txtRateA, f->txtRateB, f->txtRateC,
                             f->txtRateD, f->txtRateE, f->txtDepartment})
            QVERIFY2(e->isReadOnly(), qPrintable(e->objectName()));

        chooseDepartment(f, u"XR"_s, u"XR"_s);
        clickRow(f, u"X002"_s);
        screenfit::showAsLaptop(*w);
        QCOMPARE(screenfit::problems(f, {u"btnNew"_s, u"btnEdit"_s, u"btnRefresh"_s, u"btnPrint"_s,
                                         u"btnExit"_s}),
                 QStringList());
        CaseFixture::shot(f, u"buildfile-browse"_s);
        click(f->btnEdit);
        QCOMPARE(screenfit::problems(f, {u"btnSave"_s, u"btnCancel"_s, u"btnExit"_s}), QStringList());
        CaseFixture::shot(f, u"buildfile-edit"_s);
        click(f->btnCancel);
        // The pop-up open over the grid still leaves every button in view.
        QTest::keyClick(f->txtDeptCode, Qt::Key_Return);
        QVERIFY(f->fmeDepartment->isVisible());
        QCOMPARE(screenfit::problems(f, {u"btnEdit"_s, u"btnExit"_s}), QStringList());
        CaseFixture::shot(f, u"buildfile-departments"_s);
        close(f);
        QCOMPARE(shown(), QStringList());
    }

    void departmentSearch_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows"); // code|description|status, "" when the pop-up stays hidden
        QTest::newRow("code") << "XR" << QStringList{u"XR|Radiology - X-Ray|A"_s};
        QTest::newRow("code in small letters") << "lb" << QStringList{u"LB|Laboratory|A"_s};
        QTest::newRow("start of the name")
            << "Operating" << QStringList{u"OR|Operating Room|A"_s, u"OS|Operating Room Supplies|A"_s};
        QTest::newRow("name, any case, inactive listed")
            << "ro" << QStringList{u"RA|Room and Board|I"_s};
        QTest::newRow("middle of the name") << "Board" << QStringList{};
        QTest::newRow("no match") << "ZZ" << QStringList{};
        QTest::newRow("percent is literal") << "%" << QStringList{};
        QTest::newRow("empty lists all")
            << "" << QStringList{u"LB|Laboratory|A"_s, u"OR|Operating Room|A"_s, u"OS|Operating Room Supplies|A"_s,
                                 u"MD|Professional Fees|A"_s, u"XR|Radiology - X-Ray|A"_s,
                                 u"RA|Room and Board|I"_s};
    }
    void departmentSearch() {
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        frmBuildFile* f = open();
        QVERIFY(f);
        QTest::keyClicks(f->txtDeptCode, typed);
        QTest::keyClick(f->txtDeptCode, Qt::Key_Return);
        QCOMPARE(f->fmeDepartment->isVisible(), !rows.isEmpty());
        QStringList got;
        for (int r = 0; r < f->departmentRowCount(); ++r)
            got << f->departmentCell(r, 1) + u'|' + f->departmentCell(r, 2) + u'|' + f->departmentCell(r, 4);
        QCOMPARE(got, rows);
        if (!rows.isEmpty()) {
            QCOMPARE(f->grdDepartment->model()->headerData(1, Qt::Horizontal).toString(), u"RevenueID"_s);
            QCOMPARE(f->grdDepartment->model()->headerData(2, Qt::Horizontal).toString(), u"Description"_s);
            QCOMPARE(f->grdDepartment->model()->headerData(3, Qt::Horizontal).toString(), u"With Items"_s);
            QVERIFY(f->grdDepartment->isColumnHidden(3));
            QCOMPARE(f->grdDepartment->columnWidth(2), 200); // 3000 twips
        }
        QCOMPARE(f->examRowCount(), 0);
        close(f);
    }

    // The pop-up by keyboard: Down into it, Enter takes the row; Escape closes the pop-up,
    // not the screen.
    void departmentByKeyboard() {
        frmBuildFile* f = open();
        QVERIFY(f);
        QTest::keyClicks(f->txtDeptCode, u"oper"_s);
        QTest::keyClick(f->txtDeptCode, Qt::Key_Return);
        QTest::keyClick(f->txtDeptCode, Qt::Key_Escape);
        QVERIFY(!f->fmeDepartment->isVisible());
        QVERIFY(f->isVisible());
        QTest::keyClick(f->txtDeptCode, Qt::Key_Return);
        QTest::keyClick(f->txtDeptCode, Qt::Key_Down);
        QCOMPARE(f->focusWidget(), f->grdDepartment);
        QTest::keyClick(f->grdDepartment, Qt::Key_Down);
        QTest::keyClick(f->grdDepartment, Qt::Key_Return);
        QVERIFY(!f->fmeDepartment->isVisible());
        QCOMPARE(f->txtDepartment->text(), u"Operating Room Supplies"_s);
        QCOMPARE(exams(f), QStringList{u"Suture Set (code like the OR items)|OR0009|420.00|420.00|A"_s});
        QCOMPARE(f->focusWidget(), f->grdExams);
        close(f);
    }

    // Escape outside the pop-up leaves the screen as Exit does, and a second opening
    // brings up one screen again.
    void escapeLeavesTheScreen() {
        frmBuildFile* f = open();
        QVERIFY(f);
        QTest::keyClick(f->txtDeptCode, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->findChild<frmBuildFile*>());
        f = open();
        QVERIFY(f);
        QCOMPARE(w->findChildren<frmBuildFile*>().size(), 1);
        close(f);
    }

    void departmentChosen_data() {
        QTest::addColumn<QString>("dept");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("x-ray, by name, inactive left out")
            << "XR" << "Radiology - X-Ray"
            << QStringList{u"Abdomen Supine|X001|450.00|875.00|A"_s, u"CHEST PA|X002|315.00|612.50|A"_s,
                           u"Chest Lateral|X003|300.00|300.00|A"_s};
        QTest::newRow("other revenue") << "OR" << "Operating Room"
                                       << QStringList{u"Operating Room Fee - Major|OR0002|12000.00|12000.00|A"_s,
                                                      u"Operating Room Fee - Minor|OR0001|3500.00|3500.00|A"_s};
        QTest::newRow("without items") << "MD" << "Professional Fees" << QStringList{};
    }
    void departmentChosen() {
        QFETCH(QString, dept);
        QFETCH(QString, name);
        QFETCH(QStringList, rows);
        frmBuildFile* f = open();
        QVERIFY(f);
        // Another department first: its items must not stay under the new one's name.
        chooseDepartment(f, u"LB"_s, u"LB"_s);
        QCOMPARE(f->examRowCount(), 2);
        chooseDepartment(f, dept, dept);
        QVERIFY(!f->fmeDepartment->isVisible());
        QCOMPARE(f->txtDeptCode->text(), dept);
        QCOMPARE(f->txtDepartment->text(), name);
        QCOMPARE(f->loadedDepartment(), dept);
        QCOMPARE(exams(f), rows);
        // The first row is current, but no item is shown before a click or a key.
        QCOMPARE(f->currentExamRow(), rows.isEmpty() ? -1 : 0);
        QCOMPARE(f->txtCode->text(), QString());
        for (int col : {0, 3, 9})
            QVERIFY(f->grdExams->isColumnHidden(col));
        QCOMPARE(f->grdExams->columnWidth(1), 233); // 3500 twips
        QVERIFY(f->grdExams->columnWidth(2) >= 60); // 900 twips, or the header's width
        QCOMPARE(f->grdExams->columnWidth(4), 80);  // 1200 twips
        close(f);
    }

    void itemShown_data() {
        QTest::addColumn<QString>("dept");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("fields");
        QTest::newRow("specified 0.15 shows 15")
            << "XR" << "X002" << "X002|CHEST PA|315|350|437.5|525|612.5|Specified Discount |15|open";
        QTest::newRow("a stored rate shows under no discount")
            << "XR" << "X001" << "X001|Abdomen Supine|450|500|625|750|875|No Discount|7|locked";
        QTest::newRow("fixed") << "XR" << "X003" << "X003|Chest Lateral|300|300|300|300|300|Fixed 20% Discount|0|locked";
        QTest::newRow("other revenue names")
            << "OR" << "OR0002"
            << "OR0002|Operating Room Fee - Major|12000|12000|12000|12000|12000|Use Classification|0|locked";
    }
    void itemShown() {
        QFETCH(QString, dept);
        QFETCH(QString, code);
        QFETCH(QString, fields);
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, dept, dept);
        clickRow(f, code);
        QCOMPARE(this->fields(f), fields);
        QCOMPARE(state(f), u"btnNew btnEdit btnRefresh btnPrint btnExit grdExams"_s); // still browsing
        close(f);
    }

    // A build file kept by the hospital's other programs may hold any type, or none: the
    // screen shows such an item as using the classification.
    void storedTypeOutsideTheOptions_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("fields");
        QTest::newRow("type 9") << "9" << "0.15" << "X777|ODD ITEM|10|0|0|0|0|Use Classification|15|locked";
        QTest::newRow("empty type, empty rate") << "" << "" << "X777|ODD ITEM|10|0|0|0|0|Use Classification|0|locked";
        QTest::newRow("padded 3") << " 3 " << "0.07" << "X777|ODD ITEM|10|0|0|0|0|Specified Discount |7|open";
        QTest::newRow("rate text with a tail") << "3" << "0.25x" << "X777|ODD ITEM|10|0|0|0|0|Specified Discount |25|open";
    }
    void storedTypeOutsideTheOptions() {
        QFETCH(QString, type);
        QFETCH(QString, rate);
        QFETCH(QString, fields);
        const QString name = u"BUILD_fILE..sp_Bui_Show_Item_Details"_s;
        const db::Procedure real = *db::Procedures::instance().find(name, u"ZEP"_s);
        db::Procedures::instance().replace(name, [type, rate](db::Connection&, const db::Args& a) {
            return db::Recordset({u"XrayExamID"_s, u"XrayExam"_s, u"RateA"_s, u"RateB"_s, u"RateC"_s, u"RateD"_s,
                                  u"RateE"_s, u"QFSType"_s, u"QFSRate"_s},
                                 {{a.text(1), u"ODD ITEM"_s, u"10"_s, QVariant(), u""_s, u"abc"_s, u"0"_s, type, rate}});
        });
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, u"XR"_s, u"XR"_s);
        f->cmbSearch->setCurrentIndex(1);
        QTest::keyClicks(f->txtSearch, u"X777"_s);
        const QString got = this->fields(f);
        db::Procedures::instance().replace(name, real);
        QCOMPARE(got, fields);
        close(f);
    }

    // What the save writes for what the worker does in the edit state: "type:TEXT" clears
    // the percentage box and types TEXT, "option:N" clicks the N-th discount type.
    void save_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("storedAfter");
        QTest::addColumn<QString>("stateAfter");
        const QString browse = u"btnNew btnEdit btnRefresh btnPrint btnExit grdExams"_s;
        const QString edit = u"btnSave btnCancel btnExit fmeExamInfo"_s;
        const QStringList updated{u"information|Message|Record Updated."_s};
        const QStringList refused{
            u"exclamation|Message|Enter the discount as a percent from 0 to 100, with at most two decimals."_s};
        const auto steps = [](std::initializer_list<const char*> l) {
            QStringList out;
            for (const char* s : l)
                out << QString::fromLatin1(s);
            return out;
        };
        QTest::newRow("0.15 unchanged is saved as 0.15") << "X002" << QStringList() << updated << "3|0.1500" << browse;
        QTest::newRow("specified 25") << "X002" << steps({"type:25"}) << updated << "3|0.2500" << browse;
        QTest::newRow("specified 12.5") << "X002" << steps({"type:12.5"}) << updated << "3|0.1250" << browse;
        QTest::newRow("whole 100") << "X002" << steps({"type:100"}) << updated << "3|1.0000" << browse;
        QTest::newRow("fixed after typing resets to 0")
            << "X002" << steps({"type:30", "option:2"}) << updated << "2|0.0000" << browse;
        QTest::newRow("no discount") << "X002" << steps({"option:0"}) << updated << "0|0.0000" << browse;
        QTest::newRow("classification") << "X002" << steps({"option:1"}) << updated << "1|0.0000" << browse;
        QTest::newRow("a letter rubs out the digit before it")
            << "X002" << steps({"type:2a5"}) << updated << "3|0.0500" << browse;
        QTest::newRow("comma, slash and apostrophe rub out too")
            << "X002" << steps({"type:12,3/4'6"}) << updated << "3|0.1600" << browse;
        QTest::newRow("stored rate kept under no discount") << "X001" << QStringList() << updated << "0|0.0700" << browse;
        QTest::newRow("locked box takes no typing")
            << "X001" << steps({"type:9"}) << updated << "0|0.0700" << browse;
        QTest::newRow("specified chosen, 7 typed")
            << "X003" << steps({"option:3", "type:7"}) << updated << "3|0.0700" << browse;
        QTest::newRow("empty") << "X002" << steps({"type:"}) << refused << "3|0.1500" << edit;
        QTest::newRow("minus only") << "X002" << steps({"type:-"}) << refused << "3|0.1500" << edit;
        QTest::newRow("point only") << "X002" << steps({"type:."}) << refused << "3|0.1500" << edit;
        QTest::newRow("negative") << "X002" << steps({"type:-5"}) << refused << "3|0.1500" << edit;
        QTest::newRow("over 100") << "X002" << steps({"type:150"}) << refused << "3|0.1500" << edit;
        QTest::newRow("three decimals") << "X002" << steps({"type:12.345"}) << refused << "3|0.1500" << edit;
        QTest::newRow("two points") << "X002" << steps({"type:1.2.3"}) << refused << "3|0.1500" << edit;
        QTest::newRow("blank") << "X002" << steps({"type: "}) << refused << "3|0.1500" << edit;
    }
    void save() {
        QFETCH(QString, code);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, messages);
        QFETCH(QString, storedAfter);
        QFETCH(QString, stateAfter);
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, u"XR"_s, u"XR"_s);
        clickRow(f, code);
        QTest::keyClick(f->grdExams, Qt::Key_F7);
        QCOMPARE(state(f), u"btnSave btnCancel btnExit fmeExamInfo"_s);
        for (const QString& step : steps) {
            if (step.startsWith(u"option:"_s)) {
                QTest::mouseClick(f->optQFSType[step.mid(7).toInt()], Qt::LeftButton);
            } else {
                f->txtQFSRate->setFocus();
                f->txtQFSRate->end(false);
                while (!f->txtQFSRate->text().isEmpty() && !f->txtQFSRate->isReadOnly())
                    QTest::keyClick(f->txtQFSRate, Qt::Key_Backspace);
                QTest::keyClicks(f->txtQFSRate, step.mid(5));
            }
        }
        click(f->btnSave);
        QCOMPARE(shown(), messages);
        QCOMPARE(state(f), stateAfter);
        QCOMPARE(stored(u"XR"_s, code), storedAfter);
        if (stateAfter == u"btnNew btnEdit btnRefresh btnPrint btnExit grdExams"_s) {
            // Back to browsing on the list read again, the item's code and rates cleared.
            QCOMPARE(f->txtCode->text(), QString());
            QCOMPARE(f->txtRateA->text(), QString());
            QCOMPARE(f->examCell(f->currentExamRow(), 2), code);
            QCOMPARE(f->focusWidget(), f->grdExams);
        } else {
            QCOMPARE(f->focusWidget(), f->txtQFSRate);
            QCOMPARE(f->txtCode->text(), code);
        }
        QCOMPARE(stored(u"LB"_s, u"X002"_s), u"1|0.0000"_s); // the other department's same code
        close(f);
    }

    // The department box retyped after the items were loaded does not move the details
    // or the save to that department: both go to the department the grid shows.
    void retypedDepartmentIsNotUsed() {
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, u"XR"_s, u"XR"_s);
        f->txtDeptCode->clear();
        QTest::keyClicks(f->txtDeptCode, u"LB"_s); // no Enter
        clickRow(f, u"X002"_s);
        QCOMPARE(f->txtDecription->text(), u"CHEST PA"_s);
        click(f->btnEdit);
        f->txtQFSRate->clear();
        QTest::keyClicks(f->txtQFSRate, u"40"_s);
        click(f->btnSave);
        QCOMPARE(shown(), QStringList{u"information|Message|Record Updated."_s});
        QCOMPARE(stored(u"XR"_s, u"X002"_s), u"3|0.4000"_s);
        QCOMPARE(stored(u"LB"_s, u"X002"_s), u"1|0.0000"_s);
        QCOMPARE(exams(f).size(), 3); // still the x-ray list
        close(f);
    }

    // A save that writes nothing never says "Record Updated.".
    void nothingWritten() {
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, u"XR"_s, u"XR"_s);
        clickRow(f, u"X003"_s);
        click(f->btnEdit);
        c().Execute(u"DELETE FROM BUILD_FILE.tbCoRevenueItem WHERE RevenueID = 'XR' AND ItemID = 'X003'"_s);
        QCOMPARE(f->btnSave_Click(), false);
        QCOMPARE(shown(), QStringList{u"exclamation|Message|The exam X003 is no longer on file; nothing was "
                                      "saved. The list is read again."_s});
        QCOMPARE(exams(f), (QStringList{u"Abdomen Supine|X001|450.00|875.00|A"_s,
                                        u"CHEST PA|X002|315.00|612.50|A"_s}));
        QCOMPARE(state(f), u"btnNew btnEdit btnRefresh btnPrint btnExit grdExams"_s);
        // Nothing goes out from browsing, and Edit without an exam stays there.
        QCOMPARE(f->btnSave_Click(), false);
        Messages::clearShown();
        chooseDepartment(f, u"MD"_s, u"MD"_s);
        QTest::keyClick(f->grdExams, Qt::Key_F7);
        QCOMPARE(shown(), QStringList{u"exclamation|Message|Choose an exam in the list to edit first."_s});
        QCOMPARE(state(f), u"btnNew btnEdit btnRefresh btnPrint btnExit grdExams"_s);
        close(f);
    }

    // A save the database refuses keeps the worker in edit with what was typed.
    void failedSaveStaysInEdit() {
        const QString name = u"BUILD_FILE..sp_Bui_UpdateQFSDiscount"_s;
        const db::Procedure real = *db::Procedures::instance().find(name, u"ZEP"_s);
        db::Procedures::instance().replace(name, [](db::Connection&, const db::Args&) -> db::Recordset {
            db::raise(u"the build file is locked by another program"_s);
            return {};
        });
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, u"XR"_s, u"XR"_s);
        clickRow(f, u"X002"_s);
        click(f->btnEdit);
        f->txtQFSRate->selectAll();
        QTest::keyClicks(f->txtQFSRate, u"30"_s);
        const bool saved = f->btnSave_Click();
        db::Procedures::instance().replace(name, real);
        QCOMPARE(saved, false);
        QCOMPARE(shown().size(), 1);
        QVERIFY2(shown().first().startsWith(u"critical|Message|The QFS discount could not be saved.\n"_s),
                 qPrintable(shown().first()));
        QVERIFY(shown().first().contains(u"the build file is locked by another program"_s));
        QCOMPARE(state(f), u"btnSave btnCancel btnExit fmeExamInfo"_s);
        QCOMPARE(f->txtQFSRate->text(), u"30"_s);
        QCOMPARE(stored(u"XR"_s, u"X002"_s), u"3|0.1500"_s);
        close(f);
    }

    void cancel() {
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, u"XR"_s, u"XR"_s);
        clickRow(f, u"X002"_s);
        click(f->btnEdit);
        // The buttons disabled on the way do not leave their names in the label.
        QCOMPARE(f->lblStatus->text(), u"Search Exams"_s);
        QCOMPARE(f->focusWidget(), f->txtQFSRate);
        QTest::mouseClick(f->optQFSType[0], Qt::LeftButton);
        click(f->btnCancel);
        QCOMPARE(f->lblStatus->text(), u"Cancel Nuclear Exams"_s);
        QCOMPARE(state(f), u"btnNew btnEdit btnRefresh btnPrint btnExit grdExams"_s);
        QCOMPARE(f->focusWidget(), f->grdExams);
        QCOMPARE(stored(u"XR"_s, u"X002"_s), u"3|0.1500"_s);
        QCOMPARE(shown(), QStringList());
        close(f);
    }

    void searchAsYouType_data() {
        QTest::addColumn<QString>("dept");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("search"); // the search box afterwards
        // The code shown and the current row's: the last item found while typing, as a
        // text that finds nothing leaves the item shown before.
        QTest::addColumn<QString>("found");
        QTest::newRow("start of a name") << "XR" << 0 << "CHEST P" << "CHEST P" << "X002";
        QTest::newRow("small letters typed as capitals") << "XR" << 0 << "abd" << "ABD" << "X001";
        QTest::newRow("first by name, any case") << "XR" << 0 << "CHEST" << "CHEST" << "X003";
        QTest::newRow("inactive item not found") << "XR" << 0 << "CHEST O" << "CHEST O" << "X003";
        QTest::newRow("middle of a name") << "XR" << 0 << "PA" << "PA" << "";
        QTest::newRow("apostrophe becomes a backquote") << "XR" << 0 << "CHEST'" << "CHEST`" << "X003";
        QTest::newRow("percent is literal") << "XR" << 0 << "%" << "%" << "";
        QTest::newRow("other revenue, by code, its own department")
            << "OR" << 0 << "or000" << "OR000" << "OR0001";
        QTest::newRow("other revenue, not another department's") << "OR" << 0 << "OR0009" << "OR0009" << "OR0001";
        QTest::newRow("code") << "XR" << 1 << "X003" << "X003" << "X003";
        QTest::newRow("code, part of it") << "XR" << 1 << "X00" << "X00" << "";
        QTest::newRow("code of another department") << "XR" << 1 << "LB01" << "LB01" << "";
    }
    void searchAsYouType() {
        QFETCH(QString, dept);
        QFETCH(int, mode);
        QFETCH(QString, typed);
        QFETCH(QString, search);
        QFETCH(QString, found);
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, dept, dept);
        f->cmbSearch->setCurrentIndex(mode);
        QTest::keyClicks(f->txtSearch, typed);
        QCOMPARE(f->txtSearch->text(), search);
        QCOMPARE(f->txtCode->text(), found);
        // Nothing found leaves the first row current, as the list was loaded.
        QCOMPARE(f->examCell(f->currentExamRow(), 2), found.isEmpty() ? f->examCell(0, 2) : found);
        if (!found.isEmpty()) {
            const QModelIndexList sel = f->grdExams->selectionModel()->selectedIndexes();
            QCOMPARE(sel.size(), 11); // the whole row
        }
        QTest::keyClick(f->txtSearch, Qt::Key_Return);
        QCOMPARE(f->focusWidget(), f->grdExams);
        QCOMPARE(shown(), QStringList());
        close(f);
    }

    // The function keys in the exams grid, in both states.
    void functionKeys() {
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, u"XR"_s, u"XR"_s);
        clickRow(f, u"X001"_s);
        QTest::keyClick(f->grdExams, Qt::Key_Down); // a key moves to the next item and shows it
        QCOMPARE(f->txtCode->text(), u"X002"_s);
        QTest::keyClick(f->grdExams, Qt::Key_F8); // New has no action
        QCOMPARE(state(f), u"btnNew btnEdit btnRefresh btnPrint btnExit grdExams"_s);
        QTest::keyClick(f->grdExams, Qt::Key_F5);
        QCOMPARE(f->txtCode->text(), QString());
        QCOMPARE(f->txtDecription->text(), QString());
        QCOMPARE(f->examCell(f->currentExamRow(), 2), u"X002"_s);
        QTest::keyClick(f->grdExams, Qt::Key_F9);
        QCOMPARE(reports::shownReports().size(), 1);
        QVERIFY(f->isVisible()); // back after the print
        QTest::keyClick(f->grdExams, Qt::Key_F7);
        QCOMPARE(f->txtCode->text(), u"X002"_s);
        QCOMPARE(state(f), u"btnSave btnCancel btnExit fmeExamInfo"_s);
        // While editing, the keys of the other buttons do nothing.
        QTest::keyClick(f->txtQFSRate, Qt::Key_F5);
        QTest::keyClick(f->txtQFSRate, Qt::Key_F9);
        QCOMPARE(f->txtCode->text(), u"X002"_s);
        QCOMPARE(reports::shownReports().size(), 1);
        QCOMPARE(state(f), u"btnSave btnCancel btnExit fmeExamInfo"_s);
        QTest::keyClick(f->txtQFSRate, Qt::Key_Return);
        QCOMPARE(f->focusWidget(), f->btnSave);
        QCOMPARE(shown(), QStringList());
        close(f);
    }

    // Enter walks the rate boxes in order; in the last it stays.
    void enterInTheRates() {
        frmBuildFile* f = open();
        QVERIFY(f);
        chooseDepartment(f, u"XR"_s, u"XR"_s);
        clickRow(f, u"X002"_s);
        click(f->btnEdit);
        QStringList path;
        f->txtDecription->setFocus();
        QTest::keyClick(f->txtDecription, Qt::Key_Return);
        for (int k = 0; k < 5; ++k) {
            path << f->focusWidget()->objectName();
            QTest::keyClick(f->focusWidget(), Qt::Key_Return);
        }
        path << f->focusWidget()->objectName();
        QCOMPARE(path, (QStringList{u"txtRateA"_s, u"txtRateB"_s, u"txtRateC"_s, u"txtRateD"_s, u"txtRateE"_s,
                                    u"txtRateE"_s}));
        QCOMPARE(f->txtRateA->text(), u"315"_s);
        close(f);
    }

    void statusTexts_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("status");
        QTest::newRow("grid") << "grdExams" << "Search Exams";
        QTest::newRow("edit") << "btnEdit" << "Search Exams";
        QTest::newRow("refresh") << "btnRefresh" << "Nuclear Exams";
        QTest::newRow("print") << "btnPrint" << "Print Nuclear Exams";
        QTest::newRow("save") << "btnSave" << "Edit QFS";
        QTest::newRow("cancel") << "btnCancel" << "Cancel Nuclear Exams";
    }
    void statusTexts() {
        QFETCH(QString, control);
        QFETCH(QString, status);
        frmBuildFile* f = open();
        QVERIFY(f);
        f->lblStatus->setText(u"Status : "_s);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(f->findChild<QWidget*>(control), &enter);
        QCOMPARE(f->lblStatus->text(), status);
        close(f);
    }

    // Coming back to the screen from another window names the exams again.
    void statusOnReturn() {
        frmBuildFile* f = open();
        QVERIFY(f);
        f->lblStatus->setText(u"Status : "_s);
        for (int k = 0; k < 2; ++k) { // the first may be taken for the opening's own
            QEvent back(QEvent::WindowActivate);
            QCoreApplication::sendEvent(f, &back);
        }
        QCOMPARE(f->lblStatus->text(), u"Exams"_s);
        QFocusEvent out(QEvent::FocusOut);
        f->btnCancel->show();
        QCoreApplication::sendEvent(f->btnCancel, &out);
        QCOMPARE(f->lblStatus->text(), u"Nuclear Exams"_s);
        close(f);
    }

    void printsTheList() {
        frmBuildFile* f = open();
        QVERIFY(f);
        click(f->btnPrint);
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport r = reports::shownReports().first();
        QCOMPARE(r.title, u"List of procedures (With their corresponding QFS Discount)"_s);
        QCOMPARE(r.fileName, u"DiscountExams.RPT"_s);
        QCOMPARE(r.parameters, (QStringList{u"HospitalName=St. Test General Hospital"_s,
                                            u"HospitalAddress=1 Test Street"_s}));
        QCOMPARE(r.pages, 1);
        QVERIFY2(r.text.contains(u"XR | Radiology - X-Ray | X002 | CHEST PA | 315.00 | 350.00 | 437.50 | "
                                 "525.00 | 612.50 | Specified Discount | 15%"_s),
                 qPrintable(r.text));
        QVERIFY(!r.text.contains(u"Chest Old Film"_s));
        QVERIFY(f->isVisible());
        QCOMPARE(shown(), QStringList());
        close(f);
    }

    // The viewer the print opens takes the worker's clicks while the rate file stays open
    // (the screen is modal to the main window only); the click goes through the window
    // system, where a window blocked by a modal one would drop it.
    void viewerUsableBesideTheScreen() {
        reports::stopRecording();
        frmBuildFile* f = open();
        QVERIFY(f);
        click(f->btnPrint);
        QPointer<QWidget> viewer;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == u"frmReportViewer"_s && t->isVisible())
                viewer = t;
        reports::startRecording();
        QVERIFY(viewer);
        QCOMPARE(viewer->windowTitle(), u"List of procedures (With their corresponding QFS Discount)"_s);
        QVERIFY(f->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        auto* bar = viewer->findChild<QToolBar*>(u"tbViewer"_s);
        QWidget* closeButton = bar->widgetForAction(viewer->findChild<QAction*>(u"actClose"_s));
        QVERIFY(closeButton);
        const QPoint at = closeButton->mapTo(viewer->window(), closeButton->rect().center());
        QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(!viewer);
        QVERIFY(f->isVisible());
        QCOMPARE(shown(), QStringList());
        close(f);
    }

    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "437.5" << 437.5;
        QTest::newRow("blanks before") << "  12" << 12.0;
        QTest::newRow("tail ignored") << "12.5 pesos" << 12.5;
        QTest::newRow("second point ends it") << "1.2.3" << 1.2;
        QTest::newRow("sign") << "-3" << -3.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(filemaint::leadingNumber(text), value);
    }

    void readQFSPercent_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read"); // "-" when refused
        QTest::newRow("whole") << "15" << "15";
        QTest::newRow("two decimals") << "12.25" << "12.25";
        QTest::newRow("blanks") << " 7 " << "7";
        QTest::newRow("zero") << "0" << "0";
        QTest::newRow("hundred") << "100" << "100";
        QTest::newRow("over") << "100.01" << "-";
        QTest::newRow("negative") << "-1" << "-";
        QTest::newRow("three decimals") << "0.001" << "-";
        QTest::newRow("empty") << "" << "-";
        QTest::newRow("point") << "." << "-";
        QTest::newRow("minus") << "-" << "-";
    }
    void readQFSPercent() {
        QFETCH(QString, typed);
        QFETCH(QString, read);
        const std::optional<double> v = filemaint::readQFSPercent(typed);
        QCOMPARE(v ? QString::number(*v, 'g', 15) : u"-"_s, read);
    }
};

QTEST_MAIN(tst_buildfile)
#include "tst_buildfile.moc"
