#include "controllerlink.h"

namespace torvel {

ControllerLink::ControllerLink(QObject *parent) : QObject(parent), m_engine(&m_log)
{
}

ControllerLink::~ControllerLink()
{
    m_engine.setTransport(nullptr);
    if (m_transport)
        m_transport->close();
}

bool ControllerLink::setTransport(std::unique_ptr<Transport> transport)
{
    if (m_engine.busy())
        return false;
    m_engine.setTransport(nullptr);
    if (m_transport)
        m_transport->close();
    m_transport = std::move(transport);
    m_engine.setTransport(m_transport.get());
    emit transportChanged();
    return true;
}

} // namespace torvel
