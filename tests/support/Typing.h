#pragma once

#include <QString>

class QWidget;

// Types the text into the widget key by key, as a user would, any script
// included (QTest::keyClicks only knows the Latin keyboard).
void typeText(QWidget *widget, const QString &text);
