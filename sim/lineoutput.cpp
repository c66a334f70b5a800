#include "lineoutput.h"

#include <algorithm>

namespace torvel::sim {

namespace {
// Timers tick in whole milliseconds while a byte takes about one: bytes due within half a
// millisecond go out now, so deliveries are early or late by at most that, not always late.
constexpr qint64 kSlackNs = 500'000;
} // namespace

LineOutput::LineOutput(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &LineOutput::deliverDue);
    m_clock.start();
}

void LineOutput::setPacing(bool on)
{
    m_pacing = on;
    schedule();
}

void LineOutput::setBaudRate(int baud)
{
    if (baud > 0)
        m_baud = baud;
}

qint64 LineOutput::byteNanoseconds(int baud)
{
    return baud > 0 ? Q_INT64_C(10'000'000'000) / baud : 0;
}

void LineOutput::enqueue(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    // Unpaced bytes are due at once; the wire time only counts while pacing.
    const qint64 byteTime = m_pacing ? byteNanoseconds(m_baud) : 0;
    qint64 t = std::max(m_wireFreeAt, m_clock.nsecsElapsed());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        t += byteTime;
        m_due.push_back(t);
    }
    m_wireFreeAt = t;
    m_bytes += bytes;
    schedule();
}

void LineOutput::clear()
{
    m_bytes.clear();
    m_due.clear();
    m_wireFreeAt = 0;
    m_timer.stop();
}

void LineOutput::schedule()
{
    if (m_bytes.isEmpty()) {
        m_timer.stop();
        return;
    }
    qint64 waitMs = 0;
    if (m_pacing) {
        const qint64 ahead = m_due.front() - kSlackNs - m_clock.nsecsElapsed();
        waitMs = ahead > 0 ? (ahead + 999'999) / 1'000'000 : 0;
    }
    // An earlier, shorter wait stays armed; a later one is never needed sooner.
    if (m_timer.isActive() && m_timer.remainingTime() <= waitMs)
        return;
    m_timer.start(static_cast<int>(waitMs));
}

void LineOutput::deliverDue()
{
    qsizetype n = m_bytes.size();
    if (m_pacing) {
        const qint64 now = m_clock.nsecsElapsed() + kSlackNs;
        n = 0;
        while (n < static_cast<qsizetype>(m_due.size()) && m_due[static_cast<size_t>(n)] <= now)
            ++n;
    }
    const QByteArray out = m_bytes.left(n);
    m_bytes.remove(0, n);
    m_due.erase(m_due.begin(), m_due.begin() + n);
    schedule();
    if (!out.isEmpty())
        emit delivered(out);
}

} // namespace torvel::sim
