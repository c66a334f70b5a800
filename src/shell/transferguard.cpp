#include "transferguard.h"

#include "appstate.h"

namespace torvel {

TransferGuard::TransferGuard(AppState &state) : m_state(state)
{
    m_state.beginTransfer();
}

TransferGuard::~TransferGuard()
{
    m_state.endTransfer();
}

} // namespace torvel
