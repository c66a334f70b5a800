#pragma once
// Byte routines of the controller protocol: checksums, packed decimals, the
// display character set, 0x05 doubling and reply checking.

#include <QByteArray>

namespace torvel {

constexpr char kEnq = 0x05;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;

// Sum of the bytes of s from the 1-based position `from` to the end, not reduced.
int ByteSum(const QByteArray &s, int from = 1);

// Packed BCD: tens in the high nibble.
int BcdToInt(quint8 b);
quint8 IntToBcd(int value); // 0..99, clamped

// The four lower-case German letters between the controller's display set and Windows-1252.
QByteArray LcdToText(const QByteArray &lcd);
QByteArray TextToLcd(const QByteArray &text);

// Doubles every 0x05; `doubled` receives the number of bytes added.
QByteArray stuffEnq(const QByteArray &frame, int *doubled = nullptr);

// 0x46, code, p1, p2, (code + p1 + p2) mod 256.
QByteArray functionFrame(quint8 code, quint8 p1, quint8 p2);
// Data bytes followed by the low byte of their sum.
QByteArray dataFrame(const QByteArray &data);

// True when reply is 0x06, data, checksum, 0x06 with a matching checksum. With destuff the
// reply is replaced by its undoubled form whether valid or not. Framing only: callers check
// the length they need themselves.
bool CheckReply(QByteArray &reply, bool destuff);

} // namespace torvel
