#pragma once
// The classification scheme screen's rules, without widgets: the summary texts, percentage
// entry and stepping, the next row key and the button states after each action.
#include <QString>
#include <QStringList>
#include <optional>

class clsPercentages;

namespace intake {

// "50% on Procedures; 25% on Meds/Supplies; 75% on Room", or "...; Free Room" when the room
// box reads exactly "0%". The percentages are the boxes' texts as shown.
QString inPatientSummary(const QString& procedures, const QString& medicines, const QString& room);
// "50% on Procedures; 25% on Meds/Supplies".
QString outPatientSummary(const QString& procedures, const QString& medicines);

// The percentage a fraction box stands for: "0.5" gives "50%", "0.255" gives "25.5%"; a
// text that is not a number gives an empty text.
QString percentFromFraction(const QString& fraction);

// A typed percentage as "N%": digits with at most one decimal point, with or without the
// percent sign ("75" and "75%" both give "75%"). Anything else (letters, signs, blanks
// inside, an empty number) is not a percentage.
std::optional<QString> percentEntry(const QString& text);

// What a percentage box shows after Enter or a spinner step, and the fraction behind it.
struct PercentResult {
    bool ok = false; // false: the text could not be read; nothing changes
    QString display;
    double fraction = 0;
};

// Enter in a percentage box: an accepted entry (see percentEntry) through ShowPercent with
// mode "None". ok is false for a text that is not a percentage.
PercentResult enterPercent(clsPercentages& p, const QString& text);
// A spinner step ("Up" or "Down") on the box's text through ShowPercent. A percentage with
// more characters than ShowPercent reads (25.5%) steps by one from its own value.
PercentResult stepPercent(clsPercentages& p, const QString& mode, const QString& text);

// The key for a new class: "A" and one more than the highest number among the keys of the
// form "A<number>" ("A1" when there is none). Keys of other forms are left out, so the key
// handed out never belongs to a class already on file.
QString nextClassificationType(const QStringList& types);

// The enabled state of the buttons and the entry boxes.
struct ButtonStates {
    bool New = true, Edit = true, Save = false, Delete = true, Cancel = true, Close = true;
    bool boxes = false;
    bool operator==(const ButtonStates&) const = default;
};

enum class Action { Open, New, Edit, DoubleClick, Cancel, Save, Delete };

// The states after an action, from the states before it (some actions leave Delete alone).
ButtonStates statesAfter(Action action, const ButtonStates& before);

} // namespace intake
