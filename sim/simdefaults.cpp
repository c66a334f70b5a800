#include "simdefaults.h"

namespace torvel::sim {

SimVersion defaultVersion(int oven)
{
    SimVersion v;
    switch (oven) {
    case 1:
        v = {285, 1, 99};
        break;
    case 2:
        v = {290, 2, 99};
        break;
    case 3:
        v = {291, 3, 99};
        break;
    case 4:
        v = {291, 3, 0x01}; // bit 1 clear: a controller with 11 programs
        break;
    case 5:
        v = {302, 0, 99};
        break;
    case 6:
        v = {160, std::nullopt, std::nullopt};
        break;
    default:
        v = {410, 30, 99}; // oven 7: second generation with the gradient table
        break;
    }
    return v;
}

SimStatus defaultStatus(int oven)
{
    SimStatus s;
    if (oven % 2 == 0)
        return s; // even ovens stand idle
    s.onStatus = 1;
    s.programNumber = static_cast<quint8>(oven + 10);
    s.bakeTime = static_cast<quint16>(900 + 60 * oven);
    s.topHeatActual = static_cast<quint16>(225 + oven);
    s.bottomHeatActual = static_cast<quint16>(215 + oven);
    s.topHeatSet = 230;
    s.bottomHeatSet = 220;
    s.topHeatOn = true;
    s.bottomHeatOn = true;
    s.programStarted = true;
    return s;
}

} // namespace torvel::sim
