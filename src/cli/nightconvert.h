#pragma once
// Converting night start files for torvelctl convert: .TBZ and .NGT either way.

#include <QString>

namespace torvel::cli {

struct CliContext;

// Reads `in` and writes `out`, each a .TBZ or .NGT file by its ending. ExitOk, or ExitUsage
// with the reason on standard error when a file cannot be used; nothing touches the line.
int convertNightFile(CliContext &ctx, const QString &in, const QString &out);

} // namespace torvel::cli
