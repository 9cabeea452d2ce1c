// Coded pick-list items: a code no longer than the read-back width, placed after the text
// with the list's run of blanks, is read back exactly, and so is the text.
#include "fuzzinput.h"
#include "rules/codeditem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString display, code;
    fuzz::twoTexts(data, size, &display, &code);
    for (const rules::CodedItemFormat fmt :
         {rules::kServiceListItem, rules::kPickerItem, rules::kCategoryItem}) {
        // Any text at all: reading must stay inside it.
        (void)rules::codedItemCode(display, fmt);
        (void)rules::codedItemText(display, fmt);
        (void)rules::leadingCode(display, fmt.width);
        (void)rules::leadingCode(display, -fmt.width);

        const QString c = code.left(fmt.width).trimmed();
        const QString item = rules::makeCodedItem(display, c, fmt);
        if (rules::codedItemCode(item, fmt) != c)
            fuzz::broken("the code does not read back", item);
        if (rules::codedItemText(item, fmt) != display.trimmed())
            fuzz::broken("the text does not read back", item);
    }
    return 0;
}
