#pragma once
// Turns the text of a percentage box ("75%") into its display text and decimal fraction,
// optionally one percent up or down. The classification scheme keeps one instance for all
// its percentage boxes, so decPercent is always the fraction of the last box handled.
#include <QString>

class clsPercentages {
public:
    // The fraction of the last successful ShowPercent (0.75 for 75%).
    double decPercent = 0;

    // mode is "Up", "Down" or "None" (exactly so). The text is taken to be digits and one
    // percent sign: the number is read from the text's leading characters by its length
    // (four characters: three, three: two, two or one: one), so the last character counts as
    // the percent sign even when it is not one. Steps are not clamped: 100% up gives 101%.
    //
    // Returns the number followed by "%" and sets decPercent to the number / 100. Texts of
    // other lengths step to a plain "1" (0.01) or "0" (0); "Down" on one character gives "0".
    // An unknown mode gives empty text and leaves decPercent alone.
    //
    // When the leading characters are not a number (for example "ab%"), *ok is set false, the
    // result is empty and decPercent keeps its value; *ok is true otherwise.
    QString ShowPercent(const QString& mode, const QString& strPercent, bool* ok = nullptr);
};
