#include "simwire.h"

namespace torvel::sim {

quint8 sumLowByte(const QByteArray &bytes)
{
    unsigned sum = 0;
    for (char c : bytes)
        sum += quint8(c);
    return static_cast<quint8>(sum & 0xFF);
}

QByteArray doubleEnq(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + 4);
    for (char c : bytes) {
        out.append(c);
        if (quint8(c) == kSimEnq)
            out.append(c);
    }
    return out;
}

int unpackDecimal(quint8 b)
{
    return 10 * (b >> 4) + (b & 0x0F);
}

quint8 packDecimal(int value)
{
    return static_cast<quint8>(((value / 10 % 10) << 4) | (value % 10));
}

bool isPackedDecimal(quint8 b)
{
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

QByteArray toDisplayName(const QString &name, int length)
{
    QByteArray out;
    for (QChar ch : name.left(length)) {
        switch (ch.unicode()) {
        case 0xE4: out.append(char(0xE1)); break; // ä
        case 0xDF: out.append(char(0xE2)); break; // ß
        case 0xF6: out.append(char(0xEF)); break; // ö
        case 0xFC: out.append(char(0xF5)); break; // ü
        default:
            // Latin-1 equals Windows-1252 outside 0x80..0x9F, which names never need.
            out.append(ch.unicode() < 0x100 ? char(ch.unicode()) : '?');
        }
    }
    return out.leftJustified(length, ' ', true);
}

} // namespace torvel::sim
