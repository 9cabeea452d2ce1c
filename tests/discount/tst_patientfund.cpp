// View Patient Fund Allocation as the worker opens it from the main window's hidden item:
// the patient's boxes, the sponsors, the charges paid from the fund double-clicked with the
// amount consumed and the fund left, the refusals, and that the screen fits a laptop.
#include "casefixture.h"
#include "modalscript.h"
#include "screenfit.h"

#include "db/procedures.h"
#include "discount/frmViewPatientFund.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using ui::Icon;
using ui::Messages;

namespace {

QStringList shown() {
    QStringList out;
    for (const ui::Shown& s : Messages::shown()) {
        const char* icon = s.icon == Icon::Information   ? "information"
                           : s.icon == Icon::Exclamation ? "exclamation"
                           : s.icon == Icon::Critical    ? "critical"
                                                         : "none";
        out << QString::fromLatin1(icon) + u'|' + s.title + u'|' + s.text;
    }
    return out;
}

// The grid's visible cells, row by row, joined with "|" (the row marker left out).
QStringList rows(const QTableWidget* g) {
    QStringList out;
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = 1; c < g->columnCount(); ++c)
            if (!g->isColumnHidden(c))
                cells << (g->item(r, c) ? g->item(r, c)->text() : u"<none>"_s);
        out << cells.join(u'|');
    }
    return out;
}

// Each column as "header width", hidden ones as "header hidden".
QStringList columns(const QTableWidget* g) {
    QStringList out;
    for (int c = 0; c < g->columnCount(); ++c)
        out << g->horizontalHeaderItem(c)->text() + u' ' +
                   (g->isColumnHidden(c) ? u"hidden"_s : QString::number(g->columnWidth(c)));
    return out;
}

} // namespace

class tst_patientfund : public QObject {
    Q_OBJECT
    CaseFixture fx;

    static void drive(ModalScript& script, const std::function<void()>& open) {
        script.start();
        open();
        script.stop();
        QVERIFY2(!script.stalled(), qPrintable(script.seen().join(u',')));
        QVERIFY2(script.done(), qPrintable(u"%1 steps left"_s.arg(script.left())));
    }
    // Sets the list's selection as choosing a row does, then the item.
    static void openFor(const QString& hospNum, const QString& idNum,
                        const std::function<void(frmViewPatientFund*)>& act) {
        app::mdiZEP* w = app::modMain::mainWindow();
        frmListPatient* list = w->showPatientList();
        // The list's first option finds admissions; other visits are set as the other
        // options would choose them.
        if (idNum.isEmpty() || !idNum.back().isDigit()) {
            list->setHospNum(hospNum);
            list->setIDNUM(idNum);
        } else {
            list->search(hospNum, {}, idNum, {}, {});
            QCOMPARE(list->IDNUM(), idNum);
        }
        ModalScript s;
        s.then(u"frmViewPatientFund"_s, [&](QWidget* d) {
            auto* f = static_cast<frmViewPatientFund*>(d);
            act(f);
            f->cmdClose->click();
        });
        drive(s, [&] { w->item(u"mnuCDF"_s)->trigger(); });
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        auto s = fx.create();
        for (const char* sql : {
                 "INSERT INTO ZEP.tbZEPClassification (Type, Code, Classification) VALUES "
                 "('T1', 'C1', 'Financially Incapable'), ('T2', 'B', 'Partially Capable')",
                 "INSERT INTO PATIENT_DATA.tbRoom (RoomID, Station, RoomRate) VALUES ('301A', '3W', 1200)",
                 "INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, ZEPNum, "
                 "ZEPClassification) VALUES ('H100', 'DELA CRUZ', 'ANA', 'BAUTISTA', 'Z-100', 'C1'), "
                 "('H200', 'REYES', 'JOSE', '', 'Z-200', 'B'), ('H300', 'LIM', 'CARLO', '', NULL, NULL)",
                 "INSERT INTO PATIENT_DATA.tbOutPatient (IdNum, HospNum, AdmDate) VALUES "
                 "('7001B', 'H100', '2026-11-20 09:00:00')",
                 "INSERT INTO PATIENT_DATA.tbPatient2 (IdNum, HospNum, AdmDate, RoomID) VALUES "
                 "('5100', 'H100', '2026-12-01 08:00:00', '301A'), ('5200', 'H200', '2026-12-02 09:15:00', NULL)",
                 "INSERT INTO BILLING.tbBillCompany (CompanyID, Company) VALUES ('PCSO', "
                 "'Philippine Charity Sweepstakes'), ('LGP', 'Lingap Foundation'), ('MAY', 'Office of the Mayor')",
                 // H100: a fund of 5,000 used twice, a fund of 0 used once (on the out-patient
                 // visit) and a fund not used yet. H200: a fund of its own, used.
                 "INSERT INTO BILLING.tbBillCDFAllocation (AccountNum, RefNum, HospNum, IdNum, CompanyID, "
                 "Amount, TransDate, Validity, UserID) VALUES "
                 "('A-1', 'R-11', 'H100', '5100', 'PCSO', 5000, '2026-12-01 10:30:00', '2026-12-31', 'E100'), "
                 "('A-2', 'R-12', 'H100', NULL, 'LGP', 0, '2026-11-20 00:00:00', NULL, 'E200'), "
                 "('A-3', '', 'H100', NULL, 'MAY', 750.25, '2026-12-03 14:05:00', '2027-01-15', 'E100'), "
                 "('A-9', 'R-90', 'H200', '5200', 'PCSO', 3000, '2026-12-02 11:00:00', NULL, 'E100')",
                 "INSERT INTO BILLING.tbBillDailyBill (IdNum, RevenueID, ItemID, Description, Amount, TransDate, "
                 "ChargeSlip, RefNum, RoomID, CDFAccountNum, UserID) VALUES "
                 "('5100', 'PH', 'M-10', 'Ceftriaxone 1g', 2000, '2026-12-02 09:00:00', 'CS-2', 'R-11', '301A', 'A-1', 'N1'), "
                 "('5100', 'LB', 'L-01', 'Complete Blood Count', 1500, '2026-12-01 13:00:00', 'CS-1', 'R-11', '301A', 'A-1', 'N2'), "
                 "('5100', 'RA', 'R-01', 'Room and board', 1200, '2026-12-01 23:00:00', 'CS-3', '', '301A', NULL, 'N1'), "
                 "('5200', 'LB', 'L-01', 'Complete Blood Count', 400, '2026-12-02 10:00:00', 'CS-9', 'R-90', '', 'A-9', 'N2')",
                 "INSERT INTO BILLING.tbBillOPDailyOut (IdNum, RevenueID, ItemID, Description, Amount, TransDate, "
                 "ChargeSlip, RefNum, RoomID, CDFAccountNum, UserID) VALUES "
                 "('7001B', 'XR', 'X-05', 'Chest X-ray', 350.5, '2026-11-20 10:00:00', 'OS-1', 'R-12', 'OPD', 'A-2', 'N3')"})
            s->Execute(QString::fromLatin1(sql));
        Messages::startScript();
        Messages::setApplicationTitle(app::departmentTitle());
    }
    void init() {
        Messages::clearShown();
        QVERIFY(fx.start());
    }
    void cleanup() {
        const int unused = Messages::unusedAnswers();
        Messages::startScript();
        fx.stop();
        QCOMPARE(unused, 0);
    }

    // The grids are laid out by their header rows and widths before anything is loaded.
    void layout() {
        openFor(u"H100"_s, u"5100"_s, [](frmViewPatientFund* f) {
            QCOMPARE(f->windowTitle(), u"View Patient Fund Allocation"_s);
            QCOMPARE(f->parentWidget(), app::modMain::mainWindow());
            QVERIFY(f->isModal());
            QCOMPARE(columns(f->GridFund),
                     (QStringList{u" 7"_s, u"AccountNum 73"_s, u"RefNum 73"_s, u"CompanyID 67"_s,
                                  u"Company 133"_s, u"Amount 80"_s, u"TransDate 133"_s,
                                  u"Validity 133"_s, u"UserID 67"_s}));
            QCOMPARE(columns(f->GridMonitoring),
                     (QStringList{u" 7"_s, u"Dept.Code 63"_s, u"ItemID 67"_s, u"Description 120"_s,
                                  u"TransDate 100"_s, u"ChargeSlip 80"_s, u"Amount 73"_s,
                                  u"CompanyID hidden"_s, u"RoomID 67"_s, u"RefNum 87"_s,
                                  u"CDFAccountNum hidden"_s, u"Company hidden"_s, u"UserID 67"_s}));
            QCOMPARE(f->lblSponsorName->text(), u"SponsorName"_s);
            screenfit::showAsLaptop(*app::modMain::mainWindow());
            QCOMPARE(screenfit::problems(f, {u"cmdClose"_s}), QStringList());
            CaseFixture::shot(f, u"frmViewPatientFund"_s);
        });
    }

    // Opening: the patient's boxes and the sponsors, or the messages when there are none.
    void opening_data() {
        QTest::addColumn<QString>("hospNum");
        QTest::addColumn<QString>("idNum");
        QTest::addColumn<QStringList>("boxes"); // name, hosp, case, class, room, physician
        QTest::addColumn<QStringList>("sponsors");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("admission with three funds")
            << u"H100"_s << u"5100"_s
            << QStringList{u"DELA CRUZ, ANA BAUTISTA"_s, u"H100"_s, u"Z-100"_s,
                           u"C1- Financially Incapable"_s, u"301A"_s, QString()}
            << QStringList{u"A-3||MAY|Office of the Mayor|750.25|12/3/2026 2:05:00 PM|1/15/2027|E100"_s,
                           u"A-1|R-11|PCSO|Philippine Charity Sweepstakes|5000|12/1/2026 10:30:00 AM|12/31/2026|E100"_s,
                           u"A-2|R-12|LGP|Lingap Foundation|0|11/20/2026||E200"_s}
            << QStringList();
        QTest::newRow("out-patient visit of the same patient")
            << u"H100"_s << u"7001B"_s
            << QStringList{u"DELA CRUZ, ANA BAUTISTA"_s, u"H100"_s, u"Z-100"_s,
                           u"C1- Financially Incapable"_s, u"OPD"_s, QString()}
            << QStringList{u"A-3||MAY|Office of the Mayor|750.25|12/3/2026 2:05:00 PM|1/15/2027|E100"_s,
                           u"A-1|R-11|PCSO|Philippine Charity Sweepstakes|5000|12/1/2026 10:30:00 AM|12/31/2026|E100"_s,
                           u"A-2|R-12|LGP|Lingap Foundation|0|11/20/2026||E200"_s}
            << QStringList();
        // Chosen with no visit: not found, yet the sponsors are listed.
        QTest::newRow("no visit: not found, sponsors still listed")
            << u"H200"_s << QString()
            << QStringList{QString(), QString(), QString(), QString(), QString(), QString()}
            << QStringList{u"A-9|R-90|PCSO|Philippine Charity Sweepstakes|3000|12/2/2026 11:00:00 AM||E100"_s}
            << QStringList{u"exclamation|Message|Record not Found. Check if the patient is assessed or classified."_s};
        QTest::newRow("no sponsor")
            << u"H300"_s << QString()
            << QStringList{QString(), QString(), QString(), QString(), QString(), QString()}
            << QStringList()
            << QStringList{u"exclamation|Message|Record not Found. Check if the patient is assessed or classified."_s,
                           u"information|Message|Patient has no Sponsor yet. Please notify Credit and Collection."_s};
    }
    void opening() {
        QFETCH(QString, hospNum);
        QFETCH(QString, idNum);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, sponsors);
        QFETCH(QStringList, messages);
        openFor(hospNum, idNum, [&](frmViewPatientFund* f) {
            QCOMPARE(f->HospNum(), hospNum);
            QCOMPARE(f->IDNUM(), idNum);
            QCOMPARE((QStringList{f->txtPatientName->text(), f->txtHospNum->text(), f->txtZEPNum->text(),
                                  f->txtClassification->text(), f->txtRoomID->text(),
                                  f->txtPhysician->text()}),
                     boxes);
            QCOMPARE(rows(f->GridFund), sponsors);
            QCOMPARE(shown(), messages);
            QCOMPARE(rows(f->GridMonitoring), QStringList());
        });
    }

    // A double-click on a sponsor: its charges, the sponsor's name, consumed and left.
    void doubleClick_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("sponsor");
        QTest::addColumn<QStringList>("charges");
        QTest::addColumn<QString>("consumed");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("1,500 and 2,000 of 5,000")
            << u"A-1"_s << u"Philippine Charity Sweepstakes"_s
            << QStringList{u"LB|L-01|Complete Blood Count|12/1/2026 1:00:00 PM|CS-1|1500|301A|R-11|N2"_s,
                           u"PH|M-10|Ceftriaxone 1g|12/2/2026 9:00:00 AM|CS-2|2000|301A|R-11|N1"_s}
            << u"3500"_s << u"1500"_s << QStringList();
        QTest::newRow("a fund of 0 leaves minus the consumed")
            << u"A-2"_s << u"Lingap Foundation"_s
            << QStringList{u"XR|X-05|Chest X-ray|11/20/2026 10:00:00 AM|OS-1|350.5|OPD|R-12|N3"_s}
            << u"350.5"_s << u"-350.5"_s << QStringList();
        QTest::newRow("a fund not used")
            << u"A-3"_s << u"SponsorName"_s << QStringList() << QString() << QString()
            << QStringList{u"information|Message|No Transactions were made for this particular sponsor."_s};
    }
    void doubleClick() {
        QFETCH(QString, account);
        QFETCH(QString, sponsor);
        QFETCH(QStringList, charges);
        QFETCH(QString, consumed);
        QFETCH(QString, left);
        QFETCH(QStringList, messages);
        openFor(u"H100"_s, u"5100"_s, [&](frmViewPatientFund* f) {
            int row = -1;
            for (int r = 0; r < f->GridFund->rowCount(); ++r)
                if (f->GridFund->item(r, 1)->text() == account)
                    row = r;
            QVERIFY(row >= 0);
            Messages::clearShown();
            // The real double-click on the row's company cell.
            QWidget* vp = f->GridFund->viewport();
            const QRect cell = f->GridFund->visualItemRect(f->GridFund->item(row, 4));
            QTest::mouseClick(vp, Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(vp, Qt::LeftButton, {}, cell.center());
            QCOMPARE(f->lblSponsorName->text(), sponsor);
            QCOMPARE(rows(f->GridMonitoring), charges);
            QCOMPARE(f->txtConsumed->text(), consumed);
            QCOMPARE(f->txtFundLeft->text(), left);
            QCOMPARE(shown(), messages);
        });
    }

    // A sponsor without transactions leaves the grid and totals of the one before.
    void unusedFundKeepsWhatWasShown() {
        openFor(u"H100"_s, u"5100"_s, [&](frmViewPatientFund* f) {
            f->GridFund_DblClick(1);
            QCOMPARE(f->txtFundLeft->text(), u"1500"_s);
            f->GridFund_DblClick(0); // A-3, nothing charged
            QCOMPARE(f->lblSponsorName->text(), u"Philippine Charity Sweepstakes"_s);
            QCOMPARE(rows(f->GridMonitoring).size(), 2);
            QCOMPARE(f->txtConsumed->text(), u"3500"_s);
            QCOMPARE(f->txtFundLeft->text(), u"1500"_s);
            QCOMPARE(f->fundAmount(), 750.25);
        });
    }

    // Another patient's account number shows none of its charges.
    void anotherPatientsFund() {
        const db::Recordset rs = CaseFixture::conn().Call(u"ZEP..sp_ZEP_CDFMonitoring"_s, {u"H100"_s, u"A-9"_s});
        QCOMPARE(rs.RecordCount(), 0);
        const db::Recordset own = CaseFixture::conn().Call(u"ZEP..sp_ZEP_CDFMonitoring"_s, {u"H200"_s, u"A-9"_s});
        QCOMPARE(own.RecordCount(), 1);
        QCOMPARE(own.Text(u"Company"_s), u"Philippine Charity Sweepstakes"_s);
    }

    // No patient chosen: the list comes up and the screen does not open.
    void withoutSelectionTheListComesUp() {
        app::mdiZEP* w = app::modMain::mainWindow();
        w->item(u"mnuCDF"_s)->trigger();
        QVERIFY(w->patientList());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(shown(), QStringList());
    }

    // A failing read says so and the screen stays open.
    void failingRead() {
        auto& procs = db::Procedures::instance();
        const db::Procedure real = *procs.find(u"ZEP..sp_ZEP_GetSponsor"_s, u"ZEP"_s);
        procs.replace(u"ZEP..sp_ZEP_GetSponsor"_s, [](db::Connection&, const db::Args&) -> db::Recordset {
            db::raise(u"the billing server is down"_s);
        });
        openFor(u"H100"_s, u"5100"_s, [&](frmViewPatientFund* f) {
            QVERIFY(f->isVisible());
            QCOMPARE(shown(), QStringList{u"critical|Message|Unable to read the patient's funds.\nthe billing server is down"_s});
            QCOMPARE(f->txtPatientName->text(), u"DELA CRUZ, ANA BAUTISTA"_s);
            QCOMPARE(f->GridFund->rowCount(), 0);
        });
        procs.replace(u"ZEP..sp_ZEP_GetSponsor"_s, real);
    }
};

QTEST_MAIN(tst_patientfund)
#include "tst_patientfund.moc"
