#include "widgets/MessageBoxDialogs.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Acts on the message box once it is up, as a person would.
void whenMessageBoxShows(const std::function<void(QMessageBox &)> &act)
{
    QTimer::singleShot(0, [act] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box is up";
            return;
        }
        act(*box);
    });
}

TEST(MessageBoxDialogsTest, QuestionDefaultsToYesAndEscapeAnswersNo)
{
    MessageBoxDialogs dialogs;
    QWidget owner;
    owner.show();

    whenMessageBoxShows([&owner](QMessageBox &box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Удаление записи"));
        EXPECT_EQ(box.text(), QStringLiteral("Вы действительно хотите удалить эту запись?\r\n"));
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(box.parentWidget(), &owner);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_FALSE(
        dialogs.askYesNo(&owner, QStringLiteral("Удаление записи"), QStringLiteral("Вы действительно хотите удалить эту запись?\r\n")));

    whenMessageBoxShows([](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_TRUE(dialogs.askYesNo(&owner, QStringLiteral("Удаление записи"), QStringLiteral("?")));
}

TEST(MessageBoxDialogsTest, AboutBoxShowsTheOwnersIcon)
{
    MessageBoxDialogs dialogs;
    QWidget owner;
    QPixmap icon(32, 32);
    icon.fill(Qt::red);
    owner.setWindowIcon(QIcon(icon));
    owner.show();

    whenMessageBoxShows([&owner](QMessageBox &box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Velmora 1.0"));
        EXPECT_EQ(box.parentWidget(), &owner);
        EXPECT_FALSE(box.iconPixmap().isNull());
        box.accept();
    });
    dialogs.showAbout(&owner, QStringLiteral("Velmora 1.0"), QStringLiteral("notice"));
}

} // namespace
