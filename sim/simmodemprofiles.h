#pragma once
// The settings the simulated modems are set up with, as their owners would have typed them.
// Written here a second time on purpose: the simulator must not take the PC program's
// profile tables, or a wrong entry there would look right on both ends.

namespace torvel::sim {

class SimModem;

// Answers after two rings, silent towards the controllers; stored as profile 0.
void configureTorvelModem(SimModem &modem);
// Never answers, reports its results; stored as profile 0.
void configurePcModem(SimModem &modem);

} // namespace torvel::sim
