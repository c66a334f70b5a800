#pragma once
// The .TBT file ("Torvel-Bereittabelle"): the ready table's text section alone, 2100 lines.

#include "readytable.h"

#include <QByteArray>
#include <QString>

namespace torvel {

inline const QString kReadyFileFilter = QStringLiteral("Torvel-Bereittabelle (*.TBT)");
inline const QString kReadyFileSuffix = QStringLiteral("TBT");
// A whole file is about 80 KB; anything far larger is no ready table.
constexpr qint64 kReadyFileMaxBytes = 1024 * 1024;

QByteArray readyFileContent(const ReadyTable &table);

// Writes the file in one piece (the old file stays when this fails); `error` gets a German
// reason.
bool saveReadyFile(const ReadyTable &table, const QString &fileName, QString *error);

// Opens a .TBT file as the window and torvelctl do: reads it, then repairs it with
// ValidateReadyTable (report into `logFolder`). On success `table` and `flags` hold it (the
// flags of the blocks the file held set) and `repairMessage` the repair's text when something
// was repaired. On failure both stay as they were and `error` names the reason.
bool openReadyFile(const QString &fileName, const QString &logFolder, ReadyTable *table, ReadyBlockFlags *flags,
                   QString *error, QString *repairMessage);

} // namespace torvel
