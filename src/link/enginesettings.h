#pragma once
// Line settings that every transaction reads at its start. The modem window edits
// them; the start-up option ADDTO sets addTimeout.

namespace torvel {

struct EngineSettings {
    bool ohneEcho = false;     // the link does not echo: flag 1 is ignored
    bool modemConnect = false; // carrier present: add toAdd
    bool alwaysAddTO = false;  // add toAdd in any case
    int toAdd = 0;             // extra milliseconds of the modem window
    bool addTimeoutGiven = false;
    int addTimeout = 0;        // ADDTO option, milliseconds
    // ModemSend raises every time-out to this; tests lower it so a silent modem costs little.
    int modemMinTimeout = 2000;
};

} // namespace torvel
