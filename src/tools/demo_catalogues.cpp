// The demo hospital's identity and its catalogues: classification scheme, case categories,
// referring parties, case statuses, the services and activities trees, out-patient rates,
// rooms, doctors, sponsors and zip codes.
#include "demo_internal.h"

#include "db/connection.h"
#include "db/numbers.h"

#include <cmath>

namespace tools::demo {

using namespace hospitalgen;

namespace {

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

// How the classification screen writes a fraction: 0.5 as "50%", 0.255 as "25.5%".
QString percentText(double fraction) {
    return db::numberToText(std::round(fraction * 10000.0) / 100.0) + QLatin1Char('%');
}

// The two summary texts, built by the same rule as the classification screen's save.
QString inPatientSummary(const ClassRow& k) {
    const QString room = percentText(k.room);
    return percentText(k.procedures) + QStringLiteral(" on Procedures; ") +
           percentText(k.medicines) + QStringLiteral(" on Meds/Supplies; ") +
           (room == QLatin1String("0%") ? QStringLiteral("Free Room")
                                        : room + QStringLiteral(" on Room"));
}
QString outPatientSummary(const ClassRow& k) {
    return percentText(k.procedures2) + QStringLiteral(" on Procedures; ") +
           percentText(k.medicines2) + QStringLiteral(" on Meds/Supplies");
}

void writeClasses(db::Connection& c, Catalogues& cat) {
    struct Def {
        const char *type, *code, *name, *income, *dependents, *fees;
        double proc, meds, room, proc2, meds2;
        int maxPerCapita;
    };
    static const Def defs[] = {
        {"A1", "A", "Full Pay", "Above P 12,000 a month per person",
         "Family of 5 earning above P 60,000 a month", "Professional and reader's fees in full", 0,
         0, 0, 0, 0, 1000000000},
        {"A2", "B", "Partial Pay", "P 8,001 to P 12,000 a month per person",
         "Family of 5 earning P 40,001 to P 60,000 a month",
         "Professional fees as agreed with the attending physician", 0.10, 0.10, 0.25, 0.10, 0.10,
         12000},
        {"A3", "C1", "Charity - Partial 25%", "P 5,001 to P 8,000 a month per person",
         "Family of 5 earning P 25,001 to P 40,000 a month", "Reader's fees discounted", 0.25, 0.25,
         0.50, 0.25, 0.20, 8000},
        {"A4", "C2", "Charity - Partial 50%", "P 3,501 to P 5,000 a month per person",
         "Family of 5 earning P 17,501 to P 25,000 a month", "Reader's fees discounted", 0.50, 0.40,
         0.75, 0.50, 0.40, 5000},
        {"A5", "C3", "Charity - Partial 75%", "P 2,001 to P 3,500 a month per person",
         "Family of 5 earning P 10,001 to P 17,500 a month", "Reader's fees waived", 0.75, 0.60,
         1.00, 0.75, 0.60, 3500},
        {"A6", "D", "Full Charity (Indigent)", "P 2,000 and below a month per person",
         "Family of 5 earning P 10,000 and below a month", "Professional and reader's fees waived",
         1.00, 1.00, 1.00, 1.00, 1.00, 2000},
    };
    Rows rows(c, QStringLiteral("ZEP.tbZEPClassification"),
              {QStringLiteral("Type"), QStringLiteral("Code"), QStringLiteral("Classification"),
               QStringLiteral("PerCapitalIncome"), QStringLiteral("LevelPerDependents"),
               QStringLiteral("PFRF"), QStringLiteral("OPD"), QStringLiteral("IPD"),
               QStringLiteral("Procedures"), QStringLiteral("Medicines"),
               QStringLiteral("Supplies"), QStringLiteral("Room"), QStringLiteral("Procedures2"),
               QStringLiteral("Medicines2"), QStringLiteral("Supplies2")});
    for (const Def& d : defs) {
        ClassRow k{u8(d.type), u8(d.code), u8(d.name), d.proc,        d.meds,
                   d.room,     d.proc2,    d.meds2,    d.maxPerCapita};
        rows.add({k.type, k.code, k.name, u8(d.income), u8(d.dependents), u8(d.fees),
                  outPatientSummary(k), inPatientSummary(k), k.procedures, k.medicines, k.medicines,
                  k.room, k.procedures2, k.medicines2, k.medicines2});
        cat.classes.append(k);
    }
    rows.flush();
}

void writeCodeLists(db::Connection& c, Catalogues& cat) {
    struct Coded {
        const char *id, *name;
        bool active;
    };
    static const Coded categories[] = {
        {"01", "Nephrology", true},
        {"02", "Hemodialysis", true},
        {"03", "Peritoneal Dialysis", true},
        {"04", "Renal Transplant Recipient", true},
        {"05", "Post-Transplant", true},
        {"06", "Donor Work-Up", true},
        {"07", "Donor Nephrectomy", true},
        {"08", "Urology", true},
        {"09", "Vascular", true},
        {"10", "General Surgery", true},
        {"11", "Internal Medicine", true},
        {"12", "Pedia-Nephro", true},
        {"13", "Out-Patient", true},
        {"14", "ER", true},
        {"15", "Medical (old category)", false},
    };
    Rows cats(c, QStringLiteral("ZEP.tbZEPCaseCategory"),
              {QStringLiteral("CategoryID"), QStringLiteral("Category"), QStringLiteral("Status")});
    for (const Coded& k : categories) {
        cats.add({u8(k.id), u8(k.name), k.active ? QStringLiteral("A") : QStringLiteral("I")});
        if (k.active) {
            cat.caseCategoryIds.append(u8(k.id));
            cat.caseCategoryNames.append(u8(k.name));
        }
    }
    cats.flush();

    static const Coded parents[] = {
        {"01", "Medical", true},  {"02", "Surgical", true},   {"03", "Transplant", true},
        {"04", "Dialysis", true}, {"05", "Pediatrics", true}, {"06", "Emergency", true},
        {"07", "Others", false},
    };
    Rows par(c, QStringLiteral("ZEP.tbZEPParentCategory"),
             {QStringLiteral("ParentCategoryID"), QStringLiteral("ParentCategory"),
              QStringLiteral("Status")});
    for (const Coded& k : parents) {
        par.add({u8(k.id), u8(k.name), k.active ? QStringLiteral("A") : QStringLiteral("I")});
        if (k.active)
            cat.parentCategoryIds.append(u8(k.id));
    }
    par.flush();

    // One-character codes: the referral report matches a party by its first character.
    static const Coded parties[] = {
        {"1", "Self / Walk-in", true},
        {"2", "Attending Physician", true},
        {"3", "Nurse on Duty", true},
        {"4", "Other Hospital", true},
        {"5", "Government Agency (DSWD / LGU)", true},
        {"6", "Public Official", true},
        {"7", "Relative or Friend", true},
        {"8", "Non-Government Organization", true},
        {"9", "Others", true},
    };
    Rows ref(c, QStringLiteral("ZEP.tbZEPReferringParty"),
             {QStringLiteral("Code"), QStringLiteral("ReferringParty")});
    for (const Coded& k : parties) {
        ref.add({u8(k.id), u8(k.name)});
        cat.referringPartyCodes.append(u8(k.id));
    }
    ref.flush();

    static const Coded statuses[] = {
        {"N", "New", true},         {"O", "Old", true},        {"C", "Closed", true},
        {"CO", "Carry Over", true}, {"RO", "Re-opened", true},
    };
    Rows st(c, QStringLiteral("ZEP.tbZEPActive"),
            {QStringLiteral("Code"), QStringLiteral("CaseStatus")});
    for (const Coded& k : statuses) {
        st.add({u8(k.id), u8(k.name)});
        cat.caseStatusCodes.append(u8(k.id));
    }
    st.flush();
}

// A tree of dotted codes, parents before children. The pickers open with the branches
// under 1.1 to 1.8 (and 1.2.3, 1.3.2, 1.3.5, 1.8.1 to 1.8.3) already loaded, so every one
// of those has children here.
void writeTree(db::Connection& c, const QString& table, const char* const (*nodes)[2], int n,
               QStringList& codes) {
    Rows rows(
        c, table,
        {QStringLiteral("Code"), QStringLiteral("Description"), QStringLiteral("ParentCode")});
    for (int i = 0; i < n; ++i) {
        const QString code = u8(nodes[i][0]);
        const int dot = code.lastIndexOf(QLatin1Char('.'));
        rows.add({code, u8(nodes[i][1]), dot < 0 ? QVariant() : QVariant(code.left(dot))});
        codes.append(code);
    }
    rows.flush();
}

const char* const kServices[][2] = {
    {"1", "Direct Services to Patients and Families"},
    {"1.1", "Intake and Assessment"},
    {"1.1.1", "Intake interview"},
    {"1.1.2", "Psychosocial assessment"},
    {"1.1.3", "Socio-economic classification"},
    {"1.1.4", "Reclassification"},
    {"1.2", "Financial Assistance"},
    {"1.2.1", "Discount on hospital bill"},
    {"1.2.2", "Referral to PCSO"},
    {"1.2.3", "Referral to sponsors"},
    {"1.2.3.1", "Congressional / PDAF fund"},
    {"1.2.3.2", "Local government unit"},
    {"1.2.3.3", "Private foundation"},
    {"1.2.3.4", "Church or civic group"},
    {"1.2.4", "Promissory note facilitation"},
    {"1.2.5", "Medicine assistance"},
    {"1.3", "Counselling"},
    {"1.3.1", "Individual counselling"},
    {"1.3.2", "Family counselling"},
    {"1.3.2.1", "Pre-transplant family conference"},
    {"1.3.2.2", "Donor family conference"},
    {"1.3.2.3", "Crisis intervention with the family"},
    {"1.3.3", "Group counselling"},
    {"1.3.4", "Grief counselling"},
    {"1.3.5", "Treatment compliance counselling"},
    {"1.3.5.1", "Hemodialysis compliance"},
    {"1.3.5.2", "Peritoneal dialysis compliance"},
    {"1.3.5.3", "Post-transplant medication compliance"},
    {"1.4", "Health Education"},
    {"1.4.1", "Orientation on hospital policies"},
    {"1.4.2", "Orientation on dialysis"},
    {"1.4.3", "Orientation on kidney transplant"},
    {"1.5", "Discharge Planning"},
    {"1.5.1", "Discharge clearance"},
    {"1.5.2", "Home-care arrangement"},
    {"1.5.3", "Transportation assistance"},
    {"1.6", "Referral to Other Agencies"},
    {"1.6.1", "DSWD"},
    {"1.6.2", "PhilHealth"},
    {"1.6.3", "Municipal or city social welfare office"},
    {"1.6.4", "Other hospital"},
    {"1.7", "Home Visit and Case Follow-up"},
    {"1.7.1", "Home visit"},
    {"1.7.2", "Telephone follow-up"},
    {"1.8", "Special Programs"},
    {"1.8.1", "Kidney transplant program"},
    {"1.8.1.1", "Recipient work-up"},
    {"1.8.1.2", "Living donor evaluation"},
    {"1.8.1.3", "Donor-recipient relationship verification"},
    {"1.8.2", "Dialysis program"},
    {"1.8.2.1", "Hemodialysis slot facilitation"},
    {"1.8.2.2", "Peritoneal dialysis bag assistance"},
    {"1.8.3", "Pediatric nephrology program"},
    {"1.8.3.1", "School coordination"},
    {"1.8.3.2", "Parents' support group"},
    {"2", "Services to the Hospital"},
    {"2.1", "Case conference with the medical team"},
    {"2.2", "Ward rounds"},
    {"2.3", "Coordination with credit and collection"},
    {"3", "Community Services"},
    {"3.1", "Networking with local government units"},
    {"3.2", "Kidney patients' support group"},
};

const char* const kActivities[][2] = {
    {"1", "Casework"},
    {"1.1", "Interview"},
    {"1.1.1", "Interview with the patient"},
    {"1.1.2", "Interview with relatives"},
    {"1.1.3", "Collateral interview"},
    {"1.2", "Documentation"},
    {"1.2.1", "Intake sheet"},
    {"1.2.2", "Social case study report"},
    {"1.2.3", "Certifications"},
    {"1.2.3.1", "Certificate of indigency"},
    {"1.2.3.2", "Referral letter"},
    {"1.2.3.3", "Request for guarantee letter"},
    {"1.2.4", "Progress notes"},
    {"1.3", "Coordination"},
    {"1.3.1", "With the attending physician"},
    {"1.3.2", "With other departments"},
    {"1.3.2.1", "Billing section"},
    {"1.3.2.2", "Pharmacy"},
    {"1.3.2.3", "Dialysis unit"},
    {"1.3.2.4", "Transplant coordinator"},
    {"1.3.3", "With the sponsor"},
    {"1.3.4", "With the family"},
    {"1.3.5", "With outside agencies"},
    {"1.3.5.1", "PCSO"},
    {"1.3.5.2", "DSWD"},
    {"1.3.5.3", "Local government office"},
    {"1.3.5.4", "PhilHealth office"},
    {"1.4", "Home Visit"},
    {"1.4.1", "Home visit done"},
    {"1.4.2", "Home visit report"},
    {"1.5", "Group Work"},
    {"1.5.1", "Support group session"},
    {"1.5.2", "Lecture or orientation"},
    {"1.6", "Case Conference"},
    {"1.6.1", "With the transplant team"},
    {"1.6.2", "With the dialysis team"},
    {"1.7", "Follow-up"},
    {"1.7.1", "By telephone"},
    {"1.7.2", "By letter"},
    {"1.8", "Reports"},
    {"1.8.1", "Daily accomplishment"},
    {"1.8.1.1", "Census of in-patients seen"},
    {"1.8.1.2", "Census of out-patients seen"},
    {"1.8.2", "Monthly census of cases"},
    {"1.8.2.1", "Cases by category"},
    {"1.8.2.2", "Cases by classification"},
    {"1.8.3", "Annual report"},
    {"1.8.3.1", "Statistics"},
    {"1.8.3.2", "Narrative report"},
    {"2", "Administrative Work"},
    {"2.1", "Staff meeting"},
    {"2.2", "Training attended"},
    {"2.3", "Supervision"},
    {"3", "Research and Program Development"},
    {"3.1", "Patient satisfaction survey"},
    {"3.2", "Program planning"},
};

void writeOpsRates(db::Connection& c) {
    struct Rate {
        const char *code, *name;
        int pesos;
        bool active;
    };
    static const Rate rates[] = {
        {"OPS01", "Consultation - Nephrology Clinic", 300, true},
        {"OPS02", "Consultation - Transplant Clinic", 400, true},
        {"OPS03", "Hemodialysis Session (Service)", 2600, true},
        {"OPS04", "Hemodialysis Session (Pay)", 4500, true},
        {"OPS05", "CAPD Bag Exchange Training", 1500, true},
        {"OPS06", "Kidney Biopsy (Out-Patient)", 8500, true},
        {"OPS07", "Dialysis Catheter Care", 650, true},
        {"OPS08", "Post-Transplant Clinic Package", 1200, true},
        {"OPS09", "Living Donor Evaluation Package", 15000, true},
        {"OPS10", "Immunosuppressant Level Monitoring", 3200, true},
        {"OPS11", "Medical Certificate", 100, true},
        {"OPS12", "ECG with Reading", 350, true},
        {"OPS13", "Minor Suturing (old rate)", 500, false},
    };
    Rows rows(c, QStringLiteral("ZEP.tbZEPOPSRates"),
              {QStringLiteral("Code"), QStringLiteral("Description"), QStringLiteral("Price"),
               QStringLiteral("Status")});
    for (const Rate& r : rates)
        rows.add({u8(r.code), u8(r.name), double(r.pesos),
                  r.active ? QStringLiteral("A") : QStringLiteral("I")});
    rows.flush();
}

void writeRooms(db::Connection& c, Catalogues& cat) {
    const auto add = [&](const QString& id, const char* station, char rateClass, int pesosPerDay,
                         bool active = true) {
        cat.rooms.append(
            {id, u8(station), QLatin1Char(rateClass), qint64(pesosPerDay) * 100, active});
    };
    for (int i = 1; i <= 24; ++i)
        add(QStringLiteral("W3-%1").arg(i, 2, 10, QLatin1Char('0')), "3rd Floor Medical Ward", 'B',
            500);
    add(QStringLiteral("W3-25"), "3rd Floor Medical Ward", 'B', 500, false);
    for (int i = 1; i <= 20; ++i)
        add(QStringLiteral("W4-%1").arg(i, 2, 10, QLatin1Char('0')), "4th Floor Surgical Ward", 'B',
            500);
    for (int i = 1; i <= 10; ++i)
        add(QStringLiteral("PW-%1").arg(i, 2, 10, QLatin1Char('0')), "Pediatric Ward", 'B', 500);
    for (int i = 1; i <= 8; ++i)
        add(QStringLiteral("ICU-%1").arg(i, 2, 10, QLatin1Char('0')), "Intensive Care Unit", 'C',
            4000);
    for (int i = 1; i <= 6; ++i)
        add(QStringLiteral("TX-%1").arg(i, 2, 10, QLatin1Char('0')), "Transplant Unit", 'C', 3500);
    for (int i = 1; i <= 16; ++i)
        add(QString::number(300 + i), "Private Wing", 'C', 2800);
    for (int i = 1; i <= 4; ++i)
        add(QString::number(500 + i), "Suites", 'D', 5500);
    add(QStringLiteral("505"), "Suites", 'E', 7500);
    add(QStringLiteral("506"), "Suites", 'E', 7500);

    Rows rows(c, QStringLiteral("PATIENT_DATA.tbRoom"),
              {QStringLiteral("RoomID"), QStringLiteral("Station"), QStringLiteral("RateClass"),
               QStringLiteral("RoomRate"), QStringLiteral("Status")});
    for (const Room& r : cat.rooms)
        rows.add({r.id, r.station, QString(r.rateClass), pesos(r.rate),
                  r.active ? QStringLiteral("A") : QStringLiteral("I")});
    rows.flush();
}

void writeDoctors(db::Connection& c, Catalogues& cat) {
    struct Def {
        const char *last, *first, *middle, *specialty;
    };
    static const Def defs[] = {
        {"Villaraza", "Enrique", "Santos", "Nephrology"},
        {"Caguioa", "Maria Luisa", "Reyes", "Nephrology"},
        {"Ongsiako", "Benjamin", "Tan", "Nephrology"},
        {"Dalisay", "Rosalie", "Cruz", "Nephrology"},
        {"Mangubat", "Antonio", "Flores", "Nephrology"},
        {"Lagdameo", "Cecilia", "Bautista", "Nephrology"},
        {"Alvarado", "Romualdo", "Garcia", "Transplant Surgery"},
        {"Quisumbing", "Teresa", "Lopez", "Transplant Surgery"},
        {"Sotelo", "Victor", "Manalo", "Transplant Surgery"},
        {"Magsino", "Rafael", "Domingo", "Urology"},
        {"Cabangon", "Lilia", "Ramos", "Urology"},
        {"Ordoñez", "Ernesto", "Castillo", "Urology"},
        {"Tupas", "Gerardo", "Mendoza", "Vascular Surgery"},
        {"Bernabe", "Angelina", "Santiago", "Vascular Surgery"},
        {"Macaraig", "Jaime", "Aquino", "General Surgery"},
        {"Ledesma", "Carmina", "Rivera", "Internal Medicine"},
        {"Pimentel", "Oscar", "Torres", "Internal Medicine"},
        {"Villafuerte", "Ana Marie", "Perez", "Pediatric Nephrology"},
        {"Sebastian", "Lorenzo", "Navarro", "Pediatric Nephrology"},
        {"Abaya", "Joselito", "Marquez", "Anesthesiology"},
        {"Cojuangco", "Patricia", "Lim", "Cardiology"},
        {"Tantoco", "Reynaldo", "Sy", "Infectious Diseases"},
        {"Buenaflor", "Milagros", "Valdez", "Emergency Medicine"},
        {"Agcaoili", "Rodolfo", "Pascual", "Emergency Medicine"},
    };
    Rows rows(c, QStringLiteral("PATIENT_DATA.tbDoctor"),
              {QStringLiteral("DoctorID"), QStringLiteral("LastName"), QStringLiteral("FirstName"),
               QStringLiteral("MiddleName"), QStringLiteral("Specialty"),
               QStringLiteral("Status")});
    int n = 0;
    for (const Def& d : defs) {
        const QString id = QStringLiteral("DR%1").arg(++n, 3, 10, QLatin1Char('0'));
        rows.add({id, u8(d.last), u8(d.first), u8(d.middle), u8(d.specialty), QStringLiteral("A")});
        cat.doctors.append({id,
                            QStringLiteral("Dr. ") + u8(d.first) + QLatin1Char(' ') + u8(d.last),
                            u8(d.specialty)});
    }
    // A retired consultant: still named on old visits, no longer in the pickers.
    rows.add({QStringLiteral("DR099"), QStringLiteral("Evangelista"), QStringLiteral("Salvador"),
              QStringLiteral("Ramos"), QStringLiteral("Nephrology"), QStringLiteral("I")});
    rows.flush();
}

void writeSponsors(db::Connection& c, Catalogues& cat) {
    struct Def {
        const char *id, *name, *address;
        bool active;
    };
    static const Def defs[] = {
        {"PCSO", "Philippine Charity Sweepstakes Office", "Mandaluyong, Metro Manila", true},
        {"PDAF01", "Office of Rep. Ma. Lourdes Buenaventura (PDAF)",
         "House of Representatives, Quezon City", true},
        {"PDAF02", "Office of Rep. Gregorio M. Salonga (PDAF)",
         "House of Representatives, Quezon City", true},
        {"PDAF03", "Office of Sen. Ramon T. Villareal", "Senate of the Philippines, Pasay", true},
        {"LGU-QC", "Quezon City Social Services Development Department",
         "Quezon City Hall, Quezon City", true},
        {"LGU-BUL", "Provincial Government of Bulacan - Medical Assistance",
         "Capitol Compound, Malolos, Bulacan", true},
        {"KCFP", "Kidney Care Foundation of Luzon", "Cubao, Quezon City", true},
        {"KOFC", "Knights of Columbus Council 4521", "Sta. Mesa, Manila", true},
        {"MKTI-CF", "Mabuhay Kidney Institute Charity Fund", "Quezon City", true},
        {"ROTARY", "Rotary Club of Bagong Pag-asa", "Quezon City", false},
    };
    Rows rows(c, QStringLiteral("BILLING.tbBillCompany"),
              {QStringLiteral("CompanyID"), QStringLiteral("Company"), QStringLiteral("Address"),
               QStringLiteral("Status")});
    for (const Def& d : defs) {
        rows.add({u8(d.id), u8(d.name), u8(d.address),
                  d.active ? QStringLiteral("A") : QStringLiteral("I")});
        if (d.active)
            cat.companyIds.append(u8(d.id));
    }
    rows.flush();
}

void writeZipCodes(db::Connection& c) {
    Rows rows(c, QStringLiteral("BUILD_FILE.tbCoZipCode"),
              {QStringLiteral("ZipCode"), QStringLiteral("Town"), QStringLiteral("Province")});
    for (const Town& t : towns())
        rows.add({t.zipCode, t.town, t.province});
    rows.flush();
}

} // namespace

void writeHospital(db::Connection& c) {
    c.Execute(QStringLiteral("INSERT INTO PATIENT_DATA.tbHospitalInfo (HospitalID, Company, "
                             "ShortName, Address1, Address2, Title, TinNo, MTSServerName) "
                             "VALUES (1, ?, ?, ?, ?, ?, ?, ?)"),
              {QStringLiteral("Mabuhay Kidney and Transplant Institute"), QStringLiteral("MKTI"),
               QStringLiteral("27 Kalayaan Heights Avenue, Barangay Malinis, Quezon City"),
               QStringLiteral("1100 Metro Manila, Philippines"),
               QStringLiteral("Center for Kidney Care and Transplantation"),
               QStringLiteral("000-482-317-000"), QStringLiteral("MKTI-APP01")});
}

void writeCatalogues(db::Connection& c, Catalogues& out) {
    writeClasses(c, out);
    writeCodeLists(c, out);
    writeTree(c, QStringLiteral("ZEP.tbZEPServiceCategory"), kServices, int(std::size(kServices)),
              out.serviceCodes);
    writeTree(c, QStringLiteral("ZEP.tbZEPActivity"), kActivities, int(std::size(kActivities)),
              out.activityCodes);
    writeOpsRates(c);
    writeBuildFile(c, out);
    writeRooms(c, out);
    writeDoctors(c, out);
    writeSponsors(c, out);
    writeZipCodes(c);
}

const Item& Catalogues::item(const QString& revenueId, const QString& itemId) const {
    for (const Item& i : items)
        if (i.revenueId == revenueId && i.itemId == itemId)
            return i;
    db::raise(QStringLiteral("The demo charges an item that is not in its build file: ") +
              revenueId + QLatin1Char('/') + itemId);
}

QVector<const Item*> Catalogues::itemsOf(const QString& revenueId) const {
    QVector<const Item*> v;
    for (const Item& i : items)
        if (i.revenueId == revenueId)
            v.append(&i);
    return v;
}

const ClassRow* Catalogues::classByCode(const QString& code) const {
    for (const ClassRow& k : classes)
        if (k.code == code)
            return &k;
    return nullptr;
}

int Catalogues::caseCategory(const QString& name) const {
    return int(caseCategoryNames.indexOf(name));
}

QString categoryIdOf(const Catalogues& cat, const Problem& pr) {
    const int i = cat.caseCategory(QString::fromUtf8(pr.category));
    return i < 0 ? QString() : cat.caseCategoryIds.at(i);
}

} // namespace tools::demo
