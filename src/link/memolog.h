#pragma once
// A memo of time-stamped lines ("time:text"), at most 1000 lines, as the modem and
// Torvel2 windows keep them. A memo of decoded data (the Torvel2 window's debug data) may
// lift the limit, so a log read of 2048 lines stays whole.

#include <QObject>
#include <QStringList>
#include <QTime>

namespace torvel {

// The time in the system's long time format as the memos show it, without a time zone name
// (which Qt's long format adds and the controllers' users never see): "14:05:09".
QString longTimeText(const QTime &time);

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

    // 0: no limit.
    void setLineLimit(int limit) { m_lineLimit = limit; }
    int lineLimit() const { return m_lineLimit; }

    // `DisableAllLogs`: nothing is added while set.
    void setDisabled(bool disabled) { m_disabled = disabled; }
    bool disabled() const { return m_disabled; }

    const QStringList &lines() const { return m_lines; }

signals:
    void changed();

private:
    QStringList m_lines;
    int m_lineLimit = kLineLimit;
    bool m_disabled = false;
};

} // namespace torvel
