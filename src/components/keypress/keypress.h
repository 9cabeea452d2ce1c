#pragma once
// Stand-in for the hospital's key-press component ("Quorin.KeyPress"). Start-up creates
// it and keeps it for the life of the process; no member of it is used.
#include <QObject>

namespace keypress {
class KeyPress : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};
} // namespace keypress
