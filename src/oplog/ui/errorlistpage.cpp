#include "errorlistpage.h"

namespace torvel {

namespace {
const LogPage::Names kNames{"FehlerTabSheet",  "FehlerGrid",      "GetErrorData", "ClearErrorData",  "SaveEdata",
                            "OpenEData",       "ErrorDrucken",    "HiOffErr",     "ReadCompleteErr", "IgnoreErrorErr",
                            "EDatenDauertest", "FehlerDauertest", nullptr};
} // namespace

ErrorListPage::ErrorListPage(Torvel2Context &ctx, QWidget *parent) : LogPage(ctx, LogKind::ErrorList, kNames, parent)
{
}

} // namespace torvel
