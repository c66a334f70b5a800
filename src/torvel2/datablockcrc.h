#pragma once
// The CRC that the second controller generation puts into its bulk blocks (gradient table,
// ready table, logs) and that guards the Torvel record file: CRC-16 with polynomial 0x1021,
// start 0, no reflection, no final XOR (CRC-16/XMODEM; "123456789" gives 0x31C3).

#include <QByteArray>
#include <QtGlobal>

namespace torvel {

// The CRC of a block of data.
quint16 DataBlockCrc(const QByteArray &data);

// The data followed by its CRC, high byte first, as a block goes on the wire.
QByteArray withDataBlockCrc(const QByteArray &data);

// A received block (data, then its two CRC bytes) is good when the CRC over all of it,
// continued over two zero bytes, comes to 0. Fewer than two bytes are never good.
bool DataBlockCrcGood(const QByteArray &blockWithCrc);

} // namespace torvel
