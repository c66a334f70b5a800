#pragma once
// The grids `BetriebsDatenGrid` and `FehlerGrid`: seven columns, their titles as row 0 (the
// sheet's column headings), one row per entry from row 1. Saving and printing take the rows
// as the grid shows them.

#include "logkind.h"
#include "operatinglist.h"

#include <QList>
#include <QStringList>

namespace torvel {

class SheetModel;

constexpr int kLogGridCols = 7;
// The widths of the form's columns, in screen pixels.
inline const QList<int> kLogColumnWidths{35, 70, 70, 195, 45, 35, 120};

// "Nr", "Datum", "Zeit", "Ereignis", "Herd", then "PNr", "Prg-Namen." (empty for the error list).
QStringList logColumnTitles(LogKind kind);
// Titles, seven columns, one empty row.
void setupLogGrid(SheetModel &grid, LogKind kind);

// The seven cells of an entry's row.
QStringList logRowCells(const OperatingEntry &e);

// `ShowOperatingList`: the grid gets one row per entry, newest first or in list order (an
// empty list leaves one empty row).
void ShowOperatingList(SheetModel &grid, const OperatingList &list, bool newestFirst);

// The printout's title: the window caption when it begins with "Betriebsdaten" (operating
// data) or "Fehlerliste" (error list), letter case ignored, else that word and " Torvel".
QString logPrintTitle(const QString &caption, LogKind kind);

// Rows as the string grid counts them: row 0 the titles, then the sheet's rows.
int logGridRowCount(const SheetModel &grid);
QStringList logGridRow(const SheetModel &grid, int row);

} // namespace torvel
