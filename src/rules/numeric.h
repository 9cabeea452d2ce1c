#pragma once
// Reading a number that a user typed or a screen holds as text.
#include <QString>
#include <optional>

namespace rules {

// The text as a number: blanks around it are ignored; an optional sign, digits with at most
// one decimal point ("." only), and an optional exponent ("1e3"). Empty text, thousands
// separators, letters, and infinities or NaN are not numbers.
std::optional<double> readNumber(const QString& text);

// Whether a visit number is an in-patient admission's: all digits (0-9) and not empty.
// Out-patient and ER numbers end in a letter; a conversion to a number is not the test, as
// it would also take "1e5", "inf", " 12" or "-3".
bool isNumericVisitNumber(const QString& idNum);

} // namespace rules
