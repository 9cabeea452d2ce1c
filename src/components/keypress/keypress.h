#pragma once
// Stand-in for the hospital's key-press component ("Quorin.KeyPress"). Start-up creates
// it and keeps it for the life of the process; no member of it is used.
#include <QObject>

namespace keypress {
// No signals or slots, so no meta-object of its own.
class KeyPress : public QObject {
public:
    using QObject::QObject;
};
} // namespace keypress
