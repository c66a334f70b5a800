#include "programlistread.h"

#include "programsheet.h"
#include "programtransfer.h"

#include "link/commandengine.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"

#include <algorithm>

namespace torvel {

ProgramListRead readProgramList(AppState &state, CommandEngine &engine, Prompter &prompter, int oven, int first,
                                std::optional<int> to, SheetModel &list)
{
    ProgramListRead read;
    read.first = first;
    const auto capacity = QueryProgramCapacity(engine, oven);
    if (!capacity) {
        if (!engine.isLineLost()) // a lost line has said so itself
            prompter.inform(kNotReachableCaption, notReachableText(engine));
        return read;
    }
    read.reachable = true;
    read.last = std::min(to.value_or(*capacity), *capacity);
    if (read.last < first)
        return read;
    ProgramTransfer transfer(state, engine, prompter, list);
    transfer.receive(oven, first, read.last);
    for (int n = first; n <= read.last; ++n)
        if (isFaultyName(list.text(n, 1)))
            read.failed << n;
    return read;
}

} // namespace torvel
