#include "catalogue.h"

namespace catalogue {

namespace {

Value v(Source s) { return {s}; }
Value text(const char* t) { return {Source::Fixed, QString::fromUtf8(t)}; }
Value number(int n) { return {Source::Fixed, n}; }

QString s(const char* t) { return QString::fromUtf8(t); }

// The income, QC and unpaid-bill reports share one list: the period, the patient group the
// template expects (1 in-patients, 2 ER, 3 out-patients; the QC out-patient report 4), the
// hospital and the heading the template prints.
QVector<Value> incomeValues(int group, const char* heading, bool asDates = false) {
    return {v(asDates ? Source::StartAsDate : Source::Start),
            v(asDates ? Source::EndAsDate : Source::End),
            number(group),
            v(Source::HospitalName),
            v(Source::HospitalAddress),
            text(heading)};
}

Item income(const char* name, const char* report, const char* file, int group,
            const char* heading, const char* title, bool asDates = false) {
    Item i;
    i.name = s(name);
    i.report = s(report);
    i.dialog = Dialog::D2;
    i.templateFile = s(file);
    i.values = incomeValues(group, heading, asDates);
    i.title = s(title);
    return i;
}

Item plain(const char* name, const char* report, Dialog dialog, const char* prepare,
           QVector<Value> prepareValues, const char* file, QVector<Value> values,
           const char* title) {
    Item i;
    i.name = s(name);
    i.report = s(report);
    i.dialog = dialog;
    i.prepare = s(prepare);
    i.prepareValues = std::move(prepareValues);
    i.templateFile = s(file);
    i.values = std::move(values);
    i.title = s(title);
    return i;
}

QVector<Item> build() {
    const Value start = v(Source::Start), end = v(Source::End), date = v(Source::Date);
    const Value userCode = v(Source::UserCode);
    QVector<Item> t;

    // --- Reports menu, in menu order --------------------------------------------------
    t << plain("mnuListGrantees", "View List of Grantees", Dialog::None, "", {},
               "ListofGrantees.rpt", {}, "List of Grantees");
    t << plain("mnuAssessment", "List of Assessments", Dialog::DR, "", {}, "ListofAssessment.rpt",
               {start, end}, "List of Assessments");
    t << plain("mnuDailyAssessment", "Daily List of Assessment", Dialog::D1, "", {},
               "DailyZEPAssessment.rpt", {v(Source::StartText)},
               "List of Assessments (Daily Census)");
    t << plain("mnuNearlyExpired", "Nearly Expired Patient", Dialog::None, "", {},
               "ForExpiration.rpt", {}, "ZEP Patients");
    t << plain("mnuPrintClassificationScheme", "Classification Scheme", Dialog::None, "", {},
               "ClassificationScheme.rpt",
               {v(Source::HospitalNameUpper), v(Source::DepartmentTitleUpper),
                v(Source::HospitalAddress)},
               "Classification Scheme");
    t << plain("mnuTransaction", "ARR Transaction Report", Dialog::None, "", {},
               "ARRTransactionReport.rpt", {v(Source::HospNum)}, "Assessment Transaction Report");

    t << plain("mnuListAdmissions", "Daily Admission List", Dialog::D1,
               "Patient_data..sp_Adm_DailyAdmission", {date}, "Admissions.rpt", {date, userCode},
               "Daily Admission List");
    t << plain("mnuListDischarges", "Daily Discharge List", Dialog::D1,
               "patient_data..sp_Adm_DailyDischarges", {date}, "DailyDischargeList.rpt",
               {date, userCode}, "DailyDischargeList");
    t << plain("mnuCensus", "Admission Census", Dialog::D1, "Patient_Data..sp_Adm_DailyAdmission",
               {date}, "Daily_Report_Admission.rpt", {date, userCode},
               "List of Admitted Patients (Census)");
    t << plain("mnuDailyERCensus", "ER Census", Dialog::D1, "ZEP..sp_ZEP_getERDailyCensus", {date},
               "ER_Census_LikeAdmitting.rpt", {date}, "List of Admitted Patients (Census)");
    t << plain("mnuERAdmission", "Daily ER Admission", Dialog::D1, "", {}, "ERAdmission.rpt",
               {text("2"), date}, "Daily ER Admission Report");
    t << plain("mnuDischarges", "Daily ER Discharges", Dialog::D1, "", {}, "ERAdmission.rpt",
               {text("1"), date}, "Daily ER Discharges Report");
    t << plain("mnuAbsconReport", "Absconded Patient Report", Dialog::D1, "", {},
               "ERAdmission.rpt", {text("4"), date}, "Absconded Patients Report");
    t << plain("mnuExpiredPatientER", "Expired Patient Report (ER)", Dialog::D1, "", {},
               "Expired Patient.rpt", {date, date}, "Expired Patient Report (ER)");

    t << plain("mnuAdmCensusService", "Admission Census (Service Only)", Dialog::D1,
               "Patient_Data..sp_Adm_DailyAdmission", {date}, "Daily_Report_AdmissionService.rpt",
               {date, userCode}, "List of Admitted Patients (Census)");
    t << plain("mnuERCensusService", "ER Census (Service Only)", Dialog::D1,
               "ZEP..sp_ZEP_getERDailyCensus", {date}, "ER_Census_Service.rpt", {date},
               "List of Admitted Patients (Census)");

    t << plain("mnuDischargeNoticeReport", "Discharge Notice Monitoring", Dialog::D1, "", {},
               "DischargeNoticeMonitoring.rpt", {v(Source::DateAsDate)},
               "Discharge Notice Monitoring Report");
    t << plain("mnuDischargeNoticeRevoked", "Revoked Discharge Notice", Dialog::D2, "", {},
               "DischargeRevoked.rpt", {v(Source::StartText), v(Source::EndText)},
               "Revoked Discharge Notice Monitoring Report");

    // Service Income Report
    t << income("mnuServiceIncomeReportInpatient", "Service Income Report - In-Patient",
                "ZEPDailyDischargesReport.rpt", 1, "Daily Service Income Report - In Patient",
                "Daily Service Income Report - In Patient");
    t << income("mnuServiceIncomeReportInpatient_new",
                "Service Income Report - In-Patient-Grouped by No. of Days",
                "ZEPDailyDischargesReport_New.rpt", 1, "Daily Service Income Report - In Patient",
                "Daily Service Income Report - In Patient (Grouped by No. of Days)");
    t << income("mnuServiceIncomeReportOutpatient", "Service Income Report - Out-Patient",
                "ZEPDailyDischargesReportOut.rpt", 3, "Daily Service Income Report - Out Patient",
                "Daily Service Income Report - Out Patient", true);
    t << income("mnuServiceIncomeReportERPatient", "Service Income Report - ER-Patient",
                "ZEPDailyDischargesReport.rpt", 2, "Daily Service Income Report - ER Patient",
                "Daily Service Income Report - ER Patient");
    t << income("mnuServiceIncomeReportERPatient_New",
                "Service Income Report - ER-Patient-Grouped by No. of Days",
                "ZEPDailyDischargesReport_New.rpt", 2, "Daily Service Income Report - ER Patient",
                "Daily Service Income Report - ER Patient (Grouped by No. of Days)");

    // QC Residents Report
    t << income("mnuQCIPD", "QC Residents Report - In-Patient", "ZEP_Report_QC.rpt", 1,
                "QC Report - In Patients", "QC Residents Report - In Patients");
    t << income("mnuQCIPD_SB", "QC Residents Report - In-Patient (with SB Card)",
                "ZEPDailyDischargesReport_QC.rpt", 1, "QC Report - In Patients w/ SB Card",
                "QC Residents Report - In Patients w/ SB Card");
    t << income("mnuQCOPD", "QC Residents Report - Out-Patient", "ZEP_Report_QC.rpt", 4,
                "QC Report - OPD Patients", "QC Residents Report - OPD Patients");
    t << income("mnuQCOPD_SB", "QC Residents Report - Out-Patient (with SB Card)",
                "ZEPDailyDischargesReport_QC.rpt", 4, "QC Report - OPD Patients w/SB Card",
                "QC Residents Report - OPD Patients w/ SB Card");
    t << income("mnuQCER", "QC Residents Report - ER-Patient", "ZEP_Report_QC.rpt", 2,
                "QC Report - ER Patients", "QC Residents Report - ER Patients");
    t << income("mnuERQC_SB", "QC Residents Report - ER-Patient (with SB Card)",
                "ZEPDailyDischargesReport_QC.rpt", 2, "QC Report - ER Patients w/ SB Cards",
                "QC Residents Report - ER Patients w/ SB Cards");

    // ER Reports (From ER Module)
    t << plain("mnuERCensus", "ER Admission Range", Dialog::D2, "", {}, "ER_Census_Report_new.RPT",
               {start, end}, "ER Census Report");
    t << plain("mnuERDischarges", "ER Discharges", Dialog::D2, "", {},
               "ER_Discharges_Report_New.RPT", {start, end}, "ER Discharges Report");

    {
        Item i = plain("mnuMonthlyPerformanceReport", "Monthly Performance Report", Dialog::D2W,
                       "", {}, "MonthlyPerformance.rpt",
                       {v(Source::HospitalName), v(Source::HospitalAddress), v(Source::UserName),
                        start, end, v(Source::Worker)},
                       "Monthly Performance Report");
        const Value worker = v(Source::Worker);
        i.subreports = {{s("I.SourceOfReferral"), {start, end, worker}},
                        {s("II.Caseload"), {start, end, worker}},
                        {s("III.CaseloadPerCategory"), {start, end, worker}},
                        {s("IV.Services"), {start, end, worker, text("")}},
                        {s("documentation"), {start, end, worker, userCode}}};
        t << i;
    }

    // Patients With Unpaid Bills/Refund. Each prints the heading its window carries: the
    // in-patient one was handed the income report's heading and named itself so on paper.
    t << income("mnuPatientUnpaid_IPD", "Patients With Unpaid Bills/Refund - In Patients",
                "Checking_ZEP_Report.rpt", 1, "Payables/Refund Report - In Patient",
                "Payables/Refund Report - In Patient");
    t << income("mnuPatientUnpaid_OPD", "Patients With Unpaid Bills/Refund - Out Patients",
                "Checking_ZEP_Report.rpt", 3, "Payables/Refund Report - Out Patient",
                "Payables/Refund Report - Out Patient");
    t << income("mnuPatientUnpaid_ER", "Patients With Unpaid Bills/Refund - ER Patients",
                "Checking_ZEP_Report.rpt", 2, "Payables/Refund Report - ER Patient",
                "Payables/Refund Report - ER Patient");

    // Service Income Report Grouped by Service
    t << income("mnuIn", "Service Income Report Grouped by Service - In Patients",
                "SummaryIncome.rpt", 1, "Daily Service Income Report - In Patient",
                "Daily Service Income Report - In Patient");
    t << income("mnuInG", "Service Income Report Grouped by Service - In Patient Grouped by No. of Days",
                "SummaryIncomeGrouped.rpt", 1, "Daily Service Income Report - In Patient",
                "Daily Service Income Report - In Patient (Grouped by No. of Days)");
    t << income("mnuOut", "Service Income Report Grouped by Service - Out Patients",
                "SummaryIncomeOutPatient.rpt", 3, "Daily Service Income Report - Out Patient",
                "Daily Service Income Report - Out Patient", true);
    t << income("mnuER", "Service Income Report Grouped by Service - ER Patients",
                "SummaryIncome.rpt", 2, "Daily Service Income Report - ER Patient",
                "Daily Service Income Report - ER Patient");
    t << income("mnuERG", "Service Income Report Grouped by Service - ER Patients Grouped by No. of Days",
                "SummaryIncomeGrouped.rpt", 2, "Daily Service Income Report - ER Patient",
                "Daily Service Income Report - ER Patient (Grouped by No. of Days)");

    t << plain("mnuactivity", "Activity Comparison Table", Dialog::D2W, "", {},
               "ActivityComparison.rpt", {v(Source::UserName), start, end, v(Source::Worker)},
               "ACTIVITY COMPARISON TABLE");
    // Collects a period and a category only; no report of this system uses them.
    t << plain("mnuNBB", "NBB Report", Dialog::DC, "", {}, "", {}, "");

    // --- File Maintenance menu -----------------------------------------------------------
    t << plain("mnuRePrintIntake", "Re-Print Intake Sheet", Dialog::None, "", {},
               "IntakeSheet-Final.rpt",
               {v(Source::DepartmentTitleUpper), v(Source::HospitalAddress), v(Source::HospNum),
                v(Source::HospNum)},
               "Intake Sheet Data");
    {
        Item i = plain("mnuRePrintARR", "Re-Print ARR", Dialog::None, "ZEP..sp_ZEP_ReprintARR",
                       {v(Source::HospNum)}, "ARR_New.rpt",
                       {v(Source::HospNum), v(Source::IdNum), v(Source::ArrUserName),
                        v(Source::ArrLicence), text("")},
                       "Assessment and Referal report");
        i.referralReprint = true;
        t << i;
    }
    t << plain("mnuContractSlip", "Contract/Responsibility Slip", Dialog::None, "", {},
               "ContractSlip.rpt", {v(Source::HospNum)}, "Contract Slip");

    // --- Viewing menu --------------------------------------------------------------------
    {
        Item i = plain("mnuViewPatientDatasheet", "Patient Datasheet", Dialog::None,
                       "Patient_Data..sp_Adm_PatientData", {v(Source::IdNum)}, "DataSheet.rpt",
                       {v(Source::HospitalAddress), v(Source::IdNum)}, "In-Patient Data Sheet");
        i.needsAdmission = true;
        t << i;
    }
    return t;
}

} // namespace

const QVector<Item>& items() {
    static const QVector<Item> table = build();
    return table;
}

const Item* find(const QString& name) {
    for (const Item& i : items())
        if (i.name == name)
            return &i;
    return nullptr;
}

} // namespace catalogue
