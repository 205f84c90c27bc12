#include "Typing.h"

#include <QTest>

void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype at = 0; at < text.size();) {
        // A character outside the basic plane is one key with two code units.
        const qsizetype length = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(at, length), Qt::NoModifier);
        at += length;
    }
}
