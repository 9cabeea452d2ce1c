// The worker lookup: its two procedures on a real database, and the picker driven by keys
// and the mouse.
#include "patient/frmEmployeeListing.h"
#include "server/server.h"
#include "testdb.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

class TestEmployeeListing : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void getEmployees_data();
    void getEmployees();
    void getEmployeeName_data();
    void getEmployeeName();

    void opening();
    void searchUsesTextBeforeTheKey();
    void searchFindingNobodyKeepsTheList();
    void selectTakesTheCurrentRow();
    void doubleClickSelects();
    void headingRowSelectsNothing();
    void closeKeepsWorkerCode();

private:
    QStringList ids(const QString& search);
    QStringList gridIds() const;
    void clickCell(int row, int column);

    std::unique_ptr<db::Connection> conn_;
    std::unique_ptr<frmEmployeeListing> dlg_;
};

void TestEmployeeListing::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::fresh();
    const QString insert = u"INSERT INTO ZEP.tbZEPEmployee (EmployeeID, LastName, FirstName, "
                           u"MiddleName, LicenseNumber, DeptCode, Active) "
                           u"VALUES (?, ?, ?, ?, ?, ?, ?)"_s;
    const QList<QVariantList> rows{
        {u"E001"_s, u"DELA CRUZ"_s, u"JUAN"_s, u"PABLO"_s, u"SW-1001"_s, u"ZEP"_s, 1},
        {u"E002"_s, u"SANTOS"_s, u"MARIA"_s, u""_s, u"SW-1002"_s, u"ZEP"_s, 1},
        {u"E003"_s, u"PEÑA"_s, u"ROSA"_s, u"LIM"_s, u""_s, u"ZEP"_s, 1},
        {u"E004"_s, u"REYES"_s, u"ANA"_s, u""_s, u"SW-1004"_s, u"ZEP"_s, 0},
        {u"E005"_s, u"GARCIA"_s, u"LUZ"_s, u""_s, u""_s, u"PHARM"_s, 1},
        {u"X_1"_s, u"ABAD"_s, u""_s, u""_s, u""_s, u"ZEP"_s, 1},
    };
    for (const QVariantList& r : rows)
        conn_->Execute(insert, r);
    ui::Messages::startScript();
    ui::Messages::setApplicationTitle(u"Zonal Extension Program"_s);
}

void TestEmployeeListing::init() {
    ui::Messages::clearShown();
    dlg_ = std::make_unique<frmEmployeeListing>();
    dlg_->setConnection(conn_.get());
}

void TestEmployeeListing::cleanup() {
    dlg_.reset();
    QCOMPARE(ui::Messages::shownTexts(), QStringList());
}

QStringList TestEmployeeListing::ids(const QString& search) {
    db::Recordset rs = conn_->Call(u"ZEP..sp_ZEP_GetEmployees"_s, {search});
    QStringList out;
    for (; !rs.Eof(); rs.MoveNext())
        out << rs.Text(u"EmployeeID"_s);
    return out;
}

QStringList TestEmployeeListing::gridIds() const {
    QStringList out;
    const QAbstractItemModel* m = dlg_->GridListWorkers->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, 0).data().toString();
    return out;
}

void TestEmployeeListing::clickCell(int row, int column) {
    QTableView* grid = dlg_->GridListWorkers;
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QVERIFY(!cell.isEmpty());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// Only active employees of the department, in name order, found by any part of the code
// or a name, without regard to case.
void TestEmployeeListing::getEmployees_data() {
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("expected");
    const QStringList all{u"X_1"_s, u"E001"_s, u"E003"_s, u"E002"_s};
    QTest::newRow("empty lists everyone active") << QString() << all;
    QTest::newRow("blank is empty") << u"   "_s << all;
    QTest::newRow("last name, lower case") << u"cruz"_s << QStringList{u"E001"_s};
    QTest::newRow("first name") << u"Maria"_s << QStringList{u"E002"_s};
    QTest::newRow("middle name") << u"pab"_s << QStringList{u"E001"_s};
    QTest::newRow("name as listed") << u"santos, m"_s << QStringList{u"E002"_s};
    QTest::newRow("code") << u"e00"_s << QStringList{u"E001"_s, u"E003"_s, u"E002"_s};
    QTest::newRow("letters beyond ASCII") << u"peña"_s << QStringList{u"E003"_s};
    QTest::newRow("inactive left out") << u"reyes"_s << QStringList{};
    QTest::newRow("other department left out") << u"garcia"_s << QStringList{};
    QTest::newRow("percent is a plain character") << u"%"_s << QStringList{};
    QTest::newRow("underscore is a plain character") << u"_"_s << QStringList{u"X_1"_s};
    QTest::newRow("apostrophe") << u"o'neil"_s << QStringList{};
}

void TestEmployeeListing::getEmployees() {
    QFETCH(QString, search);
    QFETCH(QStringList, expected);
    QCOMPARE(ids(search), expected);
    const db::Recordset rs = conn_->Call(u"ZEP..sp_ZEP_GetEmployees"_s, {search});
    QVERIFY(rs.FieldCount() >= 2);
    QCOMPARE(rs.FieldNames().at(0).toLower(), u"employeeid"_s);
}

void TestEmployeeListing::getEmployeeName_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("licence");
    QTest::newRow("full name") << u"E001"_s << true << u"DELA CRUZ, JUAN PABLO"_s << u"SW-1001"_s;
    QTest::newRow("no middle name") << u"E002"_s << true << u"SANTOS, MARIA"_s << u"SW-1002"_s;
    QTest::newRow("only a last name") << u"X_1"_s << true << u"ABAD"_s << QString();
    QTest::newRow("code with blanks") << u" E002 "_s << true << u"SANTOS, MARIA"_s << u"SW-1002"_s;
    // A worker who has left is still named on the sheets saved while he was here.
    QTest::newRow("inactive") << u"E004"_s << true << u"REYES, ANA"_s << u"SW-1004"_s;
    QTest::newRow("unknown") << u"E999"_s << false << QString() << QString();
    QTest::newRow("empty") << QString() << false << QString() << QString();
    QTest::newRow("pattern is not a wildcard") << u"E00%"_s << false << QString() << QString();
}

void TestEmployeeListing::getEmployeeName() {
    QFETCH(QString, code);
    QFETCH(bool, found);
    QFETCH(QString, name);
    QFETCH(QString, licence);
    db::Recordset rs = conn_->Call(u"ZEP..sp_ZEP_GetEmployeeName"_s, {code});
    QCOMPARE(rs.Eof(), !found);
    if (found) {
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(u"EmployeeName"_s), name);
        QCOMPARE(rs.Text(u"licensenumber"_s), licence);
    }
}

void TestEmployeeListing::opening() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    QCOMPARE(dlg_->windowTitle(), u"Zonal Extension Program"_s);
    QVERIFY(dlg_->isModal());
    const QAbstractItemModel* m = dlg_->GridListWorkers->model();
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), u"EmployeeID"_s);
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), u"Employee Name"_s);
    QCOMPARE(dlg_->GridListWorkers->columnWidth(0), ui::twips(1100));
    QCOMPARE(dlg_->GridListWorkers->columnWidth(1), ui::twips(3000));
    QCOMPARE(dlg_->GridListWorkers->verticalHeader()->width(), ui::twips(100));
    QCOMPARE(gridIds(), (QStringList{u"X_1"_s, u"E001"_s, u"E003"_s, u"E002"_s}));
    QCOMPARE(m->index(1, 1).data().toString(), u"DELA CRUZ, JUAN PABLO"_s);
    QCOMPARE(dlg_->txtRecCount->text(), u"1 of 4"_s);
    QVERIFY(dlg_->txtRecCount->isReadOnly());
    QCOMPARE(dlg_->cmdSelect->text(), u"&Select"_s);
    QCOMPARE(dlg_->cmdClose->text(), u"&Close"_s);

    // Each opening starts again from an empty search.
    QTest::keyClicks(dlg_->txtSearch, u"sant"_s);
    dlg_->btnSearch->click();
    QCOMPARE(gridIds(), QStringList{u"E002"_s});
    dlg_->cmdClose->click();
    dlg_->show();
    QCOMPARE(dlg_->txtSearch->text(), QString());
    QCOMPARE(gridIds().size(), 4);
}

// The search runs as each key is pressed, before the key reaches the box; the button
// searches with the text as it stands.
void TestEmployeeListing::searchUsesTextBeforeTheKey() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    QTest::keyClicks(dlg_->txtSearch, u"san"_s);
    QCOMPARE(dlg_->txtSearch->text(), u"san"_s);
    // Searched for "sa": SANTOS and ROSA.
    QCOMPARE(gridIds(), (QStringList{u"E003"_s, u"E002"_s}));
    QCOMPARE(dlg_->txtRecCount->text(), u"1 of 2"_s);
    dlg_->btnSearch->click();
    QCOMPARE(gridIds(), QStringList{u"E002"_s});
    QCOMPARE(dlg_->txtRecCount->text(), u"1 of 1"_s);
    // Backspace is a key too: it searches "san" once more before removing the "n".
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Backspace);
    QCOMPARE(dlg_->txtSearch->text(), u"sa"_s);
    QCOMPARE(gridIds(), QStringList{u"E002"_s});
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Return);
    QCOMPARE(gridIds(), (QStringList{u"E003"_s, u"E002"_s}));
    QVERIFY(dlg_->isVisible()); // Enter in the box presses no button
}

void TestEmployeeListing::searchFindingNobodyKeepsTheList() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    QTest::keyClicks(dlg_->txtSearch, u"zzz"_s); // searched "", "z", "zz"
    QCOMPARE(gridIds(), QStringList{u"E001"_s}); // what "z" found
    dlg_->btnSearch->click();                    // "zzz" finds nobody
    QCOMPARE(gridIds(), QStringList{u"E001"_s});
    QCOMPARE(dlg_->txtRecCount->text(), u"1 of 1"_s);
}

void TestEmployeeListing::selectTakesTheCurrentRow() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    clickCell(2, 1);
    QTest::mouseClick(dlg_->cmdSelect, Qt::LeftButton);
    QCOMPARE(dlg_->WorkerCode(), u"E003"_s);
    QVERIFY(dlg_->Selected());
    QCOMPARE(dlg_->result(), int(QDialog::Accepted));
    QVERIFY(!dlg_->isVisible());
}

void TestEmployeeListing::doubleClickSelects() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    QTableView* grid = dlg_->GridListWorkers;
    const QRect cell = grid->visualRect(grid->model()->index(3, 0));
    // A double-click arrives as a click followed by the double-click event.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(dlg_->WorkerCode(), u"E002"_s);
    QVERIFY(!dlg_->isVisible());
}

void TestEmployeeListing::headingRowSelectsNothing() {
    dlg_->setWorkerCode(u"E001"_s);
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    clickCell(2, 0);
    QHeaderView* heading = dlg_->GridListWorkers->horizontalHeader();
    const QPoint onHeading(heading->sectionViewportPosition(1) + 10, heading->height() / 2);
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, onHeading);
    QVERIFY(!dlg_->GridListWorkers->currentIndex().isValid());
    dlg_->cmdSelect->click();
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, onHeading);
    QTest::mouseDClick(heading->viewport(), Qt::LeftButton, {}, onHeading);
    QVERIFY(dlg_->isVisible());
    QCOMPARE(dlg_->WorkerCode(), u"E001"_s);
    QVERIFY(!dlg_->Selected());
}

void TestEmployeeListing::closeKeepsWorkerCode() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    clickCell(1, 0);
    dlg_->cmdSelect->click();
    QCOMPARE(dlg_->WorkerCode(), u"E001"_s);

    dlg_->show();
    clickCell(3, 0);
    QTest::mouseClick(dlg_->cmdClose, Qt::LeftButton);
    QVERIFY(!dlg_->isVisible());
    QCOMPARE(dlg_->result(), int(QDialog::Rejected));
    QCOMPARE(dlg_->WorkerCode(), u"E001"_s);
    QVERIFY(!dlg_->Selected());

    dlg_->show();
    QTest::keyClick(dlg_.get(), Qt::Key_Escape);
    QVERIFY(!dlg_->isVisible());
    QCOMPARE(dlg_->WorkerCode(), u"E001"_s);
}

QTEST_MAIN(TestEmployeeListing)
#include "tst_employeelisting.moc"
