#pragma once
// The ready table as it is kept: read whole from the oven, then repaired as the window does
// before anything is saved. torvelctl's "ready read" and the backup share this.

#include "readytable.h"

#include "torvel2/torvel2address.h"

#include <QString>

namespace torvel {

// Reads days 0..6, decks 1..herdMax. False when a block failed (the addressing has said so);
// otherwise the table is repaired and *repaired gets the text to show (caption "Achtung"),
// empty when nothing needed repair.
bool readRepairedReadyTable(const Torvel2Line &line, int herdMax, const QString &logFolder, ReadyTable *table,
                            QString *repaired);

} // namespace torvel
