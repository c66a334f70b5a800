#pragma once
// The night start entries of a Torvel record and the night start record on the wire: they go
// through the night start grid's own rules (read markers, the check before a send, packed
// decimals), so the record and the night start window never differ.

#include "torvelrecord.h"

#include "nightstart/nightrecord.h"

#include <QString>

#include <optional>

namespace torvel {

// The entries of a record read from the controller ("  -----" for an unset start).
void putNightRecordIntoRecord(TorvelRecord &record, const NightStartRecord &wire);

// The first of the 28 entries (day by day) that is neither unset nor a whole number, as the
// message to show (caption "FEHLER"); nullopt when all may be sent.
std::optional<QString> invalidRecordNightEntry(const TorvelRecord &record);

// Marks a set hour whose minute is missing or outside 0..59 with "  ----" in both entries and
// returns the wire record: packed decimals, 0xFF for an unset entry or an hour from 160 on.
// Expects entries that passed invalidRecordNightEntry.
NightStartRecord markAndBuildNightRecord(TorvelRecord &record);

} // namespace torvel
