// Form6, the main window: decodes a typed case number.
#pragma once

#include "widgets/Form.h"

class CaseListWindow;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class SplitButton;

// The main window: takes a typed case number, has it decoded and lists the
// answer; opens the court structure editor and the About box.
class TForm6 : public Form
{
    Q_OBJECT

public:
    explicit TForm6(QWidget *parent = nullptr);

    // Reconnects both connections to the database beside the executable and
    // opens the editor's three datasets and the decoder's lookup dataset.
    void FormShow();
    void Button2Click();
    void Button1Click();
    void N1Click();
    // «Расшифровать список…», also Ctrl+L: the list window, made on first use.
    void N2Click();
    void Button3Click();

    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button2;
    QPlainTextEdit *Memo1;
    QMenu *PopupMenu1;
    QAction *N2;
    QAction *N1;
    SplitButton *Button1;
    QPushButton *Button3;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_shown = false;
    CaseListWindow *m_caseList = nullptr;
};

extern TForm6 *Form6;
