// Form3, the dialog that edits one court.
#pragma once

#include "widgets/DialogRows.h"
#include "widgets/ModalForm.h"

class DataEdit;
class QLabel;
class QPushButton;

// Edits the code and name of one court, the current row of the courts dataset.
class TForm3 : public ModalForm
{
    Q_OBJECT

public:
    explicit TForm3(QWidget *parent = nullptr);

    void Button1Click();

    QLabel *Label1;
    QLabel *Label2;
    DataEdit *DBEdit1;
    DataEdit *DBEdit2;
    QPushButton *Button1;

protected:
    void showEvent(QShowEvent *event) override;

private:
    DialogRows m_rows;
};

extern TForm3 *Form3;
