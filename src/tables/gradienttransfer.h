#pragma once
// Reading and writing the gradient table of the oven of a Torvel2Line: both modes, each with
// up to four attempts, block CRC and checksum checked. The window's page, the Torvel record
// transfer and torvelctl run this same code.

#include "gradienttable.h"

#include "torvel2/torvel2address.h"

#include <QByteArray>

namespace torvel {

class MemoLog;

constexpr int kGradientAttempts = 4;
constexpr int kGradientReadReplyLength = 32; // 0x06, 27 data, CRC high, CRC low, checksum, 0x06
constexpr int kGradientReadTimeoutMs = 150;
constexpr int kGradientWriteTimeoutMs = 1050;

QByteArray gradientReadFrame(int mode);  // 46 24 74 74 0C (Tag), 46 24 6E 6E 00 (Nacht)
QByteArray gradientWriteFrame(int mode); // 46 25 74 74 0D (Tag), 46 25 6E 6E 01 (Nacht)
// The 30-byte data frame of one mode: 27 values, CRC high, CRC low, checksum.
QByteArray gradientDataFrame(const GradientTable &table, int mode);

// The data of a checked read reply without its leading 0x06 into one mode of `table`, three
// bytes a deck while three are left, with the memo lines (a title with the time, then
// "Herd001:OH:040.UH:040.SH:040" per deck). Returns what is left over (CRC, checksum, 0x06).
QByteArray takeGradientMode(QByteArray body, int mode, GradientTable &table, MemoLog *memo);

struct GradientReadOptions {
    // `IgnoreError`: a block with a bad CRC is taken after a 3-second notice.
    bool ignoreError = false;
    // The debug memo (`Betriebsdaten1`) for the lines of each mode read; may be null.
    MemoLog *memo = nullptr;
};

// Reads Tag, then Nacht. `table` is replaced only when both modes arrived (a block with a bad
// CRC counts as arrived under ignoreError, a short or missing reply never does), so a half-read
// table never reaches anyone; true exactly then. The CRC and length messages appear whatever
// showMessages says; the addressing error and "Steigungstabelle gelesen!" follow it.
bool ReadGradientTable(const Torvel2Line &line, bool showMessages, GradientTable &table,
                       const GradientReadOptions &options = {});

// Sends Tag, then Nacht, each with up to four attempts (the oven addressed again before each
// repeat); the first mode that fails ends the write. With showMessages the outcome is told.
bool WriteGradientTable(const Torvel2Line &line, const GradientTable &table, bool showMessages);

} // namespace torvel
