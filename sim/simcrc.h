#pragma once
// The block CRC of the second controller generation as the controller computes it
// (polynomial 0x1021, start 0, no reflection, no final XOR), written here a second time on
// purpose and bit by bit rather than with a table: the simulated controllers must not share
// the PC program's CRC routine, or a mistake in it would be made on both ends of the line.

#include <QByteArray>
#include <QtGlobal>

namespace torvel::sim {

quint16 blockCrc(const QByteArray &data);
// The data followed by blockCrc(data), high byte first.
QByteArray appendBlockCrc(const QByteArray &data);
// True when the last two bytes are the CRC of the bytes before them.
bool blockCrcMatches(const QByteArray &dataAndCrc);

} // namespace torvel::sim
