// The catalogue's preparing procedures, the day and period rules of the engine's bind line,
// and the visit lists' selections, on one hospital day with visits on both of its edges.
#include "reporttest.h"
#include "testdb.h"

#include "db/connection.h"
#include "db/error.h"
#include "reports/catalogue/catalogue.h"
#include "reports/catalogue/runner.h"
#include "reports/engine.h"
#include "reports/report.h"
#include "reports/template.h"
#include "reports/values.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class tst_catalogue : public QObject {
    Q_OBJECT
    std::unique_ptr<db::Connection> conn;

    static QString source(const QString& rel) {
        return qEnvironmentVariable("ZEP_SOURCE_DIR") + u'/' + rel;
    }

    // The visit numbers of a report's main rows, in order.
    QStringList mainIds(const QString& file, const QVariantList& values) {
        auto report = reports::Report::open(source(u"reports"_s), file);
        report->SetParameterValues(values);
        const auto in = reports::collect(*report, *conn);
        const reports::QueryResult* r = in->mainResult();
        QStringList ids;
        int col = -1;
        for (int c = 0; c < r->columns.size(); ++c)
            if (r->columns.at(c).compare(u"IdNum"_s, Qt::CaseInsensitive) == 0)
                col = c;
        for (const auto& row : r->rows)
            ids << row.at(col).toString();
        return ids;
    }

private slots:
    void initTestCase() {
        TESTDB_REQUIRE_BACKEND();
        conn = testdb::fresh();
        QVERIFY(reporttest::runSeed(*conn, source(u"tests/reports/reference/Visits.sql"_s)));
    }

    void preparingProcedures_data() {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("ids");
        // In the hospital at the end of 03/04: the midnight and last-minute admissions, the
        // one from the day before, the one discharged at the next midnight; not the one
        // discharged in the day's last quarter hour, nor the one of the next midnight.
        QTest::newRow("census") << u"Patient_data..sp_Adm_DailyAdmission"_s << u"03/04/2026"_s
                                << QStringList{u"700106"_s, u"700103"_s, u"700101"_s, u"700102"_s};
        QTest::newRow("census, ISO date") << u"PATIENT_DATA..sp_Adm_DailyAdmission"_s << u"2026-03-04"_s
                                << QStringList{u"700106"_s, u"700103"_s, u"700101"_s, u"700102"_s};
        QTest::newRow("discharges") << u"patient_data..sp_Adm_DailyDischarges"_s << u"03/04/2026"_s
                                    << QStringList{u"700107"_s, u"700108"_s, u"700104"_s};
        QTest::newRow("discharges, next day") << u"patient_data..sp_Adm_DailyDischarges"_s
                                              << u"03/05/2026"_s << QStringList{u"700106"_s};
        QTest::newRow("ER census") << u"ZEP..sp_ZEP_getERDailyCensus"_s << u"03/04/2026"_s
                                   << QStringList{u"900202E"_s, u"900203E"_s, u"900207E"_s,
                                                  u"900204E"_s, u"900205E"_s};
        QTest::newRow("ER census, day before") << u"ZEP..sp_ZEP_getERDailyCensus"_s << u"3/3/2026"_s
                                               << QStringList{u"900201E"_s};
        QTest::newRow("datasheet") << u"Patient_Data..sp_Adm_PatientData"_s << u"700101"_s
                                   << QStringList{u"700101"_s};
        QTest::newRow("datasheet of an ER visit") << u"Patient_Data..sp_Adm_PatientData"_s
                                                  << u"900201E"_s << QStringList{};
    }

    void preparingProcedures() {
        QFETCH(QString, procedure);
        QFETCH(QString, value);
        QFETCH(QStringList, ids);
        const db::Recordset rs = conn->Call(procedure, {value});
        QStringList got;
        int col = -1;
        for (int c = 0; c < rs.FieldNames().size(); ++c)
            if (rs.FieldNames().at(c).compare(u"IdNum"_s, Qt::CaseInsensitive) == 0)
                col = c;
        QVERIFY(col >= 0);
        for (const auto& row : rs.Rows())
            got << row.at(col).toString();
        QCOMPARE(got, ids);
    }

    void preparingProceduresRefuseBadDates_data() {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QString>("value");
        QTest::newRow("no date") << u"Patient_data..sp_Adm_DailyAdmission"_s << QString();
        QTest::newRow("impossible day") << u"patient_data..sp_Adm_DailyDischarges"_s << u"02/30/2026"_s;
        QTest::newRow("words") << u"ZEP..sp_ZEP_getERDailyCensus"_s << u"today"_s;
    }

    void preparingProceduresRefuseBadDates() {
        QFETCH(QString, procedure);
        QFETCH(QString, value);
        QVERIFY_THROWS_EXCEPTION(db::Error, conn->Call(procedure, {value}));
    }

    // The procedures only read: nothing is left behind for another workstation to see.
    void preparingWritesNothing() {
        const auto count = [&](const QString& t) {
            return conn->Query(u"SELECT COUNT(*) AS n FROM "_s + t).Value(u"n"_s).toLongLong();
        };
        const qlonglong before = count(u"PATIENT_DATA.tbPatient2"_s) + count(u"PATIENT_DATA.tbERMaster"_s);
        conn->log().clear();
        conn->Call(u"Patient_data..sp_Adm_DailyAdmission"_s, {u"03/04/2026"_s});
        conn->Call(u"ZEP..sp_ZEP_getERDailyCensus"_s, {u"03/04/2026"_s});
        QCOMPARE(count(u"PATIENT_DATA.tbPatient2"_s) + count(u"PATIENT_DATA.tbERMaster"_s), before);
        QVERIFY(!conn->log().dump().contains(u"INSERT"_s, Qt::CaseInsensitive));
    }

    void visitLists_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QStringList>("ids");
        const QString day = u"03/04/2026"_s;
        QTest::newRow("admissions of the day")
            << u"Admissions.rpt"_s << QVariantList{day, u"E100"_s}
            << QStringList{u"700101"_s, u"700108"_s, u"700102"_s};
        QTest::newRow("service census") << u"Daily_Report_AdmissionService.rpt"_s
                                        << QVariantList{day, u"E100"_s}
                                        << QStringList{u"700102"_s, u"700103"_s};
        QTest::newRow("ER arrivals (mode 2)") << u"ERAdmission.rpt"_s << QVariantList{u"2"_s, day}
                                              << QStringList{u"900202E"_s, u"900203E"_s, u"900207E"_s,
                                                             u"900204E"_s, u"900205E"_s};
        // Whoever left the ER that day, also the patient who came the evening before.
        QTest::newRow("ER departures (mode 1)") << u"ERAdmission.rpt"_s << QVariantList{u"1"_s, day}
                                                << QStringList{u"900201E"_s, u"900202E"_s, u"900203E"_s,
                                                               u"900207E"_s, u"900204E"_s};
        QTest::newRow("absconded (mode 4)") << u"ERAdmission.rpt"_s << QVariantList{u"4"_s, day}
                                            << QStringList{u"900203E"_s};
        QTest::newRow("unknown mode") << u"ERAdmission.rpt"_s << QVariantList{u"3"_s, day}
                                      << QStringList{};
        QTest::newRow("expired in the day's last second") << u"Expired Patient.rpt"_s
                                                          << QVariantList{day, day}
                                                          << QStringList{u"900204E"_s};
        QTest::newRow("expired, the day after") << u"Expired Patient.rpt"_s
                                                << QVariantList{u"03/05/2026"_s, u"03/05/2026"_s}
                                                << QStringList{};
        QTest::newRow("ER period keeps its last day")
            << u"ER_Census_Report_new.RPT"_s << QVariantList{u"03/03/2026"_s, day}
            << QStringList{u"900201E"_s, u"900202E"_s, u"900203E"_s, u"900207E"_s, u"900204E"_s,
                           u"900205E"_s};
        QTest::newRow("ER discharges of one day") << u"ER_Discharges_Report_New.RPT"_s
                                                  << QVariantList{day, day}
                                                  << QStringList{u"900201E"_s, u"900202E"_s, u"900203E"_s,
                                                                 u"900207E"_s, u"900204E"_s};
        QTest::newRow("end before start lists nothing") << u"ER_Census_Report_new.RPT"_s
                                                        << QVariantList{day, u"03/03/2026"_s}
                                                        << QStringList{};
    }

    void visitLists() {
        QFETCH(QString, file);
        QFETCH(QVariantList, values);
        QFETCH(QStringList, ids);
        QCOMPARE(mainIds(file, values), ids);
    }

    // "EndDate+1" and "today" in a bind line.
    void bindDaysAndToday_data() {
        QTest::addColumn<QString>("bind");
        QTest::addColumn<QString>("bound");
        QTest::newRow("the day") << u"D"_s << u"2026-02-28"_s;
        QTest::newRow("the day after") << u"D+1"_s << u"2026-03-01"_s;
        QTest::newRow("the day before, blanks") << u"D - 1"_s << u"2026-02-27"_s;
        QTest::newRow("today") << u"today"_s << u"2026-12-31"_s;
        QTest::newRow("tomorrow, new year") << u"today+1"_s << u"2027-01-01"_s;
        QTest::newRow("today and a number field") << u"today+N"_s << u"2027-01-05"_s;
        QTest::newRow("a date and a number field") << u"D + N"_s << u"2026-03-05"_s;
    }

    void bindDaysAndToday() {
        QFETCH(QString, bind);
        QFETCH(QString, bound);
        const QString text = u"[report]\ntitle = T\n[parameter D]\ntype = date\n[parameter N]\ntype = number\n"
                             u"default = 5\n[query q]\nbind: "_s +
                             bind + u"\nSELECT CAST(? AS VARCHAR(10)) AS V\n[body]\n{{#q}}{{V}}{{/q}}\n"_s;
        auto def = reports::parseTemplate(text, u"bind.rpt"_s);
        reports::Report report(def);
        report.SetParameterValues({u"02/28/2026"_s});
        reports::setToday(QDate(2026, 12, 31));
        const auto in = reports::collect(report, *conn);
        reports::setToday(QDate());
        QCOMPARE(in->results.first().rows.first().first().toString(), bound);
    }

    void bindLineRefusals_data() {
        QTest::addColumn<QString>("bind");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("days on a text") << u"T+1"_s << u"only a date can be"_s;
        QTest::newRow("unknown name") << u"Other+1"_s << u"not a declared parameter"_s;
        QTest::newRow("not a number of days") << u"D+x"_s << u"not a number field added"_s;
        QTest::newRow("days from a text field") << u"today+T"_s << u"not a number field added"_s;
        QTest::newRow("a number field taken away") << u"D-N"_s << u"not a number field added"_s;
    }

    void bindLineRefusals() {
        QFETCH(QString, bind);
        QFETCH(QString, complaint);
        const QString text = u"[report]\ntitle = T\n[parameter D]\ntype = date\n[parameter T]\n"
                             u"[parameter N]\ntype = number\n[query q]\nbind: "_s + bind + u"\nSELECT 1 AS V WHERE 1 = ?\n[body]\nx\n"_s;
        try {
            reports::parseTemplate(text, u"bind.rpt"_s);
            QFAIL("accepted");
        } catch (const reports::ReportError& e) {
            QVERIFY2(e.message().contains(complaint), qPrintable(e.message()));
        }
    }

    // The lists the later templates will be given, in order, from one run's answers: the
    // templates only have to be added.
    void valuesInOrder_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QVariantList>("values");
        const QString s = u"03/01/2026"_s, e = u"03/31/2026"_s, h = u"St. Luke's"_s, a = u"1 Main St"_s;
        QTest::newRow("income, in-patients") << u"mnuServiceIncomeReportInpatient"_s
            << u"Daily Service Income Report - In Patient"_s
            << QVariantList{s, e, 1, h, a, u"Daily Service Income Report - In Patient"_s};
        QTest::newRow("income, out-patients as dates") << u"mnuServiceIncomeReportOutpatient"_s
            << u"Daily Service Income Report - Out Patient"_s
            << QVariantList{QDate(2026, 3, 1), QDate(2026, 3, 31), 3, h, a,
                            u"Daily Service Income Report - Out Patient"_s};
        QTest::newRow("QC out-patients use 4") << u"mnuQCOPD"_s << u"QC Residents Report - OPD Patients"_s
            << QVariantList{s, e, 4, h, a, u"QC Report - OPD Patients"_s};
        QTest::newRow("unpaid, ER") << u"mnuPatientUnpaid_ER"_s << u"Payables/Refund Report - ER Patient"_s
            << QVariantList{s, e, 2, h, a, u"Payables/Refund Report - ER Patient"_s};
        // The printed heading is the report's own, as its window says, not the income report's.
        QTest::newRow("unpaid, in-patients") << u"mnuPatientUnpaid_IPD"_s
            << u"Payables/Refund Report - In Patient"_s
            << QVariantList{s, e, 1, h, a, u"Payables/Refund Report - In Patient"_s};
        QTest::newRow("unpaid, out-patients") << u"mnuPatientUnpaid_OPD"_s
            << u"Payables/Refund Report - Out Patient"_s
            << QVariantList{s, e, 3, h, a, u"Payables/Refund Report - Out Patient"_s};
        QTest::newRow("income by days, ER") << u"mnuServiceIncomeReportERPatient_New"_s
            << u"Daily Service Income Report - ER Patient (Grouped by No. of Days)"_s
            << QVariantList{s, e, 2, h, a, u"Daily Service Income Report - ER Patient"_s};
        QTest::newRow("QC with card, out-patients use 4") << u"mnuQCOPD_SB"_s
            << u"QC Residents Report - OPD Patients w/ SB Card"_s
            << QVariantList{s, e, 4, h, a, u"QC Report - OPD Patients w/SB Card"_s};
        QTest::newRow("monthly performance") << u"mnuMonthlyPerformanceReport"_s
            << u"Monthly Performance Report"_s
            << QVariantList{h, a, u"Santos, Maria"_s, s, e, u"E200"_s};
        QTest::newRow("activity comparison") << u"mnuactivity"_s << u"ACTIVITY COMPARISON TABLE"_s
            << QVariantList{u"Santos, Maria"_s, s, e, u"E200"_s};
        QTest::newRow("revoked notices, the pickers' text") << u"mnuDischargeNoticeRevoked"_s
            << u"Revoked Discharge Notice Monitoring Report"_s << QVariantList{s, e};
        QTest::newRow("discharge notices, a date value") << u"mnuDischargeNoticeReport"_s
            << u"Discharge Notice Monitoring Report"_s << QVariantList{QDate(2026, 3, 1)};
        QTest::newRow("contract slip, trimmed as the others") << u"mnuContractSlip"_s
            << u"Contract Slip"_s << QVariantList{u"H003"_s};
        QTest::newRow("transactions of the patient") << u"mnuTransaction"_s
            << u"Assessment Transaction Report"_s << QVariantList{u"H003"_s};
        QTest::newRow("classification scheme") << u"mnuPrintClassificationScheme"_s
            << u"Classification Scheme"_s
            << QVariantList{u"ST. LUKE'S"_s, u"ZEP - SOCIAL SERVICE DEPARTMENT"_s, a};
        QTest::newRow("re-print ARR") << u"mnuRePrintARR"_s << u"Assessment and Referal report"_s
            << QVariantList{u"H003"_s, u"700103"_s, u"REYES, ANA"_s, u"SW-0042"_s, QString()};
        QTest::newRow("datasheet") << u"mnuViewPatientDatasheet"_s << u"In-Patient Data Sheet"_s
            << QVariantList{a, u"700103"_s};
    }

    void valuesInOrder() {
        QFETCH(QString, item);
        QFETCH(QString, title);
        QFETCH(QVariantList, values);
        catalogue::Context ctx;
        ctx.hospitalName = u"St. Luke's"_s;
        ctx.hospitalAddress = u"1 Main St"_s;
        ctx.departmentTitle = u"ZEP - Social Service Department"_s;
        ctx.userName = u"Santos, Maria"_s;
        ctx.userCode = u"E100"_s;
        ctx.hospNum = u" H003 "_s;
        ctx.idNum = u"700103 "_s;
        catalogue::Answers a;
        a.start = a.startText = a.date = u"03/01/2026"_s;
        a.end = a.endText = u"03/31/2026"_s;
        a.worker = u"E200"_s;
        a.arrUserName = u"REYES, ANA"_s;
        a.arrLicence = u"SW-0042"_s;
        const catalogue::Item* i = catalogue::find(item);
        QVERIFY(i);
        QCOMPARE(i->title, title);
        QCOMPARE(catalogue::valuesFor(i->values, ctx, a), values);
    }

    void monthlyPerformanceSubreports() {
        const catalogue::Item* i = catalogue::find(u"mnuMonthlyPerformanceReport"_s);
        QVERIFY(i);
        catalogue::Context ctx;
        ctx.userCode = u"E100"_s;
        catalogue::Answers a;
        a.start = u"03/01/2026"_s;
        a.end = u"03/31/2026"_s;
        QStringList got;
        for (const catalogue::Subreport& sub : i->subreports) {
            QStringList v;
            for (const QVariant& x : catalogue::valuesFor(sub.values, ctx, a))
                v << x.toString();
            got << sub.name + u": "_s + v.join(u'|');
        }
        // No worker picked: the worker is empty.
        QCOMPARE(got, (QStringList{u"I.SourceOfReferral: 03/01/2026|03/31/2026|"_s,
                                   u"II.Caseload: 03/01/2026|03/31/2026|"_s,
                                   u"III.CaseloadPerCategory: 03/01/2026|03/31/2026|"_s,
                                   u"IV.Services: 03/01/2026|03/31/2026||"_s,
                                   u"documentation: 03/01/2026|03/31/2026||E100"_s}));
    }

    // Every item names its template the way the old program spelled it; the folder's files
    // are found whatever the case.
    void templatesOfThisCatalogueExist_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("file");
        QTest::newRow("daily admission list") << u"mnuListAdmissions"_s << u"Admissions.rpt"_s;
        QTest::newRow("discharge list") << u"mnuListDischarges"_s << u"DailyDischargeList.rpt"_s;
        QTest::newRow("census") << u"mnuCensus"_s << u"Daily_Report_Admission.rpt"_s;
        QTest::newRow("ER census") << u"mnuDailyERCensus"_s << u"ER_Census_LikeAdmitting.rpt"_s;
        QTest::newRow("ER admission") << u"mnuERAdmission"_s << u"ERAdmission.rpt"_s;
        QTest::newRow("ER discharges") << u"mnuDischarges"_s << u"ERAdmission.rpt"_s;
        QTest::newRow("absconded") << u"mnuAbsconReport"_s << u"ERAdmission.rpt"_s;
        QTest::newRow("expired") << u"mnuExpiredPatientER"_s << u"Expired Patient.rpt"_s;
        QTest::newRow("service census") << u"mnuAdmCensusService"_s << u"Daily_Report_AdmissionService.rpt"_s;
        QTest::newRow("ER service census") << u"mnuERCensusService"_s << u"ER_Census_Service.rpt"_s;
        QTest::newRow("ER range") << u"mnuERCensus"_s << u"ER_Census_Report_new.RPT"_s;
        QTest::newRow("ER discharges range") << u"mnuERDischarges"_s << u"ER_Discharges_Report_New.RPT"_s;
        QTest::newRow("datasheet") << u"mnuViewPatientDatasheet"_s << u"DataSheet.rpt"_s;
        QTest::newRow("income") << u"mnuServiceIncomeReportInpatient"_s << u"ZEPDailyDischargesReport.rpt"_s;
        QTest::newRow("income by days") << u"mnuServiceIncomeReportERPatient_New"_s
                                        << u"ZEPDailyDischargesReport_New.rpt"_s;
        QTest::newRow("income, out-patients") << u"mnuServiceIncomeReportOutpatient"_s
                                              << u"ZEPDailyDischargesReportOut.rpt"_s;
        QTest::newRow("QC residents") << u"mnuQCER"_s << u"ZEP_Report_QC.rpt"_s;
        QTest::newRow("QC card holders") << u"mnuQCIPD_SB"_s << u"ZEPDailyDischargesReport_QC.rpt"_s;
        QTest::newRow("unpaid bills") << u"mnuPatientUnpaid_ER"_s << u"Checking_ZEP_Report.rpt"_s;
    }

    void templatesOfThisCatalogueExist() {
        QFETCH(QString, item);
        QFETCH(QString, file);
        const catalogue::Item* i = catalogue::find(item);
        QVERIFY(i);
        QCOMPARE(i->templateFile, file);
        QVERIFY(reports::templateExists(source(u"reports"_s), file));
        QVERIFY(reports::templateExists(source(u"reports"_s), file.toLower()));
    }
};

QTEST_MAIN(tst_catalogue)
#include "test_catalogue.moc"
