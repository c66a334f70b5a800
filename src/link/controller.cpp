#include "controller.h"

#include "bytes.h"
#include "commandengine.h"
#include "memolog.h"

namespace torvel {

namespace {
constexpr int kAddressTimeoutMs = 50;
const QString kAddressCaption = QStringLiteral("Steuerung adressieren");

int word(const QByteArray &b, int index)
{
    return (static_cast<quint8>(b.at(index)) << 8) | static_cast<quint8>(b.at(index + 1));
}
} // namespace

quint8 ovenAddressByte(int oven)
{
    return static_cast<quint8>((0x80 + 10 * oven) & 0xFF);
}

quint8 busAddressByte(int busAddress)
{
    return static_cast<quint8>((0x80 + busAddress) & 0xFF);
}

QByteArray addressFrame(quint8 addressByte)
{
    QByteArray f;
    f.append(kEnq).append(static_cast<char>(addressByte));
    return f;
}

bool AddressController(CommandEngine &engine, quint8 addressByte, int timeoutMs, int tries)
{
    for (int i = 0; i < tries; ++i) {
        const QByteArray answer =
            engine.SendCommand(addressFrame(addressByte), 1, false, timeoutMs, kAddressCaption, ControllerFlags);
        if (answer == QByteArray(1, kAck))
            return true;
    }
    return false;
}

const QByteArray &versionQueryFrame()
{
    static const QByteArray frame = functionFrame(0x09, 0x56, 0x72);
    return frame;
}

std::optional<SoftwareVersion> decodeSoftwareVersion(const QByteArray &reply)
{
    // 0x06, V high, V low, ..., checksum, 0x06
    if (reply.size() < 5)
        return std::nullopt;
    // The fields after V come in pairs ("r" R, "M" C). A lost 0x00 leaves the sum as it was
    // and shifts every field after it: only the odd count tells.
    if ((reply.size() - 5) % 2 != 0)
        return std::nullopt;
    SoftwareVersion v;
    v.version = word(reply, 1);
    const int checksumIndex = static_cast<int>(reply.size()) - 2;
    int searchFrom = 3; // 0-based index of position 4
    if (reply.size() >= 7 && reply.at(3) == 'r') {
        v.revision = static_cast<quint8>(reply.at(4));
        searchFrom = 5; // position 6
    }
    // "M" and its capability byte, both before the checksum.
    for (int i = searchFrom; i + 1 < checksumIndex; ++i) {
        if (reply.at(i) == 'M') {
            v.capability = static_cast<quint8>(reply.at(i + 1));
            break;
        }
    }
    return v;
}

QString versionText(const SoftwareVersion &v)
{
    QString text = QStringLiteral("%1.%2").arg(v.version / 100).arg(v.version % 100, 2, 10, QLatin1Char('0'));
    if (v.revision)
        text += QStringLiteral(" r%1").arg(*v.revision);
    return text;
}

QString ReadSoftwareVersion(CommandEngine &engine, int oven, SoftwareVersion *version)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QByteArray ack = engine.SendCommand(addressFrame(ovenAddressByte(oven)), 1, false,
                                                  kAddressTimeoutMs, kAddressCaption, ControllerFlags);
        if (ack != QByteArray(1, kAck))
            continue;
        QByteArray reply = engine.SendCommand(versionQueryFrame(), 9, true, 100,
                                              QStringLiteral("Software Version abrufen"), ControllerFlags);
        if (!CheckReply(reply, true))
            continue;
        const auto decoded = decodeSoftwareVersion(reply);
        if (!decoded)
            continue; // framed and summed right, but too short to hold a version
        if (version)
            *version = *decoded;
        emit engine.beep();
        return versionText(*decoded);
    }
    return QStringLiteral("NA");
}

const QByteArray &statusQueryFrame()
{
    static const QByteArray frame = functionFrame(0x13, 0x00, 0x00);
    return frame;
}

ControllerStatus decodeStatus(const QByteArray &reply)
{
    QByteArray data = reply.mid(1);
    if (reply.size() >= 3 && reply.endsWith(kAck))
        data.chop(2);
    ControllerStatus s;
    const auto has = [&](int firstByte, int n) { return data.size() >= firstByte - 1 + n; };
    const auto byteAt = [&](int pos) { return static_cast<int>(static_cast<quint8>(data.at(pos - 1))); };
    const auto wordAt = [&](int pos) { return (byteAt(pos) << 8) | byteAt(pos + 1); };
    if (has(1, 1))
        s.onStatus = byteAt(1);
    if (has(2, 2))
        s.programNumber = byteAt(2);
    if (has(5, 2))
        s.bakeTime = wordAt(5);
    if (has(7, 2))
        s.topHeatActual = wordAt(7);
    if (has(9, 2))
        s.bottomHeatActual = wordAt(9);
    if (has(11, 2))
        s.topHeatSet = wordAt(11);
    if (has(13, 2))
        s.bottomHeatSet = wordAt(13);
    if (has(15, 1)) {
        s.topHeatOn = (byteAt(15) & 0x01) != 0;
        s.bottomHeatOn = (byteAt(15) & 0x04) != 0;
    }
    if (has(17, 1))
        s.programStarted = (byteAt(17) & 0x01) != 0;
    return s;
}

std::optional<ControllerStatus> decodeCheckedStatus(QByteArray reply)
{
    if (!CheckReply(reply, true) || reply.size() != kStatusReplyLength)
        return std::nullopt;
    return decodeStatus(reply);
}

std::optional<ControllerStatus> QueryStatus(CommandEngine &engine, int busAddress, MemoLog *memo,
                                            StatusFailure *failure)
{
    const auto failed = [&](StatusFailure why) {
        if (memo)
            memo->addStamped(QStringLiteral("No Status"));
        if (failure)
            *failure = why;
        return std::nullopt;
    };
    if (!AddressController(engine, busAddressByte(busAddress), kAddressTimeoutMs, 4))
        return failed(StatusFailure::NotAddressed);
    if (memo)
        memo->addStamped(QStringLiteral("ACK"));
    const auto status = decodeCheckedStatus(engine.SendCommand(statusQueryFrame(), kStatusReplyLength, true, 150,
                                                               QStringLiteral("Statusabfrage"), ControllerFlags));
    if (!status)
        return failed(StatusFailure::NoValidReply);
    return status;
}

} // namespace torvel
