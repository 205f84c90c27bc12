#pragma once

#include <QWidget>

// A sizeable top-level window of the program: opens with the client size it
// was drawn for, sky blue, in the form font, centred on its first show.
// Closing it hides it; only the main window ends the program when closed.
class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(const QSize &clientSize, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_placed = false;
};
