// A bake program values reply.
#include "fuzzsupport.h"

#include "bakeprog/bakeprogram.h"
#include "link/bytes.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray reply = fuzz::bytes(data, size);
    ProgramValues values{};
    if (CheckReply(reply, true))
        (void)decodeProgramValues(reply.mid(1, reply.size() - 3), &values);
    return 0;
}
