#pragma once
// The gradient table a simulated second-generation controller holds: 27 rate bytes for day
// (Tag) and 27 for night (Nacht) mode, deck 1 OH, UH, SH, deck 2 ... A write replaces a mode.

#include <QByteArray>

#include <array>

namespace torvel::sim {

class SimController;

constexpr int kSimGradientBytes = 27;
constexpr quint8 kGradientReadFunction = 0x24;
constexpr quint8 kGradientWriteFunction = 0x25;
constexpr quint8 kGradientTag = 't';
constexpr quint8 kGradientNacht = 'n';

class SimGradientStore
{
public:
    // A table as one leaves the factory: top heat 2.5, bottom heat 2.25, steam 4 degC/min by day,
    // a little more at night.
    SimGradientStore();

    // mode 0 Tag, 1 Nacht.
    QByteArray mode(int mode) const { return m_modes[static_cast<std::size_t>(mode)]; }
    void setMode(int mode, const QByteArray &bytes);

    // Data frames taken from the PC so far.
    int writeCount() const { return m_writes; }

private:
    std::array<QByteArray, 2> m_modes;
    int m_writes = 0;
};

// 0x24 p p: the mode's 27 bytes and their CRC; 0x25 p p: 0x06, then 27 bytes and their CRC
// (a wrong CRC is refused with 0x15). p is 't' or 'n', both parameters alike. Only
// controllers from firmware 4.00 r25 on answer; older ones refuse with 0x15.
void registerGradientFunctions(SimController &c);

} // namespace torvel::sim
