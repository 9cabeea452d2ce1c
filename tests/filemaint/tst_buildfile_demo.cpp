// The service rate file on the demo hospital, as a new user meets it: the supervisor of the
// demo opens it with the demo's password, and the departments, exams and printed list show
// the demo's own rows.
#include "../intake/modalscript.h"
#include "screenfit.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "app/modmain.h"
#include "components/login/clscurrentuser.h"
#include "db/connection.h"
#include "filemaint/frmBuildFile.h"
#include "reports/ui/operations.h"
#include "tools/demo.h"
#include "ui/messages.h"
#include "ui/singletons.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

class tst_buildfile_demo : public QObject {
    Q_OBJECT
    db::ConnectionSettings settings;
    app::mdiZEP* w = nullptr;

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        auto c = testdb::fresh();
        QString users;
        QTextStream out(&users);
        tools::createDemo(*c, out);
        out.flush();
        QVERIFY2(users.contains(u"TESS / tess2468 (supervisor"_s), qPrintable(users));
        settings = c->settings();
        settings.create = false;
        ui::Messages::startScript();
        reports::startRecording();
        const db::ConnectionSettings s = settings;
        app::modMain::setHooks({[s](login::clsCurrentUser& u) {
                                    u.setConnectionSettings(s);
                                    u.logIn(u"TESS"_s, u"tess2468"_s);
                                },
                                {}});
        QCOMPARE(app::modMain::StartUp(), app::StartupResult::MainWindowShown);
        w = app::modMain::mainWindow();
        app::g().reportFolder = qEnvironmentVariable("ZEP_SOURCE_DIR") + u"/reports/"_s;
    }
    void cleanupTestCase() {
        if (w) {
            w->closeForLogOff();
            delete w;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::dropAllSingles();
        app::g().release();
    }

    void demoRowsShow() {
        ModalScript s;
        s.then(u"frmDeletePassword"_s, [](QWidget* d) {
            auto* box = d->findChild<QLineEdit*>(u"txtPassword"_s);
            QTest::keyClicks(box, u"SW01tess2468"_s);
            QTest::keyClick(box, Qt::Key_Return);
        });
        s.start();
        w->item(u"mnuEditDiscount"_s)->trigger();
        s.stop();
        QVERIFY(s.done());
        auto* f = w->findChild<frmBuildFile*>();
        QVERIFY(f);

        QTest::keyClicks(f->txtDeptCode, u"lab"_s);
        QTest::keyClick(f->txtDeptCode, Qt::Key_Return);
        QCOMPARE(f->departmentRowCount(), 1);
        QCOMPARE(f->departmentCell(0, 1), u"LB"_s);
        f->chooseDepartment(0);
        QCOMPARE(f->txtDepartment->text(), u"Laboratory"_s);
        QVERIFY2(f->examRowCount() >= 20, qPrintable(QString::number(f->examRowCount())));
        QTest::keyClicks(f->txtSearch, u"tacro"_s);
        QCOMPARE(f->txtCode->text(), u"LB0019"_s);
        QCOMPARE(f->txtDecription->text(), u"Tacrolimus Trough Level"_s);
        QCOMPARE(f->optQFSType[3]->isChecked(), true);
        QCOMPARE(f->txtQFSRate->text(), u"15"_s);
        screenfit::showAsLaptop(*w);
        QCOMPARE(screenfit::problems(f, {u"btnEdit"_s, u"btnPrint"_s, u"btnExit"_s}), QStringList());
        const QString dir = qEnvironmentVariable("ZEP_SHOT_DIR");
        if (!dir.isEmpty())
            f->grab().save(dir + u"/buildfile-demo.png"_s);

        QTest::mouseClick(f->btnPrint, Qt::LeftButton);
        QCOMPARE(reports::shownReports().size(), 1);
        const reports::ShownReport& r = reports::shownReports().first();
        QVERIFY2(r.pages >= 2, qPrintable(QString::number(r.pages)));
        QVERIFY(r.text.contains(u"LB | Laboratory | LB0019 | Tacrolimus Trough Level"_s));
        QCOMPARE(ui::Messages::shownTexts(), QStringList());
        QTest::mouseClick(f->btnExit, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->findChild<frmBuildFile*>());
    }
};

QTEST_MAIN(tst_buildfile_demo)
#include "tst_buildfile_demo.moc"
