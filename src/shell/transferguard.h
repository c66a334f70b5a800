#pragma once
// Marks a transfer on the line from its first frame to its last, so nothing else (another
// window's poll, closing a window) slips in between. Given the engine, the outermost guard
// also starts the transfer on a line that was lost before (the port is opened again by its
// name), and a line lost meanwhile sets AbortFlag: the transfer ends as after "Abbrechen".

#include <QMetaObject>

namespace torvel {

class AppState;
class CommandEngine;

class TransferGuard
{
public:
    explicit TransferGuard(AppState &state, CommandEngine *engine = nullptr);
    ~TransferGuard();
    TransferGuard(const TransferGuard &) = delete;
    TransferGuard &operator=(const TransferGuard &) = delete;

private:
    AppState &m_state;
    QMetaObject::Connection m_lossWatch;
};

} // namespace torvel
