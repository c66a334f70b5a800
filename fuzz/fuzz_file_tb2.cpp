// A .TB2 log file, opened into a grid and saved again.
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
    if (!openOperatingFile(fuzz::asFile(data, size, QStringLiteral("input.TB2")), LogKind::OperatingData, &list,
                           &error))
        return 0;
    SheetModel grid;
    setupLogGrid(grid, LogKind::OperatingData);
    ShowOperatingList(grid, list, false);
    if (logGridRowCount(grid) != std::max<qsizetype>(2, list.entries.size() + 1))
        __builtin_trap(); // every entry opened is a row of the grid
    (void)logFileContent(grid, list.header, QLatin1Char(';'));
    return 0;
}
