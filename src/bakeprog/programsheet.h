#pragma once
// The list of all programs of one oven on the grid: 99 rows, name and 23 values, and the
// conversions between the controller's seconds and the minutes shown.

#include "bakeprogram.h"

#include <QList>
#include <QString>

namespace torvel {

class SheetModel;

namespace marker {
inline const QString kTrying = QStringLiteral("-->  Trying");
inline const QString kRead = QStringLiteral("Read");
inline const QString kNoAnswer = QStringLiteral("ERR: keine Antwort");
inline const QString kTransferError = QStringLiteral("ERR: Übertragungsfehler");
inline const QString kAborted = QStringLiteral("ERR: abgebrochen");
inline const QString kErrorPrefix = QStringLiteral("ERR:");
} // namespace marker

inline const QString kProgramSheetName = QStringLiteral("Backprogramm Record");

// 99 x 24, headings, corner "Nr.", title "Backprogramme", sheet name "Backprogramm Record".
void setupProgramSheet(SheetModel &sheet);
QString receivedSheetName(int oven);
// What a value column holds and its unit ("Backzeit Phase 1 in Minuten"); the damper's
// unit follows `minuteColumns` (minutes, or seconds with ZIRBELAS).
QString programColumnDescription(int column, const QList<int> &minuteColumns);
// Puts the descriptions on the list's headings.
void describeProgramColumns(SheetModel &sheet, const QList<int> &minuteColumns);

bool isMinuteColumn(int column, const QList<int> &minuteColumns);
// Controller seconds to the unit shown (minutes, truncated, in a minute column).
int displayValue(int column, quint16 stored, const QList<int> &minuteColumns);
// A cell as sent: a whole decimal number (0 when it is none), x 60 in a minute column,
// reduced to 16 bits.
quint16 sendValue(int column, const QString &cellText, const QList<int> &minuteColumns);

// Whether a name cell marks a program that was not received (never sent).
bool isFaultyName(const QString &name);

// Writes one program into row `number` (name in column 1, values in display units).
void putProgram(SheetModel &sheet, int number, const QString &name, const ProgramValues &stored,
                const QList<int> &minuteColumns);
// The values of row `number` as they would be sent.
ProgramValues sendValues(const SheetModel &sheet, int number, const QList<int> &minuteColumns);

} // namespace torvel
