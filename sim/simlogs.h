#pragma once
// The two logs a simulated second-generation controller keeps: the operating data (2048
// entries) and the error list (1536 entries) of 4 bytes each, oldest first, the unused rest
// FF FF FF FF (which also marks where the data ends). An entry: minute of the week (low byte
// first), parameter, type in the high and deck in the low nibble; a day entry (type 0) carries
// the day number (year mod 10) * 372 + (month - 1) * 31 + day - 1 in deck and parameter.

#include <QByteArray>
#include <QDate>

#include <array>

namespace torvel::sim {

class SimController;

enum class SimLogKind { OperatingData = 0, ErrorList = 1 };

constexpr int kSimLogEntryBytes = 4;
constexpr int kSimLogBlockEntries = 64;
constexpr int kSimOperatingEntries = 2048;
constexpr int kSimErrorEntries = 1536;
constexpr quint8 kOperatingReadFunction = 0x20;
constexpr quint8 kOperatingClearFunction = 0x21;
constexpr quint8 kErrorReadFunction = 0x26;
constexpr quint8 kErrorClearFunction = 0x27;
constexpr quint8 kLogClearParameter = 0x4C; // 'L', both parameters

// One entry's bytes.
QByteArray simLogEntry(int minuteOfWeek, int parameter, int type, int deck);
// The day entry of a date, at midnight of its weekday.
QByteArray simDayEntry(const QDate &date);

class SimLogStore
{
public:
    // Both logs empty.
    SimLogStore();

    static int capacity(SimLogKind kind);

    // The entries up to the first end mark.
    QByteArray entries(SimLogKind kind) const;
    // Replaces a log's entries (cut to its capacity); the rest becomes end marks.
    void setEntries(SimLogKind kind, const QByteArray &entries);
    void clear(SimLogKind kind);
    int clearCount(SimLogKind kind) const { return m_clears[index(kind)]; }

    // 64 entries from `first` on (end marks past the log's end).
    QByteArray block(SimLogKind kind, int first) const;

    // Two weeks of a working bakery up to `lastDay`: night starts, switching on and off, bake
    // programs started and stopped on three decks, a few errors; Sundays stay quiet.
    void fillDefaults(int oven, const QDate &lastDay);

private:
    static std::size_t index(SimLogKind kind) { return static_cast<std::size_t>(kind); }

    std::array<QByteArray, 2> m_logs;
    std::array<int, 2> m_clears{};
};

// 0x20/0x26 Ah Al: 64 entries from entry A and their CRC; 0x21/0x27 'L' 'L': the log emptied,
// answered 06 06. Only second-generation controllers answer; older ones, an A past the log
// and other parameters get 0x15.
void registerLogFunctions(SimController &c);

} // namespace torvel::sim
