#pragma once
// A memo of time-stamped lines ("time:text"), at most 1000 lines, as the modem and
// Torvel2 windows keep them.

#include <QObject>
#include <QStringList>

namespace torvel {

class MemoLog : public QObject
{
    Q_OBJECT
public:
    static constexpr int kLineLimit = 1000;
    using QObject::QObject;

    // Adds the current time in the system's long time format, ":", then text.
    void addStamped(const QString &text);
    // Adds a line as it is (the send log's copies of frames).
    void addLine(const QString &line);
    void clear();

    // `DisableAllLogs`: nothing is added while set.
    void setDisabled(bool disabled) { m_disabled = disabled; }
    bool disabled() const { return m_disabled; }

    const QStringList &lines() const { return m_lines; }

signals:
    void changed();

private:
    QStringList m_lines;
    bool m_disabled = false;
};

} // namespace torvel
