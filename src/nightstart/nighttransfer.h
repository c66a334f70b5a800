#pragma once
// Reading and sending the night start times of one oven. The window and torvelctl run
// this same code; the grid is the one the window shows.

#include "nightrecord.h"

#include <QString>

#include <optional>

namespace torvel {

class AppState;
class CommandEngine;
class Prompter;
class SheetModel;

enum class NightSendResult {
    Sent,            // the record was acknowledged (and read back)
    Refused,         // a cell is no number: nothing went on the line
    NotReachable,    // the oven did not answer its address in six attempts
    NotAccepted,     // the announce frame was not acknowledged in six attempts
    NotAcknowledged, // the record frame was not acknowledged in six attempts
    Aborted,         // "Abbruch" between attempts
};

// How a transfer ended, for the status line ("Nachtstartzeiten von Ofen 3 gelesen.").
QString nightReadOutcome(int oven, bool read, bool aborted);
QString nightSendOutcome(int oven, NightSendResult result);

class NightTransfer
{
public:
    NightTransfer(AppState &state, CommandEngine &engine, Prompter &prompter, SheetModel &grid);

    // Empties the value cells and reads the record in up to five tries. True when it
    // arrived; otherwise cell (2, 2) tells why ("ERR: ...", or "Read" after "Abbruch").
    bool read(int oven);

    // Checks every cell first, then sends in up to six attempts and, once acknowledged,
    // reads the record back so the grid shows what the controller holds.
    NightSendResult send(int oven);

    // The record as the last read that arrived returned it, before any display rule.
    std::optional<NightStartRecord> lastRecord() const { return m_lastRecord; }

private:
    bool readRecord(int oven);
    bool address(int oven);

    AppState &m_state;
    CommandEngine &m_engine;
    Prompter &m_prompter;
    SheetModel &m_grid;
    std::optional<NightStartRecord> m_lastRecord;
};

} // namespace torvel
