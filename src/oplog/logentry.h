#pragma once
// One 4-byte log entry as the controller stores it: bytes 0-1 the minute of the week (low byte
// first), byte 2 the parameter P, byte 3 the entry type T (high nibble) and the deck D (low
// nibble). FF FF FF FF marks the end of the data.

#include "logkind.h"
#include "operatinglist.h"

#include <QByteArray>

namespace torvel {

constexpr int kDayEntryType = 0;
constexpr int kMinutesPerDay = 1440;
constexpr int kInvalidWeekday = 7;

// The four bytes of one entry, as numbers.
struct LogEntryBytes {
    int minuteOfWeek = 0; // 0..65535
    int parameter = 0;    // P
    int type = 0;         // T, 0..15
    int deck = 0;         // D, 0..15

    // Expects at least four bytes.
    static LogEntryBytes from(const QByteArray &four);
    // The day number N of a day entry: D * 256 + P.
    int dayNumber() const { return deck * 256 + parameter; }
};

bool isLogEndMark(const QByteArray &four);

// "06:30 (MO)": the time of day and the weekday's short name, "XX" for a weekday past Saturday.
QString logTimeText(int minuteOfWeek);
// 0..6, or kInvalidWeekday.
int logWeekday(int minuteOfWeek);

// Time, weekday, event, deck and program of an entry; Number and Date are the reader's.
OperatingEntry decodeLogEntry(const LogEntryBytes &b, LogKind kind);

// The debug line of the entry at 1-based position `index` of the log:
// "B0001:120.005.000.049--23:20 (SO)-000-01-03" (a day entry shows N mod 372 for D).
QString logDebugLine(int index, const QByteArray &four, const LogEntryBytes &b, const QString &time);

} // namespace torvel
