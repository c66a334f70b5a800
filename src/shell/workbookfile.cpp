#include "workbookfile.h"

#include "workbookdata.h"
#include "workbookreader.h"
#include "workbookwriter.h"

namespace torvel {

bool saveWorkbook(const SheetModel &model, const QString &path, QString *error)
{
    return writeWorkbook(workbookDataFrom(model), path, error);
}

bool loadWorkbook(const QString &path, SheetModel &model, QString *error)
{
    WorkbookData data;
    if (!readWorkbook(path, &data, error))
        return false;
    applyWorkbookData(data, model);
    return true;
}

} // namespace torvel
