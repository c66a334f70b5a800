#include "operatingdatapage.h"

namespace torvel {

namespace {
const LogPage::Names kNames{"BDataSheet",      "BetriebsDatenGrid", "GetData", "ClearData",    "SaveBData",
                            "OpenBData",       "Drucken",           "HiOff",   "ReadComplete", "IgnoreError",
                            "BDatenDauertest", "BDatenDauertest",   "Button5"};
} // namespace

OperatingDataPage::OperatingDataPage(Torvel2Context &ctx, QWidget *parent)
    : LogPage(ctx, LogKind::OperatingData, kNames, parent)
{
}

} // namespace torvel
