// The gradient table reply of one mode.
#include "fuzzsupport.h"

#include "link/bytes.h"
#include "tables/gradienttransfer.h"
#include "torvel2/datablockcrc.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray reply = fuzz::bytes(data, size);
    if (CheckReply(reply, true)) {
        (void)DataBlockCrcGood(reply.mid(1, reply.size() - 3));
        GradientTable table = emptyGradientTable();
        (void)takeGradientMode(reply.mid(1), GradientNacht, table, nullptr);
    }
    return 0;
}
