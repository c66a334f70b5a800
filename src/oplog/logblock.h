#pragma once
// Decoding the blocks of a log read one after the other: 64 entries each, the debug lines into
// the memo, the running date taken from each day entry.

#include "logkind.h"
#include "operatinglist.h"

#include <QByteArray>
#include <QDate>

namespace torvel {

class MemoLog;

class LogBlockDecoder
{
public:
    // refYear and reference date the day entries; readComplete takes end marks as entries.
    LogBlockDecoder(LogKind kind, int refYear, const QDate &reference, bool readComplete, OperatingList &list,
                    MemoLog *memo);

    struct Outcome {
        bool endMark = false; // the data ended in this block
        QByteArray rest;      // what followed the entries (CRC, checksum, 0x06 in a good reply)
    };

    // The data of a checked reply without its leading 0x06, whose first entry is entry
    // `firstEntry` (0-based) of the log: up to 64 entries while four bytes are left. The memo
    // gets the title and the time, then one line per entry.
    Outcome takeBlock(QByteArray body, int firstEntry);

private:
    LogKind m_kind;
    int m_refYear;
    QDate m_reference;
    bool m_readComplete;
    OperatingList &m_list;
    MemoLog *m_memo;
    QString m_runningDate;
};

} // namespace torvel
