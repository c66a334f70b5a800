#pragma once
// The night start times a simulated controller holds: the 28-byte record as the PC last
// sent it. A send replaces it.

#include <array>

#include <QByteArray>

namespace torvel::sim {

class SimController;

// Per day (Sunday first) hour and minute of the first and of the second start, packed
// decimal; 0xFF marks a start that is not set.
constexpr int kSimNightBytes = 28;
using SimNightRecord = std::array<quint8, kSimNightBytes>;

constexpr quint8 kNightReadFunction = 0x17;
constexpr quint8 kNightWriteFunction = 0x18;

class SimNightStore
{
public:
    // Weekdays start at 03:30, Saturday at 04:15 and 22:00, Sunday not at all.
    SimNightStore();

    const SimNightRecord &record() const { return m_record; }
    void setRecord(const SimNightRecord &record) { m_record = record; }
    // day 0 = Sunday, start 1 or 2, as packed-decimal bytes (0xFF: unset).
    void setStart(int day, int start, quint8 hour, quint8 minute);

    // Records received from the PC so far.
    int writeCount() const { return m_writes; }
    void noteWrite() { ++m_writes; }

private:
    SimNightRecord m_record;
    int m_writes = 0;
};

// 0x17: the 28 bytes; 0x18: 0x06, then the 28-byte data frame replaces them.
void registerNightFunctions(SimController &c);

} // namespace torvel::sim
