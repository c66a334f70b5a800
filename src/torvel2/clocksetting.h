#pragma once
// The clock setting of the Torvel2 window's "Debug" page: a time and a date typed in the masked
// edits `TimeEdit` ("23:50:00") and `DateEdit` ("31.12.09").

#include <QDateTime>
#include <QString>

#include <optional>

namespace torvel {

// The moment to send: the time plus one second, on the date (two-digit years are 2000 to
// 2099), as a wall time without time zone, so no daylight-saving rule can move it. nullopt
// when either text is no possible time or date; "23:59:59" on "31.12.09" gives 01.01.2010 00:00:00.
std::optional<QDateTime> clockSettingFrom(const QString &timeText, const QString &dateText);

// What `ActTime` puts into the edits: "HH:MM:SS" and "DD.MM.YY".
QString timeEditText(const QTime &time);
QString dateEditText(const QDate &date);

} // namespace torvel
