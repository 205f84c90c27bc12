#include "SplitButton.h"

#include <QMenu>

SplitButton::SplitButton(const QString &text, QMenu *dropDownMenu, QWidget *parent)
    : QToolButton(parent)
{
    setText(text);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setPopupMode(QToolButton::MenuButtonPopup);
    setMenu(dropDownMenu);
}
