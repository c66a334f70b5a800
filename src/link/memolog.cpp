#include "memolog.h"

#include <QLocale>
#include <QTime>

namespace torvel {

QString longTimeText(const QTime &time)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t')); // the zone; no other time format letter is a "t"
    return QLocale::system().toString(time, format.trimmed());
}

void MemoLog::addStamped(const QString &text)
{
    addLine(longTimeText(QTime::currentTime()) + QLatin1Char(':') + text);
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
