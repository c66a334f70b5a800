#include "simcrc.h"

namespace torvel::sim {

quint16 blockCrc(const QByteArray &data)
{
    quint16 crc = 0;
    for (char c : data) {
        crc ^= static_cast<quint16>(static_cast<quint8>(c) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<quint16>((crc << 1) ^ 0x1021) : static_cast<quint16>(crc << 1);
    }
    return crc;
}

QByteArray appendBlockCrc(const QByteArray &data)
{
    const quint16 crc = blockCrc(data);
    QByteArray out = data;
    out.append(static_cast<char>(crc >> 8));
    out.append(static_cast<char>(crc & 0xFF));
    return out;
}

bool blockCrcMatches(const QByteArray &dataAndCrc)
{
    if (dataAndCrc.size() < 2)
        return false;
    const QByteArray data = dataAndCrc.left(dataAndCrc.size() - 2);
    return appendBlockCrc(data) == dataAndCrc;
}

} // namespace torvel::sim
