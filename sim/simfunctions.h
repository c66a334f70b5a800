#pragma once
// The functions every simulated controller answers. New function groups get a
// register...() of their own here and a line in registerStandardFunctions().

#include <QtGlobal>

namespace torvel::sim {

class SimController;

constexpr quint8 kVersionFunction = 0x09;
constexpr quint8 kStatusFunction = 0x13;

void registerStandardFunctions(SimController &c);

// 0x09: version word, ['r', revision], ['M', capability].
void registerVersionFunction(SimController &c);
// 0x13: the 24 status bytes.
void registerStatusFunction(SimController &c);

} // namespace torvel::sim
