#pragma once
// What a controller function gives back; the line turns it into bytes.

#include <QByteArray>

#include <functional>

namespace torvel::sim {

struct SimReply;

// Called with the undoubled data of an announced data frame once its checksum matched.
using DataContinuation = std::function<SimReply(const QByteArray &data)>;

struct SimReply {
    enum class Kind {
        Data,          // 0x06, data, checksum, 0x06
        Ack,           // 0x06
        Nak,           // 0x15
        Silence,       // nothing
        AckExpectData, // 0x06, then a data frame of expectLength bytes goes to onData
        Raw,           // `data` exactly as it stands (a clear's 06 06)
    };

    Kind kind = Kind::Silence;
    QByteArray data;         // Data: the undoubled data bytes; Raw: the bytes sent
    int expectLength = 0;    // AckExpectData: data bytes to come, checksum not counted
    DataContinuation onData; // AckExpectData

    static SimReply withData(const QByteArray &data);
    static SimReply ack();
    static SimReply nak();
    static SimReply silence();
    static SimReply expectData(int length, DataContinuation onData);
    static SimReply raw(const QByteArray &bytes);
};

} // namespace torvel::sim
