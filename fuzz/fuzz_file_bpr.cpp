// A .BPR single program.
#include "fuzzsupport.h"

#include "bakeprog/singleprogramfiles.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ProgramValues values{};
    (void)decodeBprValues(fuzz::bytes(data, size), &values);
    return 0;
}
