#include "messages.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QQueue>
#include <QWidget>

namespace ui {

namespace {

struct ScriptedInput {
    QString text;
    bool ok = true;
};

struct State {
    QPointer<QWidget> parent;
    QString applicationTitle;
    bool scripted = false;
    QQueue<Answer> answers;
    QQueue<ScriptedInput> inputs;
    QList<Shown> shown;
};

State& state() {
    static State s;
    return s;
}

QString titleFor(const QString& title) {
    if (!title.isEmpty())
        return title;
    if (!state().applicationTitle.isEmpty())
        return state().applicationTitle;
    return QApplication::applicationDisplayName();
}

Answer firstButton(Buttons b) {
    return b == Buttons::YesNo || b == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

bool offers(Buttons b, Answer a) {
    switch (b) {
    case Buttons::Ok:
        return a == Answer::Ok;
    case Buttons::OkCancel:
        return a == Answer::Ok || a == Answer::Cancel;
    case Buttons::YesNo:
        return a == Answer::Yes || a == Answer::No;
    case Buttons::YesNoCancel:
        return a == Answer::Yes || a == Answer::No || a == Answer::Cancel;
    }
    return false;
}

Answer scriptedShow(const QString& text, const QString& title, Icon icon, Buttons buttons) {
    State& s = state();
    s.shown.append(Shown{text, titleFor(title), icon, buttons, false, {}});
    // A box with only OK asks nothing, so it must not eat an answer meant for a question.
    if (buttons == Buttons::Ok || s.answers.isEmpty())
        return firstButton(buttons);
    const Answer a = s.answers.dequeue();
    if (!offers(buttons, a))
        qWarning("ui::Messages: scripted answer is not one of the buttons of \"%s\"",
                 qUtf8Printable(text));
    return a;
}

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Buttons b) {
    switch (b) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer shownShow(const QString& text, const QString& title, Icon icon, Buttons buttons) {
    QMessageBox box(boxIcon(icon), titleFor(title), text, boxButtons(buttons), state().parent);
    box.setDefaultButton(buttons == Buttons::Ok || buttons == Buttons::OkCancel ? QMessageBox::Ok
                                                                                : QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        // Closed without a button (Escape where no button takes it): the safe answer.
        return buttons == Buttons::Ok      ? Answer::Ok
               : buttons == Buttons::YesNo ? Answer::No
                                           : Answer::Cancel;
    }
}

} // namespace

void Messages::plain(const QString& text, const QString& title) {
    show(text, title, Icon::None, Buttons::Ok);
}

void Messages::info(const QString& text, const QString& title) {
    show(text, title, Icon::Information, Buttons::Ok);
}

void Messages::exclamation(const QString& text, const QString& title) {
    show(text, title, Icon::Exclamation, Buttons::Ok);
}

void Messages::critical(const QString& text, const QString& title) {
    show(text, title, Icon::Critical, Buttons::Ok);
}

Answer Messages::question(const QString& text, const QString& title, Buttons buttons, Icon icon) {
    return show(text, title, icon, buttons);
}

Answer Messages::show(const QString& text, const QString& title, Icon icon, Buttons buttons) {
    if (state().scripted)
        return scriptedShow(text, title, icon, buttons);
    return shownShow(text, title, icon, buttons);
}

QString Messages::input(const QString& prompt, const QString& title, const QString& defaultText,
                        bool* ok, bool password) {
    State& s = state();
    bool accepted = false;
    QString text;
    if (s.scripted) {
        s.shown.append(
            Shown{prompt, titleFor(title), Icon::None, Buttons::OkCancel, true, defaultText});
        if (!s.inputs.isEmpty()) {
            const ScriptedInput in = s.inputs.dequeue();
            accepted = in.ok;
            text = in.ok ? in.text : QString();
        }
    } else {
        QInputDialog dlg(s.parent);
        dlg.setInputMode(QInputDialog::TextInput);
        dlg.setWindowTitle(titleFor(title));
        dlg.setLabelText(prompt);
        dlg.setTextValue(defaultText);
        dlg.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
        accepted = dlg.exec() == QDialog::Accepted;
        if (accepted)
            text = dlg.textValue();
    }
    if (ok)
        *ok = accepted;
    return text;
}

void Messages::setParent(QWidget* w) {
    state().parent = w;
}

void Messages::setApplicationTitle(const QString& t) {
    state().applicationTitle = t;
}

QString Messages::applicationTitle() {
    return titleFor({});
}

void Messages::startScript() {
    State& s = state();
    s.scripted = true;
    s.answers.clear();
    s.inputs.clear();
    s.shown.clear();
}

void Messages::stopScript() {
    State& s = state();
    s.scripted = false;
    s.answers.clear();
    s.inputs.clear();
}

bool Messages::scripted() {
    return state().scripted;
}

void Messages::queueAnswer(Answer a) {
    state().answers.enqueue(a);
}

void Messages::queueInput(const QString& text, bool ok) {
    state().inputs.enqueue(ScriptedInput{text, ok});
}

int Messages::unusedAnswers() {
    return int(state().answers.size() + state().inputs.size());
}

const QList<Shown>& Messages::shown() {
    return state().shown;
}

QStringList Messages::shownTexts() {
    QStringList texts;
    for (const Shown& s : state().shown)
        texts.append(s.text);
    return texts;
}

void Messages::clearShown() {
    state().shown.clear();
}

} // namespace ui
