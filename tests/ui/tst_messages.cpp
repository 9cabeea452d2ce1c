// The message service: what test mode records and answers, and that production shows the
// box a screen asked for (icon, title, buttons) and hands back the button pressed.
#include "ui/messages.h"
#include "ui/twips.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using ui::Answer;
using ui::Buttons;
using ui::Icon;
using ui::Messages;

Q_DECLARE_METATYPE(ui::Answer)
Q_DECLARE_METATYPE(ui::Buttons)
Q_DECLARE_METATYPE(ui::Icon)

namespace {

const QString appTitle = QStringLiteral("Social Service Department");

// Runs `inspect` on the modal box once it is up; the box is closed by `inspect`.
void whenModal(std::function<void(QWidget*)> inspect) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            inspect(w);
        }
    });
    timer->start();
}

} // namespace

class TestMessages : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Messages::setApplicationTitle(appTitle);
        Messages::startScript();
    }
    void cleanup() { Messages::stopScript(); }

    void recordsIconAndTitle_data();
    void recordsIconAndTitle();
    void answersInOrderSkippingOkBoxes();
    void unscriptedDefaults_data();
    void unscriptedDefaults();
    void inputBoxes();
    void startScriptForgetsEarlierCalls();

    void productionBox_data();
    void productionBox();
    void productionPasswordInput();

    void twipsConversion_data();
    void twipsConversion();
};

void TestMessages::recordsIconAndTitle_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QString>("shownTitle");
    QTest::newRow("plain, no title") << 0 << QString() << Icon::None << Buttons::Ok << appTitle;
    QTest::newRow("info, Message") << 1 << QStringLiteral("Message") << Icon::Information
                                   << Buttons::Ok << QStringLiteral("Message");
    QTest::newRow("exclamation, no title")
        << 2 << QString() << Icon::Exclamation << Buttons::Ok << appTitle;
    QTest::newRow("critical, MESSAGE") << 3 << QStringLiteral("MESSAGE") << Icon::Critical
                                       << Buttons::Ok << QStringLiteral("MESSAGE");
    QTest::newRow("question, no title")
        << 4 << QString() << Icon::Question << Buttons::YesNo << appTitle;
}

void TestMessages::recordsIconAndTitle() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    const QString text = QStringLiteral("Records Successfully Updated");
    switch (kind) {
    case 0:
        Messages::plain(text, title);
        break;
    case 1:
        Messages::info(text, title);
        break;
    case 2:
        Messages::exclamation(text, title);
        break;
    case 3:
        Messages::critical(text, title);
        break;
    case 4:
        Messages::question(text, title);
        break;
    }
    QCOMPARE(Messages::shown().size(), 1);
    const ui::Shown& s = Messages::shown().first();
    QCOMPARE(s.text, text);
    QTEST(s.title, "shownTitle");
    QTEST(s.icon, "icon");
    QTEST(s.buttons, "buttons");
    QVERIFY(!s.isInput);
}

void TestMessages::answersInOrderSkippingOkBoxes() {
    Messages::queueAnswer(Answer::No);
    Messages::queueAnswer(Answer::Cancel);
    Messages::info(QStringLiteral("first"));
    QCOMPARE(Messages::question(QStringLiteral("second")), Answer::No);
    Messages::critical(QStringLiteral("third"));
    QCOMPARE(Messages::question(QStringLiteral("fourth"), {}, Buttons::YesNoCancel),
             Answer::Cancel);
    QCOMPARE(Messages::unusedAnswers(), 0);
    QCOMPARE(Messages::shownTexts(),
             (QStringList{QStringLiteral("first"), QStringLiteral("second"),
                          QStringLiteral("third"), QStringLiteral("fourth")}));
}

void TestMessages::unscriptedDefaults_data() {
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("Ok") << Buttons::Ok << Answer::Ok;
    QTest::newRow("OkCancel") << Buttons::OkCancel << Answer::Ok;
    QTest::newRow("YesNo") << Buttons::YesNo << Answer::Yes;
    QTest::newRow("YesNoCancel") << Buttons::YesNoCancel << Answer::Yes;
}

void TestMessages::unscriptedDefaults() {
    QFETCH(Buttons, buttons);
    QTEST(Messages::show(QStringLiteral("Save?"), {}, Icon::Question, buttons), "answer");
}

void TestMessages::inputBoxes() {
    Messages::queueInput(QStringLiteral("Z-1001"));
    Messages::queueInput(QStringLiteral("typed, then cancelled"), false);
    // An answer for a question must not be taken by an input box, nor the other way round.
    Messages::queueAnswer(Answer::No);

    bool ok = false;
    QCOMPARE(Messages::input(QStringLiteral("Case number:"), QStringLiteral("Message"),
                             QStringLiteral("Z-"), &ok),
             QStringLiteral("Z-1001"));
    QVERIFY(ok);
    QCOMPARE(Messages::question(QStringLiteral("Continue?")), Answer::No);
    QCOMPARE(Messages::input(QStringLiteral("Again:"), {}, {}, &ok), QString());
    QVERIFY(!ok);
    ok = true;
    QCOMPARE(Messages::input(QStringLiteral("Unscripted:"), {}, {}, &ok), QString());
    QVERIFY(!ok);

    const ui::Shown& first = Messages::shown().first();
    QVERIFY(first.isInput);
    QCOMPARE(first.text, QStringLiteral("Case number:"));
    QCOMPARE(first.title, QStringLiteral("Message"));
    QCOMPARE(first.defaultInput, QStringLiteral("Z-"));
    QCOMPARE(Messages::shown().at(2).title, appTitle);
}

void TestMessages::startScriptForgetsEarlierCalls() {
    Messages::info(QStringLiteral("old"));
    Messages::queueAnswer(Answer::No);
    Messages::startScript();
    QVERIFY(Messages::shown().isEmpty());
    QCOMPARE(Messages::unusedAnswers(), 0);
    QCOMPARE(Messages::question(QStringLiteral("new")), Answer::Yes);
}

void TestMessages::productionBox_data() {
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("qtIcon");
    QTest::addColumn<int>("qtButtons");
    QTest::addColumn<int>("press");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("exclamation OK")
        << Icon::Exclamation << Buttons::Ok << QStringLiteral("Message")
        << int(QMessageBox::Warning) << int(QMessageBox::Ok) << int(QMessageBox::Ok) << Answer::Ok;
    QTest::newRow("question No") << Icon::Question << Buttons::YesNo << QString()
                                 << int(QMessageBox::Question)
                                 << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::No)
                                 << Answer::No;
    QTest::newRow("critical OkCancel, Cancel")
        << Icon::Critical << Buttons::OkCancel << QString() << int(QMessageBox::Critical)
        << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Cancel) << Answer::Cancel;
    QTest::newRow("plain YesNoCancel, Yes")
        << Icon::None << Buttons::YesNoCancel << QStringLiteral("Notification")
        << int(QMessageBox::NoIcon) << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
        << int(QMessageBox::Yes) << Answer::Yes;
}

void TestMessages::productionBox() {
    QFETCH(Icon, icon);
    QFETCH(Buttons, buttons);
    QFETCH(QString, title);
    QFETCH(int, qtIcon);
    QFETCH(int, qtButtons);
    QFETCH(int, press);
    Messages::stopScript();

    QString seenTitle, seenText;
    int seenIcon = -1, seenButtons = -1;
    whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) {
            w->close();
            return;
        }
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = int(box->icon());
        seenButtons = int(box->standardButtons());
        box->button(QMessageBox::StandardButton(press))->click();
    });
    const Answer a = Messages::show(QStringLiteral("Delete?"), title, icon, buttons);

    QCOMPARE(seenText, QStringLiteral("Delete?"));
    QCOMPARE(seenTitle, title.isEmpty() ? appTitle : title);
    QCOMPARE(seenIcon, qtIcon);
    QCOMPARE(seenButtons, qtButtons);
    QTEST(a, "answer");
    QVERIFY(Messages::shown().isEmpty()); // production records nothing
}

void TestMessages::productionPasswordInput() {
    Messages::stopScript();
    int echo = -1;
    QString seenTitle;
    whenModal([&](QWidget* w) {
        auto* dlg = qobject_cast<QInputDialog*>(w);
        if (!dlg) {
            w->close();
            return;
        }
        echo = int(dlg->textEchoMode());
        seenTitle = dlg->windowTitle();
        dlg->setTextValue(QStringLiteral("secret"));
        dlg->accept();
    });
    bool ok = false;
    const QString text = Messages::input(QStringLiteral("Password:"), {}, {}, &ok, true);
    QVERIFY(ok);
    QCOMPARE(text, QStringLiteral("secret"));
    QCOMPARE(echo, int(QLineEdit::Password));
    QCOMPARE(seenTitle, appTitle);

    whenModal([](QWidget* w) {
        if (auto* dlg = qobject_cast<QInputDialog*>(w))
            dlg->reject();
        else
            w->close();
    });
    QCOMPARE(Messages::input(QStringLiteral("Name:"), {}, QStringLiteral("x"), &ok), QString());
    QVERIFY(!ok);
}

void TestMessages::twipsConversion_data() {
    QTest::addColumn<int>("tw");
    QTest::addColumn<int>("px");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("one inch") << 1440 << 96;
    QTest::newRow("just under half") << 7 << 0;
    QTest::newRow("just over half") << 8 << 1;
    QTest::newRow("negative") << -8 << -1;
    QTest::newRow("grid column") << 2535 << 169;
}

void TestMessages::twipsConversion() {
    QFETCH(int, tw);
    QFETCH(int, px);
    QCOMPARE(ui::twips(tw), px);
    QCOMPARE(ui::twips(ui::toTwips(px)), px);
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
