#pragma once
// What the referral report sends on Save, without widgets: the values of its four
// statements and the save itself, one transaction from the case-number check to the commit.
#include <QString>
#include <QVariantList>

namespace db {
class Connection;
}

namespace referral {

struct ArrSave {
    QString hospNum;      // the screen's HospNum property, as given
    QString idNum;        // the screen's IDNUM property, as given
    QString shownHospNum; // the txtHospNum text
    QString shownIdNum;   // the txtIDNum text
    QString caseNumber;   // the txtZEPNum text
    QString classCode;    // the chosen class's code
    QString categoryName; // the case category's name (or the option's fallback)
    QString categoryId;
    QString parentCategoryId;
    QString referringParty;
    QString remarks;
    QString intakeDate; // "mm/dd/yyyy"
    QString expiryDate; // "mm/dd/yyyy"
    QString workerCode;
    QString userCode; // the logged-in user's employee code
    bool pcso = false;
    bool sponsor = false;
    bool special = false;
    QString pcsoType;    // "E", "G", "C" or empty
    QString counterpart; // the txtNC text
    bool active = false;
    QString statusCode;         // the tag of the case status box
    QString serviceCodes;       // "1.2|1.3|"
    QString documentationFlags; // 18 values, "1|0|...|"
    QString activityCodes;
};

// The counterpart as the save sends it: empty reads as 0, and the number is written in its
// shortest form ("1500.50" -> "1500.5", "0.00" -> "0"). Empty optional for text that is not
// a number.
QString counterpartText(const QString& typed, bool* ok = nullptr);

// The values of each statement, in the order the procedures take them.
QVariantList assessmentValues(const ArrSave& s);    // 22 values
QVariantList transactionValues(const ArrSave& s);   // 10 values
QVariantList documentationValues(const ArrSave& s); // 9 values
// The removal of the department's pending charge ('QF') from the visit's bill: the
// admission's bill for an all-digit visit number, the out-patient bill for any other.
QString chargeRemovalStatement(const QString& idNum);

struct SaveOutcome {
    bool saved = false;
    QString owner; // set when the case number belongs to another patient: nothing written
};

// Checks the case number and sends the assessment, the transaction log, the charge removal
// (not for a special case) and the documentation in one transaction: all or nothing.
// Throws db::Error on any failure, after rolling back.
SaveOutcome send(db::Connection& conn, const ArrSave& s);

} // namespace referral
