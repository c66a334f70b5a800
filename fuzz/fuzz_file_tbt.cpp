// A .TBT ready table file, opened as the window does (read, then repaired).
#include "fuzzsupport.h"

#include "tables/readyfile.h"

#include <QTemporaryDir>

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir logs;
    ReadyTable table;
    ReadyBlockFlags flags;
    QString error;
    QString repaired;
    if (!openReadyFile(fuzz::asFile(data, size, QStringLiteral("input.TBT")), logs.path(), &table, &flags, &error,
                       &repaired))
        return 0;
    // An opened table holds nothing out of range: every entry went through the repair.
    for (const ReadyEntry &e : table.entries) {
        const bool minutesOk = (e.minutes >= 0 && e.minutes < 1440) || e.minutes == 2047;
        if (e.woche < 0 || e.woche > 31 || !minutesOk)
            __builtin_trap();
    }
    return 0;
}
