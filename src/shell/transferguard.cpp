#include "transferguard.h"

#include "appstate.h"

#include "link/commandengine.h"

namespace torvel {

TransferGuard::TransferGuard(AppState &state, CommandEngine *engine) : m_state(state)
{
    if (engine) {
        if (!m_state.transferActive())
            engine->resumeAfterLineLoss();
        m_lossWatch = QObject::connect(engine, &CommandEngine::lineLost, &state,
                                       [s = &state](const QString &) { s->abortFlag = true; });
    }
    m_state.beginTransfer();
}

TransferGuard::~TransferGuard()
{
    QObject::disconnect(m_lossWatch);
    m_state.endTransfer();
}

} // namespace torvel
