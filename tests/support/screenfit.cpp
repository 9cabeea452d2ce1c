#include "screenfit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTextEdit>

namespace screenfit {
namespace {

void settle(QWidget* top) {
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        if (top->layout())
            top->layout()->activate();
    }
}

// The part of `w` that its window shows, in the window's coordinates: its own rectangle
// cut by every ancestor's, and by the screen's size.
QRect shownPart(const QWidget* w) {
    const QWidget* top = w->window();
    QRect r(w->mapTo(top, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != top; p = p->parentWidget())
        r &= QRect(p->mapTo(top, QPoint(0, 0)), p->size());
    r &= QRect(QPoint(0, 0), top->size().boundedTo(kLaptop));
    return r;
}

bool wholly(const QWidget* w) {
    const QWidget* top = w->window();
    return shownPart(w) == QRect(w->mapTo(top, QPoint(0, 0)), w->size());
}

// A control inside a scroll area can be scrolled to when the area itself shows a usable
// part of its viewport.
bool scrollable(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (const auto* area = qobject_cast<const QScrollArea*>(p)) {
            const QRect part = shownPart(area->viewport());
            return part.width() >= 40 && part.height() >= 20;
        }
    return false;
}

bool isEntry(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QAbstractItemView*>(w);
}

QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

} // namespace

void showAsLaptop(QMainWindow& main) {
    main.showNormal();
    main.setGeometry(QRect(QPoint(0, 0), kLaptop));
    settle(&main);
}

QStringList problems(QWidget* screen, const QStringList& commandButtons) {
    QStringList out;
    QWidget* top = screen->window();
    settle(top);
    if (top->width() > kLaptop.width() || top->height() > kLaptop.height())
        out << QStringLiteral("%1: the window is %2×%3, larger than 1366×768")
                   .arg(nameOf(top))
                   .arg(top->width())
                   .arg(top->height());
    for (const QString& name : commandButtons) {
        auto* b = screen->findChild<QWidget*>(name);
        if (!b)
            out << name + QStringLiteral(": no such button");
        else if (!b->isVisibleTo(top))
            out << name + QStringLiteral(": hidden");
        else if (scrollable(b))
            out << name + QStringLiteral(": scrolls away with the screen's body");
        else if (!wholly(b))
            out << name + QStringLiteral(": outside the visible area");
    }
    const auto all = screen->findChildren<QWidget*>();
    for (const QWidget* w : all) {
        if (!isEntry(w) || !w->isVisibleTo(top) || commandButtons.contains(w->objectName()))
            continue;
        // Parts of a compound control (a combo's line edit, a view's scroll bars) go with it.
        if (w->parentWidget() && isEntry(w->parentWidget()))
            continue;
        if (qobject_cast<const QAbstractItemView*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
            continue;
        if (scrollable(w))
            continue;
        if (!wholly(w))
            out << nameOf(w) + QStringLiteral(": cannot be reached");
    }
    return out;
}

} // namespace screenfit
