// The referral report's keys: Enter moves from field to field in the order the worker fills
// the report, and leaving the expiry box checks the date typed there.
#include "frmARR.h"

#include "ui/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

bool isEnter(const QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return false;
    const auto* k = static_cast<const QKeyEvent*>(e);
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

// A field Enter may stop at: one the worker can type into or choose from right now.
bool takesFocus(const QWidget* w) {
    if (!w->isEnabled() || !w->isVisible() || w->focusPolicy() == Qt::NoFocus)
        return false;
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return !e->isReadOnly();
    return true;
}

} // namespace

// The patient's boxes from the case number (open only for a new case) to the referring
// party, then the first tab's lists and tagging, and Save last (focus only: a stray Enter
// never saves). The documentation tab is ticked with the mouse.
void frmARR::buildEnterChain() {
    enterChain_ = {txtZEPNum,   cboClassification, mskIntake,         mskRange1,  cboactive,
                   chkActive,   cboReferring,      lstParentCategory, lstCategory, txtRemarks,
                   txtNC,       chkSponsor,        chkPCSO,           chkSpecial, cmdSave};
    for (QWidget* w : std::as_const(enterChain_))
        w->installEventFilter(this);
}

QWidget* frmARR::nextField(QWidget* from) const {
    const qsizetype at = enterChain_.indexOf(from);
    if (at < 0)
        return nullptr;
    for (qsizetype i = at + 1; i < enterChain_.size(); ++i)
        if (takesFocus(enterChain_.at(i)))
            return enterChain_.at(i);
    return nullptr;
}

bool frmARR::eventFilter(QObject* watched, QEvent* e) {
    if (isEnter(e) && watched != cmdSave && enterChain_.contains(watched)) {
        // The key is used up by the move, also where nothing follows: a combo or list must
        // not take it as a choice, nor the dialog as a press of some button.
        if (QWidget* next = nextField(static_cast<QWidget*>(watched)))
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (watched == mskRange1 && e->type() == QEvent::FocusOut) {
        const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
        // Another window (a message box, the picker) taking the focus is no leaving; nor is
        // a command button: Save and Save/Print check the expiry themselves, strictly, and
        // the others save nothing.
        const auto* to = qobject_cast<QPushButton*>(QApplication::focusWidget());
        const bool command = to && (to == cmdSave || to == cmdPrint || to == cmdRePrint ||
                                    to == cmdTrans || to == cmdPrevious || to == cmdViewCDF ||
                                    to == cmdClose);
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason && !command)
            // After the focus has moved: a box shown in the middle of a focus change would
            // take the focus from under it.
            QMetaObject::invokeMethod(this, &frmARR::checkExpiryOnLeaving, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, e);
}

void frmARR::checkExpiryOnLeaving() {
    if (!isVisible() || mskRange1->hasFocus())
        return; // closed meanwhile, or the worker is back in the box
    const QString typed = mskRange1->text();
    const QDate d = QDate::fromString(typed.trimmed(), QStringLiteral("MM/dd/yyyy"));
    if (!d.isValid()) {
        ui::Messages::critical(QStringLiteral("Invalid date ") + typed + QStringLiteral("."));
        mskRange1->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (d.year() > QDate::currentDate().year() + 2 &&
        ui::Messages::question(QStringLiteral("The date you have entered is 2 years ahead of "
                                              "the current date or previous date.") +
                               QStringLiteral("\n") + QStringLiteral("Is that valid?")) !=
            ui::Answer::Yes)
        mskRange1->setFocus(Qt::OtherFocusReason);
}
