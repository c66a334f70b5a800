#include "controllertime.h"

#include "link/bytes.h"

namespace torvel {

namespace {
constexpr int kMinReplyLength = 10;

// A byte with a nibble above 9 gives a value above 99, which no two-digit field holds.
std::optional<int> twoDigits(quint8 b)
{
    const int v = BcdToInt(b);
    if (v > 99)
        return std::nullopt;
    return v;
}
} // namespace

std::optional<ControllerTime> decodeControllerTime(const QByteArray &reply)
{
    if (reply.size() < kMinReplyLength)
        return std::nullopt;
    const auto at = [&reply](int position) { return static_cast<quint8>(reply.at(position - 1)); };
    ControllerTime t;
    t.weekday = at(2);
    t.day = at(3);
    t.month = at(4);
    t.year = at(5);
    t.hour = at(6);
    t.minute = at(7);
    t.second = at(8);
    return t;
}

std::optional<QDateTime> toDateTime(const ControllerTime &t)
{
    const auto day = twoDigits(t.day);
    const auto month = twoDigits(t.month);
    const auto year = twoDigits(t.year);
    const auto hour = twoDigits(t.hour);
    const auto minute = twoDigits(t.minute);
    const auto second = twoDigits(t.second);
    if (!day || !month || !year || !hour || !minute || !second)
        return std::nullopt;
    const QDate date(2000 + *year, *month, *day);
    const QTime time(*hour, *minute, *second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const QDateTime local(date, time);
    if (local.isValid() && local.date() == date && local.time() == time)
        return local;
    return QDateTime(date, time, Qt::UTC); // skipped by the PC's clock, not by the controller's
}

} // namespace torvel
