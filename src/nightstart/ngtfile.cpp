#include "ngtfile.h"

#include "nightstartgrid.h"

#include "shell/sheetmodel.h"
#include "shell/workbookdata.h"
#include "shell/workbookfile.h"
#include "shell/workbookreader.h"

namespace torvel {

bool saveNgtFile(const SheetModel &grid, const QString &fileName, QString *error)
{
    return saveWorkbook(grid, fileName, error);
}

bool loadNgtFile(const QString &fileName, SheetModel &grid, QString *error)
{
    WorkbookData data;
    if (!readWorkbook(fileName, &data, error))
        return false;
    // Another grid (a program list saved under this name) would put foreign numbers on the
    // line at the next send.
    if (data.cells.isEmpty() || data.lastRow() > kNightRows || data.lastCol() > kNightCols) {
        if (error)
            *error = QStringLiteral("Datei enthält keine Nachtstartzeiten: %1").arg(fileName);
        return false;
    }
    applyWorkbookData(data, grid);
    return true;
}

} // namespace torvel
