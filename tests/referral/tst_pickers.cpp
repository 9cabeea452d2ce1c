// The service and activity pickers on a real catalogue: the tree as it opens, children
// loaded once, choosing and removing, OK and Cancel; and the referral report taking the
// choice back.
#include "referralseed.h"
#include "testdb.h"

#include "referral/frmARR.h"
#include "referral/frmSearchService.h"
#include "ui/messages.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace referralseed;

namespace {

QStringList childKeys(const QTreeWidgetItem* n) {
    QStringList keys;
    for (int i = 0; i < n->childCount(); ++i)
        keys << n->child(i)->data(0, Qt::UserRole).toString();
    return keys;
}

QStringList texts(const QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

} // namespace

class tst_pickers : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        ui::Messages::startScript();
        c = testdb::fresh();
        seed(*c);
    }
    void init() { ui::Messages::clearShown(); }

    void treeAsItOpens() {
        frmSearchService p;
        p.setConnection(c.get());
        p.open();
        QCOMPARE(p.windowTitle(), u"Select Service"_s);
        QCOMPARE(p.tvServices->topLevelItemCount(), 1);
        QTreeWidgetItem* root = p.node(u"A1"_s);
        QVERIFY(root);
        QCOMPARE(root->text(0), u"Direct Services"_s);
        QVERIFY(root->isExpanded());
        QCOMPARE(childKeys(root), (QStringList{u"A1.1"_s, u"A1.2"_s, u"A1.9"_s, u"A1.10"_s}));
        // the preloaded nodes, down to a grandchild loaded by an earlier one
        QCOMPARE(childKeys(p.node(u"A1.1"_s)), QStringList{u"A1.1.1"_s});
        QCOMPARE(childKeys(p.node(u"A1.2.3"_s)), QStringList{u"A1.2.3.1"_s});
        QCOMPARE(childKeys(p.node(u"A1.9"_s)), QStringList{}); // not preloaded
        QVERIFY(!p.Selected());
        QCOMPARE(p.lstServices()->count(), 0);
        p.reject();
    }

    void choosingAndRemoving() {
        frmSearchService p;
        p.setConnection(c.get());
        // 9.9 is no longer in the catalogue and drops out
        p.setResultCode(u"1.2|9.9|1.1.1|"_s);
        p.open();
        QCOMPARE(p.listedCodes(), (QStringList{u"1.2"_s, u"1.1.1"_s}));
        QCOMPARE(texts(p.lstServices()).first(),
                 u"Financial Assistance"_s + QString(100, u' ') + u"1.2"_s);

        QTreeWidgetItem* discharge = p.node(u"A1.9"_s);
        p.nodeDoubleClicked(discharge);
        QCOMPARE(childKeys(discharge), QStringList{u"A1.9.1"_s});
        QVERIFY(discharge->isExpanded());
        QCOMPARE(p.ServiceCode(), u"1.9"_s);
        QCOMPARE(p.Service(), u"Discharge Planning"_s);
        QCOMPARE(p.listedCodes(), (QStringList{u"1.2"_s, u"1.1.1"_s, u"1.9"_s}));
        QVERIFY(ui::Messages::shown().isEmpty());

        p.nodeDoubleClicked(discharge); // again: no second child, no second item
        QCOMPARE(childKeys(discharge), QStringList{u"A1.9.1"_s});
        QVERIFY(!discharge->isExpanded());
        QCOMPARE(p.listedCodes(), (QStringList{u"1.2"_s, u"1.1.1"_s, u"1.9"_s}));
        QCOMPARE(ui::Messages::shown().size(), 1);
        QCOMPARE(ui::Messages::shown().first().text, u"Item is already added in the list."_s);
        QCOMPARE(ui::Messages::shown().first().icon, ui::Icon::Information);
        QCOMPARE(ui::Messages::shown().first().title, ui::Messages::applicationTitle());

        // a leaf, then removing by double-click in the list
        p.nodeDoubleClicked(p.node(u"A1.9.1"_s));
        p.listDoubleClicked(p.lstServices()->item(0));
        QCOMPARE(p.listedCodes(), (QStringList{u"1.1.1"_s, u"1.9"_s, u"1.9.1"_s}));

        p.cmdOK->click();
        QVERIFY(p.Selected());
        QCOMPARE(p.ResultCode(), u"1.1.1|1.9|1.9.1|"_s);
        QCOMPARE(p.result(), int(QDialog::Accepted));

        // Opened again and cancelled: Selected starts false, the codes stay as they were.
        p.open();
        QVERIFY(!p.Selected());
        QCOMPARE(p.listedCodes(), (QStringList{u"1.1.1"_s, u"1.9"_s, u"1.9.1"_s}));
        p.lstServices()->clear();
        p.cmdCancel->click();
        QVERIFY(!p.Selected());
        QCOMPARE(p.ResultCode(), u"1.1.1|1.9|1.9.1|"_s);
    }

    void emptyChoice() {
        frmSearchService p;
        p.setConnection(c.get());
        p.open();
        p.cmdOK->click();
        QVERIFY(p.Selected());
        QCOMPARE(p.ResultCode(), QString());
    }

    void activityPicker() {
        frmSearchActivity p;
        p.setConnection(c.get());
        p.setResultCode(u"1.1|"_s);
        p.open();
        QCOMPARE(p.windowTitle(), u"Servies"_s);
        QCOMPARE(p.lstactivity()->objectName(), u"lstactivity"_s);
        QCOMPARE(childKeys(p.node(u"A1"_s)), (QStringList{u"A1.1"_s, u"A1.2"_s}));
        QCOMPARE(childKeys(p.node(u"A1.2"_s)), QStringList{u"A1.2.1"_s});
        p.nodeDoubleClicked(p.node(u"A1.2.1"_s));
        QCOMPARE(p.ActivityCode(), u"1.2.1"_s);
        QCOMPARE(p.Activity(), u"Intake sheet"_s);
        p.cmdOK->click();
        QCOMPARE(p.ResultCode(), u"1.1|1.2.1|"_s);
    }

    // The report hands its codes to the picker and shows what comes back with OK only.
    void reportTakesTheChoice() {
        frmARR f;
        f.setConnection(c.get());
        f.setHospNum(u"H1"_s);
        f.setIDNUM(u"1001"_s);
        f.Form_Load();
        QCOMPARE(f.serviceCodes(), u"1.2|1.1.1|"_s);
        f.cmdService->click();
        auto* p = f.findChild<frmSearchService*>();
        QVERIFY(p);
        QCOMPARE(p->listedCodes(), (QStringList{u"1.2"_s, u"1.1.1"_s}));
        p->cmdCancel->click();
        QCOMPARE(f.serviceCodes(), u"1.2|1.1.1|"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        f.cmdService->click();
        p = f.findChild<frmSearchService*>();
        QVERIFY(p);
        p->nodeDoubleClicked(p->node(u"A1.10"_s));
        p->cmdOK->click();
        QCOMPARE(f.serviceCodes(), u"1.2|1.1.1|1.10|"_s);
        QCOMPARE(f.lstServices->count(), 3);
        QCOMPARE(f.lstServices->item(2)->text(), u"Follow-up"_s + QString(150, u' ') + u"1.10"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // a service double-clicked on the report leaves its list and its codes
        QListWidgetItem* item = f.lstServices->item(0);
        emit f.lstServices->itemDoubleClicked(item);
        QCOMPARE(f.serviceCodes(), u"1.1.1|1.10|"_s);
        QCOMPARE(f.lstServices->count(), 2);
    }
};

QTEST_MAIN(tst_pickers)
#include "tst_pickers.moc"
