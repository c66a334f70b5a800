#pragma once
// The .TST file ("Torvel-Steigungstabelle"): the gradient table's text section alone.

#include "gradienttable.h"

#include <QByteArray>
#include <QString>

namespace torvel {

inline const QString kGradientFileFilter = QStringLiteral("Torvel-Steigungstabelle (*.TST)");
inline const QString kGradientFileSuffix = QStringLiteral("TST");
// A whole file is about 400 bytes; anything far larger is no gradient table.
constexpr qint64 kGradientFileMaxBytes = 64 * 1024;

QByteArray gradientFileContent(const GradientTable &table);

// Writes the file in one piece (the old file stays when this fails). A table that holds the
// marker is refused: it holds nothing worth a file. `error` gets a German reason.
bool saveGradientFile(const GradientTable &table, const QString &fileName, QString *error);

// Reads a .TST file. On success `table` holds it; on failure `table` is untouched and `error`
// names the reason (missing, too large, a bad line).
bool loadGradientFile(const QString &fileName, GradientTable *table, QString *error);

} // namespace torvel
