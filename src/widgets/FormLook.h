#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// The look every window of the program shares.
namespace FormLook {

// The classic toolkit colour clSkyBlue: red 166, green 202, blue 240.
inline constexpr QColor clSkyBlue{166, 202, 240};

// Tahoma 8 pt where it is installed. Debian has no Tahoma; Liberation Sans
// (fonts-liberation2) has Cyrillic and is narrow enough for every text to
// fit the places the windows were drawn for.
QFont formFont();

// Sky-blue background and the form font for a window and all its controls.
void apply(QWidget *window);

// Puts the window's frame in the middle of the available area of its screen.
void centreOnScreen(QWidget *window);

} // namespace FormLook
