// A bake program name reply.
#include "fuzzsupport.h"

#include "bakeprog/bakeprogram.h"
#include "link/bytes.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray reply = fuzz::bytes(data, size);
    if (CheckReply(reply, true) && reply.size() == kProgramNameLength + 3)
        (void)decodeProgramName(reply.mid(1, kProgramNameLength));
    return 0;
}
