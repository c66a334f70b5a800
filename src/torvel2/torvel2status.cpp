#include "torvel2status.h"

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/cp1252.h"
#include "link/memolog.h"

namespace torvel {

namespace {
constexpr int kStatusTimeoutMs = 150;
constexpr int kAddressOnceTimeoutMs = 250;
const QString kNoStatus = QStringLiteral("No Status");
} // namespace

std::optional<ControllerStatus> QueryTorvel2Status(const Torvel2Line &line, bool showError, MemoLog &memo)
{
    if (!AddressTorvel2Oven(line, showError)) {
        memo.addStamped(kNoStatus);
        return std::nullopt;
    }
    memo.addStamped(QStringLiteral("ACK"));
    const auto status = decodeCheckedStatus(line.engine.SendCommand(
        statusQueryFrame(), kStatusReplyLength, true, kStatusTimeoutMs, QStringLiteral("Statusabfrage"), ControllerFlags));
    if (!status)
        memo.addStamped(kNoStatus);
    return status;
}

QString AddressOnce(CommandEngine &engine, int busAddress)
{
    const QByteArray reply = engine.SendCommand(addressFrame(busAddressByte(busAddress)), 1, false,
                                                kAddressOnceTimeoutMs, QStringLiteral("Steuerung adressieren"),
                                                ControllerFlags);
    if (reply.startsWith(kAck))
        return QStringLiteral("ACK");
    if (reply.startsWith(kNak))
        return QStringLiteral("NAK");
    return fromCp1252(reply);
}

} // namespace torvel
