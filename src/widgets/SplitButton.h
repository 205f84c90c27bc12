#pragma once

#include <QToolButton>

class QMenu;

// A push button split in two: the main part clicks, the arrow beside it
// opens a drop-down menu.
class SplitButton : public QToolButton
{
    Q_OBJECT

public:
    SplitButton(const QString &text, QMenu *dropDownMenu, QWidget *parent = nullptr);
};
