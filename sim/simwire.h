#pragma once
// The controller's side of the line: bytes, sums, packed decimals, 0x05 doubling and the
// display character set, written here a second time on purpose. The simulated controllers
// must not share the PC program's byte routines: a mistake in one of those would then be
// made on both ends of the line and no test could see it.

#include <QByteArray>
#include <QString>

#include <array>

namespace torvel::sim {

constexpr quint8 kSimEnq = 0x05;
constexpr quint8 kSimAck = 0x06;
constexpr quint8 kSimNak = 0x15;

// Low byte of the plain sum of the bytes.
quint8 sumLowByte(const QByteArray &bytes);

// Every 0x05 sent twice.
QByteArray doubleEnq(const QByteArray &bytes);

// Packed decimal: tens in the high nibble. packDecimal expects 0..99.
int unpackDecimal(quint8 b);
quint8 packDecimal(int value);
bool isPackedDecimal(quint8 b);

// The controller's display shows four German letters at its own codes; everything else is
// the PC's Windows-1252 code. toDisplayName pads or cuts to `length` bytes.
QByteArray toDisplayName(const QString &name, int length);

// 16-bit words, high byte first, as the controller stores its program values.
template <std::size_t N>
QByteArray wordsBigEndian(const std::array<quint16, N> &words)
{
    QByteArray out;
    for (quint16 w : words)
        out.append(static_cast<char>(w >> 8)).append(static_cast<char>(w & 0xFF));
    return out;
}

template <std::size_t N>
std::array<quint16, N> wordsFromBigEndian(const QByteArray &bytes)
{
    std::array<quint16, N> words{};
    for (std::size_t i = 0; i < N && 2 * i + 1 < std::size_t(bytes.size()); ++i)
        words[i] = static_cast<quint16>((quint8(bytes.at(2 * i)) << 8) | quint8(bytes.at(2 * i + 1)));
    return words;
}

} // namespace torvel::sim
