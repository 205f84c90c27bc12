#pragma once

#include "support/ProgramFixture.h"
#include "ui/Unit2.h"
#include "ui/Unit6.h"
#include "widgets/DataGrid.h"

#include <QPushButton>
#include <QStringList>
#include <QTest>

// The whole program with the court structure editor open, and the clicks its
// tests make on it.
class EditorFixture : public ProgramFixture
{
protected:
    using ProgramFixture::ProgramFixture;

    void SetUp() override
    {
        ProgramFixture::SetUp();
        Form6->Button1Click();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form2));
    }

    static void clickRow(DataGrid *grid, int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        ASSERT_TRUE(cell.isValid()) << "row " << row << " is not in the grid";
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    static void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    // One column of the grid as it shows it, top to bottom.
    static QStringList gridColumn(const DataGrid *grid, int column)
    {
        QStringList texts;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            texts << grid->model()->index(row, column).data().toString();
        return texts;
    }
};
