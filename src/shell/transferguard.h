#pragma once
// Marks a transfer on the line from its first frame to its last, so nothing else (another
// window's poll, closing a window) slips in between.

namespace torvel {

class AppState;

class TransferGuard
{
public:
    explicit TransferGuard(AppState &state);
    ~TransferGuard();
    TransferGuard(const TransferGuard &) = delete;
    TransferGuard &operator=(const TransferGuard &) = delete;

private:
    AppState &m_state;
};

} // namespace torvel
