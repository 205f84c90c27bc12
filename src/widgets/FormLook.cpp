#include "FormLook.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace FormLook {

QFont formFont()
{
    static const QString family =
        QFontDatabase::hasFamily(QStringLiteral("Tahoma")) ? QStringLiteral("Tahoma") : QStringLiteral("Liberation Sans");
    return QFont(family, 8);
}

void apply(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, clSkyBlue);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFont(formFont());
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace FormLook
