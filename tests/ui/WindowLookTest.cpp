#include "support/ProgramFixture.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "widgets/FormLook.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using WindowLookTest = ProgramFixture;

QList<QWidget *> allWindows()
{
    return {Form6, Form2, Form3, Form4, Form5};
}

TEST_F(WindowLookTest, WindowsHaveTheirCaptionsSizesAndLook)
{
    struct Window
    {
        QWidget *window;
        QString caption;
        QSize clientSize;
        bool fixed;
    };
    const QList<Window> windows{
        {Form6, QStringLiteral("Velmora"), {339, 308}, false},
        {Form2, QStringLiteral("Структура данных арбитражных судов"), {757, 354}, false},
        {Form3, QStringLiteral("Редактирование суда"), {278, 91}, true},
        {Form4, QStringLiteral("Редактирование состава"), {292, 144}, true},
        {Form5, QStringLiteral("Редактирования отделения"), {242, 169}, true},
    };
    for (const Window &w : windows) {
        const std::string name = w.caption.toStdString();
        EXPECT_EQ(w.window->windowTitle(), w.caption) << name;
        EXPECT_EQ(w.window->size(), w.clientSize) << name;
        EXPECT_EQ(w.window->palette().color(QPalette::Window), QColor(166, 202, 240)) << name;
        EXPECT_EQ(w.window->font().pointSize(), 8) << name;
        if (w.fixed) {
            EXPECT_EQ(w.window->minimumSize(), w.clientSize) << name;
            EXPECT_EQ(w.window->maximumSize(), w.clientSize) << name;
            const Qt::WindowFlags flags = w.window->windowFlags();
            EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint)) << name;
            EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint)) << name;
            EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << name;
        } else {
            EXPECT_NE(w.window->maximumSize(), w.clientSize) << name;
        }
    }
}

TEST_F(WindowLookTest, FormFontIsTahomaOrTheLiberationFallback)
{
    const QString family = FormLook::formFont().family();
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        EXPECT_EQ(family, QStringLiteral("Tahoma"));
    else
        EXPECT_EQ(family, QStringLiteral("Liberation Sans"));
    // Without the font the texts below would be measured in another one.
    EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString() << " is not installed";
}

TEST_F(WindowLookTest, EveryTextFitsItsPlace)
{
    for (QWidget *window : allWindows()) {
        const std::string windowName = window->windowTitle().toStdString();
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->window() != window)
                continue;
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            EXPECT_LE(needed, label->width()) << windowName << ": " << label->text().toStdString();
            EXPECT_LE(label->fontMetrics().height(), label->height() + 2) << windowName << ": " << label->text().toStdString();
        }
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (button->text().isEmpty())
                continue; // the grids' corner buttons
            // Room for the button's bevel and a little air on either side.
            const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 12;
            EXPECT_LE(needed, button->width()) << windowName << ": " << button->text().toStdString();
        }
        for (QGroupBox *group : window->findChildren<QGroupBox *>()) {
            const int needed = group->fontMetrics().horizontalAdvance(group->title()) + 16;
            EXPECT_LE(needed, group->width()) << windowName << ": " << group->title().toStdString();
        }
    }
}

} // namespace
