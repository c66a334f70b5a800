#include "simclock.h"

#include "simcontroller.h"
#include "simfunctions.h"

#include "simwire.h"

#include <utility>

namespace torvel::sim {

namespace {
constexpr int kClockBytes = 7;

// The wall time the bytes stand for, read as UTC so no daylight-saving gap can bite:
// a controller's clock knows nothing of time zones.
std::optional<QDateTime> wallTimeOf(const QByteArray &b)
{
    for (int i = 1; i < kClockBytes; ++i) {
        if (!isPackedDecimal(static_cast<quint8>(b.at(i))))
            return std::nullopt;
    }
    const auto field = [&b](int i) { return unpackDecimal(static_cast<quint8>(b.at(i))); };
    const QDate date(2000 + field(3), field(2), field(1));
    const QTime time(field(4), field(5), field(6));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

int weekdayOf(const QDate &date)
{
    return date.dayOfWeek() % 7; // Qt counts Monday 1 .. Sunday 7
}
} // namespace

QByteArray clockBytes(const QDateTime &wallTime, int weekday)
{
    const QDate d = wallTime.date();
    const QTime t = wallTime.time();
    QByteArray out;
    out.append(static_cast<char>(weekday));
    for (int v : {d.day(), d.month(), d.year() % 100, t.hour(), t.minute(), t.second()})
        out.append(static_cast<char>(packDecimal(v)));
    return out;
}

SimClock::SimClock() : m_host([] { return QDateTime::currentDateTime(); }) {}

void SimClock::setHostClock(HostClock host)
{
    m_host = std::move(host);
}

QDateTime SimClock::hostWall() const
{
    const QDateTime now = m_host();
    return QDateTime(now.date(), now.time(), Qt::UTC);
}

QByteArray SimClock::timeData() const
{
    if (m_frozen)
        return *m_frozen;
    const QDateTime now = hostWall().addMSecs(m_offsetMs);
    const int weekday = m_fixedWeekday ? *m_fixedWeekday : (weekdayOf(now.date()) + m_weekdayShift) % 7;
    return clockBytes(now, weekday);
}

void SimClock::setRaw(const QByteArray &seven)
{
    ++m_setCount;
    const QByteArray bytes = seven.left(kClockBytes).leftJustified(kClockBytes, '\0');
    const auto wall = wallTimeOf(bytes);
    if (!wall) {
        m_frozen = bytes;
        return;
    }
    m_frozen.reset();
    m_offsetMs = hostWall().msecsTo(*wall);
    const auto weekday = static_cast<quint8>(bytes.at(0));
    if (weekday <= 6) {
        m_fixedWeekday.reset();
        m_weekdayShift = (weekday - weekdayOf(wall->date()) + 7) % 7;
    } else {
        m_fixedWeekday = weekday;
    }
}

void SimClock::setDateTime(const QDateTime &wallTime)
{
    setRaw(clockBytes(wallTime, weekdayOf(wallTime.date())));
}

void SimClock::followHost()
{
    m_frozen.reset();
    m_fixedWeekday.reset();
    m_offsetMs = 0;
    m_weekdayShift = 0;
}

// The time request's parameters (0x55 0x55) and the announce's (0x75 0x75) carry no
// information, so neither is checked. A data frame with a bad checksum never gets here:
// the line refuses it with 0x15.
void registerClockFunctions(SimController &c)
{
    c.registerFunction(kClockReadFunction, [&c](quint8, quint8) {
        if (c.clock().ackOnly())
            return SimReply::ack();
        return SimReply::withData(c.clock().timeData());
    });
    c.registerFunction(kClockSetFunction, [&c](quint8, quint8) {
        return SimReply::expectData(kClockBytes, [&c](const QByteArray &data) {
            c.clock().setRaw(data);
            return SimReply::ack();
        });
    });
}

} // namespace torvel::sim
