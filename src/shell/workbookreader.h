#pragma once
// Reads the first sheet of an Office Open XML workbook, whatever the file's extension.
// Built for files from any spreadsheet program, and for damaged or hostile ones.

#include <QString>

namespace torvel {

struct WorkbookData;

// Fills *data only on success. On failure *data is untouched and *error holds a German
// message naming the file.
bool readWorkbook(const QString &path, WorkbookData *data, QString *error = nullptr);

} // namespace torvel
