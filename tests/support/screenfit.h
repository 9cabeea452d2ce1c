#pragma once
// Whether a screen fits the screens people use: shown in a main window of 1366×768 (the
// common laptop), every command button must lie wholly inside the visible part of the
// window, and every other entry control must be visible or inside a scroll area that
// can bring it into view.
#include <QList>
#include <QSize>
#include <QStringList>

class QWidget;
class QMainWindow;

namespace screenfit {

inline constexpr QSize kLaptop{1366, 768};

// Sizes `main` to 1366×768 as a maximized window on such a screen would be, lays out
// everything pending and returns. Call after the screen's sub-window is shown.
void showAsLaptop(QMainWindow& main);

// What does not fit, one line each ("cmdSave: outside the visible area"); empty when the
// screen fits. `screen` is the screen's own widget (inside its MDI sub-window, or a dialog
// that is a window of its own, which must then itself fit inside 1366×768).
// `commandButtons` are the object names of the buttons that must always be visible; every
// other visible QLineEdit, QComboBox, QAbstractSpinBox, QTextEdit, QPlainTextEdit,
// QAbstractButton, QAbstractItemView and QDateTimeEdit must be reachable.
QStringList problems(QWidget* screen, const QStringList& commandButtons);

} // namespace screenfit
