#include "ovensearch.h"

#include "commandengine.h"

namespace torvel {

QList<OvenFound> searchOvens(CommandEngine &engine, const QList<int> &ovens, bool *lineLost)
{
    QList<OvenFound> found;
    for (const int oven : ovens) {
        OvenFound f;
        f.oven = oven;
        f.versionText = ReadSoftwareVersion(engine, oven, &f.version);
        if (engine.isLineLost())
            break;
        found << f;
    }
    if (lineLost)
        *lineLost = engine.isLineLost();
    return found;
}

} // namespace torvel
