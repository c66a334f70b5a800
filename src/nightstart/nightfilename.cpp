#include "nightfilename.h"

namespace torvel {

namespace {
QString suffixOf(NightFileKind kind)
{
    switch (kind) {
    case NightFileKind::Ngt:
        return QStringLiteral(".NGT");
    case NightFileKind::Tbz:
        return QStringLiteral(".TBZ");
    case NightFileKind::None:
        break;
    }
    return {};
}
} // namespace

NightFileKind nightFileKind(const QString &fileName)
{
    for (NightFileKind kind : {NightFileKind::Ngt, NightFileKind::Tbz}) {
        if (fileName.endsWith(suffixOf(kind), Qt::CaseInsensitive))
            return kind;
    }
    return NightFileKind::None;
}

QString withNightSuffix(const QString &fileName, NightFileKind kind)
{
    const QString suffix = suffixOf(kind);
    return fileName.toUpper().contains(suffix) ? fileName : fileName + suffix;
}

} // namespace torvel
