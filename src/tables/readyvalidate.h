#pragma once
// The repair of a ready table that came from a controller or a file: no entry may stay out of
// range. A `Woche` below 0 or from 32 on makes the entry empty; minutes below 0, or from 1440
// on other than 2047, take the minutes of the entry before (entry 1: of entry 2), and an entry
// still out of range after that becomes empty. Every change goes into the report file
// "Bereittab_Check.txt" in the folder "log" beside the program.

#include "readytable.h"

#include <QString>

namespace torvel {

inline const QString kReadyCheckFileName = QStringLiteral("Bereittab_Check.txt");

// "<applicationDirPath>/log".
QString defaultLogFolder();

// Repairs `table`; true when something was repaired. Then the report is written into
// `logFolder` (created when missing) and `message` gets the text to show (caption "Achtung"),
// which names the report file, or says that it could not be written.
bool ValidateReadyTable(ReadyTable &table, QString &message, const QString &logFolder = defaultLogFolder());

} // namespace torvel
