#pragma once
// Coded pick-list items: the text a list shows, a run of blanks wide enough to push the code
// out of sight, then the code. The code is read back by a fixed count of characters from the
// right (or, for the class combo, from the left), so the run of blanks must be at least as
// long as that count and the code no longer than it.
#include <QString>

namespace rules {

struct CodedItemFormat {
    int blanks; // blanks between the text and the code
    int width;  // characters read back from the right as the code
};

// lstServices and lstactivity on the referral report.
inline constexpr CodedItemFormat kServiceListItem{150, 10};
// The selection list of the service and activity pickers.
inline constexpr CodedItemFormat kPickerItem{100, 10};
// lstCategory and lstParentCategory (ids of at most two characters).
inline constexpr CodedItemFormat kCategoryItem{100, 2};

// display + `fmt.blanks` blanks + code.
QString makeCodedItem(const QString& display, const QString& code, CodedItemFormat fmt);
// The item's last `fmt.width` characters, trimmed.
QString codedItemCode(const QString& item, CodedItemFormat fmt);
// The item without its last `fmt.width` characters, trimmed.
QString codedItemText(const QString& item, CodedItemFormat fmt);

// The item's first `count` characters, trimmed: the class combo shows Code + " -" + name and
// reads the code from the left.
QString leadingCode(const QString& item, int count);

} // namespace rules
