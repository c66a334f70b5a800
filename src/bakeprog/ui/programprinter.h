#pragma once
// "Drucken" for the bake program list: programs first..last (the range dialog's values).

#include <QString>

class QPrinter;
class QWidget;

namespace torvel {

class AppState;
class Prompter;
class SheetModel;

// Prints rows first..last of `list` with headings, landscape, at the print scale of the
// settings; the sheet name carries date and time during the print and is `sheetNameText`
// again afterwards. With `printer` (a PDF file in tests) it prints there; without, the print
// dialog asks. The message window tells that it prints. False when nothing was printed.
bool printPrograms(SheetModel &list, const QString &sheetNameText, int first, int last, const AppState &state,
                   Prompter &prompter, QWidget *parent, QPrinter *printer = nullptr);

} // namespace torvel
