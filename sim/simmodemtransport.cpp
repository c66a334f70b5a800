#include "simmodemtransport.h"

#include "simdialup.h"
#include "simmodem.h"

#include <utility>

namespace torvel::sim {

SimModemTransport::SimModemTransport(SimDialUp *dialUp, QObject *parent)
    : Transport(parent), m_dialUp(dialUp), m_modem(&dialUp->pcModem())
{
    m_dialUp->setParent(this);
    connect(m_modem, &SimModem::toDte, this, &SimModemTransport::onModemBytes);
    connect(m_modem, &SimModem::dcdChanged, this, &Transport::carrierChanged);
}

SimModemTransport::~SimModemTransport() = default;

bool SimModemTransport::open()
{
    m_open = true;
    return true;
}

void SimModemTransport::close()
{
    m_open = false;
    m_received.clear();
}

bool SimModemTransport::flushInput()
{
    open();
    m_received.clear();
    return true;
}

bool SimModemTransport::write(const QByteArray &bytes)
{
    open();
    if (m_modem)
        m_modem->fromDte(bytes); // answers come later, from the event loop
    return true;
}

QByteArray SimModemTransport::readAll()
{
    return std::exchange(m_received, QByteArray());
}

void SimModemTransport::setBaudRate(int baud)
{
    m_baud = baud;
    if (m_modem)
        m_modem->setDteRate(baud);
}

bool SimModemTransport::carrierDetect() const
{
    return m_modem && m_modem->dcd();
}

QString SimModemTransport::displayName() const
{
    return QStringLiteral("SIMMODEM");
}

void SimModemTransport::onModemBytes(const QByteArray &bytes)
{
    if (!m_open)
        return; // a closed port hears nothing
    m_received += bytes;
    emit bytesAvailable(m_received.size());
}

} // namespace torvel::sim
