// The referral report as the worker opens it from the main window: every way it opens, with
// the messages, status lines, loaded values and pre-selections, on a real engine; a failed
// pay-to-service conversion; the captions; and the fit on a 1366×768 laptop.
#include "referralseed.h"
#include "screenfit.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "patient/frmListPatient.h"
#include "referral/frmARR.h"
#include "referral/frmSearchService.h"
#include "ui/messages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using namespace referralseed;

namespace {

QString selectedIds(const QListWidget* l) {
    QStringList ids;
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->isSelected())
            ids << l->item(i)->data(Qt::UserRole).toString();
    return ids.join(u',');
}

QString listedIds(const QListWidget* l) {
    QStringList ids;
    for (int i = 0; i < l->count(); ++i)
        ids << l->item(i)->data(Qt::UserRole).toString();
    return ids.join(u',');
}

// One value of the screen by a short name.
QString state(frmARR* f, const QString& key) {
    if (key == u"zepLocked")
        return f->txtZEPNum->isReadOnly() ? u"yes"_s : u"no"_s;
    if (key == u"tmrCDF")
        return f->tmrCDF->isActive() ? u"on"_s : u"off"_s;
    if (key == u"statusCode")
        return f->statusCode();
    if (key == u"docs")
        return f->documentationFlags();
    if (key == u"optPCSO") {
        for (int k = 0; k < 3; ++k)
            if (f->optPCSO[k]->isChecked())
                return QString::number(k);
        return u"none"_s;
    }
    if (key == u"lblCode")
        return f->lblCode->text();
    if (key == u"lblStatus")
        return f->lblStatus->text();
    if (auto* l = f->findChild<QListWidget*>(key))
        return key.startsWith(u"lstServices") || key.startsWith(u"lstactivity") ? listedIds(l)
                                                                                : selectedIds(l);
    if (auto* c = f->findChild<QComboBox*>(key))
        return c->currentText();
    if (auto* b = f->findChild<QCheckBox*>(key))
        return b->isChecked() ? u"1"_s : u"0"_s;
    if (auto* e = f->findChild<QLineEdit*>(key))
        return e->text() == u"//" ? QString() : e->text(); // an empty date box
    return u"<no control "_s + key + u">"_s;
}

const QString kToday = u"<today>"_s;

} // namespace

class tst_arr : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> c;
    std::unique_ptr<app::mdiZEP> w;

    // The report for a patient chosen in the list, through "Assessment and Referal".
    frmARR* openFor(const QString& hosp, const std::function<void()>& beforeOpening = {}) {
        frmListPatient* list = w->showPatientList();
        list->search(hosp, {}, {}, {}, {});
        if (list->HospNum() != hosp) {
            qWarning() << "the list holds" << list->rowCount() << "rows, selected"
                       << list->HospNum() << ui::Messages::shownTexts();
            return nullptr;
        }
        if (beforeOpening)
            beforeOpening();
        w->item(u"mnuARR"_s)->trigger();
        return w->findChild<frmARR*>();
    }

    void closeReport(frmARR* f) {
        f->cmdClose->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->findChild<frmARR*>());
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1); // the list, no empty frame
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        ui::Messages::startScript();
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
        while (ui::Messages::unusedAnswers() > 0) // take what a failed test left
            ui::Messages::question(QString());
        QCOMPARE(unused, 0);
        w.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app::g().gConnection = nullptr;
        c.reset();
    }

    void opening_data() {
        QTest::addColumn<QString>("hosp");
        QTest::addColumn<QList<ui::Answer>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("expected"); // name=value
        QTest::addColumn<QString>("classAfter");   // the visit's class afterwards
        QTest::addColumn<int>("changes");          // class changes on record

        QTest::newRow("case holder") << u"H1"_s << QList<ui::Answer>{} << QStringList{}
                                     << QStringList{u"lblStatus=Status"_s,
                                                    u"txtHospNum=H1"_s,
                                                    u"txtIDNum=1001"_s,
                                                    u"txtLastName=DELA CRUZ"_s,
                                                    u"txtFirstName=JUAN"_s,
                                                    u"txtMiddleName=PEREZ"_s,
                                                    u"txtDoctor=REYES, JOSE"_s,
                                                    u"txtRoomID=R101"_s,
                                                    u"txtZEPNum=Z-0001"_s,
                                                    u"zepLocked=yes"_s,
                                                    u"lblCode=C2"_s,
                                                    u"cboClassification=C2 -Class Two"_s,
                                                    u"mskIntake=01/15/2026"_s,
                                                    u"txtValidityDate=01/15/2026"_s,
                                                    u"mskRange1=12/31/2099"_s,
                                                    u"txtZEPW=Santos, Maria"_s,
                                                    u"txtNC=1500.5"_s,
                                                    u"txtRemarks=Follow up the sponsor"_s,
                                                    u"chkSponsor=1"_s,
                                                    u"chkPCSO=1"_s,
                                                    u"chkSpecial=0"_s,
                                                    u"optPCSO=1"_s,
                                                    u"lstCategory=02"_s,
                                                    u"lstParentCategory=01"_s,
                                                    u"cboReferring=2 -Physician"_s,
                                                    u"cboactive=Old"_s,
                                                    u"statusCode=O"_s,
                                                    u"chkActive=1"_s,
                                                    u"docs=1|0|0|1|0|0|0|0|0|0|0|1|0|0|0|0|0|1|"_s,
                                                    u"lstServices=1.2,1.1.1"_s,
                                                    u"lstactivity=1.2,1.1"_s,
                                                    u"tmrCDF=on"_s}
                                     << u"S"_s << 0;
        QTest::newRow("expired class")
            << u"H2"_s << QList<ui::Answer>{} << QStringList{}
            << QStringList{u"lblStatus=Classification has expired last vesk here "_s,
                           u"txtZEPNum=Z-0002"_s,
                           u"lblCode="_s,
                           u"cboClassification="_s,
                           u"mskIntake=01/02/2024"_s,
                           u"mskRange1=01/31/2025"_s,
                           u"txtZEPW="_s,
                           u"txtNC="_s,
                           u"lstCategory="_s,
                           u"lstParentCategory="_s,
                           u"cboReferring="_s,
                           u"optPCSO=none"_s,
                           u"docs=0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|"_s,
                           u"lstServices="_s,
                           u"tmrCDF=off"_s}
            << u"S"_s << 0;
        const QString question =
            u"Question|Notification|PAY PATIENT: Does not have an intake sheet. \r\n"
            "Would you like to update patient type to SERVICE? "_s;
        QTest::newRow("pay patient, Yes")
            << u"H3"_s << QList<ui::Answer>{ui::Answer::Yes} << QStringList{question}
            << QStringList{u"lblStatus=Pay to Service Patient. Enter New ZEP Number and ZEP "
                           "Classfication."_s,
                           u"txtLastName=GARCIA"_s,
                           u"txtFirstName=ROSA"_s,
                           u"txtHospNum=H3"_s,
                           u"txtIDNum=1003"_s,
                           u"txtDoctor=REYES, JOSE"_s,
                           u"txtRoomID=R101"_s,
                           u"txtZEPNum="_s,
                           u"zepLocked=no"_s,
                           u"mskIntake="_s + kToday,
                           u"mskRange1="_s + kToday,
                           u"tmrCDF=off"_s}
            << u"S"_s << 1;
        QTest::newRow("pay patient, No")
            << u"H3"_s << QList<ui::Answer>{ui::Answer::No}
            << QStringList{question,
                           u"Information|Message|Change to Patient type to service before "
                           "classifiying"_s}
            << QStringList{u"lblStatus=Status"_s, u"txtLastName="_s, u"txtIDNum="_s,
                           u"zepLocked=yes"_s,    u"mskIntake="_s,   u"mskRange1="_s,
                           u"tmrCDF=off"_s}
            << u"P"_s << 0;
        QTest::newRow("service patient without intake sheet")
            << u"H4"_s << QList<ui::Answer>{}
            << QStringList{u"Information|Notification|Patient does not have an intake sheet."_s}
            << QStringList{u"lblStatus=No ZEP Number and Classification."_s,
                           u"txtLastName=LIM"_s,
                           u"txtIDNum=1004"_s,
                           u"txtDoctor=REYES, JOSE"_s,
                           u"txtRoomID="_s,
                           u"zepLocked=no"_s,
                           u"mskIntake="_s + kToday,
                           u"mskRange1="_s + kToday,
                           u"tmrCDF=off"_s}
            << u"S"_s << 0;
        // Loaded like any report, without the change-patient-type message, and the fund
        // check still runs.
        QTest::newRow("service patient with only an expiry")
            << u"H5"_s << QList<ui::Answer>{} << QStringList{}
            << QStringList{u"lblStatus=Status"_s,
                           u"txtLastName=TAN"_s,
                           u"txtIDNum=1005"_s,
                           u"lblCode=C1"_s,
                           u"cboClassification=C1 -Class One"_s,
                           u"mskIntake="_s + kToday,
                           u"txtValidityDate="_s,
                           u"mskRange1=06/30/2099"_s,
                           u"zepLocked=no"_s,
                           u"tmrCDF=on"_s}
            << u"S"_s << 0;
    }
    void opening() {
        QFETCH(QString, hosp);
        QFETCH(QList<ui::Answer>, answers);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, expected);
        QFETCH(QString, classAfter);
        QFETCH(int, changes);
        for (ui::Answer a : answers)
            ui::Messages::queueAnswer(a);
        frmARR* f = openFor(hosp);
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QCOMPARE(f->windowModality(), Qt::ApplicationModal);
        QCOMPARE(f->windowTitle(), app::departmentTitle());
        QCOMPARE(shown(), messages);
        const QString today = QDate::currentDate().toString(u"MM/dd/yyyy"_s);
        for (QString pair : expected) {
            pair.replace(kToday, today);
            const QString key = pair.section(u'=', 0, 0);
            QCOMPARE(key + u'=' + state(f, key), pair);
        }
        // The lists are there whatever the path.
        QCOMPARE(f->cboClassification->count(), 2);
        QCOMPARE(f->lstCategory->count(), 2);
        QCOMPARE(f->lstParentCategory->count(), 2);
        QCOMPARE(f->cboactive->count(), 2);
        QCOMPARE(visitClass(*c, f->IDNUM()), classAfter);
        QCOMPARE(classChanges(*c, f->IDNUM()), changes);
        closeReport(f);
    }

    // The item with nobody selected brings up the list and nothing else.
    void noSelectionShowsTheList() {
        QVERIFY(!w->patientList());
        w->item(u"mnuARR"_s)->trigger();
        QVERIFY(w->patientList());
        QVERIFY(!w->findChild<frmARR*>());
        QVERIFY(ui::Messages::shown().isEmpty());
    }

    void unknownVisit() {
        frmARR f;
        f.setConnection(c.get());
        f.setHospNum(u"H1 "_s);
        f.setIDNUM(u"99999"_s);
        f.Form_Load();
        QCOMPARE(shown(), QStringList{u"Information|Message|Patient is not existing in the "
                                      "database.Try to search again."_s});
        QCOMPARE(f.txtLastName->text(), QString());
        QCOMPARE(f.txtHospNum->text(), QString());
        QVERIFY(!f.tmrCDF->isActive());
    }

    void emptyValuesFillOnlyTheLists() {
        frmARR f;
        f.setConnection(c.get());
        f.Form_Load();
        QVERIFY(ui::Messages::shown().isEmpty());
        QCOMPARE(f.cboReferring->count(), 2);
        QCOMPARE(f.txtIDNum->text(), QString());
        QCOMPARE(f.lblStatus->text(), u"Status"_s);
    }

    // A conversion that fails after the visit's row was changed: the change is rolled
    // back, the worker is told why, and the load ends there.
    void failedConversion() {
        ui::Messages::queueAnswer(ui::Answer::Yes);
        // the visit's class check, then the class change
        frmARR* f = openFor(u"H3"_s, [this] { c->faults().failCall(2); });
        c->faults().disarm();
        QVERIFY(f);
        const QStringList got = shown();
        QCOMPARE(got.size(), 3);
        QCOMPARE(got.at(1), u"Critical|Message|Data Not Successfully Saved.Injected fault at: "
                            "ZEP..sp_ZEP_UpdatePatientClass"_s);
        QCOMPARE(got.at(2),
                 u"Information|Message|Change to Patient type to service before classifiying"_s);
        QCOMPARE(visitClass(*c, u"1003"_s), u"P"_s);
        QCOMPARE(classChanges(*c, u"1003"_s), 0);
        QCOMPARE(f->lblStatus->text(), u"Status"_s);
        QCOMPARE(f->txtLastName->text(), QString());
        QVERIFY(!f->tmrCDF->isActive());
        closeReport(f);
    }

    void captions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char* const rows[][2] = {
            {"cmdSave", "&Save"},
            {"cmdPrint", "Save/&Print"},
            {"cmdRePrint", "&RePrint"},
            {"cmdTrans", "View ARR &Transactions"},
            {"cmdPrevious", "&Previous Assessments"},
            {"cmdViewCDF", "&View CDF Allocation"},
            {"cmdClose", "&Close"},
            {"cmdService", "Add/ Search Services"},
            {"cmdCloseServices", "&Close"},
            {"cmdAddActivity", "Add/ Search Activity"},
            {"chkSponsor", "c/o Sponsor"},
            {"chkPCSO", "c/o PCSO"},
            {"chkSpecial", "Special"},
            {"chkActive", "&Active"},
            {"optPCSO_0", "Endowment"},
            {"optPCSO_1", "Guarantee Letter"},
            {"optPCSO_2", "Check"},
            {"chkdoc_0", "Intake Sheet"},
            {"chkdoc_8", "Eligibility Study Report"},
            {"chkdoc_12", "Daily Accomplishment "},
            {"chkdoc_14", "FeedBack"},
            {"chkdoc_17", "Others"},
            {"optCategory_14", "Pedia Nephro."},
            {"fmeService", "Services"},
            {"frmactivity", "Activity"},
            {"fraPatientInfo", "Patient's Information"},
            {"fraTagging", "Tagging/Remarks/Counterpart"},
            {"fraPCSO", "Types of PCSO Allocation"},
            {"lblStatus", "Status"},
            {"lblHeading", "Assessment and Referral entry"},
            {"lblHeading2", "Assessment and Referral "},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
    }
    void captions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        frmARR f;
        QObject* o = f.findChild<QObject*>(name);
        QVERIFY2(o, qPrintable(name));
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            text = b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(o))
            text = g->title();
        else if (auto* l = qobject_cast<QLabel*>(o))
            text = l->text();
        QCOMPARE(text, caption);
    }

    void layoutOfTheRecord() {
        frmARR f;
        QCOMPARE(f.SSTab1->count(), 2);
        QCOMPARE(f.SSTab1->tabText(0), u"*CATEGORY AND SERVICES"_s);
        QCOMPARE(f.SSTab1->tabText(1), u"DOCUMENTATION"_s);
        // boxes 11 to 15 report, the others record
        QStringList reporting;
        for (QCheckBox* b : f.findChild<QGroupBox*>(u"fraReporting"_s)->findChildren<QCheckBox*>())
            reporting << b->objectName();
        QCOMPARE(reporting, (QStringList{u"chkdoc_11"_s, u"chkdoc_12"_s, u"chkdoc_13"_s,
                                         u"chkdoc_14"_s, u"chkdoc_15"_s}));
        QCOMPARE(f.findChild<QGroupBox*>(u"fraRecording"_s)->findChildren<QCheckBox*>().size(), 13);
        QCOMPARE(f.tmrCDF->interval(), 100);
        QVERIFY(!f.tmrCDF->isActive());
    }

    // The boxes follow the stored flags, not the ones of an earlier opening.
    void documentationFromStoredFlags() {
        c->Execute(u"UPDATE ZEP.tbZEPAssessment SET DocIntakeSheet = 0, DocServiceCard = 0, "
                   "DocWorkPlan = 0, DocOthers = 0, DocPatientsProfile = 1 WHERE IdNum = '1001'"_s);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        QCOMPARE(f->documentationFlags(), u"0|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|"_s);
        closeReport(f);
    }

    void fitsALaptop() {
        screenfit::showAsLaptop(*w);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        const QStringList buttons{u"cmdSave"_s,     u"cmdPrint"_s,   u"cmdRePrint"_s, u"cmdTrans"_s,
                                  u"cmdPrevious"_s, u"cmdViewCDF"_s, u"cmdClose"_s};
        QCOMPARE(screenfit::problems(f, buttons), QStringList{});
        f->SSTab1->setCurrentIndex(1);
        QCOMPARE(screenfit::problems(f, buttons), QStringList{});
        // the pickers it opens fit as well
        f->SSTab1->setCurrentIndex(0);
        f->cmdService->click();
        auto* services = f->findChild<frmSearchService*>();
        QVERIFY(services && services->isVisible());
        QCOMPARE(screenfit::problems(services, {u"cmdOK"_s, u"cmdCancel"_s}), QStringList{});
        services->cmdCancel->click();
        f->SSTab1->setCurrentIndex(1);
        f->cmdAddActivity->click();
        auto* activities = f->findChild<frmSearchActivity*>();
        QVERIFY(activities && activities->isVisible());
        QCOMPARE(screenfit::problems(activities, {u"cmdOK"_s, u"cmdCancel"_s}), QStringList{});
        activities->cmdCancel->click();
        closeReport(f);
    }

    // Service (hidden): the service picker on its own, over the main window.
    void serviceItemOpensThePicker() {
        w->item(u"mnuServices"_s)->trigger();
        auto* p = w->findChild<frmSearchService*>();
        QVERIFY(p && p->isVisible());
        QCOMPARE(p->windowTitle(), u"Select Service"_s);
        QCOMPARE(p->findChild<QLabel*>(u"lblTitle"_s)->text(), app::departmentTitle());
        QCOMPARE(p->tvServices->topLevelItemCount(), 1);
        p->cmdCancel->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->findChild<frmSearchService*>());
    }
};

QTEST_MAIN(tst_arr)
#include "tst_arr.moc"
