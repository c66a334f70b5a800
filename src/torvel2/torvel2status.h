#pragma once
// The service requests of the Torvel2 window's "VKSDebug" page: the live status of the
// window's oven, and one bare addressing frame to any bus address.

#include "link/controller.h"
#include "torvel2address.h"

#include <QString>

#include <optional>

namespace torvel {

class MemoLog;

// AddressTorvel2Oven (its message only with showError), "ACK" into the memo, then the status
// frame. Only a whole reply that CheckReply accepts is decoded (decodeCheckedStatus); any other outcome writes
// "No Status" and gives nullopt, so no invented values reach the screen.
std::optional<ControllerStatus> QueryTorvel2Status(const Torvel2Line &line, bool showError, MemoLog &memo);

// `VKSAdressieren`: one addressing frame 0x05, 0x80 + busAddress with 250 ms and no retry.
// The memo text: "ACK" when the reply begins with 0x06, "NAK" with 0x15, else the reply itself.
QString AddressOnce(CommandEngine &engine, int busAddress);

} // namespace torvel
