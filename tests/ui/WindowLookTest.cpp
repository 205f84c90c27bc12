#include "support/ProgramFixture.h"
#include "support/QtPrinters.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "widgets/DataGrid.h"
#include "widgets/FormLook.h"

#include <QAbstractButton>
#include <QAbstractItemView>
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

// What a control shows the user: a group's title, a button's or label's
// caption, or the title of one column of a grid.
QString shownText(QWidget *window, const char *control, int column)
{
    QWidget *found = window->findChild<QWidget *>(QString::fromLatin1(control));
    if (!found)
        return QStringLiteral("<no control>");
    if (auto *group = qobject_cast<QGroupBox *>(found))
        return group->title();
    if (auto *button = qobject_cast<QAbstractButton *>(found))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(found))
        return label->text();
    if (auto *grid = qobject_cast<QAbstractItemView *>(found))
        return grid->model()->headerData(column, Qt::Horizontal).toString();
    return QStringLiteral("<no text>");
}

TEST_F(WindowLookTest, EditorAndDialogControlsShowTheirTexts)
{
    const int noColumn = -1;
    const struct
    {
        QWidget *window;
        const char *control;
        int column;
        QString text;
    } texts[] = {
        {Form2, "GroupBox1", noColumn, QStringLiteral("Суды")},
        {Form2, "DBGrid1", 0, QStringLiteral("Код суда")},
        {Form2, "DBGrid1", 1, QStringLiteral("Название суда")},
        {Form2, "Button1", noColumn, QStringLiteral("Добавить")},
        {Form2, "Button3", noColumn, QStringLiteral("Изменить")},
        {Form2, "Button2", noColumn, QStringLiteral("Удалить")},
        {Form2, "GroupBox2", noColumn, QStringLiteral("Составы")},
        {Form2, "DBGrid2", 0, QStringLiteral("Номер состава")},
        {Form2, "DBGrid2", 1, QStringLiteral("Тип отдела")},
        {Form2, "DBGrid2", 2, QStringLiteral("Номер факса")},
        {Form2, "DBGrid2", 3, QStringLiteral("Специализация состава")},
        {Form2, "Button4", noColumn, QStringLiteral("Добавить")},
        {Form2, "Button6", noColumn, QStringLiteral("Изменить")},
        {Form2, "Button5", noColumn, QStringLiteral("Удалить")},
        {Form2, "GroupBox3", noColumn, QStringLiteral("Отделения")},
        {Form2, "DBGrid3", 0, QStringLiteral("Номер отделения")},
        {Form2, "DBGrid3", 1, QStringLiteral("Номер телефона")},
        {Form2, "DBGrid3", 2, QStringLiteral("Внутр. номер")},
        {Form2, "DBGrid3", 3, QStringLiteral("Зал")},
        {Form2, "DBGrid3", 4, QStringLiteral("Этаж")},
        {Form2, "Button7", noColumn, QStringLiteral("Добавить")},
        {Form2, "Button9", noColumn, QStringLiteral("Изменить")},
        {Form2, "Button8", noColumn, QStringLiteral("Удалить")},
        {Form3, "Label1", noColumn, QStringLiteral("Код суда")},
        {Form3, "Label2", noColumn, QStringLiteral("Название суда")},
        {Form3, "Button1", noColumn, QStringLiteral("Закрыть и сохранить")},
        {Form4, "Label1", noColumn, QStringLiteral("Тип отдела")},
        {Form4, "Label2", noColumn, QStringLiteral("Номер состава")},
        {Form4, "Label3", noColumn, QStringLiteral("Номер факса")},
        {Form4, "Label4", noColumn, QStringLiteral("Специализация состава")},
        {Form4, "Button1", noColumn, QStringLiteral("Закрыть и сохранить")},
        {Form5, "Label1", noColumn, QStringLiteral("Номер отделения")},
        {Form5, "Label2", noColumn, QStringLiteral("Номер телефона")},
        {Form5, "Label3", noColumn, QStringLiteral("Внутренний номер:")},
        {Form5, "Label4", noColumn, QStringLiteral("Зал:")},
        {Form5, "Label5", noColumn, QStringLiteral("Этаж:")},
        {Form5, "Button1", noColumn, QStringLiteral("Закрыть и сохранить")},
    };
    for (const auto &[window, control, column, text] : texts)
        EXPECT_EQ(shownText(window, control, column), text) << window->windowTitle().toStdString() << ": " << control << " " << column;
    // Every column title is in the table above: a grid grown by a column needs a row there.
    EXPECT_EQ(Form2->DBGrid1->model()->columnCount(), 2);
    EXPECT_EQ(Form2->DBGrid2->model()->columnCount(), 4);
    EXPECT_EQ(Form2->DBGrid3->model()->columnCount(), 5);
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
