#pragma once
// The night start grid (the control "Nachtzeit"): 8 rows by 5 columns. Row 1 holds the
// headings "Std1", "Min1", "Std2", "Min2", column 1 the day names Sunday to Saturday, and
// rows 2 to 8, columns 2 to 5 the values: decimal numbers, or a marker for an unset start.

#include "nightrecord.h"

#include <QString>

namespace torvel {

class SheetModel;

constexpr int kNightRows = 8;
constexpr int kNightCols = 5;
constexpr int kNightFirstValueRow = 2;
constexpr int kNightFirstValueCol = 2;

inline const QString kNightSheetName = QStringLiteral("Nachtstartzeiten");

namespace nightmarker {
inline const QString kRead = QStringLiteral("  -----");   // unset, after reading
inline const QString kChecked = QStringLiteral("  ----"); // unset, after the check before sending
inline const QString kFile = QStringLiteral("--");        // unset, after loading a .TBZ file
inline const QString kTrying = QStringLiteral("Read");
inline const QString kNoAnswer = QStringLiteral("ERR: keine Antwort");
inline const QString kTransferError = QStringLiteral("ERR: Übertragungsfehler");
} // namespace nightmarker

// Size, sheet name, day names and headings; the value cells stay as they are.
void setupNightStartGrid(SheetModel &grid);
// "Nachtstartzeiten_Ofen_3".
QString nightReceivedSheetName(int oven);
// "Std1", "Min1", "Std2", "Min2" for columns 2 to 5.
QString nightColumnHeading(int col);

inline bool isNightHourColumn(int col) { return col == 2 || col == 4; }
// Record byte k lives in this cell, and back.
inline int nightRowOf(int k) { return kNightFirstValueRow + k / 4; }
inline int nightColOf(int k) { return kNightFirstValueCol + k % 4; }
inline int nightByteOf(int row, int col) { return (row - kNightFirstValueRow) * 4 + (col - kNightFirstValueCol); }

// Empty, or holding two adjacent hyphens: no start time.
bool isUnsetNightText(const QString &text);
// A whole decimal number ("7", "07", " 7 "); false for anything else, fractions included.
bool parseNightNumber(const QString &text, int *value);

// Empties rows 2 to 8, columns 2 to 5.
void clearNightValues(SheetModel &grid);
// Shows a record read from the controller: the numbers, and "  -----" in both cells of an
// unset start time.
void putNightRecord(SheetModel &grid, const NightStartRecord &record);

} // namespace torvel
