#pragma once
// Every message box, Yes/No question and input box of the system goes through here, so that
// texts, titles, icons and buttons are part of what tests can read. In production the calls
// show QMessageBox / QInputDialog; in tests a script answers them and records what was shown.
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
enum class Answer { Ok, Yes, No, Cancel };

// What one call showed, as recorded in test mode.
struct Shown {
    QString text;
    QString title; // the title as shown: an empty title becomes the application's title
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    bool isInput = false;
    QString defaultInput;
};

class Messages {
public:
    // The plain forms the screens use.
    static void plain(const QString& text, const QString& title = {});       // no icon, OK
    static void info(const QString& text, const QString& title = {});        // information, OK
    static void exclamation(const QString& text, const QString& title = {}); // exclamation, OK
    static void critical(const QString& text, const QString& title = {});    // critical, OK
    static Answer question(const QString& text, const QString& title = {},
                           Buttons buttons = Buttons::YesNo, Icon icon = Icon::Question);
    // An input box; `ok` false when cancelled (the text is then empty).
    static QString input(const QString& prompt, const QString& title = {},
                         const QString& defaultText = {}, bool* ok = nullptr,
                         bool password = false);
    // The general form all of the above end in.
    static Answer show(const QString& text, const QString& title, Icon icon, Buttons buttons);

    // The parent for boxes shown in production (the main window once it exists).
    static void setParent(QWidget* w);
    // The application's title, used for an empty title (the department's title).
    static void setApplicationTitle(const QString& t);
    static QString applicationTitle();

    // --- test mode -------------------------------------------------------------------
    // Switches to scripted answers: nothing is shown, every call is recorded.
    static void startScript();
    static void stopScript();
    static bool scripted();
    // Answers for the next questions / input boxes, in order. An unscripted question is
    // answered with its first button (Ok or Yes), an unscripted input box as cancelled.
    static void queueAnswer(Answer a);
    static void queueInput(const QString& text, bool ok = true);
    static const QList<Shown>& shown();
    static QStringList shownTexts();
    static void clearShown();
    // Queued answers and inputs that no call has taken yet (a test left them over).
    static int unusedAnswers();
};

} // namespace ui
