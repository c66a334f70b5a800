#pragma once
// What a fresh simulated line holds: seven controllers of different generations, so
// version lists and status views show some variety.

#include "simstate.h"

namespace torvel::sim {

// Oven 3 is "2.91 r3" with 99 programs; oven 6 an early controller without "r" and "M";
// oven 7 a second-generation controller ("4.10 r30").
SimVersion defaultVersion(int oven);
SimStatus defaultStatus(int oven);

} // namespace torvel::sim
