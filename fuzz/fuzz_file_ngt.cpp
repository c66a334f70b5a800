// A .NGT workbook of night starts.
#include "fuzzsupport.h"

#include "nightstart/ngtfile.h"
#include "nightstart/nightstartgrid.h"
#include "shell/sheetmodel.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    SheetModel grid;
    setupNightStartGrid(grid);
    QString error;
    (void)loadNgtFile(fuzz::asFile(data, size, QStringLiteral("input.NGT")), grid, &error);
    return 0;
}
