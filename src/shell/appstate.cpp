#include "appstate.h"

#include "requests.h"

#include <algorithm>

namespace torvel {

void AppState::setSelectedOven(int oven)
{
    oven = std::clamp(oven, 1, 7);
    if (oven == m_selectedOven)
        return;
    m_selectedOven = oven;
    emit selectedOvenChanged(oven);
}

void AppState::beginTransfer()
{
    ++m_transfers;
}

void AppState::endTransfer()
{
    if (m_transfers > 0 && --m_transfers == 0)
        emit transferEnded();
}

void AppState::pauseClockPolling()
{
    postRequest(clockWindow, Request::StopCommunication);
}

void AppState::resumeClockPolling()
{
    postRequest(clockWindow, Request::StartCommunication);
}

QList<int> AppState::defaultMinuteColumns()
{
    return {4, 6, 9, 11, 14, 16, 19, 21, 24};
}

QList<int> AppState::damperSecondsMinuteColumns()
{
    return {4, 9, 14, 19, 24};
}

} // namespace torvel
