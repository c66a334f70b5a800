#pragma once
// Addressing one controller on the line, the software version query and the status query.

#include <QByteArray>
#include <QString>
#include <optional>

namespace torvel {

class CommandEngine;
class MemoLog;

// 0x80 + 10 x oven, low 8 bits (oven 3 -> 0x9E).
quint8 ovenAddressByte(int oven);
// 0x80 + bus address, low 8 bits (the modem window's VKSAdr).
quint8 busAddressByte(int busAddress);
QByteArray addressFrame(quint8 addressByte);

// Sends the addressing frame up to `tries` times; true as soon as one answer is exactly 0x06.
bool AddressController(CommandEngine &engine, quint8 addressByte, int timeoutMs, int tries);

// The software version reply, undoubled.
struct SoftwareVersion {
    int version = 0;                 // V, 16 bits
    std::optional<int> revision;     // R, when "r" and its byte are there
    std::optional<quint8> capability; // the byte after "M", behind the version fields
};

const QByteArray &versionQueryFrame();

// Decodes an undoubled, checked version reply; nullopt when it is too short (fewer than 5
// bytes) or its fields after the version word are not whole pairs (a byte was lost).
std::optional<SoftwareVersion> decodeSoftwareVersion(const QByteArray &reply);
// "2.91 r3", "0.05", "10.00".
QString versionText(const SoftwareVersion &v);

// Up to three attempts of address + version query; "NA" when none succeeded. `version`
// receives the decoded reply on success. `beep` sounds on success (the default system beep).
QString ReadSoftwareVersion(CommandEngine &engine, int oven, SoftwareVersion *version = nullptr);

// Live values of the addressed controller; a field is present only when all its bytes came.
struct ControllerStatus {
    std::optional<int> onStatus;
    int programNumber = -1; // high byte of data word 2-3; -1 when missing
    std::optional<int> bakeTime;
    std::optional<int> topHeatActual;
    std::optional<int> bottomHeatActual;
    std::optional<int> topHeatSet;
    std::optional<int> bottomHeatSet;
    std::optional<bool> topHeatOn;
    std::optional<bool> bottomHeatOn;
    std::optional<bool> programStarted;
};

const QByteArray &statusQueryFrame();
// Decodes an undoubled status reply. Only the data bytes count: the leading 0x06 and, on a
// framed reply, the checksum and closing 0x06 are no fields.
ControllerStatus decodeStatus(const QByteArray &reply);

// 0x06, 22 data bytes, checksum, 0x06.
constexpr int kStatusReplyLength = 25;
// The status reply of a transaction, decoded when CheckReply accepts it and it is whole once
// undoubled; nullopt for any other. A lost 0x00 leaves the checksum as it was, so only the
// length tells that every field after it would be shifted.
std::optional<ControllerStatus> decodeCheckedStatus(QByteArray reply);

enum class StatusFailure {
    NotAddressed, // the addressing frame was not acknowledged
    NoValidReply, // the status reply was not whole and checked (short, wrong checksum, none)
};

// Address (0x80 + busAddress, 4 tries of 50 ms), then the status frame. Writes "No Status" or
// "ACK" into memo when given, and "No Status" after it when the reply is not valid: only a
// whole reply CheckReply accepts is decoded, a damaged one would show invented values. nullopt
// on failure, with the reason in *failure when given.
std::optional<ControllerStatus> QueryStatus(CommandEngine &engine, int busAddress, MemoLog *memo,
                                            StatusFailure *failure = nullptr);

} // namespace torvel
