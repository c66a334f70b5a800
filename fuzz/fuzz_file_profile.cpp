// Ini (profile) text as the phone book and the USB files use it.
#include "fuzzsupport.h"

#include "shell/profilefile.h"

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ProfileFile profile(fuzz::bytes(data, size));
    const QString section = QStringLiteral("Programm");
    for (const QString &key : profile.keys(section))
        (void)profile.value(section, key);
    (void)profile.content();
    return 0;
}
