#pragma once
// The wire from the controllers back to the PC. Bytes are handed over later from the
// event loop, never inside the call that queued them: the engine starts waiting only
// after its write returned. With pacing each byte takes its time on the wire (10 bits
// at the baud rate) and a timer hands over whatever is due.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>

namespace torvel::sim {

class LineOutput : public QObject
{
    Q_OBJECT
public:
    explicit LineOutput(QObject *parent = nullptr);

    void setPacing(bool on);
    bool pacing() const { return m_pacing; }
    void setBaudRate(int baud);
    int baudRate() const { return m_baud; }
    // Time of one byte on the wire at `baud`: start bit, eight data bits, stop bit.
    static qint64 byteNanoseconds(int baud);

    void enqueue(const QByteArray &bytes);
    bool pending() const { return !m_bytes.isEmpty(); }
    void clear();

signals:
    void delivered(const QByteArray &bytes);

private:
    void deliverDue();
    void schedule();

    bool m_pacing = false;
    int m_baud = 9600;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QByteArray m_bytes;
    std::deque<qint64> m_due; // per queued byte: when it has fully arrived, on m_clock
    qint64 m_wireFreeAt = 0;  // when the wire has sent everything queued so far
};

} // namespace torvel::sim
