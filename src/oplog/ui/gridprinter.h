#pragma once
// `PrintGrid`: all rows of a string grid on a printer, page by page, as lines of text. Positions
// are in 0.1 mm from the page's top left corner: the title (4.8 mm) 2 mm below the top, rules
// 10 mm below the top and 20 mm above the bottom, "Seite: p von P" 15 mm above the bottom, the
// rows (3.6 mm) from 11 mm on, 3.6 mm apart, each cell 3 times its screen width in 0.1 mm
// after the one before. An A4 portrait page takes 72 rows.

#include <QList>
#include <QPageLayout>
#include <QString>

class QPrinter;

namespace torvel {

class SheetModel;

// Page size in 0.1 mm (whole millimetres) and how the rows are spread over the pages.
struct GridPrintLayout {
    int width = 0;
    int height = 0;
    int linesPerPage = 0; // rows of the grid per page (a repeated title row comes on top)
    int pages = 0;

    // Nothing fits: no page size, or a page too short for one row.
    bool usable() const { return width > 0 && linesPerPage > 0; }
};

// The layout for a printer's page (its orientation set) and a grid of `rows` rows (row 0, the
// titles, counts).
GridPrintLayout gridPrintLayout(const QPrinter &printer, int rows);

// Prints row 0 (the grid's column headings) and every row of the grid. repeatHeader prints
// row 0 in bold, and again in bold at the top of every further page. False with a German
// reason when the printer has no usable page or fails.
bool PrintGrid(QPrinter &printer, const SheetModel &grid, const QList<int> &columnWidths, const QString &title,
               QPageLayout::Orientation orientation, bool repeatHeader, QString *error);

} // namespace torvel
