#include "memolog.h"

#include <QLocale>
#include <QTime>

namespace torvel {

void MemoLog::addStamped(const QString &text)
{
    addLine(QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat) + QLatin1Char(':') + text);
}

void MemoLog::addLine(const QString &line)
{
    if (m_disabled)
        return;
    while (m_lineLimit > 0 && m_lines.size() >= m_lineLimit)
        m_lines.removeFirst();
    m_lines.append(line);
    emit changed();
}

void MemoLog::clear()
{
    m_lines.clear();
    emit changed();
}

} // namespace torvel
