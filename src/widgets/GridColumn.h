#pragma once

#include <QString>

// One column of a data-bound grid: the dataset column it shows, its title
// and its width in pixels.
struct GridColumn
{
    QString field;
    QString title;
    int width = 64;
};
