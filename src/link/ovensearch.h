#pragma once
// Which ovens of the line answer, and with which software version: torvelctl's search and the
// backup ask the same way (up to three tries each, as ReadSoftwareVersion does).

#include "controller.h"

#include <QList>
#include <QString>

namespace torvel {

class CommandEngine;

struct OvenFound {
    int oven = 0;
    QString versionText; // "2.91 r3", or "NA" when the oven did not answer
    SoftwareVersion version;

    bool present() const { return versionText != QLatin1String("NA"); }
    // From version 4.00 on a controller is of the second generation.
    bool secondGeneration() const { return present() && version.version >= 400; }
};

// Asks every oven of `ovens` in turn. Stops at a lost line: the ovens not asked are left out
// (they are not absent, nobody knows), and *lineLost tells it.
QList<OvenFound> searchOvens(CommandEngine &engine, const QList<int> &ovens, bool *lineLost = nullptr);

} // namespace torvel
