// The service income, QC and unpaid-bill templates over one period's visits
// (reference/Income.sql): every patient group they are handed, the QC out-patient items' 4
// among them, an unknown group printed as such, residents by the hospital's city and card.
#include "reporttest.h"
#include "testdb.h"

#include "db/connection.h"
#include "reports/document.h"
#include "reports/engine.h"
#include "reports/report.h"
#include "reports/values.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString source(const QString& rel) { return qEnvironmentVariable("ZEP_SOURCE_DIR") + u'/' + rel; }

QVariantList values(int group, const QString& heading) {
    return {u"03/01/2026"_s, u"03/04/2026"_s, group, u"ZEP REFERENCE HOSPITAL"_s,
            u"1 Reference Street, Quezon City"_s, heading};
}

const QString kUnknown5 =
    u"Patient group 5 is unknown: 1 in-patients, 2 ER patients, 3 or 4 out-patients. No visit is listed."_s;

} // namespace

class tst_income : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> conn;

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        reports::setToday(QDate(2026, 3, 5));
        conn = testdb::fresh();
        QVERIFY(reporttest::runSeed(*conn, source(u"tests/reports/reference/Income.sql"_s)));
    }

    void groups_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("setup");      // a statement run first (rolled back after)
        QTest::addColumn<QStringList>("ids");    // the visits of the main rows, in order
        QTest::addColumn<QStringList>("lines");  // lines the printed text must hold
        QTest::addColumn<QString>("noLine");     // no printed line may start with it

        const QString income = u"ZEPDailyDischargesReport.rpt"_s;
        const QString heading = u"Daily Service Income Report - ER Patient"_s;
        QTest::newRow("income, ER")
            << income << values(2, heading) << QString() << QStringList{u"900101E"_s}
            << QStringList{u"ER patients discharged from 03/01/2026 to 03/04/2026"_s,
                           u"Total, 1 visit(s) | 1,150.50 | 0.00 | 287.63 | 0.00 | 862.87 | "
                           "900.00 | 37.13 | 0.00"_s}
            << u"Patient group"_s;
        const QString outTotal = u"Total, 2 visit(s) | 3,390.00 | 2,600.00 | 100.00 | 390.00 | "
                                 "300.00 | 300.00 | 0.00 | 0.00"_s;
        QTest::newRow("income, out-patients (3)")
            << income << values(3, heading) << QString()
            << QStringList{u"100103B"_s, u"100101B"_s}
            << QStringList{u"Out-patients seen from 03/01/2026 to 03/04/2026"_s, outTotal}
            << u"Patient group"_s;
        QTest::newRow("income, out-patients (4)")
            << income << values(4, heading) << QString()
            << QStringList{u"100103B"_s, u"100101B"_s}
            << QStringList{u"Out-patients seen from 03/01/2026 to 03/04/2026"_s, outTotal}
            << u"Patient group"_s;
        QTest::newRow("income, unknown group")
            << income << values(5, heading) << QString() << QStringList()
            << QStringList{heading, kUnknown5} << u"Total"_s;
        QTest::newRow("income, group 0")
            << income << values(0, heading) << QString() << QStringList()
            << QStringList{u"Patient group 0 is unknown: 1 in-patients, 2 ER patients, 3 or 4 "
                           "out-patients. No visit is listed."_s}
            << u"#"_s;
        QTest::newRow("income, a month with nothing")
            << income
            << QVariantList{u"01/01/2026"_s, u"01/31/2026"_s, 1, u"ZEP REFERENCE HOSPITAL"_s,
                            QString(), heading}
            << QString() << QStringList()
            << QStringList{u"No visit of the department ended in this period."_s,
                           u"Total, 0 visit(s) | 0.00 | 0.00 | 0.00 | 0.00 | 0.00 | 0.00 | "
                           "0.00 | 0.00"_s}
            << u"Patient group"_s;

        const QString out = u"ZEPDailyDischargesReportOut.rpt"_s;
        QTest::newRow("out-patient income, dates as date values")
            << out
            << QVariantList{QDate(2026, 3, 1), QDate(2026, 3, 4), 3, u"ZEP REFERENCE HOSPITAL"_s,
                            QString(), u"Daily Service Income Report - Out Patient"_s}
            << QString() << QStringList{u"100103B"_s, u"100101B"_s} << QStringList{outTotal}
            << u"Patient group"_s;
        QTest::newRow("out-patient income, unknown group")
            << out << values(5, heading) << QString() << QStringList() << QStringList{kUnknown5}
            << u"Total"_s;

        const QString qc = u"ZEP_Report_QC.rpt"_s;
        QTest::newRow("QC, out-patients (4)")
            << qc << values(4, u"QC Report - OPD Patients"_s) << QString()
            << QStringList{u"100101B"_s}
            << QStringList{u"Residents: Out-patients seen from 03/01/2026 to 03/04/2026"_s,
                           u"Total, 1 visit(s) | 600.00 | 0.00 | 100.00 | 200.00 | 300.00 | "
                           "300.00 | 0.00 | 0.00"_s}
            << u"Patient group"_s;
        QTest::newRow("QC, ER")
            << qc << values(2, u"QC Report - ER Patients"_s) << QString()
            << QStringList{u"900101E"_s} << QStringList{u"QC Report - ER Patients"_s}
            << u"Patient group"_s;
        QTest::newRow("QC, unknown group")
            << qc << values(5, u"QC Report - OPD Patients"_s) << QString() << QStringList()
            << QStringList{kUnknown5} << u"Total"_s;
        // Without a city set nobody is a resident, also not a patient without a town.
        QTest::newRow("QC, no resident city")
            << qc << values(1, u"QC Report - In Patients"_s)
            << u"UPDATE PATIENT_DATA.tbHospitalInfo SET ResidentCity = ''"_s << QStringList()
            << QStringList{u"No resident's visit of the department ended in this period."_s}
            << u"1 |"_s;
        QTest::newRow("QC, another city")
            << qc << values(1, u"QC Report - In Patients"_s)
            << u"UPDATE PATIENT_DATA.tbHospitalInfo SET ResidentCity = ' PASIG'"_s
            << QStringList{u"800105"_s} << QStringList() << u"Patient group"_s;

        const QString card = u"ZEPDailyDischargesReport_QC.rpt"_s;
        QTest::newRow("card holders, out-patients (4)")
            << card << values(4, u"QC Report - OPD Patients w/SB Card"_s) << QString()
            << QStringList{u"100101B"_s} << QStringList() << u"Patient group"_s;
        QTest::newRow("card holders, ER")
            << card << values(2, u"QC Report - ER Patients w/ SB Cards"_s) << QString()
            << QStringList{u"900101E"_s}
            << QStringList{u"1 | 900101E | H104 | DIAZ, MARIO | QC-0004 | 03/02/2026 | 03/03/2026 | "
                           "1 | C1 | 1,150.50 | 0.00 | 287.63 | 0.00 | 862.87 | 900.00 | 37.13 | 0.00"_s}
            << u"Patient group"_s;
        QTest::newRow("card holders, a card of blanks is none")
            << card << values(1, u"QC Report - In Patients w/ SB Card"_s)
            << u"UPDATE PATIENT_DATA.tbMaster SET ResidentCardNum = '  ' WHERE HospNum = 'H101'"_s
            << QStringList() << QStringList() << u"1 |"_s;

        const QString grouped = u"ZEPDailyDischargesReport_New.rpt"_s;
        QTest::newRow("by days, ER")
            << grouped << values(2, heading) << QString()
            << QStringList{QString(), u"900101E"_s, QString()}
            // 20:00 to 02:00 the next morning: one night.
            << QStringList{u"1 day(s)"_s,
                           u"Subtotal, 1 day(s): 1 visit(s) | 1,150.50 | 0.00 | 287.63 | 0.00 | "
                           "862.87 | 900.00 | 37.13 | 0.00"_s}
            << u"Patient group"_s;
        QTest::newRow("by days, unknown group")
            << grouped << values(5, heading) << QString() << QStringList()
            << QStringList{kUnknown5} << u"Total"_s;

        const QString checking = u"Checking_ZEP_Report.rpt"_s;
        QTest::newRow("unpaid bills, ER: a refund only")
            << checking << values(2, u"Payables/Refund Report - ER Patient"_s) << QString()
            << QStringList()
            << QStringList{u"No visit of the period is left unpaid."_s,
                           u"1 | 900101E | H104 | DIAZ, MARIO | 03/03/2026 | C1 | 862.87 | 900.00 | "
                           "37.13 | 0.00"_s,
                           u"Total refunds, 1 visit(s) | 862.87 | 900.00 | 37.13 | 0.00"_s}
            << u"Patient group"_s;
        QTest::newRow("unpaid bills, out-patients (4): all settled")
            << checking << values(4, u"Payables/Refund Report - Out Patient"_s) << QString()
            << QStringList()
            << QStringList{u"No visit of the period is left unpaid."_s,
                           u"No refund was made or is due for the visits of the period."_s,
                           u"Total unpaid, 0 visit(s) | 0.00 | 0.00 | 0.00 | 0.00 | 0.00 | 0.00 | "
                           "0.00 | 0.00"_s}
            << u"1 |"_s;
        QTest::newRow("unpaid bills, unknown group")
            << checking << values(5, u"Payables/Refund Report - In Patient"_s) << QString()
            << QStringList() << QStringList{kUnknown5} << u"Unpaid balances"_s;
    }

    void groups() {
        QFETCH(QString, file);
        QFETCH(QVariantList, values);
        QFETCH(QString, setup);
        QFETCH(QStringList, ids);
        QFETCH(QStringList, lines);
        QFETCH(QString, noLine);
        db::Transaction t(*conn);
        if (!setup.isEmpty())
            conn->Execute(setup);
        auto report = reports::Report::open(source(u"reports"_s), file);
        report->SetParameterValues(values);
        const auto input = reports::collect(*report, *conn);
        t.rollback();

        QStringList got;
        const reports::QueryResult* main = input->mainResult();
        QVERIFY(main);
        const int col = main->columns.indexOf(u"IdNum"_s) >= 0 ? main->columns.indexOf(u"IdNum"_s)
                                                               : main->columns.indexOf(u"idnum"_s);
        QVERIFY(col >= 0);
        for (const auto& row : main->rows)
            got << row.at(col).toString();
        QCOMPARE(got, ids);

        const auto rendered = reports::RenderedReport::build(input);
        QVERIFY(rendered);
        const QStringList printed = rendered->plainText().split(u'\n');
        for (const QString& l : lines)
            QVERIFY2(printed.contains(l), qPrintable(u"missing line: "_s + l + u"\n"_s +
                                                     printed.join(u'\n')));
        for (const QString& l : printed)
            QVERIFY2(!l.startsWith(noLine), qPrintable(u"unexpected line: "_s + l));
    }
};

QTEST_MAIN(tst_income)
#include "test_income.moc"
