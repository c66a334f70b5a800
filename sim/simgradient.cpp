#include "simgradient.h"

#include "simcontroller.h"
#include "simcrc.h"
#include "simgeneration.h"

namespace torvel::sim {

namespace {
// 0 Tag, 1 Nacht, -1 for parameters the controller does not know.
int modeOf(quint8 p1, quint8 p2)
{
    if (p1 != p2)
        return -1;
    return p1 == kGradientTag ? 0 : p1 == kGradientNacht ? 1 : -1;
}
} // namespace

SimGradientStore::SimGradientStore()
{
    for (int mode = 0; mode < 2; ++mode) {
        QByteArray bytes;
        for (int deck = 0; deck < 9; ++deck)
            bytes.append(char(40 + 8 * mode)).append(char(36 + 8 * mode)).append(char(64 + 16 * mode));
        m_modes[static_cast<std::size_t>(mode)] = bytes;
    }
}

void SimGradientStore::setMode(int mode, const QByteArray &bytes)
{
    m_modes[static_cast<std::size_t>(mode)] = bytes.left(kSimGradientBytes).leftJustified(kSimGradientBytes, '\0');
    ++m_writes;
}

void registerGradientFunctions(SimController &c)
{
    c.registerFunction(kGradientReadFunction, [&c](quint8 p1, quint8 p2) {
        const int mode = modeOf(p1, p2);
        if (!offersGradientTable(c.version()) || mode < 0)
            return SimReply::nak();
        return SimReply::withData(appendBlockCrc(c.gradient().mode(mode)));
    });
    c.registerFunction(kGradientWriteFunction, [&c](quint8 p1, quint8 p2) {
        const int mode = modeOf(p1, p2);
        if (!offersGradientTable(c.version()) || mode < 0)
            return SimReply::nak();
        return SimReply::expectData(kSimGradientBytes + 2, [&c, mode](const QByteArray &data) {
            if (!blockCrcMatches(data))
                return SimReply::nak();
            c.gradient().setMode(mode, data.left(kSimGradientBytes));
            return SimReply::ack();
        });
    });
}

} // namespace torvel::sim
