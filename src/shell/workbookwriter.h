#pragma once
// Writes a grid's data as an Office Open XML workbook with one sheet. Our files carry
// their own extensions (.REC, .NGT); the content is a plain workbook all the same.

#include <QString>

namespace torvel {

struct WorkbookData;

// Grid cell (r, c) becomes sheet cell (r, c): (1,1) is A1. Texts go in as strings,
// numbers as numbers. The file is built aside and replaces the target only once it is
// complete; on failure the old file stays and *error says so in German.
bool writeWorkbook(const WorkbookData &data, const QString &path, QString *error = nullptr);

} // namespace torvel
