#include "rangelist.h"

#include <QStringList>

namespace torvel {

namespace {
QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

void RangeList::add(int n)
{
    m_empty = false;
    if (m_line.size() > 40) {
        m_done += m_line + QStringLiteral("\r\n");
        m_line.clear();
    }
    if (n != m_last + 1) {
        if (m_last > 0) {
            m_line += QStringLiteral(" bis ") + twoDigits(m_last);
            m_last = -99;
        }
        if (!m_line.isEmpty())
            m_line += QLatin1Char(';');
        m_line += QLatin1Char(' ') + twoDigits(n);
    }
    m_last = n;
}

QString RangeList::text() const
{
    QString line = m_line;
    if (m_last > 0)
        line += QStringLiteral(" bis ") + twoDigits(m_last);
    return m_done + line;
}

QString numberRuns(const QList<int> &numbers)
{
    QStringList runs;
    for (qsizetype i = 0; i < numbers.size();) {
        qsizetype j = i;
        while (j + 1 < numbers.size() && numbers.at(j + 1) == numbers.at(j) + 1)
            ++j;
        runs << (i == j ? QString::number(numbers.at(i))
                        : QStringLiteral("%1-%2").arg(numbers.at(i)).arg(numbers.at(j)));
        i = j + 1;
    }
    return runs.join(QStringLiteral(", "));
}

} // namespace torvel
