#include "codeditem.h"

namespace rules {

QString makeCodedItem(const QString& display, const QString& code, CodedItemFormat fmt) {
    return display + QString(fmt.blanks, QLatin1Char(' ')) + code;
}

QString codedItemCode(const QString& item, CodedItemFormat fmt) {
    return item.right(fmt.width).trimmed();
}

QString codedItemText(const QString& item, CodedItemFormat fmt) {
    return item.left(qMax(0, int(item.size()) - fmt.width)).trimmed();
}

QString leadingCode(const QString& item, int count) {
    return item.left(count).trimmed();
}

} // namespace rules
