#include "simphonenet.h"

#include "simline.h"
#include "simmodem.h"
#include "simmodemprofiles.h"

namespace torvel::sim {

SimBakery::SimBakery(QObject *parent) : QObject(parent), m_line(new SimLine(this)), m_modem(new SimModem(this))
{
    configureTorvelModem(*m_modem);
    // The controllers never type commands: the line reaches the modem only while it passes
    // data (in command mode it would hear the echo of its own words).
    connect(m_modem, &SimModem::toDte, m_line, &SimLine::receive);
    connect(m_line, &SimLine::toPc, m_modem, [this](const QByteArray &bytes) {
        if (m_modem->inDataMode())
            m_modem->fromDte(bytes);
    });
}

SimBakery::~SimBakery() = default;

SimPhoneNet::SimPhoneNet(QObject *parent) : QObject(parent)
{
}

QString SimPhoneNet::digits(const QString &number)
{
    QString out;
    for (const QChar c : number)
        if (c.isDigit() || c == QLatin1Char('*') || c == QLatin1Char('#'))
            out += c;
    return out;
}

SimBakery *SimPhoneNet::addBakery(const QString &number)
{
    auto *bakery = new SimBakery(this);
    m_bakeries << bakery;
    if (!m_default)
        m_default = bakery;
    if (!number.isEmpty())
        m_numbers.insert(digits(number), bakery);
    return bakery;
}

SimBakery *SimPhoneNet::bakery(const QString &number) const
{
    return m_numbers.value(digits(number), m_default);
}

void SimPhoneNet::setBusy(const QString &number)
{
    m_busy.insert(digits(number));
}

void SimPhoneNet::setUnanswered(const QString &number)
{
    m_unanswered.insert(digits(number));
}

void SimPhoneNet::setNoCarrier(const QString &number)
{
    m_noCarrier.insert(digits(number));
}

void SimPhoneNet::setTiming(const SimModemTiming &timing)
{
    for (SimBakery *b : std::as_const(m_bakeries))
        b->modem().setTiming(timing);
}

SimPhoneNet::Outcome SimPhoneNet::call(SimModem *caller, const QString &number, SimModem **callee)
{
    *callee = nullptr;
    const QString n = digits(number);
    m_dialled << n;
    if (m_busy.contains(n))
        return Outcome::Busy;
    if (m_noCarrier.contains(n))
        return Outcome::NoCarrier;
    SimBakery *target = m_unanswered.contains(n) ? nullptr : bakery(n);
    if (!target)
        return Outcome::NoAnswer;
    if (!target->modem().incomingCall(caller))
        return Outcome::Busy;
    *callee = &target->modem();
    return Outcome::Rings;
}

} // namespace torvel::sim
