// A .TBZ night start file.
#include "fuzzsupport.h"

#include "nightstart/nightstartgrid.h"
#include "nightstart/tbzfile.h"
#include "shell/sheetmodel.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    SheetModel grid;
    setupNightStartGrid(grid);
    QString error;
    (void)loadTbzFile(fuzz::asFile(data, size, QStringLiteral("input.TBZ")), grid, &error);
    return 0;
}
