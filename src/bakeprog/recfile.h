#pragma once
// The .REC file: the program list as a workbook. In rows 2 to 24 (and only there) the
// minute columns hold seconds, a convention stored files depend on.

#include <QList>
#include <QString>

namespace torvel {

class SheetModel;

// Writes a copy of the list (the list on screen never changes), through a temporary file.
bool saveRecFile(const SheetModel &list, const QString &fileName, const QList<int> &minuteColumns, QString *error);
// Reads the file; the list is replaced only when the whole file was read.
bool loadRecFile(const QString &fileName, SheetModel &list, const QList<int> &minuteColumns, QString *error);

} // namespace torvel
