#pragma once
// Prints a sheet's print area: the sheet name as the page heading, the cells with grid
// lines, the row and column headings when the sheet asks for them, at the sheet's scale and
// orientation. What does not fit a page continues on the next ones, first down, then across.

#include <QString>

class QPrinter;
class QWidget;

namespace torvel {

class SheetModel;

// The scale a print uses: the sheet's percent when it lies in 1..100, else 80. The sheet
// keeps the value it was given.
int printingScale(int percent);

// Prints on `printer` (a PDF file, a printer chosen before). False with a German message
// when there is nothing to print or the printer fails.
bool printSheet(const SheetModel &sheet, QPrinter &printer, QString *error = nullptr);

// Asks for the printer first; reports a failure in a message box. False when cancelled.
bool printSheetWithDialog(const SheetModel &sheet, QWidget *parent);

} // namespace torvel
