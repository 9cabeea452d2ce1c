// The code-search stand-in: the zip-code picker over a real zip-code table, driven from the
// keyboard and the mouse, and the component's SearchListing / AddressRecord around it.
#include "components/codesearch/clsCodeSearch.h"
#include "components/codesearch/frmZipCodeSearch.h"
#include "testdb.h"
#include "ui/messages.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace Qt::StringLiterals;
using codesearch::frmZipCodeSearch;

class TestCodeSearch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void filter_data();
    void filter();
    void exactCodeBecomesCurrent();
    void keyboardChooses();
    void enterOnEmptyListChoosesNothing();
    void escapeCancels();
    void doubleClickChooses();

    void searchListingReturnsTheChoice();
    void searchListingCancelled();
    void lookUpWithoutPicker_data();
    void lookUpWithoutPicker();
    void nothingToSearch();
    void failedReadIsShown();

private:
    QStringList towns(const frmZipCodeSearch& dlg) const;
    // Runs `act` on the picker once SearchListing has shown it.
    void whenShown(std::function<void(frmZipCodeSearch&)> act);

    std::unique_ptr<db::Connection> conn_;
    std::unique_ptr<frmZipCodeSearch> dlg_;
    codesearch::clsCodeSearch search_;
};

void TestCodeSearch::initTestCase() {
    TESTDB_REQUIRE_BACKEND();
    conn_ = testdb::fresh();
    const QString insert =
        u"INSERT INTO BUILD_FILE.tbCoZipCode (ZipCode, Town, Province) VALUES (?, ?, ?)"_s;
    for (const QVariantList& r : QList<QVariantList>{
             {u"4027"_s, u"CALAMBA"_s, u"LAGUNA"_s},
             {u"4026"_s, u"SANTA ROSA"_s, u"LAGUNA"_s},
             {u"1000"_s, u"MANILA"_s, u"METRO MANILA"_s},
             {u"4000"_s, u"SAN PABLO"_s, u"LAGUNA"_s},
             {u"2000"_s, u"San Fernando"_s, u"PAMPANGA"_s},
             {u"4028"_s, u"Calamba Heights"_s, u"LAGUNA"_s},
         })
        conn_->Execute(insert, r);
    ui::Messages::startScript();
    search_.setMTS_Server(u"APPSERVER"_s);
    search_.setSearchMode(true);
    search_.Initialize_Classes();
    search_.setCompanyName(u"GENERAL HOSPITAL"_s);
    search_.setSearchTitle(u"ZEP - Social Service Department"_s);
    search_.setConnection(conn_.get());
}

void TestCodeSearch::init() {
    ui::Messages::clearShown();
    dlg_ = std::make_unique<frmZipCodeSearch>();
    dlg_->load(*conn_);
}

void TestCodeSearch::cleanup() {
    dlg_.reset();
    conn_->faults().disarm();
    search_.setSearchMode(true);
    search_.setConnection(conn_.get());
    QCOMPARE(ui::Messages::shownTexts(), QStringList());
}

QStringList TestCodeSearch::towns(const frmZipCodeSearch& dlg) const {
    QStringList out;
    const QAbstractItemModel* m = dlg.lvwZipCodes->model();
    for (int row = 0; row < m->rowCount(); ++row)
        out << m->index(row, 1).data().toString();
    return out;
}

void TestCodeSearch::whenShown(std::function<void(frmZipCodeSearch&)> act) {
    QTimer::singleShot(0, this, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dlg = qobject_cast<frmZipCodeSearch*>(modal);
        if (!dlg) {
            if (modal)
                modal->close();
            QFAIL("the zip-code picker is not showing");
        }
        act(*dlg);
        if (dlg->isVisible())
            dlg->reject(); // never leave the test waiting on the picker
    });
}

void TestCodeSearch::filter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("towns");
    QTest::newRow("everything, by town")
        << u""_s << QStringList{u"CALAMBA"_s,      u"Calamba Heights"_s, u"MANILA"_s,
                                u"San Fernando"_s, u"SAN PABLO"_s,       u"SANTA ROSA"_s};
    QTest::newRow("province, any case")
        << u"laguna"_s
        << QStringList{u"CALAMBA"_s, u"Calamba Heights"_s, u"SAN PABLO"_s, u"SANTA ROSA"_s};
    QTest::newRow("every word must match")
        << u"san  LAGUNA"_s << QStringList{u"SAN PABLO"_s, u"SANTA ROSA"_s};
    QTest::newRow("part of a zip code")
        << u"402"_s << QStringList{u"CALAMBA"_s, u"Calamba Heights"_s, u"SANTA ROSA"_s};
    QTest::newRow("town in the province's name") << u"manila"_s << QStringList{u"MANILA"_s};
    QTest::newRow("nothing") << u"zzz"_s << QStringList();
    QTest::newRow("wildcards are letters") << u"%"_s << QStringList();
}

void TestCodeSearch::filter() {
    QFETCH(QString, text);
    QFETCH(QStringList, towns);
    dlg_->setFilterText(text);
    QCOMPARE(this->towns(*dlg_), towns);
    QCOMPARE(dlg_->visibleCount(), towns.size());
    // The first entry is ready to be chosen; with none, nothing is.
    QCOMPARE(dlg_->chosen().Town, towns.value(0));
    QCOMPARE(dlg_->cmdOK->isEnabled(), !towns.isEmpty());
}

void TestCodeSearch::exactCodeBecomesCurrent() {
    // "402" also matches 4026 and 4028; the code itself is the one meant.
    dlg_->setFilterText(u"4026"_s);
    QCOMPARE(dlg_->chosen().ResultCode, u"4026"_s);
    dlg_->setFilterText(u"4027"_s);
    QCOMPARE(dlg_->chosen().Town, u"CALAMBA"_s);
}

void TestCodeSearch::keyboardChooses() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    QVERIFY(dlg_->txtSearch->hasFocus());
    QTest::keyClicks(dlg_->txtSearch, u"lag"_s);
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Down);
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Down);
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Up);
    // The arrows moved in the list and left the typed text alone.
    QCOMPARE(dlg_->txtSearch->text(), u"lag"_s);
    QVERIFY(dlg_->txtSearch->hasFocus());
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Return);
    QCOMPARE(dlg_->result(), int(QDialog::Accepted));
    const codesearch::AddressRecordInfo r = dlg_->chosen();
    QCOMPARE(r.ResultCode, u"4028"_s);
    QCOMPARE(r.Town, u"Calamba Heights"_s);
    QCOMPARE(r.Province, u"LAGUNA"_s);
}

void TestCodeSearch::enterOnEmptyListChoosesNothing() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    QTest::keyClicks(dlg_->txtSearch, u"zzz"_s);
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Enter);
    QVERIFY(dlg_->isVisible());
    // Taking the text back brings the list back, and Enter works again.
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Backspace);
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Backspace);
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Backspace);
    QCOMPARE(dlg_->visibleCount(), 6);
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Enter);
    QCOMPARE(dlg_->result(), int(QDialog::Accepted));
    QCOMPARE(dlg_->chosen().Town, u"CALAMBA"_s);
}

void TestCodeSearch::escapeCancels() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    QTest::keyClicks(dlg_->txtSearch, u"manila"_s);
    QTest::keyClick(dlg_->txtSearch, Qt::Key_Escape);
    QVERIFY(!dlg_->isVisible());
    QCOMPARE(dlg_->result(), int(QDialog::Rejected));
}

void TestCodeSearch::doubleClickChooses() {
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    dlg_->setFilterText(u"laguna"_s);
    QTreeView* view = dlg_->lvwZipCodes;
    const QRect cell = view->visualRect(view->model()->index(2, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(dlg_->result(), int(QDialog::Accepted));
    QCOMPARE(dlg_->chosen().Town, u"SAN PABLO"_s);
}

void TestCodeSearch::searchListingReturnsTheChoice() {
    whenShown([](frmZipCodeSearch& dlg) {
        QCOMPARE(dlg.windowTitle(), u"ZEP - Social Service Department"_s);
        // It opens on the code the sheet holds.
        QCOMPARE(dlg.txtSearch->text(), u"4000"_s);
        QTest::keyClick(dlg.txtSearch, Qt::Key_Return);
    });
    QVERIFY(search_.SearchListing(0, u" 4000 "_s));
    QCOMPARE(search_.AddressRecord().ResultCode, u"4000"_s);
    QCOMPARE(search_.AddressRecord().Town, u"SAN PABLO"_s);
    QCOMPARE(search_.AddressRecord().Province, u"LAGUNA"_s);
}

void TestCodeSearch::searchListingCancelled() {
    whenShown([](frmZipCodeSearch& dlg) { QTest::keyClick(dlg.txtSearch, Qt::Key_Return); });
    QVERIFY(search_.SearchListing(0, u"1000"_s));
    whenShown([](frmZipCodeSearch& dlg) { QTest::keyClick(dlg.txtSearch, Qt::Key_Escape); });
    QVERIFY(!search_.SearchListing(0, u"4027"_s));
    // Nothing of the earlier choice is left to be read by mistake.
    QCOMPARE(search_.AddressRecord().ResultCode, QString());
    QCOMPARE(search_.AddressRecord().Town, QString());
}

void TestCodeSearch::lookUpWithoutPicker_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("town");
    QTest::newRow("known") << u" 4027"_s << u"CALAMBA"_s;
    QTest::newRow("unknown") << u"9999"_s << QString();
    QTest::newRow("part of a code") << u"402"_s << QString();
    QTest::newRow("empty") << u""_s << QString();
}

void TestCodeSearch::lookUpWithoutPicker() {
    QFETCH(QString, text);
    QFETCH(QString, town);
    search_.setSearchMode(false);
    QCOMPARE(search_.SearchListing(0, text), !town.isEmpty());
    QCOMPARE(search_.AddressRecord().Town, town);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestCodeSearch::nothingToSearch() {
    QVERIFY(!search_.SearchListing(1, u"4027"_s));
    search_.setConnection(nullptr);
    QVERIFY(!search_.SearchListing(0, u"4027"_s));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestCodeSearch::failedReadIsShown() {
    conn_->faults().failStatement(1);
    QVERIFY(!search_.SearchListing(0, u"4027"_s));
    QCOMPARE(ui::Messages::shown().size(), 1);
    QCOMPARE(ui::Messages::shown().first().icon, ui::Icon::Critical);
    QVERIFY(ui::Messages::shown().first().text.startsWith(u"Unable to read the zip codes.\n"_s));
    ui::Messages::clearShown();
}

QTEST_MAIN(TestCodeSearch)
#include "tst_codesearch.moc"
