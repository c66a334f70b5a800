#pragma once
// The .TBZ file ("USB-Nachtstartzeiten"): a header line, two empty lines, the ini section
// [BEREITSCHAFT] with So1, So2, Mo1, ... Sa2 as "HH:MM" or "--:--", and the line [ENDE].
// Windows-1252, CR LF.

#include <QByteArray>
#include <QString>

namespace torvel {

class SheetModel;

inline const QString kTbzHeader = QStringLiteral("Nacht-Backbereitschaften für den Fenmork VKS Torvel");
inline const QString kTbzSection = QStringLiteral("BEREITSCHAFT");
// A whole file is about 250 bytes; anything far larger is no night start file.
constexpr qint64 kTbzMaxBytes = 64 * 1024;

// "06:00" from the hour and minute cells when both are whole numbers of two digits at most,
// else "--:--".
QString tbzStartText(const SheetModel &grid, int row, int hourCol);
// The whole file for the grid.
QByteArray tbzContent(const SheetModel &grid);

// Writes the file in one piece (the old file stays when this fails). Refused with a German
// message when a value cell is neither unset nor a whole number: "--:--" would silently
// turn it (an "ERR:" marker of a failed read, say) into a start time to send later.
bool saveTbzFile(const SheetModel &grid, const QString &fileName, QString *error);
// Fills day names and value cells from the file. Refused with a German message, the grid
// untouched, when the file is missing, too large, has no [BEREITSCHAFT] section or none of
// its keys, or holds a value that is no "HH:MM" (digits or "--" on either side).
bool loadTbzFile(const QString &fileName, SheetModel &grid, QString *error);

} // namespace torvel
