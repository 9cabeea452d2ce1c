// The class edit, the case-number screens and the delete-password dialog as the worker
// opens them from the main window, with their exact texts, titles and icons.
#include "casefixture.h"
#include "modalscript.h"
#include "screenfit.h"

#include "intake/classedit.h"
#include "intake/frmDeletePassword.h"
#include "intake/frmDeleteZEPNum.h"
#include "intake/frmEditClass.h"
#include "intake/frmEditZEPNumber.h"
#include "intake/frmGlobalClassificationUpdate.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using ui::Icon;
using ui::Messages;

class tst_casescreens : public QObject {
    Q_OBJECT
    CaseFixture fx;

    db::Connection& c() { return CaseFixture::conn(); }
    QString one(const QString& sql, const QVariantList& v = {}) {
        const db::Recordset rs = c().Query(sql, v);
        return rs.Eof() ? QStringLiteral("<none>") : rs.Text(0);
    }
    static QString iconName(Icon i) {
        switch (i) {
        case Icon::Information: return QStringLiteral("information");
        case Icon::Exclamation: return QStringLiteral("exclamation");
        case Icon::Critical: return QStringLiteral("critical");
        case Icon::Question: return QStringLiteral("question");
        case Icon::None: break;
        }
        return QStringLiteral("none");
    }
    // What the message boxes showed: "icon|title|text" each.
    static QStringList shown() {
        QStringList out;
        for (const ui::Shown& s : Messages::shown())
            if (!s.isInput)
                out << iconName(s.icon) + u'|' + s.title + u'|' + s.text;
        return out;
    }
    static QString app() { return app::departmentTitle(); }

    // Runs `open` (a menu item) with `script` driving the dialogs it opens.
    static void drive(ModalScript& script, const std::function<void()>& open) {
        script.start();
        open();
        script.stop();
        QVERIFY2(!script.stalled(), qPrintable(script.seen().join(u',')));
        QVERIFY2(script.done(), qPrintable(QStringLiteral("%1 steps left").arg(script.left())));
    }
    static void type(QWidget* w, const char* box, const QString& text) {
        auto* e = w->findChild<QLineEdit*>(QString::fromLatin1(box));
        e->setFocus();
        e->clear();
        QTest::keyClicks(e, text);
    }
    static void click(QWidget* w, const char* button) {
        QTest::mouseClick(w->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        auto setup = fx.create();
        setup->Execute(QStringLiteral(
            "INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, ZEPNum) VALUES "
            "('H100', 'DELA CRUZ', 'ANA', 'BAUTISTA', 'Z-100'), ('H200', 'REYES', 'JOSE', '', 'Z-200'), "
            "('H300', 'LIM', 'CARLO', '', NULL)"));
        setup->Execute(QStringLiteral(
            "INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, PatientClass) VALUES "
            "('5100', 'H100', '2026-12-01 08:00:00', 'S'), ('5300', 'H300', '2026-12-02 08:00:00', 'P')"));
        Messages::startScript();
        Messages::setApplicationTitle(app::departmentTitle()); // as the program's main() does
    }
    void init() {
        Messages::clearShown();
        QVERIFY(fx.start());
        c().Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = NULL, "
                                   "ZEPDiscountExpiry = NULL"));
        c().Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPNum = 'Z-100' WHERE HospNum = 'H100'"));
        c().Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPNum = 'Z-200' WHERE HospNum = 'H200'"));
        c().Execute(QStringLiteral("UPDATE PATIENT_DATA.tbPatient2 SET PatientClass = 'S' WHERE IdNum = '5100'"));
        c().Execute(QStringLiteral("DELETE FROM ZEP.tbZEPPatClassHistory"));
        c().Execute(QStringLiteral("DELETE FROM ZEP.tbZEPPatClassHistoryDeletion"));
        c().Execute(QStringLiteral("DELETE FROM ZEP.tbZEPCaseNumberChange"));
    }
    void cleanup() {
        const int unused = Messages::unusedAnswers();
        Messages::startScript(); // a failed test leaves no answers to the next one
        fx.stop();
        QCOMPARE(unused, 0);
    }

    // ---- the delete-password dialog ---------------------------------------------------

    void password_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::newRow("as typed at log-in") << "msantos" << "E100Right-Horse-7" << true;
        QTest::newRow("lower case") << "msantos" << "e100right-horse-7" << true;
        QTest::newRow("upper case") << "msantos" << "E100RIGHT-HORSE-7" << true;
        QTest::newRow("password alone") << "msantos" << "Right-Horse-7" << false;
        QTest::newRow("another user's code") << "msantos" << "E200Right-Horse-7" << false;
        QTest::newRow("without right A") << "jcruz" << "E200Right-Horse-7" << false;
    }
    void password() {
        QFETCH(QString, user);
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        fx.stop();
        app::mdiZEP* w = fx.start(user);
        QVERIFY(w);
        bool result = !ok;
        QString mask;
        ModalScript s;
        s.then(QStringLiteral("frmDeletePassword"), [&](QWidget* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Password"));
            QCOMPARE(d->parentWidget(), w);
            auto* box = d->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
            QCOMPARE(d->focusWidget(), box);
            QCOMPARE(d->findChild<QPushButton*>(QStringLiteral("cmdEnter"))->text(), QStringLiteral("&Enter"));
            screenfit::showAsLaptop(*w);
            QCOMPARE(screenfit::problems(d, {QStringLiteral("cmdEnter")}), QStringList());
            QTest::keyClicks(box, typed);
            mask = box->displayText();
            CaseFixture::shot(d, u"frmDeletePassword"_s);
            QTest::keyClick(box, Qt::Key_Return);
            if (d->isVisible()) { // refused: the dialog stays for another try
                QCOMPARE(d->focusWidget(), box);
                QTest::keyClick(d, Qt::Key_Escape);
            }
        });
        drive(s, [&] { result = frmDeletePassword::run(w, frmDeletePassword::ClassHistoryDeletion,
                                                       app::g().currentUser.get()); });
        QCOMPARE(result, ok);
        QCOMPARE(mask, QString(typed.size(), QChar(0xB7)));
        QCOMPARE(shown(), ok ? QStringList() : QStringList{u"information|"_s + app() + u"|Password not valid!"_s});
        QVERIFY(!app::g().gConnection->log().dump().contains(QStringLiteral("Right-Horse-7")));
    }

    void passwordEscapeAndReuse() {
        app::mdiZEP* w = app::modMain::mainWindow();
        ModalScript s;
        s.then(QStringLiteral("frmDeletePassword"), [](QWidget* d) {
             QTest::keyClicks(d->findChild<QLineEdit*>(QStringLiteral("txtPassword")), QStringLiteral("E100Right-Horse-7"));
             QTest::keyClick(d->findChild<QLineEdit*>(QStringLiteral("txtPassword")), Qt::Key_Return);
         });
        bool first = false;
        drive(s, [&] { first = frmDeletePassword::run(w, 2, app::g().currentUser.get()); });
        QVERIFY(first);
        // The same dialog again: empty, unconfirmed; Escape leaves it so.
        ModalScript again;
        again.then(QStringLiteral("frmDeletePassword"), [](QWidget* d) {
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->text(), QString());
            QTest::keyClick(d, Qt::Key_Escape);
        });
        bool second = true;
        drive(again, [&] { second = frmDeletePassword::run(w, 2, app::g().currentUser.get()); });
        QVERIFY(!second);
        QVERIFY(!frmDeletePassword::instance(w).DeleteOK());
        QCOMPARE(frmDeletePassword::instance(w).GetForm(), 2);
        QVERIFY(Messages::shown().isEmpty());
    }

    void passwordForgottenAtLogOff() {
        QVERIFY(!app::g().currentUser->Password().isEmpty());
        app::g().currentUser->logOff();
        QCOMPARE(app::g().currentUser->Password(), QString());
        QVERIFY(!frmDeletePassword::validEntry(QStringLiteral("E100Right-Horse-7"), app::g().currentUser.get()));
    }

    // ---- caller contract ----------------------------------------------------------------

    void withoutSelectionTheListOpens_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("Edit Patient Classification") << "mnuEditPatClass";
        QTest::newRow("Edit ZEP Number") << "mnuEditZEPNo";
    }
    void withoutSelectionTheListOpens() {
        QFETCH(QString, item);
        app::mdiZEP* w = app::modMain::mainWindow();
        QVERIFY(!w->patientList());
        w->item(item)->trigger(); // no dialog may open: nothing would close it
        QVERIFY(w->patientList());
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(Messages::shown().isEmpty());
    }

    // ---- Edit ZEP Number ------------------------------------------------------------------

    void editZEPNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("after");
        QTest::newRow("free number") << " Z-555 "
            << QStringList{u"information|Message|Records Successfully Updated"_s} << "Z-555";
        QTest::newRow("another patient's") << "Z-200"
            << QStringList{u"none|Message|The CaseNumber already exists and is owned by REYES, JOSE"_s} << "Z-100";
        QTest::newRow("empty") << "   "
            << QStringList{u"exclamation|Message|Please enter the new ZEP Number.\nTo remove a ZEP Number, use \"Delete ZEP Number\"."_s}
            << "Z-100";
    }
    void editZEPNumber() {
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, after);
        app::mdiZEP* w = app::modMain::mainWindow();
        CaseFixture::select(w, QStringLiteral("H100"));
        c().log().clear();
        ModalScript s;
        s.then(QStringLiteral("frmEditZEPNumber"), [&](QWidget* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Edit ZEP Number"));
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("lblHeading"))->text(), QStringLiteral("Edit ZEP Number"));
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("txtHospNo"))->text(), QStringLiteral("H100"));
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("txtName"))->text(), QStringLiteral("DELA CRUZ, ANA BAUTISTA"));
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("txtZEPno"))->text(), QStringLiteral("Z-100"));
            QCOMPARE(d->findChild<QGroupBox*>(QStringLiteral("fraNewZEPNo"))->title(), QStringLiteral("Enter New ZEP Number :"));
            QCOMPARE(d->findChild<QPushButton*>(QStringLiteral("cmdUpdate"))->text(), QStringLiteral("&Update"));
            screenfit::showAsLaptop(*app::modMain::mainWindow());
            QCOMPARE(screenfit::problems(d, {QStringLiteral("cmdUpdate")}), QStringList());
            type(d, "txtNewZEPNo", typed);
            CaseFixture::shot(d, u"frmEditZEPNumber"_s);
            click(d, "cmdUpdate");
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("txtZEPno"))->text(), after);
            static_cast<QDialog*>(d)->reject();
        });
        drive(s, [&] { w->item(QStringLiteral("mnuEditZEPNo"))->trigger(); });
        QCOMPARE(shown(), messages);
        QCOMPARE(one(QStringLiteral("SELECT ZEPNum FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H100'")), after);
        QCOMPARE(one(QStringLiteral("SELECT ZEPNum FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H200'")), QStringLiteral("Z-200"));
        QCOMPARE(c().log().callNames().contains(QStringLiteral("ZEP..sp_ZEP_UpdateZEPNumber")), after != QLatin1String("Z-100"));
    }

    // ---- Delete ZEP Number ------------------------------------------------------------------

    void deleteZEPNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("classification");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("after");
        QTest::newRow("no classification") << "Z-100" << ""
            << QStringList{u"none|"_s + app() + u"|ZEP Number Successfully deleted."_s} << "<null>";
        QTest::newRow("classified, expired") << "Z-100" << "C1"
            << QStringList{u"exclamation|Message|Unable to delete the ZEPNumber. \n The patient has an existing "
                           "classification of C1\n which will expire on 01/15/2026"_s}
            << "Z-100";
        QTest::newRow("empty box") << "  " << "" << QStringList() << "Z-100";
        QTest::newRow("nobody's number") << "Z-404" << "" << QStringList() << "Z-100";
    }
    void deleteZEPNumber() {
        QFETCH(QString, typed);
        QFETCH(QString, classification);
        QFETCH(QStringList, messages);
        QFETCH(QString, after);
        if (!classification.isEmpty())
            c().Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = ?, "
                                       "ZEPDiscountExpiry = '2026-01-15' WHERE HospNum = 'H100'"),
                        {classification});
        app::mdiZEP* w = app::modMain::mainWindow();
        QVERIFY(!w->item(QStringLiteral("mnuDeleZEPNum"))->isVisible()); // created hidden
        ModalScript s;
        s.then(QStringLiteral("frmDeletePassword"), [](QWidget* d) {
             auto* box = d->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
             QTest::keyClicks(box, QStringLiteral("E100right-horse-7"));
             QTest::keyClick(box, Qt::Key_Return);
         }).then(QStringLiteral("frmDeleteZEPNum"), [&](QWidget* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("DELETE ZEP NUMBER"));
            QCOMPARE(d->findChild<QGroupBox*>(QStringLiteral("fraZEPNum"))->title(),
                     QStringLiteral("Enter ZEP Number to be Deleted"));
            QCOMPARE(d->findChild<QPushButton*>(QStringLiteral("cmdDelete"))->text(), QStringLiteral("&Delete"));
            screenfit::showAsLaptop(*app::modMain::mainWindow());
            QCOMPARE(screenfit::problems(d, {QStringLiteral("cmdDelete")}), QStringList());
            type(d, "txtZEPNum", typed);
            CaseFixture::shot(d, u"frmDeleteZEPNum"_s);
            click(d, "cmdDelete");
            static_cast<QDialog*>(d)->reject();
        });
        drive(s, [&] { w->item(QStringLiteral("mnuDeleZEPNum"))->trigger(); });
        QCOMPARE(shown(), messages);
        QCOMPARE(one(QStringLiteral("SELECT COALESCE(ZEPNum, '<null>') FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H100'")), after);
        QCOMPARE(one(QStringLiteral("SELECT COUNT(*) FROM ZEP.tbZEPCaseNumberChange")),
                 after == QLatin1String("<null>") ? QStringLiteral("1") : QStringLiteral("0"));
    }

    // ---- the class edit ------------------------------------------------------------------

    void payRefusalRule_data() {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("expiry");
        QTest::addColumn<QString>("refusal");
        const QString head = QStringLiteral("You cannot Change the classification to Service \n because "
                                            "the patient has an existing classification of C1\n");
        QTest::newRow("expires today") << "C1" << "12/09/2026" << "";
        QTest::newRow("expired yesterday") << "C1" << "12/08/2026" << "";
        QTest::newRow("expires tomorrow") << "C1" << "12/10/2026" << head + u" which will expire on 12/10/2026"_s;
        QTest::newRow("no classification") << "  " << "12/10/2027" << "";
        QTest::newRow("no expiry") << "C1" << "" << head + u" which has no expiry date"_s;
    }
    void payRefusalRule() {
        QFETCH(QString, cls);
        QFETCH(QString, expiry);
        QFETCH(QString, refusal);
        QCOMPARE(cases::payRefusal(cls, expiry, QDate(2026, 12, 9)), refusal);
    }

    // A change to pay against the real clock: an expiry of today lets it through, one of
    // tomorrow refuses it and writes nothing.
    void classEditSave_data() {
        QTest::addColumn<int>("expiryInDays"); // from today; 99 = no classification
        QTest::addColumn<int>("option");       // 0 Pay, 1 Service, -1 neither
        QTest::addColumn<QString>("saved");    // the visit's class afterwards
        QTest::newRow("pay, expires today") << 0 << 0 << "P";
        QTest::newRow("pay, expires tomorrow") << 1 << 0 << "S";
        QTest::newRow("service, expires tomorrow") << 1 << 1 << "S";
        QTest::newRow("pay, no classification") << 99 << 0 << "P";
        QTest::newRow("neither option") << 99 << -1 << "S";
    }
    void classEditSave() {
        QFETCH(int, expiryInDays);
        QFETCH(int, option);
        QFETCH(QString, saved);
        const QDate expiry = QDate::currentDate().addDays(expiryInDays);
        if (expiryInDays != 99)
            c().Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = 'C1', "
                                       "ZEPDiscountExpiry = ? WHERE HospNum = 'H100'"),
                        {expiry.toString(Qt::ISODate)});
        if (option < 0) // a visit whose class is unknown opens with neither option
            c().Execute(QStringLiteral("UPDATE PATIENT_DATA.tbPatient2 SET PatientClass = 'S' WHERE IdNum = '5100'"));
        app::mdiZEP* w = app::modMain::mainWindow();
        CaseFixture::select(w, QStringLiteral("H100"));
        bool closed = false;
        ModalScript s;
        s.then(QStringLiteral("frmEditClass"), [&](QWidget* d) {
            auto* f = static_cast<frmEditClass*>(d);
            QCOMPARE(f->windowTitle(), QStringLiteral("ZEP"));
            QCOMPARE(f->lblHeading->text(), QStringLiteral("Edit Patient Classification"));
            QCOMPARE(f->txtIDNum->text(), QStringLiteral("5100"));
            QCOMPARE(f->txtZEPno->text(), QStringLiteral("Z-100"));
            QCOMPARE(f->fraEditClass->title(), QStringLiteral("Edit Classification"));
            QCOMPARE(f->optClass[0]->text(), QStringLiteral("Pay"));
            QCOMPARE(f->optClass[1]->text(), QStringLiteral("Service"));
            QVERIFY(f->optClass[1]->isChecked()); // the visit is a service patient
            QCOMPARE(f->width(), 321);             // narrow: 4815 twips
            CaseFixture::shot(f, u"frmEditClass"_s);
            if (option >= 0) {
                f->optClass[option]->click();
            } else {
                f->optClass[1]->setAutoExclusive(false);
                f->optClass[1]->setChecked(false);
            }
            click(f, "cmdSave");
            closed = !f->isVisible();
            if (!closed)
                f->reject();
        });
        drive(s, [&] { w->item(QStringLiteral("mnuEditPatClass"))->trigger(); });
        QCOMPARE(one(QStringLiteral("SELECT PatientClass FROM PATIENT_DATA.tbPatient2 WHERE IdNum = '5100'")), saved);
        const bool wrote = (option == 0 && saved == QLatin1String("P")) || option == 1;
        QCOMPARE(closed, wrote);
        QCOMPARE(one(QStringLiteral("SELECT COUNT(*) FROM ZEP.tbZEPPatClassHistory")), wrote ? u"1"_s : u"0"_s);
        QStringList expected;
        if (wrote)
            expected << u"information|"_s + app() + u"|Record Updated"_s;
        else if (option < 0)
            expected << u"exclamation|Message|Please choose the class: Pay or Service."_s;
        else
            expected << u"exclamation|Message|You cannot Change the classification to Service \n because "
                        "the patient has an existing classification of C1\n which will expire on "_s +
                            expiry.toString(u"MM/dd/yyyy"_s);
        QCOMPARE(shown(), expected);
    }

    // The history: widened, the grid as given, and the deletion of the row the worker chose
    // through the password dialog and a reason.
    void historyDeletion_data() {
        QTest::addColumn<int>("row");           // the row chosen, -1 none
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("reason");    // empty: Escape in the password dialog
        QTest::addColumn<QStringList>("left");  // dates left
        QTest::addColumn<QStringList>("messages");
        const QStringList all{u"12/01/2026 09:00:00"_s, u"12/02/2026 10:30:15"_s, u"12/03/2026 11:45:00"_s};
        QTest::newRow("middle row") << 1 << "msantos" << "Entered for the wrong visit" << QStringList{all[0], all[2]}
            << QStringList{u"information|"_s + app() + u"|Record Successfully deleted."_s};
        QTest::newRow("first row") << 0 << "msantos" << "  Typed twice  " << QStringList{all[1], all[2]}
            << QStringList{u"information|"_s + app() + u"|Record Successfully deleted."_s};
        QTest::newRow("five-letter reason") << 2 << "msantos" << " oops! " << all
            << QStringList{u"critical|"_s + app() + u"|Deletion Unsuccessful. \nYou must have a reason for deleting "
                           "the record. \nHwag ka na po mahiya. tell us your reason."_s};
        QTest::newRow("Escape at the password") << 1 << "msantos" << "" << all
            << QStringList{u"information|"_s + app() + u"|Unauthorized User."_s};
        QTest::newRow("user without right A") << 1 << "jcruz" << "Entered for the wrong visit" << all
            << QStringList{u"information|"_s + app() + u"|Password not valid!"_s,
                           u"information|"_s + app() + u"|Unauthorized User."_s};
        QTest::newRow("no row chosen") << -1 << "msantos" << "whatever reason" << all << QStringList();
    }
    void historyDeletion() {
        QFETCH(int, row);
        QFETCH(QString, user);
        QFETCH(QString, reason);
        QFETCH(QStringList, left);
        QFETCH(QStringList, messages);
        if (user != QLatin1String("msantos")) {
            fx.stop();
            QVERIFY(fx.start(user));
        }
        c().Execute(QStringLiteral(
            "INSERT INTO ZEP.tbZEPPatClassHistory (IdNum, PatientClass, TransDate, UserID) VALUES "
            "('5100', 'S', '2026-12-01 09:00:00', 'E100'), ('5100', 'P', '2026-12-02 10:30:15', 'E200'), "
            "('5100', 'S', '2026-12-03 11:45:00', 'E100')"));
        app::mdiZEP* w = app::modMain::mainWindow();
        CaseFixture::select(w, QStringLiteral("H100"));
        const bool toPassword = row >= 0;
        const bool giveReason = toPassword && !reason.isEmpty() && user == QLatin1String("msantos");
        if (giveReason)
            Messages::queueInput(reason);
        ModalScript s;
        s.then(QStringLiteral("frmEditClass"), [&](QWidget* d) {
            auto* f = static_cast<frmEditClass*>(d);
            QCOMPARE(f->cmdPrev->text(), QStringLiteral("&View Previous Classifications"));
            click(f, "cmdPrev");
            QCOMPARE(f->width(), 658); // 9870 twips
            QCOMPARE(f->lblHistoryHeading->text(), QStringLiteral("Remove Saved Patient Classification"));
            QCOMPARE(f->fraHistory->title(), QStringLiteral("Previous Classifications"));
            QCOMPARE(f->cmdBack->text(), QStringLiteral("<< BACK"));
            auto* m = f->grdClassHistory->model();
            QStringList headers;
            for (int col = 0; col < m->columnCount(); ++col)
                headers << m->headerData(col, Qt::Horizontal).toString();
            QCOMPARE(headers, (QStringList{u""_s, u"Transdate"_s, u"Class"_s, u"UserID"_s, u"UserName"_s}));
            QCOMPARE(m->rowCount(), 3);
            QCOMPARE(m->index(1, 4).data().toString(), QStringLiteral("Cruz, Juan"));
            QCOMPARE(f->grdClassHistory->columnWidth(0), 3); // 50 twips
            QVERIFY(f->grdClassHistory->columnWidth(1) >= 120); // at least 1800 twips
            screenfit::showAsLaptop(*app::modMain::mainWindow());
            QCOMPARE(screenfit::problems(f, {QStringLiteral("cmdSave"), QStringLiteral("cmdPrev"),
                                             QStringLiteral("cmdBack")}),
                     QStringList());
            if (row >= 0)
                f->grdClassHistory->selectRow(row);
            CaseFixture::shot(f, u"frmEditClass-history"_s);
            QTest::keyClick(f->grdClassHistory, Qt::Key_F10);
            // The grid again, as it is now.
            QStringList dates;
            for (int r = 0; r < m->rowCount(); ++r)
                dates << m->index(r, 1).data().toString();
            QCOMPARE(dates, left);
            click(f, "cmdBack");
            QCOMPARE(f->width(), 321);
            f->reject();
        });
        if (toPassword)
            s.then(QStringLiteral("frmDeletePassword"), [&](QWidget* d) {
                auto* box = d->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
                if (reason.isEmpty()) {
                    QTest::keyClick(d, Qt::Key_Escape);
                    return;
                }
                QTest::keyClicks(box, user == QLatin1String("msantos") ? u"E100Right-Horse-7"_s
                                                                        : u"E200Right-Horse-7"_s);
                QTest::keyClick(box, Qt::Key_Return);
                if (d->isVisible())
                    QTest::keyClick(d, Qt::Key_Escape);
            });
        // The edit screen's step waits inside F10 while the password step runs.
        drive(s, [&] { w->item(QStringLiteral("mnuEditPatClass"))->trigger(); });
        QCOMPARE(shown(), messages);
        QStringList inputs;
        for (const ui::Shown& in : Messages::shown())
            if (in.isInput)
                inputs << in.title + u'|' + in.text;
        QCOMPARE(inputs, giveReason ? QStringList{u"Update Record|Enter Reason for deleting the Class History: "_s}
                                    : QStringList());
        const bool deleted = left.size() == 2;
        QCOMPARE(one(QStringLiteral("SELECT COUNT(*) FROM ZEP.tbZEPPatClassHistoryDeletion")), deleted ? u"1"_s : u"0"_s);
        if (deleted)
            QCOMPARE(one(QStringLiteral("SELECT Reason || '|' || DeletedBy FROM ZEP.tbZEPPatClassHistoryDeletion")),
                     reason.trimmed() + u"|E100"_s);
    }

    void popUpMenu() {
        app::mdiZEP* w = app::modMain::mainWindow();
        CaseFixture::select(w, QStringLiteral("H100"));
        frmEditClass f(w);
        f.setConnection(&c());
        f.setPatient(QStringLiteral("H100"), QStringLiteral("DELA CRUZ, ANA"), QStringLiteral("5100"), QStringLiteral("Z-100"));
        QCOMPARE(f.mnuFileDelete->title(), QStringLiteral("File"));
        QCOMPARE(f.mnuDelete->text(), QStringLiteral("Delete record"));
        f.show();
        f.cmdPrev_Click();
        QVERIFY(!f.mnuDelete_Click()); // no data row: nothing happens, nothing is said
        QVERIFY(Messages::shown().isEmpty());
    }

    // ---- the global update -----------------------------------------------------------------

    void globalUpdate_data() {
        QTest::addColumn<int>("failCall"); // 0 none, 2 the second procedure
        QTest::addColumn<QString>("code"); // the assessment's code afterwards
        QTest::newRow("both run") << 0 << "C1";
        QTest::newRow("second fails") << 2 << "c1";
    }
    void globalUpdate() {
        QFETCH(int, failCall);
        QFETCH(QString, code);
        c().Execute(QStringLiteral("DELETE FROM ZEP.tbZEPAssessment"));
        c().Execute(QStringLiteral("DELETE FROM ZEP.tbZEPClassification"));
        c().Execute(QStringLiteral("INSERT INTO ZEP.tbZEPClassification (Type, Code) VALUES ('B1', 'C1')"));
        c().Execute(QStringLiteral("INSERT INTO ZEP.tbZEPAssessment (IdNum, HospNum, Code, AssessDate) "
                                   "VALUES ('5100', 'H100', 'c1', '2026-12-01 09:00:00')"));
        c().Execute(QStringLiteral("UPDATE PATIENT_DATA.tbMaster SET ZEPClassification = 'c1' WHERE HospNum = 'H100'"));
        app::mdiZEP* w = app::modMain::mainWindow();
        w->item(QStringLiteral("mnuGlobalClassificationUpdate"))->setVisible(true); // hidden as made
        ModalScript s;
        s.then(QStringLiteral("frmGlobalClassificationUpdate"), [&](QWidget* d) {
            auto* f = static_cast<frmGlobalClassificationUpdate*>(d);
            QCOMPARE(f->windowTitle(), QStringLiteral("St. Test General Hospital: Global Classification Update"));
            QCOMPARE(f->lblHeading->text(), QStringLiteral("Update Classification of Patients"));
            QCOMPARE(f->lblSubHeading->text(), QStringLiteral("Prior to the Updates in Classification Scheme"));
            QCOMPARE(f->cmdUpdate->text(), QStringLiteral("Update Tables"));
            QVERIFY(f->lblStatus->isHidden());
            screenfit::showAsLaptop(*app::modMain::mainWindow());
            QCOMPARE(screenfit::problems(f, {QStringLiteral("cmdUpdate")}), QStringList());
            CaseFixture::shot(f, u"frmGlobalClassificationUpdate"_s);
            if (failCall)
                c().faults().failCall(failCall);
            f->cmdUpdate->click();
            c().faults().disarm();
            QVERIFY(f->lblStatus->isHidden());
            QVERIFY(!QApplication::overrideCursor());
            f->reject();
        });
        drive(s, [&] { w->item(QStringLiteral("mnuGlobalClassificationUpdate"))->trigger(); });
        QCOMPARE(one(QStringLiteral("SELECT Code FROM ZEP.tbZEPAssessment WHERE IdNum = '5100'")), code);
        QCOMPARE(one(QStringLiteral("SELECT ZEPClassification FROM PATIENT_DATA.tbMaster WHERE HospNum = 'H100'")), code);
        const QStringList msgs = shown();
        if (failCall) {
            QCOMPARE(msgs.size(), 1);
            QVERIFY2(msgs.first().startsWith(u"critical|Message|Data Not Successfully Saved.\n"_s), qPrintable(msgs.first()));
            QVERIFY(msgs.first().size() > QStringLiteral("critical|Message|Data Not Successfully Saved.\n").size());
        } else {
            QCOMPARE(msgs, QStringList());
        }
        QVERIFY(!c().inTransaction());
    }
};

QTEST_MAIN(tst_casescreens)
#include "tst_casescreens.moc"
