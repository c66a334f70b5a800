#pragma once
// Printing the night start grid: the page heading carries the print time, portrait always.

#include <functional>

class QWidget;

namespace torvel {

class Prompter;
class SheetModel;

// Prints a sheet: asks for the printer, prints, true when it went to the printer.
using SheetPrintFunction = std::function<bool(const SheetModel &sheet, QWidget *parent)>;

// Sheet name plus print time, landscape off, `print` (the print dialog when empty), then the
// message window. The sheet name is put back whether the print ran, was cancelled or failed.
bool printNightGrid(SheetModel &grid, Prompter &prompter, QWidget *parent, const SheetPrintFunction &print = {});

} // namespace torvel
