#include "clockpanel.h"

#include "clockread.h"
#include "clocktexts.h"

namespace torvel {

QString ControllerClockPanelText(CommandEngine &engine, int oven)
{
    const ControllerTimeFetch fetch = FetchControllerTime(engine, oven);
    if (fetch.outcome != ControllerTimeFetch::Outcome::Received)
        return clockUnavailableText();
    return controllerTimeText(fetch.time);
}

QString PcClockPanelText(const QDateTime &now)
{
    return pcTimeText(now);
}

} // namespace torvel
