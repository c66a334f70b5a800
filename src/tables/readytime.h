#pragma once
// Times of day as the ready table shows, types and stores them.

#include <QString>

#include <optional>

namespace torvel {

// "%.2d:%.2d" of minutes div 60 and minutes mod 60: 2047 (an empty entry) shows as "34:07".
QString readyTimeText(int minutes);

// Minutes after midnight of a time of day "h:mm" or "hh:mm" (seconds ":ss" allowed and
// dropped), hours 0..23, minutes 0..59; nullopt for anything else.
std::optional<int> timeOfDayMinutes(const QString &text);

// A typed time made "hh:mm": blanks removed, "9:30" -> "09:30", "12:5" -> "12:05",
// "123" -> "12:30", "1230" -> "12:30", "12" -> "12:00", "8" -> "08:00", "12:34:56" -> "12:34";
// the empty string when the result is no time of day ("930" -> "93:00" -> "").
QString NormalizeTimeText(const QString &text);

} // namespace torvel
