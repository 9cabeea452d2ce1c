#pragma once
// Shared single instances of screens and dialogs: the patient list and the report dialogs
// are one object each, made on first use. A screen that deletes itself on close simply
// comes back new on the next use; a dialog that stays keeps the values its callers read.
#include <QPointer>
#include <functional>
#include <vector>

namespace ui {

namespace detail {
// One entry per type that has been made, to drop them all at log-off.
inline std::vector<std::function<void()>>& singleDroppers() {
    static std::vector<std::function<void()>> droppers;
    return droppers;
}

template <class T> QPointer<T>& singleSlot() {
    static QPointer<T> slot;
    return slot;
}
} // namespace detail

// The shared instance of T, made with T() when there is none (or it was deleted).
template <class T> T& single() {
    QPointer<T>& slot = detail::singleSlot<T>();
    if (!slot) {
        static const bool registered = [] {
            detail::singleDroppers().push_back([] { delete detail::singleSlot<T>().data(); });
            return true;
        }();
        (void)registered;
        slot = new T();
    }
    return *slot;
}

// The shared instance when one exists, else nullptr; never makes one.
template <class T> T* existingSingle() {
    return detail::singleSlot<T>().data();
}

// Deletes the shared instance of T, if any.
template <class T> void dropSingle() {
    delete detail::singleSlot<T>().data();
}

// Deletes every shared instance (log-off, end of a test).
inline void dropAllSingles() {
    for (const auto& drop : detail::singleDroppers())
        drop();
}

} // namespace ui
