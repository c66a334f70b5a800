#include "clockread.h"

#include "clockframes.h"

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"

namespace torvel {

ControllerTimeFetch FetchControllerTime(CommandEngine &engine, int oven)
{
    const quint8 address = ovenAddressByte(oven);
    for (int attempt = 0; attempt < kClockAttempts; ++attempt) {
        if (!AddressController(engine, address, kClockTimeoutMs, 1))
            continue;
        QByteArray reply = engine.SendCommand(timeRequestFrame(), kTimeReplyLength, true, kClockTimeoutMs,
                                              timeRequestCaption(), ControllerFlags);
        if (CheckReply(reply, true)) {
            const auto time = decodeControllerTime(reply);
            if (!time)
                continue; // framed and summed right, but too short to hold a time
            return {ControllerTimeFetch::Outcome::Received, *time};
        }
        // A controller without a time to tell acknowledges the request; asking again is useless.
        if (reply == QByteArray(1, kAck))
            return {ControllerTimeFetch::Outcome::AcknowledgedOnly, {}};
    }
    return {};
}

ClockReading ReadControllerClock(CommandEngine &engine, int oven)
{
    const ControllerTimeFetch fetch = FetchControllerTime(engine, oven);
    switch (fetch.outcome) {
    case ControllerTimeFetch::Outcome::Received:
        if (const auto time = toDateTime(fetch.time))
            return {ClockReadOk, *time};
        return {ClockNotConvertible, {}};
    case ControllerTimeFetch::Outcome::AcknowledgedOnly:
        return {ClockAcknowledgedOnly, {}};
    case ControllerTimeFetch::Outcome::NoAnswer:
        break;
    }
    return {ClockNoAnswer, {}};
}

} // namespace torvel
