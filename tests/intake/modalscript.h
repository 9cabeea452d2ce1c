#pragma once
// Drives modal dialogs from inside their own event loops: each step waits until the active
// modal window has the step's object name, then acts on it. Records the event-loop depth at
// each step, so that a test can tell dialogs opened one after the other from dialogs opened
// inside one another. A script that stalls closes what is open, so a test never hangs.
#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QDialog>
#include <functional>

class ModalScript : public QObject {
public:
    using Action = std::function<void(QWidget*)>;

    ModalScript() {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    }
    // Adds a step for the modal window named `objectName`.
    ModalScript& then(const QString& objectName, Action act) {
        steps_.append({objectName, std::move(act)});
        return *this;
    }
    void start() {
        stalled_ = false;
        idle_ = 0;
        timer_.start();
    }
    void stop() {
        timer_.stop();
        aborting_ = false;
    }
    bool done() const { return steps_.isEmpty(); }
    int left() const { return int(steps_.size()); }
    bool stalled() const { return stalled_; }
    // The deepest event-loop level seen while acting (1 = one modal loop).
    int deepestLoop() const { return deepest_; }
    QStringList seen() const { return seen_; }

private:
    struct Step {
        QString name;
        Action act;
    };

    void tick() {
        QWidget* w = QApplication::activeModalWidget();
        if (aborting_) {
            // After a failed or stalled step every dialog that comes up is closed, so that
            // the caller's loop ends and the test reports instead of hanging.
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            return;
        }
        if (steps_.isEmpty()) {
            timer_.stop();
            return;
        }
        if (!w || w->objectName() != steps_.first().name) {
            if (++idle_ > 1500) { // 7.5 s without the expected window
                stalled_ = true;
                aborting_ = true;
            }
            return;
        }
        if (busy_)
            return;
        idle_ = 0;
        deepest_ = std::max(deepest_, int(QThread::currentThread()->loopLevel()));
        seen_ << w->objectName();
        // The step runs from a posted call, not from this timer: a timer does not fire again
        // while its own slot runs, and a step may open a dialog with a step of its own.
        busy_ = true;
        QMetaObject::invokeMethod(
            this,
            [this, w = QPointer<QWidget>(w), s = steps_.takeFirst()] {
                busy_ = false;
                if (w)
                    s.act(w);
                if (QTest::currentTestFailed()) {
                    stalled_ = true;
                    aborting_ = true;
                }
            },
            Qt::QueuedConnection);
    }

    QTimer timer_;
    QList<Step> steps_;
    QStringList seen_;
    int idle_ = 0;
    int deepest_ = 0;
    bool stalled_ = false;
    bool busy_ = false;
    bool aborting_ = false;
};
