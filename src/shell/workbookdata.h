#pragma once
// What a workbook file holds for one grid: the first sheet's name, its cells and the
// print settings. Files are read into this first, so a failed read never touches a grid.

#include <QList>
#include <QRect>
#include <QString>
#include <QVariant>

namespace torvel {

class SheetModel;

struct WorkbookCell
{
    int row = 0; // 1-based, like the grid
    int col = 0;
    QVariant value; // QString or double
};

struct WorkbookPrintSetup
{
    bool landscape = false;
    int scale = 100;      // percent
    QRect area;           // x = column, y = row; null = the used range
    bool headings = false; // print the row and column headings
};

struct WorkbookData
{
    QString sheetName;
    QList<WorkbookCell> cells;
    WorkbookPrintSetup print;

    // Highest row and column holding a cell (0 when there are none).
    int lastRow() const;
    int lastCol() const;
};

// Takes cells, sheet name and print settings from the grid.
WorkbookData workbookDataFrom(const SheetModel &model);

// Replaces the grid's cells, sheet name and print settings. The grid grows to hold every
// cell (never shrinks); headings, title and cursor stay. One cellsChanged for the lot.
void applyWorkbookData(const WorkbookData &data, SheetModel &model);

} // namespace torvel
