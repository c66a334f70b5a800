#include "simframing.h"

#include "simwire.h"

namespace torvel::sim {

quint8 replyChecksum(const QByteArray &data)
{
    return sumLowByte(doubleEnq(data));
}

QByteArray frameDataReply(const QByteArray &data, quint8 checksum)
{
    QByteArray out(1, char(kSimAck));
    out += doubleEnq(data);
    out += doubleEnq(QByteArray(1, static_cast<char>(checksum)));
    out += char(kSimAck);
    return out;
}

QByteArray frameDataReply(const QByteArray &data)
{
    return frameDataReply(data, replyChecksum(data));
}

QByteArray wireBytes(const SimReply &reply)
{
    switch (reply.kind) {
    case SimReply::Kind::Data:
        return frameDataReply(reply.data);
    case SimReply::Kind::Ack:
    case SimReply::Kind::AckExpectData:
        return QByteArray(1, char(kSimAck));
    case SimReply::Kind::Nak:
        return QByteArray(1, char(kSimNak));
    case SimReply::Kind::Raw:
        return reply.data;
    case SimReply::Kind::Silence:
        break;
    }
    return {};
}

} // namespace torvel::sim
