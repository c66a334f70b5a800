// The status reply, checked as the query does and also unchecked.
#include "fuzzsupport.h"

#include "link/bytes.h"
#include "link/controller.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray reply = fuzz::bytes(data, size);
    (void)decodeStatus(reply);
    if (CheckReply(reply, true))
        (void)decodeStatus(reply);
    return 0;
}
