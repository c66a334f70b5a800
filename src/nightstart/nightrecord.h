#pragma once
// The night start record as it travels on the line: 28 packed-decimal bytes, four per
// weekday (start 1 hour, start 1 minute, start 2 hour, start 2 minute), Sunday first.
// Also the frames that read and write it.

#include <QByteArray>
#include <QString>

#include <array>

namespace torvel {

constexpr int kNightDays = 7;
constexpr int kNightRecordBytes = 4 * kNightDays;
// 0xFF marks an unset entry on sending.
constexpr quint8 kNightUnset = 0xFF;
// On reading, a start time is unset when its hour byte is above this or its minute byte
// above kNightLastMinuteByte (comparisons on the raw bytes).
constexpr quint8 kNightLastHourByte = 0x23;
constexpr quint8 kNightLastMinuteByte = 0x59;
// Hours from here on have no one-byte packed form (160 would need 0x100).
constexpr int kNightFirstUnencodable = 160;

using NightStartRecord = std::array<quint8, kNightRecordBytes>;

// Every byte 0xFF.
NightStartRecord unsetNightRecord();
QByteArray nightRecordBytes(const NightStartRecord &record);
// Missing bytes (a short input) stay unset.
NightStartRecord nightRecordFrom(const QByteArray &bytes);

// Byte k is day k / 4; k % 4 is 0 (hour 1), 1 (minute 1), 2 (hour 2), 3 (minute 2).
inline bool isHourByte(int k) { return k % 4 == 0 || k % 4 == 2; }

// (n div 10) * 16 + (n mod 10); kNightUnset for numbers without a one-byte form (below 0
// or from kNightFirstUnencodable on).
quint8 nightBcd(int n);

// Whether a read start time counts as unset: hour or minute beyond its limit, or a byte
// that is no packed decimal (a units nibble above 9) and would show a made-up time.
bool nightHourUnset(quint8 hour);
bool nightMinuteUnset(quint8 minute);

// 46 17 4E 4E B3 (the checksum computed from the code and parameters).
QByteArray nightReadFrame();
// 46 18 6E 6E F4, a fixed constant.
QByteArray nightAnnounceFrame();
// The 28 record bytes and their checksum; no leading "F".
QByteArray nightRecordFrame(const NightStartRecord &record);

// Bytes after the echo of the read frame: 0x06, 28 bytes, checksum, 0x06.
constexpr int kNightReadReplyLength = kNightRecordBytes + 3;
constexpr int kNightAddressTimeoutMs = 50;
constexpr int kNightReadTimeoutMs = 80;
constexpr int kNightAnnounceTimeoutMs = 50;
constexpr int kNightRecordTimeoutMs = 500;

inline const QString kNightAddressCaption = QStringLiteral("Steuerung adressieren");
inline const QString kNightReadCaption = QStringLiteral("Nachtstartzeiten lesen");
inline const QString kNightAnnounceCaption = QStringLiteral("Nachtstartzeiten senden (Fkt)");
inline const QString kNightRecordCaption = QStringLiteral("Nachtstartzeiten senden");

} // namespace torvel
