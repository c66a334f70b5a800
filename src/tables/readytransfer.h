#pragma once
// Reading and writing the ready table of the oven of a Torvel2Line, block by block (one day,
// one deck): a read with up to four attempts and its CRC checked, a write tried once. The
// window's page, the Torvel record transfer and torvelctl run this same code.

#include "readytable.h"

#include "torvel2/torvel2address.h"

#include <QString>

#include <functional>

namespace torvel {

class MemoLog;

constexpr int kReadyAttempts = 4;
constexpr int kReadyReadReplyLength = 261; // 0x06, 256 data, CRC high, CRC low, checksum, 0x06
constexpr int kReadyReadTimeoutMs = 1050;
constexpr int kReadyAnnounceTimeoutMs = 150;
constexpr int kReadyDataTimeoutMs = 1050;

struct ReadyReadOptions {
    // `DebugDefaults`: the blocks are compared with the debug variant of the defaults.
    bool debugDefaults = false;
    // The debug memo (`Betriebsdaten1`) for the lines of each block read; may be null.
    MemoLog *memo = nullptr;
};

// Reads block (day, deck) into `table`. The entries of a whole reply are stored; the block's
// flag in `flags` is set only when the reply held exactly the block (a reply with bytes over
// shows "Bereittabelle-Fehler01!", keeps its entries and fails). A block that differs from
// its default block adds "Tag:d-Herd:k" and CR LF to `report` ("(len)" before it when the
// reply's length was not the usual one). The CRC and length messages appear whatever
// showMessages says; the addressing error follows it.
bool ReadReadyBlock(const Torvel2Line &line, bool showMessages, int day, int deck, ReadyTable &table,
                    ReadyBlockFlags &flags, QString &report, const ReadyReadOptions &options = {});

// Sends block (day, deck) of `table`, one attempt. With showMessages the outcome is told
// ("Bereittabelle gesetzt." or "Bereittabelle konnte nicht gesetzt werden!").
bool WriteReadyBlock(const Torvel2Line &line, const ReadyTable &table, int deck, int day, bool showMessages);

// A complete operation covers day 0..6 and deck 1..herdMax, deck running fastest; it tells
// each block before it goes (step = day * herdMax + deck, 1..7 * herdMax) and stops before the
// block when told false (the window closes).
using ReadyBlockStep = std::function<bool(int day, int deck, int step)>;
enum class ReadyRun { NotAddressed, Failed, Stopped, Done };

// Addresses the oven (with its message), then reads block after block and stops at the first
// that fails; the blocks read so far stay in `table`.
ReadyRun ReadReadyTable(const Torvel2Line &line, int herdMax, ReadyTable &table, ReadyBlockFlags &flags,
                        QString &report, const ReadyReadOptions &options = {}, const ReadyBlockStep &step = {});

// The blocks of day 0..6, deck 1..herdMax whose flag is clear, as "(SO)1-(SO)2-", the blocks
// of each further day on a line of their own; empty when none is missing.
QString missingReadyBlocks(const ReadyBlockFlags &flags, int herdMax);

// Addresses the oven (with its message), then sends block after block without messages and
// stops at the first that fails. Callers refuse first what missingReadyBlocks lists: a
// block never read is never sent.
ReadyRun WriteReadyTable(const Torvel2Line &line, int herdMax, const ReadyTable &table,
                         const ReadyBlockStep &step = {});

// "Default-Werte senden" after the question: the default blocks (BuildDefaultReadyBlock) for
// day 0..6, deck 1..herdMax, the oven addressed once; stops at the first block refused.
ReadyRun SendReadyDefaults(const Torvel2Line &line, int herdMax, bool debug, const ReadyBlockStep &step = {});

} // namespace torvel
