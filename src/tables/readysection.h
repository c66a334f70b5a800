#pragma once
// The text section of the ready table, as the .TBT file and the Torvel record file hold it,
// 300 lines a day for day 0..6:
//   ###################;
//   WOCHENTAG;0;###################;
//   XX;HERD1;XX;HERD1;XX;HERD1;XX;HERD1;      (then 32 lines of 4 entries: Woche;hh:mm;)
//   30;00:00;30;00:42;30;01:24;30;02:06;
//   ...                                       (decks 1..9, always all nine)
//   (an empty line)

#include "readytable.h"

#include <QString>

namespace torvel {

class TextLineReader;
class TextLineWriter;

constexpr int kReadySectionLinesPerDay = 2 + kReadyDecks * (1 + kReadyEntries / 4) + 1; // 300
constexpr int kReadySectionLines = kReadyDays * kReadySectionLinesPerDay;               // 2100

void WriteReadySection(TextLineWriter &file, const ReadyTable &table);

// Reads the section to the end of the file or the first bad line: a day outside 0..6 or that is
// no number, a deck line without a deck 1..9, an entry before a day and deck line, a `Woche`
// that is negative or no number, a time that is no "hh:mm", more than 128 entries of a deck.
// Such a line sets `failed` and leaves `table` and `flags` alone. On success `table` is
// replaced by what was read (entries not in the file empty) and exactly the blocks whose deck
// line or entries the file held get their flag, the others lose it. `Woche` from 32 on and
// minutes beyond a day are taken as read (ValidateReadyTable repairs them). `problem`, when
// given, names the bad line.
void ReadReadySection(TextLineReader &file, ReadyBlockFlags &flags, ReadyTable &table, bool &failed,
                      QString *problem = nullptr);

} // namespace torvel
