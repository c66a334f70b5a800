#include "simtransport.h"

#include "simline.h"

#include <utility>

namespace torvel::sim {

SimTransport::SimTransport(SimLine *line, QObject *parent) : Transport(parent), m_line(line)
{
    if (!m_line)
        m_line = new SimLine(this);
    connect(m_line, &SimLine::toPc, this, &SimTransport::onLineBytes);
}

SimTransport::~SimTransport() = default;

bool SimTransport::open()
{
    m_open = true;
    return true;
}

void SimTransport::close()
{
    m_open = false;
    m_received.clear();
}

bool SimTransport::flushInput()
{
    open();
    m_received.clear();
    return true;
}

bool SimTransport::write(const QByteArray &bytes)
{
    open();
    if (m_line)
        m_line->receive(bytes); // answers come later, from the event loop
    return true;
}

QByteArray SimTransport::readAll()
{
    return std::exchange(m_received, QByteArray());
}

void SimTransport::setBaudRate(int baud)
{
    m_baud = baud;
    if (m_line)
        m_line->setBaudRate(baud);
}

QString SimTransport::displayName() const
{
    return QStringLiteral("SIM");
}

void SimTransport::onLineBytes(const QByteArray &bytes)
{
    if (!m_open)
        return; // a closed port hears nothing
    m_received += bytes;
    emit bytesAvailable(m_received.size());
}

} // namespace torvel::sim
