#pragma once

#include <QList>
#include <QSize>
#include <QString>

#include <utility>

class AnchoredLayout;
class DataEdit;
class DataSource;
class QLabel;
class QPushButton;
class QWidget;

// The rows of an edit dialog as they were drawn: each a label at the left
// and, beside it, a one-line edit box bound to one column, one row every 27
// pixels; below them one button as wide as the rows.
class DialogRows
{
public:
    struct Columns
    {
        int firstBoxTop;
        int boxLeft;
        int boxWidth;
    };

    DialogRows(QWidget *dialog, const QSize &clientSize, const Columns &columns);

    // Adds a row below the others: LabelN with the caption, DBEditN bound to the field.
    std::pair<QLabel *, DataEdit *> add(int number, const QString &caption, const QString &field);
    // Places the button below the last row, across the whole width of the rows.
    void addButtonBelow(QPushButton *button);

    // The data source may be given late: a dialog is created before the data
    // module that holds its source.
    void setDataSource(DataSource *source);

private:
    AnchoredLayout *m_layout;
    Columns m_columns;
    QList<DataEdit *> m_boxes;
};
