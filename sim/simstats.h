#pragma once
// What the simulated line has seen, for tests that assert on the traffic
// (e.g. "no program frame was sent").

#include "faultplan.h"

#include <QMap>

namespace torvel::sim {

struct SimStats {
    QMap<int, int> functionFrames; // by function code: every function frame on the line
    QMap<int, int> addressFrames;  // by address byte
    int dataFrames = 0;
    int badChecksums = 0;          // function and data frames
    int answers = 0;               // answers that went out (after faults)
    QMap<FaultKind, int> faults;   // faults that hit

    int functionFrameCount(int code) const { return functionFrames.value(code); }
    int addressFrameCount(int addressByte) const { return addressFrames.value(addressByte); }
    int faultCount(FaultKind kind) const { return faults.value(kind); }
};

} // namespace torvel::sim
