#include "modeminit.h"

#include "modemport.h"

#include "link/memolog.h"

namespace torvel {

namespace {
void logInitError(const ModemPort &port, int number)
{
    if (port.errorLog)
        port.errorLog->addStamped(QStringLiteral("InitError %1").arg(number, 2, 10, QLatin1Char('0')));
}
} // namespace

bool InitialiseModem(const ModemPort &port, ModemKind kind)
{
    const QByteArray start = QByteArrayLiteral("ATE0F1Q0\r");
    if (!port.command(start) && !port.command(start)) {
        logInitError(port, 1);
        return false;
    }
    const ModemProfile &profile = modemProfile(kind);
    if (!SendAtTable(port, profile.basic, false)) {
        logInitError(port, 2);
        return false;
    }
    if (!SendAtTable(port, profile.ampersand, false)) {
        logInitError(port, 3);
        return false;
    }
    if (!SendAtTable(port, profile.sRegisters, kind == ModemKind::Pc)) {
        logInitError(port, 4);
        return false;
    }
    if (kind == ModemKind::Torvel)
        port.command(QByteArrayLiteral("ATQ1\r"), 100); // quiet from now on: no "OK" comes back
    port.command(QByteArrayLiteral("AT&W0\r"));
    return true;
}

} // namespace torvel
