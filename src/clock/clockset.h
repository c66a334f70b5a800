#pragma once
// Setting a controller's clock: addressing, the announcing function frame, the data frame.

#include <QDateTime>

namespace torvel {

class CommandEngine;

enum ClockSetCode : int {
    ClockSetOk = 0,
    ClockDataNotAcknowledged = -1,     // the data frame was not acknowledged
    ClockFunctionNotAcknowledged = -2, // the announcing function frame was not acknowledged
    ClockNotAddressable = -3,          // no answer to the addressing
};

// Up to six attempts; the code of the last one (a ClockSetCode). `time` is sent as it is in
// every attempt.
int SetControllerClock(CommandEngine &engine, int oven, const QDateTime &time);

} // namespace torvel
