#pragma once
// Splits the bytes the PC sends into frames, as a controller's receiver does:
// 0x05 + address byte (never doubled) selects a controller; inside function and data
// frames a data byte 0x05 comes doubled, and a 0x05 followed by anything else starts a
// new addressing frame wherever the parser was.

#include <QByteArray>
#include <QtGlobal>

#include <optional>

namespace torvel::sim {

struct LineEvent {
    enum class Kind { Address, Function, Data };
    Kind kind = Kind::Address;
    quint8 address = 0;     // Address
    quint8 code = 0;        // Function
    quint8 p1 = 0;
    quint8 p2 = 0;
    QByteArray data;        // Data: undoubled data bytes, checksum removed
    bool checksumOk = true; // Function, Data
};

class LineParser
{
public:
    // Takes one byte as received; an event when it completed a frame.
    std::optional<LineEvent> push(quint8 byte);

    // The next frame is `length` data bytes and their checksum (after a write announce).
    void expectData(int length);
    bool expectingData() const { return m_mode == Mode::Data; }

    // Forgets a half-received frame and any expected data frame.
    void reset();

private:
    enum class Mode { Idle, Function, Data };

    std::optional<LineEvent> take(quint8 byte);
    std::optional<LineEvent> finishFunction();
    std::optional<LineEvent> finishData();

    Mode m_mode = Mode::Idle;
    bool m_pendingEnq = false;
    int m_dataLength = 0;
    QByteArray m_frame;
};

} // namespace torvel::sim
