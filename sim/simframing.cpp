#include "simframing.h"

#include "link/bytes.h"

namespace torvel::sim {

quint8 replyChecksum(const QByteArray &data)
{
    return static_cast<quint8>(ByteSum(stuffEnq(data)) & 0xFF);
}

QByteArray frameDataReply(const QByteArray &data, quint8 checksum)
{
    QByteArray out(1, kAck);
    out += stuffEnq(data);
    out += stuffEnq(QByteArray(1, static_cast<char>(checksum)));
    out += kAck;
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
        return QByteArray(1, kAck);
    case SimReply::Kind::Nak:
        return QByteArray(1, kNak);
    case SimReply::Kind::Silence:
        break;
    }
    return {};
}

} // namespace torvel::sim
