// The fund allocations behind a referral report: the allocation list as the procedure gives
// it (money used and left, validity, the open-only listing), the list screen opened from
// the report's blinking fund button in the main window, the message when nothing stands
// behind the visit, the button's blink, and the fit on a 1366×768 laptop.
#include "referralseed.h"
#include "screenfit.h"
#include "testdb.h"

#include "app/globals.h"
#include "app/mdizep.h"
#include "patient/frmListPatient.h"
#include "referral/frmARR.h"
#include "referral/frmNegotiatedCounterpart.h"
#include "ui/messages.h"

#include <QAction>
#include <QDate>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace referralseed;

namespace {

const QString kYesterday = QDate::currentDate().addDays(-1).toString(Qt::ISODate);
const QString kTomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);

QString usDate(const QString& iso) {
    return QDate::fromString(iso, Qt::ISODate).toString(u"MM/dd/yyyy"_s);
}

} // namespace

class tst_funds : public QObject {
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
        ui::Messages::clearShown();
        return f;
    }

    void closeAll(frmARR* f) {
        f->cmdClose->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->findChild<frmARR*>());
        QVERIFY(!w->findChild<frmNegotiatedCounterpart*>());
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1); // the list, no empty frame
    }

    QStringList listed(const QString& hosp, const QString& listing) {
        QStringList out;
        for (db::Recordset rs = c->Call(u"ZEP..sp_Pars_Load_Existing_CDF_Allocation"_s,
                                        {hosp, listing});
             !rs.Eof(); rs.MoveNext()) {
            QStringList cells;
            for (int k = 0; k < rs.FieldNames().size(); ++k)
                cells << rs.Text(k);
            out << cells.join(u'|');
        }
        return out;
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
        // H1 has a second sponsor whose grant has lapsed, and charges paid from the first
        // grant on both bills (a credit among them). H2's admission has a charge paid from
        // H1's grant (a relative's sponsor): the company check blinks for H2, who has no
        // grant of his own. H5's grant is used up.
        c->Execute(u"INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES "
                   "('LGU', 'City Government'), ('ROT', 'Rotary Club')"_s);
        c->Execute(u"UPDATE BILLING.tbBillCDFAllocation SET RefNum = 'GL-77', UserID = 'E100', "
                   "Validity = ? WHERE AccountNum = 'CDF-1'"_s,
                   {kTomorrow});
        c->Execute(u"INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, "
                   "CompanyID, Amount, TransDate, Validity, UserID) VALUES "
                   "('CDF-2', 'LGU-9', 'H1', NULL, 'LGU', 1200.5, '2026-11-02 08:30:00', ?, 'E100')"_s,
                   {kYesterday});
        c->Execute(u"INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, Amount, TransDate, "
                   "CDFAccountNum) VALUES ('1001', 'PH', 1500, '2026-12-02 10:00:00', 'CDF-1'), "
                   "('1001', 'LB', 2000.25, '2026-12-02 11:00:00', 'CDF-1'), "
                   "('1001', 'LB', -250, '2026-12-03 11:00:00', 'CDF-1'), "
                   "('1002', 'XR', 300, '2026-12-03 12:00:00', 'CDF-1'), "
                   "('1005', 'PH', 2500, '2026-12-05 12:00:00', 'CDF-5')"_s);
        c->Execute(u"INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, Amount, TransDate, "
                   "CDFAccountNum) VALUES ('6001B', 'RA', 100, '2026-12-06 09:00:00', 'CDF-1')"_s);
        app::g().gConnection = c.get();
        app::g().userCode = u"E100"_s;
        w = std::make_unique<app::mdiZEP>();
        w->show();
        ui::Messages::clearShown();
    }

    void cleanup() {
        w.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app::g().gConnection = nullptr;
        c.reset();
    }

    void allocationList_data() {
        QTest::addColumn<QString>("hosp");
        QTest::addColumn<QString>("listing");
        QTest::addColumn<QStringList>("rows");
        // Used: 1500 + 2000.25 - 250 + 300 on the admissions' bill, 100 on the out-patient.
        const QString first = u"CDF-1|PCSO|GL-77|PCSO|5000.00|3650.25|1349.75|12/01/2026|"_s +
                              usDate(kTomorrow) + u"|1001|E100|OPEN"_s;
        const QString lapsed = u"CDF-2|City Government|LGU-9|LGU|1200.50|0.00|1200.50|"
                               "11/02/2026|"_s +
                               usDate(kYesterday) + u"||E100|EXPIRED"_s;
        QTest::newRow("every grant, oldest first") << u"H1"_s << u"1"_s << QStringList{lapsed, first};
        QTest::newRow("open grants only") << u"H1"_s << u"0"_s << QStringList{first};
        QTest::newRow("no listing given lists every grant")
            << u"H1"_s << QString() << QStringList{lapsed, first};
        QTest::newRow("used up") << u"H5"_s << u"1"_s
                                 << QStringList{u"CDF-5|PCSO||PCSO|2500.00|2500.00|0.00|12/04/2026||"
                                                "1005||CONSUMED"_s};
        QTest::newRow("used up is not open") << u"H5"_s << u"0"_s << QStringList{};
        QTest::newRow("no grant of his own") << u"H2"_s << u"1"_s << QStringList{};
        QTest::newRow("hospital number with blanks") << u"  H5 "_s << u"0"_s << QStringList{};
        QTest::newRow("no hospital number") << QString() << u"1"_s << QStringList{};
    }
    void allocationList() {
        QFETCH(QString, hosp);
        QFETCH(QString, listing);
        QFETCH(QStringList, rows);
        QCOMPARE(listed(hosp, listing), rows);
    }

    void allocationColumns() {
        const db::Recordset rs =
            c->Call(u"ZEP..sp_Pars_Load_Existing_CDF_Allocation"_s, {u"H4"_s, u"1"_s});
        QVERIFY(rs.Eof());
        QCOMPARE(rs.FieldNames(),
                 (QStringList{u"AccountNum"_s, u"Company"_s, u"RefNum"_s, u"CompanyID"_s,
                              u"Amount"_s, u"Consumed"_s, u"Balance"_s, u"TransDate"_s,
                              u"Validity"_s, u"IdNum"_s, u"UserID"_s, u"Status"_s}));
    }

    void unknownListingIsRefused() {
        QVERIFY_THROWS_EXCEPTION(db::Error, c->Call(u"ZEP..sp_Pars_Load_Existing_CDF_Allocation"_s,
                                                    {u"H1"_s, u"2"_s}));
    }

    // The list opens from the blinking button, over the report, with the report's patient.
    void opensFromTheReport_data() {
        QTest::addColumn<QString>("hosp");
        QTest::addColumn<QStringList>("patient"); // name, hospital number, visit, case number
        QTest::addColumn<QStringList>("accounts");
        QTest::newRow("two grants") << u"H1"_s
                                    << QStringList{u"JUAN,DELA CRUZ"_s, u"H1"_s, u"1001"_s, u"Z-0001"_s}
                                    << QStringList{u"CDF-2"_s, u"CDF-1"_s};
        QTest::newRow("a relative's sponsor, nothing of his own")
            << u"H2"_s << QStringList{u"ANA,BAUTISTA"_s, u"H2"_s, u"1002"_s, u"Z-0002"_s}
            << QStringList{};
        QTest::newRow("grant used up, still listed")
            << u"H5"_s << QStringList{u"EMMA,TAN"_s, u"H5"_s, u"1005"_s, QString()}
            << QStringList{u"CDF-5"_s};
    }
    void opensFromTheReport() {
        QFETCH(QString, hosp);
        QFETCH(QStringList, patient);
        QFETCH(QStringList, accounts);
        frmARR* f = openFor(hosp);
        QVERIFY(f);
        QVERIFY(f->tmrCDF->isActive());
        f->cmdViewCDF->click();
        auto* v = f->findChild<frmNegotiatedCounterpart*>();
        QVERIFY(v && v->isVisible());
        QVERIFY(v->isModal());
        QCOMPARE(v->windowTitle(), u"Fund Allocation Entry"_s);
        QCOMPARE((QStringList{v->txtName->text(), v->txtHospNum->text(), v->txtIDNum->text(),
                              v->txtZEPNumber->text()}),
                 patient);
        QCOMPARE(v->HospNum(), patient.at(1));
        QCOMPARE(v->IDNUM(), patient.at(2));
        QCOMPARE(v->AccountNum(), QString());
        QStringList shownAccounts;
        for (int r = 0; r < v->rowCount(); ++r)
            shownAccounts << v->rowTexts(r).first();
        QCOMPARE(shownAccounts, accounts);
        // Twelve columns, the first hidden; 2800 twips for the company, 1500 for the rest.
        QCOMPARE(v->headers().size(), 12);
        QCOMPARE(v->headers().at(1), u"Company"_s);
        QHeaderView* h = v->flgSponsorList->horizontalHeader();
        QVERIFY(v->flgSponsorList->isColumnHidden(0));
        QCOMPARE(h->sectionSize(1), 187);
        for (int col = 2; col < 12; ++col) {
            QVERIFY(!v->flgSponsorList->isColumnHidden(col));
            QCOMPARE(h->sectionSize(col), 100);
        }
        QCOMPARE(shown(), QStringList{});
        v->cmdClose->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f->findChild<frmNegotiatedCounterpart*>());
        QVERIFY(f->isVisible()); // back on the report
        closeAll(f);
    }

    // Nothing behind the visit: the button does not blink and says so.
    void noAllocation_data() {
        QTest::addColumn<QString>("hosp");
        QTest::newRow("case holder without sponsor") << u"H4"_s;
        QTest::newRow("pay patient turned service") << u"H3"_s;
    }
    void noAllocation() {
        QFETCH(QString, hosp);
        ui::Messages::queueAnswer(ui::Answer::Yes); // H3: turn the pay visit into service
        frmARR* f = openFor(hosp);
        QVERIFY(f);
        while (ui::Messages::unusedAnswers() > 0)
            ui::Messages::question(QString());
        ui::Messages::clearShown();
        QVERIFY(!f->tmrCDF->isActive());
        f->cmdViewCDF->click();
        QCOMPARE(shown(), QStringList{u"Information|message|Patient has no CDF Allocation"_s});
        QVERIFY(!f->findChild<frmNegotiatedCounterpart*>());
        closeAll(f);
    }

    // Each tick paints the next shade, then the button's own face, then rests a tick.
    void blink_data() {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("style");
        QTest::newRow("1") << 1 << u"background-color: #ffffa4"_s;
        QTest::newRow("2") << 2 << u"background-color: #ffffb3"_s;
        QTest::newRow("3") << 3 << u"background-color: #ffffe1"_s;
        QTest::newRow("4") << 4 << u"background-color: #ffffc8"_s;
        QTest::newRow("5") << 5 << u"background-color: #fbfdb3"_s;
        QTest::newRow("6") << 6 << u"background-color: #ffffe1"_s;
        QTest::newRow("7, the button face") << 7 << QString();
        QTest::newRow("8, unchanged") << 8 << QString();
        QTest::newRow("9, round again") << 9 << u"background-color: #ffffa4"_s;
        QTest::newRow("13, round again") << 13 << u"background-color: #fbfdb3"_s;
    }
    void blink() {
        QFETCH(int, ticks);
        QFETCH(QString, style);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        QCOMPARE(f->tmrCDF->interval(), 100);
        f->tmrCDF->stop(); // the ticks are counted here
        for (int i = 0; i < ticks; ++i)
            f->tmrCDF_Timer();
        QCOMPARE(f->cmdViewCDF->styleSheet(), style);
        if (ticks == 1 && qEnvironmentVariableIsSet("ZEP_SHOT_DIR"))
            f->grab().save(qEnvironmentVariable("ZEP_SHOT_DIR") + u"/cdf-blink.png"_s);
        closeAll(f);
    }

    void listFitsALaptop() {
        screenfit::showAsLaptop(*w);
        frmARR* f = openFor(u"H1"_s);
        QVERIFY(f);
        f->cmdViewCDF->click();
        auto* v = f->findChild<frmNegotiatedCounterpart*>();
        QVERIFY(v);
        QCOMPARE(screenfit::problems(v, {u"cmdClose"_s}), QStringList{});
        if (qEnvironmentVariableIsSet("ZEP_SHOT_DIR"))
            v->grab().save(qEnvironmentVariable("ZEP_SHOT_DIR") + u"/cdf-list.png"_s);
        v->close();
        closeAll(f);
    }
};

QTEST_MAIN(tst_funds)
#include "tst_funds.moc"
