#pragma once
// Reading a number that a user typed or a screen holds as text.
#include <QString>
#include <optional>

namespace rules {

// The text as a number: blanks around it are ignored; an optional sign, digits with at most
// one decimal point ("." only), and an optional exponent ("1e3"). Empty text, thousands
// separators, letters, and infinities or NaN are not numbers.
std::optional<double> readNumber(const QString& text);

} // namespace rules
