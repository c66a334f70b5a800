#pragma once
// Cell references ("AB12", "$A$1:$C$9") and sheet names as workbook files spell them.

#include <QRect>
#include <QString>
#include <QStringView>

namespace torvel {

// Reads "AB12" or "$AB$12" into 1-based row and column. Numbers past any real sheet
// are still read (up to nine digits, six letters): the caller decides what is too big.
bool parseCellRef(QStringView ref, int *row, int *col);

// Reads "A1:C9" or a single "B2" into a range (x = column, y = row).
bool parseRangeRef(QStringView ref, QRect *range);

// A sheet name a spreadsheet program accepts: no [ ] : * ? / \ or control characters,
// no apostrophe at either end, at most 31 characters, not empty, not "History".
// A legal name comes back unchanged.
QString sanitizeSheetName(const QString &name);

} // namespace torvel
