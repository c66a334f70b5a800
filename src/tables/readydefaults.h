#pragma once
// The ready table a controller starts with: per day and deck 100 entries of `Woche` 30 at every
// multiple of 14 minutes (0, 42, ..., 1386, then 14, 56, ..., 1358, then 28, 70, ..., 1372),
// the last 28 entries empty. The debug variant marks entry 1 and entry 128 with the block's
// own day and deck, so each block on the controller can be told apart.

#include "readytable.h"

#include <QByteArray>
#include <QString>

namespace torvel {

// Block (day, deck) of `table` set to the defaults.
void setDefaultReadyBlock(ReadyTable &table, int day, int deck, bool debug);
// Every block of every day and deck 1..9 the defaults (without the debug marks).
ReadyTable defaultReadyTable();
// The 259 bytes of a default block as they go on the line: data, CRC, checksum.
QByteArray BuildDefaultReadyBlock(int day, int deck, bool debug);

// Compares day 0..6, deck 1..herdMax (deck running fastest) with the default blocks, as they
// would go on the line. The message to show (caption "ACHTUNG"): "Alle Einträge entsprechen
// Defaults!" or the list of differing blocks.
QString CheckReadyTableAgainstDefaults(const ReadyTable &table, int herdMax, bool debug);

} // namespace torvel
