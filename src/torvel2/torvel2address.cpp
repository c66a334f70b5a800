#include "torvel2address.h"

#include "link/controller.h"
#include "shell/prompter.h"

namespace torvel {

bool AddressTorvel2Oven(const Torvel2Line &line, bool showError)
{
    if (AddressController(line.engine, ovenAddressByte(line.oven), kTorvel2AddressTimeoutMs, kTorvel2AddressTries))
        return true;
    if (showError)
        line.prompter.inform(QStringLiteral("ERROR"), QStringLiteral("Steuerung nicht adressierbar!!"));
    return false;
}

} // namespace torvel
