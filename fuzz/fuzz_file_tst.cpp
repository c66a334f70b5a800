// A .TST gradient table file.
#include "fuzzsupport.h"

#include "tables/gradientfile.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    GradientTable table = emptyGradientTable();
    QString error;
    if (loadGradientFile(fuzz::asFile(data, size, QStringLiteral("input.TST")), &table, &error)
        && (table.isEmpty() || table.value(GradientNacht, 9, GradientSH) > kGradientMaxValue))
        __builtin_trap(); // a table read is never the marker and never holds a value over a byte
    return 0;
}
