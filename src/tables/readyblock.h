#pragma once
// One block of the ready table on the wire: the 128 entries of one day and deck as 16-bit
// words, low byte first (bits 15..11 `Woche`, bits 10..0 minutes; an empty entry is FFFF),
// followed by the block CRC (high byte first) and the checksum byte.

#include "readytable.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace torvel {

class MemoLog;

constexpr int kReadyBlockDataBytes = 2 * kReadyEntries; // 256
constexpr int kReadyBlockBytes = kReadyBlockDataBytes + 3; // data, CRC high, CRC low, checksum
constexpr quint16 kReadyEmptyWord = 0xFFFF;

// An entry as the controller stores it. Anything the controller cannot hold as an entry in
// use (`Woche` outside 0..30, minutes outside 0..2047) goes as the empty word.
quint16 readyEntryWord(const ReadyEntry &entry);
ReadyEntry readyEntryFromWord(quint16 word);

// The 256 data bytes of block (day, deck).
QByteArray readyBlockData(const ReadyTable &table, int day, int deck);
// The 259 bytes that go on the line: data, CRC high, CRC low, checksum.
QByteArray readyBlockFrame(const QByteArray &data);

// 46 22 deck day sum (read) and 46 23 deck day sum (write).
QByteArray readyReadFrame(int day, int deck);
QByteArray readyWriteFrame(int day, int deck);

// The data of a read reply without its leading 0x06 into block (day, deck) of `table`, two
// bytes an entry while two are left, with a memo line per entry ("B001:000.240--30.00:00").
// Returns what is left over (CRC, checksum, 0x06 when the reply was whole).
QByteArray takeReadyBlock(QByteArray body, int day, int deck, ReadyTable &table, MemoLog *memo);

// "SO", "MO", ... for day 0..6.
QString readyDayShortName(int day);

} // namespace torvel
