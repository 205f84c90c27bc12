#include "Unit2.h"

TForm2 *Form2 = nullptr;

TForm2::TForm2(QWidget *parent)
    : Form(QSize(757, 354), parent)
{
    setWindowTitle(QStringLiteral("Структура данных арбитражных судов"));
}
