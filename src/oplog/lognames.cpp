#include "lognames.h"

#include "logreadview.h"

#include "bakeprog/programsheet.h"
#include "bakeprog/programtransfer.h"
#include "torvel2/torvel2address.h"

namespace torvel {

QStringList FetchProgramNames(const Torvel2Line &line, LogReadView *view, int progressBase, int progressMaximum)
{
    QStringList names(kLogNamePrograms + 1);
    const auto aborted = [view] { return view && view->abortRequested(); };
    for (int n = 1; n <= kLogNamePrograms && !aborted(); ++n) {
        if (view)
            view->setProgress(progressBase + 10 * n, progressMaximum);
        for (int attempt = 1; attempt <= kLogNameTries && !aborted(); ++attempt) {
            const bool last = attempt == kLogNameTries;
            if (attempt > 1 && !AddressTorvel2Oven(line, false)) {
                if (last)
                    names[n] = marker::kNoAnswer;
                continue;
            }
            if (const auto name = ReadProgramName(line.engine, n, attempt > 1)) {
                names[n] = *name;
                break;
            }
            if (last)
                names[n] = marker::kTransferError;
        }
    }
    return names;
}

} // namespace torvel
