#pragma once
// The time as a controller reports it, and what the PC makes of it.

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace torvel {

// The seven data bytes of a time reply, unconverted.
struct ControllerTime {
    quint8 weekday = 0; // 0 = Sunday, a plain number
    quint8 day = 0;     // the rest packed decimals
    quint8 month = 0;
    quint8 year = 0;    // year in century
    quint8 hour = 0;
    quint8 minute = 0;
    quint8 second = 0;
};

// From a checked, undoubled reply (0x06, 7 data bytes, checksum, 0x06). nullopt when it is
// too short to hold all of them: a short reply is never read past its end.
std::optional<ControllerTime> decodeControllerTime(const QByteArray &reply);

// The date-time the bytes stand for, as the controller keeps it. A controller knows no
// daylight saving: the date and time fields are exactly its bytes and nothing converts them.
// Where the PC's clock has that moment the value is in local time (so it compares with the
// PC's time); in the hour the PC's clock skips in spring it carries no time zone (Qt::UTC),
// a time like any other. Two-digit years are 2000 to 2099 whatever the platform would
// guess. nullopt when they make no possible date or time (month 13, ...).
std::optional<QDateTime> toDateTime(const ControllerTime &t);

} // namespace torvel
