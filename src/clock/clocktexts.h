#pragma once
// The German texts of the clock: day names, the PC and controller time lines, outcomes.

#include <QDateTime>
#include <QString>

namespace torvel {

struct ClockReading;
struct ControllerTime;

// "Sonntag" for 0 .. "Samstag" for 6; any other byte as its number ("9").
QString dayName(int weekday);
// The day name of a date.
QString dayName(const QDate &date);

// Day name, two blanks, short date and long time: "Donnerstag  31.12.2026 23:59:58".
QString pcTimeText(const QDateTime &now);

// The clock window's line for a reading: "Donnerstag  31.12.2026 23.59.58",
// "Zeit kann nicht gewandelt werden." or "nicht verfügbar".
QString clockReadingText(const ClockReading &reading);

// The controller's own values, unconverted: "Donnerstag  31.12.26  23:59:58".
QString controllerTimeText(const ControllerTime &t);

// "nicht verfügbar".
QString clockUnavailableText();

// The message after setting the clock, for a ClockSetCode.
QString clockSetOutcomeText(int code);

} // namespace torvel
