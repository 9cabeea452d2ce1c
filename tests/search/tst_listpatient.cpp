// The patient search list driven as a worker drives it: typing, Enter, the options, the
// buttons, clicks on the list and its headers; and the selection it publishes.
#include "testdb.h"

#include "db/connection.h"
#include "db/procedures.h"
#include "patient/frmListPatient.h"
#include "ui/messages.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {
const QString today = QDate::currentDate().toString(Qt::ISODate);

void seed(db::Connection& c) {
    const char* rows[][4] = {{"H001", "DELA CRUZ", "JUAN", "1002"},
                             {"H002", "BAUTISTA", "ANA", "1003"},
                             {"H003", "O`BRIEN", "MARY", "1004"},
                             {"H004", "REYES", "LITO", "1005"}};
    for (auto& r : rows) {
        c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, "
                                 "MiddleName, ZEPNum) VALUES (?,?,?,'M',?)"),
                  {QString::fromLatin1(r[0]), QString::fromLatin1(r[1]), QString::fromLatin1(r[2]),
                   QStringLiteral("Z") + QString::fromLatin1(r[0])});
        c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate) "
                                 "VALUES (?,?,?)"),
                  {QString::fromLatin1(r[3]), QString::fromLatin1(r[0]), today + QStringLiteral(" 08:00:00")});
    }
    c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbERMaster (IdNum, HospNum, AdmDate) "
                             "VALUES ('7001E', 'H002', ?)"),
              {today + QStringLiteral(" 09:00:00")});
}
} // namespace

class tst_listpatient : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;
    std::unique_ptr<frmListPatient> f;
    bool datasheet = false;
    int datasheetCalls = 0;

    QLineEdit* box(const char* name) { return f->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QTreeView* list() { return f->findChild<QTreeView*>(QStringLiteral("lvwSearchPatient")); }
    QLabel* recCount() { return f->findChild<QLabel*>(QStringLiteral("lblRecCount")); }
    void option(int i) {
        // click(): a mouse click at the middle of a wide radio button may miss its text
        f->findChild<QRadioButton*>(QStringLiteral("optPatientType_%1").arg(i))->click();
    }
    QStringList lastCallValues() { return c->log().calls().last().values; }
    QString lastCallName() { return c->log().calls().last().text; }
    void clickRow(int row) {
        const QRect r = list()->visualRect(list()->model()->index(row, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, r.center());
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        c = testdb::fresh();
        seed(*c);
        ui::Messages::startScript();
    }

    void init() {
        ui::Messages::clearShown();
        c->log().clear();
        f = std::make_unique<frmListPatient>();
        f->setConnections(c.get(), c.get());
        f->setDatasheetEnabler([this](bool on) {
            datasheet = on;
            ++datasheetCalls;
        });
        f->resize(1200, 700);
    }
    void cleanup() { f.reset(); }

    void patientTypeBeforeAnyClick() {
        f->show();
        QCOMPARE(f->PatientType(), QStringLiteral("2"));
        QVERIFY(f->findChild<QRadioButton*>(QStringLiteral("optPatientType_0"))->isChecked());
        option(3);
        QCOMPARE(f->PatientType(), QStringLiteral("3"));
        QVERIFY(c->log().calls().isEmpty()); // choosing an option does not search
        option(0);
        QCOMPARE(f->PatientType(), QStringLiteral("0"));
    }

    void emptySearchRefusedOnlyForAllPatients() {
        f->show();
        option(2);
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("cmdSearch")), Qt::LeftButton);
        QCOMPARE(ui::Messages::shownTexts(), QStringList{QStringLiteral("Please specify a search parameter.")});
        QCOMPARE(ui::Messages::shown().first().icon, ui::Icon::Information);
        QVERIFY(c->log().calls().isEmpty());
        option(0);
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("cmdSearch")), Qt::LeftButton);
        QCOMPARE(lastCallName(), QStringLiteral("ZEP..sp_ZEP_LoadInPatient"));
        QCOMPARE(lastCallValues(), QStringList(5));
        QCOMPARE(f->rowCount(), 4);
        QCOMPARE(recCount()->text(), QStringLiteral("Total No. of Records: 4"));
    }

    void typingUpperCasesAndTurnsApostrophes() {
        f->show();
        QTest::keyClicks(box("txtLastName"), QStringLiteral("o'bri"));
        QCOMPARE(box("txtLastName")->text(), QStringLiteral("O`BRI"));
        QTest::keyClicks(box("txtHospNum"), QStringLiteral("h0'"));
        QCOMPARE(box("txtHospNum")->text(), QStringLiteral("H0'")); // numbers box keeps it
        box("txtHospNum")->clear();
        QTest::keyClick(box("txtLastName"), Qt::Key_Return);
        QCOMPARE(lastCallValues(), (QStringList{QString(), QStringLiteral("O`BRI"), QString(), QString(), QString()}));
        QCOMPARE(f->rowCount(), 1);
        QCOMPARE(f->HospNum(), QStringLiteral("H003")); // the list took the focus
    }

    void enterInEachBoxSearchesWithAllFive_data() {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<bool>("keepsHosp");
        QTest::addColumn<bool>("keepsId");
        QTest::newRow("hospital number clears the admission") << QStringLiteral("txtHospNum") << true << false;
        QTest::newRow("admission number clears the hospital") << QStringLiteral("txtIDNum") << false << true;
        QTest::newRow("last name clears both") << QStringLiteral("txtLastName") << false << false;
        QTest::newRow("first name clears both") << QStringLiteral("txtFirstName") << false << false;
        QTest::newRow("middle name clears both") << QStringLiteral("txtMiddleName") << false << false;
    }
    void enterInEachBoxSearchesWithAllFive() {
        QFETCH(QString, boxName);
        QFETCH(bool, keepsHosp);
        QFETCH(bool, keepsId);
        f->show();
        f->setHospNum(QStringLiteral("PRE-H"));
        f->setIDNUM(QStringLiteral("PRE-I"));
        option(1); // out-patients: nothing matches, so the selection is not overwritten
        // A different value in every box, with blanks around it that the search trims.
        QTest::keyClicks(box("txtHospNum"), QStringLiteral(" h9 "));
        QTest::keyClicks(box("txtIDNum"), QStringLiteral("i8"));
        QTest::keyClicks(box("txtLastName"), QStringLiteral("last "));
        QTest::keyClicks(box("txtFirstName"), QStringLiteral("first"));
        QTest::keyClicks(box("txtMiddleName"), QStringLiteral(" mid"));
        c->log().clear();
        QTest::keyClick(f->findChild<QLineEdit*>(boxName), Qt::Key_Enter);
        QCOMPARE(lastCallName(), QStringLiteral("ZEP..sp_ZEP_LoadOutPatient"));
        // hospital number, last name, admission number, first name, middle name
        QCOMPARE(lastCallValues(), (QStringList{QStringLiteral("H9"), QStringLiteral("LAST"),
                                                QStringLiteral("I8"), QStringLiteral("FIRST"),
                                                QStringLiteral("MID")}));
        QCOMPARE(f->HospNum().isEmpty(), !keepsHosp);
        QCOMPARE(f->IDNUM().isEmpty(), !keepsId);
    }

    void selectionFromTheChosenRow() {
        f->show();
        QTest::keyClicks(box("txtLastName"), QStringLiteral("DELA"));
        QTest::keyClick(box("txtLastName"), Qt::Key_Return);
        QCOMPARE(f->IDNUM(), QStringLiteral("1002"));
        QCOMPARE(f->HospNum(), QStringLiteral("H001"));
        QCOMPARE(f->ZEPID(), QStringLiteral("ZH001"));
        QCOMPARE(f->PatientName(), QStringLiteral("DELA CRUZ, JUAN M"));
        QVERIFY(datasheet); // a numeric admission number
        option(3);
        box("txtLastName")->clear();
        QTest::keyClicks(box("txtHospNum"), QStringLiteral("H002"));
        QTest::keyClick(box("txtHospNum"), Qt::Key_Return);
        QCOMPARE(f->IDNUM(), QStringLiteral("7001E"));
        QVERIFY(!datasheet); // an ER number is not
    }

    void clickingAnEmptyListSaysSo() {
        f->show();
        QTest::keyClicks(box("txtLastName"), QStringLiteral("SANTOS"));
        QTest::keyClick(box("txtLastName"), Qt::Key_Return);
        QVERIFY(!f->listEnabled());
        QCOMPARE(recCount()->text(), QStringLiteral("Total Number of Records : _")); // kept
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(ui::Messages::shownTexts(),
                 QStringList{QStringLiteral("No records found!\r\nSorry you can't proceed!")});
        QCOMPARE(ui::Messages::shown().first().icon, ui::Icon::Information);
        QVERIFY(f->HospNum().isEmpty());
    }

    void clickSelectsAnotherRow() {
        f->show();
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("cmdSearch")), Qt::LeftButton);
        clickRow(2);
        const QString chosen = list()->model()->index(2, 1).data().toString();
        QCOMPARE(f->HospNum(), chosen);
    }

    void sortingToggles() {
        f->show();
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("cmdSearch")), Qt::LeftButton);
        auto* header = list()->header();
        const int lastName = 3;
        const auto column = [&] {
            QStringList s;
            for (int r = 0; r < f->rowCount(); ++r)
                s << list()->model()->index(r, lastName).data().toString();
            return s;
        };
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(lastName) + 5, 5));
        QStringList desc = column();
        QStringList sorted = desc;
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        QCOMPARE(desc, sorted);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(lastName) + 5, 5));
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(column(), sorted); // twice on one column: ascending again
        const QIcon up = list()->model()->headerData(lastName, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
        const QIcon other = list()->model()->headerData(0, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
        QVERIFY(!up.isNull());
        QVERIFY(up.pixmap(12).toImage() != other.pixmap(12).toImage());
    }

    void presetSelectionSearchesOnOpening() {
        f->setHospNum(QStringLiteral("H004"));
        f->show();
        QCOMPARE(lastCallValues(), (QStringList{QStringLiteral("H004"), QString(), QString(), QString(), QString()}));
        QCOMPARE(f->rowCount(), 1);
        QCOMPARE(f->IDNUM(), QStringLiteral("1005"));
    }

    void rightClickPopsUpFileMenu() {
        QMenu file;
        file.addAction(QStringLiteral("Intake Sheet Entry"));
        f->setFileMenu(&file);
        f->show();
        QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, QPoint(10, 10));
        QVERIFY(!file.isVisible()); // nothing selected yet
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("cmdSearch")), Qt::LeftButton);
        QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, QPoint(10, 10));
        QTRY_VERIFY(file.isVisible());
        file.close();
    }

    void closingClearsTheSelection() {
        f->show();
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("cmdSearch")), Qt::LeftButton);
        QVERIFY(!f->HospNum().isEmpty());
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
        QVERIFY(f->HospNum().isEmpty());
        QVERIFY(f->IDNUM().isEmpty());
        QVERIFY(f->ZEPID().isEmpty());
        QVERIFY(f->PatientName().isEmpty());
    }

    void zepPatientsLink() {
        f->show();
        f->setHospNum(QStringLiteral("X"));
        QTest::mouseClick(f->findChild<QLabel*>(QStringLiteral("lblZEP")), Qt::LeftButton);
        QCOMPARE(f->PatientType(), QStringLiteral("5"));
        QCOMPARE(lastCallName(), QStringLiteral("ZEP..sp_ZEP_LoadZEPPatient"));
        QCOMPARE(f->rowCount(), 4);
    }

    // A search fills the list without painting the window while it runs (the rows are painted
    // once, when the search has returned), and the progress bar is left hidden, whether the
    // count, the rows or neither changed.
    void searchPaintsNothingWhileItRuns_data() {
        QTest::addColumn<QStringList>("searches"); // last names searched one after another
        QTest::newRow("first search") << QStringList{u"R"_s};
        QTest::newRow("another count") << QStringList{u"R"_s, u"DELA"_s};
        QTest::newRow("the same again") << QStringList{u"B"_s, u"B"_s};
    }
    void searchPaintsNothingWhileItRuns() {
        QFETCH(QStringList, searches);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        struct Painted : QObject {
            int count = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                count += e->type() == QEvent::Paint ? 1 : 0;
                return false;
            }
        } painted;
        list()->viewport()->installEventFilter(&painted);
        auto* bar = f->findChild<QWidget*>(u"pbProgress"_s);
        bar->installEventFilter(&painted);
        for (const QString& name : searches) {
            QCoreApplication::processEvents();
            painted.count = 0;
            f->search({}, name, {}, {}, {});
            QCOMPARE(painted.count, 0);
            QVERIFY(!bar->isVisible());
        }
        QCOMPARE(f->rowCount(), 1);
        QTRY_VERIFY(painted.count > 0); // and then it is painted
    }

    // Last: it replaces a procedure for the rest of the run.
    void missingColumnLeavesItsCellEmpty() {
        db::Procedures::instance().replace(
            QStringLiteral("ZEP..sp_ZEP_LoadERPatient"), [](db::Connection& conn, const db::Args&) {
                return conn.Query(QStringLiteral("SELECT '9E' AS IDNUM, 'H9' AS HospNum, 'NO ROOM' "
                                                 "AS LastName"));
            });
        f->show();
        option(3);
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("cmdSearch")), Qt::LeftButton);
        QCOMPARE(f->rowCount(), 1);
        QCOMPARE(list()->model()->index(0, 3).data().toString(), QStringLiteral("NO ROOM"));
        QCOMPARE(list()->model()->index(0, 6).data().toString(), QString());
        QCOMPARE(f->RoomID(), QString());
        QCOMPARE(f->HospNum(), QStringLiteral("H9"));
    }
};

QTEST_MAIN(tst_listpatient)
#include "tst_listpatient.moc"
