#pragma once

#include <QDialog>

// A fixed-size modal dialog: single border, only the close box in its title
// bar, sky blue, form font, centred on the screen. Its modal result follows
// the old toolkit's numbering, which callers compare against.
class ModalForm : public QDialog
{
    Q_OBJECT

public:
    enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

    ModalForm(const QSize &clientSize, QWidget *parent = nullptr);

    // Ends the modal loop with this result.
    void setModalResult(int result) { done(result); }

    // The close box and Escape end the dialog with mrCancel.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    // Enter in a box goes on to the next box instead of pressing the default
    // button: a user filling the rows in must not store a half-filled one.
    // On a button, Enter presses that button.
    void keyPressEvent(QKeyEvent *event) override;
};
