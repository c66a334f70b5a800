#include "simgeneration.h"

namespace torvel::sim {

int firmwareNumber(const SimVersion &v)
{
    return (v.word / 100) * 65536 + (v.word % 100) * 256 + v.revision.value_or(0);
}

bool isSecondGeneration(const SimVersion &v)
{
    return v.word / 100 >= 4;
}

bool offersGradientTable(const SimVersion &v)
{
    return firmwareNumber(v) >= kGradientFirmware;
}

} // namespace torvel::sim
