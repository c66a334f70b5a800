#include "simfunctions.h"

#include "simcontroller.h"

namespace torvel::sim {

void registerStandardFunctions(SimController &c)
{
    registerVersionFunction(c);
    registerStatusFunction(c);
    registerClockFunctions(c);
    registerProgramFunctions(c);
    registerNightFunctions(c);
    registerGradientFunctions(c);
    registerReadyFunctions(c);
    registerLogFunctions(c);
}

// The PC's parameters (0x56 0x72 for the version, 0 0 for the status) carry no
// information, so neither query checks them.
void registerVersionFunction(SimController &c)
{
    c.registerFunction(kVersionFunction,
                       [&c](quint8, quint8) { return SimReply::withData(versionData(c.version())); });
}

void registerStatusFunction(SimController &c)
{
    c.registerFunction(kStatusFunction,
                       [&c](quint8, quint8) { return SimReply::withData(statusData(c.status())); });
}

} // namespace torvel::sim
