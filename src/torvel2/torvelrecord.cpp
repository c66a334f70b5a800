#include "torvelrecord.h"

namespace torvel {

void TorvelRecord::clearProgramsAndNights()
{
    names.fill(QString());
    for (auto &program : values)
        program.fill(QString());
    for (auto &day : nightStarts)
        day.fill(QString());
}

} // namespace torvel
