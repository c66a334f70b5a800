// The night start reply.
#include "fuzzsupport.h"

#include "link/bytes.h"
#include "nightstart/nightrecord.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray reply = fuzz::bytes(data, size);
    if (CheckReply(reply, true))
        (void)nightRecordFrom(reply.mid(1, reply.size() - 3));
    return 0;
}
