#pragma once
// What the intake sheet sends on Save, without widgets: the number rules of the family
// grid, the values of each call, and the call sequence itself.
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>

namespace db {
class Connection;
}

namespace intake {

// True when the text reads as a number ("1200", " 1200.50 ", "-3"); empty is not a number.
bool readsAsNumber(const QString& text);
// The number a cell holds; 0 for empty or non-numeric text.
double numberOr0(const QString& text);
// The sum of the incomes (non-numeric ones count 0).
double totalIncome(const QStringList& incomes);

// The civil status the sheet keeps for option `index` (0 to 3); empty for "Divorced" and
// for no option.
QString civilStatusText(int index);

struct IntakeSave {
    QString hospNum;
    QVariantList sheet;          // the 32 values of the sheet
    QVariantList other;          // the 27 values of the other information
    QVariantList patient;        // the 12 values of the case data
    QVector<QStringList> family; // the grid's rows, columns 0 to 7 (7 is the income)
    double totalIncome = 0;
};

// The family rows worth saving: a row with every cell empty (the one a last Enter adds) is
// left out; any other row is sent as it stands.
QVector<QStringList> familyRowsToSave(const QVector<QStringList>& rows);

// Sends the sheet, the other information, the case data and the family (cleared, then row
// by row) in one transaction: either all of it is saved or none. Throws db::Error.
void send(db::Connection& conn, const IntakeSave& s);

} // namespace intake
