#include "soakkinds.h"

namespace torvel::soak {

const QList<SoakKind> &soakKinds()
{
    // Transfers with many frames (program ranges) weigh less: a silent answer costs its
    // whole time-out, and they have the most of them.
    static const QList<SoakKind> kSoakKinds = {
        {"programs receive", 6, soakProgramReceive},
        {"programs send", 6, soakProgramSend},
        {"programs .REC file", 2, soakProgramRecFile},
        {"programs .TBR file", 2, soakProgramTbrFile},
        {"night read", 8, soakNightRead},
        {"night send", 8, soakNightSend},
        {"night .NGT file", 2, soakNightNgtFile},
        {"night .TBZ file", 2, soakNightTbzFile},
        {"clock read", 8, soakClockRead},
        {"clock set", 8, soakClockSet},
        {"gradient read", 8, soakGradientRead},
        {"gradient write", 8, soakGradientWrite},
        {"gradient .TST file", 2, soakGradientTstFile},
        {"version query", 8, soakVersionQuery},
        {"status query", 8, soakStatusQuery},
        {"Torvel2 status", 4, soakTorvel2StatusQuery},
        {"ready block read", 6, soakReadyBlockRead},
        {"ready block write", 6, soakReadyBlockWrite},
        {"ready table read", 3, soakReadyTableRead},
        {"ready table send", 3, soakReadyTableSend},
        {"ready .TBT file", 2, soakReadyTbtFile},
        {"log read", 3, soakLogRead},
        {"log .TB2/.CSV file", 2, soakLogFile},
    };
    return kSoakKinds;
}

} // namespace torvel::soak
