// A .TBP single program.
#include "fuzzsupport.h"

#include "bakeprog/singleprogramfiles.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    BakeProgram program;
    (void)decodeTbp(fuzz::bytes(data, size), &program);
    return 0;
}
