#include "programprinter.h"

#include "bakeprog/programprint.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"
#include "shell/ui/sheetprinter.h"

#include <QPrinter>

namespace torvel {

bool printPrograms(SheetModel &list, const QString &sheetNameText, int first, int last, const AppState &state,
                   Prompter &prompter, QWidget *parent, QPrinter *printer)
{
    // A scale of 0 (accepted by "Drucker skalieren") prints at the default, not at 10 %.
    const ProgramPrintSetup setup(list, sheetNameText, first, last, printingScale(state.printScale));
    if (!setup.valid())
        return false;
    bool printed = false;
    if (printer) {
        QString error;
        printed = printSheet(list, *printer, &error);
        if (!printed)
            prompter.inform(QStringLiteral("Drucken"), error);
    } else {
        printed = printSheetWithDialog(list, parent);
    }
    // Only a print that went ahead is announced; a cancelled dialog prints nothing.
    if (printed)
        prompter.showMessageWindow(kPrintingMessage);
    return printed;
}

} // namespace torvel
