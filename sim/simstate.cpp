#include "simstate.h"

namespace torvel::sim {

namespace {
void appendWord(QByteArray &out, quint16 w)
{
    out.append(static_cast<char>(w >> 8)).append(static_cast<char>(w & 0xFF));
}
} // namespace

QByteArray versionData(const SimVersion &v)
{
    QByteArray out;
    appendWord(out, v.word);
    if (v.revision)
        out.append('r').append(static_cast<char>(*v.revision));
    if (v.capability)
        out.append('M').append(static_cast<char>(*v.capability));
    return out;
}

QByteArray statusData(const SimStatus &s)
{
    QByteArray out;
    out.append(static_cast<char>(s.onStatus));
    out.append(static_cast<char>(s.programNumber)).append('\0'); // the program word's low byte is unused
    out.append('\0');
    appendWord(out, s.bakeTime);
    appendWord(out, s.topHeatActual);
    appendWord(out, s.bottomHeatActual);
    appendWord(out, s.topHeatSet);
    appendWord(out, s.bottomHeatSet);
    out.append(static_cast<char>((s.topHeatOn ? 0x01 : 0) | (s.bottomHeatOn ? 0x04 : 0)));
    out.append('\0');
    out.append(static_cast<char>(s.programStarted ? 0x01 : 0));
    out.append(QByteArray(5, '\0'));
    return out;
}

} // namespace torvel::sim
