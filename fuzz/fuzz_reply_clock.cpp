// The clock reply.
#include "fuzzsupport.h"

#include "clock/controllertime.h"
#include "link/bytes.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray reply = fuzz::bytes(data, size);
    if (CheckReply(reply, true))
        if (const auto t = decodeControllerTime(reply))
            (void)toDateTime(*t);
    return 0;
}
