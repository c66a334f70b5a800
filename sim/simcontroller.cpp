#include "simcontroller.h"

#include "simfunctions.h"

#include <utility>

namespace torvel::sim {

SimController::SimController(int oven) : m_oven(oven)
{
    m_programs.fillDefaults(oven);
    m_logs.fillDefaults(oven, QDate::currentDate());
    registerStandardFunctions(*this);
}

quint8 SimController::addressByte() const
{
    return static_cast<quint8>((0x80 + 10 * m_oven) & 0xFF);
}

void SimController::registerFunction(quint8 code, Handler handler)
{
    m_functions[code] = std::move(handler);
}

void SimController::unregisterFunction(quint8 code)
{
    m_functions.erase(code);
}

bool SimController::hasFunction(quint8 code) const
{
    return m_functions.count(code) != 0;
}

SimReply SimController::handle(quint8 code, quint8 p1, quint8 p2)
{
    const auto it = m_functions.find(code);
    if (it == m_functions.end() || !it->second)
        return SimReply::nak();
    ++m_handled[code];
    return it->second(p1, p2);
}

int SimController::handledCount(quint8 code) const
{
    const auto it = m_handled.find(code);
    return it == m_handled.end() ? 0 : it->second;
}

void SimController::vanishAfter(int frames)
{
    m_framesLeft = qMax(frames, 0);
    m_vanished = m_framesLeft == 0;
}

void SimController::revive()
{
    m_vanished = false;
    m_framesLeft = -1;
}

bool SimController::acceptFrame()
{
    if (!m_present || m_vanished)
        return false;
    if (m_framesLeft > 0 && --m_framesLeft == 0)
        m_vanished = true; // this was the last frame it answers
    return true;
}

} // namespace torvel::sim
