#include "simdialup.h"

#include "simmodem.h"
#include "simmodemprofiles.h"
#include "simphonenet.h"

namespace torvel::sim {

SimDialUp::SimDialUp(QObject *parent)
    : QObject(parent), m_network(new SimPhoneNet(this)), m_pcModem(new SimModem(this))
{
    m_network->addBakery();
    configurePcModem(*m_pcModem);
    m_pcModem->setNetwork(m_network);
}

SimDialUp::~SimDialUp()
{
    delete m_pcModem; // before the bakeries it may still be connected to
}

SimBakery &SimDialUp::bakery()
{
    return *m_network->defaultBakery();
}

SimLine &SimDialUp::line()
{
    return bakery().line();
}

void SimDialUp::setTiming(const SimModemTiming &timing)
{
    m_pcModem->setTiming(timing);
    m_network->setTiming(timing);
}

} // namespace torvel::sim
