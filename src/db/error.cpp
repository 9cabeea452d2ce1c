#include "error.h"

namespace db {

Error::Error(ErrorItem item)
    : std::runtime_error(item.Description.toStdString()), item_(std::move(item)) {}

void raise(const QString& description, long number) {
    throw Error(ErrorItem{number, QStringLiteral("ZEP"), description});
}

} // namespace db
