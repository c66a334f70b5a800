#pragma once
// The functions every simulated controller answers. New function groups get a
// register...() of their own here and a line in registerStandardFunctions().

#include <QtGlobal>

namespace torvel::sim {

class SimController;

constexpr quint8 kVersionFunction = 0x09;
constexpr quint8 kStatusFunction = 0x13;
constexpr quint8 kClockReadFunction = 0x19;
constexpr quint8 kClockSetFunction = 0x1A;

void registerStandardFunctions(SimController &c);

// 0x09: version word, ['r', revision], ['M', capability].
void registerVersionFunction(SimController &c);
// 0x13: the 24 status bytes.
void registerStatusFunction(SimController &c);
// 0x19: the clock's seven bytes; 0x1A: 0x06, then its seven-byte data frame (simclock.cpp).
void registerClockFunctions(SimController &c);

} // namespace torvel::sim
