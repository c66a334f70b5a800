#pragma once
// Reply bytes as a controller puts them on the line: 0x05 doubled everywhere.

#include "simreply.h"

#include <QByteArray>

namespace torvel::sim {

// Low byte of the sum of the data bytes as sent: a doubled 0x05 counts twice.
quint8 replyChecksum(const QByteArray &data);

// 0x06, data (0x05 doubled), `checksum` (doubled when 0x05), 0x06.
QByteArray frameDataReply(const QByteArray &data, quint8 checksum);
QByteArray frameDataReply(const QByteArray &data);

// The bytes of a reply; empty for silence.
QByteArray wireBytes(const SimReply &reply);

} // namespace torvel::sim
