#include "classificationrules.h"

#include "db/numbers.h"
#include "discount/clsPercentages.h"
#include "rules/numeric.h"

#include <QRegularExpression>

namespace intake {

QString inPatientSummary(const QString& procedures, const QString& medicines, const QString& room) {
    const QString roomPart = room == QLatin1String("0%") ? QStringLiteral("Free Room")
                                                         : room + QStringLiteral(" on Room");
    return procedures + QStringLiteral(" on Procedures; ") + medicines +
           QStringLiteral(" on Meds/Supplies; ") + roomPart;
}

QString outPatientSummary(const QString& procedures, const QString& medicines) {
    return procedures + QStringLiteral(" on Procedures; ") + medicines +
           QStringLiteral(" on Meds/Supplies");
}

QString percentFromFraction(const QString& fraction) {
    const std::optional<double> f = rules::readNumber(fraction);
    if (!f)
        return {};
    // 15 significant digits, as the number-to-text rule writes them, absorb the binary
    // error of the product (0.255 * 100 is 25.500000000000004).
    return db::numberToText(*f * 100) + QLatin1Char('%');
}

std::optional<QString> percentEntry(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)%?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    QString body = text;
    if (body.endsWith(QLatin1Char('%')))
        body.chop(1);
    return body + QLatin1Char('%');
}

namespace {

// ShowPercent reads at most three characters before the sign.
constexpr qsizetype longestShowPercentText = 4;

PercentResult direct(clsPercentages& p, double value) {
    p.decPercent = value / 100;
    return {true, db::numberToText(value) + QLatin1Char('%'), p.decPercent};
}

PercentResult show(clsPercentages& p, const QString& mode, const QString& text) {
    bool ok = false;
    const QString display = p.ShowPercent(mode, text, &ok);
    if (!ok || display.isEmpty())
        return {};
    return {true, display, p.decPercent};
}

} // namespace

PercentResult enterPercent(clsPercentages& p, const QString& text) {
    const std::optional<QString> entry = percentEntry(text);
    if (!entry)
        return {};
    if (entry->size() > longestShowPercentText)
        return direct(p, *rules::readNumber(entry->chopped(1)));
    return show(p, QStringLiteral("None"), *entry);
}

PercentResult stepPercent(clsPercentages& p, const QString& mode, const QString& text) {
    const int step = mode == QLatin1String("Up") ? 1 : mode == QLatin1String("Down") ? -1 : 0;
    if (step == 0)
        return {};
    const std::optional<QString> entry = percentEntry(text);
    if (entry && text.endsWith(QLatin1Char('%')) && entry->size() > longestShowPercentText)
        return direct(p, *rules::readNumber(entry->chopped(1)) + step);
    return show(p, mode, text);
}

QString nextClassificationType(const QStringList& types) {
    static const QRegularExpression key(QStringLiteral("^A(\\d{1,9})$"));
    long long highest = 0;
    for (const QString& t : types) {
        const QRegularExpressionMatch m = key.match(t.trimmed());
        if (m.hasMatch())
            highest = std::max(highest, m.captured(1).toLongLong());
    }
    return QLatin1Char('A') + QString::number(highest + 1);
}

ButtonStates statesAfter(Action action, const ButtonStates& before) {
    ButtonStates s;
    s.Cancel = true;
    s.Close = true;
    switch (action) {
    case Action::New:
        s.New = true, s.Edit = false, s.Save = true, s.Delete = false, s.boxes = true;
        break;
    case Action::Edit:
        s.New = false, s.Edit = true, s.Save = true, s.Delete = false, s.boxes = true;
        break;
    case Action::DoubleClick:
    case Action::Cancel:
    case Action::Delete:
        s.New = true, s.Edit = true, s.Save = false, s.Delete = before.Delete, s.boxes = false;
        break;
    case Action::Open:
    case Action::Save:
        s.New = true, s.Edit = true, s.Save = false, s.Delete = true, s.boxes = false;
        break;
    }
    return s;
}

} // namespace intake
