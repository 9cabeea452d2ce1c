#include "intakesave.h"

#include "db/connection.h"

#include <QLocale>

namespace intake {

bool readsAsNumber(const QString& text) {
    bool ok = false;
    QLocale::c().toDouble(text.trimmed(), &ok);
    return ok;
}

double numberOr0(const QString& text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? v : 0.0;
}

double totalIncome(const QStringList& incomes) {
    double sum = 0;
    for (const QString& t : incomes)
        sum += numberOr0(t);
    return sum;
}

QString civilStatusText(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("Single");
    case 1:
        return QStringLiteral("Separated");
    case 2:
        return QStringLiteral("Married");
    case 3:
        return QStringLiteral("Widow/er");
    default:
        return {};
    }
}

QVector<QStringList> familyRowsToSave(const QVector<QStringList>& rows) {
    QVector<QStringList> out;
    for (const QStringList& row : rows) {
        bool blank = true;
        for (const QString& c : row)
            blank = blank && c.trimmed().isEmpty();
        if (!blank)
            out << row;
    }
    return out;
}

void send(db::Connection& conn, const IntakeSave& s) {
    db::Transaction t(conn);
    conn.Call(QStringLiteral("ZEP..sp_ZEP_SaveIntakeSheetData"), s.sheet);
    conn.Call(QStringLiteral("ZEP..sp_ZEP_SaveOtherPatientInfo"), s.other);
    conn.Call(QStringLiteral("ZEP..sp_ZEP_SavePatientData"), s.patient);
    conn.Call(QStringLiteral("ZEP..sp_ZEP_ClearFamilyComposition"), {s.hospNum.trimmed()});
    for (const QStringList& row : familyRowsToSave(s.family)) {
        QVariantList values{s.hospNum};
        for (int c = 0; c < 7; ++c)
            values << row.value(c);
        values << numberOr0(row.value(7)) << s.totalIncome;
        conn.Call(QStringLiteral("ZEP..sp_ZEP_SaveFamilyComposition"), values);
    }
    t.commit();
}

} // namespace intake
