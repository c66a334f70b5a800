// The controller clock: read and set, on any of the seven ovens.

#include "soakkinds.h"
#include "soakrig.h"

#include "clock/clockread.h"
#include "clock/clockset.h"
#include "simcontroller.h"

namespace torvel::soak {

namespace {
// Reads may lag the controller by this much (its clock runs on while the answer travels).
constexpr qint64 kClockToleranceSeconds = 2;

int unpack(char b)
{
    const auto v = static_cast<quint8>(b);
    return (v >> 4) * 10 + (v & 0x0F);
}

// The controller's seven bytes as a wall time, time zones left out on both sides.
QDateTime wallTime(const QByteArray &seven)
{
    return QDateTime(QDate(2000 + unpack(seven.at(3)), unpack(seven.at(2)), unpack(seven.at(1))),
                     QTime(unpack(seven.at(4)), unpack(seven.at(5)), unpack(seven.at(6))), Qt::UTC);
}

QDateTime randomWallTime(SoakRig &rig, Qt::TimeSpec timeSpec)
{
    const QDate date = QDate(2000, 1, 1).addDays(rig.number(0, 36524));
    return QDateTime(date, QTime(rig.number(0, 23), rig.number(0, 59), rig.number(0, 59)), timeSpec);
}
} // namespace

SoakOutcome soakClockRead(SoakRig &rig)
{
    const int oven = rig.number(1, sim::SimLine::kOvens);
    sim::SimClock &clock = rig.controller(oven).clock();
    if (rig.chance(0.5))
        clock.setDateTime(randomWallTime(rig, Qt::UTC));
    const QDateTime truth = wallTime(clock.timeData());

    const ClockReading reading = ReadControllerClock(rig.engine(), oven);
    if (!reading.ok())
        return SoakOutcome::Failed;
    const QDateTime shown(reading.time.date(), reading.time.time(), Qt::UTC);
    if (qAbs(truth.secsTo(shown)) > kClockToleranceSeconds)
        rig.wrong(QStringLiteral("oven %1 clock read %2, the controller holds %3")
                      .arg(oven)
                      .arg(shown.toString(Qt::ISODate), truth.toString(Qt::ISODate)));
    return SoakOutcome::Done;
}

SoakOutcome soakClockSet(SoakRig &rig)
{
    const int oven = rig.number(1, sim::SimLine::kOvens);
    sim::SimClock &clock = rig.controller(oven).clock();
    // The PC's own time in the window; a fixed offset here, so no daylight-saving gap moves it.
    const QDateTime time = randomWallTime(rig, Qt::UTC);
    const QByteArray sent = sim::clockBytes(time, time.date().dayOfWeek() % 7);
    const QByteArray before = clock.timeData();

    const int code = SetControllerClock(rig.engine(), oven, time);

    const QByteArray now = clock.timeData();
    if (now != before && now != sent)
        rig.wrong(QStringLiteral("oven %1 clock holds %2, neither the old %3 nor the %4 sent")
                      .arg(oven)
                      .arg(QString::fromLatin1(now.toHex(' ')), QString::fromLatin1(before.toHex(' ')),
                           QString::fromLatin1(sent.toHex(' '))));
    if (code == ClockSetOk && now != sent)
        rig.wrong(QStringLiteral("oven %1: setting the clock reported success, it holds %2, sent %3")
                      .arg(oven)
                      .arg(QString::fromLatin1(now.toHex(' ')), QString::fromLatin1(sent.toHex(' '))));
    return code == ClockSetOk ? SoakOutcome::Done : SoakOutcome::Failed;
}

} // namespace torvel::soak
