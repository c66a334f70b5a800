#include "simreply.h"

#include <utility>

namespace torvel::sim {

SimReply SimReply::withData(const QByteArray &data)
{
    SimReply r;
    r.kind = Kind::Data;
    r.data = data;
    return r;
}

SimReply SimReply::ack()
{
    SimReply r;
    r.kind = Kind::Ack;
    return r;
}

SimReply SimReply::nak()
{
    SimReply r;
    r.kind = Kind::Nak;
    return r;
}

SimReply SimReply::silence()
{
    return {};
}

SimReply SimReply::expectData(int length, DataContinuation onData)
{
    SimReply r;
    r.kind = Kind::AckExpectData;
    r.expectLength = length;
    r.onData = std::move(onData);
    return r;
}

SimReply SimReply::raw(const QByteArray &bytes)
{
    SimReply r;
    r.kind = Kind::Raw;
    r.data = bytes;
    return r;
}

} // namespace torvel::sim
