#pragma once
// The kinds of transfer the soak runs, as one table.
//
// Adding a kind (the whole Torvel record, the modem, ...):
//  1. Write `SoakOutcome soakSomething(SoakRig &rig)` in a file of its own under bench/soak/
//     (bench/CMakeLists.txt takes every .cpp there). It sets the truth in the simulated
//     controllers (rig.controller(oven)), runs the core transfer exactly as a window or
//     torvelctl would (rig.engine(), rig.state(), rig.prompter(), rig.torvel2Line()), and
//     compares what it got with the truth: every value that differs goes to rig.wrong(). A
//     read must show the controller's values or a failure (an "ERR:" marker, a failed result,
//     a message); a send must leave each item as it was or as sent, and exactly as sent when
//     it reports success. File kinds write what the last read left (keep it in the rig, like
//     rig.programList()) and compare what reads back.
//  2. Declare it below and add one line {"name", weight, soakSomething} to kSoakKinds in
//     soakkinds.cpp. The weight is its share of the transfers.
// Faults, the vanished controller's return and the tally are the rig's and the runner's job.

#include <QList>

namespace torvel::soak {

class SoakRig;

enum class SoakOutcome {
    Done,   // the transfer reported success
    Failed, // it reported a failure (marker, result or message)
};

struct SoakKind {
    const char *name;
    int weight;
    SoakOutcome (*run)(SoakRig &rig);
};

const QList<SoakKind> &soakKinds();

// Bake programs (programkinds.cpp).
SoakOutcome soakProgramReceive(SoakRig &rig);
SoakOutcome soakProgramSend(SoakRig &rig);
SoakOutcome soakProgramRecFile(SoakRig &rig);
SoakOutcome soakProgramTbrFile(SoakRig &rig);
// Night start times (nightkinds.cpp).
SoakOutcome soakNightRead(SoakRig &rig);
SoakOutcome soakNightSend(SoakRig &rig);
SoakOutcome soakNightNgtFile(SoakRig &rig);
SoakOutcome soakNightTbzFile(SoakRig &rig);
// Clock (clockkinds.cpp).
SoakOutcome soakClockRead(SoakRig &rig);
SoakOutcome soakClockSet(SoakRig &rig);
// Gradient table of oven 7 (gradientkinds.cpp).
SoakOutcome soakGradientRead(SoakRig &rig);
SoakOutcome soakGradientWrite(SoakRig &rig);
SoakOutcome soakGradientTstFile(SoakRig &rig);
// Version and status; the Torvel2 window's status of oven 7 (querykinds.cpp).
SoakOutcome soakVersionQuery(SoakRig &rig);
SoakOutcome soakStatusQuery(SoakRig &rig);
SoakOutcome soakTorvel2StatusQuery(SoakRig &rig);

// Ready table of oven 7 (readykinds.cpp).
SoakOutcome soakReadyBlockRead(SoakRig &rig);
SoakOutcome soakReadyBlockWrite(SoakRig &rig);
SoakOutcome soakReadyTableRead(SoakRig &rig);
SoakOutcome soakReadyTableSend(SoakRig &rig);
SoakOutcome soakReadyTbtFile(SoakRig &rig);
// Operating data and error list of oven 7 (logkinds.cpp).
SoakOutcome soakLogRead(SoakRig &rig);
SoakOutcome soakLogFile(SoakRig &rig);

} // namespace torvel::soak
