#pragma once
// Reading and clearing the logs of the oven of a Torvel2Line. The window's pages and
// torvelctl run this same code; they differ in the view and the prompter they hand in.

#include "logdates.h"
#include "logkind.h"
#include "operatinglist.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace torvel {

class LogReadView;
class MemoLog;
class Prompter;
struct Torvel2Line;

constexpr int kLogAttempts = 4;
constexpr int kLogBlockReplyLength = 261; // 0x06, 256 data, CRC high, CRC low, checksum, 0x06
constexpr int kLogBlockTimeoutMs = 1050;
constexpr int kLogClearTimeoutMs = 1050;
// Under `IgnoreError` a block that stays short is asked for again after its notice, but
// not for ever: after this many rounds of four attempts the read ends as without it.
constexpr int kLogShortBlockRounds = 3;
// Progress jumps to the maximum less this when the data ended; the names fill the rest.
constexpr int kLogNameProgressSpan = 990;

// 46 20 Ah Al c (operating data), 46 26 Ah Al c (error list); A is the first entry.
QByteArray logBlockFrame(LogKind kind, int firstEntry);
// 46 21 4C 4C B9, 46 27 4C 4C BF.
QByteArray logClearFrame(LogKind kind);

// "Betriebsdaten Torvel70; 05.12.2026 16:20:05": title, " Torvel", the oven's bus address
// "%.2d; ", the date and time in the system's short date and long time format.
QString logHeaderText(LogKind kind, int oven, const QDateTime &when);

struct LogReadOptions {
    int offset = 0;            // `HiOff`: the first entry to read
    bool ignoreError = false;  // `IgnoreError`: blocks with a bad CRC are taken after a notice
    bool readComplete = false; // `ReadComplete`: read past the end mark to the end of the log
    LogReference reference;
    MemoLog *memo = nullptr; // `Betriebsdaten1`, emptied first; may be null
    LogReadView *view = nullptr;
    // The PC's time; invalid: the clock on the wall (tests hold it still).
    QDateTime pcTime;
};

struct LogReadResult {
    bool ok = false;
    bool aborted = false;
    // `RefYear` as the read left it, and whether it is to be shown red (`TakeTorvelRef`:
    // the controller's clock could not be read); nullopt leaves the colour as it was.
    int refYear = 0;
    std::optional<bool> refYearRed;
};

// Reads the log into `list` (replaced; its header set first): the reference date, the oven
// addressed, the blocks from the offset on (each with up to four attempts, length and CRC
// checked), for the operating data the program names, then the years checked and the early
// entries dated. The entries decoded before a failure stay in the list. The CRC, length and
// date messages appear whatever showMessages says; the addressing error and "... gelesen!"
// follow it.
LogReadResult ReadOperatingList(const Torvel2Line &line, LogKind kind, bool showMessages, const LogReadOptions &options,
                                OperatingList &list);

enum class LogClearResult { NotConfirmed, NotAddressable, Cleared, Failed };

// The question before a clear ("WARNUNG"): true only on Yes.
bool confirmLogClear(Prompter &prompter, LogKind kind);
// Asks first (confirmLogClear), then clearLogConfirmed.
LogClearResult ClearOperatingLog(const Torvel2Line &line, LogKind kind, bool showMessages, MemoLog *debugLog);
// Addresses the oven and sends the clear frame; only the reply 06 06 counts as cleared. The
// outcome is told with a message box; an oven that does not answer its address is noted in
// `debugLog` ("No BData").
LogClearResult clearLogConfirmed(const Torvel2Line &line, LogKind kind, bool showMessages, MemoLog *debugLog);

} // namespace torvel
