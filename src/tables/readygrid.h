#pragma once
// The grid `BereitGrid` of the ready table page: one day at a time, eight columns in four pairs
// ("Wo", "Zeit"), 33 rows a deck. Deck d (1..herdMax) starts at row (d - 1) * 33 + 1 with "XX"
// over each Woche column and "HERD" + d over each time column; entry i of the deck is in the
// row 1 + (i - 1) div 4 below, in the pair (i - 1) mod 4: its `Woche` as a number, its time as
// "hh:mm" (an empty entry shows 31 and 34:07). Rows and columns are the sheet's, 1-based.

#include "readytable.h"

#include <QString>

namespace torvel {

class SheetModel;

constexpr int kReadyGridCols = 8;
constexpr int kReadyDeckRows = 1 + kReadyEntries / 4; // 33

// Eight columns headed "Wo" and "Zeit" by turns; the cells stay as they are.
void setupReadyGrid(SheetModel &grid);
int readyDeckRow(int deck);           // the deck's "XX" / "HERDd" row
int readyEntryRow(int deck, int i);   // the row of entry i
int readyWocheCol(int i);             // the entry's `Woche` column; its time is in the next
bool isReadyTimeCol(int col);

// Draws day `day` of `table` with decks 1..herdMax: the grid gets herdMax * 33 rows.
void drawReadyDay(SheetModel &grid, const ReadyTable &table, int day, int herdMax);

// The decks 1..herdMax of `day` whose flag is clear, as "4-5-"; empty when all were read.
QString missingReadyDecks(const ReadyBlockFlags &flags, int day, int herdMax);

// Entry i of deck `deck` as the grid holds it: `Woche` from its cell (31 when it is no number,
// is negative, or the row is not in the grid); with a `Woche` below 31 the time cell is
// normalized (NormalizeTimeText) and written back, and a time that is none makes the entry
// empty. Any `Woche` from 31 on gives the empty entry.
ReadyEntry readyGridEntry(SheetModel &grid, int deck, int i);

// Takes the grid into day `day` of `table`, all nine decks: decks without rows (above
// herdMax) become empty, and those that held anything lose their flag.
void commitReadyDay(SheetModel &grid, ReadyTable &table, ReadyBlockFlags &flags, int day);

// Sorts each deck's entries in the grid only, by `Woche`, then time; empty entries last.
void sortReadyDayView(SheetModel &grid, int herdMax);

// Every block of every day for decks 1..herdMax made empty, its flag cleared.
void emptyReadyDecks(ReadyTable &table, ReadyBlockFlags &flags, int herdMax);

} // namespace torvel
