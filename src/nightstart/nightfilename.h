#pragma once
// The two kinds of night start file and their names.

#include <QString>

namespace torvel {

enum class NightFileKind { None, Ngt, Tbz };

// By the name's ending (any case): ".NGT" or ".TBZ"; None for anything else.
NightFileKind nightFileKind(const QString &fileName);

// The name to save under: ".NGT" or ".TBZ" is appended unless the upper-cased name already
// contains it, so "PLAN.ngt" keeps its name and "plan" becomes "plan.NGT".
QString withNightSuffix(const QString &fileName, NightFileKind kind);

} // namespace torvel
