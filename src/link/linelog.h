#pragma once
// One list of the serial monitor: text lines with the 30000-line rule and a top line.

#include <QStringList>

namespace torvel {

class LineLog
{
public:
    static constexpr int kLineLimit = 30000;

    // Appends a line; a list already holding more than kLineLimit lines first drops its top one.
    void add(const QString &line);
    void clear();

    int count() const { return static_cast<int>(m_lines.size()); }
    const QString &at(int i) const { return m_lines.at(i); }
    const QStringList &lines() const { return m_lines; }

    // Lines ever appended and ever dropped from the top: lets a view catch up in one step.
    qint64 appendedTotal() const { return m_appended; }
    qint64 droppedTotal() const { return m_dropped; }

    // First visible line, 0-based; clamped to the list like a list box does.
    int topLine() const { return m_top; }
    void setTopLine(int top);
    // Shows the last ten lines when the list holds more than ten.
    void scrollToEnd();

private:
    QStringList m_lines;
    qint64 m_appended = 0;
    qint64 m_dropped = 0;
    int m_top = 0;
};

} // namespace torvel
