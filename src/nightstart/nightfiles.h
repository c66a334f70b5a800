#pragma once
// Saving and loading the night start grid in either file kind, for the window and torvelctl.

#include "nightfilename.h"

#include <QString>

namespace torvel {

class SheetModel;

// Writes `fileName` as it is (callers add the suffix first where the name may lack it).
bool saveNightFile(const SheetModel &grid, const QString &fileName, NightFileKind kind, QString *error);
// On failure the grid is untouched and *error holds a German message.
bool loadNightFile(const QString &fileName, NightFileKind kind, SheetModel &grid, QString *error);

} // namespace torvel
