#pragma once
// Which functions a simulated controller offers follows from its firmware version, as on the
// real controllers: the second generation (major version 4 and later) keeps the ready table and
// the logs; the gradient table came with 4.00 r25.

#include "simstate.h"

namespace torvel::sim {

// (V div 100) * 65536 + (V mod 100) * 256 + R; 4.00 r25 is 0x40019. No "r": R = 0.
int firmwareNumber(const SimVersion &v);
constexpr int kGradientFirmware = 0x40019;

bool isSecondGeneration(const SimVersion &v);
bool offersGradientTable(const SimVersion &v);

} // namespace torvel::sim
