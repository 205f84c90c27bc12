// Form5, the dialog that edits one division.
#pragma once

#include "widgets/DialogRows.h"
#include "widgets/ModalForm.h"

class DataEdit;
class QLabel;
class QPushButton;

// Edits one court division, the current row of the divisions dataset.
class TForm5 : public ModalForm
{
    Q_OBJECT

public:
    explicit TForm5(QWidget *parent = nullptr);

    void Button1Click();

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    DataEdit *DBEdit1;
    DataEdit *DBEdit2;
    DataEdit *DBEdit3;
    DataEdit *DBEdit4;
    DataEdit *DBEdit5;
    QPushButton *Button1;

protected:
    void showEvent(QShowEvent *event) override;

private:
    DialogRows m_rows;
};

extern TForm5 *Form5;
