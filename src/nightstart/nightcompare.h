#pragma once
// The night start grid against what an oven holds, cell by cell, as the send would write it.
// The night start window and torvelctl's "night diff" share this. A start time unset on both
// sides counts as equal whatever its bytes (the controller ignores them); otherwise a cell
// differs when its byte differs, and both cells of a start time set on one side only.

#include "nightrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace torvel {

class AppState;
class CommandEngine;
class Prompter;
class SheetModel;

// Reads the oven's record through the read into a grid of its own (the window's grid is not
// touched). nullopt when it did not arrive; *aborted tells "Abbruch".
std::optional<NightStartRecord> readOvenNightRecord(AppState &state, CommandEngine &engine,
                                                    Prompter &prompter, int oven, bool *aborted = nullptr);

// The record a send of `grid` would write; the grid stays as it is. Expects a grid that
// passed findInvalidNightCell.
NightStartRecord nightRecordAsSent(const SheetModel &grid);

struct NightCellProblem;

// "Nachtstartzeiten wurden nicht verglichen:\r\n" and what is wrong with the cell.
QString nightCompareProblemText(const NightCellProblem &problem);

struct NightCellDiff {
    int byte = 0; // record index 0..27; the cell is nightRowOf / nightColOf of it
};

QList<NightCellDiff> compareNightRecords(const NightStartRecord &list, const NightStartRecord &oven);
// Start times (of 14) that differ.
int differingNightStarts(const QList<NightCellDiff> &diffs);

// A record byte as the grid shows it: its number, or "--" when its start time is unset.
QString nightValueText(const NightStartRecord &record, int byte);
// One line per day that differs, the oven's value first: "Montag: Std1 6 -> 7, Min1 -- -> 30".
QStringList nightDifferenceLines(const QList<NightCellDiff> &diffs, const NightStartRecord &list,
                                 const NightStartRecord &oven);
// "Vergleich mit Ofen 3: 2 von 14 Startzeiten verschieden." / "...: alle 14 Startzeiten gleich."
QString nightCompareSummary(int oven, const QList<NightCellDiff> &diffs);
// Marks the differing cells with the oven's value as tooltip, and the day of each.
void markNightDifferences(SheetModel &grid, const QList<NightCellDiff> &diffs, const NightStartRecord &oven);

} // namespace torvel
