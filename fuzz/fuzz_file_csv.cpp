// A .CSV log file of the error list: read as the window opens it (fields split on ";" only),
// then written with commas as the CSV type "Trennzeichen Komma" does.
#include "fuzzsupport.h"

#include "oplog/logfile.h"
#include "oplog/loggrid.h"
#include "shell/sheetmodel.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    OperatingList list;
    QString error;
    if (!parseOperatingFile(fuzz::bytes(data, size), LogKind::ErrorList, &list, &error))
        return 0;
    if (!beginsWithWord(list.header, logKindWord(LogKind::ErrorList)))
        __builtin_trap(); // the header is the file's own first line or the kind word
    SheetModel grid;
    setupLogGrid(grid, LogKind::ErrorList);
    ShowOperatingList(grid, list, true);
    (void)logFileContent(grid, logFileFirstLine(list.header, LogKind::ErrorList), QLatin1Char(','));
    return 0;
}
