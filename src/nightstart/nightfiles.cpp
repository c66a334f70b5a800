#include "nightfiles.h"

#include "ngtfile.h"
#include "tbzfile.h"

namespace torvel {

namespace {
bool unknownKind(const QString &fileName, QString *error)
{
    if (error)
        *error = QStringLiteral("Keine Nachtstartzeiten-Datei (.NGT oder .TBZ): %1").arg(fileName);
    return false;
}
} // namespace

bool saveNightFile(const SheetModel &grid, const QString &fileName, NightFileKind kind, QString *error)
{
    switch (kind) {
    case NightFileKind::Ngt:
        return saveNgtFile(grid, fileName, error);
    case NightFileKind::Tbz:
        return saveTbzFile(grid, fileName, error);
    case NightFileKind::None:
        break;
    }
    return unknownKind(fileName, error);
}

bool loadNightFile(const QString &fileName, NightFileKind kind, SheetModel &grid, QString *error)
{
    switch (kind) {
    case NightFileKind::Ngt:
        return loadNgtFile(fileName, grid, error);
    case NightFileKind::Tbz:
        return loadTbzFile(fileName, grid, error);
    case NightFileKind::None:
        break;
    }
    return unknownKind(fileName, error);
}

} // namespace torvel
