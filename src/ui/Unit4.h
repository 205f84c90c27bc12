// Form4, the dialog that edits one judicial composition.
#pragma once

#include "widgets/DialogRows.h"
#include "widgets/ModalForm.h"

class DataEdit;
class QLabel;
class QPushButton;

// Edits one judicial composition, the current row of the compositions dataset.
class TForm4 : public ModalForm
{
    Q_OBJECT

public:
    explicit TForm4(QWidget *parent = nullptr);

    void Button1Click();

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    DataEdit *DBEdit1;
    DataEdit *DBEdit2;
    DataEdit *DBEdit3;
    DataEdit *DBEdit4;
    QPushButton *Button1;

protected:
    void showEvent(QShowEvent *event) override;

private:
    DialogRows m_rows;
};

extern TForm4 *Form4;
