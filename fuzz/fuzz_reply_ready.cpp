// The reply to a ready table block read.
#include "fuzzsupport.h"

#include "link/bytes.h"
#include "tables/readyblock.h"
#include "torvel2/datablockcrc.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray reply = fuzz::bytes(data, size);
    if (CheckReply(reply, true)) {
        (void)DataBlockCrcGood(reply.mid(1, reply.size() - 3));
        ReadyTable table;
        (void)takeReadyBlock(reply.mid(1), 6, 9, table, nullptr);
        for (int i = 1; i <= kReadyEntries; ++i) {
            const ReadyEntry &e = table.entry(6, 9, i);
            if (e.woche < 0 || e.woche > 31 || e.minutes < 0 || e.minutes > 2047)
                __builtin_trap(); // a word holds no more than 5 and 11 bits
        }
    }
    return 0;
}
