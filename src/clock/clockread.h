#pragma once
// Reading a controller's clock: up to six attempts of addressing and time request.

#include "controllertime.h"

#include <QDateTime>

namespace torvel {

class CommandEngine;

enum ClockReadCode : int {
    ClockReadOk = 0,
    ClockNoAnswer = -1,        // six attempts without a usable reply
    ClockNotConvertible = -2,  // a reply, but no possible date or time
    ClockAcknowledgedOnly = -99, // the controller answered the request with a bare 0x06
};

struct ClockReading {
    int code = ClockNoAnswer; // a ClockReadCode
    QDateTime time;           // valid only with ClockReadOk

    bool ok() const { return code == ClockReadOk; }
};

// The controller's bytes as they came, before any conversion.
struct ControllerTimeFetch {
    enum class Outcome { Received, AcknowledgedOnly, NoAnswer };
    Outcome outcome = Outcome::NoAnswer;
    ControllerTime time; // with Received
};

constexpr int kClockAttempts = 6;

// The attempts themselves. The oven is fixed for all of them: selecting another oven
// meanwhile does not redirect a read that has started.
ControllerTimeFetch FetchControllerTime(CommandEngine &engine, int oven);

// FetchControllerTime converted to a local date-time.
ClockReading ReadControllerClock(CommandEngine &engine, int oven);

} // namespace torvel
