#include "Unit6.h"

#include "CaseListWindow.h"
#include "Unit2.h"
#include "data/DatabaseLocation.h"
#include "data/DmUnit.h"
#include "decoder/DmDLLUnit.h"
#include "decoder/PastedCaseNumber.h"
#include "decoder/ResultLines.h"
#include "widgets/AnchoredLayout.h"
#include "widgets/ModalDialogs.h"
#include "widgets/SplitButton.h"

#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

TForm6 *Form6 = nullptr;

namespace {

const QSize ClientSize(339, 308);

} // namespace

TForm6::TForm6(QWidget *parent)
    : Form(ClientSize, parent)
    , Label1(new QLabel(QStringLiteral("Введите номер судебного дела в арбитражном суде:")))
    , Edit1(new QLineEdit(QStringLiteral("А40-1234/08-101-503")))
    , Button2(new QPushButton(QStringLiteral("Расшифровать")))
    , Memo1(new QPlainTextEdit)
    , PopupMenu1(new QMenu(this))
    , N2(PopupMenu1->addAction(QStringLiteral("Расшифровать список…")))
    , N1(PopupMenu1->addAction(QStringLiteral("О программе")))
    , Button1(new SplitButton(QStringLiteral("Структура судов"), PopupMenu1))
    , Button3(new QPushButton(QStringLiteral("Выход")))
{
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/velmora.png")));
    // The one window whose closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, true);

    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    Memo1->setObjectName(QStringLiteral("Memo1"));
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1->setObjectName(QStringLiteral("N1"));
    N2->setObjectName(QStringLiteral("N2"));
    N2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button3->setObjectName(QStringLiteral("Button3"));

    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    using A = AnchoredLayout;
    auto *layout = new AnchoredLayout(this, ClientSize);
    layout->addControl(Label1, {8, 8, 271, 13}, A::Left | A::Top);
    layout->addControl(Edit1, {8, 27, 217, 21}, A::Left | A::Top | A::Right);
    layout->addControl(Button2, {231, 25, 98, 25}, A::Top | A::Right);
    layout->addControl(Memo1, {8, 67, 321, 206}, A::AllEdges);
    layout->addControl(Button1, {8, 279, 175, 25}, A::Left | A::Bottom);
    layout->addControl(Button3, {256, 279, 75, 25}, A::Right | A::Bottom);

    connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
    // Typing a number and pressing Enter is the quickest way through a stack of files.
    connect(Edit1, &QLineEdit::returnPressed, this, &TForm6::Button2Click);
    connect(Button1, &SplitButton::clicked, this, &TForm6::Button1Click);
    connect(N1, &QAction::triggered, this, &TForm6::N1Click);
    connect(N2, &QAction::triggered, this, &TForm6::N2Click);
    // In the menu alone its shortcut would work only while the menu is open.
    addAction(N2);
    connect(Button3, &QPushButton::clicked, this, &TForm6::Button3Click);
}

void TForm6::showEvent(QShowEvent *event)
{
    Form::showEvent(event);
    // The main window is shown once, as the loop starts; a window restored
    // from the task bar is shown again by the system and must not reconnect.
    if (!m_shown && !event->spontaneous()) {
        m_shown = true;
        FormShow();
    }
}

void TForm6::FormShow()
{
    DM->UniConnection1->disconnectFromDatabase();
    DMDLL->UniConnection1->disconnectFromDatabase();
    DM->UniConnection1->setDatabasePath(caseNumberDatabasePath());
    DMDLL->UniConnection1->setDatabasePath(caseNumberDatabasePath());
    DM->UniConnection1->connectToDatabase();
    DMDLL->UniConnection1->connectToDatabase();
    DM->UniQuery1->open();
    DM->UniQuery2->open();
    DM->UniQuery3->open();
    DMDLL->UniQuery1->open();
}

void TForm6::Button2Click()
{
    const PastedCaseNumber decoded = decodePasted(*DMDLL, Edit1->text());
    // The box shows what was decoded, so the user sees which number was taken from the text.
    Edit1->setText(decoded.number);
    Memo1->clear();
    for (const QString &line : resultLines(decoded.info))
        Memo1->appendPlainText(line);
    if (!decoded.explanation.isEmpty())
        Memo1->appendPlainText(decoded.explanation);
}

void TForm6::Button1Click()
{
    DM->UniQuery1->open();
    DM->UniQuery2->open();
    DM->UniQuery3->open();
    Form2->show();
    Form2->raise();
    Form2->activateWindow();
}

void TForm6::N1Click()
{
    // The file may sit beside the program or in the user's data folder, or the
    // reference on a server; the user who wants to copy or replace it needs to
    // know which. A server's address is shown without its password.
    const DatabaseConnection *connection = DM->UniConnection1;
    const QString where = connection->engine() == DatabaseConnection::Engine::Postgres
        ? QStringLiteral("на сервере: %1").arg(connection->shownLocation())
        : QStringLiteral("в файле %1").arg(QDir::toNativeSeparators(connection->databasePath()));
    ModalDialogs::current().showAbout(
        this, QStringLiteral("Velmora 1.0"),
        QStringLiteral("<p><b>Velmora 1.0</b></p>"
                       "<p>Расшифровка номеров дел арбитражных судов: суд, год, отделение, "
                       "телефоны, зал и этаж, состав и его факс.</p>"
                       "<p>Справочник судов хранится %1.</p>"
                       "<p>© Разработчики Velmora.</p>")
            .arg(where.toHtmlEscaped()));
}

void TForm6::N2Click()
{
    if (!m_caseList)
        m_caseList = new CaseListWindow(this);
    m_caseList->show();
    m_caseList->raise();
    m_caseList->activateWindow();
}

void TForm6::Button3Click()
{
    close();
}
