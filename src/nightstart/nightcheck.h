#pragma once
// What the grid may send: every value cell is checked before the first frame, start times
// without a valid minute are marked unset, and the record is built from the cells.

#include "nightrecord.h"

#include <QString>

#include <optional>

namespace torvel {

class SheetModel;

struct NightCellProblem {
    int row = 0;
    int col = 0;
    QString text;
};

// The first value cell (row by row) that is neither unset nor a whole number.
std::optional<NightCellProblem> findInvalidNightCell(const SheetModel &grid);
// "Montag, Std1: "abc" ist keine ganze Zahl."
QString nightCellProblemDescription(const NightCellProblem &problem);
// "Nachtstartzeiten wurden nicht übertragen:\r\n" and the description.
QString nightCellProblemText(const NightCellProblem &problem);
inline const QString kNightCellProblemCaption = QStringLiteral("FEHLER");

// A set hour whose minute is missing or outside 0..59 gets "  ----" in both cells.
// Hours get no range test. Expects a grid that passed findInvalidNightCell.
void markIncompleteNightStarts(SheetModel &grid);

// Each value cell as a packed decimal, 0xFF for an unset cell or a number without a
// one-byte form (negative, 160 and more).
NightStartRecord nightRecordFromGrid(const SheetModel &grid);

} // namespace torvel
