#include "monitorlog.h"

namespace torvel {

void MonitorLog::setLogging(bool on)
{
    if (m_logging == on)
        return;
    m_logging = on;
    emit loggingChanged(on);
}

LineLog &MonitorLog::list(MonitorList which)
{
    switch (which) {
    case MonitorList::Kommandos:
        return m_kommandos;
    case MonitorList::SentCommands:
        return m_sent;
    case MonitorList::Got:
        break;
    }
    return m_got;
}

const LineLog &MonitorLog::list(MonitorList which) const
{
    return const_cast<MonitorLog *>(this)->list(which);
}

void MonitorLog::add(MonitorList which, const QString &line)
{
    if (!m_logging)
        return;
    list(which).add(line);
    emit changed();
}

void MonitorLog::clear()
{
    m_kommandos.clear();
    m_sent.clear();
    m_got.clear();
    emit changed();
}

void MonitorLog::scroll(ScrollButton button)
{
    const int gotCount = m_got.count();
    const int gotTop = m_got.topLine();
    int top = m_kommandos.topLine();
    switch (button) {
    case ScrollButton::UpOne:
        if (gotCount > 10 && gotTop > 0)
            top -= 1;
        break;
    case ScrollButton::DownOne:
        if (gotCount > 10 && gotCount > gotTop)
            top += 1;
        break;
    case ScrollButton::UpTen:
        if (gotCount > 10)
            top = gotTop > 10 ? top - 10 : 0;
        break;
    case ScrollButton::DownTen:
        if (gotCount > 10)
            top = (gotCount - 10 > gotTop) ? top + 10 : m_kommandos.count() - 1;
        break;
    }
    m_kommandos.setTopLine(top);
    m_sent.setTopLine(m_kommandos.topLine());
    m_got.setTopLine(m_kommandos.topLine());
    emit changed();
}

void MonitorLog::scrollToEnd(std::initializer_list<MonitorList> lists)
{
    for (auto which : lists)
        list(which).scrollToEnd();
    emit changed();
}

} // namespace torvel
