#pragma once

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
};

extern TForm3 *Form3;
