#pragma once
// The three row-aligned lists of the serial monitor and the scroll-button rules.

#include "linelog.h"

#include <QObject>

namespace torvel {

enum class MonitorList { Kommandos, SentCommands, Got };
enum class ScrollButton { UpTen, UpOne, DownOne, DownTen };

class MonitorLog : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // `Loggen`: when off, nothing is added to any list.
    bool logging() const { return m_logging; }
    void setLogging(bool on);

    void add(MonitorList list, const QString &line);
    void clear();

    LineLog &list(MonitorList which);
    const LineLog &list(MonitorList which) const;
    LineLog &kommandos() { return m_kommandos; }
    LineLog &sentCommands() { return m_sent; }
    LineLog &got() { return m_got; }

    // The monitor's scroll buttons: judged on Got, applied to Kommandos, then the other two
    // lists take Kommandos' top line.
    void scroll(ScrollButton button);
    // After a transaction: each list holding more than ten lines shows its last ten.
    void scrollToEnd(std::initializer_list<MonitorList> lists);

signals:
    // Something changed; views refresh in batches.
    void changed();
    void loggingChanged(bool on);

private:
    bool m_logging = false;
    LineLog m_kommandos;
    LineLog m_sent;
    LineLog m_got;
};

} // namespace torvel
