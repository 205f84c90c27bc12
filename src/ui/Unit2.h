#pragma once

#include "widgets/Form.h"

// The court structure editor: courts, their compositions and divisions.
class TForm2 : public Form
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);
};

extern TForm2 *Form2;
