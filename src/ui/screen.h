#pragma once
// Closing a screen the way the worker means it: in the main window a screen lives in an MDI
// sub-window, and closing only the screen would leave the sub-window's empty frame behind.
#include <QMdiSubWindow>
#include <QWidget>

namespace ui {

inline void closeScreen(QWidget* screen) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(screen->parentWidget()))
        sub->close();
    else
        screen->close();
}

} // namespace ui
