// The software version reply.
#include "fuzzsupport.h"

#include "link/bytes.h"
#include "link/controller.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray reply = fuzz::bytes(data, size);
    if (CheckReply(reply, true))
        if (const auto v = decodeSoftwareVersion(reply))
            (void)versionText(*v);
    return 0;
}
