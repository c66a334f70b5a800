// A .TBR record, for 99- and 11-program controllers.
#include "fuzzsupport.h"

#include "bakeprog/tbrfile.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content = fuzz::bytes(data, size);
    (void)readTbr(content, 99);
    (void)readTbr(content, 11);
    return 0;
}
