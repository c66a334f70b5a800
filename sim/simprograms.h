#pragma once
// The bake programs a simulated controller holds: 11 or 99 slots of a 14-byte name (in
// the display character set) and 23 values. Sends change them.

#include <QString>

#include <QByteArray>
#include <array>

namespace torvel::sim {

class SimController;

constexpr int kSimProgramSlots = 99;
constexpr int kSimNameBytes = 14;
constexpr int kSimValueCount = 23;
constexpr int kSimValueBytes = 2 * kSimValueCount;
// Top heat, bottom heat, time, steam, damper for phases 1 to 5 (phase 5 without the last two).
using SimProgramValues = std::array<quint16, kSimValueCount>;

constexpr quint8 kReadNameFunction = 0x15;
constexpr quint8 kReadValuesFunction = 0x0B;
constexpr quint8 kWriteNameFunction = 0x16;
constexpr quint8 kWriteValuesFunction = 0x0C;

class SimProgramStore
{
public:
    SimProgramStore();

    // The raw 14 name bytes (display character set) of program n (1-based).
    QByteArray nameBytes(int n) const;
    void setNameBytes(int n, const QByteArray &bytes);
    // Convenience in the PC's character set, padded and cut like the PC does.
    void setName(int n, const QString &name);

    SimProgramValues values(int n) const;
    void setValues(int n, const SimProgramValues &values);

    // A few recipes with realistic values in the first programs, the rest empty.
    void fillDefaults(int oven);
    void clear();

private:
    std::array<QByteArray, kSimProgramSlots> m_names;
    std::array<SimProgramValues, kSimProgramSlots> m_values{};
};

// 11 or 99 programs, as the controller's version tells the PC (no capability byte: 99).
int programCapacity(const SimController &c);
void registerProgramFunctions(SimController &c);

} // namespace torvel::sim
