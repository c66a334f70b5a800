#pragma once
// Saving and loading a grid as a workbook file in one call, for the windows.

#include <QString>

namespace torvel {

class SheetModel;

// Writes cells, sheet name and print settings; the old file stays when this fails.
bool saveWorkbook(const SheetModel &model, const QString &path, QString *error = nullptr);

// Replaces cells, sheet name and print settings, and grows the grid to fit. On failure
// the grid is left exactly as it was.
bool loadWorkbook(const QString &path, SheetModel &model, QString *error = nullptr);

} // namespace torvel
