// The referral report's keys as the worker uses them in the main window: Enter from field to
// field (skipping what cannot be typed into, never changing a value on the way), and the
// expiry date checked when the worker leaves its box.
#include "referralseed.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "patient/frmListPatient.h"
#include "referral/arrsave.h"
#include "referral/frmARR.h"
#include "ui/messages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace referralseed;

namespace {

const int kYear = QDate::currentDate().year();

QString focusName(frmARR* f) {
    QWidget* w = QApplication::focusWidget();
    // An editable combo's line edit stands for the combo.
    while (w && w != f && w->objectName().isEmpty())
        w = w->parentWidget();
    return w ? w->objectName() : u"<none>"_s;
}

void enter(QWidget* w) {
    QTest::keyClick(w, Qt::Key_Return);
}

} // namespace

class tst_arrkeys : public QObject {
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
        if (!f)
            return nullptr;
        f->activateWindow();
        if (!QTest::qWaitForWindowActive(f))
            return nullptr;
        ui::Messages::clearShown();
        return f;
    }

    // Leaves the expiry box with Enter and lets the check that follows the move run.
    void leaveExpiry(frmARR* f) {
        f->mskRange1->setFocus(Qt::MouseFocusReason);
        enter(f->mskRange1);
        QCoreApplication::processEvents();
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
        app::g().gConnection = c.get();
        app::g().userCode = u"E100"_s;
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

    // From each field, Enter lands on the next one the worker can fill; the locked case
    // number of a case holder is skipped, a new case's open one is the first stop.
    void enterChain_data() {
        QTest::addColumn<QString>("hosp");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("new case number") << u"H4"_s << u"txtZEPNum"_s << u"cboClassification"_s;
        QTest::newRow("class") << u"H1"_s << u"cboClassification"_s << u"mskIntake"_s;
        QTest::newRow("date of intake") << u"H1"_s << u"mskIntake"_s << u"mskRange1"_s;
        QTest::newRow("expiry") << u"H1"_s << u"mskRange1"_s << u"cboactive"_s;
        QTest::newRow("case status") << u"H1"_s << u"cboactive"_s << u"chkActive"_s;
        QTest::newRow("active") << u"H1"_s << u"chkActive"_s << u"cboReferring"_s;
        QTest::newRow("referring party") << u"H1"_s << u"cboReferring"_s << u"lstParentCategory"_s;
        QTest::newRow("parent category") << u"H1"_s << u"lstParentCategory"_s << u"lstCategory"_s;
        QTest::newRow("category") << u"H1"_s << u"lstCategory"_s << u"txtRemarks"_s;
        QTest::newRow("remarks") << u"H1"_s << u"txtRemarks"_s << u"txtNC"_s;
        QTest::newRow("counterpart") << u"H1"_s << u"txtNC"_s << u"chkSponsor"_s;
        QTest::newRow("sponsor") << u"H1"_s << u"chkSponsor"_s << u"chkPCSO"_s;
        QTest::newRow("PCSO") << u"H1"_s << u"chkPCSO"_s << u"chkSpecial"_s;
        QTest::newRow("special, then Save") << u"H1"_s << u"chkSpecial"_s << u"cmdSave"_s;
    }
    void enterChain() {
        QFETCH(QString, hosp);
        QFETCH(QString, from);
        QFETCH(QString, to);
        frmARR* f = openFor(hosp);
        QVERIFY(f);
        // An expiry that passes its check (H1's, far ahead, would ask).
        f->mskRange1->setText(QDate::currentDate().toString(u"MM/dd/yyyy"_s));
        auto* start = f->findChild<QWidget*>(from);
        QVERIFY(start);
        start->setFocus(Qt::MouseFocusReason);
        QCOMPARE(focusName(f), from);
        const referral::ArrSave before = f->saveValues();
        enter(QApplication::focusWidget());
        QCoreApplication::processEvents();
        QCOMPARE(focusName(f), to);
        // Moving on changes nothing: no choice made in a list or combo, no box ticked.
        const referral::ArrSave after = f->saveValues();
        QCOMPARE(after.classCode, before.classCode);
        QCOMPARE(after.categoryId, before.categoryId);
        QCOMPARE(after.parentCategoryId, before.parentCategoryId);
        QCOMPARE(after.referringParty, before.referringParty);
        QCOMPARE(after.active, before.active);
        QCOMPARE(after.sponsor, before.sponsor);
        QCOMPARE(after.pcso, before.pcso);
        QCOMPARE(after.special, before.special);
        QCOMPARE(after.expiryDate, before.expiryDate);
        QCOMPARE(shown(), QStringList{});
        QVERIFY(!f->saved());
        f->cmdClose->click();
    }

    // Enter on Save only reaches it: the report is saved by a press, never by a stray key.
    void enterOnSaveDoesNotSave() {
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        f->cmdSave->setFocus(Qt::MouseFocusReason);
        enter(f->cmdSave);
        QCoreApplication::processEvents();
        QCOMPARE(shown(), QStringList{});
        QCOMPARE(c->Query(u"SELECT COUNT(*) AS n FROM ZEP.tbZEPTransaction"_s).Text(u"n"_s), u"0"_s);
        f->cmdClose->click();
    }

    // Closing the report with the focus in a field of the chain, the case status typed and
    // not yet left among them: the screen goes without running anything of itself on the
    // way (which once used freed memory: the address sanitizer build shows it).
    void closingFromAField_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("case status typed") << u"cboactive"_s;
        QTest::newRow("expiry not a date") << u"mskRange1"_s;
        QTest::newRow("counterpart") << u"txtNC"_s;
    }
    void closingFromAField() {
        QFETCH(QString, field);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        auto* w = f->findChild<QWidget*>(field);
        w->setFocus(Qt::MouseFocusReason);
        if (field == u"cboactive")
            f->cboactive->setEditText(u"Ne"_s);
        if (field == u"mskRange1")
            f->mskRange1->setText(u"13/13/2026"_s);
        f->cmdClose->click(); // the focus stays where it was
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!this->w->findChild<frmARR*>());
        QCOMPARE(shown(), QStringList{});
    }

    void expiryOnLeaving_data() {
        QTest::addColumn<QString>("expiry");
        QTest::addColumn<QList<ui::Answer>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("focus");
        const QString ahead = u"Question|ZEP|The date you have entered is 2 years ahead of the "
                              "current date or previous date.\nIs that valid?"_s;
        QTest::newRow("not a date") << u"13/45/2026"_s << QList<ui::Answer>{}
                                    << QStringList{u"Critical|ZEP|Invalid date 13/45/2026."_s}
                                    << u"mskRange1"_s;
        QTest::newRow("empty") << u"//"_s << QList<ui::Answer>{}
                               << QStringList{u"Critical|ZEP|Invalid date //."_s} << u"mskRange1"_s;
        QTest::newRow("half typed") << u"12/3/"_s << QList<ui::Answer>{}
                                    << QStringList{u"Critical|ZEP|Invalid date 12/3/."_s}
                                    << u"mskRange1"_s;
        QTest::newRow("last day two years ahead")
            << u"12/31/"_s + QString::number(kYear + 2) << QList<ui::Answer>{} << QStringList{}
            << u"cboactive"_s;
        QTest::newRow("three years ahead, No")
            << u"01/01/"_s + QString::number(kYear + 3) << QList<ui::Answer>{ui::Answer::No}
            << QStringList{ahead} << u"mskRange1"_s;
        QTest::newRow("three years ahead, Yes")
            << u"01/01/"_s + QString::number(kYear + 3) << QList<ui::Answer>{ui::Answer::Yes}
            << QStringList{ahead} << u"cboactive"_s;
        QTest::newRow("today") << QDate::currentDate().toString(u"MM/dd/yyyy"_s)
                               << QList<ui::Answer>{} << QStringList{} << u"cboactive"_s;
    }
    void expiryOnLeaving() {
        QFETCH(QString, expiry);
        QFETCH(QList<ui::Answer>, answers);
        QFETCH(QStringList, messages);
        QFETCH(QString, focus);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        f->mskRange1->setText(expiry);
        for (ui::Answer a : answers)
            ui::Messages::queueAnswer(a);
        leaveExpiry(f);
        QCOMPARE(shown(), messages);
        QCOMPARE(focusName(f), focus);
        f->cmdClose->click();
    }

    // Leaving by the mouse for another field checks as well; leaving for a command button
    // does not (Save checks for itself, Close must close).
    void expiryLeftByClick_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("remarks") << u"txtRemarks"_s
                                 << QStringList{u"Critical|ZEP|Invalid date 99/99/2026."_s};
        QTest::newRow("Close") << u"cmdClose"_s << QStringList{};
        QTest::newRow("Save") << u"cmdSave"_s << QStringList{};
    }
    void expiryLeftByClick() {
        QFETCH(QString, target);
        QFETCH(QStringList, messages);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        f->mskRange1->setFocus(Qt::MouseFocusReason);
        f->mskRange1->setText(u"99/99/2026"_s);
        f->findChild<QWidget*>(target)->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(shown(), messages);
        QCOMPARE(focusName(f), messages.isEmpty() ? target : u"mskRange1"_s);
        f->cmdClose->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->findChild<frmARR*>());
    }
};

QTEST_MAIN(tst_arrkeys)
#include "tst_arrkeys.moc"
