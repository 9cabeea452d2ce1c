#pragma once
// What the report parameter dialogs share: Enter stores the values the caller reads and
// closes, Close (or Esc, or the window's close box) closes with CloseForm true. Each dialog
// is a shared single instance; its values stay readable after it closes, and every opening
// starts again from today's date.
#include <QDialog>

class QDateEdit;
class QHBoxLayout;
class QPushButton;

class ReportDialog : public QDialog {
    Q_OBJECT

public:
    // True when the user cancelled the last opening: the caller produces nothing.
    bool CloseForm() const { return closeForm_; }

    QPushButton* cmdEnter;
    QPushButton* cmdClose;

    // The dates travel as the pickers show them: "mm/dd/yyyy".
    static QString dateFormat() { return QStringLiteral("MM/dd/yyyy"); }

public slots:
    void reject() override;

protected:
    ReportDialog(const QString& name, bool centred, QWidget* parent);

    QDateEdit* makeDatePicker(const QString& name);
    static QString dateText(const QDateEdit* picker);
    // Enter and Close, right-aligned.
    QHBoxLayout* buttonRow();

    // A new opening: put the controls back to their first state.
    virtual void opening() = 0;
    // Enter: keep the values the caller reads.
    virtual void store() = 0;

    void showEvent(QShowEvent* e) override;

private:
    void enter();

    bool closeForm_ = false;
    bool centred_;
};
