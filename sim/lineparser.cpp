#include "lineparser.h"

#include "simwire.h"

namespace torvel::sim {

namespace {
constexpr quint8 kFunctionStart = 0x46;
constexpr int kFunctionLength = 5;
} // namespace

std::optional<LineEvent> LineParser::push(quint8 byte)
{
    if (m_pendingEnq) {
        m_pendingEnq = false;
        if (byte != kSimEnq) {
            // Resynchronise: whatever was half-received is dropped.
            reset();
            LineEvent e;
            e.kind = LineEvent::Kind::Address;
            e.address = byte;
            return e;
        }
        // A doubled 0x05: one data byte. Outside a frame it means nothing.
        if (m_mode == Mode::Idle)
            return std::nullopt;
        return take(byte);
    }
    if (byte == kSimEnq) {
        m_pendingEnq = true;
        return std::nullopt;
    }
    if (m_mode == Mode::Idle) {
        // Only a function frame can start here; other bytes are line noise.
        if (byte == kFunctionStart) {
            m_mode = Mode::Function;
            m_frame = QByteArray(1, static_cast<char>(byte));
        }
        return std::nullopt;
    }
    return take(byte);
}

void LineParser::expectData(int length)
{
    m_mode = Mode::Data;
    m_dataLength = qMax(length, 0);
    m_frame.clear();
}

void LineParser::reset()
{
    m_pendingEnq = false;
    m_mode = Mode::Idle;
    m_dataLength = 0;
    m_frame.clear();
}

std::optional<LineEvent> LineParser::take(quint8 byte)
{
    m_frame.append(static_cast<char>(byte));
    if (m_mode == Mode::Function && m_frame.size() == kFunctionLength)
        return finishFunction();
    if (m_mode == Mode::Data && m_frame.size() == m_dataLength + 1)
        return finishData();
    return std::nullopt;
}

std::optional<LineEvent> LineParser::finishFunction()
{
    LineEvent e;
    e.kind = LineEvent::Kind::Function;
    e.code = static_cast<quint8>(m_frame.at(1));
    e.p1 = static_cast<quint8>(m_frame.at(2));
    e.p2 = static_cast<quint8>(m_frame.at(3));
    e.checksumOk = static_cast<quint8>(m_frame.at(4)) == ((e.code + e.p1 + e.p2) & 0xFF);
    reset();
    return e;
}

std::optional<LineEvent> LineParser::finishData()
{
    LineEvent e;
    e.kind = LineEvent::Kind::Data;
    e.data = m_frame.left(m_dataLength);
    e.checksumOk = static_cast<quint8>(m_frame.at(m_dataLength)) == sumLowByte(e.data);
    reset();
    return e;
}

} // namespace torvel::sim
