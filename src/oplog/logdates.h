#pragma once
// Dates of log entries. A day entry carries only the last digit of its year; the decade comes
// from a reference year, and a date after the reference date goes back ten years. Dates are
// kept as the text "dd.mm.yyyy": a day entry may name a day no calendar has (31.02.), and such
// a text stays as it is, is never shifted as a date and never compared with one.

#include "operatinglist.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace torvel {

// The reference controls of the window's "Debug" page.
struct LogReference {
    enum class Source { PcTime, TorvelTime, Manual }; // `TakePCRef`, `TakeTorvelRef`, `TakeManRef`
    int RefYear = 2010;
    Source source = Source::TorvelTime;
    bool CheckYear = true;
};

// "dd.mm.yyyy" of any numbers, possible date or not.
QString logDateText(int day, int month, int year);
// The date a text stands for; invalid when it is not "dd.mm.yyyy" of a possible date.
QDate logDate(const QString &text);

// `TakeManRef`: year RefYear with today's month and day; 29 February of a year without it
// becomes 28 February.
QDate manualReferenceDate(int refYear, const QDate &today);

// The date text of a day entry with day number N (offset N div 372, month and day from
// N mod 372), its decade from refYear, ten years back when it would lie after `reference`.
QString dayEntryDate(int dayNumber, int refYear, const QDate &reference);

// `CheckYear`: from the newest entry to the oldest, a year larger than the one after it (and
// past 2000) goes back ten years. Texts that are no possible date are left alone.
void checkYearOrder(QList<OperatingEntry> &entries);

// Entries before the first dated one get the last date before it that falls on their own
// weekday (at most seven steps back). False when the first date is no possible date while
// entries wait for it (they stay undated); an entry with an impossible weekday stays undated
// either way.
bool completeEarlyDates(QList<OperatingEntry> &entries);

} // namespace torvel
