#include "datablockcrc.h"

#include <array>

namespace torvel {

namespace {
constexpr quint16 kPolynomial = 0x1021;

// T[i]: the CRC of byte i shifted into the high byte.
constexpr std::array<quint16, 256> makeTable()
{
    std::array<quint16, 256> table{};
    for (int i = 0; i < 256; ++i) {
        quint16 crc = static_cast<quint16>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<quint16>((crc & 0x8000) ? (crc << 1) ^ kPolynomial : crc << 1);
        table[static_cast<std::size_t>(i)] = crc;
    }
    return table;
}

constexpr std::array<quint16, 256> kTable = makeTable();

// The augmented form the controllers use: each byte is shifted in below the register, so the
// CRC of a block comes out after two further zero bytes.
quint16 update(quint16 crc, quint8 b)
{
    return static_cast<quint16>((((crc & 0xFF) << 8) | b) ^ kTable[crc >> 8]);
}

quint16 run(const QByteArray &bytes)
{
    quint16 crc = 0;
    for (char c : bytes)
        crc = update(crc, static_cast<quint8>(c));
    crc = update(crc, 0);
    return update(crc, 0);
}
} // namespace

quint16 DataBlockCrc(const QByteArray &data)
{
    return run(data);
}

QByteArray withDataBlockCrc(const QByteArray &data)
{
    const quint16 crc = DataBlockCrc(data);
    QByteArray out = data;
    out.append(static_cast<char>(crc >> 8)).append(static_cast<char>(crc & 0xFF));
    return out;
}

bool DataBlockCrcGood(const QByteArray &blockWithCrc)
{
    return blockWithCrc.size() >= 2 && run(blockWithCrc) == 0;
}

} // namespace torvel
