// Form2, the court structure editor: courts, their compositions and divisions.
#pragma once

#include "data/Dataset.h"
#include "widgets/Form.h"

#include <QList>

#include <functional>
#include <map>
#include <memory>

class DataGrid;
class ModalForm;
class QGroupBox;
class QPushButton;

// The court structure editor: courts, the compositions of the clicked court
// and the divisions of the clicked composition, each added, changed and
// deleted through its edit dialog. Every write happens while the decoder's
// lookup dataset is closed, and what an action closed is open again when it
// ends, whether the write succeeded or not.
class TForm2 : public Form
{
    Q_OBJECT

public:
    static const QString CompositionsOfCourtStatement;
    static const QString DivisionsOfCompositionStatement;

    explicit TForm2(QWidget *parent = nullptr);

    void DBGrid1CellClick();
    void DBGrid2CellClick();

    void Button1Click();
    void Button3Click();
    void Button2Click();
    void Button4Click();
    void Button6Click();
    void Button5Click();
    void Button7Click();
    void Button9Click();
    void Button8Click();

    QGroupBox *GroupBox1;
    DataGrid *DBGrid1;
    QPushButton *Button1;
    QPushButton *Button3;
    QPushButton *Button2;
    QGroupBox *GroupBox2;
    DataGrid *DBGrid2;
    QPushButton *Button4;
    QPushButton *Button6;
    QPushButton *Button5;
    QGroupBox *GroupBox3;
    DataGrid *DBGrid3;
    QPushButton *Button7;
    QPushButton *Button9;
    QPushButton *Button8;

private:
    // One grid's table: its dataset, its edit dialog, and the datasets an
    // action on it closes before its work and opens after it, in that order.
    struct EditedTable
    {
        Dataset *dataset;
        ModalForm *dialog;
        QList<Dataset *> others;
    };
    static EditedTable courtsTable();
    static EditedTable compositionsTable();
    static EditedTable divisionsTable();

    void editCurrentRow(const EditedTable &table);
    void deleteCurrentRow(const EditedTable &table);
    // The new row gets its key and its parent's key only when the dialog says OK.
    void addChildRow(const EditedTable &table, const QString &parentColumn, Dataset *parents);

    void showDivisionsOfCurrentComposition();
    // Closes the datasets in order, does the work on its own dataset, opens
    // the others in order. When the work fails, its pending insert or edit is
    // cancelled and everything is reopened before the error goes on to be
    // shown; what cannot be read again shows its earlier rows.
    void runAction(const QList<Dataset *> &closeFirst, Dataset *own, const std::function<void()> &work, const QList<Dataset *> &openAfter);
    using KeptRows = std::map<Dataset *, std::unique_ptr<Dataset::Shown>>;
    // Opens the datasets in order. Once one cannot be read the rest, on the
    // same connection, are not tried: each shows again the rows it showed
    // before the action, so that once the database is back a user picks the
    // same court or composition and tries again. The reading error goes on.
    static void reopen(const QList<Dataset *> &datasets, KeptRows &kept);
    bool confirmDelete();
    void enableButtons();
};

extern TForm2 *Form2;
