#include "clockset.h"

#include "clockframes.h"
#include "clockread.h"

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"

namespace torvel {

int SetControllerClock(CommandEngine &engine, int oven, const QDateTime &time)
{
    const quint8 address = ovenAddressByte(oven);
    const QByteArray data = setTimeDataFrame(time);
    const QByteArray ack(1, kAck);
    int result = ClockNotAddressable;
    for (int attempt = 0; attempt < kClockAttempts; ++attempt) {
        if (!AddressController(engine, address, kClockTimeoutMs, 1)) {
            result = ClockNotAddressable;
            continue;
        }
        if (engine.SendCommand(setTimeFunctionFrame(), 1, true, kClockTimeoutMs, setTimeFunctionCaption(),
                               ControllerFlags)
            != ack) {
            result = ClockFunctionNotAcknowledged;
            continue;
        }
        if (engine.SendCommand(data, 1, true, kClockTimeoutMs, setTimeDataCaption(), ControllerFlags) == ack)
            return ClockSetOk;
        result = ClockDataNotAcknowledged;
    }
    return result;
}

} // namespace torvel
