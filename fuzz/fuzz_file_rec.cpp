// A .REC workbook of bake programs.
#include "fuzzsupport.h"

#include "bakeprog/programsheet.h"
#include "bakeprog/recfile.h"
#include "shell/appstate.h"
#include "shell/sheetmodel.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    SheetModel list;
    setupProgramSheet(list);
    QString error;
    (void)loadRecFile(fuzz::asFile(data, size, QStringLiteral("input.REC")), list, AppState::defaultMinuteColumns(),
                      &error);
    return 0;
}
