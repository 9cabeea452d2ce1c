// The demo hospital's build file: the revenue centres and every chargeable item with its
// rates A to E and its QFS discount properties.
#include "demo_internal.h"

#include "db/connection.h"

#include <cmath>

namespace tools::demo {

namespace {

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

// Revenue centres. The codes are the ones the discount computation groups by.
void writeRevenueCodes(db::Connection& c) {
    struct Centre {
        const char *id, *name;
        bool items;
    };
    static const Centre centres[] = {
        {"LB", "Laboratory", true},
        {"XR", "Radiology - X-Ray", true},
        {"US", "Ultrasound", true},
        {"CT", "CT-Scan", true},
        {"NU", "Nuclear Medicine", true},
        {"PT", "Physical Therapy", true},
        {"PA", "Respiratory Therapy", true},
        {"HS", "Heart Station", true},
        {"RA", "Room and Board", true},
        {"PH", "Pharmacy - Medicines", true},
        {"RN", "Dialysis Medicines", true},
        {"CS", "Central Supply", true},
        {"OS", "Operating Room Supplies", true},
        {"OR", "Operating Room", true},
        {"DI", "Dialysis Unit", true},
        {"NE", "Neurophysiology", true},
        {"ER", "Emergency Room", true},
        {"MD", "Professional Fees", false},
        {"QF", "QFS Discount", false},
    };
    Rows rows(c, QStringLiteral("BUILD_FILE.tbCoRevenueCode"),
              {QStringLiteral("RevenueID"), QStringLiteral("ItemName"), QStringLiteral("Rwith"),
               QStringLiteral("RecordStatus")});
    for (const Centre& k : centres)
        rows.add({u8(k.id), u8(k.name), k.items ? QStringLiteral("Y") : QStringLiteral("N"),
                  QStringLiteral("A")});
    rows.flush();
}

// Rates for (A) OPD, (B) ward, (C) private, (D) and (E) suites from the ward rate, rounded
// to five pesos as the hospital's price list is.
void ratesFrom(int ward, bool fixed, qint64 (&rate)[5]) {
    static const double factor[5] = {0.9, 1.0, 1.25, 1.5, 1.75};
    for (int k = 0; k < 5; ++k) {
        const double p = fixed ? ward : std::round(ward * factor[k] / 5.0) * 5.0;
        rate[k] = qint64(p) * 100;
    }
}

void writeItems(db::Connection& c, Catalogues& cat) {
    struct Def {
        const char *rev, *id, *name, *section;
        int ward;    // pesos, the ward rate
        int qfsType; // 0 none, 1 classification, 2 fixed 20%, 3 the rate below
        double qfsRate;
        bool fixed;
    };
    static const Def defs[] = {
        {"LB", "LB0001", "Complete Blood Count", "HEM", 250, 1, 0, false},
        {"LB", "LB0002", "Urinalysis", "CM", 120, 1, 0, false},
        {"LB", "LB0003", "Serum Creatinine", "CHEM", 180, 1, 0, false},
        {"LB", "LB0004", "Blood Urea Nitrogen", "CHEM", 180, 1, 0, false},
        {"LB", "LB0005", "Serum Sodium", "CHEM", 200, 1, 0, false},
        {"LB", "LB0006", "Serum Potassium", "CHEM", 200, 1, 0, false},
        {"LB", "LB0007", "Serum Calcium", "CHEM", 220, 1, 0, false},
        {"LB", "LB0008", "Serum Phosphorus", "CHEM", 250, 1, 0, false},
        {"LB", "LB0009", "Uric Acid", "CHEM", 180, 1, 0, false},
        {"LB", "LB0010", "Fasting Blood Sugar", "CHEM", 150, 1, 0, false},
        {"LB", "LB0011", "HbA1c", "CHEM", 750, 1, 0, false},
        {"LB", "LB0012", "Lipid Profile", "CHEM", 650, 1, 0, false},
        {"LB", "LB0013", "SGPT (ALT)", "CHEM", 220, 1, 0, false},
        {"LB", "LB0014", "Serum Albumin", "CHEM", 250, 1, 0, false},
        {"LB", "LB0015", "Hepatitis B Surface Antigen", "IMM", 350, 1, 0, false},
        {"LB", "LB0016", "Anti-HCV", "IMM", 650, 1, 0, false},
        {"LB", "LB0017", "Blood Typing", "BB", 150, 0, 0, true},
        {"LB", "LB0018", "Crossmatching", "BB", 450, 0, 0, true},
        {"LB", "LB0019", "Tacrolimus Trough Level", "SPEC", 3500, 3, 0.15, false},
        {"LB", "LB0020", "Cyclosporine Level", "SPEC", 3200, 3, 0.15, false},
        {"LB", "LB0021", "HLA Typing", "HLA", 18000, 3, 0.30, true},
        {"LB", "LB0022", "Panel Reactive Antibody", "HLA", 9500, 3, 0.30, true},
        {"LB", "LB0023", "24-Hour Urine Creatinine Clearance", "CHEM", 550, 1, 0, false},
        {"LB", "LB0024", "Urine Culture and Sensitivity", "MIC", 850, 1, 0, false},
        {"LB", "LB0025", "Blood Culture and Sensitivity", "MIC", 1200, 1, 0, false},
        {"LB", "LB0026", "Intact PTH", "IMM", 1800, 1, 0, false},
        {"LB", "LB0027", "Serum Ferritin", "IMM", 900, 1, 0, false},
        {"LB", "LB0028", "Prothrombin Time", "HEM", 350, 1, 0, false},
        {"LB", "LB0029", "Arterial Blood Gas", "CHEM", 950, 1, 0, false},
        {"XR", "XR0001", "Chest PA", "GEN", 350, 1, 0, false},
        {"XR", "XR0002", "Chest PA-Lateral", "GEN", 550, 1, 0, false},
        {"XR", "XR0003", "Plain KUB", "GEN", 450, 1, 0, false},
        {"XR", "XR0004", "Abdomen Supine and Upright", "GEN", 700, 1, 0, false},
        {"XR", "XR0005", "Intravenous Pyelogram", "SPC", 3500, 1, 0, false},
        {"XR", "XR0006", "Retrograde Pyelogram", "SPC", 3800, 1, 0, false},
        {"XR", "XR0007", "Voiding Cystourethrogram", "SPC", 3200, 1, 0, false},
        {"XR", "XR0008", "Fistulogram", "SPC", 4500, 2, 0, false},
        {"XR", "XR0009", "Pelvis AP", "GEN", 450, 1, 0, false},
        {"XR", "XR0010", "Lumbosacral Spine AP-Lateral", "GEN", 750, 1, 0, false},
        {"US", "US0001", "Whole Abdomen Ultrasound", "ABD", 1800, 1, 0, false},
        {"US", "US0002", "KUB Ultrasound", "ABD", 1200, 1, 0, false},
        {"US", "US0003", "Renal Doppler Ultrasound", "VAS", 2800, 1, 0, false},
        {"US", "US0004", "Transplant Kidney Ultrasound with Doppler", "VAS", 3200, 1, 0, false},
        {"US", "US0005", "Prostate Ultrasound (Transabdominal)", "ABD", 1100, 1, 0, false},
        {"US", "US0006", "Bladder Ultrasound with Post-Void Residual", "ABD", 900, 1, 0, false},
        {"US", "US0007", "AV Fistula Duplex Scan", "VAS", 2500, 2, 0, false},
        {"US", "US0008", "Ultrasound-Guided Kidney Biopsy", "INT", 6500, 3, 0.20, false},
        {"CT", "CT0001", "Cranial CT Scan (Plain)", "HEAD", 3800, 1, 0, false},
        {"CT", "CT0002", "CT KUB Stone Protocol", "ABD", 5200, 1, 0, false},
        {"CT", "CT0003", "CT Abdomen with Contrast", "ABD", 8500, 1, 0, false},
        {"CT", "CT0004", "CT Urography", "ABD", 9500, 1, 0, false},
        {"CT", "CT0005", "CT Angiography of Renal Arteries", "VAS", 14500, 3, 0.10, false},
        {"CT", "CT0006", "Chest CT Scan (Plain)", "CHST", 5500, 1, 0, false},
        {"NU", "NU0001", "DTPA Renal Scan", "REN", 7500, 2, 0, false},
        {"NU", "NU0002", "DMSA Renal Scan", "REN", 7800, 2, 0, false},
        {"NU", "NU0003", "MAG3 Renogram with Lasix", "REN", 9500, 2, 0, false},
        {"NU", "NU0004", "Whole Body Bone Scan", "ONC", 8500, 1, 0, false},
        {"NU", "NU0005", "Parathyroid Scan (Sestamibi)", "END", 9000, 1, 0, false},
        {"NU", "NU0006", "Measured GFR (Tc-99m DTPA)", "REN", 6500, 2, 0, false},
        {"PT", "PT0001", "Initial Evaluation", "REH", 500, 1, 0, false},
        {"PT", "PT0002", "Therapeutic Exercise (per session)", "REH", 400, 1, 0, false},
        {"PT", "PT0003", "Gait Training", "REH", 400, 1, 0, false},
        {"PT", "PT0004", "Transcutaneous Electrical Nerve Stimulation", "REH", 350, 1, 0, false},
        {"PT", "PT0005", "Hot Moist Pack", "REH", 200, 0, 0, true},
        {"PT", "PT0006", "Pulmonary Rehabilitation", "REH", 450, 1, 0, false},
        {"PA", "PA0001", "Nebulization", "RT", 180, 1, 0, false},
        {"PA", "PA0002", "Oxygen Therapy (per hour)", "RT", 60, 1, 0, false},
        {"PA", "PA0003", "Incentive Spirometry", "RT", 250, 1, 0, false},
        {"PA", "PA0004", "Chest Physiotherapy", "RT", 300, 1, 0, false},
        {"PA", "PA0005", "Mechanical Ventilator (per day)", "RT", 3500, 1, 0, false},
        {"PA", "PA0006", "Pulse Oximetry Monitoring", "RT", 150, 0, 0, true},
        {"HS", "HS0001", "12-Lead ECG", "ECG", 350, 1, 0, false},
        {"HS", "HS0002", "2D Echocardiogram with Doppler", "ECH", 3500, 1, 0, false},
        {"HS", "HS0003", "Treadmill Stress Test", "STR", 2800, 1, 0, false},
        {"HS", "HS0004", "24-Hour Holter Monitoring", "HOL", 4200, 1, 0, false},
        {"HS", "HS0005", "24-Hour Ambulatory BP Monitoring", "HOL", 3500, 1, 0, false},
        {"RA", "RA0001", "Ward Bed (per day)", "", 500, 1, 0, true},
        {"RA", "RA0002", "Private Room (per day)", "", 2800, 1, 0, true},
        {"RA", "RA0003", "Suite (per day)", "", 5500, 1, 0, true},
        {"RA", "RA0004", "Executive Suite (per day)", "", 7500, 1, 0, true},
        {"RA", "RA0005", "Intensive Care Unit (per day)", "", 4000, 1, 0, true},
        {"RA", "RA0006", "Transplant Isolation Room (per day)", "", 3500, 1, 0, true},
        {"PH", "PH0001", "Amlodipine 10 mg tablet", "", 12, 1, 0, false},
        {"PH", "PH0002", "Losartan 50 mg tablet", "", 15, 1, 0, false},
        {"PH", "PH0003", "Furosemide 40 mg tablet", "", 6, 1, 0, false},
        {"PH", "PH0004", "Calcium Carbonate 500 mg tablet", "", 5, 1, 0, false},
        {"PH", "PH0005", "Sevelamer 800 mg tablet", "", 48, 1, 0, false},
        {"PH", "PH0006", "Ceftriaxone 1 g vial", "", 185, 1, 0, false},
        {"PH", "PH0007", "Omeprazole 40 mg vial", "", 160, 1, 0, false},
        {"PH", "PH0008", "Tacrolimus 1 mg capsule", "", 210, 3, 0.10, false},
        {"PH", "PH0009", "Mycophenolate Mofetil 500 mg tablet", "", 150, 3, 0.10, false},
        {"PH", "PH0010", "Prednisone 5 mg tablet", "", 4, 1, 0, false},
        {"PH", "PH0011", "Basiliximab 20 mg vial", "", 68000, 3, 0.05, false},
        {"PH", "PH0012", "Human Albumin 25% 50 mL", "", 4200, 1, 0, false},
        {"PH", "PH0013", "Plain Normal Saline Solution 1 L", "", 95, 1, 0, false},
        {"PH", "PH0014", "Methylprednisolone 500 mg vial", "", 1650, 1, 0, false},
        {"PH", "PH0015", "Insulin Regular 100 IU/mL vial", "", 480, 1, 0, false},
        {"RN", "RN0001", "Erythropoietin 4,000 IU prefilled syringe", "", 950, 1, 0, false},
        {"RN", "RN0002", "Iron Sucrose 100 mg ampule", "", 520, 1, 0, false},
        {"RN", "RN0003", "Heparin 5,000 IU/mL vial", "", 210, 1, 0, false},
        {"CS", "CS0001", "IV Cannula G18", "", 45, 1, 0, false},
        {"CS", "CS0002", "Disposable Syringe 5 mL", "", 8, 1, 0, false},
        {"CS", "CS0003", "Foley Catheter Fr 16", "", 120, 1, 0, false},
        {"CS", "CS0004", "Dialyzer (High Flux)", "", 1350, 1, 0, false},
        {"CS", "CS0005", "Blood Lines Set", "", 480, 1, 0, false},
        {"CS", "CS0006", "AV Fistula Needle Pair", "", 160, 1, 0, false},
        {"CS", "CS0007", "Double-Lumen Dialysis Catheter", "", 5800, 1, 0, false},
        {"CS", "CS0008", "Sterile Gloves (pair)", "", 25, 0, 0, true},
        {"CS", "CS0009", "Urine Bag", "", 55, 1, 0, false},
        {"CS", "CS0010", "Peritoneal Dialysis Solution 2 L", "", 520, 1, 0, false},
        {"OS", "OS0001", "Absorbable Suture", "", 420, 1, 0, false},
        {"OS", "OS0002", "Major Surgical Pack", "", 3500, 1, 0, false},
        {"OR", "OR0001", "Operating Room Fee - Minor", "", 3500, 1, 0, false},
        {"OR", "OR0002", "Operating Room Fee - Major", "", 12000, 1, 0, false},
        {"OR", "OR0003", "Kidney Transplant Package", "", 185000, 3, 0.20, false},
        {"OR", "OR0004", "Laparoscopic Donor Nephrectomy", "", 95000, 3, 0.20, false},
        {"OR", "OR0005", "AV Fistula Creation", "", 18000, 1, 0, false},
        {"OR", "OR0006", "Ureteroscopic Lithotripsy", "", 45000, 1, 0, false},
        {"DI", "DI0001", "Hemodialysis Session", "", 2600, 1, 0, true},
        {"DI", "DI0002", "Acute Hemodialysis (Bedside)", "", 6500, 1, 0, false},
        {"DI", "DI0003", "CAPD Training", "", 1500, 1, 0, false},
        {"DI", "DI0004", "Peritoneal Dialysis Exchange", "", 950, 1, 0, false},
        {"NE", "NE0001", "Electroencephalogram", "", 2500, 1, 0, false},
        {"NE", "NE0002", "Nerve Conduction Velocity Study", "", 4500, 1, 0, false},
        {"ER", "ER0001", "Emergency Room Fee", "", 500, 0, 0, true},
        {"ER", "ER0002", "Minor Suturing", "", 800, 0, 0, false},
    };
    Rows rows(c, QStringLiteral("BUILD_FILE.tbCoRevenueItem"),
              {QStringLiteral("RevenueID"), QStringLiteral("ItemID"), QStringLiteral("ItemName"),
               QStringLiteral("SectionID"), QStringLiteral("RateA"), QStringLiteral("RateB"),
               QStringLiteral("RateC"), QStringLiteral("RateD"), QStringLiteral("RateE"),
               QStringLiteral("FixRate"), QStringLiteral("QFSType"), QStringLiteral("QFSRate"),
               QStringLiteral("RecordStatus")});
    for (const Def& d : defs) {
        Item it{u8(d.rev), u8(d.id), u8(d.name), {}};
        ratesFrom(d.ward, d.fixed, it.rate);
        rows.add({it.revenueId, it.itemId, it.name, u8(d.section), pesos(it.rate[0]),
                  pesos(it.rate[1]), pesos(it.rate[2]), pesos(it.rate[3]), pesos(it.rate[4]),
                  d.fixed ? 1 : 0, d.qfsType, d.qfsRate, QStringLiteral("A")});
        cat.items.append(it);
    }
    // One withdrawn item, so the active-items list has something to leave out.
    rows.add({QStringLiteral("XR"), QStringLiteral("XR0099"),
              QStringLiteral("Tomogram (withdrawn)"), QStringLiteral("SPC"), 900.0, 1000.0, 1250.0,
              1500.0, 1750.0, 0, 1, 0.0, QStringLiteral("I")});
    rows.flush();
}

} // namespace

void writeBuildFile(db::Connection& c, Catalogues& out) {
    writeRevenueCodes(c);
    writeItems(c, out);
}

} // namespace tools::demo
