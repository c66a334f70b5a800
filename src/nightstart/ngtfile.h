#pragma once
// The .NGT file ("Nachtstartzeiten"): the night start grid as a workbook, with its cells,
// sheet name and print settings.

#include <QString>

namespace torvel {

class SheetModel;

// Writes through a temporary file; the old file stays when this fails.
bool saveNgtFile(const SheetModel &grid, const QString &fileName, QString *error);
// Replaces cells, sheet name and print settings. Refused with a German message, the grid
// untouched, when the file cannot be read or holds no night start grid (no cell at all, or
// cells beyond 8 rows by 5 columns).
bool loadNgtFile(const QString &fileName, SheetModel &grid, QString *error);

} // namespace torvel
