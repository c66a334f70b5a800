#include "torvel2version.h"

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"

namespace torvel {

namespace {
constexpr int kVersionAttempts = 3;
constexpr int kVersionReplyLength = 9;
constexpr int kVersionTimeoutMs = 100;
constexpr quint8 kNinetyNineBit = 0x02;
} // namespace

Torvel2Version torvel2VersionOf(const SoftwareVersion &version)
{
    Torvel2Version v;
    const int word = version.version;
    const int revision = version.revision.value_or(0);
    v.major = word / 100;
    v.number = (word / 100) * 65536 + (word % 100) * 256 + revision;
    const quint8 capability = version.capability.value_or(static_cast<quint8>(kAck));
    v.variant = (capability & kNinetyNineBit) ? QStringLiteral("9") : QStringLiteral("1");
    v.text = QStringLiteral("%1.%2 r%3").arg(word / 100).arg(word % 100, 2, 10, QLatin1Char('0')).arg(revision);
    return v;
}

Torvel2Version ReadTorvel2Version(const Torvel2Line &line)
{
    if (!AddressTorvel2Oven(line, false))
        return {};
    for (int attempt = 0; attempt < kVersionAttempts; ++attempt) {
        if (attempt > 0
            && line.engine.SendCommand(addressFrame(ovenAddressByte(line.oven)), 1, false, kTorvel2AddressTimeoutMs,
                                       QStringLiteral("Steuerung adressieren"), ControllerFlags)
                   != QByteArray(1, kAck))
            continue;
        QByteArray reply = line.engine.SendCommand(versionQueryFrame(), kVersionReplyLength, true, kVersionTimeoutMs,
                                                   QStringLiteral("Software Version abrufen"), ControllerFlags);
        if (!CheckReply(reply, true))
            continue;
        if (const auto decoded = decodeSoftwareVersion(reply))
            return torvel2VersionOf(*decoded);
    }
    return {};
}

} // namespace torvel
