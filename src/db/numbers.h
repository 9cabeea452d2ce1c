#pragma once
// The one number-to-text rule of the system: up to 15 significant digits, no trailing
// zeros, no thousands separator, "." as the decimal point ("12.5", "0.15", "1000").
#include <QString>

namespace db {
QString numberToText(double value);
} // namespace db
