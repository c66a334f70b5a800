// A block reply of the operating data or the error list, decoded with the dates completed.
#include "fuzzsupport.h"

#include "link/bytes.h"
#include "oplog/logblock.h"
#include "oplog/logdates.h"
#include "torvel2/datablockcrc.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray reply = fuzz::bytes(data, size);
    if (!CheckReply(reply, true))
        return 0;
    (void)DataBlockCrcGood(reply.mid(1, reply.size() - 3));
    // The first bytes choose the kind and whether end marks are read past.
    const LogKind kind = size > 1 && (data[1] & 1) ? LogKind::ErrorList : LogKind::OperatingData;
    OperatingList list;
    LogBlockDecoder decoder(kind, 2026, QDate(2026, 3, 26), size > 2 && (data[2] & 1), list, nullptr);
    const LogBlockDecoder::Outcome outcome = decoder.takeBlock(reply.mid(1), 1984);
    if (list.entries.size() > 64 || (outcome.endMark && outcome.rest.size() < 4))
        __builtin_trap(); // one block holds 64 entries at most; an end mark is four bytes
    checkYearOrder(list.entries);
    (void)completeEarlyDates(list.entries);
    return 0;
}
