#include "linelog.h"

#include <algorithm>

namespace torvel {

void LineLog::add(const QString &line)
{
    if (m_lines.size() > kLineLimit) {
        m_lines.removeFirst();
        ++m_dropped;
        m_top = std::max(0, m_top - 1);
    }
    m_lines.append(line);
    ++m_appended;
}

void LineLog::clear()
{
    m_dropped += m_lines.size();
    m_lines.clear();
    m_top = 0;
}

void LineLog::setTopLine(int top)
{
    m_top = std::clamp(top, 0, std::max(0, count() - 1));
}

void LineLog::scrollToEnd()
{
    if (count() > 10)
        m_top = count() - 10;
}

} // namespace torvel
