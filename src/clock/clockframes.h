#pragma once
// The frames of the controller's clock: the time request and the two frames that set it.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace torvel {

// Waiting time of every clock transaction.
constexpr int kClockTimeoutMs = 50;
// Bytes after the echo of the time request: 0x06, seven data bytes, checksum, 0x06.
constexpr int kTimeReplyLength = 10;

// 46 19 55 55 C3.
const QByteArray &timeRequestFrame();
// 46 1A 75 75 04: announces the set-time data frame.
const QByteArray &setTimeFunctionFrame();

const QString &timeRequestCaption();     // "Uhrzeit anfordern"
const QString &setTimeFunctionCaption(); // "Uhrzeit senden (Fkt)"
const QString &setTimeDataCaption();     // "Uhrzeit senden"

// 0 = Sunday .. 6 = Saturday, as the controller counts.
int controllerWeekday(const QDate &date);

// Weekday, day, month, year mod 100, hour, minute, second (packed decimals after the
// weekday) and the low byte of their sum: 8 bytes, not yet doubled.
QByteArray setTimeDataFrame(const QDateTime &time);

} // namespace torvel
