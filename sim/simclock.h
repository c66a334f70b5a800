#pragma once
// The real-time clock of one simulated controller. It keeps the bytes the PC last set
// and an offset to the host clock, so a valid time keeps running. An impossible time
// (month 13, a non-decimal nibble) is stored as sent and reported back unchanged.

#include <QByteArray>
#include <QDateTime>

#include <functional>
#include <optional>

namespace torvel::sim {

class SimClock
{
public:
    using HostClock = std::function<QDateTime()>;

    // Runs with the host's local time until it is set.
    SimClock();

    // Replaces the host clock (tests hold time still); the clock keeps its offset.
    void setHostClock(HostClock host);

    // The seven bytes the controller reports now: weekday (0 = Sunday, plain), then day,
    // month, year in century, hour, minute, second as packed decimals.
    QByteArray timeData() const;

    // Takes the seven bytes of a set-time data frame exactly as the PC sent them.
    void setRaw(const QByteArray &seven);
    // Sets a valid time; the weekday follows the date.
    void setDateTime(const QDateTime &wallTime);
    // Back to the host's time.
    void followHost();

    // False while the stored bytes are no possible time (they stand still then).
    bool running() const { return !m_frozen.has_value(); }
    int setCount() const { return m_setCount; }

    // A controller whose clock has nothing to tell answers the time request with a bare 0x06.
    bool ackOnly() const { return m_ackOnly; }
    void setAckOnly(bool on) { m_ackOnly = on; }

private:
    QDateTime hostWall() const;

    HostClock m_host;
    qint64 m_offsetMs = 0;               // controller wall time minus host wall time
    int m_weekdayShift = 0;              // set weekday minus the date's own weekday
    std::optional<quint8> m_fixedWeekday; // a weekday byte outside 0..6 stays as set
    std::optional<QByteArray> m_frozen;  // the impossible bytes as set
    int m_setCount = 0;
    bool m_ackOnly = false;
};

// The seven bytes of a valid wall time, weekday taken from the date.
QByteArray clockBytes(const QDateTime &wallTime, int weekday);

} // namespace torvel::sim
