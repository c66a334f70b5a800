#pragma once
// The ready table a simulated second-generation controller holds: per weekday (0 = Sunday)
// and deck 1..9 a block of 128 entries, 16-bit words low byte first (bits 15..11 the week
// field, bits 10..0 the minutes; FFFF empty). A write replaces a block.

#include <QByteArray>

#include <array>

namespace torvel::sim {

class SimController;

constexpr int kSimReadyDays = 7;
constexpr int kSimReadyDecks = 9;
constexpr int kSimReadyBlockBytes = 256;
constexpr quint8 kReadyReadFunction = 0x22;
constexpr quint8 kReadyWriteFunction = 0x23;

class SimReadyStore
{
public:
    // A table as a bakery might run it: Monday to Friday three ready times per deck (from
    // 04:30, five minutes later for each further deck, then 11:00 and 16:30), Saturday one,
    // Sunday none; week field 30 throughout.
    SimReadyStore();

    // day 0..6, deck 1..9.
    QByteArray block(int day, int deck) const { return m_blocks[index(day, deck)]; }
    void setBlock(int day, int deck, const QByteArray &bytes);
    // One entry (1..128) as its week field and minutes.
    void setEntry(int day, int deck, int entry, int week, int minutes);

    // Blocks taken from the PC so far.
    int writeCount() const { return m_writes; }
    void noteWrite() { ++m_writes; }

private:
    static std::size_t index(int day, int deck) { return static_cast<std::size_t>(day * kSimReadyDecks + deck - 1); }

    std::array<QByteArray, kSimReadyDays * kSimReadyDecks> m_blocks;
    int m_writes = 0;
};

// 0x22 deck day: the block and its CRC; 0x23 deck day: 0x06, then the 256 bytes and their CRC
// (a wrong CRC is refused with 0x15). Second-generation controllers only; a deck or day out of
// range is refused with 0x15.
void registerReadyFunctions(SimController &c);

} // namespace torvel::sim
