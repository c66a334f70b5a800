#include "readyfetch.h"

#include "readytransfer.h"
#include "readyvalidate.h"

namespace torvel {

bool readRepairedReadyTable(const Torvel2Line &line, int herdMax, const QString &logFolder, ReadyTable *table,
                            QString *repaired)
{
    ReadyBlockFlags flags;
    QString report;
    if (ReadReadyTable(line, herdMax, *table, flags, report) != ReadyRun::Done)
        return false;
    repaired->clear();
    if (!ValidateReadyTable(*table, *repaired, logFolder))
        repaired->clear();
    return true;
}

} // namespace torvel
