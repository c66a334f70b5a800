#pragma once
// The settings both modems must hold: the Torvel modem at the ovens answers calls by itself
// and stays silent towards the controllers, the PC modem never answers and reports its results.

#include <QString>
#include <QStringList>

namespace torvel {

enum class ModemKind { Torvel, Pc };
enum class ModemListing { Current, Nvram };

struct ModemProfile {
    QStringList basic;      // "B0", "E0", ...
    QStringList ampersand;  // "&A0", ...
    QStringList sRegisters; // "S00=002", ...
};

const ModemProfile &modemProfile(ModemKind kind);

// "SPEED=9600  PARITY=N  WORDLEN=8" or with 38400.
QString speedLine(bool take38400);

// The listing headers the modem prints, and the dial line of its current settings.
QString listingHeader(ModemListing listing);
QString currentDialLine();

} // namespace torvel
